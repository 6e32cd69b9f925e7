// SPDX-License-Identifier: MIT
// The window procedure: the game's dispatcher for every message (keys, menus, options, focus, timer,
// music notice, tick, level start, shutdown).
#pragma once

#include <cstdint>

int64_t windowProc(uint32_t id, uint64_t wParam, int64_t lParam);

// Set by the shutdown: the window is gone, and every later message is ignored.
extern bool WindowClosed;

// Puts the shell's own flags (WindowClosed, the music state) back to their program-start values,
// for tests and tools that run several games in one process.
void resetShellState();
