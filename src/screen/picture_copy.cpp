// SPDX-License-Identifier: MIT
// The picture's copy source (a BGRA texture stored top row first, read through a framebuffer) and the
// blit that shows it. The rest of the game draws with GL 1.1; a GL without blits gets the pixels drawn.
#define GL_GLEXT_PROTOTYPES
#include "screen/picture_copy.h"

#include <GL/glext.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/platform.h"

namespace {

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

// Makes the copy source in this context; framebuffer stays 0 where the context cannot blit.
void makeCopySource(PictureCopy& copy, const uint8_t* rgb, int width, int height)
{
    glPushAttrib(GL_TEXTURE_BIT);
    glBindTexture(GL_TEXTURE_2D, copy.textureName); // from here on the name is taken in this context
    copy.framebuffer = 0;
    if (contextCanBlit()) {
        storePicture(rgb, width, height);
        GLint read = 0;
        glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
        glGenFramebuffers(1, &copy.framebuffer);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, copy.framebuffer);
        glFramebufferTexture2D(GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, copy.textureName, 0);
        if (glCheckFramebufferStatus(GL_READ_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            glDeleteFramebuffers(1, &copy.framebuffer);
            copy.framebuffer = 0;
        }
        glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
    }
    glPopAttrib();
}

} // namespace

void showPicture(PictureCopy& copy, const uint8_t* rgb, int width, int height, int x, int y)
{
    // A clear to black comes first, and the picture only while the window is still there: Mesa's X11
    // software driver asks the server for the window's size at the first drawing call of a frame, and
    // when the server has just gone it goes on with a garbage size, which its clear keeps within and its
    // blit overruns.
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (!platform::isWindowVisible())
        return;
    if (glIsTexture(copy.textureName) == GL_FALSE)
        makeCopySource(copy, rgb, width, height);
    if (copy.framebuffer == 0) {
        glWindowPos2i(x, y);
        glDrawPixels(width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb);
        return;
    }
    GLint read = 0;
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &read);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, copy.framebuffer);
    // Mirrored, because the texture holds the picture upside down: the GL defines the result as the
    // picture the right way up, whatever the implementation.
    glBlitFramebuffer(0, 0, width, height, x, y + height, x + width, y, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(read));
}

void forgetPictureCopy(PictureCopy& copy)
{
    if (glIsTexture(copy.textureName) == GL_TRUE) {
        if (copy.framebuffer != 0)
            glDeleteFramebuffers(1, &copy.framebuffer);
        glDeleteTextures(1, &copy.textureName);
    }
    copy.framebuffer = 0;
}
