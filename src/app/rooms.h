// SPDX-License-Identifier: MIT
// How the rooms meet: the run's hooks filled in with what watching and the chase do at its moments,
// and the one reset of the whole game.
#pragma once

// Fills the run's hooks. The window's creation does it, before the start-up; so does resetGame.
void wireRooms();

// Puts every room of the game back to its program-start values and wires the rooms again: tests and
// tools that run several games in one process. The game itself never needs it.
void resetGame();
