// SPDX-License-Identifier: MIT
// Text drawing through real GL: pen advance, line breaks, characters outside the glyph table, the GL
// state each glyph leaves, number formatting and measuring.
#include <gtest/gtest.h>

#include "screen/font.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

class FontTest : public ::testing::Test {
protected:
    void SetUp() override { freshDrawingState(); }
};

TEST_F(FontTest, SecondLineStartsAtTheFirstLinesXOneLineLower)
{
    clearFrame(0, 0, 0);
    TheFont.setScale(1.0f);
    TheFont.setPosition(40.0f, 100.0f);
    TheFont.setColor(1, 1, 1, 1);
    TheFont.drawText("FPS: ");
    TheFont.drawText("12");
    TheFont.drawText("\nPPS: ");
    TheFont.drawText("3");
    EXPECT_FLOAT_EQ(TheFont.penY, 100.0f + TestLineHeight) << "a line break moves down one '!' height";
    EXPECT_FLOAT_EQ(TheFont.penX, 40.0f + testTextWidth("PPS: 3", 1.0f)) << "second line starts at the first's x";

    headless::Frame f = headless::readFrame();
    InkRun first = inkRun(f, 0, 107, {0, 0, 0}, 12);
    InkRun second = inkRun(f, 0, 107 + TestLineHeight, {0, 0, 0}, 12);
    EXPECT_EQ(first.begin, 40) << "first line's ink begins at the pen";
    EXPECT_EQ(second.begin, 40) << "second line's ink begins at the same x";
    EXPECT_EQ(first.end, 40 + static_cast<int>(testTextWidth("FPS: 12", 1.0f)));
    EXPECT_EQ(second.end, 40 + static_cast<int>(testTextWidth("PPS: 3", 1.0f)));
    EXPECT_TRUE(near(pixel(f, 41, 100 + TestLineHeight - 1), {255, 255, 255}, 0)) << "glyph bottom row is inked";
    EXPECT_TRUE(near(pixel(f, 41, 100 + 2 * TestLineHeight), {0, 0, 0}, 0)) << "nothing below the second line";
}

TEST_F(FontTest, CharacterOutsideTheTableAdvancesTenTimesScaleAndDrawsNothing)
{
    struct Case {
        const char* text;
        const char* what;
    } cases[] = {
        {"A B", "space (below the first code)"},
        {"A\x7f"
         "B",
         "code 127 (above the last code)"},
        {"A\xe9"
         "B",
         "a byte above 127, negative as a signed character"},
    };
    for (const Case& c : cases) {
        clearFrame(0, 0, 0);
        TheFont.setScale(2.0f);
        TheFont.setPosition(100.0f, 50.0f);
        TheFont.drawText(c.text);
        float expected = 100.0f + 2.0f * (glyphWidth('A') + 10.0f + glyphWidth('B'));
        EXPECT_FLOAT_EQ(TheFont.penX, expected) << c.what;
        headless::Frame f = headless::readFrame();
        int gapStart = 100 + static_cast<int>(2 * glyphWidth('A'));
        for (int x = gapStart; x < gapStart + 20; ++x) {
            ASSERT_TRUE(near(pixel(f, x, 60), {0, 0, 0}, 0)) << c.what << ": ink in the gap at x " << x;
        }
        EXPECT_TRUE(near(pixel(f, gapStart + 20, 60), {255, 255, 255}, 0)) << c.what << ": B follows the gap";
    }
}

TEST_F(FontTest, ATableWithANegativeFirstCodeNeverIndexesBelowZero)
{
    TheFont.firstChar = -128;
    TheFont.setScale(1.0f);
    TheFont.setPosition(0.0f, 0.0f);
    TheFont.drawText("\xe9");
    EXPECT_FLOAT_EQ(TheFont.penX, 10.0f) << "a negative code counts as outside the table";
    EXPECT_FLOAT_EQ(TheFont.measureText("\xe9\xe9"), 20.0f);
}

TEST_F(FontTest, NothingIsDrawnWhileTheFontIsNotLoaded)
{
    clearFrame(0, 0, 0);
    TheFont.loaded = false;
    TheFont.setPosition(10.0f, 10.0f);
    TheFont.drawText("Hello");
    EXPECT_FLOAT_EQ(TheFont.penX, 10.0f) << "the pen stays";
    EXPECT_EQ(distinctColors(headless::readFrame(), 2), 1) << "the frame stays blank";
}

TEST_F(FontTest, GlyphsAreBlendedInTheFontColourAndLeaveTheirState)
{
    clearFrame(0.0f, 0.0f, 1.0f);
    draw::fog(true);
    draw::depthTest(true);
    draw::cullFrontFaces(true);
    TheFont.setScale(1.0f);
    TheFont.setPosition(10.0f, 10.0f);
    TheFont.setColor(1.0f, 1.0f, 0.0f, 0.5f);
    TheFont.drawText("H");
    headless::Frame f = headless::readFrame();
    EXPECT_TRUE(near(pixel(f, 12, 15), {128, 128, 128}, 1))
        << "half-opaque yellow over blue, got " << str(pixel(f, 12, 15));

    headless::GlState s = headless::glState();
    EXPECT_TRUE(s.texture2D);
    EXPECT_EQ(s.boundTexture, FontTextureName);
    EXPECT_FALSE(s.depthTest);
    EXPECT_FALSE(s.fog) << "fog stays off after text";
    EXPECT_FALSE(s.cullFace);
    EXPECT_TRUE(s.blend);
    EXPECT_EQ(s.blendSource, "GL_SRC_ALPHA");
    EXPECT_EQ(s.blendDestination, "GL_ONE_MINUS_SRC_ALPHA");
    EXPECT_EQ(s.textureEnvMode, "GL_MODULATE");
}

TEST(FormatNumber, RoundsAndPadsAsTheClockAndTablesShowThem)
{
    struct Case {
        float value;
        int decimals;
        const char* expected;
    } cases[] = {
        {0.5f, 0, "0"},
        {2.999f, 2, "3.00"},
        {12.349f, 2, "12.35"},
        {3.07f, 2, "3.07"},
        {45.0f, 2, "45.00"},
        {0.0f, 2, "0.00"},
        {225.0f, 2, "225.00"},
        {12.34f, 2, "12.34"},
        {0.125f, 2, "0.13"},
        {6.0f, 0, "6"},
        {10.0f, 0, "10"},
        {9.9f, 0, "9"},
        {-2.7f, 0, "-2"},
        {-0.5f, 0, "0"},
        {-3.07f, 2, "-3.07"},
        {-0.001f, 2, "0.00"},
        {-12.349f, 2, "-12.35"},
        {1.25f, 1, "1.3"},
        {7.0f, 3, "7.000"},
        {0.004f, 2, "0.00"},
        {3.0e9f, 0, "3000000000"},
        {16777216.0f, 2, "16777216.00"},
        {1.5f, -1, "1"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(formatNumber(c.value, c.decimals), c.expected) << c.value << " with " << c.decimals << " decimals";
    }
}

TEST(FormatNumber, HugeValuesAndManyDecimalsStayBounded)
{
    std::string big = formatNumber(3.0e38f, 2);
    EXPECT_EQ(big.substr(big.size() - 3), ".00") << big;
    std::string many = formatNumber(0.5f, 1000);
    EXPECT_EQ(many, "0.500000000") << "decimals beyond 9 are treated as 9";
}

TEST_F(FontTest, DrawNumberAdvancesByTheFormattedText)
{
    TheFont.setScale(1.0f);
    TheFont.setPosition(0.0f, 0.0f);
    TheFont.drawNumber(2.999f, 2);
    EXPECT_FLOAT_EQ(TheFont.penX, testTextWidth("3.00", 1.0f));
}

TEST_F(FontTest, MeasureTextScalesWithTheScale)
{
    TheFont.setScale(1.0f);
    float one = TheFont.measureText("Level 1");
    TheFont.setScale(3.0f);
    float three = TheFont.measureText("Level 1");
    EXPECT_FLOAT_EQ(one, testTextWidth("Level 1", 1.0f));
    EXPECT_FLOAT_EQ(three, 3.0f * one);
    EXPECT_FLOAT_EQ(TheFont.penX, 0.0f) << "measuring does not move the pen";
}

TEST_F(FontTest, MeasureTextRestartsAtTheLineStartAfterABreak)
{
    TheFont.setScale(1.0f);
    TheFont.setPosition(30.0f, 0.0f);
    EXPECT_FLOAT_EQ(TheFont.measureText("AB\nC"), 30.0f + glyphWidth('C'));
}

} // namespace
