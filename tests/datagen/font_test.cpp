// SPDX-License-Identifier: MIT
// The font: the glyph table's format and the game's own loader, the atlas layout, and the font as the
// game draws it (each glyph whole and alone, one baseline, a best-times level block on screen, menu
// lines that fit).
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <sstream>

#include "app/game_reset.h"
#include "level/map_list.h"
#include "pack_fixture.h"
#include "platform/draw.h"
#include "platform/headless/headless.h"
#include "screen/best_times_screen.h"
#include "screen/font.h"
#include "screen/font_loader.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"

using namespace packtest;

namespace {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

constexpr float SmallScale = 0.3939394f; // 13/33, the best-times and statistics text

class FontTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(pack().empty()) << "no data pack: the generator failed";
        std::vector<uint8_t> bytes = readBytes(pack() / "font.dat");
        text.assign(bytes.begin(), bytes.end());
        std::istringstream in(text);
        ASSERT_TRUE(in >> first >> last) << "font.dat does not start with two numbers";
        char c = 0;
        Rect r;
        while (in >> c >> r.left >> r.top >> r.right >> r.bottom) {
            codes.push_back(c);
            rects[static_cast<unsigned char>(c)] = r;
        }
        ASSERT_TRUE(loadPicture(pack() / "font_0.bmp", atlas));
    }

    const Rect& rect(char c) const { return rects[static_cast<unsigned char>(c)]; }
    bool inked(int x, int y) const { return atlas.at(x, y)[0] != 0; }

    // Rows of the rectangle, counted from its top, that hold the first and last ink.
    std::pair<int, int> inkRows(char c) const
    {
        const Rect& r = rect(c);
        int top = r.height();
        int bottom = -1;
        for (int y = r.top; y < r.bottom; ++y) {
            for (int x = r.left; x < r.right; ++x) {
                if (inked(x, y)) {
                    top = std::min(top, y - r.top);
                    bottom = std::max(bottom, y - r.top);
                }
            }
        }
        return {top, bottom};
    }

    // The advance of a one-line text at scale 1, as the game measures it.
    int width(const std::string& line) const
    {
        int w = 0;
        for (char c : line)
            w += (c >= first && c <= last) ? rect(c).width() : 10;
        return w;
    }

    std::string text;
    int first = 0;
    int last = 0;
    std::vector<char> codes;
    Rect rects[256];
    Picture atlas;
};

// The pack's font loaded by the game's loader into a Font of its own, drawn by the game's text
// drawing into the headless frame.
class DrawnFontTest : public FontTest {
protected:
    void SetUp() override
    {
        FontTest::SetUp();
        ASSERT_TRUE(headless::ensureGlContext()) << "no GL for drawing text";
        font = std::make_unique<Font>();
        const std::string folder = pack().string();
        ASSERT_TRUE(loadFont(*font, folder + "/font", folder + "/font.dat"));
    }

    // White text on black; the frame's red channel is what the player sees of it.
    headless::Frame draw(const std::string& line, float x, float y, float scale)
    {
        draw::clearColor(0.0f, 0.0f, 0.0f, 1.0f);
        draw::clear(true, false);
        font->setScale(scale);
        font->setColor(1.0f, 1.0f, 1.0f, 1.0f);
        font->setPosition(x, y);
        font->drawText(line.c_str());
        draw::finish();
        return headless::readFrame();
    }

    std::unique_ptr<Font> font;
};

// Blended over black, a texel of coverage I shows as I x I / 255.
int shown(int coverage)
{
    return (coverage * coverage + 127) / 255;
}

} // namespace

TEST_F(FontTest, TableListsEveryPrintableCharacterOnceAndEndsAtItsLastNumber)
{
    EXPECT_EQ(first, 33);
    EXPECT_EQ(last, 126);
    ASSERT_EQ(codes.size(), 94u) << "glyph entries";
    for (size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(codes[i], static_cast<char>(33 + i)) << "entry " << i;
    }
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(text.back())))
        << "the game's reader fails on anything after the last number";
}

TEST_F(FontTest, TheGamesLoaderReadsTheImagesAndTheSameRectangles)
{
    ASSERT_TRUE(headless::ensureGlContext()) << "no GL for the font upload";
    auto font = std::make_unique<Font>();
    const std::string folder = pack().string();
    ASSERT_TRUE(loadFont(*font, folder + "/font", folder + "/font.dat")) << "loadFont refused the pack's font";
    EXPECT_TRUE(font->loaded);
    EXPECT_EQ(font->firstChar, 33);
    EXPECT_EQ(font->lastChar, 126);
    for (char c : codes) {
        unsigned char i = static_cast<unsigned char>(c);
        EXPECT_EQ(font->glyphLeft[i], static_cast<float>(rect(c).left)) << c;
        EXPECT_EQ(font->glyphTop[i], static_cast<float>(rect(c).top)) << c;
        EXPECT_EQ(font->glyphRight[i], static_cast<float>(rect(c).right)) << c;
        EXPECT_EQ(font->glyphBottom[i], static_cast<float>(rect(c).bottom)) << c;
    }
    EXPECT_TRUE(std::equal(atlas.rgb.begin(), atlas.rgb.end(), font->pixels[0].begin())) << "level 0 pixels differ";
    EXPECT_EQ(headless::messageBoxes().size(), 0u) << "the loader complained";
}

TEST_F(FontTest, RectanglesLieInsideTheAtlasApartAndNothingBetween)
{
    ASSERT_EQ(atlas.width, 256);
    ASSERT_EQ(atlas.height, 256);
    std::vector<int> owner(256 * 256, -1);
    for (char c : codes) {
        const Rect& r = rect(c);
        ASSERT_GT(r.width(), 0) << c;
        ASSERT_GT(r.height(), 0) << c;
        // The game divides texel coordinates by 255, so sampling may reach one texel past the right
        // and bottom edges: that texel must exist and belong to no other glyph.
        ASSERT_TRUE(r.left >= 0 && r.top >= 0 && r.right <= 255 && r.bottom <= 255) << c << " leaves the atlas";
        for (int y = r.top; y <= r.bottom; ++y) {
            for (int x = r.left; x <= r.right; ++x) {
                int& o = owner[static_cast<size_t>(y) * 256 + x];
                EXPECT_EQ(o, -1) << c << " overlaps glyph " << static_cast<char>(o) << " at " << x << "," << y;
                o = c;
            }
        }
    }
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            if (owner[static_cast<size_t>(y) * 256 + x] == -1) {
                ASSERT_FALSE(inked(x, y)) << "stray ink outside every glyph at " << x << "," << y;
            }
        }
    }
}

TEST_F(FontTest, LineSpacingLetsNineSmallLinesFitAboveTheTotal)
{
    const int spacing = rect('!').height();
    EXPECT_LE(spacing * SmallScale * 9.0f, 74.0f) << "eight levels and the dashes overflow onto the total";
    EXPECT_GE(spacing, 16) << "menu text would be too small to read";
    EXPECT_LE(spacing, rect('A').height());
}

TEST_F(FontTest, MenuAndClockTextsFitTheScreen)
{
    struct Line {
        const char* text;
        int x;
        int limit;
    };
    const Line lines[] = {
        {"Statistics: OFF", 185, 600}, {"Far Sight: OFF", 185, 600}, {"Camera Lag: 10", 185, 600},
        {"NeW Game", 220, 600},        {"HIGHSCORE", 220, 600},      {"Best Times", 205, 600},
        {"45.00", 280, 600},           {"1800.00", 255, 440}, // a time cell must end before the names
    };
    for (const Line& line : lines) {
        EXPECT_LE(line.x + width(line.text), line.limit)
            << "\"" << line.text << "\" is " << width(line.text) << " wide";
    }
    // The level banner starts at scale 3, centred by the width of "Level 1".
    const float bannerLeft = 320.0f - 0.5f * 3.0f * static_cast<float>(width("Level 1"));
    EXPECT_GE(bannerLeft, 0.0f);
    EXPECT_LE(bannerLeft + 3.0f * static_cast<float>(width("Level 10")), 640.0f) << "the banner of level 10 is cut off";
}

TEST_F(DrawnFontTest, EveryGlyphDrawsAllOfItsInkAndNothingOfItsNeighbours)
{
    // At scale 1 a glyph drawn at (100, 100) must show exactly the ink of its own rectangle, at
    // most one texel off (the game's coordinate mapping), with no ink of its own left out.
    for (char c : codes) {
        const Rect& r = rect(c);
        headless::Frame frame = draw(std::string(1, c), 100.0f, 100.0f, 1.0f);
        bool matched = false;
        for (int dy = 0; dy <= 1 && !matched; ++dy) {
            for (int dx = 0; dx <= 1 && !matched; ++dx) {
                bool same = true;
                for (int y = 0; y < r.height() && same; ++y) {
                    for (int x = 0; x < r.width() && same; ++x) {
                        same = std::abs(frame.at(100 + x, 100 + y)[0] -
                                        shown(atlas.at(r.left + dx + x, r.top + dy + y)[0])) <= 1;
                    }
                }
                // The texels of the glyph's cell (with its gap) that the window leaves out hold no ink.
                for (int y = r.top; y <= r.bottom && same; ++y) {
                    for (int x = r.left; x <= r.right && same; ++x) {
                        bool inWindow = x >= r.left + dx && x < r.right + dx && y >= r.top + dy && y < r.bottom + dy;
                        same = inWindow || !inked(x, y);
                    }
                }
                matched = same;
            }
        }
        EXPECT_TRUE(matched) << "'" << c << "' is not drawn as its own whole ink";
    }
}

TEST_F(DrawnFontTest, LettersAndDigitsSitOnOneBaseline)
{
    auto lowestInkRow = [&](char c) {
        headless::Frame frame = draw(std::string(1, c), 100.0f, 100.0f, 1.0f);
        int lowest = -1;
        for (int y = 100; y < 160; ++y) {
            for (int x = 100; x < 140; ++x) {
                if (frame.at(x, y)[0] > 60)
                    lowest = y;
            }
        }
        return lowest;
    };
    const int baseline = lowestInkRow('H');
    ASSERT_GT(baseline, 100) << "H draws nothing";
    for (char c : std::string("ABEHIKLMNTXZabcdehiklmnorstuvwxz0123456789")) {
        EXPECT_EQ(lowestInkRow(c), baseline) << "'" << c << "' does not sit on the baseline";
    }
    EXPECT_GT(lowestInkRow('g'), baseline) << "descenders reach below the baseline";
}

TEST_F(DrawnFontTest, TheBestTimesScreenShowsAllEightLevelLinesAboveTheDashes)
{
    // The screen's left block: level lines from one line below y = -13, dashes at y = 61.
    resetGame();
    LevelCount = 8;
    LevelTimes.assign(8, 20.0f);
    NewRecordRank = -1;
    Font saved = std::move(TheFont);
    TheFont = *font;
    draw::clearColor(0.0f, 0.0f, 0.0f, 1.0f);
    draw::clear(true, false);
    drawBestTimes();
    draw::finish();
    headless::Frame frame = headless::readFrame();
    TheFont = std::move(saved);

    auto inkRow = [&](int y, int x0, int x1) {
        for (int x = x0; x < x1; ++x) {
            if (frame.at(x, y)[0] > 60)
                return true;
        }
        return false;
    };
    // Bands of rows with ink in the "Le" of the "Level n:" labels (x 0..9), above the total at 74.
    std::vector<std::pair<int, int>> bands;
    for (int y = 0; y < 74; ++y) {
        if (!inkRow(y, 0, 10))
            continue;
        if (bands.empty() || bands.back().second != y - 1) {
            bands.push_back({y, y});
        } else {
            bands.back().second = y;
        }
    }
    ASSERT_EQ(bands.size(), 8u) << "level lines on screen above the total";
    const int fullHeight = bands[1].second - bands[1].first;
    EXPECT_GE(bands[0].second - bands[0].first, fullHeight) << "the first level line is cut by the top of the screen";
    int dashesTop = 62;
    while (dashesTop < 74 && !inkRow(dashesTop, 80, 120))
        ++dashesTop;
    ASSERT_LT(dashesTop, 74) << "no dashes drawn";
    EXPECT_LT(bands.back().second, dashesTop) << "the last level line runs into the dashes";
}
