// SPDX-License-Identifier: MIT
// Start-up inside window creation: pixel format, GL context, map list, best times, font, fixed GL state.
#pragma once

// Exit status of a run that ended because start-up or a level load failed, so a launcher or script
// can tell it from a normal quit (0).
constexpr int StartupFailedExitCode = 1;

// Runs every step in order; false after the first load that fails (its message already shown).
// A pixel-format failure shows its messages and posts the quit message, but the steps after it run.
bool startup();
