// The BMP reader: uncompressed 24-bit pictures into a caller's buffer as RGB bytes, rows bottom-up.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Reads the picture into buffer (capacity bytes). On success the buffer holds width x height x 3 bytes,
// rows bottom-up, no padding, in R, G, B order; width and height are returned when asked for.
// False for a file that cannot be read, is not an uncompressed 24-bit BMP, or does not fit.
bool readBmp(const std::string& fileName, uint8_t* buffer, size_t capacity, int* width = nullptr,
             int* height = nullptr);

// The same, from bytes already in memory (the fuzz target and readBmp share it).
bool decodeBmp(const uint8_t* data, size_t size, uint8_t* buffer, size_t capacity, int* width = nullptr,
               int* height = nullptr);
