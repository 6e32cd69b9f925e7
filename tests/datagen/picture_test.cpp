// SPDX-License-Identifier: MIT
// The full-screen pictures: both read back with the game's reader at 640 x 480; the title is stored
// the right way up (sky above, board below, the hint legible near the bottom); the background is
// dark and calm behind the best-times table.
#include <gtest/gtest.h>

#include <cmath>

#include "pack_fixture.h"

using namespace packtest;

namespace {

struct Region {
    int x0, y0, x1, y1; // from the top-left, end exclusive
};

double meanChannel(const Picture& p, Region r, int channel)
{
    double sum = 0.0;
    for (int y = r.y0; y < r.y1; ++y) {
        for (int x = r.x0; x < r.x1; ++x)
            sum += p.at(x, y)[channel];
    }
    return sum / ((r.x1 - r.x0) * (r.y1 - r.y0));
}

class PictureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(pack().empty()) << "no data pack: the generator failed"; }
};

} // namespace

TEST_F(PictureTest, BothPicturesReadBackAtScreenSize)
{
    for (const char* name : {"title.bmp", "back.bmp"}) {
        Picture p;
        ASSERT_TRUE(loadPicture(pack() / name, p)) << name;
        EXPECT_EQ(p.width, 640) << name;
        EXPECT_EQ(p.height, 480) << name;
    }
}

TEST_F(PictureTest, TitleShowsSkyAboveTheBoardAndALegibleHint)
{
    Picture p;
    ASSERT_TRUE(loadPicture(pack() / "title.bmp", p));
    // The top corners hold sky (blue over red), the bottom band grass (green over blue): a picture
    // stored upside down would swap them.
    const Region skyCorner = {0, 0, 40, 30};
    const Region ground = {0, 400, 640, 420};
    EXPECT_GT(meanChannel(p, skyCorner, 2), meanChannel(p, skyCorner, 0) + 20.0) << "no sky at the top";
    EXPECT_GT(meanChannel(p, ground, 1), meanChannel(p, ground, 2) + 40.0) << "no board at the bottom";

    // The hint: bright text with a dark outline in the band around y = 440, so the band holds both
    // near-white and near-black pixels next to each other.
    int bright = 0;
    int edges = 0;
    for (int y = 425; y < 460; ++y) {
        for (int x = 100; x < 540; ++x) {
            float l = p.luminance(x, y);
            if (l > 235.0f)
                ++bright;
            if (std::fabs(l - p.luminance(x + 1, y)) > 120.0f)
                ++edges;
        }
    }
    EXPECT_GT(bright, 800) << "the hint's letters are missing or dim";
    EXPECT_GT(edges, 300) << "the hint does not stand out from the ground";
}

TEST_F(PictureTest, BackgroundIsDarkAndCalm)
{
    Picture p;
    ASSERT_TRUE(loadPicture(pack() / "back.bmp", p));
    double sum = 0.0;
    double steps = 0.0;
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 639; ++x) {
            sum += p.luminance(x, y);
            steps += std::fabs(p.luminance(x, y) - p.luminance(x + 1, y));
        }
    }
    double mean = sum / (480.0 * 639.0);
    EXPECT_GT(mean, 20.0) << "too dark: the pattern is lost";
    EXPECT_LT(mean, 110.0) << "too bright behind the coloured table";
    EXPECT_LT(steps / (480.0 * 639.0), 3.0) << "too busy behind the table";
}
