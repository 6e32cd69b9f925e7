// SPDX-License-Identifier: MIT
// The SDL2 backend's window, event queue, timer, key state, dialogs, counter and GL context. Every
// SDL event is translated into a message and kept in one FIFO with the game's own posts, so the
// game sees input, system events and its own messages in the order they arrived. A lost display and
// the ending signals (SIGINT, SIGTERM, SIGHUP) arrive as the close request.
#include <GL/gl.h>
#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <sys/socket.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/letterbox.h"
#include "platform/message_queue.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

SdlBackend Sdl;

namespace {

void onEndSignal(int)
{
    Sdl.endSignalled = 1;
}

// Our own handlers instead of SDL's, so SIGHUP (a closed terminal, an ended session) ends the game the
// same clean way as SIGINT and SIGTERM.
void catchEndSignals()
{
    struct sigaction action = {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    for (int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

#if defined(SDL_VIDEO_DRIVER_X11)
// Xlib's answer to a broken connection is to print its own lines and exit from inside whatever call
// noticed, with SDL and the GL driver half-way through theirs; an exit there can spin forever in the
// atexit handlers. Ours only take note, and the game then closes the way closing the window does.
int onDisplayIoError(Display*)
{
    Sdl.displayBroken = 1; // should Xlib still exit, the atexit handlers keep away from the server
    return 0;
}

void onDisplayIoErrorExit(Display*, void*)
{
    Sdl.displayBroken = 1;
}

// Looked up in the libX11 that SDL already uses, so the game needs no link of its own to it.
void takeOverDisplayErrors(Display* display)
{
    void* x11 = SDL_LoadObject("libX11.so.6");
    if (x11 == nullptr)
        return;
    using SetHandler = XIOErrorHandler (*)(XIOErrorHandler);
    using SetExitHandler = void (*)(Display*, XIOErrorExitHandler, void*);
    if (auto set = reinterpret_cast<SetHandler>(SDL_LoadFunction(x11, "XSetIOErrorHandler")))
        set(onDisplayIoError);
    if (auto set = reinterpret_cast<SetExitHandler>(SDL_LoadFunction(x11, "XSetIOErrorExitHandler")))
        set(display, onDisplayIoErrorExit, nullptr);
}
#endif

void watchDisplay()
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(Sdl.window, &info))
        return;
#if defined(SDL_VIDEO_DRIVER_X11)
    if (info.subsystem == SDL_SYSWM_X11) {
        Sdl.displayFd = ConnectionNumber(info.info.x11.display);
        takeOverDisplayErrors(info.info.x11.display);
    }
#endif
}

// The X server closes its end when it goes away; Xlib would only notice on its next blocking call,
// and SDL keeps polling a dead connection. Looked at a few times a second, never blocking.
bool displayGone()
{
    if (Sdl.displayBroken)
        return true;
    if (Sdl.displayFd < 0)
        return false;
    uint64_t now = SDL_GetTicks64();
    if (now - Sdl.displayCheckedAt < 200)
        return false;
    Sdl.displayCheckedAt = now;
    pollfd watched{Sdl.displayFd, POLLIN, 0};
    if (poll(&watched, 1, 0) <= 0)
        return false;
    if ((watched.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0)
        return true;
    char byte;
    return (watched.revents & POLLIN) != 0 && recv(Sdl.displayFd, &byte, 1, MSG_PEEK | MSG_DONTWAIT) == 0;
}

void loseDisplay()
{
    Sdl.displayLost = true;
    Sdl.displayFd = -1;
    fprintf(stderr, "Roliquo: the connection to the display was lost; the game ends.\n");
    appendMessage(CloseMessage);
}

void translate(const SDL_Event& e)
{
    if (isMusicEvent(e)) {
        if (uint32_t id = musicEventId(e))
            appendMessage(MusicNoticeMessage, 1, static_cast<int64_t>(id));
        return;
    }
    if (translateGamepadEvent(e))
        return;
    switch (e.type) {
    case SDL_KEYDOWN:
        if (isFullscreenChord(e.key)) {
            if (e.key.repeat == 0)
                platform::toggleFullscreen();
            break;
        }
        appendMessage(KeyDownMessage, static_cast<uint64_t>(virtualKeyOf(e.key.keysym)),
                      e.key.repeat != 0 ? KeyRepeatFlag : 0);
        break;
    case SDL_QUIT: // from the session: closing the window arrives as the window event below
        appendMessage(CloseMessage);
        break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            appendMessage(SetFocusMessage);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            appendMessage(KillFocusMessage);
            break;
        case SDL_WINDOWEVENT_CLOSE:
            appendMessage(CloseMessage);
            break;
        case SDL_WINDOWEVENT_EXPOSED:
            appendMessage(PaintMessage);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            noteWindowedSize();
            fitViewport();
            break;
        default:
            break;
        }
        break;
    default:
        break;
    }
}

// Moves everything SDL has seen so far into the FIFO, so a post made now goes behind it.
void pumpEvents()
{
    if (Sdl.endSignalled) {
        Sdl.endSignalled = 0;
        appendMessage(CloseMessage);
    }
    if (Sdl.window == nullptr || Sdl.displayLost)
        return;
    if (displayGone()) {
        loseDisplay();
        return;
    }
    SDL_Event e;
    while (SDL_PollEvent(&e))
        translate(e);
    // Reading the events may be what found the connection broken. No frame may follow then: the GL
    // driver, asking a dead server for the window's size, would draw into a buffer too small for it.
    if (Sdl.displayBroken) {
        loseDisplay();
        return;
    }
    repeatHeldPadKeys();
}

// Double-buffered RGBA with at least 16 depth bits, in a compatibility profile so immediate mode works.
bool setGlAttributes()
{
    return SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY) == 0 &&
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0 && SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8) == 0 &&
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8) == 0 && SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8) == 0 &&
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16) == 0;
}

// With the display gone every call into the window system would fail or hang: only the sound is
// closed, and the system takes back the rest as the process ends.
void shutdownSdl()
{
    closeSound();
    if (Sdl.displayLost || Sdl.displayBroken)
        return;
    endGlDriverPreload();
    closeGamepads();
    if (Sdl.context)
        SDL_GL_DeleteContext(Sdl.context);
    if (Sdl.window)
        SDL_DestroyWindow(Sdl.window);
    Sdl.context = nullptr;
    Sdl.window = nullptr;
    SDL_Quit();
}

} // namespace

bool displayBroken()
{
    return Sdl.displayBroken != 0;
}

void appendMessage(uint32_t id, uint64_t wParam, int64_t lParam)
{
    Sdl.messages.append(id, wParam, lParam);
}

namespace platform {

bool startWindowSystem()
{
    if (Sdl.systemStarted)
        return true;
    // Closing the window is the game's decision (it shuts down on CloseMessage), not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    startGlDriverPreload();
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        Sdl.lastError = SDL_GetError();
        awaitGlDriverPreload();
        return false;
    }
    catchEndSignals();
    Sdl.systemStarted = true;
    return true;
}

bool createWindow(WindowProc proc)
{
    if (proc == nullptr || Sdl.window != nullptr || !startWindowSystem())
        return false;
    // The visual is picked when the window is made, so the GL attributes must be set before.
    setGlAttributes();
    int width = 640, height = 480;
    firstWindowSize(width, height);
    Sdl.window =
        SDL_CreateWindow("Roliquo", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, width, height,
                         SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    // Making a GL window loads the driver, so the preload has finished or is about to.
    awaitGlDriverPreload();
    if (Sdl.window == nullptr) {
        Sdl.lastError = SDL_GetError();
        SDL_Quit();
        Sdl.systemStarted = false;
        return false;
    }
    SDL_SetWindowMinimumSize(Sdl.window, 160, 120);
    applyRequestedPlacement();
    atexit(shutdownSdl);
    watchDisplay();
    Sdl.proc = proc;
    proc(CreateMessage, 0, 0);
    return true;
}

void showWindow()
{
    if (Sdl.window == nullptr || Sdl.displayLost)
        return;
    SDL_ShowWindow(Sdl.window);
    pumpEvents();
    appendMessage(PaintMessage);
}

bool peekMessage(Message& out)
{
    pumpEvents();
    Sdl.messages.checkTimer(SDL_GetTicks64(), 1000);
    if (Sdl.messages.messages.empty()) {
        // What was queued at the start, the first frame among it, is done: the sound and the pads may
        // open now, and the preload's connection may go.
        openSound();
        openGamepads();
        endGlDriverPreload();
        // Nothing is drawn while the window cannot be seen: wait a little for input instead of spinning.
        if (Sdl.window != nullptr && !Sdl.displayLost && !isWindowVisible())
            SDL_WaitEventTimeout(nullptr, 20);
        return false;
    }
    return Sdl.messages.take(out);
}

void postMessage(uint32_t id, uint64_t wParam, int64_t lParam)
{
    pumpEvents();
    appendMessage(id, wParam, lParam);
}

void startTimer(int id, int periodMs)
{
    Sdl.messages.startTimer(id, periodMs, SDL_GetTicks64());
}

bool isKeyDown(int virtualKey)
{
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    if (virtualKey == VkShift)
        return state[SDL_SCANCODE_LSHIFT] || state[SDL_SCANCODE_RSHIFT];
    SDL_Scancode code = scancodeOf(virtualKey);
    return code != SDL_SCANCODE_UNKNOWN && code < count && state[code] != 0;
}

void messageBox(const std::string& text, const std::string& caption, bool owned)
{
    SDL_Window* owner = owned ? Sdl.window : nullptr;
    if (Sdl.displayLost ||
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), owner) != 0)
        fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

uint64_t counterValue()
{
    return SDL_GetPerformanceCounter();
}
uint64_t counterFrequency()
{
    return SDL_GetPerformanceFrequency();
}

PixelFormatResult setupPixelFormat()
{
    if (Sdl.window == nullptr) {
        Sdl.lastError = "there is no window to set a pixel format on";
        return PixelFormatResult::NoMatch;
    }
    // The attributes chose the window's visual when it was made; setting them again keeps them for
    // the context made next and reports whether SDL accepts them.
    if (!setGlAttributes()) {
        Sdl.lastError = SDL_GetError();
        return PixelFormatResult::SetFailed;
    }
    return PixelFormatResult::Ok;
}

std::string lastErrorText()
{
    return Sdl.lastError.empty() ? std::string(SDL_GetError()) : Sdl.lastError;
}

bool createGlContext()
{
    if (Sdl.window == nullptr) {
        Sdl.lastError = "there is no window to make a context on";
        return false;
    }
    if (Sdl.context != nullptr)
        return true;
    Sdl.context = SDL_GL_CreateContext(Sdl.window);
    if (Sdl.context == nullptr) {
        Sdl.lastError = SDL_GetError();
        return false;
    }
    if (SDL_GL_MakeCurrent(Sdl.window, Sdl.context) != 0) {
        Sdl.lastError = SDL_GetError();
        SDL_GL_DeleteContext(Sdl.context);
        Sdl.context = nullptr;
        return false;
    }
    waitForDisplayOnSwap();
    // A fresh context's viewport covers the whole surface; it moves only when that is not 4:3.
    SDL_GL_GetDrawableSize(Sdl.window, &Sdl.drawableWidth, &Sdl.drawableHeight);
    ScreenRect r = letterboxRect(Sdl.drawableWidth, Sdl.drawableHeight);
    if (r.width != Sdl.drawableWidth || r.height != Sdl.drawableHeight)
        glViewport(r.x, r.y, r.width, r.height);
    return true;
}

void deleteGlContext()
{
    if (Sdl.context == nullptr)
        return;
    if (!Sdl.displayLost) {
        SDL_GL_MakeCurrent(Sdl.window, nullptr);
        SDL_GL_DeleteContext(Sdl.context);
    }
    Sdl.context = nullptr;
}

bool hasGlContext()
{
    return Sdl.context != nullptr;
}

void swapBuffers()
{
    presentToWindow();
}

} // namespace platform
