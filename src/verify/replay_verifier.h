// SPDX-License-Identifier: MIT
// Re-simulating a replay: each level is loaded by the game's own loader, started as the game's level
// start does, and run tick by tick through the round step; its hash, booked time, end and the marble's
// last position must all be what the replay says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "replay/replay_file.h"
#include "verify/verdict.h"

constexpr size_t UnboundedTicks = SIZE_MAX;

// The verdict of a replay that is not re-simulated, for `problem` (status 2): its levels listed unchecked.
Verdict refusedVerdict(const Replay& replay, std::string problem);

// Verifies a replay already read. Its map names are relative to `folder`, which is entered first
// ("" stays in the current folder). A replay of another simulation is not re-simulated (status 4); one
// holding more than tickBudget ticks in all is refused before any is played (status 2).
Verdict verifyReadReplay(const Replay& replay, const std::string& folder, size_t tickBudget = UnboundedTicks);
