// SPDX-License-Identifier: MIT
// The Board's surface queries (height, hole test, normal, slope, tangents) and its hole list. The map
// loader lives in map_loader.cpp, the drawing grid in render/.
#include "level/board.h"

#include <cmath>
#include <utility>

Board TheBoard;

float Board::heightAt(float x, float y) const
{
    size_t count = holes.size();
    if (count == 0)
        return 0.0f;
    // Every term is single precision; only the running sum is wider, so a long hole list does not
    // lose the small far-away contributions.
    double sum = 0.0;
    for (size_t i = 0; i < count; ++i) {
        const Hole& h = holes[i];
        // A hole without a positive radius has no dip to shape (its term would be 0/0 at the centre).
        if (!(h.radius > 0.0f))
            continue;
        float dx = x - h.x;
        float dy = y - h.y;
        float distance = std::sqrt(h.radius * h.radius + dx * dx + dy * dy);
        // Only a radius whose square underflows gives 0 here, at the very centre: the term is the depth.
        float term = distance == 0.0f ? h.depth : h.depth * h.radius / distance;
        sum += term;
    }
    return static_cast<float>(sum);
}

float Board::holeAt(float x, float y) const
{
    size_t count = holes.size();
    float nearest = 100000.0f;
    for (size_t i = 0; i < count; ++i) {
        const Hole& h = holes[i];
        // Bumps (depth <= 0) and holes without a positive radius are no holes at all, not even near.
        if (!(h.depth > 0.0f) || !(h.radius > 0.0f))
            continue;
        float dx = x - h.x;
        float dy = y - h.y;
        float distance = std::sqrt(dx * dx + dy * dy);
        if (distance < nearest)
            nearest = distance;
        if (distance <= CaptureRadii * h.radius)
            return h.radius;
    }
    return nearest < NearDistance ? -1.0f : 0.0f;
}

static Vec3 surfacePoint(const Board& board, float u, float v)
{
    return Vec3(u, v, board.heightAt(u, v));
}

Vec3 Board::normalAt(float x, float y) const
{
    // Backward difference across x, forward along y: (z - z(x-1), z(y+1) - z, -1) once crossed.
    Vec3 a = surfacePoint(*this, x, y + 1.0f);
    Vec3 b = surfacePoint(*this, x - 1.0f, y);
    Vec3 c = surfacePoint(*this, x, y);
    return cross(sub(c, b), sub(c, a)).normalized();
}

Vec3 Board::slopeAt(float x, float y) const
{
    return add(Vec3(0.0f, 0.0f, 1.0f), normalAt(x, y)).normalized();
}

Vec3 Board::tangentX(float x, float y) const
{
    return sub(surfacePoint(*this, x + 1.0f, y), surfacePoint(*this, x, y)).normalized();
}

Vec3 Board::tangentY(float x, float y) const
{
    return sub(surfacePoint(*this, x, y + 1.0f), surfacePoint(*this, x, y)).normalized();
}

void Board::setHoles(std::vector<Hole> newHoles)
{
    holes = std::move(newHoles);
}
