// The mipmap upload shared by the board texture and the font texture.
#include "level/texture_upload.h"

#include <GL/gl.h>

void uploadMipLevels(int internalFormat, int baseSide, int levels, const uint8_t* const* levelImages)
{
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int level = 0; level < levels; ++level) {
        int side = baseSide >> level;
        glTexImage2D(GL_TEXTURE_2D, level, internalFormat, side, side, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     levelImages[level]);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}
