// SPDX-License-Identifier: MIT
// The camera-space step both renderers share: a world point p becomes c = R * (p - E) with the camera's
// rotation R and eye E. Each renderer then divides by c.z with its own scales (see its file).
#pragma once

#include "sim/vec_math.h"

inline Vec3 toCameraSpace(const Transform& camera, Vec3 world)
{
    return apply(camera.rotation, sub(world, camera.position));
}
