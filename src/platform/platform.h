// SPDX-License-Identifier: MIT
// The platform contract: every service of the operating system, the window system, OpenGL and sound that
// the game calls. Three backends implement it, chosen at link time: sdl/ (the game), web/ (the game in a
// browser) and headless/ (tests, tools).
#pragma once

#include <cstdint>
#include <string>

// Message numbers. They are data: the window procedure switches on them, backends translate their own
// events into them. Values follow the classic desktop message numbering the game was designed around.
enum : uint32_t {
    CreateMessage = 1,        // sent once, synchronously, while createWindow runs
    DestroyMessage = 2,       // the window is being destroyed (posted by the menu's "Quit")
    SetFocusMessage = 7,      // keyboard focus gained
    KillFocusMessage = 8,     // keyboard focus lost
    PaintMessage = 15,        // the window needs drawing (exposed)
    CloseMessage = 16,        // the title-bar close button
    QuitMessage = 18,         // ends the main loop; wParam is the exit code
    KeyDownMessage = 256,     // a key press or an auto-repeat; wParam is the virtual-key code
    TimerMessage = 275,       // the periodic timer fired; wParam is the timer number
    MusicNoticeMessage = 953, // the music has stopped playing (end of track or error); wParam 1, lParam the id
    TickMessage = 1025,       // one game tick, posted by the main loop when the queue is empty
    StartLevelMessage = 1026, // start the next level
};

// Virtual-key codes carried by KeyDownMessage and tested by isKeyDown.
enum : int {
    VkTab = 9,
    VkShift = 16,
    VkEnter = 13,
    VkEscape = 27,
    VkSpace = 32,
    VkPageUp = 33,
    VkPageDown = 34,
    VkHome = 36,
    VkLeft = 37,
    VkUp = 38,
    VkRight = 39,
    VkDown = 40,
    VkF1 = 112,
    VkF2,
    VkF3,
    VkF4,
    VkF5,
    VkF6,
    VkF7,
    VkF8,
    VkF9,
    VkF10,
    VkF11,
    VkF12,
    VkComma = 188,
    VkPeriod = 190,
    // Letters are their upper-case ASCII codes 'A'..'Z' (65..90), digits '0'..'9' (48..57). Every other
    // key carries its classic code too (Backspace 8, Tab 9, Delete 46, keypad digits 96..105, ...), so
    // the window procedure sees it even where the game has no use for it.
};

// Set in a KeyDownMessage's lParam when the press came from a gamepad button or stick rather than the
// keyboard (the pad's buttons arrive as the keys they stand for).
constexpr int64_t GamepadKeyFlag = int64_t{1} << 32;
// Set in a KeyDownMessage's lParam when it is the keyboard's own repeat of a key held down.
constexpr int64_t KeyRepeatFlag = int64_t{1} << 33;

struct Message {
    uint32_t id = 0;
    uint64_t wParam = 0;
    int64_t lParam = 0;
};

// The game's single window procedure. Every message reaches it; it returns 0 for what it handles.
using WindowProc = int64_t (*)(uint32_t id, uint64_t wParam, int64_t lParam);

namespace platform {

// Window and event loop --------------------------------------------------------------------------------

// Starts the window system and, beside it, the loading of its graphics driver; false when it cannot
// start (lastErrorText says why). Work that needs no window can be done between this and createWindow,
// while the driver loads. createWindow starts the system itself when this was not called.
bool startWindowSystem();

// Creates the one game window (title "Roliquo", hidden until showWindow) and delivers CreateMessage to
// proc synchronously before returning, as the start-up runs inside window creation. Returns false when
// no window can be made; then nothing was sent. The window may be resized and made fullscreen by the
// player (the backend handles that itself, see presentationRect); at 640 x 480 it is the game's own
// fixed window.
bool createWindow(WindowProc proc);

// Shows the window and queues a PaintMessage so the first frame is drawn at once.
void showWindow();

// Takes the next message without waiting. Backend events (keys, focus, close, expose, the timer, the
// music's end) and posted messages come out in the order they arrived. False when nothing is pending.
bool peekMessage(Message& out);

// Runs the game's loop: calls pass again and again until it returns false, then returns the exit code
// it gave. A desktop backend calls it in a plain loop; the browser's calls it from each animation frame
// until a tick has been taken, and never returns (the page stays with the game when it ends).
int runLoop(bool (*pass)(int& exitCode));

// Appends a message to the game's own queue: it is delivered after everything already queued, in order.
void postMessage(uint32_t id, uint64_t wParam = 0, int64_t lParam = 0);

// Appends a key press (KeyDownMessage with the virtual-key code), ordered like postMessage.
void postKeyPress(int virtualKey);

// Appends QuitMessage with the exit code.
void postQuit(int exitCode);

// Starts (or restarts) periodic timer `id`: a TimerMessage with wParam = id every periodMs milliseconds,
// delivered through peekMessage on the game thread.
void startTimer(int id, int periodMs);

// Input --------------------------------------------------------------------------------------------------

// Whether the key is held down on the keyboard at this moment (VkLeft, VkRight, VkUp, VkDown, VkShift
// at least).
bool isKeyDown(int virtualKey);

// Whether a pad's button (pad_map.h's PadButton plus one) is held down at this moment on any pad; the
// stick pushed one way holds the d-pad's button of that way, a trigger pulled holds its shoulder. A
// backend with touch controls holds them too: an on-screen stick or the tilt as the d-pad, pushed to
// its rim as the right shoulder.
bool isPadButtonDown(int button);

// Dialogs and beep -----------------------------------------------------------------------------------------

// A modal box with an OK button; returns once the user has confirmed. `owned` says whether the game
// window is its owner. Where no box can be shown, the text goes to standard error.
void messageBox(const std::string& text, const std::string& caption, bool owned);

// The system's default beep.
void beep();

// Time -----------------------------------------------------------------------------------------------------

// A monotonic 64-bit count and its rate in counts per second.
uint64_t counterValue();
uint64_t counterFrequency();

// Drawing surface and OpenGL context ----------------------------------------------------------------------

// How the request for a double-buffered RGBA surface with a depth buffer turned out.
enum class PixelFormatResult {
    Ok,
    NoMatch,
    NeedsPalette,
    SetFailed
};

// Asks for the drawing surface's pixel format (double buffer, RGBA, at least 16 depth bits).
PixelFormatResult setupPixelFormat();

// The system's text for the last failure of setupPixelFormat or createGlContext.
std::string lastErrorText();

// Creates the OpenGL context (compatibility profile: immediate mode, GL 1.1 state) on the window and
// makes it current on the game thread. False when no context can be made.
bool createGlContext();

// Deletes the context; no GL call may follow. Safe to call when none exists.
void deleteGlContext();

// Whether a context exists (created and not deleted).
bool hasGlContext();

// Presents the back buffer. The back buffer's content is undefined afterwards. Whatever of the surface
// lies outside presentationRect() is shown black.
void swapBuffers();

// Presentation ---------------------------------------------------------------------------------------------

// A rectangle of the drawing surface in pixels, x and y from its lower-left corner.
struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 640;
    int height = 480;
};

// Where the 640 x 480 virtual screen is shown: the largest 4:3 rectangle centred on the drawing
// surface, whatever the window's size. The backend keeps the GL viewport on it, so everything drawn in
// clip space lands there at the surface's real resolution; pixel copies are not scaled by it.
ScreenRect presentationRect();

// False while the window is minimised or hidden: then no frame needs drawing.
bool isWindowVisible();

// How the player left the window: its size in window coordinates when not fullscreen, and whether it is
// fullscreen. A size of 0 x 0 means the backend's own first size.
struct WindowPlacement {
    int width = 0;
    int height = 0;
    bool fullscreen = false;
    bool operator==(const WindowPlacement&) const = default;
};

// Asks the next createWindow for this placement instead of the backend's first one; a size smaller
// than 160 x 120 or larger than the display keeps the backend's own size.
void requestWindowPlacement(const WindowPlacement& placement);

// The window's placement now (its windowed size even while fullscreen).
WindowPlacement windowPlacement();

// Switches the window between fullscreen and its windowed size (the page's fullscreen in a browser).
void toggleFullscreen();

// Files ------------------------------------------------------------------------------------------------------

// A file was replaced atomically (the best times, a replay). Where the file system lives in memory and is
// kept elsewhere (the browser's IndexedDB), the backend writes it out; elsewhere it does nothing. May be
// called from any thread.
void filesSaved();

// Sound ------------------------------------------------------------------------------------------------------

// Plays a WAV file in the background at once; a new cue replaces the one sounding. A missing or
// unreadable file plays nothing.
void playWav(const std::string& fileName);

// Opens the music file and starts playing it once, in the background. Returns a device id (> 0) on
// success, or 0 on failure (nothing stays open then). When playing ends, for whatever reason other than
// closeMusic, a MusicNoticeMessage is queued.
uint32_t openAndPlayMusic(const std::string& fileName);

// Stops and closes the music device `id`. An id that is not open is ignored.
void closeMusic(uint32_t id);

// The loudness of the music and of the cues (the beep with them), each `level` out of `full` (full is
// the loudness of a fresh start). Kept for the rest of the run, whether or not a device is open yet.
void setSoundLevels(int music, int cues, int full);

// A level out of `full` on a device's scale 0..top, levels outside 0..full taken as the nearer end.
inline int soundLevelOf(int level, int full, int top)
{
    if (full <= 0 || level >= full)
        return top;
    return level <= 0 ? 0 : level * top / full;
}

} // namespace platform
