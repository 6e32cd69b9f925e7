// SPDX-License-Identifier: MIT
// Writes pictures as uncompressed 24-bit BMP files: 54-byte headers, rows bottom-up in blue-green-red
// order, each row padded to a multiple of 4 bytes.
#pragma once

#include <string>

#include "image.h"

bool writeBmp(const std::string& path, const Image& image);

// Writes base_0.bmp .. base_(n-1).bmp from the image and its box-filtered reductions.
bool writeMipBmps(const std::string& basePath, const Image& level0, int levels);
