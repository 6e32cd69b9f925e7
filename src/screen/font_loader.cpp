// SPDX-License-Identifier: MIT
// The font loader: the nine font images into the Font's picture slots and GL texture 10, then the glyph
// table text into its rectangles. Drawing text lives in screen/font.cpp.
#include "screen/font_loader.h"

#include <array>
#include <string>

#include "level/bmp.h"
#include "level/token_reader.h"
#include "platform/draw.h"
#include "platform/platform.h"
#include "screen/font.h"

namespace {

// Glyph characters index the tables directly; only printable ASCII without the space is a glyph.
constexpr char FirstGlyphCharacter = 33;
constexpr char LastGlyphCharacter = 126;

void uploadFontTexture(const Font& font)
{
    const uint8_t* levels[FontLevels];
    for (int i = 0; i < FontLevels; ++i)
        levels[i] = font.pixels[i].data();
    // Intensity: the red channel is the glyph's coverage.
    draw::uploadTexture(FontTextureName, draw::TextureFormat::Intensity, draw::Wrap::Clamp, 256, FontLevels, levels);
}

} // namespace

bool parseFontMetrics(Font& font, const std::string& text)
{
    TokenReader reader(text);
    int32_t firstChar = 0;
    int32_t lastChar = 0;
    if (!reader.readInt(firstChar) || !reader.readInt(lastChar))
        return false;
    // Text drawing compares character codes against this range and indexes 256-entry tables with it.
    if (firstChar < 0 || lastChar > 255 || firstChar > lastChar)
        return false;

    // The tables are filled aside and taken over only when the whole file was good.
    std::array<float, 256> left{}, top{}, right{}, bottom{};
    char c = 0;
    if (!reader.readChar(c))
        return false;
    for (;;) {
        if (c < FirstGlyphCharacter || c > LastGlyphCharacter)
            return false;
        auto code = static_cast<unsigned char>(c);
        if (!reader.readReal(left[code]) || !reader.readReal(top[code]) || !reader.readReal(right[code]) ||
            !reader.readReal(bottom[code]))
            return false;
        // The file ends with its last glyph's fourth number; a final line break is fine too.
        if (reader.endReached() || reader.onlyWhitespaceLeft())
            break;
        if (!reader.readChar(c))
            return false;
    }

    for (int i = 0; i < 256; ++i) {
        font.glyphLeft[i] = left[i];
        font.glyphTop[i] = top[i];
        font.glyphRight[i] = right[i];
        font.glyphBottom[i] = bottom[i];
    }
    font.firstChar = firstChar;
    font.lastChar = lastChar;
    return true;
}

bool loadFont(Font& font, const std::string& baseName, const std::string& metricsName)
{
    for (int i = 0; i < FontLevels; ++i) {
        std::string name = baseName + "_" + std::to_string(i) + ".bmp";
        int side = 256 >> i;
        int width = 0;
        int height = 0;
        if (!readBmp(name, font.pixels[i].data(), FontSlotBytes, &width, &height) || width != side || height != side) {
            platform::messageBox(name, "error", false);
            return false;
        }
    }
    uploadFontTexture(font);

    std::string text;
    if (!readTextFile(metricsName, text) || !parseFontMetrics(font, text))
        return false;
    font.loaded = true;
    return true;
}
