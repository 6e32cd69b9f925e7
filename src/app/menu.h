// SPDX-License-Identifier: MIT
// The menu: moving the highlight within its two pages and what each line does when chosen.
#pragma once

// Up and Down, while the menu is shown: each page wraps within itself, and the "Far Sight" line is
// skipped in the direction of travel while fog is on.
void moveMenuUp();
void moveMenuDown();

// The highlighted line's action (Enter, Right, or Left on any line but "Camera Lag").
void activateMenuItem();

// Left on "Camera Lag": one step down, 0 wrapping to 9.
void lowerCameraLag();
