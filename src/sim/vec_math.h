// SPDX-License-Identifier: MIT
// Vec3, Mat3 and Transform: the small single-precision linear algebra of the world frame
// (x across the board, y along it, z downward). Plain values; nothing here allocates.
#pragma once

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vec3() = default;
    Vec3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) { }

    void set(float x_, float y_, float z_);
    // Component i: 0 = x, 1 = y, 2 = z (any other i gives z, so no index leaves the vector).
    float& at(int i);
    float at(int i) const;
    Vec3& addInPlace(Vec3 v);
    Vec3& subInPlace(Vec3 v);
    float length() const;
    // Unit vector; the zero vector for an input of length exactly 0.
    Vec3 normalized() const;
};

// Sine, cosine and arctangent that give the same bits with every C library the game is built on.
float portableSin(float a);
float portableCos(float a);
float portableAtan(float a);

Vec3 add(Vec3 a, Vec3 b);
Vec3 sub(Vec3 a, Vec3 b);
Vec3 scale(Vec3 v, float s);
float dot(Vec3 a, Vec3 b);
Vec3 cross(Vec3 a, Vec3 b);

// Nine floats row by row, applied to column vectors: element (row, col) is m[row * 3 + col].
struct Mat3 {
    float m[9] = {0, 0, 0, 0, 0, 0, 0, 0, 0};

    static Mat3 identity();
    // Rows and columns outside 0..2 are clamped into the matrix.
    float& at(int row, int col);
    float at(int row, int col) const;

    // The rotations turn the coordinate frame by +angle about their axis, that is a column vector by
    // -angle: they are the transposes of the usual right-handed matrices.
    static Mat3 rotationX(float a);
    static Mat3 rotationY(float b);
    static Mat3 rotationZ(float c);
};

// dest = a x b, formed in a temporary first, so dest may be a or b.
void multiply(Mat3& dest, const Mat3& a, const Mat3& b);
Mat3 multiply(const Mat3& a, const Mat3& b);
Vec3 apply(const Mat3& m, Vec3 v);

// A position and a rotation built from three angles: rotation = rotX x rotY x rotZ.
struct Transform {
    Vec3 position;
    Mat3 rotation = Mat3::identity();
    Mat3 rotX = Mat3::identity();
    Mat3 rotY = Mat3::identity();
    Mat3 rotZ = Mat3::identity();

    void set(Vec3 p, float ax, float ay, float az);
    Vec3 getPosition() const { return position; }
    Mat3 getRotation() const { return rotation; }
};
