// SPDX-License-Identifier: MIT
// The ghost track's two queries, by binary search over round time and a forward scan over y.
#include "sim/ghost_track.h"

#include <algorithm>

namespace {

float mix(float a, float b, float t)
{
    return a + (b - a) * t;
}

} // namespace

bool GhostTrack::positionAt(float roundTime, Vec3& out) const
{
    if (samples.empty())
        return false;
    if (!(roundTime > samples.front().roundTime)) {
        out = samples.front().position;
        return true;
    }
    auto later = std::upper_bound(samples.begin(), samples.end(), roundTime,
                                  [](float t, const GhostSample& s) { return t < s.roundTime; });
    if (later == samples.end()) {
        out = samples.back().position;
        return true;
    }
    const GhostSample& b = *later;
    const GhostSample& a = *(later - 1);
    float span = b.roundTime - a.roundTime;
    float t = span > 0.0f ? (roundTime - a.roundTime) / span : 1.0f;
    out = {mix(a.position.x, b.position.x, t), mix(a.position.y, b.position.y, t), mix(a.position.z, b.position.z, t)};
    return true;
}

bool GhostTrack::timeAtY(float y, float& out) const
{
    for (size_t i = 0; i < samples.size(); ++i) {
        const GhostSample& b = samples[i];
        if (b.position.y < y)
            continue;
        if (i == 0) {
            out = b.roundTime;
            return true;
        }
        const GhostSample& a = samples[i - 1];
        float rise = b.position.y - a.position.y;
        float t = rise > 0.0f ? (y - a.position.y) / rise : 1.0f;
        out = mix(a.roundTime, b.roundTime, t);
        return true;
    }
    return false;
}

bool ghostGap(const GhostTrack& track, float now, float y, float& gap)
{
    float reached = 0.0f;
    if (!track.timeAtY(y, reached))
        return false;
    gap = now - reached;
    return true;
}
