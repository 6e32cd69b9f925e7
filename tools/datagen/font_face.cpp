// SPDX-License-Identifier: MIT
// The FreeType face wrapper: library and face lifetime, sizing, hinted greyscale rendering and
// kerning. Nothing outside this file includes FreeType's headers.
#include "font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

namespace {

FT_Face asFace(void* face)
{
    return static_cast<FT_Face>(face);
}

} // namespace

FontFace::~FontFace()
{
    if (face != nullptr) {
        FT_Done_Face(asFace(face));
    }
    if (library != nullptr) {
        FT_Done_FreeType(static_cast<FT_Library>(library));
    }
}

bool FontFace::open(const std::string& path)
{
    FT_Library lib = nullptr;
    if (FT_Init_FreeType(&lib) != 0) {
        return false;
    }
    library = lib;
    FT_Face newFace = nullptr;
    if (FT_New_Face(lib, path.c_str(), 0, &newFace) != 0) {
        return false;
    }
    face = newFace;
    return true;
}

bool FontFace::setPixelSize(int pixels)
{
    return face != nullptr && FT_Set_Pixel_Sizes(asFace(face), 0, static_cast<FT_UInt>(pixels)) == 0;
}

bool FontFace::render(uint32_t code, GlyphBitmap& out) const
{
    if (face == nullptr || FT_Load_Char(asFace(face), code, FT_LOAD_RENDER) != 0) {
        return false;
    }
    FT_GlyphSlot slot = asFace(face)->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY && bitmap.rows > 0) {
        return false;
    }
    out.width = static_cast<int>(bitmap.width);
    out.rows = static_cast<int>(bitmap.rows);
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.coverage.assign(static_cast<size_t>(out.width) * out.rows, 0);
    for (int y = 0; y < out.rows; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x) {
            out.coverage[static_cast<size_t>(y) * out.width + x] = row[x];
        }
    }
    return true;
}

int FontFace::kerning(uint32_t left, uint32_t right) const
{
    if (face == nullptr || !FT_HAS_KERNING(asFace(face))) {
        return 0;
    }
    FT_Vector delta{};
    FT_UInt a = FT_Get_Char_Index(asFace(face), left);
    FT_UInt b = FT_Get_Char_Index(asFace(face), right);
    if (FT_Get_Kerning(asFace(face), a, b, FT_KERNING_DEFAULT, &delta) != 0) {
        return 0;
    }
    return static_cast<int>((delta.x + 32) >> 6);
}
