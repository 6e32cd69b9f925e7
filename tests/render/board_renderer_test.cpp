// SPDX-License-Identifier: MIT
// The board renderer: the anchor of its sweeps, which cells a view visits (each at most once, never
// outside the grid), projecting each vertex once, triangles behind the eye, the GL state it leaves,
// and real pixels for fog and texture.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "render/board_renderer.h"
#include "support/draw_fixture.h"

using namespace drawtest;

namespace {

constexpr uint32_t Fog = 0x336699;

class BoardRendererTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        freshDrawingState();
        TheBoard.setHoles({{0.0f, -5000.0f, 60.0f, 100.0f}, {200.0f, -4700.0f, 80.0f, -60.0f}});
        TheBoardRenderer.buildGrid(TheBoard);
        setFogColor(TheBoard, Fog);
    }

    // Draws and keeps the draw's record; returns the triangles drawn.
    int drawFrom(const Transform& camera, bool farSight, bool fog)
    {
        clearFrame(0, 0, 0);
        record = TheBoardRenderer.draw(TheBoard, camera, farSight, fog, &cells);
        return record.triangles;
    }

    BoardDrawRecord record;
    std::vector<int32_t> cells;
};

int rowOf(int32_t cell)
{
    return cell / GridColumns;
}
int columnOf(int32_t cell)
{
    return cell % GridColumns;
}

TEST(BoardSweepAnchor, WorkedPositions)
{
    struct Case {
        Vec3 eye;
        bool farSight;
        int row, column, lastRow;
        const char* what;
    } cases[] = {
        {{0, -6200, -300}, false, 6, 25, 66, "start of the board: 200 + (-5800)/30 = 6.67 truncates to 6"},
        {{0, -6200, -300}, true, 6, 25, 398, "far sight runs to the last row"},
        {{-760, 0, -300}, false, 213, 0, 273, "25 - 25.33 = -0.33 truncates toward zero to column 0"},
        {{-790, 0, -300}, false, 213, -1, 273, "left of the board the column is not clamped"},
        {{760, 0, -300}, false, 213, 50, 273, "right of the board"},
        {{0, -20000, -300}, false, 0, 25, 60, "far behind the board: row 0"},
        {{0, 6000, -300}, false, 398, 25, 398, "far end: row 398"},
        {{0, 5600, -300}, false, 398, 25, 398, "200 + 6000/30 = 400 clamps to 398"},
        {{1e30f, -1e30f, 0}, false, 0, 1000000, 60, "absurd eyes stay in range"},
        {{std::nanf(""), std::nanf(""), 0}, false, 0, -1000000, 60, "no value: the low bounds"},
    };
    for (const Case& c : cases) {
        SweepAnchor a = boardSweepAnchor(c.eye, c.farSight);
        EXPECT_EQ(a.anchorRow, c.row) << c.what;
        EXPECT_EQ(a.anchorColumn, c.column) << c.what;
        EXPECT_EQ(a.lastRow, c.lastRow) << c.what;
    }
}

TEST_F(BoardRendererTest, AViewFromHighAboveDrawsTheWholeGridOnceWithEveryVertexProjectedOnce)
{
    // Looking straight down from 20000 up, the whole board fits on screen.
    int drawn = drawFrom(cameraLookingAhead({0, 0, -20000}, 1.5707964f), true, false);
    EXPECT_EQ(drawn, 39102) << "49 x 399 cells, two triangles each";
    EXPECT_EQ(record.cellsVisited, 19551);
    EXPECT_EQ(record.projections, GridVertexCount) << "every vertex projected exactly once";
    std::set<int32_t> unique(cells.begin(), cells.end());
    EXPECT_EQ(unique.size(), cells.size()) << "a cell visited twice";
}

TEST_F(BoardRendererTest, ChaseViewVisitsEachCellOnceAndProjectsEachCornerOnce)
{
    struct Case {
        Vec3 marble;
        bool farSight;
        const char* what;
    } cases[] = {
        {{0, -5800, 0}, false, "start line"}, {{0, -5800, 0}, true, "start line, far sight"},
        {{300, 0, 0}, false, "right half"},   {{-700, 2000, 0}, false, "near the left edge"},
        {{0, 5800, 0}, false, "finish"},
    };
    for (const Case& c : cases) {
        Vec3 marble = c.marble;
        marble.z = TheBoard.heightAt(marble.x, marble.y);
        Transform cam = chaseCamera(marble);
        // Poison the scratch so the entries this call writes can be told apart.
        std::fill(TheBoardRenderer.projected.begin(), TheBoardRenderer.projected.end(),
                  Vec3(std::nanf(""), std::nanf(""), std::nanf("")));
        int drawn = drawFrom(cam, c.farSight, true);
        ASSERT_GT(drawn, 0) << c.what;
        EXPECT_EQ(drawn % 2, 0) << c.what << ": two triangles per cell";
        EXPECT_EQ(drawn, 2 * static_cast<int>(cells.size())) << c.what << ": nothing behind the eye here";
        std::set<int32_t> unique(cells.begin(), cells.end());
        EXPECT_EQ(unique.size(), cells.size()) << c.what << ": a cell visited twice";
        std::set<int32_t> corners;
        int maxRow = 0;
        for (int32_t cell : cells) {
            ASSERT_GE(columnOf(cell), 0);
            ASSERT_LE(columnOf(cell), 48) << c.what;
            ASSERT_LE(rowOf(cell), 398) << c.what;
            for (int32_t k : {cell, cell + 50, cell + 51, cell + 1})
                corners.insert(k);
            maxRow = std::max(maxRow, rowOf(cell));
        }
        EXPECT_EQ(record.projections, static_cast<int>(corners.size())) << c.what << ": each corner projected once";
        int written = 0;
        for (const Vec3& p : TheBoardRenderer.projected)
            written += std::isnan(p.z) ? 0 : 1;
        EXPECT_EQ(written, static_cast<int>(corners.size())) << c.what << ": projected entries written";
        if (!c.farSight) {
            EXPECT_LE(maxRow, record.anchor.anchorRow + 60) << c.what << ": at most 61 rows from the anchor on";
        }
        EXPECT_TRUE(std::find(cells.begin(), cells.end(),
                              record.anchor.anchorRow * 50 + std::clamp(record.anchor.anchorColumn, 0, 48)) !=
                    cells.end())
            << c.what << ": the anchor cell is drawn";
    }
}

TEST_F(BoardRendererTest, FarSightReachesBeyondTheSixtyRowReach)
{
    // From high above every row is on screen, so only the reach limits the ahead sweeps.
    Transform high = cameraLookingAhead({0, -2000, -20000}, 1.5707964f);
    drawFrom(high, false, false);
    int nearRows = 0;
    for (int32_t cell : cells)
        nearRows = std::max(nearRows, rowOf(cell));
    EXPECT_EQ(record.anchor.anchorRow, 146);
    EXPECT_EQ(nearRows, 146 + 60) << "rows anchorRow to anchorRow + 60";
    drawFrom(high, true, false);
    int farRows = 0;
    for (int32_t cell : cells)
        farRows = std::max(farRows, rowOf(cell));
    EXPECT_EQ(farRows, 398) << "far sight runs to the last row";
}

TEST_F(BoardRendererTest, AtTheFarEndOnlyRow398IsAheadAndTheBackSweepsStartAt397)
{
    Vec3 eye{0, 5800, -300};
    drawFrom(cameraLookingAhead(eye, 0.6f), false, false);
    ASSERT_EQ(record.anchor.anchorRow, 398);
    std::set<int> rows;
    for (int32_t cell : cells)
        rows.insert(rowOf(cell));
    EXPECT_EQ(*rows.rbegin(), 398);
    EXPECT_TRUE(rows.count(397)) << "back sweeps start one row behind";
}

TEST_F(BoardRendererTest, FarBehindTheBoardTheAheadSweepsStartAtRowZero)
{
    // Looking ahead from well before the board: anchor row 0, nothing behind it to draw.
    drawFrom(cameraLookingAhead({0, -7000, -300}, 0.4f), false, false);
    ASSERT_EQ(record.anchor.anchorRow, 0);
    ASSERT_FALSE(cells.empty());
    for (int32_t cell : cells)
        EXPECT_LE(rowOf(cell), 60);
    EXPECT_EQ(rowOf(*std::min_element(cells.begin(), cells.end())), 0);
}

TEST_F(BoardRendererTest, AnEyeBesideTheBoardNeverAddressesACellOutsideTheGrid)
{
    struct Case {
        float x;
        bool boardOnScreen; // within the 60-row reach the board shows only from a moderate distance
    } cases[] = {{-3000, false}, {-1200, true}, {-790, true}, {760, true}, {1200, true}, {3000, false}};
    for (const Case& c : cases) {
        drawFrom(cameraLookingAhead({c.x, -2000, -400}, 0.5f), false, false);
        ASSERT_FALSE(cells.empty()) << "eye x " << c.x;
        for (int32_t cell : cells) {
            ASSERT_GE(cell, 0);
            ASSERT_LE(columnOf(cell), 48) << "eye x " << c.x;
            ASSERT_LE(rowOf(cell), 398) << "eye x " << c.x;
        }
        std::set<int32_t> unique(cells.begin(), cells.end());
        EXPECT_EQ(unique.size(), cells.size()) << "eye x " << c.x;
        if (c.boardOnScreen) {
            EXPECT_GT(distinctColors(headless::readFrame(), 3), 1) << "eye x " << c.x << ": board pixels on screen";
        }
    }
    // Left of the board the rightward sweeps start at column 0; right of it the leftward ones at 48.
    drawFrom(cameraLookingAhead({-3000, -2000, -400}, 0.5f), false, false);
    EXPECT_EQ(columnOf(cells.front()), 0);
    drawFrom(cameraLookingAhead({3000, -2000, -400}, 0.5f), false, false);
    EXPECT_EQ(columnOf(cells.front()), 48);
}

TEST_F(BoardRendererTest, TrianglesBehindTheEyeAreSkippedAndNotCounted)
{
    // Standing before the board and looking away from it: every cell lies behind the camera plane.
    int drawn = drawFrom(cameraLookingBack({0, -6300, -300}, 0.3f), false, true);
    EXPECT_EQ(drawn, 0);
    EXPECT_GT(record.trianglesSkipped, 0) << "cells were visited but lay behind the eye";
    headless::Frame f = headless::readFrame();
    EXPECT_EQ(distinctColors(f, 2), 1) << "nothing mirrored through the eye reaches the screen";
}

// The plain way to draw the visited cells: one batch per triangle, texture coordinate and
// position corner by corner, skipping triangles with a corner at or behind the camera plane.
void drawCellsOneTriangleAtATime(const std::vector<int32_t>& cells)
{
    auto inFront = [](int i) {
        float z = TheBoardRenderer.projected[static_cast<size_t>(i)].z;
        return z > 0.0f && std::isfinite(z);
    };
    auto corner = [](int i) {
        const Vec3& t = TheBoardRenderer.texCoords[static_cast<size_t>(i)];
        const Vec3& p = TheBoardRenderer.projected[static_cast<size_t>(i)];
        draw::texCoord(t.x, t.y);
        draw::vertex(p.x, p.y, p.z);
    };
    for (int32_t i : cells) {
        const int triangles[2][3] = {{i, i + GridColumns, i + GridColumns + 1}, {i, i + GridColumns + 1, i + 1}};
        for (const auto& t : triangles) {
            if (!inFront(t[0]) || !inFront(t[1]) || !inFront(t[2]))
                continue;
            draw::begin(draw::Shape::Triangles);
            for (int k : t)
                corner(k);
            draw::end();
        }
    }
}

TEST_F(BoardRendererTest, DrawsTheSamePixelsAsOneBatchPerTriangle)
{
    const Vec3 start{0, -5800, TheBoard.heightAt(0, -5800)};
    struct Case {
        Transform camera;
        bool farSight, fog;
        const char* what;
    } cases[] = {
        {chaseCamera(start), false, true, "chase view at the start, fog"},
        {chaseCamera(start), true, false, "chase view at the start, far sight"},
        {cameraLookingAhead({0, 0, -20000}, 1.5707964f), true, true, "the whole grid, the largest frame"},
        {cameraLookingAhead({-1200, -2000, -400}, 0.5f), false, false, "eye beside the board"},
        {cameraLookingAhead({0, -3000, -60}, 0.02f), false, true, "low eye: the cells behind it are skipped"},
    };
    for (const Case& c : cases) {
        drawFrom(c.camera, c.farSight, c.fog);
        headless::Frame batched = headless::readFrame();
        headless::GlState state = headless::glState();
        EXPECT_FALSE(state.vertexArray) << c.what << ": client arrays left on";
        EXPECT_FALSE(state.texCoordArray) << c.what << ": client arrays left on";
        clearFrame(0, 0, 0);
        drawCellsOneTriangleAtATime(cells); // in the state the renderer left
        headless::Frame plain = headless::readFrame();
        ASSERT_EQ(batched.rgba.size(), plain.rgba.size());
        size_t differing = 0;
        for (size_t k = 0; k < plain.rgba.size(); ++k)
            differing += batched.rgba[k] != plain.rgba[k];
        EXPECT_EQ(differing, 0u) << c.what;
        EXPECT_GT(distinctColors(plain, 3), 1) << c.what << ": the view shows the board";
    }
}

TEST_F(BoardRendererTest, ABoardWithoutAGridDrawsNothing)
{
    BoardRenderer empty;
    clearFrame(0, 0, 0);
    BoardDrawRecord nothing = empty.draw(TheBoard, chaseCamera({0, -5800, 0}), false, true);
    EXPECT_EQ(nothing.triangles, 0);
    EXPECT_EQ(nothing.cellsVisited, 0);
    EXPECT_EQ(distinctColors(headless::readFrame(), 2), 1);
}

TEST_F(BoardRendererTest, LeavesItsGlStateForTheMarbleAndOverlays)
{
    for (bool fog : {true, false}) {
        draw::blend(true);
        drawFrom(chaseCamera({0, -5800, TheBoard.heightAt(0, -5800)}), false, fog);
        headless::GlState s = headless::glState();
        EXPECT_TRUE(s.depthTest);
        EXPECT_EQ(s.depthFunc, "GL_GEQUAL");
        EXPECT_TRUE(s.cullFace);
        EXPECT_EQ(s.cullFaceMode, "GL_FRONT");
        EXPECT_TRUE(s.texture2D);
        EXPECT_EQ(s.boundTexture, BoardTextureName);
        EXPECT_EQ(s.textureEnvMode, "GL_DECAL");
        EXPECT_FALSE(s.blend);
        EXPECT_EQ(s.fog, fog);
        if (fog) {
            EXPECT_EQ(s.fogMode, "GL_LINEAR");
            EXPECT_FLOAT_EQ(s.fogStart, 0.0025f);
            EXPECT_FLOAT_EQ(s.fogEnd, 0.00055555557f);
            EXPECT_NEAR(s.fogColor[0], 0x33 / 255.0f, 1e-6);
            EXPECT_NEAR(s.fogColor[1], 0x66 / 255.0f, 1e-6);
            EXPECT_NEAR(s.fogColor[2], 0x99 / 255.0f, 1e-6);
        }
    }
}

// Straight down onto flat ground: near pixels show texels exactly (no fog up to depth 400), and at
// depth 1800 or more everything has the fog colour.
TEST_F(BoardRendererTest, FogFadesFromTheTexelsAtDepth400ToTheFogColourAt1800)
{
    TheBoard.setHoles({});
    TheBoardRenderer.buildGrid(TheBoard);
    const Rgb a{CheckerA[0], CheckerA[1], CheckerA[2]};
    const Rgb b{CheckerB[0], CheckerB[1], CheckerB[2]};
    const Rgb fog{0x33, 0x66, 0x99};

    drawFrom(cameraLookingAhead({5, 5, -390}, 1.5707964f), false, true);
    headless::Frame nearFrame = headless::readFrame();
    for (auto [x, y] : {std::pair{320, 240}, std::pair{100, 100}, std::pair{500, 400}}) {
        Rgb p = pixel(nearFrame, x, y);
        EXPECT_TRUE(near(p, a, 0) || near(p, b, 0)) << "depth 390: unfogged texel expected, got " << str(p);
    }
    drawFrom(cameraLookingAhead({5, 5, -1900}, 1.5707964f), false, true);
    headless::Frame farFrame = headless::readFrame();
    EXPECT_TRUE(near(pixel(farFrame, 320, 240), fog, 1))
        << "depth 1900: fog colour, got " << str(pixel(farFrame, 320, 240));

    // Depth 800: f = (1/1800 - 1/800) / (1/1800 - 1/400) = 0.357 of the texel.
    drawFrom(cameraLookingAhead({5, 5, -800}, 1.5707964f), false, true);
    headless::Frame midFrame = headless::readFrame();
    Rgb p = pixel(midFrame, 320, 240);
    double f = (1.0 / 1800 - 1.0 / 800) / (1.0 / 1800 - 1.0 / 400);
    auto mix = [&](Rgb t) {
        return Rgb{static_cast<int>(std::lround(f * t.r + (1 - f) * fog.r)),
                   static_cast<int>(std::lround(f * t.g + (1 - f) * fog.g)),
                   static_cast<int>(std::lround(f * t.b + (1 - f) * fog.b))};
    };
    EXPECT_TRUE(near(p, mix(a), 3) || near(p, mix(b), 3))
        << "depth 800: got " << str(p) << ", want " << str(mix(a)) << " or " << str(mix(b));
}

} // namespace

TEST_F(BoardRendererTest, GridCornersPositionsAndTextureCoordinates)
{
    TheBoard.setHoles({{0, 0, 60, 100}, {300, 3000, 50, -40}});
    TheBoardRenderer.buildGrid(TheBoard);
    ASSERT_EQ(TheBoardRenderer.vertices.size(), 20000u);
    ASSERT_EQ(TheBoardRenderer.projected.size(), 20000u);
    ASSERT_EQ(TheBoardRenderer.texCoords.size(), 20000u);

    struct Case {
        int index;
        float x, y, s, t;
    } cases[] = {
        {0, -750, -6000, -4.6875f, -50.0f},    {49, 720, -6000, 4.5f, -50.0f},
        {19950, -750, 5970, -4.6875f, 49.75f}, {19999, 720, 5970, 4.5f, 49.75f},
        {200 * 50 + 25, 0, 0, 0.0f, 0.0f},     {300 * 50 + 35, 300, 3000, 1.875f, 25.0f},
    };
    for (const Case& c : cases) {
        const Vec3& v = TheBoardRenderer.vertices[c.index];
        const Vec3& tex = TheBoardRenderer.texCoords[c.index];
        EXPECT_EQ(v.x, c.x) << "vertex " << c.index;
        EXPECT_EQ(v.y, c.y) << "vertex " << c.index;
        EXPECT_EQ(v.z, TheBoard.heightAt(c.x, c.y)) << "vertex " << c.index << " lies on the surface";
        EXPECT_EQ(tex.x, c.s) << "s of vertex " << c.index;
        EXPECT_EQ(tex.y, c.t) << "t of vertex " << c.index;
    }
    EXPECT_GT(TheBoardRenderer.vertices[200 * 50 + 25].z, 99.0f) << "the dip's centre is low";
    EXPECT_LT(TheBoardRenderer.vertices[300 * 50 + 35].z, -30.0f) << "the bump's centre is high";

    // A new hole list and a rebuild replace every height.
    TheBoard.setHoles({});
    TheBoardRenderer.buildGrid(TheBoard);
    EXPECT_EQ(TheBoardRenderer.vertices.size(), 20000u);
    EXPECT_EQ(TheBoardRenderer.vertices[200 * 50 + 25].z, 0.0f);
}
