// SPDX-License-Identifier: MIT
// The headless backend's state, shared by its queue/records half and its GL half. Private to
// src/platform/headless/: the rest of the program sees only platform.h and headless.h.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "platform/headless/headless.h"
#include "platform/message_queue.h"

struct HeadlessState {
    WindowProc proc = nullptr;
    bool windowCreated = false;
    bool windowShown = false;
    bool windowHidden = false; // minimised or hidden: isWindowVisible() says false
    bool fullscreen = false;   // as requested: a headless frame has no screen to fill

    MessageQueue queue;
    std::set<int> keysDown;
    std::set<int> padButtonsDown; // PadButton plus one

    uint64_t counter = 0;
    uint64_t frequency = 1'000'000;

    platform::PixelFormatResult pixelFormatFailure = platform::PixelFormatResult::Ok;
    bool failWindow = false;
    bool failMusic = false;
    std::string lastError;

    std::vector<headless::MessageBoxRecord> boxes;
    int beeps = 0;
    std::vector<std::string> cues;
    std::vector<headless::MusicRecord> music;
    uint32_t playingMusic = 0;
    uint32_t lastMusicId = 0;
    headless::SoundLevels levels;

    // The game's view of the context; the real EGL context outlives it (see headless_gl.cpp).
    bool glContextLive = false;
    int swaps = 0;
    headless::Frame swapped;
};

extern HeadlessState Headless;

// Puts everything but the GL context back to its start values (the GL half keeps its own objects).
void resetHeadlessState();
