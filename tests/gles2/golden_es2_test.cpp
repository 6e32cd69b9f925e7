// SPDX-License-Identifier: MIT
// The golden scenes drawn through the OpenGL ES 2 drawing layer, compared with the images the GL 1.1
// layer drew: at most 1 % of the (half-size) pixels may differ by more than 8 of 255 in a channel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "support/draw_fixture.h"
#include "support/golden_scene.h"

using namespace drawtest;

namespace {

constexpr int Step = 8;
constexpr double MostOffShare = 0.01;

// The share of the golden image's pixels from which the frame, halved as the goldens are, differs by
// more than Step in some channel; printed, so that a drift shows before it fails.
void expectNearTheGl11Golden(const headless::Frame& frame, const std::string& name)
{
    headless::Frame small = halfSize(frame);
    headless::Frame golden;
    ASSERT_TRUE(headless::loadPng(std::string(ROLIQUO_SOURCE_DIR) + "/tests/golden/" + name + ".png", golden));
    ASSERT_EQ(golden.rgba.size(), small.rgba.size()) << name;
    size_t off = 0;
    int worst = 0;
    for (size_t i = 0; i < small.rgba.size(); i += 4) {
        int d = 0;
        for (size_t k = 0; k < 3; ++k)
            d = std::max(d, std::abs(int(small.rgba[i + k]) - int(golden.rgba[i + k])));
        worst = std::max(worst, d);
        off += d > Step ? 1 : 0;
    }
    double share = static_cast<double>(off) / static_cast<double>(small.rgba.size() / 4);
    std::printf("ES 2 %s: %.3f %% of pixels differ by more than %d (worst %d)\n", name.c_str(), 100.0 * share, Step,
                worst);
    EXPECT_LE(share, MostOffShare) << name << ": " << off << " pixels differ by more than " << Step;
}

class Es2GoldenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(draw::LinkedContext, draw::ContextKind::Es2) << "this program must link the ES 2 layer";
        freshDrawingState();
        buildHillyBoard();
        fillBestTimes();
    }

    TempWorkDir dir;
};

TEST_F(Es2GoldenTest, PlayingWithFog)
{
    composePlayingWithFog();
    maybeScreenshot(headless::lastSwapped(), "es2_playing_fog");
    expectNearTheGl11Golden(headless::lastSwapped(), "playing_fog");
}

TEST_F(Es2GoldenTest, PlayingWithFarSightAndTheOptionsMenu)
{
    composePlayingWithFarSightAndTheOptionsMenu();
    maybeScreenshot(headless::lastSwapped(), "es2_playing_far_sight_menu");
    expectNearTheGl11Golden(headless::lastSwapped(), "playing_far_sight_menu");
}

TEST_F(Es2GoldenTest, BestTimesAfterANewRecord)
{
    composeBestTimesAfterANewRecord();
    maybeScreenshot(headless::lastSwapped(), "es2_best_times");
    expectNearTheGl11Golden(headless::lastSwapped(), "best_times");
}

TEST_F(Es2GoldenTest, Title)
{
    composeTitle();
    expectNearTheGl11Golden(headless::lastSwapped(), "title");
}

TEST_F(Es2GoldenTest, TitleWithTheMainMenu)
{
    composeTitleWithTheMainMenu();
    maybeScreenshot(headless::lastSwapped(), "es2_title_menu");
    expectNearTheGl11Golden(headless::lastSwapped(), "title_menu");
}

} // namespace
