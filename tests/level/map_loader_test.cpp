// SPDX-License-Identifier: MIT
// The map loader on real files in a temporary folder with a real GL context: the example level, number
// syntax, every failure message (or its absence), the texture upload and what a failed load leaves.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "level/board.h"
#include "level/file_fixture.h"
#include "level/map_loader.h"
#include "platform/headless/headless.h"
#include "render/board_renderer.h"
#include "sim/marble.h"

namespace {

// Two holes: a dip of depth 150 and radius 60 at (0, -3000) and a bump at (-300, 1500).
const std::string ExampleLevel = "texturefile= grass\n"
                                 "fogcolor= 0x8090a0\n"
                                 "marblecolor= 0xff2020\n"
                                 "holecount= 2\n"
                                 ".data\n"
                                 "0 -3000 60 150\n"
                                 "-300 1500 90 -40\n"
                                 ".end";

std::vector<uint8_t> textureLevel(unsigned name, int level)
{
    return headless::textureLevel(name, level).texels;
}

// The example's surface by its own formula, as an oracle independent of the board's code.
double exampleHeight(double x, double y)
{
    return 150.0 * 60.0 / std::sqrt(60.0 * 60.0 + x * x + (y + 3000.0) * (y + 3000.0)) +
        -40.0 * 90.0 / std::sqrt(90.0 * 90.0 + (x + 300.0) * (x + 300.0) + (y - 1500.0) * (y - 1500.0));
}

class MapLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        ASSERT_TRUE(headless::ensureGlContext()) << platform::lastErrorText();
        writeMipFiles("grass", 128, BoardTextureLevels, 10);
        writeMipFiles("sand", 128, BoardTextureLevels, 50);
    }

    bool load(const std::string& text, const std::string& name = "level.map")
    {
        writeFile(name, text);
        return loadBoardForPlay(*board, marble, name, texture);
    }

    std::vector<std::string> messages() const
    {
        std::vector<std::string> texts;
        for (const headless::MessageBoxRecord& box : headless::messageBoxes())
            texts.push_back(box.text);
        return texts;
    }

    void expectEmptyBoard(const std::string& why) const
    {
        EXPECT_TRUE(board->holes.empty()) << why;
        EXPECT_TRUE(TheBoardRenderer.vertices.empty()) << why;
        EXPECT_TRUE(TheBoardRenderer.projected.empty()) << why;
        EXPECT_TRUE(TheBoardRenderer.texCoords.empty()) << why;
    }

    TempFolder folder;
    std::unique_ptr<Board> board = std::make_unique<Board>();
    Marble marble;
    BoardTextureImages texture;
};

TEST_F(MapLoad, ExampleLevelLoadsEverything)
{
    ASSERT_TRUE(load(ExampleLevel)) << "messages: " << testing::PrintToString(messages());
    EXPECT_TRUE(headless::messageBoxes().empty());

    ASSERT_EQ(board->holes.size(), 2u);
    ASSERT_EQ(board->holes.size(), 2u);
    EXPECT_EQ(board->holes[0].x, 0.0f);
    EXPECT_EQ(board->holes[0].y, -3000.0f);
    EXPECT_EQ(board->holes[0].radius, 60.0f);
    EXPECT_EQ(board->holes[0].depth, 150.0f);
    EXPECT_EQ(board->holes[1].x, -300.0f);
    EXPECT_EQ(board->holes[1].depth, -40.0f);

    EXPECT_EQ(board->fogColorRGB, 0x8090a0u);
    EXPECT_FLOAT_EQ(board->fogColor[0], 128.0f / 255.0f);
    EXPECT_FLOAT_EQ(board->fogColor[1], 144.0f / 255.0f);
    EXPECT_FLOAT_EQ(board->fogColor[2], 160.0f / 255.0f);
    EXPECT_EQ(board->fogColor[3], 1.0f);
    EXPECT_EQ(board->marbleColorRGB, 0xff2020u);
    EXPECT_EQ(marble.color[0], 255.0f) << "the marble's colour is 0..255, not divided";
    EXPECT_EQ(marble.color[1], 32.0f);
    EXPECT_EQ(marble.color[2], 32.0f);

    ASSERT_EQ(TheBoardRenderer.vertices.size(), static_cast<size_t>(GridVertexCount));
    ASSERT_EQ(TheBoardRenderer.projected.size(), static_cast<size_t>(GridVertexCount));
    ASSERT_EQ(TheBoardRenderer.texCoords.size(), static_cast<size_t>(GridVertexCount));
    EXPECT_EQ(TheBoardRenderer.vertices[0].x, -750.0f);
    EXPECT_EQ(TheBoardRenderer.vertices[0].y, -6000.0f);
    EXPECT_NEAR(TheBoardRenderer.vertices[0].z, exampleHeight(-750, -6000), 1e-3);
    EXPECT_EQ(TheBoardRenderer.vertices[19999].x, 720.0f);
    EXPECT_EQ(TheBoardRenderer.vertices[19999].y, 5970.0f);
    EXPECT_EQ(TheBoardRenderer.texCoords[19999].x, 4.5f);
    EXPECT_EQ(TheBoardRenderer.texCoords[19999].y, 49.75f);
    // Grid row 100, column 25 is (0, -3000), the dip's centre.
    EXPECT_NEAR(TheBoardRenderer.vertices[100 * 50 + 25].z, exampleHeight(0, -3000), 1e-3);

    // Texture 1 holds the eight images, each at its own size, with the board's sampling state.
    for (int i = 0; i < BoardTextureLevels; ++i) {
        int side = 128 >> i;
        EXPECT_EQ(textureLevel(BoardTextureName, i), patternPixels(side, side, 10 + i))
            << "texture level " << i << " differs from grass_" << i << ".bmp";
        EXPECT_TRUE(std::equal(texture.levels[i].begin(), texture.levels[i].begin() + side * side * 3,
                               patternPixels(side, side, 10 + i).begin()))
            << "slot " << i << " differs from grass_" << i << ".bmp";
    }
    headless::TextureLevel level = headless::textureLevel(BoardTextureName, 0);
    EXPECT_EQ(level.wrapS, "GL_REPEAT");
    EXPECT_EQ(level.wrapT, "GL_REPEAT");
    EXPECT_EQ(level.magFilter, "GL_NEAREST");
    EXPECT_EQ(level.minFilter, "GL_NEAREST_MIPMAP_NEAREST");
    headless::GlState gl = headless::glState();
    EXPECT_TRUE(gl.texture2D) << "texturing stays enabled after the upload";
    EXPECT_EQ(gl.unpackAlignment, 4) << "the upload must put the unpack alignment back";
    EXPECT_EQ(gl.error, "GL_NO_ERROR");
}

TEST_F(MapLoad, TextCasesSucceedOrFailWithTheRightMessage)
{
    const std::string flat = "holecount= 0\n.data\n.end";
    const struct {
        const char* what;
        std::string text;
        bool ok;
        std::string message; // "" for a silent failure
    } cases[] = {
        {"the example with a final line break", ExampleLevel + "\n", true, ""},
        {"the example with trailing spaces and tabs", ExampleLevel + " \t\r\n\n", true, ""},
        {"holes first, a fog colour last", "holecount= 1 .data 0 0 10 10 .end\nfogcolor= 0x102030", true, ""},
        {"a flat board", flat, true, ""},
        {"keys on one line, tabs between", "fogcolor=\t16\tholecount=\t0\t.data\t.end", true, ""},
        {"an empty file", "", false, ""},
        {"only whitespace", " \n\t\n", false, ""},
        {"the fog key glued to its number", "fogcolor=0x8090a0\n" + flat, false,
         "level.map contains a unknown token fogcolor=0x8090a0"},
        {"an unknown first token", "hello", false, "level.map contains a unknown token hello"},
        {"too few hole values", "holecount= 2\n.data\n0 0 10 10\n.end", false, ""},
        {"a hole value that is no number", "holecount= 1 .data 0 zero 10 10 .end", false, ""},
        {"no .end after the values", "holecount= 1 .data 0 0 10 10 .ned", false, "expected .end"},
        {"the file ends after the values", "holecount= 1 .data 0 0 10 10", false, "expected .end"},
        {"the file ends after the values and a line break", "holecount= 1 .data 0 0 10 10\n", false, "expected .end"},
        {".data with no hole count", ".data\n.end", false, ""},
        {"a hole count with no .data", "fogcolor= 1\nholecount= 1", false, ""},
        {"a hole count with no .data, then a line break", "holecount= 1\n", false, ""},
        {"a hole count key with no value at the end", flat + "\nholecount=", false, ""},
        {"a negative hole count", "holecount= -1\n.data\n.end", false, ""},
        {"a hole count too large for 32 bits", "holecount= 99999999999 .data .end", false, ""},
        {"a colour that is no number, with more to follow", "fogcolor= zz\n" + flat, false, ""},
        {"a texture key with no name", "texturefile=", false, ""},
        {"a texture key with no name but whitespace", "texturefile= \n", false, ""},
        {"a second hole count replaces the first", "holecount= 5 holecount= 1 .data 1 2 3 4 .end", true, ""},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(load(ExampleLevel)) << "the level loaded before \"" << c.what << "\"";
        headless::clearRecords();
        bool ok = load(c.text);
        EXPECT_EQ(ok, c.ok) << c.what;
        std::vector<std::string> expected;
        if (!c.message.empty())
            expected.push_back(c.message);
        EXPECT_EQ(messages(), expected) << c.what;
        for (const headless::MessageBoxRecord& box : headless::messageBoxes()) {
            EXPECT_EQ(box.caption, "error") << c.what;
            EXPECT_FALSE(box.owned) << c.what << ": the box has no owner window";
        }
        if (!ok)
            expectEmptyBoard(c.what);
        else
            EXPECT_EQ(TheBoardRenderer.vertices.size(), static_cast<size_t>(GridVertexCount)) << c.what;
    }
}

TEST_F(MapLoad, AFogColourWithALeadingZeroIsOctal)
{
    ASSERT_TRUE(load("fogcolor= 010"));
    EXPECT_EQ(board->fogColorRGB, 8u);
    EXPECT_FLOAT_EQ(board->fogColor[2], 8.0f / 255.0f) << "blue 8 of 255";
    EXPECT_EQ(board->fogColor[0], 0.0f);
    ASSERT_TRUE(load("fogcolor= 16"));
    EXPECT_EQ(board->fogColorRGB, 16u) << "without the zero it is decimal";
}

TEST_F(MapLoad, AFlatBoardHasNoHolesAndZeroHeight)
{
    ASSERT_TRUE(load("holecount= 0\n.data\n.end"));
    EXPECT_EQ(board->holes.size(), 0u);
    for (size_t i = 0; i < TheBoardRenderer.vertices.size(); i += 997)
        EXPECT_EQ(TheBoardRenderer.vertices[i].z, 0.0f) << "grid vertex " << i;
}

TEST_F(MapLoad, AFileWithoutHolesMakesAFlatBoard)
{
    ASSERT_TRUE(load(ExampleLevel));
    ASSERT_TRUE(load("fogcolor= 0x010203", "second.map"));
    EXPECT_EQ(board->holes.size(), 0u) << "the previous level's holes must not survive";
    EXPECT_TRUE(board->holes.empty());
    EXPECT_EQ(TheBoardRenderer.vertices[100 * 50 + 25].z, 0.0f);
}

TEST_F(MapLoad, KeysALevelLeavesOutKeepThePreviousLevelsValues)
{
    ASSERT_TRUE(load(ExampleLevel));
    ASSERT_TRUE(load("holecount= 1\n.data\n100 200 30 40\n.end", "second.map"));
    EXPECT_EQ(board->fogColorRGB, 0x8090a0u) << "the first level's fog colour stays";
    EXPECT_FLOAT_EQ(board->fogColor[0], 128.0f / 255.0f);
    EXPECT_EQ(board->marbleColorRGB, 0xff2020u);
    ASSERT_EQ(board->holes.size(), 1u);
    EXPECT_EQ(board->holes[0].x, 100.0f);
    EXPECT_EQ(textureLevel(BoardTextureName, 0), patternPixels(128, 128, 10)) << "the texture stays";

    // A key with nothing after it at the very end keeps its field's previous value too.
    ASSERT_TRUE(load("holecount= 0 .data .end\nfogcolor=", "third.map"));
    EXPECT_EQ(board->fogColorRGB, 0x8090a0u);
}

TEST_F(MapLoad, AMissingTextureImageIsNamedAndNothingIsUploaded)
{
    ASSERT_TRUE(load("texturefile= sand", "sand.map"));
    std::filesystem::remove("grass_5.bmp");
    headless::clearRecords();
    EXPECT_FALSE(load(ExampleLevel));
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "grass_5.bmp");
    EXPECT_EQ(headless::messageBoxes()[0].caption, "error");
    for (int i = 0; i < 5; ++i) {
        int side = 128 >> i;
        EXPECT_TRUE(std::equal(texture.levels[i].begin(), texture.levels[i].begin() + side * side * 3,
                               patternPixels(side, side, 10 + i).begin()))
            << "image " << i << " was read before the missing one";
    }
    for (int i = 0; i < BoardTextureLevels; ++i) {
        int side = 128 >> i;
        EXPECT_EQ(textureLevel(BoardTextureName, i), patternPixels(side, side, 50 + i))
            << "texture 1 level " << i << " must still hold sand";
    }
    expectEmptyBoard("after the failed texture");
}

TEST_F(MapLoad, ATextureImageOfTheWrongSizeIsRefused)
{
    // sand_3.bmp must be 16 x 16; a 32 x 32 picture fits the slot but is the wrong level.
    BmpLayout layout;
    layout.width = 32;
    layout.height = 32;
    writeFile("sand_3.bmp", makeBmp(layout, patternPixels(32, 32, 1)));
    EXPECT_FALSE(load("texturefile= sand"));
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "sand_3.bmp");
}

TEST_F(MapLoad, ASecondTextureKeyReplacesTheFirst)
{
    ASSERT_TRUE(load("texturefile= grass\ntexturefile= sand"));
    EXPECT_EQ(textureLevel(BoardTextureName, 0), patternPixels(128, 128, 50));
    EXPECT_EQ(textureLevel(BoardTextureName, 7), patternPixels(1, 1, 57));
    EXPECT_EQ(headless::glState().error, "GL_NO_ERROR");
}

TEST_F(MapLoad, AMissingFileIsReported)
{
    EXPECT_FALSE(loadBoardForPlay(*board, marble, "level1.map", texture));
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, "level1.mapfile not found");
    EXPECT_EQ(headless::messageBoxes()[0].caption, "error");
    expectEmptyBoard("after a missing file");
}

TEST_F(MapLoad, LongNamesAreNeverCut)
{
    std::string token(400, 't');
    std::string name = std::string(200, 'm') + ".map";
    EXPECT_FALSE(load(token, name));
    ASSERT_EQ(headless::messageBoxes().size(), 1u);
    EXPECT_EQ(headless::messageBoxes()[0].text, name + " contains a unknown token " + token);
}

TEST_F(MapLoad, TextOnlyModeNeedsNeitherGlNorImages)
{
    Board textBoard;
    Marble textMarble;
    std::string text = "texturefile= nowhere\n" + ExampleLevel.substr(ExampleLevel.find('\n') + 1);
    BoardTextureImages textTexture;
    ASSERT_TRUE(loadMapText(textBoard, textMarble, "memory.map", text, MapLoadMode::TextOnly, textTexture));
    EXPECT_EQ(textBoard.holes.size(), 2u);
    EXPECT_EQ(textBoard.fogColorRGB, 0x8090a0u);
    EXPECT_FALSE(textTexture.read) << "the text-only mode reads no image";
    EXPECT_TRUE(headless::messageBoxes().empty()) << "no image was looked for";
}

} // namespace
