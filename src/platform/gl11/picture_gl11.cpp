// SPDX-License-Identifier: MIT
// The drawing layer's pictures on desktop GL: at their own size a framebuffer blit from a texture (a
// plain copy for Mesa's software GL), glDrawPixels where the GL cannot blit; scaled, a textured quad.
#define GL_GLEXT_PROTOTYPES
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "platform/draw.h"

namespace {

// The framebuffer that reads each shown picture's texture in this context; 0 where the GL cannot blit.
std::map<unsigned, GLuint> CopyFramebuffers;

// Framebuffer blits came with GL 3.0 and, before it, with ARB_framebuffer_object.
bool contextCanBlit()
{
    const char* version = reinterpret_cast<const char*>(glGetString(GL_VERSION));
    if (version != nullptr && std::atoi(version) >= 3)
        return true;
    const char* extensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    return extensions != nullptr && std::strstr(extensions, "GL_ARB_framebuffer_object") != nullptr;
}

// The texture holds the picture top row first, in the byte order of the window's pixels, so that the
// blit below needs neither a format change nor a row flip from Mesa's software rasterizer, whose window
// buffers are stored top row first: it then copies memory instead of building a shader.
void storePicture(const uint8_t* rgb, int width, int height)
{
    std::vector<uint8_t> bgra(static_cast<size_t>(width) * height * 4);
    for (int row = 0; row < height; ++row) {
        const uint8_t* from = rgb + static_cast<size_t>(height - 1 - row) * width * 3;
        uint8_t* to = &bgra[static_cast<size_t>(row) * width * 4];
        for (int i = 0; i < width; ++i, from += 3, to += 4) {
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            to[3] = 255;
        }
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, bgra.data());
}

// Makes the copy source in this context; its framebuffer stays 0 where the context cannot blit.
void makeCopySource(unsigned name, const uint8_t* rgb, int width, int height)
{
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, name); // from here on the name is taken in this context
    GLuint framebuffer = 0;
    if (contextCanBlit()) {
        storePicture(rgb, width, height);
        GLint read = 0;
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
        glGenFramebuffers(1, &framebuffer);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, name, 0);
        if (glCheckFramebufferStatus(GL_READ_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            glDeleteFramebuffers(1, &framebuffer);
            framebuffer = 0;
        }
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    }
    CopyFramebuffers[name] = framebuffer;
    glPopAttrib();
}

} // namespace

namespace draw {

void showPicture(unsigned name, const uint8_t* rgb, int width, int height, int x, int y)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // rows are packed without padding
    if (glIsTexture(name) == GL_FALSE)
        makeCopySource(name, rgb, width, height);
    GLuint framebuffer = CopyFramebuffers[name];
    // Unlike the blit, drawn pixels go through texturing and fog; the frame turns them off before.
    if (framebuffer == 0) {
        glWindowPos2i(x, y);
        glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return;
    }
    GLint read = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    // Mirrored, because the texture holds the picture upside down: the GL defines the result as the
    // picture the right way up, whatever the implementation.
    glBlitFramebuffer(0, 0, width, height, x, y + height, x + width, y, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
}

// The texture is made on first use in each context; texturing state is put back afterwards.
void showScaledPicture(unsigned name, const uint8_t* rgb, int width, int height)
{
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glEnable(GL_TEXTURE_2D);
    bool fresh = glIsTexture(name) == GL_FALSE;
    glBindTexture(GL_TEXTURE_2D, name);
    if (fresh) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // Rows are stored bottom-up, so texture row 0 belongs at the bottom.
    float right = -1.0f + 2.0f * static_cast<float>(width) / 640.0f;
    float top = -1.0f + 2.0f * static_cast<float>(height) / 480.0f;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, top);
    glEnd();
    glPopAttrib();
}

void forgetPicture(unsigned name)
{
    GLuint n = name;
    if (glIsTexture(n) == GL_TRUE) {
        auto copy = CopyFramebuffers.find(name);
        if (copy != CopyFramebuffers.end() && copy->second != 0)
            glDeleteFramebuffers(1, &copy->second);
        glDeleteTextures(1, &n);
    }
    CopyFramebuffers.erase(name);
}

} // namespace draw
