// SPDX-License-Identifier: MIT
// The tick: the real time since the previous tick, the steering keys, the one round tick with its
// cues and frame, and the end of the round.
#include "session/round_tick.h"

#include "controls/controls.h"
#include "level/board.h"
#include "platform/platform.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "session/run.h"
#include "sim/sim_state.h"
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

// The steering actions as their keys are held now; the simulation takes them as a value.
SteerKeys pollSteerKeys()
{
    SteerKeys keys = 0;
    if (actionHeld(Action::Left))
        keys |= SteerLeft;
    if (actionHeld(Action::Right))
        keys |= SteerRight;
    if (actionHeld(Action::Up))
        keys |= SteerUp;
    if (actionHeld(Action::Down))
        keys |= SteerDown;
    if (pushingHarder())
        keys |= SteerShift;
    return keys;
}

void showFrame()
{
    if (TheRun.hooks.frameDue != nullptr)
        TheRun.hooks.frameDue();
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

// The start and time-up cues of the tick just played, and their once-per-level flags.
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

} // namespace

void playTick(const RoundInput& input, bool audible, bool drawn)
{
    LevelEvents events = stepRound(TheSim, TheBoard, input);
    // The finish cue sounds in the tick that crossed the line, before the frame and the other cues.
    if (events.finished && audible)
        playCue("allright.wav");
    if (drawn) {
        // Booked at once, so a record survives the game being killed a moment later.
        if (events.finished && TheRun.hooks.levelFinished != nullptr)
            TheRun.hooks.levelFinished();
        showFrame();
        endRoundIfOver();
    } else {
        advanceBanner(input.seconds);
    }
    playRoundCues(audible);
}

void tick()
{
    measureFrameTime();
    if (Paused || Halted) {
        showFrame();
        return;
    }
    SteerKeys keys = pollSteerKeys();
    if (TheRun.hooks.tickDue != nullptr && !TheRun.hooks.tickDue(keys))
        return;
    if (TheRun.hooks.tickPlayed != nullptr)
        TheRun.hooks.tickPlayed(keys);
    playTick({FrameSeconds, keys, OptionCameraLag}, true, true);
}
