// SPDX-License-Identifier: MIT
// The follow camera: each tick the eye chases a point behind and above the marble, kept clear of the
// hills, the view turns toward the marble, and the Transform for the renderers is rebuilt.
#include "sim/camera.h"

#include <cmath>

#include "level/board.h"

constexpr float ChaseBehind = -400.0f;
constexpr float ChaseAbove = -350.0f;
constexpr float Clearance = 270.0f;
constexpr float LongestSmoothingStep = 0.1f;
constexpr float FullRate = 10.0f;

struct ClearanceSample {
    float dx;
    float dy;
};
constexpr ClearanceSample ClearanceSamples[] = {{0.0f, 0.0f}, {0.0f, 150.0f}, {75.0f, 0.0f}, {-75.0f, 0.0f}};

// The aim is the plain arctangent of a quotient (the quadrant is lost on purpose). A quotient without
// a value or an infinite one keeps the previous target, so the angles stay finite.
static void aimAt(float& aimTarget, float numerator, float denominator)
{
    float quotient = numerator / denominator;
    if (std::isfinite(quotient))
        aimTarget = -portableAtan(quotient);
}

void updateCamera(FollowCamera& cam, const Board& board, Vec3 p, float lag, float seconds)
{
    Vec3 target = add(p, Vec3(0.0f, ChaseBehind, ChaseAbove));
    for (const ClearanceSample& s : ClearanceSamples) {
        float h = board.heightAt(target.x + s.dx, target.y + s.dy);
        if (target.z > h - Clearance)
            target.z = h - Clearance;
    }

    // Aimed from where the eye was before this tick's move.
    aimAt(cam.pitchTarget, cam.eye.y - p.y, cam.eye.z - p.z);
    aimAt(cam.yawTarget, cam.eye.x - p.x, cam.eye.z - p.z);

    float s = seconds <= LongestSmoothingStep ? seconds : LongestSmoothingStep;
    float k = (FullRate - lag) * s;

    cam.eye.addInPlace(scale(sub(target, cam.eye), k));
    cam.pitch += (cam.pitchTarget - cam.pitch) * k;
    cam.yaw += (cam.yawTarget - cam.yaw) * k;
    // The roll follows the yaw's target, so the view banks as it turns.
    cam.roll += (cam.yawTarget - cam.roll) * k;

    cam.transform.set(cam.eye, cam.pitch, cam.yaw, cam.roll);
}
