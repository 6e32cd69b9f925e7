// SPDX-License-Identifier: MIT
// The headless OpenGL context: real Mesa drawing into the 640 x 480 frame, with the state a fresh
// window gives (identity matrices, full viewport, raster position at the lower-left corner).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstring>

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
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 640);
    EXPECT_EQ(viewport[3], 480);
    GLint depthBits = 0, redBits = 0, alphaBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    glGetIntegerv(GL_RED_BITS, &redBits);
    glGetIntegerv(GL_ALPHA_BITS, &alphaBits);
    EXPECT_GE(depthBits, 24);
    EXPECT_EQ(redBits, 8);
    EXPECT_EQ(alphaBits, 8);
    GLfloat projection[16], modelview[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    for (int i = 0; i < 16; ++i) {
        EXPECT_EQ(projection[i], i % 5 == 0 ? 1.0f : 0.0f) << "projection is not the identity at " << i;
        EXPECT_EQ(modelview[i], i % 5 == 0 ? 1.0f : 0.0f) << "model-view is not the identity at " << i;
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(HeadlessGl, ImmediateModeTriangleLandsWhereClipCoordinatesSay)
{
    glDisable(GL_DEPTH_TEST);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // A triangle over the left half of the screen, top-left corner included: clip (-1,1) is screen (0,0).
    glColor3ub(255, 0, 0);
    glBegin(GL_TRIANGLES);
    glVertex2f(-1.0f, 1.0f);
    glVertex2f(-1.0f, -1.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
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
    glClearDepth(0.0);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_GEQUAL);
    auto quad = [](float z, uint8_t r, uint8_t g) {
        glColor3ub(r, g, 0);
        glBegin(GL_QUADS);
        glVertex3f(-0.5f, -0.5f, z);
        glVertex3f(0.5f, -0.5f, z);
        glVertex3f(0.5f, 0.5f, z);
        glVertex3f(-0.5f, 0.5f, z);
        glEnd();
    };
    quad(0.2f, 0, 255);  // nearer, drawn first
    quad(-0.6f, 255, 0); // farther, drawn second: must lose
    headless::Frame f = headless::readFrame();
    EXPECT_EQ(rgba(f.at(320, 240)), "0,255,0,255") << "the farther quad overwrote the nearer one";
    EXPECT_EQ(rgba(f.at(10, 10)), "0,0,0,255");
    glDisable(GL_DEPTH_TEST);
    glClearDepth(1.0);
}

TEST_F(HeadlessGl, DrawPixelsStartsAtTheLowerLeftCorner)
{
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const uint8_t block[2 * 3 * 3] = {255, 255, 255, 255, 255, 255, 255, 255, 255,
                                      255, 255, 255, 255, 255, 255, 255, 255, 255};
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glDrawPixels(3, 2, GL_RGB, GL_UNSIGNED_BYTE, block);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    headless::Frame f = headless::readFrame();
    EXPECT_EQ(rgba(f.at(0, 479)), "255,255,255,255") << "the picture must start at the bottom-left pixel";
    EXPECT_EQ(rgba(f.at(2, 478)), "255,255,255,255");
    EXPECT_EQ(rgba(f.at(3, 479)), "0,0,0,255") << "the picture is three pixels wide";
    EXPECT_EQ(rgba(f.at(0, 477)), "0,0,0,255") << "the picture is two rows high";
}

TEST_F(HeadlessGl, SwapPresentsTheFrameDrawnBeforeIt)
{
    glClearColor(0.0f, 1.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3ub(10, 20, 30);
    glBegin(GL_TRIANGLES);
    glVertex2f(0.0f, 0.0f);
    glVertex2f(1.0f, 0.0f);
    glVertex2f(0.0f, 1.0f);
    glEnd();
    headless::Frame before = headless::readFrame();
    int swaps = headless::swapCount();
    platform::swapBuffers();
    EXPECT_EQ(headless::swapCount(), swaps + 1);
    const headless::Frame& shown = headless::lastSwapped();
    ASSERT_EQ(shown.rgba.size(), before.rgba.size());
    EXPECT_TRUE(shown.rgba == before.rgba) << "the presented frame differs from what was drawn";
    EXPECT_EQ(rgba(shown.at(400, 200)), "10,20,30,255");

    // Reading the frame must not depend on pixel-store state left by the game.
    glPixelStorei(GL_PACK_ALIGNMENT, 8);
    glPixelStorei(GL_PACK_ROW_LENGTH, 1000);
    headless::Frame again = headless::readFrame();
    GLint rowLength = 0;
    glGetIntegerv(GL_PACK_ROW_LENGTH, &rowLength);
    EXPECT_EQ(rowLength, 1000) << "the read-back must leave the game's pixel-store state alone";
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    EXPECT_TRUE(again.rgba == before.rgba);
}

TEST_F(HeadlessGl, WindowContextLifecycleAndFreshStateAfterDelete)
{
    headless::reset();
    EXPECT_FALSE(platform::createGlContext()) << "a context needs a window";
    ASSERT_TRUE(platform::createWindow(quietProc));
    ASSERT_TRUE(platform::createGlContext()) << platform::lastErrorText();
    EXPECT_TRUE(platform::hasGlContext());
    glClearColor(0.25f, 0.5f, 0.75f, 1.0f);

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
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.0f) << "a new context after a delete must start from default state";
    EXPECT_EQ(clear[2], 0.0f);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 640) << "the fresh context must draw into the 640 x 480 frame again";
    EXPECT_TRUE(headless::ensureGlContext());
    EXPECT_TRUE(platform::hasGlContext());
}

TEST_F(HeadlessGl, ResetKeepsTheLiveContext)
{
    glClearColor(0.5f, 0.0f, 0.0f, 1.0f);
    headless::reset();
    EXPECT_TRUE(platform::hasGlContext()) << "reset must not drop the context";
    GLfloat clear[4] = {};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[0], 0.5f) << "the same context stays current across reset";
    glClearColor(0, 0, 0, 0);
}
