// SPDX-License-Identifier: MIT
// The drawing layer on desktop OpenGL 1.1: immediate mode, fixed-function fog and texture environment,
// the board's client array. Each call is the GL the game made before the layer; pictures: picture_gl11.cpp.
#include <GL/gl.h>

#include "platform/draw.h"

namespace draw {

const ContextKind LinkedContext = ContextKind::DesktopGl11;

void startContext()
{
    glClearDepth(0.0);
    glHint(GL_FOG_HINT, GL_FASTEST);
}

// Immediate mode holds nothing back.
void flush()
{
}

void finish()
{
    glFinish();
}

const char* rendererName()
{
    const GLubyte* name = glGetString(GL_RENDERER);
    return name != nullptr ? reinterpret_cast<const char*>(name) : "";
}

void begin(Shape shape)
{
    glBegin(shape == Shape::Quads ? GL_QUADS : GL_TRIANGLES);
}

void color(float r, float g, float b, float a)
{
    glColor4f(r, g, b, a);
}

void texCoord(float s, float t)
{
    glTexCoord2f(s, t);
}

void vertex(float x, float y, float z)
{
    glVertex3f(x, y, z);
}

void vertex2(float x, float y)
{
    glVertex2f(x, y);
}

void end()
{
    glEnd();
}

// The client arrays are switched off again for the drawing that follows.
void drawTriangles(const float* corners, int count)
{
    if (count <= 0)
        return;
    const GLsizei stride = static_cast<GLsizei>(5 * sizeof(float));
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glTexCoordPointer(2, GL_FLOAT, stride, corners);
    glVertexPointer(3, GL_FLOAT, stride, corners + 2);
    glDrawArrays(GL_TRIANGLES, 0, count);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
}

void depthTest(bool on)
{
    if (on) {
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_GEQUAL);
    } else {
        glDisable(GL_DEPTH_TEST);
    }
}

void cullFrontFaces(bool on)
{
    if (on) {
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
    } else {
        glDisable(GL_CULL_FACE);
    }
}

void blend(bool on)
{
    if (on) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
}

void texture(unsigned name, TextureMode mode)
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    GLint env = mode == TextureMode::Decal ? GL_DECAL : mode == TextureMode::Modulate ? GL_MODULATE : GL_REPLACE;
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, env);
}

void noTexture()
{
    glDisable(GL_TEXTURE_2D);
}

void fog(bool on)
{
    if (on)
        glEnable(GL_FOG);
    else
        glDisable(GL_FOG);
}

void fogLinear(const float color[4], float start, float end)
{
    glFogfv(GL_FOG_COLOR, color);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, start);
    glFogf(GL_FOG_END, end);
}

void clearColor(float r, float g, float b, float a)
{
    glClearColor(r, g, b, a);
}

void clear(bool colour, bool depth)
{
    GLbitfield mask = (colour ? GL_COLOR_BUFFER_BIT : 0) | (depth ? GL_DEPTH_BUFFER_BIT : 0);
    if (mask != 0)
        glClear(mask);
}

// The RGB internal format is given as 3, as the board texture's first upload did. The parameters are set
// with glTexParameterf, and the unpack alignment is 1 for the upload (rows of the 2 x 2 level are 6
// bytes) and restored afterwards.
void uploadTexture(unsigned name, TextureFormat format, Wrap wrap, int baseSide, int levels,
                   const uint8_t* const* images)
{
    const GLfloat wrapMode = static_cast<GLfloat>(wrap == Wrap::Repeat ? GL_REPEAT : GL_CLAMP);
    const GLfloat minFilter = static_cast<GLfloat>(levels > 1 ? GL_NEAREST_MIPMAP_NEAREST : GL_NEAREST);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrapMode);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrapMode);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_NEAREST));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);

    const GLint internalFormat = format == TextureFormat::Rgb ? 3 : GL_INTENSITY;
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int level = 0; level < levels; ++level) {
        int side = baseSide >> level;
        glTexImage2D(GL_TEXTURE_2D, level, internalFormat, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, images[level]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

void deleteTexture(unsigned name)
{
    GLuint n = name;
    if (glIsTexture(n) == GL_TRUE)
        glDeleteTextures(1, &n);
}

// The game may have changed the pixel-store state; read with tight rows regardless.
void readPixels(int x, int y, int width, int height, uint8_t* rgba)
{
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glPixelStorei(GL_PACK_SWAP_BYTES, GL_FALSE);
    glPixelStorei(GL_PACK_LSB_FIRST, GL_FALSE);
    glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPopClientAttrib();
}

} // namespace draw
