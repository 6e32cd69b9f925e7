// SPDX-License-Identifier: MIT
// A full-screen picture shown at its own size by a framebuffer blit from a texture, which a software
// GL does as a plain copy, where the draw a pixel copy needs costs it a shader build on the first frame.
#pragma once

#include <GL/gl.h>

#include <cstdint>

// One picture's copy source in the current context: its texture, under a fixed name like every texture
// of the game, and the framebuffer that reads it (0 where this context cannot blit).
struct PictureCopy {
    GLuint textureName;
    GLuint framebuffer = 0;
};

// Clears the framebuffer being drawn to black and shows the picture on it as stored, its lower-left
// corner at (x, y): width x height RGB, rows bottom-up and unpadded, which the unpack alignment must
// allow. The first call in each context stores the picture in the texture; where the GL has no
// framebuffer blit, the pixels are drawn instead.
void showPicture(PictureCopy& copy, const uint8_t* rgb, int width, int height, int x, int y);

// Deletes the copy source where the current context holds it, so the next copy stores the picture anew.
void forgetPictureCopy(PictureCopy& copy);
