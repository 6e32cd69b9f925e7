// SPDX-License-Identifier: MIT
// The replay being watched and where it stands, shared by the viewer's pacing (replay_viewer.cpp) and
// its keys (watch_controls.cpp): the level's timeline, the speed, and each level's entry moment.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "watch/watch_timeline.h"
#include "replay/replay_file.h"

// The speeds Up and Down step through; 1x is SpeedSteps[NormalSpeed].
constexpr float SpeedSteps[] = {0.25f, 0.5f, 1.0f, 2.0f, 4.0f};
constexpr int NormalSpeed = 2;

struct WatchSession {
    Replay replay;
    bool watching = false;
    WatchTimeline timeline;
    double backlog = 0.0;   // recorded seconds due (real time times the speed) but not yet played
    bool leftLevel = false; // the level start after this level's last recorded tick is posted
    int speed = NormalSpeed;
    bool showKeys = false;
    uint64_t seekCounter = 0; // the counter at the last seek or speed change; the bar shows a while after
    bool sought = false;      // a seek or speed change has been made
    // entries[m]: the moment just before level m + 1 started, once it has been watched.
    std::vector<std::optional<WatchedMoment>> entries;
};

extern WatchSession TheWatch;

// The level of the replay that is in play; nullptr when none is (not watching, or outside its levels).
const ReplayLevel* watchedLevel();
