// SPDX-License-Identifier: MIT
// The board's surface queries: heights and hole tests against worked numbers, the one-sided
// differences of the normal and tangents, hole lists out of step with their count, and the grid.
#include <gtest/gtest.h>

#include <cmath>

#include "sim_fixture.h"

namespace {

class BoardQueries : public SimTest { };

} // namespace

TEST_F(BoardQueries, FlatBoardWithoutHoles)
{
    const float points[][2] = {{0, 0}, {-750, -6000}, {720, 5970}, {1e5f, -3e4f}};
    for (const auto& p : points) {
        std::string at = "at (" + std::to_string(p[0]) + ", " + std::to_string(p[1]) + ")";
        EXPECT_EQ(TheBoard.heightAt(p[0], p[1]), 0.0f) << at;
        EXPECT_EQ(TheBoard.holeAt(p[0], p[1]), 0.0f) << at;
        expectVecNear(TheBoard.normalAt(p[0], p[1]), Vec3(0, 0, -1), 0.0f, "normal " + at);
        expectVecNear(TheBoard.slopeAt(p[0], p[1]), Vec3(0, 0, 0), 0.0f, "slope " + at);
        expectVecNear(TheBoard.tangentX(p[0], p[1]), Vec3(1, 0, 0), 0.0f, "tangentX " + at);
        expectVecNear(TheBoard.tangentY(p[0], p[1]), Vec3(0, 1, 0), 0.0f, "tangentY " + at);
    }
}

TEST_F(BoardQueries, OneHoleHeights)
{
    TheBoard.setHoles({{0, 0, 60, 100}});
    EXPECT_EQ(TheBoard.heightAt(0, 0), 100.0f) << "the depth at the centre";
    EXPECT_NEAR(TheBoard.heightAt(60, 0), 70.7107f, 1e-3f) << "depth / sqrt 2 at one radius";
    EXPECT_NEAR(TheBoard.heightAt(0, -600), 100.0f / std::sqrt(101.0f), 1e-4f) << "about a tenth at ten radii";
    EXPECT_GT(TheBoard.heightAt(30000, 9000), 0.0f) << "a hole shapes the whole board, off the grid too";
}

TEST_F(BoardQueries, OneHoleTestAtTheBoundaries)
{
    TheBoard.setHoles({{0, 0, 60, 100}});
    struct Case {
        float x, y, expected;
        const char* why;
    } cases[] = {
        {0, 0, 60, "the centre"},
        {90, 0, 60, "exactly 1.5 radii is inside"},
        {0, -90, 60, "exactly 1.5 radii along y"},
        {90.5f, 0, -1, "just outside the capture circle, near"},
        {0, 249, -1, "249 away is near"},
        {0, 250, 0, "250 away is not near"},
        {-200, -150, 0, "exactly 250 diagonally is not near"},
        {5000, 5000, 0, "far away"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(TheBoard.holeAt(c.x, c.y), c.expected) << c.why << " (" << c.x << ", " << c.y << ")";
}

TEST_F(BoardQueries, BumpsShapeTheGroundButAreNeverHoles)
{
    TheBoard.setHoles({{0, 0, 60, -50}, {400, 0, 30, 0}});
    EXPECT_EQ(TheBoard.heightAt(0, 0), -50.0f) << "a negative depth raises the surface";
    EXPECT_EQ(TheBoard.holeAt(0, 0), 0.0f) << "a bump's centre is not a hole";
    EXPECT_EQ(TheBoard.holeAt(10, 100), 0.0f) << "nor near one";
    EXPECT_EQ(TheBoard.holeAt(400, 0), 0.0f) << "a depth of 0 is not a hole either";
}

TEST_F(BoardQueries, FirstListedHoleWins)
{
    TheBoard.setHoles({{-500, 0, 10, 5}, {0, 0, 60, 100}, {10, 0, 40, 100}});
    EXPECT_EQ(TheBoard.holeAt(5, 0), 60.0f) << "both contain the point; the first listed is reported";
    TheBoard.setHoles({{-500, 0, 10, 5}, {10, 0, 40, 100}, {0, 0, 60, 100}});
    EXPECT_EQ(TheBoard.holeAt(5, 0), 40.0f) << "listed the other way round";
    EXPECT_EQ(TheBoard.holeAt(-80, 0), 60.0f) << "only the wide one holds this point";
}

TEST_F(BoardQueries, HolesWithoutAPositiveRadiusAreAbsent)
{
    TheBoard.setHoles({{0, 0, 0, 100}, {100, 0, -20, 100}});
    for (float x : {0.0f, 100.0f, 101.0f, 50.0f}) {
        EXPECT_EQ(TheBoard.heightAt(x, 0), 0.0f) << "no height from a radius <= 0 at x = " << x;
        EXPECT_EQ(TheBoard.holeAt(x, 0), 0.0f) << "no hole or near hole at x = " << x;
    }
    // A radius so small that its square is 0 still gives the depth at the centre, not infinity.
    TheBoard.setHoles({{0, 0, 1e-30f, 100}});
    EXPECT_EQ(TheBoard.heightAt(0, 0), 100.0f);
    EXPECT_TRUE(std::isfinite(TheBoard.normalAt(0, 0).x));
}

TEST_F(BoardQueries, TheSumIsCarriedWiderThanSinglePrecision)
{
    // 1e8 plus 4000 terms of exactly 1: a float sum would lose every 1 (its step there is 8).
    std::vector<Hole> holes{{0, 0, 1, 1e8f}};
    holes.insert(holes.end(), 4000, Hole{0, 0, 1, 1});
    TheBoard.setHoles(holes);
    EXPECT_EQ(TheBoard.heightAt(0, 0), 100004000.0f);
}

TEST_F(BoardQueries, DerivativesUseTheirOwnOneSidedDifferences)
{
    TheBoard.setHoles({{0, 0, 60, 100}});
    // At the dip's centre the true slope is 0, but each query looks to one side: the normal back
    // across x (toward -x, where it is shallower) and forward along y; the tangents forward.
    Vec3 n = TheBoard.normalAt(0, 0);
    Vec3 tx = TheBoard.tangentX(0, 0);
    Vec3 ty = TheBoard.tangentY(0, 0);
    EXPECT_GT(n.x, 0.0f) << "z(0,0) - z(-1,0) > 0";
    EXPECT_LT(n.y, 0.0f) << "z(0,1) - z(0,0) < 0";
    EXPECT_LT(n.z, 0.0f) << "the normal points up";
    EXPECT_LT(tx.z, 0.0f) << "z(1,0) - z(0,0) < 0";
    EXPECT_LT(ty.z, 0.0f) << "z(0,1) - z(0,0) < 0";

    // Off the centre the slope points down and toward the centre.
    Vec3 s = TheBoard.slopeAt(60, 0);
    EXPECT_LT(s.x, 0.0f) << "downhill is toward the centre";
    EXPECT_GT(s.z, 0.0f) << "downhill is down";
    EXPECT_NEAR(dot(s, Vec3(0, 0, 1)), dot(s, TheBoard.normalAt(60, 0)), 1e-6f) << "halfway to the normal";
}
