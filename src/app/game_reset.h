// SPDX-License-Identifier: MIT
// The one reset of the whole game, for tests and tools that run several games in one process; the
// game itself never needs it.
#pragma once

// Puts every room of the game back to its program-start values and wires the rooms again.
void resetGame();
