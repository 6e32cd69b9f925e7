// SPDX-License-Identifier: MIT
// The level tool's trace: its input lines are tick lines "DT KEYS" (replay/tick_line.h, shared with the
// replay file), its output the state line printed after every traced tick. Running ticks is sim_session.
#pragma once

#include <string>

#include "replay/tick_line.h"

// The tick length the solver plans with: 60 ticks a second.
constexpr float SolverTickSeconds = 1.0f / 60;

// "tick clock freeze finished x y z vx vy vz eyex eyey eyez pitch yaw roll" for the current sim state.
std::string formatStateLine(int tick);
