// SPDX-License-Identifier: MIT
// Frame composition: draws one complete frame for the current GameState and presents it; also the
// level banner and the frame and triangle counting. Name typing is the app's (app/name_entry.h).
#pragma once

#include <cstdint>

// Draws nothing while no GL context exists (before start-up made one, or after shutdown deleted it).
void composeFrame();

// The banner's part of a playing frame that is not drawing: it restarts for a new level number and
// shrinks over `seconds` while shown. A watched replay runs it for the ticks it plays undrawn.
void advanceBanner(float seconds);

// Reads the title picture now, ahead of its first frame (while the window system starts): that frame
// shows it, or reports a failed read as a read at that moment would.
void readTitlePictureAhead();

// Forgets the loaded pictures and the banner (tests and tools that run several games in one process).
void resetFrameState();

// The level banner: one record, so a watched replay's keyframe copies it whole.
struct Banner {
    float scale = 0.0f; // text scale of the level banner; drawn while at least 0.1
    int32_t level = -1; // level number whose banner was last started
};
extern Banner TheBanner;
extern float& BannerScale;
extern int32_t& BannerLevel;
