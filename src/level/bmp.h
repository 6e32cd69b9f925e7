// SPDX-License-Identifier: MIT
// The BMP reader: uncompressed 24-bit pictures into a caller's buffer as RGB bytes, rows bottom-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the picture into buffer (capacity bytes). On success the buffer holds width x height x 3 bytes,
// rows bottom-up, no padding, in R, G, B order; width and height are returned when asked for.
// Accepted: one plane, 24 bits per pixel, no compression, an info header of 40 bytes or more, sides of
// 1..16384, the pixel data at its stored offset, rows stored bottom-up or (negative height) top-down.
// False for a file that cannot be read, is anything else, is shorter than its pixels, or does not fit;
// the buffer is then left as it was.
bool readBmp(const std::string& fileName, uint8_t* buffer, size_t capacity, int* width = nullptr,
             int* height = nullptr);

// The same, from bytes already in memory (the fuzz target and readBmp share it).
bool decodeBmp(const uint8_t* data, size_t size, uint8_t* buffer, size_t capacity, int* width = nullptr,
               int* height = nullptr);
