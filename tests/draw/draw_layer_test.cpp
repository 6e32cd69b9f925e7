// SPDX-License-Identifier: MIT
// The drawing layer's contract, drawn and read back on whichever implementation the program links
// (test_draw: GL 1.1, test_gles2: ES 2): depth, culling, fog, intensity text and pictures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/draw.h"
#include "platform/headless/headless.h"
#include "support/draw_fixture.h"

using drawtest::Rgb;

namespace {

class DrawLayerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(headless::ensureGlContext()) << "no headless GL context";
        headless::reset();
        draw::startContext();
        // The context lives on from test to test: every switch starts off.
        draw::depthTest(false);
        draw::cullFrontFaces(false);
        draw::blend(false);
        draw::noTexture();
        draw::fog(false);
        draw::clearColor(0.0f, 0.0f, 1.0f, 0.0f);
        draw::clear(true, true);
    }

    static Rgb at(int x, int y) { return drawtest::pixel(headless::readFrame(), x, y); }
};

// An untextured square over the whole clip space at depth value z, in one colour.
void square(float z, float r, float g, float b, float a = 1.0f)
{
    draw::begin(draw::Shape::Quads);
    draw::color(r, g, b, a);
    draw::vertex(-1.0f, -1.0f, z);
    draw::vertex(1.0f, -1.0f, z);
    draw::vertex(1.0f, 1.0f, z);
    draw::vertex(-1.0f, 1.0f, z);
    draw::end();
}

TEST_F(DrawLayerTest, TheDepthTestKeepsTheLargerReciprocalDepth)
{
    draw::depthTest(true);
    square(1.0f / 500.0f, 0.0f, 1.0f, 0.0f); // nearer: 1 / depth is larger
    square(1.0f / 900.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(drawtest::str(at(320, 240)), "(0, 255, 0)") << "the farther square must stay hidden";
    draw::depthTest(false);
    square(1.0f / 900.0f, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(drawtest::str(at(320, 240)), "(255, 0, 0)") << "without the test the last square lands";
}

TEST_F(DrawLayerTest, CullingDropsCounterClockwiseTrianglesOnly)
{
    draw::cullFrontFaces(true);
    draw::color(1.0f, 1.0f, 1.0f, 1.0f);
    draw::begin(draw::Shape::Triangles);
    draw::vertex2(-1.0f, -1.0f); // left half, counter-clockwise: dropped
    draw::vertex2(0.0f, -1.0f);
    draw::vertex2(-1.0f, 1.0f);
    draw::vertex2(0.0f, -1.0f); // right half, clockwise: drawn
    draw::vertex2(0.0f, 1.0f);
    draw::vertex2(1.0f, -1.0f);
    draw::end();
    EXPECT_EQ(drawtest::str(at(40, 400)), "(0, 0, 255)");
    EXPECT_EQ(drawtest::str(at(360, 400)), "(255, 255, 255)");
}

// The board's fog: none up to depth 400, about 0.36 of the texel left at depth 800, all fog colour from
// depth 1800 on. White squares under red fog, each drawn at one depth.
TEST_F(DrawLayerTest, LinearFogFollowsTheReciprocalDepth)
{
    const float red[4] = {1.0f, 0.0f, 0.0f, 1.0f};
    draw::fog(true);
    draw::fogLinear(red, 0.0025f, 0.00055555557f);
    struct Case {
        float depth;
        int greenBlue; // 255 * f, f the share of the square's own colour
    };
    for (Case c : {Case{300.0f, 255}, Case{800.0f, 91}, Case{2500.0f, 0}}) {
        square(1.0f / c.depth, 1.0f, 1.0f, 1.0f);
        Rgb p = at(320, 240);
        EXPECT_EQ(p.r, 255) << "depth " << c.depth;
        EXPECT_NEAR(p.g, c.greenBlue, 1) << "depth " << c.depth;
        EXPECT_NEAR(p.b, c.greenBlue, 1) << "depth " << c.depth;
    }
    draw::fog(false);
    square(1.0f / 2500.0f, 1.0f, 1.0f, 1.0f);
    EXPECT_EQ(drawtest::str(at(320, 240)), "(255, 255, 255)") << "fog off";
}

// Text: an intensity texture keeps only the red bytes, and modulated and blended its texel i makes the
// colour's share i over the blue background: (i * i, i * i / 2, (1 - i) * 255) for colour (1, 0.5, 0).
TEST_F(DrawLayerTest, AnIntensityTextureModulatedBlendsByItsRedBytes)
{
    // Texels left to right along the bottom row: red 0, 255; the top row 128, 255. Green and blue vary
    // to show they are ignored.
    const uint8_t texels[2 * 2 * 3] = {0, 200, 9, 255, 0, 77, 128, 30, 255, 255, 255, 0};
    const uint8_t* level = texels;
    draw::uploadTexture(40, draw::TextureFormat::Intensity, draw::Wrap::Clamp, 2, 1, &level);
    draw::texture(40, draw::TextureMode::Modulate);
    draw::blend(true);
    draw::begin(draw::Shape::Quads);
    draw::color(1.0f, 0.5f, 0.0f, 1.0f);
    draw::texCoord(0.0f, 0.0f);
    draw::vertex2(-1.0f, -1.0f);
    draw::texCoord(1.0f, 0.0f);
    draw::vertex2(1.0f, -1.0f);
    draw::texCoord(1.0f, 1.0f);
    draw::vertex2(1.0f, 1.0f);
    draw::texCoord(0.0f, 1.0f);
    draw::vertex2(-1.0f, 1.0f);
    draw::end();
    struct Case {
        int x, y;
        Rgb expected;
    };
    for (Case c : {Case{100, 400, {0, 0, 255}}, Case{500, 400, {255, 128, 0}}, Case{100, 100, {64, 32, 127}},
                   Case{500, 100, {255, 128, 0}}}) {
        Rgb p = at(c.x, c.y);
        EXPECT_TRUE(drawtest::near(p, c.expected, 1))
            << "at (" << c.x << ", " << c.y << "): " << drawtest::str(p) << ", expected " << drawtest::str(c.expected);
    }
    draw::deleteTexture(40);
}

// The board's array draws the same picture as a batch of the same corners.
TEST_F(DrawLayerTest, TheTriangleArrayDrawsWhatABatchDraws)
{
    const uint8_t checker[4 * 4 * 3] = {200, 60, 40,  40,  120, 220, 200, 60,  40,  40, 120, 220, 40,  120, 220, 200,
                                        60,  40, 40,  120, 220, 200, 60,  40,  200, 60, 40,  40,  120, 220, 200, 60,
                                        40,  40, 120, 220, 40,  120, 220, 200, 60,  40, 40,  120, 220, 200, 60,  40};
    const uint8_t* level = checker;
    draw::uploadTexture(41, draw::TextureFormat::Rgb, draw::Wrap::Repeat, 4, 1, &level);
    draw::texture(41, draw::TextureMode::Decal);
    // s, t, x, y, z: a slanted triangle that repeats the texture three times.
    const float corners[] = {0.0f,  0.0f,  -0.9f, -0.8f, 0.01f, 3.0f, 0.5f, 0.7f,
                             -0.2f, 0.01f, 1.0f,  3.0f,  -0.3f, 0.9f, 0.01f};
    draw::drawTriangles(corners, 3);
    headless::Frame fromArray = headless::readFrame();
    draw::clear(true, true);
    draw::begin(draw::Shape::Triangles);
    for (int k = 0; k < 3; ++k) {
        draw::texCoord(corners[k * 5], corners[k * 5 + 1]);
        draw::vertex(corners[k * 5 + 2], corners[k * 5 + 3], corners[k * 5 + 4]);
    }
    draw::end();
    headless::Frame fromBatch = headless::readFrame();
    EXPECT_GT(drawtest::distinctColors(fromArray, 4), 2) << "the triangle shows both checker colours";
    EXPECT_TRUE(fromArray.rgba == fromBatch.rgba) << "array and batch differ";
    draw::deleteTexture(41);
}

// A picture at its own size is a copy: every pixel as stored, whatever the switches say.
TEST_F(DrawLayerTest, APictureAtItsOwnSizeIsCopiedExactly)
{
    std::vector<uint8_t> rgb = drawtest::patternPicture(5);
    const float grey[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    draw::fog(true);
    draw::fogLinear(grey, 0.0f, 0.0f);
    draw::blend(true);
    draw::depthTest(true);
    draw::color(0.0f, 0.0f, 0.0f, 0.0f);
    draw::showPicture(42, rgb.data(), 640, 480, 0, 0);
    headless::Frame f = headless::readFrame();
    size_t differing = 0;
    for (size_t i = 0; i < 640 * 480; ++i) {
        for (size_t k = 0; k < 3; ++k)
            differing += f.rgba[i * 4 + k] != rgb[i * 3 + k] ? 1 : 0;
    }
    EXPECT_EQ(differing, 0u) << "channels changed by the copy";
    draw::forgetPicture(42);
}

} // namespace
