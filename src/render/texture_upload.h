// SPDX-License-Identifier: MIT
// The texture set-up and mipmap upload shared by the board texture and the font texture: square RGB
// levels, tightly packed, sampled without filtering.
#pragma once

#include <cstdint>

// Uploads levels 0 .. levels-1 of a square picture whose level 0 is baseSide texels wide; level i is
// (baseSide >> i) square, at levelImages[i], rows bottom-up with no padding.
// internalFormat is the GL internal format (3 for the board, GL_INTENSITY for the font). The unpack
// alignment is 1 for the upload (rows of the 2 x 2 level are 6 bytes) and restored afterwards.
void uploadMipLevels(int internalFormat, int baseSide, int levels, const uint8_t* const* levelImages);

// Enables 2D texturing, binds texture `name` and sets its wrap mode on both axes (GL_REPEAT for the
// board, GL_CLAMP for the font), nearest magnification and nearest-mipmap-nearest minification.
void bindNearestTexture(unsigned name, int wrapMode);
