// SPDX-License-Identifier: MIT
// Vector and matrix arithmetic: normalising, cross products, the rotation sign rule, products written
// over their own operands, and the order in which a Transform combines its three factors.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "sim/vec_math.h"
#include "sim_fixture.h"

namespace {

constexpr float HalfPi = std::numbers::pi_v<float> / 2.0f;

Mat3 sample(float base)
{
    Mat3 m;
    for (int i = 0; i < 9; ++i)
        m.m[i] = base + static_cast<float>(i) * 0.5f - static_cast<float>(i % 3);
    return m;
}

} // namespace

TEST(VecMath, NormalizedScalesToUnitLength)
{
    struct Case {
        Vec3 in;
        Vec3 expected;
    } cases[] = {
        {{0.0f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}}, // no division: the zero vector stays zero
        {{3.0f, 0.0f, 4.0f}, {0.6f, 0.0f, 0.8f}},
        {{0.0f, -2.0f, 0.0f}, {0.0f, -1.0f, 0.0f}},
        // A very short vector is still scaled up, not taken for zero.
        {{1e-18f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        Vec3 n = c.in.normalized();
        expectVecNear(n, c.expected, 1e-6f, "normalized");
    }
}

TEST(VecMath, CrossAndDotFollowTheRightHandRule)
{
    expectVecNear(cross(Vec3(1, 0, 0), Vec3(0, 1, 0)), Vec3(0, 0, 1), 0.0f, "x cross y");
    expectVecNear(cross(Vec3(0, 1, 0), Vec3(0, 0, 1)), Vec3(1, 0, 0), 0.0f, "y cross z");
    expectVecNear(cross(Vec3(0, 1, 0), Vec3(1, 0, 0)), Vec3(0, 0, -1), 0.0f, "y cross x");
    EXPECT_EQ(dot(Vec3(1, 2, 3), Vec3(4, -5, 6)), 12.0f);
    EXPECT_EQ(Vec3(2, 3, 6).length(), 7.0f);
}

TEST(VecMath, RotationsTurnTheFrameNotTheVector)
{
    // Each rotation turns a column vector by -angle about its axis.
    struct Case {
        const char* name;
        Mat3 m;
        Vec3 in;
        Vec3 expected;
    } cases[] = {
        {"rotationZ(pi/2) (1,0,0)", Mat3::rotationZ(HalfPi), {1, 0, 0}, {0, -1, 0}},
        {"rotationZ(pi/2) (0,1,0)", Mat3::rotationZ(HalfPi), {0, 1, 0}, {1, 0, 0}},
        {"rotationX(pi/2) (0,1,0)", Mat3::rotationX(HalfPi), {0, 1, 0}, {0, 0, -1}},
        {"rotationY(pi/2) (1,0,0)", Mat3::rotationY(HalfPi), {1, 0, 0}, {0, 0, 1}},
        {"rotationY(pi/2) (0,0,1)", Mat3::rotationY(HalfPi), {0, 0, 1}, {-1, 0, 0}},
    };
    for (const Case& c : cases)
        expectVecNear(apply(c.m, c.in), c.expected, 1e-6f, c.name);
}

TEST(VecMath, MatrixStorageIsRowByRow)
{
    Mat3 m = Mat3::rotationZ(0.3f);
    EXPECT_EQ(m.at(0, 1), m.m[1]);
    EXPECT_EQ(m.at(1, 0), m.m[3]);
    EXPECT_FLOAT_EQ(m.at(0, 1), std::sin(0.3f)) << "row 0 of rotationZ is (cos, sin, 0)";
    m.at(2, 2) = 7.0f;
    EXPECT_EQ(m.m[8], 7.0f);
    EXPECT_EQ(m.at(5, -3), m.m[6]) << "rows and columns outside the matrix are clamped into it";
}

TEST(VecMath, MultiplyIntoItsOwnOperandMatchesAFreshProduct)
{
    Mat3 a = sample(1.0f);
    Mat3 b = sample(-2.0f);
    Mat3 fresh = multiply(a, b);

    // An independent check of one element: row 1 of a times column 2 of b.
    float element = a.m[3] * b.m[2] + a.m[4] * b.m[5] + a.m[5] * b.m[8];
    EXPECT_EQ(fresh.at(1, 2), element);

    Mat3 overA = a;
    multiply(overA, overA, b);
    Mat3 overB = b;
    multiply(overB, a, overB);
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(overA.m[i], fresh.m[i]) << "product written over A differs at element " << i;
        EXPECT_EQ(overB.m[i], fresh.m[i]) << "product written over B differs at element " << i;
    }
}

TEST(VecMath, TransformStartsAndResetsToIdentity)
{
    Transform t;
    Transform zero;
    zero.set(Vec3(4, 5, 6), 0.0f, 0.0f, 0.0f);
    Mat3 id = Mat3::identity();
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(t.getRotation().m[i], id.m[i]) << "new transform, element " << i;
        EXPECT_EQ(zero.getRotation().m[i], id.m[i]) << "all angles 0, element " << i;
    }
    expectVecNear(zero.getPosition(), Vec3(4, 5, 6), 0.0f, "position");
}

TEST(VecMath, TransformAppliesTheZFactorFirstAndTheXFactorLast)
{
    Transform t;
    t.set(Vec3(), HalfPi, 0.0f, HalfPi);
    // z first: (1,0,0) -> (0,-1,0); then x: (0,-1,0) -> (0,0,1). The other order would give (0,-1,0).
    expectVecNear(apply(t.rotation, Vec3(1, 0, 0)), Vec3(0, 0, 1), 1e-6f, "x-y-z product");

    // Setting again rebuilds every factor: nothing of the earlier angles survives.
    t.set(Vec3(), 0.0f, HalfPi, 0.0f);
    expectVecNear(apply(t.rotation, Vec3(1, 0, 0)), Vec3(0, 0, 1), 1e-6f, "after a second set");
    EXPECT_EQ(t.rotX.m[4], 1.0f);
    EXPECT_EQ(t.rotZ.m[0], 1.0f);
}
