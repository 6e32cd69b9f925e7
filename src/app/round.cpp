// SPDX-License-Identifier: MIT
// The tick: the real time since the previous tick, the round clock and freeze, the marble and the
// camera, the frame, the end of the round, and the start and time-up cues.
#include "app/round.h"

#include "app/name_entry.h"
#include "app/record_keeper.h"
#include "app/replay_recorder.h"
#include "app/replay_viewer.h"
#include "app/run_state.h"
#include "level/board.h"
#include "platform/platform.h"
#include "sim/round_step.h"
#include "sound/sound.h"

namespace {

// Measured on every tick, paused or not, so a pause never turns into one long step.
void measureFrameTime()
{
    uint64_t frequency = platform::counterFrequency();
    uint64_t now = platform::counterValue();
    int64_t counts = static_cast<int64_t>(now - static_cast<uint64_t>(LastCounterValue));
    double seconds = frequency == 0 ? 0.0 : static_cast<double>(counts) / static_cast<double>(frequency);
    FrameSeconds = static_cast<float>(seconds);
    LastCounterValue = static_cast<int64_t>(now);
}

// The steering keys as they are held now; the simulation takes them as a value.
SteerKeys pollSteerKeys()
{
    SteerKeys keys = 0;
    if (platform::isKeyDown(VkLeft))
        keys |= SteerLeft;
    if (platform::isKeyDown(VkRight))
        keys |= SteerRight;
    if (platform::isKeyDown(VkUp))
        keys |= SteerUp;
    if (platform::isKeyDown(VkDown))
        keys |= SteerDown;
    if (platform::isKeyDown(VkShift))
        keys |= SteerShift;
    return keys;
}

// A time-up halts the round as a completed run does, so the best-times screen stays until Space.
void endRoundIfOver()
{
    if (!(RoundClock < LevelEndTime))
        return;
    if (LevelEndTime == TimeUpEndTime) {
        GameState = BestTimes;
        Halted = true;
    } else {
        platform::postMessage(StartLevelMessage);
    }
}

} // namespace

void playRoundCues(bool audible)
{
    if (RoundClock >= PlayingSeconds) {
        GoCuePlayed = false;
        TimeUpCuePlayed = false;
    }
    if (RoundClock < 0.0f && LevelEndTime == TimeUpEndTime && !TimeUpCuePlayed) {
        TimeUpCuePlayed = true;
        if (audible)
            playCue("timeup.wav");
    }
    if (RoundClock <= PlayingSeconds && !GoCuePlayed) {
        if (audible)
            playCue("go.wav");
        GoCuePlayed = true;
    }
}

void tick()
{
    measureFrameTime();
    if (Paused || Halted) {
        presentFrame();
        return;
    }
    SteerKeys keys = pollSteerKeys();
    if (!takeWatchedTick(keys))
        return;
    recordTick(keys);
    LevelEvents events = stepRound(TheSim, TheBoard, {FrameSeconds, keys, OptionCameraLag});
    // The finish cue sounds in the tick that crossed the line, before the frame and the other cues.
    if (events.finished) {
        playCue("allright.wav");
        // Booked at once, so a record survives the game being killed a moment later.
        bookLevelFinish();
    }
    presentFrame();
    endRoundIfOver();
    playRoundCues(true);
}
