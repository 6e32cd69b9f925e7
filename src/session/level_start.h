// SPDX-License-Identifier: MIT
// The level start: the next level of the run loaded and its round started, or the run completed and
// its total ranked in the best-times table after the last level.
#pragma once

// Starts the next level of the run, or completes the run after the last one.
void startLevel();
