// The SDL2 backend's window, event queue, timer, key state, dialogs, counter and GL context. Every
// SDL event is translated into a message and kept in one FIFO with the game's own posts, so the
// game sees input, system events and its own messages in the order they arrived.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <deque>

#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace {

struct SdlWindowState {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    WindowProc proc = nullptr;
    std::deque<Message> queue;
    bool timerOn = false;
    int timerId = 0;
    uint64_t timerPeriodMs = 0;
    uint64_t timerLastFired = 0;
    std::string lastError;
};
SdlWindowState Sdl;

int virtualKeyOf(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VkF1 + (key - SDLK_F1);
    switch (key) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return VkEnter;
    case SDLK_ESCAPE: return VkEscape;
    case SDLK_SPACE: return VkSpace;
    case SDLK_LEFT: return VkLeft;
    case SDLK_UP: return VkUp;
    case SDLK_RIGHT: return VkRight;
    case SDLK_DOWN: return VkDown;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return VkShift;
    default: return 0;
    }
}

void append(uint32_t id, uint64_t wParam = 0, int64_t lParam = 0) { Sdl.queue.push_back(Message{id, wParam, lParam}); }

void translate(const SDL_Event& e) {
    if (MusicEventType != 0 && e.type == MusicEventType) {
        if (uint32_t id = musicEventId(e)) append(MusicNoticeMessage, 1, static_cast<int64_t>(id));
        return;
    }
    switch (e.type) {
    case SDL_KEYDOWN:
        if (int vk = virtualKeyOf(e.key.keysym.sym)) append(KeyDownMessage, static_cast<uint64_t>(vk));
        break;
    case SDL_QUIT: // only from a signal: closing the window arrives as the window event below
        append(CloseMessage);
        break;
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: append(SetFocusMessage); break;
        case SDL_WINDOWEVENT_FOCUS_LOST: append(KillFocusMessage); break;
        case SDL_WINDOWEVENT_CLOSE: append(CloseMessage); break;
        case SDL_WINDOWEVENT_EXPOSED: append(PaintMessage); break;
        default: break;
        }
        break;
    default: break;
    }
}

// Moves everything SDL has seen so far into the FIFO, so a post made now goes behind it.
void pumpEvents() {
    if (Sdl.window == nullptr) return;
    SDL_Event e;
    while (SDL_PollEvent(&e)) translate(e);
}

void checkTimer() {
    if (!Sdl.timerOn) return;
    uint64_t now = SDL_GetTicks64();
    if (now - Sdl.timerLastFired < Sdl.timerPeriodMs) return;
    Sdl.timerLastFired = now;
    // One timer message waits at most, as with a system timer.
    for (const Message& m : Sdl.queue)
        if (m.id == TimerMessage) return;
    append(TimerMessage, static_cast<uint64_t>(Sdl.timerId));
}

// Double-buffered RGBA with at least 16 depth bits, in a compatibility profile so immediate mode works.
bool setGlAttributes() {
    return SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1) == 0 && SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8) == 0 && SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8) == 0 &&
           SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16) == 0;
}

void shutdownSdl() {
    closeSound();
    if (Sdl.context) SDL_GL_DeleteContext(Sdl.context);
    if (Sdl.window) SDL_DestroyWindow(Sdl.window);
    Sdl.context = nullptr;
    Sdl.window = nullptr;
    SDL_Quit();
}

SDL_Scancode scancodeOf(int virtualKey) {
    if (virtualKey >= 'A' && virtualKey <= 'Z') return SDL_GetScancodeFromKey(SDLK_a + (virtualKey - 'A'));
    if (virtualKey >= '0' && virtualKey <= '9') return SDL_GetScancodeFromKey(SDLK_0 + (virtualKey - '0'));
    if (virtualKey >= VkF1 && virtualKey <= VkF12) return static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (virtualKey - VkF1));
    switch (virtualKey) {
    case VkEnter: return SDL_SCANCODE_RETURN;
    case VkEscape: return SDL_SCANCODE_ESCAPE;
    case VkSpace: return SDL_SCANCODE_SPACE;
    case VkLeft: return SDL_SCANCODE_LEFT;
    case VkUp: return SDL_SCANCODE_UP;
    case VkRight: return SDL_SCANCODE_RIGHT;
    case VkDown: return SDL_SCANCODE_DOWN;
    default: return SDL_SCANCODE_UNKNOWN;
    }
}

} // namespace

namespace platform {

bool createWindow(WindowProc proc) {
    if (proc == nullptr || Sdl.window != nullptr) return false;
    // Closing the window is the game's decision (it shuts down on CloseMessage), not SDL's.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER) != 0) {
        Sdl.lastError = SDL_GetError();
        return false;
    }
    // The visual is picked when the window is made, so the GL attributes must be set before.
    setGlAttributes();
    Sdl.window = SDL_CreateWindow("Roliquo", SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED, 640, 480,
                                  SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (Sdl.window == nullptr) {
        Sdl.lastError = SDL_GetError();
        SDL_Quit();
        return false;
    }
    atexit(shutdownSdl);
    openSound();
    Sdl.proc = proc;
    proc(CreateMessage, 0, 0);
    return true;
}

void showWindow() {
    if (Sdl.window == nullptr) return;
    SDL_ShowWindow(Sdl.window);
    pumpEvents();
    append(PaintMessage);
}

bool peekMessage(Message& out) {
    pumpEvents();
    checkTimer();
    if (Sdl.queue.empty()) return false;
    out = Sdl.queue.front();
    Sdl.queue.pop_front();
    return true;
}

void postMessage(uint32_t id, uint64_t wParam, int64_t lParam) {
    pumpEvents();
    append(id, wParam, lParam);
}

void postKeyPress(int virtualKey) { postMessage(KeyDownMessage, static_cast<uint64_t>(virtualKey)); }

void postQuit(int exitCode) { postMessage(QuitMessage, static_cast<uint64_t>(static_cast<int64_t>(exitCode))); }

void startTimer(int id, int periodMs) {
    Sdl.timerOn = true;
    Sdl.timerId = id;
    Sdl.timerPeriodMs = periodMs > 0 ? static_cast<uint64_t>(periodMs) : 1;
    Sdl.timerLastFired = SDL_GetTicks64();
}

bool isKeyDown(int virtualKey) {
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    if (virtualKey == VkShift) return state[SDL_SCANCODE_LSHIFT] || state[SDL_SCANCODE_RSHIFT];
    SDL_Scancode code = scancodeOf(virtualKey);
    return code != SDL_SCANCODE_UNKNOWN && code < count && state[code] != 0;
}

void messageBox(const std::string& text, const std::string& caption, bool owned) {
    SDL_Window* owner = owned ? Sdl.window : nullptr;
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), text.c_str(), owner) != 0)
        fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
}

uint64_t counterValue() { return SDL_GetPerformanceCounter(); }
uint64_t counterFrequency() { return SDL_GetPerformanceFrequency(); }

PixelFormatResult setupPixelFormat() {
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

std::string lastErrorText() { return Sdl.lastError.empty() ? std::string(SDL_GetError()) : Sdl.lastError; }

bool createGlContext() {
    if (Sdl.window == nullptr) {
        Sdl.lastError = "there is no window to make a context on";
        return false;
    }
    if (Sdl.context != nullptr) return true;
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
    return true;
}

void deleteGlContext() {
    if (Sdl.context == nullptr) return;
    SDL_GL_MakeCurrent(Sdl.window, nullptr);
    SDL_GL_DeleteContext(Sdl.context);
    Sdl.context = nullptr;
}

bool hasGlContext() { return Sdl.context != nullptr; }

void swapBuffers() {
    if (Sdl.context != nullptr) SDL_GL_SwapWindow(Sdl.window);
}

} // namespace platform
