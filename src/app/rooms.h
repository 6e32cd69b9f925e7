// SPDX-License-Identifier: MIT
// How the rooms meet: the run's hooks filled in with what watching and the chase do at its moments.
#pragma once

// Fills the run's hooks. The window's creation does it, before the start-up; so does resetGame.
void wireRooms();
