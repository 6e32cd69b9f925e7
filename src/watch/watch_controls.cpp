// SPDX-License-Identifier: MIT
// The keys while watching a replay: pause, seek, restart, level jumps, speed, tick steps and the key
// display; and the overlay they show. Every move goes through the timeline's keyframes.
#include "watch/watch_controls.h"

#include <algorithm>

#include "controls/controls.h"
#include "platform/platform.h"
#include "screen/game_state.h"
#include "screen/watch_overlay.h"
#include "session/level_start.h"
#include "sim/sim_state.h"
#include "watch/watch_session.h"

namespace {

constexpr double SeekSeconds = 5.0;
constexpr double FineSeekSeconds = 1.0; // with Shift
// How long the bar stays after a seek or a speed change, at 1x and not paused.
constexpr double BarLingerSeconds = 1.5;
constexpr int SpeedCount = static_cast<int>(sizeof SpeedSteps / sizeof SpeedSteps[0]);

void noteMove()
{
    TheWatch.sought = true;
    TheWatch.seekCounter = platform::counterValue();
}

size_t levelTicks()
{
    return TheWatch.timeline.level == nullptr ? 0 : TheWatch.timeline.level->ticks.size();
}

// After the level's last tick a level start is on its way (posted by the round's end, or by the viewer
// for a level left with F1): the timeline is not moved under it.
bool levelStartComing()
{
    return TheWatch.timeline.nextTick >= levelTicks() &&
        (TheWatch.leftLevel || (RoundClock < LevelEndTime && LevelEndTime != TimeUpEndTime));
}

// A seek lands before a tick of the level, never after its last: that tick and the round's end are
// always played by the game's tick.
void seekTo(size_t target)
{
    size_t ticks = levelTicks();
    if (ticks == 0 || levelStartComing())
        return;
    seekTimeline(TheWatch.timeline, std::min(target, ticks - 1));
    TheWatch.backlog = 0.0;
    TheWatch.leftLevel = false;
    noteMove();
}

void seekBy(double seconds)
{
    const WatchTimeline& timeline = TheWatch.timeline;
    if (timeline.tickStart.empty())
        return;
    double now = timeline.tickStart[std::min(timeline.nextTick, timeline.tickStart.size() - 1)];
    seekTo(tickAtSeconds(timeline, std::max(0.0, now + seconds)));
}

// Starts level `number` (1-based) from the moment it started from when it was watched.
void enterLevel(int32_t number)
{
    if (number < 1 || static_cast<size_t>(number) > TheWatch.entries.size() || levelStartComing())
        return;
    const std::optional<WatchedMoment>& entry = TheWatch.entries[static_cast<size_t>(number - 1)];
    if (!entry)
        return;
    restoreMoment(*entry);
    startLevel();
    noteMove();
}

// The rest of this level plays silently, then the next level starts as it did.
void enterNextLevel()
{
    if (LevelNumber < 1 || static_cast<size_t>(LevelNumber) >= TheWatch.replay.levels.size() || levelStartComing())
        return;
    seekTimeline(TheWatch.timeline, levelTicks());
    startLevel();
    noteMove();
}

void changeSpeed(int step)
{
    TheWatch.speed = std::clamp(TheWatch.speed + step, 0, SpeedCount - 1);
    noteMove();
}

} // namespace

bool watchControlTakesKey(int virtualKey)
{
    bool shift = actionHeld(Action::Push);
    switch (virtualKey) {
    case VkSpace:
    case VkF12:
        if (GameState != Playing)
            return virtualKey == VkF12;
        Paused = !Paused;
        break;
    case VkLeft:
        seekBy(-(shift ? FineSeekSeconds : SeekSeconds));
        break;
    case VkRight:
        seekBy(shift ? FineSeekSeconds : SeekSeconds);
        break;
    case VkHome:
        seekTo(0);
        break;
    case VkPageUp:
        enterLevel(std::max(LevelNumber - 1, 1));
        break;
    case VkPageDown:
        enterNextLevel();
        break;
    case VkUp:
        changeSpeed(1);
        break;
    case VkDown:
        changeSpeed(-1);
        break;
    case VkPeriod:
        if (Paused)
            seekTo(TheWatch.timeline.nextTick + 1);
        break;
    case VkComma:
        if (Paused && TheWatch.timeline.nextTick > 0)
            seekTo(TheWatch.timeline.nextTick - 1);
        break;
    case 'K':
        TheWatch.showKeys = !TheWatch.showKeys;
        break;
    default:
        return false;
    }
    refreshWatchOverlay();
    return true;
}

void refreshWatchOverlay()
{
    const WatchTimeline& timeline = TheWatch.timeline;
    WatchOverlay overlay = TheWatchOverlay;
    overlay.watching = TheWatch.watching && timeline.level != nullptr;
    if (!overlay.watching) {
        showWatchOverlay(overlay);
        return;
    }
    size_t at = std::min(timeline.nextTick, levelTicks());
    overlay.levelSeconds = static_cast<float>(timeline.tickStart.empty() ? 0.0 : timeline.tickStart[at]);
    overlay.levelLength = static_cast<float>(timelineLength(timeline));
    overlay.speed = SpeedSteps[TheWatch.speed];
    overlay.showKeys = TheWatch.showKeys;
    overlay.keys = at > 0 ? timeline.level->ticks[at - 1].keys : 0;
    uint64_t frequency = platform::counterFrequency();
    double sinceMove = frequency == 0
        ? 0.0
        : static_cast<double>(platform::counterValue() - TheWatch.seekCounter) / static_cast<double>(frequency);
    overlay.showBar = TheWatch.speed != NormalSpeed || (TheWatch.sought && sinceMove < BarLingerSeconds);
    showWatchOverlay(overlay);
}
