// SPDX-License-Identifier: MIT
// The BMP reader: checks the headers of an uncompressed 24-bit picture, then copies its rows into the
// caller's buffer bottom-up, without row padding, as R, G, B. Files and memory share one decoder.
#include "level/bmp.h"

#include <cstdio>
#include <vector>

namespace {

constexpr size_t FileHeaderBytes = 14;
constexpr size_t InfoHeaderBytes = 40;
constexpr size_t HeaderBytes = FileHeaderBytes + InfoHeaderBytes;
// Far above any picture the game uses, low enough that sizes stay small and sane.
constexpr int64_t MaxSide = 16384;

uint16_t readU16(const uint8_t* p)
{
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t readU32(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
        (static_cast<uint32_t>(p[3]) << 24);
}

struct BmpLayout {
    int width = 0;
    int height = 0;       // always positive
    bool topDown = false; // a negative stored height: the first stored row is the top one
    uint64_t pixelOffset = 0;
    uint64_t rowStride = 0;  // stored row length, padded to 4 bytes
    uint64_t pixelBytes = 0; // bytes from the offset to the end of the last row's pixels
    uint64_t outputBytes = 0;
};

// Reads the 54 header bytes. False for anything but an uncompressed, single-plane, 24-bit picture of a
// bounded size whose pixel data starts after its headers.
bool parseHeader(const uint8_t* header, BmpLayout& layout)
{
    uint32_t pixelOffset = readU32(header + 10);
    uint32_t infoSize = readU32(header + 14);
    int64_t width = static_cast<int32_t>(readU32(header + 18));
    int64_t height = static_cast<int32_t>(readU32(header + 22));
    uint16_t planes = readU16(header + 26);
    uint16_t bitsPerPixel = readU16(header + 28);
    uint32_t compression = readU32(header + 30);

    // A smaller info header (the old core format) keeps 16-bit sizes where this one has its fields.
    if (infoSize < InfoHeaderBytes)
        return false;
    if (planes != 1 || bitsPerPixel != 24 || compression != 0)
        return false;
    bool topDown = height < 0;
    if (topDown)
        height = -height;
    if (width < 1 || width > MaxSide || height < 1 || height > MaxSide)
        return false;
    if (pixelOffset < FileHeaderBytes + static_cast<uint64_t>(infoSize))
        return false;

    layout.width = static_cast<int>(width);
    layout.height = static_cast<int>(height);
    layout.topDown = topDown;
    layout.pixelOffset = pixelOffset;
    uint64_t rowBytes = static_cast<uint64_t>(width) * 3;
    layout.rowStride = (rowBytes + 3) & ~uint64_t{3};
    // The last row's padding is not required: some writers end the file right after its pixels.
    layout.pixelBytes = layout.rowStride * static_cast<uint64_t>(height - 1) + rowBytes;
    layout.outputBytes = rowBytes * static_cast<uint64_t>(height);
    return true;
}

// Copies the stored rows into buffer bottom-up, dropping the padding and turning B, G, R into R, G, B.
// pixels holds at least layout.pixelBytes bytes and buffer at least layout.outputBytes.
void copyPixels(const BmpLayout& layout, const uint8_t* pixels, uint8_t* buffer)
{
    size_t rowBytes = static_cast<size_t>(layout.width) * 3;
    for (int stored = 0; stored < layout.height; ++stored) {
        int outputRow = layout.topDown ? layout.height - 1 - stored : stored;
        const uint8_t* source = pixels + static_cast<size_t>(layout.rowStride) * static_cast<size_t>(stored);
        uint8_t* target = buffer + rowBytes * static_cast<size_t>(outputRow);
        for (size_t k = 0; k < rowBytes; k += 3) {
            target[k] = source[k + 2];
            target[k + 1] = source[k + 1];
            target[k + 2] = source[k];
        }
    }
}

void report(const BmpLayout& layout, int* width, int* height)
{
    if (width)
        *width = layout.width;
    if (height)
        *height = layout.height;
}

} // namespace

bool decodeBmp(const uint8_t* data, size_t size, uint8_t* buffer, size_t capacity, int* width, int* height)
{
    if (!data || size < HeaderBytes)
        return false;
    BmpLayout layout;
    if (!parseHeader(data, layout))
        return false;
    if (layout.outputBytes > capacity || !buffer)
        return false;
    if (layout.pixelOffset > size || layout.pixelBytes > size - layout.pixelOffset)
        return false;
    copyPixels(layout, data + layout.pixelOffset, buffer);
    report(layout, width, height);
    return true;
}

bool readBmp(const std::string& fileName, uint8_t* buffer, size_t capacity, int* width, int* height)
{
    std::FILE* file = std::fopen(fileName.c_str(), "rb");
    if (!file)
        return false;
    uint8_t header[HeaderBytes];
    BmpLayout layout;
    // Only the pixel rows are held in memory, never the gap up to a large stored offset.
    std::vector<uint8_t> pixels;
    bool ok = std::fread(header, 1, HeaderBytes, file) == HeaderBytes && parseHeader(header, layout) && buffer &&
        layout.outputBytes <= capacity && std::fseek(file, static_cast<long>(layout.pixelOffset), SEEK_SET) == 0;
    if (ok) {
        pixels.resize(static_cast<size_t>(layout.pixelBytes));
        ok = std::fread(pixels.data(), 1, pixels.size(), file) == pixels.size();
    }
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok)
        return false;
    copyPixels(layout, pixels.data(), buffer);
    report(layout, width, height);
    return true;
}
