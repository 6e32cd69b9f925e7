// SPDX-License-Identifier: MIT
// A whole game played through the headless backend on an uneven clock and kept as a replay: the run
// the replay tests verify, watch, seek through and check.
#pragma once

#include <filesystem>
#include <string>

#include "support/game_driver.h"

// Frame times of an uneven frame rate, in seconds, used in turn.
constexpr double StepSeconds[] = {0.03, 0.045, 0.021, 0.05, 0.0333, 0.038};
constexpr int Levels = 3;
constexpr int MaxTicks = 5000;

// A best-times table every run beats.
std::string slowTable();

// Plays three flat levels: the first to its end, the second left with F1 after 40 ticks, the third to
// the end of the run; then names the total "ABC". The replay kept for it goes to `replay`. Use it
// under ASSERT_NO_FATAL_FAILURE.
void playScriptedGame(testsupport::GameDriver& game, std::filesystem::path& replay);
