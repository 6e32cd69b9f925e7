// SPDX-License-Identifier: MIT
// The ES 2 drawing layer's own state, shared by its batch half and its picture half. Private to
// src/platform/gles2/: the rest of the program sees only platform/draw.h.
#pragma once

#include <GLES2/gl2.h>

#include <map>
#include <set>
#include <vector>

#include "platform/draw.h"

// The attribute slots the program is linked with.
constexpr GLuint AttributePosition = 0;
constexpr GLuint AttributeTexCoord = 1;
constexpr GLuint AttributeColor = 2;

// What draw.h's switches are set to; the texture and fog parts reach the GL as uniforms at each draw.
struct Gles2Switches {
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    float texCoord[2] = {0.0f, 0.0f};
    bool depthTest = false;
    bool cullFront = false;
    bool blend = false;
    bool textured = false;
    unsigned textureName = 0;
    draw::TextureMode mode = draw::TextureMode::Modulate;
    bool fog = false;
    float fogColor[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float fogStart = 0.0f;
    float fogEnd = 1.0f;
};

// What the GL itself was last given, so that a call repeating it is never made: enables, the bound
// texture, the uniforms and the vertex layout. `known` false: nothing is known (a fresh context).
struct Gles2Sent {
    bool known = false;
    bool depthTest = false;
    bool cullFront = false;
    bool blend = false;
    GLuint texture = 0;
    int mode = 0;
    bool intensity = false;
    bool fog = false;
    float fogColor[3] = {0.0f, 0.0f, 0.0f};
    float fogEnd = 0.0f;
    float fogScale = 0.0f;
    int stride = 0; // floats per vertex of the attribute pointers set, 0: none
    int colorAt = -1;
    float color[4] = {0.0f, 0.0f, 0.0f, 0.0f}; // the constant colour, while colorAt is -1
};

// The GL objects of the current context, made by draw::startContext, the switches and the batch.
struct Gles2Objects {
    GLuint program = 0;
    GLuint buffer = 0;
    GLsizeiptr bufferBytes = 0; // the stream buffer's size
    GLsizeiptr bufferUsed = 0;  // bytes written since it was last orphaned
    Gles2Sent sent;
    GLint uMode = -1;
    GLint uIntensity = -1;
    GLint uFog = -1;
    GLint uFogColor = -1;
    GLint uFogEnd = -1;
    GLint uFogScale = -1;
    Gles2Switches switches;
    std::set<unsigned> intensityNames; // textures uploaded as intensity, sampled widened
    // The game names its textures itself; WebGL only binds objects it made, so each name gets one.
    std::map<unsigned, GLuint> textureObjects;
    // The batch being gathered (BatchFloats per vertex), its shape, and the quads' conversion buffer.
    std::vector<float> batch;
    draw::Shape batchShape = draw::Shape::Triangles;
    std::vector<float> quadScratch;
    // Ended batches not yet drawn, as triangles: consecutive batches under the same switches are drawn
    // by one call, flushed when a switch changes and before anything reads or shows the framebuffer.
    std::vector<float> pending;
    // A clear asked for and not yet made (GL's mask bits): it is made before anything draws, reads or
    // shows the framebuffer. The game clears right after presenting, and a browser shows the canvas only
    // once the frame's callback returns, so a clear made at once would be what it shows.
    GLbitfield pendingClear = 0;
};

extern Gles2Objects Es2;

// Draws `count` vertices as triangles from `data`, `stride` floats apart, each with position (3 floats),
// texture coordinate (2) and colour (4) at the given offsets; a colour offset below 0 takes the current
// colour. Drawn with the switches in Es2.switches.
void streamTriangles(const float* data, int count, int stride, int positionAt, int texCoordAt, int colorAt);

// The GL texture standing for the game's texture name, made on first use (0 stays 0); whether one was
// made; and deleting it.
GLuint textureObject(unsigned name);
bool hasTextureObject(unsigned name);
void dropTextureObject(unsigned name);

// Sets the GL's enables and texture binding from the switches, after a picture drew with others.
void applySwitches(const Gles2Switches& s);

// Draws the pending batches, if any.
void flushPending();

// Binds the texture object unless it is bound already.
void bindTexture(GLuint object);
