// SPDX-License-Identifier: MIT
// The Font: a proportional bitmap font in one 256 x 256 texture (GL texture 10) with a glyph table,
// and the text operations that draw it in the 640 x 480 virtual screen. One global, TheFont.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int FontLevels = 9;
constexpr int FontSlotBytes = 256 * 256 * 3;
constexpr unsigned FontTextureName = 10;
// How far a character without a glyph (the space among them) moves the pen, at scale 1.
constexpr float OutsideTableAdvance = 10.0f;

struct Font {
    float glyphLeft[256] = {};
    float glyphRight[256] = {};
    float glyphTop[256] = {};
    float glyphBottom[256] = {};
    std::array<std::array<uint8_t, FontSlotBytes>, FontLevels> pixels{};
    int32_t firstChar = -1;
    int32_t lastChar = -1;
    bool loaded = false;
    float lineStartX = 0.0f;
    float penX = 0.0f;
    float penY = 0.0f;
    float scale = 1.0f;
    float color[4] = {1.0f, 1.0f, 1.0f, 1.0f};

    void setScale(float s);
    void setPosition(float x, float y);
    void setColor(float r, float g, float b, float a);
    void drawText(const char* text);
    // Moves the pen to (x, y) and draws the text there: a page's cell.
    void drawTextAt(float x, float y, const std::string& text);
    void drawNumber(float value, int decimals);
    float measureText(const char* text) const;
    // Whether the character has a glyph in the table. Characters are signed bytes, so codes above 127
    // are negative and never have one; a table whose first code is negative never indexes below 0.
    bool hasGlyph(int c) const { return c >= 0 && c >= firstChar && c <= lastChar; }
    // Composes one line of text into an RGB picture (rows bottom-up, one pixel a virtual-screen unit)
    // with its top-left at (x, y) from the top, in the scale and colour set, as drawText would draw it
    // over the picture; what falls outside the picture is left out.
    void composeText(uint8_t* rgb, int width, int height, float x, float y, const std::string& text) const;
    // Height of a text line: the height of the glyph of "!".
    float lineHeight() const { return glyphBottom[33] - glyphTop[33]; }
};

extern Font TheFont;

// The text drawNumber draws: decimals 0 truncates toward zero; n > 0 (at most 9 are honoured) rounds
// half-up to n places, so 2.999 with two gives "3.00". A negative value with decimals is written as
// its magnitude with a minus sign in front ("-3.07"), and no sign when it rounds to zero.
std::string formatNumber(float value, int decimals);
