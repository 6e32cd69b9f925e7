// SPDX-License-Identifier: MIT
// The 640 x 480 virtual screen of all 2D drawing (origin top-left, y downward) and its mapping onto
// clip space, where every 2D layer draws because the GL matrices stay identity.
#pragma once

constexpr float VirtualWidth = 640.0f;
constexpr float VirtualHeight = 480.0f;

// The factors are the exact decimal values 1/320 and 1/240, applied in double precision.
inline float clipX(float x)
{
    return static_cast<float>(x * 0.003125 - 1.0);
}
inline float clipY(float y)
{
    return static_cast<float>(1.0 - y * 0.004166666666666667);
}
