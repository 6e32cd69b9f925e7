// SPDX-License-Identifier: MIT
// The browser backend's window, event queue, timer, key state, dialogs, counter and the main loop. Page
// events (keys, focus, visibility) are translated into messages and kept in one FIFO with the game's own
// posts; the browser calls the loop once per animation frame, and each call runs passes of the game's
// message loop until a tick has been handled, so every frame is one tick. The page is told when the
// loop starts and ends, and when a round starts or stops rolling.
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>

#include "platform/message_queue.h"
#include "platform/platform.h"
#include "platform/web/web_internal.h"

WebBackend Web;

namespace {

// A frame's passes stop after this many even without a tick (a key flood), so the page stays alive.
constexpr int MostPassesPerFrame = 10000;

EM_BOOL onBlur(int, const EmscriptenFocusEvent*, void*)
{
    releaseAllKeys();
    releaseTouch();
    appendMessage(KillFocusMessage);
    return EM_FALSE;
}

EM_BOOL onFocus(int, const EmscriptenFocusEvent*, void*)
{
    appendMessage(SetFocusMessage);
    return EM_FALSE;
}

EM_BOOL onVisibility(int, const EmscriptenVisibilityChangeEvent* e, void*)
{
    if (e->hidden) {
        releaseAllKeys();
        releaseTouch();
        appendMessage(KillFocusMessage);
    } else {
        appendMessage(PaintMessage);
    }
    return EM_FALSE;
}

EM_BOOL onResize(int, const EmscriptenUiEvent*, void*)
{
    fitViewport();
    appendMessage(PaintMessage);
    return EM_FALSE;
}

// The page's overlay (web/index.html's #message) shows the box; the game goes on behind it.
EM_JS(void, showOverlayMessage, (const char* caption, const char* text), {
    if (typeof Module.showMessage === 'function')
        Module.showMessage(UTF8ToString(caption), UTF8ToString(text));
});

// The page learns that the game's loop has started (a start that ends in main never gets here)...
EM_JS(void, reportLoopStarted, (), {
    if (typeof Module.loopStarted === 'function')
        Module.loopStarted();
});

// ...and that the game has ended (it shows so and stops the frame callback).
EM_JS(void, reportEnded, (int exitCode), {
    if (typeof Module.gameEnded === 'function')
        Module.gameEnded(exitCode);
});

// ...and when a round starts or stops rolling (a played tick reads the steering keys; a paused, halted
// or watched one does not), so the page's world-records panel can follow the level in play.
EM_JS(void, reportRolling, (int rolling), {
    if (typeof Module.roundRolling === 'function')
        Module.roundRolling(rolling != 0);
});

// A page opened with "?unthrottled" (the frame benchmark) runs the loop as often as the browser runs a
// timer, not once per displayed frame, so what it measures is not capped by the display.
EM_JS(int, loopUnthrottled, (), { return new URLSearchParams(location.search).has('unthrottled') ? 1 : 0; });

void runFrame()
{
    if (!Web.loopTimed) {
        Web.loopTimed = true;
        if (loopUnthrottled())
            emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, 0);
    }
    sampleGamepads();
    fitViewport();
    Web.tickTaken = false;
    for (int i = 0; i < MostPassesPerFrame && !Web.tickTaken; ++i) {
        int exitCode = 0;
        if (!Web.pass(exitCode)) {
            emscripten_cancel_main_loop();
            reportEnded(exitCode);
            return;
        }
    }
    if (Web.steeringRead != Web.rolling) {
        Web.rolling = Web.steeringRead;
        reportRolling(Web.rolling ? 1 : 0);
    }
    Web.steeringRead = false;
    reportTouchView();
}

} // namespace

void appendMessage(uint32_t id, uint64_t wParam, int64_t lParam)
{
    Web.messages.append(id, wParam, lParam);
}

uint64_t browserMilliseconds()
{
    return static_cast<uint64_t>(emscripten_get_now());
}

namespace platform {

bool startWindowSystem()
{
    return true;
}

bool createWindow(WindowProc proc)
{
    if (proc == nullptr || Web.windowMade)
        return false;
    Web.windowMade = true;
    listenToKeys();
    emscripten_set_blur_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onBlur);
    emscripten_set_focus_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onFocus);
    emscripten_set_visibilitychange_callback(nullptr, EM_FALSE, onVisibility);
    emscripten_set_resize_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_FALSE, onResize);
    Web.proc = proc;
    proc(CreateMessage, 0, 0);
    return true;
}

void showWindow()
{
    appendMessage(PaintMessage);
}

bool peekMessage(Message& out)
{
    Web.messages.checkTimer(browserMilliseconds(), 1000);
    if (!Web.messages.take(out))
        return false;
    if (out.id == TickMessage)
        Web.tickTaken = true;
    return true;
}

void postMessage(uint32_t id, uint64_t wParam, int64_t lParam)
{
    appendMessage(id, wParam, lParam);
}

void startTimer(int id, int periodMs)
{
    Web.messages.startTimer(id, periodMs, browserMilliseconds());
}

bool isKeyDown(int virtualKey)
{
    if (virtualKey >= VkLeft && virtualKey <= VkDown)
        Web.steeringRead = true;
    return keyboardHolds(virtualKey);
}

void messageBox(const std::string& text, const std::string& caption, bool)
{
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    showOverlayMessage(caption.c_str(), text.c_str());
}

uint64_t counterValue()
{
    // performance.now in microseconds: fine enough for the tick lengths, exact in 64 bits.
    return static_cast<uint64_t>(emscripten_get_now() * 1000.0);
}

uint64_t counterFrequency()
{
    return 1000000;
}

PixelFormatResult setupPixelFormat()
{
    return PixelFormatResult::Ok;
}

std::string lastErrorText()
{
    return Web.lastError;
}

bool createGlContext()
{
    if (makeWebGlContext())
        return true;
    Web.lastError = "this browser gives the page no WebGL";
    return false;
}

void deleteGlContext()
{
    dropWebGlContext();
}

bool hasGlContext()
{
    return webGlContextMade();
}

void swapBuffers()
{
    // The browser shows the canvas when the frame's callback returns; only the bars are painted here.
    presentToCanvas();
}

int runLoop(bool (*pass)(int& exitCode))
{
    Web.pass = pass;
    reportLoopStarted();
    // Never returns: the browser calls runFrame once per animation frame from here on.
    emscripten_set_main_loop(runFrame, 0, 1);
    return 0;
}

} // namespace platform
