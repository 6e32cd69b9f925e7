// SPDX-License-Identifier: MIT
// The headless OpenGL context: real Mesa drawing into the 640 x 480 frame through the drawing layer,
// with the state a fresh window gives (identity matrices, full viewport).
#include <gtest/gtest.h>

#include "platform/draw.h"
#include "platform/headless/headless.h"

namespace {

int64_t quietProc(uint32_t, uint64_t, int64_t)
{
    return 0;
}

class HeadlessGl : public ::testing::Test {
protected:
    void SetUp() override
    {
        headless::reset();
        ASSERT_TRUE(headless::ensureGlContext()) << "no GL: " << platform::lastErrorText();
    }
};

std::string rgba(const uint8_t* p)
{
    return std::to_string(p[0]) + "," + std::to_string(p[1]) + "," + std::to_string(p[2]) + "," + std::to_string(p[3]);
}

} // namespace

TEST_F(HeadlessGl, IsACompatibilityContextWithTheFrameAsDrawTarget)
{
    headless::GlState gl = headless::glState();
    EXPECT_EQ(gl.viewport[0], 0);
    EXPECT_EQ(gl.viewport[1], 0);
    EXPECT_EQ(gl.viewport[2], 640);
    EXPECT_EQ(gl.viewport[3], 480);
    EXPECT_GE(gl.depthBits, 24);
    EXPECT_EQ(gl.redBits, 8);
    EXPECT_EQ(gl.alphaBits, 8);
    EXPECT_TRUE(gl.identityMatrices) << "projection and model-view must be the identity";
    EXPECT_EQ(gl.error, "GL_NO_ERROR");
}

TEST_F(HeadlessGl, ImmediateModeTriangleLandsWhereClipCoordinatesSay)
{
    draw::depthTest(false);
    draw::clearColor(0.0f, 0.0f, 1.0f, 1.0f);
    draw::clear(true, false);
    // A triangle over the left half of the screen, top-left corner included: clip (-1,1) is screen (0,0).
    draw::color(1.0f, 0.0f, 0.0f, 1.0f);
    draw::begin(draw::Shape::Triangles);
    draw::vertex2(-1.0f, 1.0f);
    draw::vertex2(-1.0f, -1.0f);
    draw::vertex2(0.0f, 1.0f);
    draw::end();
    headless::Frame f = headless::readFrame();
    ASSERT_EQ(f.width, 640);
    ASSERT_EQ(f.height, 480);
    ASSERT_EQ(f.rgba.size(), 640u * 480u * 4u);
    const struct {
        int x, y;
        uint8_t r, g, b;
        const char* where;
    } probes[] = {
        {2, 2, 255, 0, 0, "top-left corner, inside"},
        {100, 100, 255, 0, 0, "inside, upper left"},
        {2, 470, 255, 0, 0, "bottom-left, inside along the left edge"},
        {600, 20, 0, 0, 255, "top-right, outside"},
        {300, 400, 0, 0, 255, "below the hypotenuse"},
        {637, 477, 0, 0, 255, "bottom-right corner"},
    };
    for (const auto& p : probes) {
        const uint8_t* px = f.at(p.x, p.y);
        EXPECT_TRUE(px[0] == p.r && px[1] == p.g && px[2] == p.b && px[3] == 255)
            << p.where << " at (" << p.x << "," << p.y << ") is " << rgba(px);
    }
}

TEST_F(HeadlessGl, DepthClearedToZeroWithGreaterOrEqualKeepsTheNearer)
{
    // The game's convention: depth 1/cz, buffer cleared to 0, nearer (larger) values win.
    draw::startContext();
    draw::clearColor(0, 0, 0, 1);
    draw::clear(true, true);
    draw::depthTest(true);
    auto quad = [](float z, float r, float g) {
        draw::color(r, g, 0.0f, 1.0f);
        draw::begin(draw::Shape::Quads);
        draw::vertex(-0.5f, -0.5f, z);
        draw::vertex(0.5f, -0.5f, z);
        draw::vertex(0.5f, 0.5f, z);
        draw::vertex(-0.5f, 0.5f, z);
        draw::end();
    };
    quad(0.2f, 0.0f, 1.0f);  // nearer, drawn first
    quad(-0.6f, 1.0f, 0.0f); // farther, drawn second: must lose
    headless::Frame f = headless::readFrame();
    EXPECT_EQ(rgba(f.at(320, 240)), "0,255,0,255") << "the farther quad overwrote the nearer one";
    EXPECT_EQ(rgba(f.at(10, 10)), "0,0,0,255");
    draw::depthTest(false);
}

TEST_F(HeadlessGl, APictureAtPixelZeroStartsAtTheLowerLeftCorner)
{
    draw::clearColor(0, 0, 0, 1);
    draw::clear(true, false);
    const uint8_t block[2 * 3 * 3] = {255, 255, 255, 255, 255, 255, 255, 255, 255,
                                      255, 255, 255, 255, 255, 255, 255, 255, 255};
    draw::showPicture(30, block, 3, 2, 0, 0);
    headless::Frame f = headless::readFrame();
    draw::forgetPicture(30);
    EXPECT_EQ(rgba(f.at(0, 479)), "255,255,255,255") << "the picture must start at the bottom-left pixel";
    EXPECT_EQ(rgba(f.at(2, 478)), "255,255,255,255");
    EXPECT_EQ(rgba(f.at(3, 479)), "0,0,0,255") << "the picture is three pixels wide";
    EXPECT_EQ(rgba(f.at(0, 477)), "0,0,0,255") << "the picture is two rows high";
}

TEST_F(HeadlessGl, SwapPresentsTheFrameDrawnBeforeIt)
{
    draw::clearColor(0.0f, 1.0f, 0.0f, 1.0f);
    draw::clear(true, false);
    draw::color(10 / 255.0f, 20 / 255.0f, 30 / 255.0f, 1.0f);
    draw::begin(draw::Shape::Triangles);
    draw::vertex2(0.0f, 0.0f);
    draw::vertex2(1.0f, 0.0f);
    draw::vertex2(0.0f, 1.0f);
    draw::end();
    headless::Frame before = headless::readFrame();
    int swaps = headless::swapCount();
    platform::swapBuffers();
    EXPECT_EQ(headless::swapCount(), swaps + 1);
    const headless::Frame& shown = headless::lastSwapped();
    ASSERT_EQ(shown.rgba.size(), before.rgba.size());
    EXPECT_TRUE(shown.rgba == before.rgba) << "the presented frame differs from what was drawn";
    EXPECT_EQ(rgba(shown.at(400, 200)), "10,20,30,255");
}

TEST_F(HeadlessGl, WindowContextLifecycleAndFreshStateAfterDelete)
{
    headless::reset();
    EXPECT_FALSE(platform::createGlContext()) << "a context needs a window";
    ASSERT_TRUE(platform::createWindow(quietProc));
    ASSERT_TRUE(platform::createGlContext()) << platform::lastErrorText();
    EXPECT_TRUE(platform::hasGlContext());
    draw::clearColor(0.25f, 0.5f, 0.75f, 1.0f);

    platform::deleteGlContext();
    EXPECT_FALSE(platform::hasGlContext());
    platform::deleteGlContext(); // twice is harmless
    EXPECT_TRUE(headless::readFrame().rgba.empty()) << "no frame can be read without a context";
    int swaps = headless::swapCount();
    platform::swapBuffers();
    EXPECT_EQ(headless::swapCount(), swaps + 1) << "a swap after shutdown must still be visible to tests";

    headless::reset();
    ASSERT_TRUE(platform::createWindow(quietProc));
    ASSERT_TRUE(platform::createGlContext());
    headless::GlState gl = headless::glState();
    EXPECT_EQ(gl.clearColor[0], 0.0f) << "a new context after a delete must start from default state";
    EXPECT_EQ(gl.clearColor[2], 0.0f);
    EXPECT_EQ(gl.viewport[2], 640) << "the fresh context must draw into the 640 x 480 frame again";
    EXPECT_TRUE(headless::ensureGlContext());
    EXPECT_TRUE(platform::hasGlContext());
}

TEST_F(HeadlessGl, ResetKeepsTheLiveContext)
{
    draw::clearColor(0.5f, 0.0f, 0.0f, 1.0f);
    headless::reset();
    EXPECT_TRUE(platform::hasGlContext()) << "reset must not drop the context";
    EXPECT_EQ(headless::glState().clearColor[0], 0.5f) << "the same context stays current across reset";
    draw::clearColor(0, 0, 0, 0);
}
