// SPDX-License-Identifier: MIT
// What the SDL backend's parts share: its state, the queue's append, key translation, gamepads,
// presentation and sound. Private to src/platform/sdl/.
#pragma once

#include <SDL.h>

#include <csignal>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "platform/message_queue.h"
#include "platform/pad_map.h"
#include "platform/platform.h"

// A game controller that is plugged in (sdl_gamepad.cpp).
struct SdlPad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    int stickX = 0; // -1 left, 0 centre, 1 right, as last reported
    int stickY = 0; // -1 up, 0 centre, 1 down
    PadRepeat repeat;
};

#if defined(SDL_VIDEO_DRIVER_X11)
struct _XDisplay; // Xlib's Display, whose header would bring its macros to every part

// The GL driver's preload (sdl_gl_preload.cpp): its thread and the connection of its own it opens.
struct GlPreload {
    std::thread thread;
    _XDisplay* display = nullptr;
    // Whatever path the program leaves by, a thread still running is waited for, not left to abort it.
    ~GlPreload()
    {
        if (thread.joinable())
            thread.join();
    }
};
#endif

// Everything the backend keeps but the sound; each part writes its own members.
struct SdlBackend {
    // The window and its context (sdl_window.cpp, sdl_present.cpp).
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int drawableWidth = 0; // the drawing surface in pixels (more than the window's size on high-density screens)
    int drawableHeight = 0;
    bool displayLost = false; // the window system went away: no call may reach it any more
    int windowedWidth = 0;    // the window's size the last time it was not fullscreen
    int windowedHeight = 0;
    std::string lastError;
    platform::WindowPlacement requestedPlacement; // asked for before the window is made

    // The queue and the system's start (sdl_window.cpp).
    WindowProc proc = nullptr;
    MessageQueue messages;
    int displayFd = -1; // the X server connection, watched for its end (-1: not watched)
    uint64_t displayCheckedAt = 0;
    bool systemStarted = false; // SDL's video is up (startWindowSystem)
    // Written by the signal handler and by Xlib's error handlers.
    volatile sig_atomic_t endSignalled = 0;
    volatile sig_atomic_t displayBroken = 0; // Xlib found the connection to the X server broken

    std::vector<SdlPad> pads; // sdl_gamepad.cpp
#if defined(SDL_VIDEO_DRIVER_X11)
    GlPreload preload; // sdl_gl_preload.cpp
#endif
};
extern SdlBackend Sdl;

// Appends a message to the game's queue behind everything already there.
void appendMessage(uint32_t id, uint64_t wParam = 0, int64_t lParam = 0);
// Whether Xlib found the connection to the X server broken, possibly inside the GL driver's last call.
bool displayBroken();

// Keyboard (sdl_keys.cpp): the classic virtual-key code of a key, never 0; the scancode of a steering key.
int virtualKeyOf(const SDL_Keysym& key);
SDL_Scancode scancodeOf(int virtualKey);

// Gamepads (sdl_gamepad.cpp). openGamepads starts SDL's game controllers and opens the pads present,
// once; translateGamepadEvent turns controller events into key presses and pauses, and is true for
// every controller event.
void openGamepads();
void closeGamepads();
bool translateGamepadEvent(const SDL_Event& event);
// Queues the repeats of directions held on pads that are due, as a keyboard repeats a held key.
void repeatHeldPadKeys();

// Presentation (sdl_present.cpp).
// The window's first size: the largest whole multiple of 640 x 480 that fits 80 % of the display's
// usable area (640 x 480 at least).
void firstWindowSize(int& width, int& height);
// Applies the placement requested for the new window: fullscreen, and notes its windowed size.
void applyRequestedPlacement();
// Notes the window's size while it is not fullscreen (after every resize).
void noteWindowedSize();
// Follows the drawing surface's size: the viewport goes on its centred 4:3 rectangle.
void fitViewport();
// Whether a key press is Alt+Enter, the fixed fullscreen switch beside the fullscreen action's keys,
// which the game never sees. Fullscreen is the desktop's (no change of the display's mode); the pointer
// hides while it is on.
bool isFullscreenChord(const SDL_KeyboardEvent& key);
// Paints the bars and shows the back buffer, waiting for the display where the driver allows.
void presentToWindow();
// Asks for adaptive vertical sync, else plain vertical sync, on the current context.
void waitForDisplayOnSwap();

// The GL driver's preload (sdl_gl_preload.cpp). start begins loading the driver beside SDL's own start,
// await waits for that (before the program may end), and end also closes the preload's connection,
// once the window's context holds the driver.
void startGlDriverPreload();
void awaitGlDriverPreload();
void endGlDriverPreload();

// SDL's own audio device for the cues and the beep until the mixer takes over (sdl_voices.cpp), kept in
// the sound's record. Its callback reads the voices and the volume on the audio thread; the game thread
// changes them only while it holds the device's lock.
struct SdlVoices {
    struct Voice {
        const std::vector<uint8_t>* pcm = nullptr; // sounding, or none
        size_t at = 0;
    };
    SDL_AudioDeviceID device = 0;
    std::map<std::string, std::vector<uint8_t>> cues; // converted once per file name
    std::vector<uint8_t> beep;
    Voice cue;
    std::string cueName; // the file the cue voice last started
    Voice beeping;
    int volume = SDL_MIX_MAXVOLUME; // 0..SDL_MIX_MAXVOLUME, kept while closed

    // Opens the device, SDL's audio already started, with the beep's WAV; false when none opens.
    bool open(const std::vector<uint8_t>& beepWav);
    void close();
    // A cue or the beep started; a new one replaces the one sounding.
    void playCue(const std::string& fileName);
    void playBeep();
    void setVolume(int level);
    // The file of the cue still sounding; empty for none.
    std::string soundingCue();
};

// Sound (sdl_sound.cpp).
// Whether an event is the music's end, whose type is registered when sound opens (none without sound).
bool isMusicEvent(const SDL_Event& event);
// Begins opening the audio device on a thread of its own, once; the first sound call begins it too if
// it has not begun. The mixer loads when music is first asked for. Without a device, sound stays silent.
void openSound();
// Releases every chunk and the music, then closes the mixer; called once at exit.
void closeSound();
// Turns a music-end event into the id it reports, or 0 when that track is no longer the open one
// (a late event for a closed or replaced track is dropped).
uint32_t musicEventId(const SDL_Event& event);
