// SPDX-License-Identifier: MIT
// Keyframes, seeking and the undrawn recorded tick of a watched replay. The tick here is the game's
// own tick body (session/round_tick.h) without the frame's drawing and the round's end.
#include "watch/watch_timeline.h"

#include <algorithm>

#include "screen/game_state.h"
#include "session/round_tick.h"

WatchedMoment captureMoment()
{
    return {TheSim, TheRoundCues, TheBanner, OptionCameraLag};
}

void restoreMoment(const WatchedMoment& moment)
{
    TheSim = moment.sim;
    TheRoundCues = moment.cues;
    TheBanner = moment.banner;
    OptionCameraLag = moment.cameraLag;
    resumeRound();
}

void beginTimeline(WatchTimeline& timeline, const ReplayLevel& level)
{
    timeline.level = &level;
    timeline.nextTick = 0;
    timeline.keyframes.clear();
    timeline.keyframes.push_back(captureMoment());
    timeline.tickStart.assign(level.ticks.size() + 1, 0.0);
    for (size_t k = 0; k < level.ticks.size(); ++k)
        timeline.tickStart[k + 1] = timeline.tickStart[k] + static_cast<double>(level.ticks[k].seconds);
}

void keepKeyframe(WatchTimeline& timeline)
{
    if (timeline.nextTick % KeyframeTicks == 0 && timeline.nextTick / KeyframeTicks == timeline.keyframes.size())
        timeline.keyframes.push_back(captureMoment());
}

void playTimelineTick(WatchTimeline& timeline, bool audible)
{
    keepKeyframe(timeline);
    const ReplayTick& tick = timeline.level->ticks[timeline.nextTick];
    FrameSeconds = tick.seconds;
    OptionCameraLag = static_cast<float>(tick.cameraLag);
    playTick({FrameSeconds, tick.keys, OptionCameraLag}, audible, false);
    timeline.nextTick += 1;
}

void seekTimeline(WatchTimeline& timeline, size_t target)
{
    if (timeline.level == nullptr || timeline.keyframes.empty())
        return;
    target = std::min(target, timeline.level->ticks.size());
    size_t keyframe = std::min(target / KeyframeTicks, timeline.keyframes.size() - 1);
    restoreMoment(timeline.keyframes[keyframe]);
    timeline.nextTick = keyframe * KeyframeTicks;
    while (timeline.nextTick < target)
        playTimelineTick(timeline, false);
}

size_t tickAtSeconds(const WatchTimeline& timeline, double seconds)
{
    auto at = std::lower_bound(timeline.tickStart.begin(), timeline.tickStart.end(), seconds);
    size_t tick = static_cast<size_t>(at - timeline.tickStart.begin());
    return timeline.tickStart.empty() ? 0 : std::min(tick, timeline.tickStart.size() - 1);
}

double timelineLength(const WatchTimeline& timeline)
{
    return timeline.tickStart.empty() ? 0.0 : timeline.tickStart.back();
}
