// SPDX-License-Identifier: MIT
// The texture set-up and mipmap upload shared by the board texture and the font texture.
// The parameters are set with glTexParameterf, as the texture's first users did.
#include "render/texture_upload.h"

#include <GL/gl.h>

void uploadMipLevels(int internalFormat, int baseSide, int levels, const uint8_t* const* levelImages)
{
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int level = 0; level < levels; ++level) {
        int side = baseSide >> level;
        glTexImage2D(GL_TEXTURE_2D, level, internalFormat, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE, levelImages[level]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

void bindNearestTexture(unsigned name, int wrapMode)
{
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(wrapMode));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(wrapMode));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_NEAREST));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_NEAREST_MIPMAP_NEAREST));
}
