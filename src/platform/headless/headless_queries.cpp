// SPDX-License-Identifier: MIT
// The headless backend's queries for tests: the desktop GL context's state, texture levels, depth and
// feedback-mode triangles, read straight from the GL. Declared in headless.h.
#include <GL/gl.h>

#include <cstdio>

#include "platform/headless/headless.h"

namespace {

std::string enumName(GLint value)
{
    struct Named {
        GLint value;
        const char* name;
    };
    static const Named names[] = {
        {GL_GEQUAL, "GL_GEQUAL"},
        {GL_LESS, "GL_LESS"},
        {GL_FRONT, "GL_FRONT"},
        {GL_BACK, "GL_BACK"},
        {GL_DECAL, "GL_DECAL"},
        {GL_MODULATE, "GL_MODULATE"},
        {GL_REPLACE, "GL_REPLACE"},
        {GL_SRC_ALPHA, "GL_SRC_ALPHA"},
        {GL_ONE_MINUS_SRC_ALPHA, "GL_ONE_MINUS_SRC_ALPHA"},
        {GL_ONE, "GL_ONE"},
        {GL_LINEAR, "GL_LINEAR"},
        {GL_EXP, "GL_EXP"},
        {GL_FASTEST, "GL_FASTEST"},
        {GL_DONT_CARE, "GL_DONT_CARE"},
        {GL_REPEAT, "GL_REPEAT"},
        {GL_CLAMP, "GL_CLAMP"},
        {GL_NEAREST, "GL_NEAREST"},
        {GL_NEAREST_MIPMAP_NEAREST, "GL_NEAREST_MIPMAP_NEAREST"},
        {GL_NEAREST_MIPMAP_LINEAR, "GL_NEAREST_MIPMAP_LINEAR"},
        {GL_INTENSITY, "GL_INTENSITY"},
        {GL_INTENSITY8, "GL_INTENSITY8"},
        {GL_RGB, "GL_RGB"},
        {GL_RGB8, "GL_RGB8"},
        {3, "3"},
    };
    for (const Named& n : names) {
        if (n.value == value)
            return n.name;
    }
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%04X", static_cast<unsigned>(value));
    return hex;
}

GLint integer(GLenum what)
{
    GLint value = 0;
    glGetIntegerv(what, &value);
    return value;
}

bool isIdentity(GLenum matrix)
{
    GLfloat m[16];
    glGetFloatv(matrix, m);
    for (int i = 0; i < 16; ++i) {
        if (m[i] != (i % 5 == 0 ? 1.0f : 0.0f))
            return false;
    }
    return true;
}

} // namespace

namespace headless {

GlState glState()
{
    GlState s;
    s.depthTest = glIsEnabled(GL_DEPTH_TEST) == GL_TRUE;
    s.depthFunc = enumName(integer(GL_DEPTH_FUNC));
    s.cullFace = glIsEnabled(GL_CULL_FACE) == GL_TRUE;
    s.cullFaceMode = enumName(integer(GL_CULL_FACE_MODE));
    s.texture2D = glIsEnabled(GL_TEXTURE_2D) == GL_TRUE;
    s.boundTexture = static_cast<unsigned>(integer(GL_TEXTURE_BINDING_2D));
    GLint env = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &env);
    s.textureEnvMode = enumName(env);
    s.blend = glIsEnabled(GL_BLEND) == GL_TRUE;
    s.blendSource = enumName(integer(GL_BLEND_SRC));
    s.blendDestination = enumName(integer(GL_BLEND_DST));
    s.fog = glIsEnabled(GL_FOG) == GL_TRUE;
    s.fogMode = enumName(integer(GL_FOG_MODE));
    glGetFloatv(GL_FOG_START, &s.fogStart);
    glGetFloatv(GL_FOG_END, &s.fogEnd);
    glGetFloatv(GL_FOG_COLOR, s.fogColor);
    s.fogHint = enumName(integer(GL_FOG_HINT));
    s.vertexArray = glIsEnabled(GL_VERTEX_ARRAY) == GL_TRUE;
    s.texCoordArray = glIsEnabled(GL_TEXTURE_COORD_ARRAY) == GL_TRUE;
    glGetFloatv(GL_CURRENT_COLOR, s.currentColor);
    glGetFloatv(GL_COLOR_CLEAR_VALUE, s.clearColor);
    glGetDoublev(GL_DEPTH_CLEAR_VALUE, &s.clearDepth);
    glGetIntegerv(GL_VIEWPORT, s.viewport);
    s.unpackAlignment = integer(GL_UNPACK_ALIGNMENT);
    s.depthBits = integer(GL_DEPTH_BITS);
    s.redBits = integer(GL_RED_BITS);
    s.alphaBits = integer(GL_ALPHA_BITS);
    s.identityMatrices = isIdentity(GL_PROJECTION_MATRIX) && isIdentity(GL_MODELVIEW_MATRIX);
    GLenum error = glGetError();
    s.error = error == GL_NO_ERROR ? "GL_NO_ERROR" : enumName(static_cast<GLint>(error));
    return s;
}

TextureLevel textureLevel(unsigned name, int level, bool luminance)
{
    TextureLevel t;
    t.exists = glIsTexture(name) == GL_TRUE;
    if (!t.exists)
        return t;
    glPushAttrib(GL_TEXTURE_BIT);
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glBindTexture(GL_TEXTURE_2D, name);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &t.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &t.height);
    GLint value = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_INTERNAL_FORMAT, &value);
    t.internalFormat = enumName(value);
    auto parameter = [](GLenum which) {
        GLint v = 0;
        glGetTexParameteriv(GL_TEXTURE_2D, which, &v);
        return enumName(v);
    };
    t.wrapS = parameter(GL_TEXTURE_WRAP_S);
    t.wrapT = parameter(GL_TEXTURE_WRAP_T);
    t.magFilter = parameter(GL_TEXTURE_MAG_FILTER);
    t.minFilter = parameter(GL_TEXTURE_MIN_FILTER);
    t.texels.resize(static_cast<size_t>(t.width) * t.height * (luminance ? 1 : 3));
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, level, luminance ? GL_LUMINANCE : GL_RGB, GL_UNSIGNED_BYTE, t.texels.data());
    glPopClientAttrib();
    glPopAttrib();
    return t;
}

float depthAt(int x, int y)
{
    GLfloat depth = -1.0f;
    glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth;
}

CaughtTriangles catchTriangles(const std::function<void()>& drawing)
{
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawing();
    GLint used = glRenderMode(GL_RENDER);
    CaughtTriangles caught;
    caught.onlyTriangles = used >= 0; // an overflow reports -1
    // GL_3D_COLOR in RGBA mode: x, y, z and four colour components per vertex.
    constexpr GLint VertexFloats = 7;
    for (GLint i = 0; i < used;) {
        if (buffer[static_cast<size_t>(i)] != GL_POLYGON_TOKEN ||
            static_cast<int>(buffer[static_cast<size_t>(i) + 1]) != 3) {
            caught.onlyTriangles = false;
            break;
        }
        std::vector<CaughtVertex> triangle;
        for (int v = 0; v < 3; ++v) {
            const GLfloat* f = &buffer[static_cast<size_t>(i + 2 + v * VertexFloats)];
            triangle.push_back({f[0], f[1], f[2], {f[3], f[4], f[5], f[6]}});
        }
        caught.triangles.push_back(triangle);
        i += 2 + 3 * VertexFloats;
    }
    return caught;
}

} // namespace headless
