// SPDX-License-Identifier: MIT
// The font loader on real files: the nine images into texture 10 as intensity, the glyph table with its
// accepted and refused forms, and the one message for an unreadable image.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "level/file_fixture.h"
#include "platform/draw.h"
#include "platform/headless/headless.h"
#include "screen/font.h"
#include "screen/font_loader.h"

namespace {

const std::string GoodMetrics = "33 126\n"
                                "! 0 0 5 20\n"
                                "A 5 0 17 20\n"
                                "~ 200.5 40 210.25 52";

class FontLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        ASSERT_TRUE(headless::ensureGlContext()) << platform::lastErrorText();
        // Start without a font texture so "nothing uploaded" can be seen.
        draw::deleteTexture(FontTextureName);
        writeMipFiles("font", 256, FontLevels, 20);
    }

    TempFolder folder;
    std::unique_ptr<Font> font = std::make_unique<Font>();
};

TEST_F(FontLoad, LoadsImagesTextureAndGlyphs)
{
    writeFile("font.dat", GoodMetrics);
    ASSERT_TRUE(loadFont(*font, "font", "font.dat"));
    EXPECT_TRUE(font->loaded);
    EXPECT_TRUE(headless::messageBoxes().empty());
    EXPECT_EQ(font->firstChar, 33);
    EXPECT_EQ(font->lastChar, 126);
    EXPECT_EQ(font->glyphLeft['A'], 5.0f);
    EXPECT_EQ(font->glyphTop['A'], 0.0f);
    EXPECT_EQ(font->glyphRight['A'], 17.0f);
    EXPECT_EQ(font->glyphBottom['A'], 20.0f);
    EXPECT_EQ(font->glyphLeft['~'], 200.5f);
    EXPECT_EQ(font->glyphRight['~'], 210.25f);
    EXPECT_EQ(font->lineHeight(), 20.0f);
    EXPECT_EQ(font->glyphRight['B'], 0.0f) << "an unlisted code keeps an empty rectangle";

    for (int i = 0; i < FontLevels; ++i) {
        int side = 256 >> i;
        // Intensity keeps the red channel only; reading it back as luminance gives that red.
        headless::TextureLevel level = headless::textureLevel(FontTextureName, i, true);
        EXPECT_EQ(level.width, side) << "font level " << i;
        const std::vector<uint8_t>& intensity = level.texels;
        std::vector<uint8_t> rgb = patternPixels(side, side, 20 + i);
        std::vector<uint8_t> red;
        for (size_t k = 0; k < rgb.size(); k += 3)
            red.push_back(rgb[k]);
        EXPECT_EQ(intensity, red) << "font level " << i << " is not the red channel of font_" << i << ".bmp";
    }
    headless::TextureLevel level = headless::textureLevel(FontTextureName, 0);
    EXPECT_TRUE(level.internalFormat == "GL_INTENSITY" || level.internalFormat == "GL_INTENSITY8")
        << "internal format " << level.internalFormat;
    EXPECT_EQ(level.wrapS, "GL_CLAMP");
    EXPECT_EQ(level.wrapT, "GL_CLAMP");
    EXPECT_EQ(level.magFilter, "GL_NEAREST");
    EXPECT_EQ(level.minFilter, "GL_NEAREST_MIPMAP_NEAREST");
    EXPECT_EQ(headless::glState().error, "GL_NO_ERROR");
}

TEST_F(FontLoad, AcceptsAFinalLineBreak)
{
    writeFile("font.dat", GoodMetrics + "\n");
    EXPECT_TRUE(loadFont(*font, "font", "font.dat"));
    EXPECT_TRUE(font->loaded);
}

TEST_F(FontLoad, AMissingImageIsNamedAndNothingIsUploaded)
{
    writeFile("font.dat", GoodMetrics);
    std::filesystem::remove("font_4.bmp");
    EXPECT_FALSE(loadFont(*font, "font", "font.dat"));
    EXPECT_FALSE(font->loaded);
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "font_4.bmp");
    EXPECT_EQ(headless::messageBoxes()[0].caption, "error");
    EXPECT_FALSE(headless::messageBoxes()[0].owned);
    EXPECT_FALSE(headless::textureLevel(FontTextureName, 0).exists)
        << "the font texture was created although an image was missing";
}

TEST_F(FontLoad, AnImageOfTheWrongSizeIsRefused)
{
    writeFile("font.dat", GoodMetrics);
    BmpLayout layout;
    layout.width = 32;
    layout.height = 32;
    writeFile("font_2.bmp", makeBmp(layout, patternPixels(32, 32, 0)));
    EXPECT_FALSE(loadFont(*font, "font", "font.dat"));
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "font_2.bmp");
}

TEST_F(FontLoad, AMissingGlyphTableFailsSilently)
{
    EXPECT_FALSE(loadFont(*font, "font", "font.dat"));
    EXPECT_FALSE(font->loaded);
    EXPECT_TRUE(headless::messageBoxes().empty());
}

TEST(FontMetrics, RefusesBadTablesAndLeavesTheFontAlone)
{
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"a range only", "33 126"},
        {"a range and a line break", "33 126\n"},
        {"a glyph without numbers", "33 126 !"},
        {"a glyph with three numbers", "33 126 ! 0 0 5"},
        {"a glyph number that is no number", "33 126 ! 0 0 x 20"},
        {"a glyph character below 33", std::string("33 126 \x01 0 0 5 20")},
        {"a glyph character 127", std::string("33 126 \x7f 0 0 5 20")},
        {"a glyph character above 127", std::string("33 126 \xc3 0 0 5 20")},
        {"a negative first character", "-1 126 ! 0 0 5 20"},
        {"a last character above 255", "33 256 ! 0 0 5 20"},
        {"the range out of order", "126 33 ! 0 0 5 20"},
        {"a first character that is no number", "x 126 ! 0 0 5 20"},
        {"a second glyph cut short", "33 126 ! 0 0 5 20 A 1 2"},
    };
    for (const auto& c : cases) {
        auto font = std::make_unique<Font>();
        EXPECT_FALSE(parseFontMetrics(*font, c.text)) << c.what;
        EXPECT_EQ(font->firstChar, -1) << c.what << ": the range changed";
        EXPECT_EQ(font->glyphRight['!'], 0.0f) << c.what << ": a rectangle changed";
        EXPECT_FALSE(font->loaded) << c.what;
    }
}

TEST(FontMetrics, AcceptsTheWholeRangeAndRepeatedGlyphs)
{
    auto font = std::make_unique<Font>();
    ASSERT_TRUE(parseFontMetrics(*font, "0 255\n! 1 2 3 4\n! 5 6 7 8\n~ 0 0 1 1 \t\r\n"));
    EXPECT_EQ(font->firstChar, 0);
    EXPECT_EQ(font->lastChar, 255);
    EXPECT_EQ(font->glyphLeft['!'], 5.0f) << "the later rectangle of a repeated glyph wins";
    EXPECT_EQ(font->glyphBottom['!'], 8.0f);
    EXPECT_FALSE(font->loaded) << "only loadFont marks the font loaded";

    ASSERT_TRUE(parseFontMetrics(*font, "0x21 0176 ! 1 2 3 4")) << "the range takes prefixed numbers";
    EXPECT_EQ(font->lastChar, 126);
}

} // namespace
