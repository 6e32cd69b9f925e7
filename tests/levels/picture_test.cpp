// SPDX-License-Identifier: MIT
// roliquo-level picture: a shipped level drawn with and without its par route; the size is the one the
// help states, and the start and finish marks sit where the board puts them (5 units a pixel).
#include <gtest/gtest.h>

#include "level_tool_runner.h"
#include "platform/headless/headless.h"

namespace {

// Board y runs along the width from -6000, x down the height from -750, five units a pixel.
constexpr int column(float y)
{
    return static_cast<int>((y + 6000.0f) / 5.0f);
}
constexpr int row(float x)
{
    return static_cast<int>((x + 750.0f) / 5.0f);
}

bool isColour(const headless::Frame& f, int x, int y, int r, int g, int b)
{
    const uint8_t* p = f.at(x, y);
    return p[0] == r && p[1] == g && p[2] == b;
}

int countColour(const headless::Frame& f, int r, int g, int b)
{
    int n = 0;
    for (int y = 0; y < f.height; ++y)
        for (int x = 0; x < f.width; ++x)
            n += isColour(f, x, y, r, g, b) ? 1 : 0;
    return n;
}

TEST(LevelPicture, ShowsTheBoardWithItsStartAndFinish)
{
    TempFolder folder;
    std::string name = shippedMapNames().at(0);
    std::string out = folder.file("level.png");
    std::string route = levelTestsPath("solutions/" + name.substr(0, name.size() - 4) + ".input");
    ToolRun run = runLevelTool({"picture", "--route", route, dataPackPath(name), out});
    ASSERT_EQ(run.status, 0) << run.errors;
    headless::Frame picture;
    ASSERT_TRUE(headless::loadPng(out, picture));
    ASSERT_EQ(picture.width, 2394);
    ASSERT_EQ(picture.height, 420);

    // The start: a white disc round (0, -5800) with a dark ring.
    EXPECT_TRUE(isColour(picture, column(-5800.0f), row(0.0f), 255, 255, 255));
    EXPECT_TRUE(isColour(picture, column(-5800.0f) + 3, row(0.0f), 255, 255, 255));
    EXPECT_TRUE(isColour(picture, column(-5800.0f) + 5, row(0.0f), 0, 0, 0));
    // The finish: two columns at y = 5800, black and white in turns of four rows, down the relief.
    for (int y : {0, 100, 290}) {
        int shade = (y / 4) % 2 == 0 ? 0 : 255;
        EXPECT_TRUE(isColour(picture, column(5800.0f), y, shade, shade, shade)) << "row " << y;
        EXPECT_TRUE(isColour(picture, column(5800.0f) + 1, y, shade, shade, shade)) << "row " << y;
    }
    EXPECT_FALSE(isColour(picture, column(5800.0f) - 1, 0, 0, 0, 0)) << "the finish line is two columns wide";
    // The par route is drawn (route colour) and has no falls (fall colour).
    EXPECT_GT(countColour(picture, 255, 214, 0), 1000);
    EXPECT_EQ(countColour(picture, 255, 0, 200), 0);
}

TEST(LevelPicture, MarksTheFallsOfARoute)
{
    // The golden run falls into a hole and leaves the board at both sides and behind the start.
    TempFolder folder;
    std::string out = folder.file("golden.png");
    ToolRun run =
        runLevelTool({"picture", "--route", levelTestsPath("golden/run.in"), levelTestsPath("golden/golden.map"), out});
    ASSERT_EQ(run.status, 0) << run.errors;
    headless::Frame picture;
    ASSERT_TRUE(headless::loadPng(out, picture));
    EXPECT_GT(countColour(picture, 255, 0, 200), 4 * 20) << "four falls, each a cross";

    ToolRun bad = runLevelTool({"picture", "--route", folder.file("none"), levelTestsPath("golden/golden.map"), out});
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(bad.errors.find("cannot be opened"), std::string::npos) << bad.errors;
}

} // namespace
