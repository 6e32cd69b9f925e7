// SPDX-License-Identifier: MIT
// The 2D layers over the screens: the dark panel, the two menu pages, the clock and the statistics.
#pragma once

void drawDarkPanel();
void drawMenu();
void drawClockAndStatistics();
