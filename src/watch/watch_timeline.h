// SPDX-License-Identifier: MIT
// The watched level's timeline: keyframes of everything a recorded tick reads and writes, taken as the
// level is played, so that a seek restores the nearest one before its target and plays on to it
// through the one round step, landing on the bits that playing straight there gives.
#pragma once

#include <cstddef>
#include <vector>

#include "replay/replay_file.h"
#include "screen/frame.h"
#include "session/run.h"
#include "sim/sim_state.h"

// One moment between two recorded ticks: the records the next tick or frame reads (the simulated
// state, the round's cue flags, the banner) and the Camera Lag option the recorded ticks set.
struct WatchedMoment {
    SimState sim;
    RoundCues cues;
    Banner banner;
    float cameraLag = 0.0f;
};

WatchedMoment captureMoment();
// Puts the moment back; the round is running again (a seek from the best-times screen of a time-up).
void restoreMoment(const WatchedMoment& moment);

// A keyframe every this many recorded ticks: a seek plays at most this many ticks.
constexpr size_t KeyframeTicks = 32;

struct WatchTimeline {
    const ReplayLevel* level = nullptr;
    std::vector<WatchedMoment> keyframes; // keyframes[j]: the moment before tick j * KeyframeTicks
    std::vector<double> tickStart;        // recorded seconds before tick k, for k = 0 .. ticks
    size_t nextTick = 0;                  // the next recorded tick to play
};

// The level start, once its marble and clock are placed: the level's first keyframe and its times.
void beginTimeline(WatchTimeline& timeline, const ReplayLevel& level);

// Plays the next recorded tick undrawn through the game's own tick body (the cues themselves only when
// audible). Never the level's last tick in a seek, so the round's end is always the game's tick's.
void playTimelineTick(WatchTimeline& timeline, bool audible);

// Keeps the moment before the next tick when a keyframe falls there and is not kept yet.
void keepKeyframe(WatchTimeline& timeline);

// Moves to just before recorded tick `target` (at most the tick count: after the last tick): from the nearest
// keyframe at or before it, playing silently on to it.
void seekTimeline(WatchTimeline& timeline, size_t target);

// The first tick that starts at or after `seconds` into the level, and the level's recorded length.
size_t tickAtSeconds(const WatchTimeline& timeline, double seconds);
double timelineLength(const WatchTimeline& timeline);
