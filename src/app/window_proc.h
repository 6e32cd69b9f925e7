// The window procedure: the game's dispatcher for every message (keys, menus, options, focus, timer,
// music notice, tick, level start, shutdown).
#pragma once

#include <cstdint>

int64_t windowProc(uint32_t id, uint64_t wParam, int64_t lParam);
