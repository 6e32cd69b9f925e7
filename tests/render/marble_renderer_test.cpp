// SPDX-License-Identifier: MIT
// The marble renderer: the disc's place, size, colours and depth on real pixels and in GL's feedback
// of what it was given (16 triangles, one depth), the state it leaves, and fog through the board's state.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "render/board_renderer.h"
#include "render/marble_renderer.h"
#include "sim/marble.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

constexpr float Down = 1.5707964f; // a camera looking straight down

class MarbleRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshDrawingState();
        TheBoard.setHoles({});
        TheBoardRenderer.buildGrid(TheBoard);
        setFogColor(TheBoard, 0x808080);
        marble.setPosition({0, 0, 0});
        marble.setColor(200.0f, 100.0f, 50.0f);
    }

    // Depth test as the board leaves it, without drawing the board.
    void boardState()
    {
        draw::depthTest(true);
        draw::blend(false);
        draw::fog(false);
    }

    Marble marble;
};

// With the camera straight down at height h over flat ground, the ball centre is h - 20 deep and the
// disc is a circle of 6400 / depth pixels round the point under the ball.
TEST_F(MarbleRendererTest, DiscCentreShowsTheMarbleColourAtTheProjectedPoint)
{
    struct Case {
        Vec3 ball;
        float height;
    } cases[] = {{{0, 0, 0}, 120}, {{30, -20, 0}, 120}, {{-100, 60, 0}, 300}};
    for (const Case& c : cases) {
        clearFrame(0, 0, 0);
        boardState();
        marble.setPosition(c.ball);
        drawMarble(marble, cameraLookingAhead({0, 0, -c.height}, Down), TheBoard);
        headless::Frame f = headless::readFrame();
        double depth = c.height - 20.0;
        // A focal length of 400 pixels: the centre lies 400 x offset / depth pixels from the middle.
        double px = 320.0 + 400.0 * c.ball.x / depth, py = 240.0 - 400.0 * c.ball.y / depth;
        double radius = 6400.0 / depth;
        Rgb centre = pixel(f, static_cast<int>(px), static_cast<int>(py));
        EXPECT_TRUE(near(centre, {200, 100, 50}, 12)) << "centre pixel " << str(centre) << " for ball " << c.ball.x;
        EXPECT_TRUE(near(pixel(f, static_cast<int>(px + radius + 2), static_cast<int>(py)), {0, 0, 0}, 0))
            << "beyond the rim across";
        EXPECT_TRUE(near(pixel(f, static_cast<int>(px), static_cast<int>(py - radius - 2)), {0, 0, 0}, 0))
            << "beyond the rim up: the disc is round on screen";
        EXPECT_FALSE(near(pixel(f, static_cast<int>(px), static_cast<int>(py - radius + 3)), {0, 0, 0}, 2))
            << "inside the rim up";
        EXPECT_FALSE(near(pixel(f, static_cast<int>(px - radius + 3), static_cast<int>(py)), {0, 0, 0}, 2))
            << "inside the rim across";
    }
}

TEST_F(MarbleRendererTest, BrightnessFallsLinearlyToATenthAtTheRim)
{
    marble.setColor(255.0f, 255.0f, 255.0f);
    clearFrame(0, 0, 0);
    boardState();
    drawMarble(marble, cameraLookingAhead({0, 0, -120}, Down), TheBoard);
    headless::Frame f = headless::readFrame();
    double radius = 6400.0 / 100.0; // 64 pixels
    // Along the spoke at angle 0 the colour runs from 255 at the centre to 25.5 at the rim.
    for (double d : {8.0, 32.0, 56.0}) {
        double want = 255.0 - (255.0 - 25.5) * (d + 0.5) / radius;
        Rgb p = pixel(f, 320 + static_cast<int>(d), 240);
        EXPECT_NEAR(p.r, want, 3.0) << d << " pixels from the centre";
        EXPECT_EQ(p.r, p.g);
        EXPECT_EQ(p.g, p.b);
    }
    // The fan closes: no gap at any angle just inside the rim.
    for (int k = 0; k < 64; ++k) {
        double a = k * 2 * M_PI / 64;
        int x = static_cast<int>(320 + 0.9 * radius * std::cos(a)),
            y = static_cast<int>(240 - 0.9 * radius * std::sin(a));
        ASSERT_FALSE(near(pixel(f, x, y), {0, 0, 0}, 10)) << "gap in the fan at angle " << a;
    }
}

// GL's feedback mode reports exactly what reached the rasteriser.
TEST_F(MarbleRendererTest, SixteenTrianglesAllAtTheDepthOfTheBallCentre)
{
    boardState();
    headless::CaughtTriangles caught = headless::catchTriangles([&] {
        drawMarble(marble, cameraLookingAhead({0, 0, -120}, Down), TheBoard);
    });
    EXPECT_TRUE(caught.onlyTriangles) << "only triangles are drawn";
    double centreDepth = (1.0 / 100.0 + 1.0) / 2.0; // window depth of z' = 1 / 100
    for (const auto& triangle : caught.triangles) {
        for (const headless::CaughtVertex& v : triangle)
            EXPECT_NEAR(v.z, centreDepth, 1e-6) << "every disc vertex shares the centre's depth";
    }
    EXPECT_EQ(caught.triangles.size(), 16u);
}

TEST_F(MarbleRendererTest, BallCentreIsTwentyAlongTheNormalOfASlope)
{
    // On a hole's side the normal tilts, so the centre moves sideways as well as up.
    TheBoard.setHoles({{0, 0, 200, 400}});
    Vec3 ground{150, 0, TheBoard.heightAt(150, 0)};
    marble.setPosition(ground);
    Vec3 n = TheBoard.normalAt(150, 0);
    Vec3 centre = add(ground, scale(n, 20.0f));
    Transform cam = cameraLookingAhead({150, 0, ground.z - 300}, Down);
    boardState();
    headless::CaughtTriangles caught = headless::catchTriangles([&] { drawMarble(marble, cam, TheBoard); });
    ASSERT_FALSE(caught.triangles.empty());
    // The first vertex of the first triangle is the centre, in window coordinates.
    const headless::CaughtVertex& c = caught.triangles[0][0];
    double depth = centre.z - (ground.z - 300);
    EXPECT_NEAR(c.x, 320.0 + 400.0 * (centre.x - 150.0) / depth, 0.01) << "centre x";
    EXPECT_NEAR(c.y, 240.0 + 400.0 * centre.y / depth, 0.01) << "centre y";
    EXPECT_NEAR(c.z, (1.0 / depth + 1.0) / 2.0, 1e-6) << "centre depth";
    EXPECT_LT(n.x, -0.1f) << "the slope tilts the normal";
}

TEST_F(MarbleRendererTest, LeavesTexturingAndCullingOffAndTheRimColourCurrent)
{
    boardState();
    draw::texture(BoardTextureName, draw::TextureMode::Decal);
    draw::cullFrontFaces(true);
    drawMarble(marble, chaseCamera({0, 0, 0}), TheBoard);
    headless::GlState s = headless::glState();
    EXPECT_FALSE(s.texture2D);
    EXPECT_FALSE(s.cullFace);
    EXPECT_TRUE(s.depthTest) << "the depth test stays as the board left it";
    EXPECT_EQ(s.depthFunc, "GL_GEQUAL");
    EXPECT_NEAR(s.currentColor[0], 200 / 2550.0, 1e-6);
    EXPECT_NEAR(s.currentColor[1], 100 / 2550.0, 1e-6);
    EXPECT_NEAR(s.currentColor[2], 50 / 2550.0, 1e-6);
}

TEST_F(MarbleRendererTest, ABallBehindTheCameraIsNotDrawn)
{
    clearFrame(0, 0, 0);
    boardState();
    marble.setPosition({0, -6000, 0});
    drawMarble(marble, cameraLookingAhead({0, -5000, -100}, 0.2f), TheBoard);
    EXPECT_EQ(distinctColors(headless::readFrame(), 2), 1) << "nothing mirrored through the eye";
}

// Board and marble together with fog on, as a playing frame draws them: the disc is fogged by the
// depth of its centre, the board around it by its own depth; the ball, 20 nearer, is not hidden.
TEST_F(MarbleRendererTest, FogReachesTheDiscThroughTheBoardsState)
{
    clearFrame(0.5f, 0.5f, 0.5f);
    marble.setPosition({1, -1, 0}); // puts the disc centre on the middle of pixel (320, 240)
    Transform cam = cameraLookingAhead({0, 0, -820}, Down);
    TheBoardRenderer.draw(TheBoard, cam, false, true);
    drawMarble(marble, cam, TheBoard);
    headless::Frame f = headless::readFrame();
    double fogged = (1.0 / 1800 - 1.0 / 800) / (1.0 / 1800 - 1.0 / 400); // the centre is 800 deep
    Rgb want{static_cast<int>(std::lround(fogged * 200 + (1 - fogged) * 128)),
             static_cast<int>(std::lround(fogged * 100 + (1 - fogged) * 128)),
             static_cast<int>(std::lround(fogged * 50 + (1 - fogged) * 128))};
    EXPECT_TRUE(near(pixel(f, 320, 240), want, 2)) << "got " << str(pixel(f, 320, 240)) << ", want " << str(want);
}

} // namespace
