// The round's clock state and the run's booked times: the values the round step and the level rules
// write. They live here, below the app, which starts and ends rounds but reads them through run_state.h.
#pragma once

#include <cstdint>
#include <vector>

// Playing time of every level, and the time booked for a level that was not finished.
constexpr float PlayingSeconds = 45.0f;
constexpr float UnfinishedLevelSeconds = 225.0f;
// LevelEndTime of an unfinished level: the round ends 4 s after the clock passes zero.
constexpr float TimeUpEndTime = -4.0f;

extern std::vector<float> LevelTimes; // seconds used on each level this game; 225 = not finished
extern int32_t LevelNumber;           // 1-based level in play; 0 just before a new game's first level; -1 at start
extern float RoundClock;              // seconds left: above 45 the countdown, 45..0 playing, below 0 time up
extern float FreezeTimer;             // while above 0 the marble is held still
extern float LevelEndTime;            // RoundClock value below which the round ends
extern bool LevelFinished;            // the marble crossed the finish of this level

// Puts every value above back to its program-start value (no booked times).
void resetRoundClock();
