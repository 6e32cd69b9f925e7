// SPDX-License-Identifier: MIT
// The drawing layer on OpenGL ES 2: one shader program does the texture environment and the linear fog,
// batches are gathered here and streamed through one buffer. Pictures: picture_gles2.cpp.
#include "platform/gles2/gles2_state.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// The fog coordinate is |z| of the vertex as given, which is what fixed-function GL takes with identity
// matrices (the eye-plane distance, absolute); the factor is formed as Mesa forms it, (end - c) * scale.
const char* const VertexShader = R"(
attribute vec3 aPosition;
attribute vec2 aTexCoord;
attribute vec4 aColor;
varying vec2 vTexCoord;
varying vec4 vColor;
varying float vFogCoord;
void main()
{
    gl_Position = vec4(aPosition, 1.0);
    vTexCoord = aTexCoord;
    vColor = aColor;
    vFogCoord = abs(aPosition.z);
}
)";

// uMode: 0 no texture, 1 decal, 2 modulate, 3 replace. An intensity texture is stored as luminance and
// widened here to (i, i, i, i), as GL_INTENSITY samples.
const char* const FragmentShader = R"(
precision highp float;
uniform sampler2D uTexture;
uniform int uMode;
uniform bool uIntensity;
uniform bool uFog;
uniform vec3 uFogColor;
uniform float uFogEnd;
uniform float uFogScale;
varying vec2 vTexCoord;
varying vec4 vColor;
varying float vFogCoord;
void main()
{
    vec4 c = vColor;
    if (uMode != 0) {
        vec4 t = texture2D(uTexture, vTexCoord);
        if (uIntensity)
            t = vec4(t.r);
        if (uMode == 1)
            c = vec4(mix(c.rgb, t.rgb, t.a), c.a);
        else if (uMode == 2)
            c = c * t;
        else
            c = vec4(t.rgb, c.a);
    }
    if (uFog) {
        float f = clamp((uFogEnd - vFogCoord) * uFogScale, 0.0, 1.0);
        c.rgb = mix(uFogColor, c.rgb, f);
    }
    gl_FragColor = c;
}
)";

GLuint compile(GLenum kind, const char* source)
{
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint ok = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = "";
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        std::fprintf(stderr, "draw: the ES 2 shader does not compile: %s\n", log);
    }
    return shader;
}

// Builds the program and its buffer; a program that does not link is reported and draws nothing.
void buildProgram(Gles2Objects& o)
{
    if (glIsProgram(o.program) == GL_TRUE)
        glDeleteProgram(o.program);
    if (glIsBuffer(o.buffer) == GL_TRUE)
        glDeleteBuffers(1, &o.buffer);
    GLuint vertexShader = compile(GL_VERTEX_SHADER, VertexShader);
    GLuint fragmentShader = compile(GL_FRAGMENT_SHADER, FragmentShader);
    o.program = glCreateProgram();
    glAttachShader(o.program, vertexShader);
    glAttachShader(o.program, fragmentShader);
    glBindAttribLocation(o.program, AttributePosition, "aPosition");
    glBindAttribLocation(o.program, AttributeTexCoord, "aTexCoord");
    glBindAttribLocation(o.program, AttributeColor, "aColor");
    glLinkProgram(o.program);
    glDeleteShader(vertexShader);
    glDeleteShader(fragmentShader);
    GLint ok = GL_FALSE;
    glGetProgramiv(o.program, GL_LINK_STATUS, &ok);
    if (ok != GL_TRUE) {
        char log[1024] = "";
        glGetProgramInfoLog(o.program, sizeof log, nullptr, log);
        std::fprintf(stderr, "draw: the ES 2 program does not link: %s\n", log);
    }
    glUseProgram(o.program);
    glUniform1i(glGetUniformLocation(o.program, "uTexture"), 0);
    o.uMode = glGetUniformLocation(o.program, "uMode");
    o.uIntensity = glGetUniformLocation(o.program, "uIntensity");
    o.uFog = glGetUniformLocation(o.program, "uFog");
    o.uFogColor = glGetUniformLocation(o.program, "uFogColor");
    o.uFogEnd = glGetUniformLocation(o.program, "uFogEnd");
    o.uFogScale = glGetUniformLocation(o.program, "uFogScale");
    glGenBuffers(1, &o.buffer);
    glBindBuffer(GL_ARRAY_BUFFER, o.buffer);
    o.bufferBytes = 0;
    o.bufferUsed = 0;
    glEnableVertexAttribArray(AttributePosition);
    glEnableVertexAttribArray(AttributeTexCoord);
}

// Everything Gles2Sent tracks, sent once as the switches' defaults, so that from here on a value is
// sent only when it changes.
void sendEverything(Gles2Objects& o)
{
    Gles2Sent& g = o.sent;
    g = Gles2Sent{};
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUniform1i(o.uMode, g.mode);
    glUniform1i(o.uIntensity, 0);
    glUniform1i(o.uFog, 0);
    glUniform3f(o.uFogColor, 0.0f, 0.0f, 0.0f);
    glUniform1f(o.uFogEnd, 0.0f);
    glUniform1f(o.uFogScale, 0.0f);
    glDisableVertexAttribArray(AttributeColor);
    glVertexAttrib4fv(AttributeColor, g.color);
    g.known = true;
}

// The stream buffer holds every batch of a frame at its own offset, written with glBufferSubData; when
// it is full it is orphaned (given new storage) and written from the start again.
constexpr GLsizeiptr StreamBufferBytes = GLsizeiptr{4} << 20;

// The batch's vertices: x, y, z, s, t, r, g, b, a.
constexpr int BatchFloats = 9;
constexpr size_t MostBatchVertices = 65536;

void pushVertex(float x, float y, float z)
{
    if (Es2.batch.size() >= MostBatchVertices * BatchFloats)
        return;
    const Gles2Switches& s = Es2.switches;
    Es2.batch.insert(Es2.batch.end(),
                     {x, y, z, s.texCoord[0], s.texCoord[1], s.color[0], s.color[1], s.color[2], s.color[3]});
}

// Each quadrilateral a, b, c, d becomes the triangles a, b, c and a, c, d. The two vectors trade places,
// so after the first frames no batch allocates.
void quadsToTriangles()
{
    std::vector<float>& triangles = Es2.quadScratch;
    triangles.clear();
    const size_t quadFloats = 4 * BatchFloats;
    triangles.reserve(Es2.batch.size() / 4 * 6);
    for (size_t q = 0; q + quadFloats <= Es2.batch.size(); q += quadFloats) {
        for (int corner : {0, 1, 2, 0, 2, 3}) {
            const float* v = &Es2.batch[q + static_cast<size_t>(corner) * BatchFloats];
            triangles.insert(triangles.end(), v, v + BatchFloats);
        }
    }
    Es2.batch.swap(triangles);
}

// Only the uniforms whose value changed are sent; the fog's are of no account while fog is off.
void setUniforms(const Gles2Switches& s)
{
    Gles2Sent& g = Es2.sent;
    int mode = !s.textured ? 0 : s.mode == draw::TextureMode::Decal ? 1 : s.mode == draw::TextureMode::Modulate ? 2 : 3;
    if (g.mode != mode)
        glUniform1i(Es2.uMode, g.mode = mode);
    bool intensity = s.textured && Es2.intensityNames.count(s.textureName) != 0;
    if (g.intensity != intensity)
        glUniform1i(Es2.uIntensity, (g.intensity = intensity) ? 1 : 0);
    if (g.fog != s.fog)
        glUniform1i(Es2.uFog, (g.fog = s.fog) ? 1 : 0);
    if (!s.fog)
        return;
    if (!std::equal(g.fogColor, g.fogColor + 3, s.fogColor)) {
        std::copy(s.fogColor, s.fogColor + 3, g.fogColor);
        glUniform3f(Es2.uFogColor, s.fogColor[0], s.fogColor[1], s.fogColor[2]);
    }
    if (g.fogEnd != s.fogEnd)
        glUniform1f(Es2.uFogEnd, g.fogEnd = s.fogEnd);
    // Equal distances would divide by zero; the scale is then 1. The game never sets them equal.
    float scale = s.fogEnd != s.fogStart ? 1.0f / (s.fogEnd - s.fogStart) : 1.0f;
    if (g.fogScale != scale)
        glUniform1f(Es2.uFogScale, g.fogScale = scale);
}

void setCap(GLenum cap, bool on, bool& sent)
{
    if (sent == on)
        return;
    on ? glEnable(cap) : glDisable(cap);
    sent = on;
}

// The attribute pointers start at the buffer's beginning, so batches of one layout share them and each
// is drawn from its own first vertex.
void setLayout(int stride, int positionAt, int texCoordAt, int colorAt)
{
    Gles2Sent& g = Es2.sent;
    const GLsizei bytes = static_cast<GLsizei>(stride * sizeof(float));
    auto at = [](int floats) { return reinterpret_cast<const void*>(static_cast<uintptr_t>(floats) * sizeof(float)); };
    if (g.stride != stride || g.colorAt != colorAt) {
        glVertexAttribPointer(AttributePosition, 3, GL_FLOAT, GL_FALSE, bytes, at(positionAt));
        glVertexAttribPointer(AttributeTexCoord, 2, GL_FLOAT, GL_FALSE, bytes, at(texCoordAt));
        if (colorAt >= 0)
            glVertexAttribPointer(AttributeColor, 4, GL_FLOAT, GL_FALSE, bytes, at(colorAt));
        if ((colorAt >= 0) != (g.colorAt >= 0))
            colorAt >= 0 ? glEnableVertexAttribArray(AttributeColor) : glDisableVertexAttribArray(AttributeColor);
        g.stride = stride;
        g.colorAt = colorAt;
    }
    const float* color = Es2.switches.color;
    if (colorAt < 0 && !std::equal(g.color, g.color + 4, color)) {
        std::copy(color, color + 4, g.color);
        glVertexAttrib4fv(AttributeColor, color);
    }
}

} // namespace

Gles2Objects Es2;

void streamTriangles(const float* data, int count, int stride, int positionAt, int texCoordAt, int colorAt)
{
    if (count <= 0)
        return;
    setUniforms(Es2.switches);
    const GLsizeiptr strideBytes = static_cast<GLsizeiptr>(stride * sizeof(float));
    const GLsizeiptr bytes = static_cast<GLsizeiptr>(count) * strideBytes;
    // Each batch starts on a whole vertex of its own layout, so it is drawn from vertex at / strideBytes.
    GLsizeiptr at = (Es2.bufferUsed + strideBytes - 1) / strideBytes * strideBytes;
    if (at + bytes > Es2.bufferBytes) {
        Es2.bufferBytes = std::max({Es2.bufferBytes, StreamBufferBytes, bytes});
        glBufferData(GL_ARRAY_BUFFER, Es2.bufferBytes, nullptr, GL_STREAM_DRAW);
        at = 0;
    }
    glBufferSubData(GL_ARRAY_BUFFER, at, bytes, data);
    Es2.bufferUsed = at + bytes;
    setLayout(stride, positionAt, texCoordAt, colorAt);
    glDrawArrays(GL_TRIANGLES, static_cast<GLint>(at / strideBytes), count);
}

void flushPending()
{
    if (Es2.pendingClear != 0) {
        glClear(Es2.pendingClear);
        Es2.pendingClear = 0;
    }
    if (Es2.pending.empty())
        return;
    streamTriangles(Es2.pending.data(), static_cast<int>(Es2.pending.size() / BatchFloats), BatchFloats, 0, 3, 5);
    Es2.pending.clear();
}

void bindTexture(GLuint object)
{
    if (Es2.sent.texture == object)
        return;
    glBindTexture(GL_TEXTURE_2D, object);
    Es2.sent.texture = object;
}

GLuint textureObject(unsigned name)
{
    if (name == 0)
        return 0;
    auto found = Es2.textureObjects.find(name);
    if (found != Es2.textureObjects.end())
        return found->second;
    GLuint made = 0;
    glGenTextures(1, &made);
    Es2.textureObjects[name] = made;
    return made;
}

bool hasTextureObject(unsigned name)
{
    return Es2.textureObjects.count(name) != 0;
}

void dropTextureObject(unsigned name)
{
    auto found = Es2.textureObjects.find(name);
    if (found == Es2.textureObjects.end())
        return;
    flushPending();
    // Deleting the bound texture binds 0.
    if (Es2.sent.texture == found->second)
        Es2.sent.texture = 0;
    glDeleteTextures(1, &found->second);
    Es2.textureObjects.erase(found);
}

void applySwitches(const Gles2Switches& s)
{
    setCap(GL_DEPTH_TEST, s.depthTest, Es2.sent.depthTest);
    setCap(GL_CULL_FACE, s.cullFront, Es2.sent.cullFront);
    setCap(GL_BLEND, s.blend, Es2.sent.blend);
    bindTexture(textureObject(s.textureName));
}

namespace draw {

const ContextKind LinkedContext = ContextKind::Es2;

// A fresh context's state is set in full, the same as GL 1.1's defaults apart from the depth clear.
void startContext()
{
    buildProgram(Es2);
    sendEverything(Es2);
    Es2.switches = Gles2Switches{};
    Es2.intensityNames.clear();
    Es2.textureObjects.clear();
    Es2.pending.clear();
    Es2.batch.clear();
    Es2.pendingClear = 0;
    glClearDepthf(0.0f);
    glDepthFunc(GL_GEQUAL);
    glCullFace(GL_FRONT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    applySwitches(Es2.switches);
}

void finish()
{
    flush();
    glFinish();
}

void flush()
{
    flushPending();
}

const char* rendererName()
{
    const GLubyte* name = glGetString(GL_RENDERER);
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

void begin(Shape shape)
{
    Es2.batch.clear();
    Es2.batchShape = shape;
}

void color(float r, float g, float b, float a)
{
    float* c = Es2.switches.color;
    c[0] = r;
    c[1] = g;
    c[2] = b;
    c[3] = a;
}

void texCoord(float s, float t)
{
    Es2.switches.texCoord[0] = s;
    Es2.switches.texCoord[1] = t;
}

void vertex(float x, float y, float z)
{
    pushVertex(x, y, z);
}

void vertex2(float x, float y)
{
    pushVertex(x, y, 0.0f);
}

// The batch joins the pending ones: it was gathered under the same switches, since every change of a
// switch draws what is pending first.
void end()
{
    if (Es2.batchShape == Shape::Quads)
        quadsToTriangles();
    size_t vertices = Es2.batch.size() / BatchFloats;
    Es2.pending.insert(Es2.pending.end(), Es2.batch.begin(),
                       Es2.batch.begin() + static_cast<std::ptrdiff_t>((vertices - vertices % 3) * BatchFloats));
    Es2.batch.clear();
    if (Es2.pending.size() >= MostBatchVertices * BatchFloats)
        flushPending();
}

void drawTriangles(const float* corners, int count)
{
    flushPending();
    streamTriangles(corners, count, 5, 2, 0, -1);
}

void depthTest(bool on)
{
    if (Es2.switches.depthTest != on)
        flushPending();
    Es2.switches.depthTest = on;
    setCap(GL_DEPTH_TEST, on, Es2.sent.depthTest);
}

void cullFrontFaces(bool on)
{
    if (Es2.switches.cullFront != on)
        flushPending();
    Es2.switches.cullFront = on;
    setCap(GL_CULL_FACE, on, Es2.sent.cullFront);
}

void blend(bool on)
{
    if (Es2.switches.blend != on)
        flushPending();
    Es2.switches.blend = on;
    setCap(GL_BLEND, on, Es2.sent.blend);
}

void texture(unsigned name, TextureMode mode)
{
    Gles2Switches& s = Es2.switches;
    if (!s.textured || s.textureName != name || s.mode != mode)
        flushPending();
    s.textured = true;
    s.textureName = name;
    s.mode = mode;
    bindTexture(textureObject(name));
}

void noTexture()
{
    if (Es2.switches.textured)
        flushPending();
    Es2.switches.textured = false;
}

void fog(bool on)
{
    if (Es2.switches.fog != on)
        flushPending();
    Es2.switches.fog = on;
}

void fogLinear(const float color[4], float start, float end)
{
    Gles2Switches& s = Es2.switches;
    if (!std::equal(s.fogColor, s.fogColor + 4, color) || s.fogStart != start || s.fogEnd != end)
        flushPending();
    std::copy(color, color + 4, s.fogColor);
    s.fogStart = start;
    s.fogEnd = end;
}

void clearColor(float r, float g, float b, float a)
{
    // A clear still to be made is made with the colour it was asked with.
    flushPending();
    glClearColor(r, g, b, a);
}

void clear(bool colour, bool depth)
{
    flushPending();
    Es2.pendingClear = (colour ? GL_COLOR_BUFFER_BIT : 0) | (depth ? GL_DEPTH_BUFFER_BIT : 0);
}

// ES 2 has no intensity format: the red bytes go up as luminance and the shader widens them.
void uploadTexture(unsigned name, TextureFormat format, Wrap wrap, int baseSide, int levels,
                   const uint8_t* const* images)
{
    const GLint wrapMode = wrap == Wrap::Repeat ? GL_REPEAT : GL_CLAMP_TO_EDGE;
    // A pending batch may sample the texture about to change.
    flushPending();
    bindTexture(textureObject(name));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, levels > 1 ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    std::vector<uint8_t> reds;
    for (int level = 0; level < levels; ++level) {
        int side = baseSide >> level;
        if (format == TextureFormat::Rgb) {
            glTexImage2D(GL_TEXTURE_2D, level, GL_RGB, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, images[level]);
            continue;
        }
        reds.resize(static_cast<size_t>(side) * side);
        for (size_t i = 0; i < reds.size(); ++i)
            reds[i] = images[level][i * 3];
        glTexImage2D(GL_TEXTURE_2D, level, GL_LUMINANCE, side, side, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, reds.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    if (format == TextureFormat::Intensity)
        Es2.intensityNames.insert(name);
    else
        Es2.intensityNames.erase(name);
    bindTexture(textureObject(Es2.switches.textureName));
}

void deleteTexture(unsigned name)
{
    dropTextureObject(name);
    Es2.intensityNames.erase(name);
}

void readPixels(int x, int y, int width, int height, uint8_t* rgba)
{
    flushPending();
    GLint previousAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPixelStorei(GL_PACK_ALIGNMENT, previousAlignment);
}

} // namespace draw
