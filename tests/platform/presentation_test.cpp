// SPDX-License-Identifier: MIT
// Drawing at window sizes other than 640 x 480: the 4:3 rectangle and its black bars, the playing
// frame drawn at twice the size matching the 640 x 480 golden image, the pictures scaled smoothly (or
// copied into the rectangle where it is 640 x 480), and no frame while the window is minimised.
#include <gtest/gtest.h>

#include "platform/headless/headless.h"
#include "platform/letterbox.h"
#include "scores/high_scores.h"
#include "screen/frame.h"
#include "support/draw_fixture.h"
#include "support/golden_scene.h"

using namespace drawtest;

namespace {

class Presentation : public ::testing::Test {
protected:
    void SetUp() override { freshDrawingState(); }
    void TearDown() override { headless::reset(); }

    TempWorkDir dir;
};

headless::Frame crop(const headless::Frame& f, int x0, int y0Top, int w, int h)
{
    headless::Frame c;
    c.width = w;
    c.height = h;
    c.rgba.resize(static_cast<size_t>(w) * h * 4);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            std::copy_n(f.at(x0 + x, y0Top + y), 4, &c.rgba[((static_cast<size_t>(h) - 1 - y) * w + x) * 4]);
    return c;
}

// A 1280 x 960 frame against a golden image (stored at 320 x 240). The board's checker texture is
// sampled without filtering, so its edges fall on other pixels at another size: the bound allows
// that (measured: mean 1.7, 3 % of channels off by more than 16), while the same frame moved by one
// golden pixel is far outside it (mean 6, 10 %).
void expectNearGoldenAtTwiceTheSize(const headless::Frame& frame, const std::string& name)
{
    ASSERT_EQ(frame.width, 1280);
    ASSERT_EQ(frame.height, 960);
    expectNearGolden(halfSize(halfSize(frame)), name, {16, 20, 2.5});
}

// The largest black-only runs at the left and right ends of a row.
int blackRun(const headless::Frame& f, int y, int from, int step)
{
    int n = 0;
    for (int x = from; x >= 0 && x < f.width && near(pixel(f, x, y), Rgb{0, 0, 0}, 0); x += step)
        ++n;
    return n;
}

TEST(Letterbox, TheLargestCentred4To3Rectangle)
{
    struct Case {
        int w, h;
        platform::ScreenRect expected;
    } cases[] = {
        {640, 480, {0, 0, 640, 480}},     {1280, 960, {0, 0, 1280, 960}},     {1920, 1080, {240, 0, 1440, 1080}},
        {1280, 1024, {0, 32, 1280, 960}}, {3840, 2160, {480, 0, 2880, 2160}}, {641, 480, {0, 0, 640, 480}},
        {800, 450, {100, 0, 600, 450}},   {100, 1000, {0, 462, 100, 75}},
    };
    for (const Case& c : cases) {
        platform::ScreenRect r = letterboxRect(c.w, c.h);
        EXPECT_EQ(r.x, c.expected.x) << c.w << "x" << c.h;
        EXPECT_EQ(r.y, c.expected.y) << c.w << "x" << c.h;
        EXPECT_EQ(r.width, c.expected.width) << c.w << "x" << c.h;
        EXPECT_EQ(r.height, c.expected.height) << c.w << "x" << c.h;
    }
}

TEST_F(Presentation, PlayingAtTwiceTheSizeMatchesTheGoldenImage)
{
    ASSERT_TRUE(headless::setFrameSize(1280, 960));
    buildHillyBoard();
    composePlayingWithFog();
    const headless::Frame& frame = headless::lastSwapped();
    ASSERT_EQ(frame.width, 1280);
    expectNearGoldenAtTwiceTheSize(frame, "playing_fog");
}

TEST_F(Presentation, A16To9WindowShowsThePictureCentredBetweenBlackBars)
{
    // 1706 x 960: the 4:3 part is 1280 x 960 with bars of 213 pixels on either side.
    ASSERT_TRUE(headless::setFrameSize(1706, 960));
    buildHillyBoard();
    composePlayingWithFog();
    const headless::Frame& frame = headless::lastSwapped();
    for (int y : {0, 480, 959}) {
        EXPECT_EQ(blackRun(frame, y, 0, 1), 213) << "left bar on row " << y;
        EXPECT_EQ(blackRun(frame, y, 1705, -1), 213) << "right bar on row " << y;
    }
    expectNearGoldenAtTwiceTheSize(crop(frame, 213, 0, 1280, 960), "playing_fog");
}

TEST_F(Presentation, PicturesFillThe4To3AreaSmoothly)
{
    // A smooth picture (red across, green down) with a hard black-to-white step in its blue channel.
    std::vector<uint8_t> picture(640 * 480 * 3);
    auto colourAt = [](int x, int yTop) { return Rgb{x * 255 / 639, yTop * 255 / 479, x < 320 ? 0 : 255}; };
    for (int yTop = 0; yTop < 480; ++yTop) {
        for (int x = 0; x < 640; ++x) {
            Rgb c = colourAt(x, yTop);
            uint8_t* p = &picture[(static_cast<size_t>(479 - yTop) * 640 + x) * 3];
            p[0] = static_cast<uint8_t>(c.r);
            p[1] = static_cast<uint8_t>(c.g);
            p[2] = static_cast<uint8_t>(c.b);
        }
    }
    writeBmp("title.bmp", 640, 480, picture);
    GameState = Title;
    // 800 x 480 shows it unscaled, 80 pixels in from the left.
    for (auto [w, h] : {std::pair{1280, 720}, std::pair{960, 960}, std::pair{320, 240}, std::pair{800, 480}}) {
        ASSERT_TRUE(headless::setFrameSize(w, h));
        composeFrame();
        const headless::Frame& frame = headless::lastSwapped();
        platform::ScreenRect r = letterboxRect(w, h);
        int yTop0 = h - r.y - r.height; // the rectangle's top row, counted from the top
        for (int x = 8; x < 640; x += 37) {
            if (x > 300 && x < 340)
                continue; // the blue step is blurred on purpose
            for (int yTop = 8; yTop < 480; yTop += 29) {
                if (x >= 440 && yTop >= 455)
                    continue; // the hint to the controls page is drawn over the title's corner
                int sx = r.x + (2 * x + 1) * r.width / 1280;
                int sy = yTop0 + (2 * yTop + 1) * r.height / 960;
                Rgb want = colourAt(x, yTop);
                ASSERT_TRUE(near(pixel(frame, sx, sy), want, 6))
                    << w << "x" << h << ": picture (" << x << ", " << yTop << ") shows " << str(pixel(frame, sx, sy))
                    << " at (" << sx << ", " << sy << "), not " << str(want);
            }
        }
        if (r.x > 0) {
            EXPECT_EQ(blackRun(frame, h / 2, 0, 1), r.x) << w << "x" << h << " left bar";
            EXPECT_EQ(blackRun(frame, h / 2, w - 1, -1), w - r.x - r.width) << w << "x" << h << " right bar";
        }
        if (r.y > 0) {
            EXPECT_TRUE(near(pixel(frame, w / 2, 0), Rgb{0, 0, 0}, 0)) << w << "x" << h << " top bar";
            EXPECT_TRUE(near(pixel(frame, w / 2, h - 1), Rgb{0, 0, 0}, 0)) << w << "x" << h << " bottom bar";
        }
        if (w == 1280) {
            // Filtered, not repeated pixels: the blue step passes through values in between.
            int y = h / 2, between = 0;
            for (int x = r.x + r.width / 2 - 4; x < r.x + r.width / 2 + 4; ++x) {
                int b = pixel(frame, x, y).b;
                between += b > 20 && b < 235;
            }
            EXPECT_GE(between, 1) << "the scaled picture is not filtered";
        }
    }
}

TEST_F(Presentation, AMinimisedWindowDrawsNoFrame)
{
    writeBmp("title.bmp", 640, 480, uniformPicture(10, 20, 30));
    GameState = Title;
    headless::setWindowHidden(true);
    composeFrame();
    EXPECT_EQ(headless::swapCount(), 0);
    headless::setWindowHidden(false);
    composeFrame();
    EXPECT_EQ(headless::swapCount(), 1);
}

} // namespace
