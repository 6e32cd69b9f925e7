// SPDX-License-Identifier: MIT
// What the browser backend's parts share: its state, the queue's append, the canvas, key state,
// gamepads, touch, sound and the IndexedDB sync. Private to src/platform/web/.
#pragma once

#include <GLES2/gl2.h>
#include <emscripten/html5.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_queue.h"
#include "platform/pad_map.h"
#include "platform/platform.h"
#include "platform/touch.h"

// A pad as last sampled (web_gamepad.cpp), with the standard layout's 16 buttons.
constexpr int WebPadButtons = 16;
struct WebPad {
    bool connected = false;
    bool buttons[WebPadButtons] = {};
    double triggers[2] = {};
    int stickX = 0; // -1 left, 0 centre, 1 right
    int stickY = 0; // -1 up, 0 centre, 1 down
    PadRepeat repeat;
};

// The touch controls' steering and what was last told (web_touch.cpp). One source of steering: a
// direction per axis with its hysteresis, and push harder.
struct TouchSteer {
    int x = 0; // -1 left, 0 centre, 1 right
    int y = 0; // -1 up, 0 centre, 1 down
    bool rim = false;
    void take(double travelX, double travelY);
};

struct TouchTilt {
    double right = 0.0; // the last reading, in degrees: the screen's right edge down
    double down = 0.0;  // the screen's lower edge down
    bool read = false;  // a reading has come
    double levelRight = 0.0;
    double levelDown = 0.0;
    bool calibrated = false;
    TouchSteer steer;
};

struct WebTouch {
    TouchSteer stick;
    TouchTilt tilt;
    TouchView reportedView{static_cast<TouchScene>(-1), 0.0f, 0.0f};
    TouchSettings reportedSettings{false, false, 0};
    // The settings the player last chose on the page, sent to the game, which takes them a pass later.
    TouchSettings askedSettings{false, false, 0};
    bool settingsAsked = false;
};

// Everything the backend keeps; each part writes its own members.
struct WebBackend {
    // The queue and the loop (web_window.cpp).
    WindowProc proc = nullptr;
    MessageQueue messages;
    bool windowMade = false;
    bool tickTaken = false;    // a tick left the queue during this frame's passes
    bool steeringRead = false; // this frame's tick read the steering keys: a round is rolling
    bool rolling = false;      // as last told to the page
    bool loopTimed = false;    // the loop's timing was chosen, at its first frame
    bool (*pass)(int&) = nullptr;
    std::string lastError;

    // The canvas (web_canvas.cpp), which the game draws on directly.
    EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context = 0;
    int surfaceWidth = 640;
    int surfaceHeight = 480;
    platform::WindowPlacement askedPlacement; // kept only to be told back: the page sizes the canvas

    bool held[256] = {};      // the keys held, by virtual-key code (web_keys.cpp)
    std::vector<WebPad> pads; // web_gamepad.cpp
    uint32_t lastMusicId = 0; // web_sound.cpp
    WebTouch touch;           // web_touch.cpp
};
extern WebBackend Web;

// Appends a message to the game's queue behind everything already there.
void appendMessage(uint32_t id, uint64_t wParam = 0, int64_t lParam = 0);
// Milliseconds of the browser's monotonic clock (performance.now).
uint64_t browserMilliseconds();

// Keyboard (web_keys.cpp): listens on the page; keys become classic virtual-key codes.
void listenToKeys();
bool keyboardHolds(int virtualKey);
// Forgets every held key (focus lost: the key-up events go elsewhere).
void releaseAllKeys();

// Gamepads (web_gamepad.cpp): sampled once a frame, mapped as the desktop maps its pads.
void sampleGamepads();

// Touch and tilt (web_touch.cpp): the page's stick and the device's tilt held as the pad's d-pad
// (steering) and right shoulder (push harder), button being PadButton plus one.
bool touchHolds(int button);
// Lets go of the stick and the tilt (focus lost: the touch-end events go elsewhere).
void releaseTouch();
// Tells the page what the game shows and the touch settings, when either changed since last told.
void reportTouchView();

// Canvas (web_canvas.cpp): the drawing surface follows the canvas's size on the page, kept at 4:3 by
// the page's style; the viewport sits on its letterbox rectangle.
bool makeWebGlContext();
void fitViewport();
void presentToCanvas();
bool webGlContextMade();
void dropWebGlContext();

// Sound (web_sound.cpp): Web Audio starts at the first key press, as browsers require.
void unlockAudio();
