// SPDX-License-Identifier: MIT
// Showing a frame on the canvas. The browser shows the canvas only when the frame's callback returns,
// and the game clears for its next frame right after presenting; so the game draws into a framebuffer
// of the canvas's size, and presenting copies that onto the canvas with one textured quad.
#include "platform/web/web_present.h"

#include <GLES2/gl2.h>

#include "platform/web/web_internal.h"

namespace {

constexpr const char* VertexSource = R"(
attribute vec2 corner;
varying vec2 at;
void main() { at = corner * 0.5 + 0.5; gl_Position = vec4(corner, 0.0, 1.0); }
)";
constexpr const char* FragmentSource = R"(
precision mediump float;
uniform sampler2D frame;
varying vec2 at;
void main() { gl_FragColor = vec4(texture2D(frame, at).rgb, 1.0); }
)";

GLuint compile(GLenum kind, const char* source)
{
    GLuint shader = glCreateShader(kind);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    return shader;
}

void makeCopyProgram()
{
    GLuint vertex = compile(GL_VERTEX_SHADER, VertexSource);
    GLuint fragment = compile(GL_FRAGMENT_SHADER, FragmentSource);
    Web.offscreen.program = glCreateProgram();
    glAttachShader(Web.offscreen.program, vertex);
    glAttachShader(Web.offscreen.program, fragment);
    glBindAttribLocation(Web.offscreen.program, 0, "corner");
    glLinkProgram(Web.offscreen.program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    static const float Corners[8] = {-1.0f, -1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f};
    glGenBuffers(1, &Web.offscreen.quad);
    glBindBuffer(GL_ARRAY_BUFFER, Web.offscreen.quad);
    glBufferData(GL_ARRAY_BUFFER, sizeof Corners, Corners, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

} // namespace

void makeOffscreenFrame(int width, int height)
{
    if (Web.offscreen.program == 0)
        makeCopyProgram();
    if (Web.offscreen.framebuffer != 0 && width == Web.offscreen.width && height == Web.offscreen.height)
        return;
    GLint texture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    if (Web.offscreen.framebuffer == 0) {
        glGenFramebuffers(1, &Web.offscreen.framebuffer);
        glGenTextures(1, &Web.offscreen.colour);
        glGenRenderbuffers(1, &Web.offscreen.depth);
    }
    glBindTexture(GL_TEXTURE_2D, Web.offscreen.colour);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glBindRenderbuffer(GL_RENDERBUFFER, Web.offscreen.depth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, width, height);
    glBindFramebuffer(GL_FRAMEBUFFER, Web.offscreen.framebuffer);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, Web.offscreen.colour, 0);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, Web.offscreen.depth);
    Web.offscreen.width = width;
    Web.offscreen.height = height;
}

void copyOffscreenToCanvas()
{
    if (Web.offscreen.framebuffer == 0)
        return;
    // Everything the drawing layer set is put back afterwards, so its next frame goes on as before.
    GLint program = 0, texture = 0, buffer = 0, viewport[4] = {};
    glGetIntegerv(GL_CURRENT_PROGRAM, &program);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &texture);
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &buffer);
    glGetIntegerv(GL_VIEWPORT, viewport);
    const GLenum Switches[] = {GL_DEPTH_TEST, GL_CULL_FACE, GL_BLEND, GL_SCISSOR_TEST};
    GLboolean on[4];
    for (int i = 0; i < 4; ++i) {
        on[i] = glIsEnabled(Switches[i]);
        glDisable(Switches[i]);
    }
    GLint arrays[3] = {};
    for (GLuint a = 0; a < 3; ++a) {
        glGetVertexAttribiv(a, GL_VERTEX_ATTRIB_ARRAY_ENABLED, &arrays[a]);
        a == 0 ? glEnableVertexAttribArray(a) : glDisableVertexAttribArray(a);
    }
    GLint pointerBuffer = 0, size = 0, type = 0, normalized = 0, stride = 0;
    void* pointer = nullptr;
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_BUFFER_BINDING, &pointerBuffer);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_SIZE, &size);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_TYPE, &type);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_NORMALIZED, &normalized);
    glGetVertexAttribiv(0, GL_VERTEX_ATTRIB_ARRAY_STRIDE, &stride);
    glGetVertexAttribPointerv(0, GL_VERTEX_ATTRIB_ARRAY_POINTER, &pointer);

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, Web.offscreen.width, Web.offscreen.height);
    glUseProgram(Web.offscreen.program);
    glBindTexture(GL_TEXTURE_2D, Web.offscreen.colour);
    glBindBuffer(GL_ARRAY_BUFFER, Web.offscreen.quad);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);

    glBindFramebuffer(GL_FRAMEBUFFER, Web.offscreen.framebuffer);
    if (pointerBuffer != 0) {
        glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(pointerBuffer));
        glVertexAttribPointer(0, size, static_cast<GLenum>(type), normalized ? GL_TRUE : GL_FALSE, stride, pointer);
    }
    for (GLuint a = 0; a < 3; ++a)
        arrays[a] ? glEnableVertexAttribArray(a) : glDisableVertexAttribArray(a);
    glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(buffer));
    glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(texture));
    glUseProgram(static_cast<GLuint>(program));
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
    for (int i = 0; i < 4; ++i)
        if (on[i])
            glEnable(Switches[i]);
}
