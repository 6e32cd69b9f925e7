// SPDX-License-Identifier: MIT
// What the SDL backend's parts share: the window state, the queue's append, key translation, gamepads,
// presentation and sound. Private to src/platform/sdl/.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

struct SdlWindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    int drawableWidth = 0; // the drawing surface in pixels (more than the window's size on high-density screens)
    int drawableHeight = 0;
    bool displayLost = false; // the window system went away: no call may reach it any more
    int windowedWidth = 0;    // the window's size the last time it was not fullscreen
    int windowedHeight = 0;
    std::string lastError;
};
extern SdlWindowState Sdl;

// Appends a message to the game's queue behind everything already there.
void appendMessage(uint32_t id, uint64_t wParam = 0, int64_t lParam = 0);
// Whether Xlib found the connection to the X server broken, possibly inside the GL driver's last call.
bool displayBroken();

// Keyboard (sdl_keys.cpp): the classic virtual-key code of a key, never 0; the scancode of a steering key.
int virtualKeyOf(const SDL_Keysym& key);
SDL_Scancode scancodeOf(int virtualKey);

// Gamepads (sdl_gamepad.cpp). openGamepads starts SDL's game controllers and opens the pads present,
// once; translateGamepadEvent turns controller events into key presses and pauses, and is true for
// every controller event; gamepadHolds says whether a pad holds that key down.
void openGamepads();
void closeGamepads();
bool translateGamepadEvent(const SDL_Event& event);
bool gamepadHolds(int virtualKey);
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
// Desktop fullscreen on and off (no change of the display's mode); the pointer hides while it is on.
void toggleFullscreen();
// Whether a key press is the fullscreen switch (F11, Alt+Enter), which the game never sees.
bool isFullscreenKey(const SDL_KeyboardEvent& key);
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

// Sound (sdl_sound.cpp).
// The SDL event type the music's end arrives as (registered when sound opens; 0 without sound).
extern uint32_t MusicEventType;
// Begins opening the audio device and the mixer on a thread of their own, once; the first sound call
// begins it too if it has not begun. Without a device, sound stays silent.
void openSound();
// Releases every chunk and the music, then closes the mixer; called once at exit.
void closeSound();
// Turns a music-end event into the id it reports, or 0 when that track is no longer the open one
// (a late event for a closed or replaced track is dropped).
uint32_t musicEventId(const SDL_Event& event);
