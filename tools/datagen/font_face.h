// SPDX-License-Identifier: MIT
// A FreeType face at one pixel size: renders single characters to antialiased coverage bitmaps and
// gives the advances and kerning that lay them out. Used by the font atlas and the picture texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct GlyphBitmap {
    int width = 0;                 // coverage columns
    int rows = 0;                  // coverage rows
    int left = 0;                  // from the pen to the first column
    int top = 0;                   // from the baseline up to the first row
    int advance = 0;               // whole pixels to the next pen position
    std::vector<uint8_t> coverage; // rows x width, 0..255, top row first
};

class FontFace {
public:
    FontFace() = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    // Loads the font file; false when FreeType cannot read it.
    bool open(const std::string& path);
    bool setPixelSize(int pixels);
    bool render(uint32_t code, GlyphBitmap& out) const;
    // Horizontal kerning between two characters, in whole pixels (0 when the face has none).
    int kerning(uint32_t left, uint32_t right) const;

private:
    void* library = nullptr; // FT_Library, kept opaque so FreeType's headers stay in the .cpp
    void* face = nullptr;    // FT_Face
};
