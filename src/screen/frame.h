// SPDX-License-Identifier: MIT
// Frame composition: draws one complete frame for the current GameState and presents it; also the
// level banner and the frame and triangle counting. Name typing is the app's (app/name_entry.h).
#pragma once

#include <cstdint>

// Draws nothing while no GL context exists (before start-up made one, or after shutdown deleted it).
void composeFrame();

// Reads the title picture now, ahead of its first frame (while the window system starts): that frame
// shows it, or reports a failed read as a read at that moment would.
void readTitlePictureAhead();

// Forgets the loaded pictures and the banner (tests and tools that run several games in one process).
void resetFrameState();

extern float BannerScale;   // text scale of the level banner; drawn while at least 0.1
extern int32_t BannerLevel; // level number whose banner was last started
