// SPDX-License-Identifier: MIT
// Vec3, Mat3 and Transform operations. Everything is single precision and computed in the order the
// formulas read, so that results are the same bits on every build.
#include "sim/vec_math.h"

#include <cmath>

// The C libraries' single-precision sinf, cosf and atanf differ in the last bit from one library to
// another (glibc, the WebAssembly build's musl); their double functions, rounded to float, agree.
float portableSin(float a)
{
    return static_cast<float>(std::sin(static_cast<double>(a)));
}

float portableCos(float a)
{
    return static_cast<float>(std::cos(static_cast<double>(a)));
}

float portableAtan(float a)
{
    return static_cast<float>(std::atan(static_cast<double>(a)));
}

void Vec3::set(float x_, float y_, float z_)
{
    x = x_;
    y = y_;
    z = z_;
}

float& Vec3::at(int i)
{
    return i == 0 ? x : (i == 1 ? y : z);
}

float Vec3::at(int i) const
{
    return i == 0 ? x : (i == 1 ? y : z);
}

Vec3& Vec3::addInPlace(Vec3 v)
{
    x += v.x;
    y += v.y;
    z += v.z;
    return *this;
}

Vec3& Vec3::subInPlace(Vec3 v)
{
    x -= v.x;
    y -= v.y;
    z -= v.z;
    return *this;
}

float Vec3::length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

Vec3 Vec3::normalized() const
{
    float len = length();
    if (len == 0.0f)
        return Vec3(0.0f, 0.0f, 0.0f);
    // One division and three multiplications: a very short vector still comes out at unit length.
    float inverse = 1.0f / len;
    return Vec3(x * inverse, y * inverse, z * inverse);
}

Vec3 add(Vec3 a, Vec3 b)
{
    return Vec3(a.x + b.x, a.y + b.y, a.z + b.z);
}

Vec3 sub(Vec3 a, Vec3 b)
{
    return Vec3(a.x - b.x, a.y - b.y, a.z - b.z);
}

Vec3 scale(Vec3 v, float s)
{
    return Vec3(s * v.x, s * v.y, s * v.z);
}

float dot(Vec3 a, Vec3 b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

Vec3 cross(Vec3 a, Vec3 b)
{
    return Vec3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

Mat3 Mat3::identity()
{
    Mat3 r;
    r.m[0] = 1.0f;
    r.m[4] = 1.0f;
    r.m[8] = 1.0f;
    return r;
}

// Out-of-range rows and columns are clamped into the matrix rather than reading past it.
static int element(int row, int col)
{
    row = row < 0 ? 0 : (row > 2 ? 2 : row);
    col = col < 0 ? 0 : (col > 2 ? 2 : col);
    return row * 3 + col;
}

float& Mat3::at(int row, int col)
{
    return m[element(row, col)];
}

float Mat3::at(int row, int col) const
{
    return m[element(row, col)];
}

static Mat3 fromRows(float a, float b, float c, float d, float e, float f, float g, float h, float i)
{
    Mat3 r;
    r.m[0] = a;
    r.m[1] = b;
    r.m[2] = c;
    r.m[3] = d;
    r.m[4] = e;
    r.m[5] = f;
    r.m[6] = g;
    r.m[7] = h;
    r.m[8] = i;
    return r;
}

Mat3 Mat3::rotationX(float a)
{
    float c = portableCos(a);
    float s = portableSin(a);
    return fromRows(1.0f, 0.0f, 0.0f, 0.0f, c, s, 0.0f, -s, c);
}

Mat3 Mat3::rotationY(float b)
{
    float c = portableCos(b);
    float s = portableSin(b);
    return fromRows(c, 0.0f, -s, 0.0f, 1.0f, 0.0f, s, 0.0f, c);
}

Mat3 Mat3::rotationZ(float c)
{
    float co = portableCos(c);
    float s = portableSin(c);
    return fromRows(co, s, 0.0f, -s, co, 0.0f, 0.0f, 0.0f, 1.0f);
}

void multiply(Mat3& dest, const Mat3& a, const Mat3& b)
{
    Mat3 product;
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            product.m[r * 3 + c] =
                a.m[r * 3 + 0] * b.m[0 * 3 + c] + a.m[r * 3 + 1] * b.m[1 * 3 + c] + a.m[r * 3 + 2] * b.m[2 * 3 + c];
    dest = product;
}

Mat3 multiply(const Mat3& a, const Mat3& b)
{
    Mat3 product;
    multiply(product, a, b);
    return product;
}

Vec3 apply(const Mat3& m, Vec3 v)
{
    return Vec3(m.m[0] * v.x + m.m[1] * v.y + m.m[2] * v.z, m.m[3] * v.x + m.m[4] * v.y + m.m[5] * v.z,
                m.m[6] * v.x + m.m[7] * v.y + m.m[8] * v.z);
}

void Transform::set(Vec3 p, float ax, float ay, float az)
{
    position = p;
    rotX = Mat3::rotationX(ax);
    rotY = Mat3::rotationY(ay);
    rotZ = Mat3::rotationZ(az);
    // x, then y, then z: applied to a column vector the z factor acts first.
    multiply(rotation, rotX, rotY);
    multiply(rotation, rotation, rotZ);
}
