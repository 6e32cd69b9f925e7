// SPDX-License-Identifier: MIT
// What the browser backend's parts share: the queue's append, the canvas, key state, gamepads, sound
// and the IndexedDB sync. Private to src/platform/web/.
#pragma once

#include <cstdint>

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
bool gamepadHolds(int virtualKey);

// Canvas (web_canvas.cpp): the drawing surface follows the canvas's size on the page, kept at 4:3 by
// the page's style; the viewport sits on its letterbox rectangle.
bool makeWebGlContext();
void fitViewport();
void presentToCanvas();
bool webGlContextMade();
void dropWebGlContext();

// Sound (web_sound.cpp): Web Audio starts at the first key press, as browsers require.
void unlockAudio();
