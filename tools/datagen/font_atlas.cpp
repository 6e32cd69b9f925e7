// SPDX-License-Identifier: MIT
// Building the font atlas: measuring the line box over all glyphs, packing rectangles in rows with a
// black gap, placing each glyph's ink inside its rectangle, and writing the images and glyph table.
//
// The game maps texel coordinates to texture coordinates by dividing by 255, not 256. With nearest
// filtering at scale 1, a pixel whose texel coordinate x falls below 127.5 samples texel x exactly,
// one above it samples texel x + 1, and texel 127 is never sampled. So no rectangle spans column or
// row 127, and a glyph whose rectangle lies beyond it has its ink drawn one texel right (or down) of
// the rectangle, where the game will look for it. A black column and row separate the
// rectangles, so nothing of a neighbour shows when the sampling lands one texel off.
#include "font_atlas.h"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "bmp_writer.h"
#include "font_face.h"

namespace {

struct LineBox {
    int ascent = 0;  // rows above the baseline
    int descent = 0; // rows below it
};

LineBox measureLine(const std::vector<GlyphBitmap>& bitmaps)
{
    LineBox box;
    for (const GlyphBitmap& g : bitmaps) {
        if (g.rows == 0) {
            continue;
        }
        box.ascent = std::max(box.ascent, g.top);
        box.descent = std::max(box.descent, g.rows - g.top);
    }
    return box;
}

// Drops blank columns at either side of a bitmap, moving its bearing to match, so placement works
// on the ink itself.
void trimColumns(GlyphBitmap& g)
{
    auto blank = [&](int x) {
        for (int y = 0; y < g.rows; ++y) {
            if (g.coverage[static_cast<size_t>(y) * g.width + x] != 0)
                return false;
        }
        return true;
    };
    int first = 0;
    int last = g.width - 1;
    while (first <= last && blank(first))
        ++first;
    while (last >= first && blank(last))
        --last;
    if (first > last) {
        return;
    }
    const int width = last - first + 1;
    std::vector<uint8_t> kept(static_cast<size_t>(width) * g.rows);
    for (int y = 0; y < g.rows; ++y) {
        for (int x = 0; x < width; ++x) {
            kept[static_cast<size_t>(y) * width + x] = g.coverage[static_cast<size_t>(y) * g.width + first + x];
        }
    }
    g.coverage = std::move(kept);
    g.left += first;
    g.width = width;
}

// Rectangle width and ink column offset for one glyph: the advance, widened only when the ink is
// wider than it; the ink keeps its bearing, and a blank column at its left when the advance has room.
void fitGlyph(const GlyphBitmap& g, int& width, int& inkOffset)
{
    width = std::max(g.advance, g.width);
    const int room = width - g.width;
    inkOffset = std::clamp(g.left, std::min(1, room), room);
}

// Spans ending at or before texel 127 are sampled where they are; spans starting at or after 128 are
// sampled one texel further. (A span starting at 127 would put a pixel exactly on the rounding edge.)
constexpr int LastPlainTexel = 127;
constexpr int FirstShiftedTexel = 128;

// Moves a span [start, start + length) that would reach across texel 127 to start at 128.
int avoidStep(int start, int length)
{
    return (start < FirstShiftedTexel && start + length > LastPlainTexel) ? FirstShiftedTexel : start;
}

int samplingShift(int start)
{
    return start >= FirstShiftedTexel ? 1 : 0;
}

bool packAtlas(const std::vector<GlyphBitmap>& bitmaps, const LineBox& box, FontAtlas& atlas)
{
    const int lineHeight = 1 + box.ascent + box.descent;
    atlas.image = Image(AtlasSize, AtlasSize);
    atlas.glyphs.clear();
    atlas.lineHeight = lineHeight;
    atlas.ascent = box.ascent;
    int penX = 0;
    int penY = 0;
    for (size_t i = 0; i < bitmaps.size(); ++i) {
        const GlyphBitmap& g = bitmaps[i];
        const bool spacing = i == 0; // "!" carries the line spacing
        const int height = spacing ? lineHeight : GlyphHeight;
        int width = 0;
        int inkOffset = 0;
        fitGlyph(g, width, inkOffset);
        penX = avoidStep(penX, width);
        // The rectangle, its shifted ink and the gap after it must stay inside the atlas.
        if (penX + width + 1 > AtlasSize) {
            penX = 0;
            penY = avoidStep(penY + GlyphHeight + 1, GlyphHeight);
        }
        if (penY + GlyphHeight + 1 > AtlasSize || width + 1 > AtlasSize) {
            return false;
        }
        // The ink ends one blank row above the rectangle's bottom, as the game samples it.
        const int inkLeft = penX + samplingShift(penX) + inkOffset;
        const int baseline = penY + samplingShift(penY) + height - 1 - box.descent;
        for (int y = 0; y < g.rows; ++y) {
            for (int x = 0; x < g.width; ++x) {
                uint8_t c = g.coverage[static_cast<size_t>(y) * g.width + x];
                uint8_t* p = atlas.image.at(inkLeft + x, baseline - g.top + y);
                p[0] = p[1] = p[2] = c;
            }
        }
        AtlasGlyph glyph;
        glyph.code = static_cast<char>(FirstGlyph + static_cast<int>(i));
        glyph.left = penX;
        glyph.top = penY;
        glyph.right = penX + width;
        glyph.bottom = penY + height;
        atlas.glyphs.push_back(glyph);
        penX += width + 1;
    }
    return true;
}

} // namespace

bool buildFontAtlas(const std::string& fontPath, int maxLineHeight, FontAtlas& out)
{
    FontFace face;
    if (!face.open(fontPath)) {
        return false;
    }
    for (int size = 2 * maxLineHeight; size >= 6; --size) {
        if (!face.setPixelSize(size)) {
            return false;
        }
        std::vector<GlyphBitmap> bitmaps(LastGlyph - FirstGlyph + 1);
        for (int code = FirstGlyph; code <= LastGlyph; ++code) {
            GlyphBitmap& bitmap = bitmaps[static_cast<size_t>(code - FirstGlyph)];
            if (!face.render(static_cast<uint32_t>(code), bitmap)) {
                return false;
            }
            trimColumns(bitmap);
        }
        LineBox box = measureLine(bitmaps);
        if (1 + box.ascent + box.descent > maxLineHeight) {
            continue;
        }
        if (packAtlas(bitmaps, box, out)) {
            out.pixelSize = size;
            return true;
        }
    }
    return false;
}

std::string fontMetricsText(const FontAtlas& atlas)
{
    std::ostringstream text;
    text << FirstGlyph << ' ' << LastGlyph;
    for (const AtlasGlyph& g : atlas.glyphs) {
        text << '\n' << g.code << ' ' << g.left << ' ' << g.top << ' ' << g.right << ' ' << g.bottom;
    }
    return text.str();
}

bool writeFont(const std::string& folder, const std::string& fontPath)
{
    FontAtlas atlas;
    if (!buildFontAtlas(fontPath, MaxLineHeight, atlas)) {
        return false;
    }
    if (!writeMipBmps(folder + "/font", atlas.image, AtlasMipLevels)) {
        return false;
    }
    std::ofstream file(folder + "/font.dat", std::ios::binary | std::ios::trunc);
    file << fontMetricsText(atlas);
    return static_cast<bool>(file);
}
