// SPDX-License-Identifier: MIT
// Touch in the game's own terms: a tap on the picture and the touch bar's buttons become the actions the
// keys give, and every tick the view that the touch controls follow is noted. platform/touch.h holds
// the messages; the browser's backend makes them.
#pragma once

// A tap at (x, y) on the virtual screen: on the title it opens the menu, on a menu line it chooses that
// line, on the best times it goes on to the title; elsewhere it does nothing.
void handleTap(int x, int y);

// A touch-bar button (platform/touch.h's TouchButton); an unknown one does nothing.
void handleTouchButton(int button);

// The screen the game shows and the marble's place, for the touch controls (TheTouchView).
void noteTouchView();
