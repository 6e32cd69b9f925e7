// SPDX-License-Identifier: MIT
// drawMarble: the marble as a flat screen-aligned disc of 16 triangles at the projected centre of the
// ball, bright in the middle and dark at the rim. Relies on the depth and fog state the board left.
#include "render/marble_renderer.h"

#include <cmath>

#include "level/board.h"
#include "platform/draw.h"
#include "render/projection.h"
#include "sim/marble.h"

namespace {

constexpr float BallRadius = 20.0f;
constexpr double DiscRadius = 20.0;
constexpr double Aspect = 1.333333;
constexpr float AngleStep = 0.39269912f;            // about pi/8, in single precision
constexpr float AngleLimit = 6.283186f;             // just above 2 pi, so the 16th triangle closes the fan
constexpr double RimFactor = 0.0003921568627450981; // a tenth of 1/255

// The disc of a ball at `position` with `color` (0..255) and opacity `alpha` at its centre and rim.
// The disc is not scaled by the horizontal factor 1.25, so it is four fifths of the ball's true size.
// Its centre is divided as (400 c / cz) / 320 and / 240, the focal length and the half screen: the
// same place as the board's 1.25 c / cz, but the vertical scale is exactly 5/3, not the board's 1.666667.
void drawDisc(Vec3 position, const float* color, float alpha, const Transform& camera, const Board& board)
{
    Vec3 n = board.normalAt(position.x, position.y);
    Vec3 centre = add(position, scale(n, BallRadius));
    Vec3 c = toCameraSpace(camera, centre);

    draw::noTexture();
    draw::cullFrontFaces(false);
    // A centre at or behind the camera plane would project mirrored through the eye: nothing is drawn.
    if (!(c.z > 0.0f))
        return;

    const double cz = c.z;
    const float px = static_cast<float>((400.0 * c.x / cz) * 0.003125);
    const float py = static_cast<float>((400.0 * c.y / cz) * 0.004166666666666667);
    const float pz = static_cast<float>(1.0 / cz);
    const double rho = static_cast<float>(DiscRadius / cz);
    const float centreColor[4] = {static_cast<float>(color[0] / 255.0), static_cast<float>(color[1] / 255.0),
                                  static_cast<float>(color[2] / 255.0), alpha};
    const float rimColor[4] = {static_cast<float>(color[0] * RimFactor), static_cast<float>(color[1] * RimFactor),
                               static_cast<float>(color[2] * RimFactor), alpha};
    auto rimVertex = [&](float a) {
        draw::vertex(static_cast<float>(px + std::cos(static_cast<double>(a)) * rho),
                     static_cast<float>(py + Aspect * std::sin(static_cast<double>(a)) * rho), pz);
    };

    // All 16 triangles go in one batch: the same vertices and colours as a batch per triangle.
    float a = 0.0f;
    draw::begin(draw::Shape::Triangles);
    do {
        float next = a + AngleStep;
        draw::color(centreColor[0], centreColor[1], centreColor[2], centreColor[3]);
        draw::vertex(px, py, pz);
        draw::color(rimColor[0], rimColor[1], rimColor[2], rimColor[3]);
        rimVertex(next);
        draw::color(rimColor[0], rimColor[1], rimColor[2], rimColor[3]);
        rimVertex(a);
        a = next;
    } while (static_cast<double>(a) < static_cast<double>(AngleLimit));
    draw::end();
}

} // namespace

void drawMarble(const Marble& marble, const Transform& camera, const Board& board)
{
    drawDisc(marble.position, marble.color, 1.0f, camera, board);
}

// Blended over what is drawn and hidden by nearer board as the marble is. It comes after the player's
// marble and before nothing but the 2D layers, so its depth writes hide nothing: where the two meet, the
// player's marble shows through it.
void drawGhostMarble(Vec3 position, const float* color, float alpha, const Transform& camera, const Board& board)
{
    draw::blend(true);
    drawDisc(position, color, alpha, camera, board);
    draw::blend(false);
}
