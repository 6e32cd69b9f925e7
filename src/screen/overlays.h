// SPDX-License-Identifier: MIT
// The 2D layers over the screens: the dark panel, the two menu pages, the clock and the statistics.
#pragma once

void drawDarkPanel();

// Flat, untextured, unfogged and blended by alpha, over everything drawn so far: the state of the
// screen's translucent 2D shapes.
void startTranslucent2d();
// A rectangle of the virtual screen in the colour set last.
void drawRectangle(float left, float top, float right, float bottom);
void drawMenu();
void drawClockAndStatistics();
