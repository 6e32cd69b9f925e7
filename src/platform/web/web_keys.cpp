// SPDX-License-Identifier: MIT
// Keyboard translation for the browser backend: every key becomes the classic virtual-key code the
// desktop backend gives it (letters and digits by the layout's key, punctuation and the keypad by
// their place), and the keys held are kept from the page's key-down and key-up events.
#include <emscripten/html5.h>

#include <cstring>

#include "platform/platform.h"
#include "platform/web/web_internal.h"

namespace {

struct NamedCode {
    const char* code; // KeyboardEvent.code: the key's place on the keyboard
    int virtualKey;
};

// Keys named by their place, as the desktop backend's scancode table and named keys give them.
constexpr NamedCode PlacedKeys[] = {
    {"Backspace", 8},      {"Tab", 9},           {"NumpadClear", 12},   {"Enter", VkEnter},
    {"NumpadEnter", VkEnter}, {"ShiftLeft", VkShift}, {"ShiftRight", VkShift}, {"ControlLeft", 17},
    {"ControlRight", 17},  {"AltLeft", 18},      {"AltRight", 18},      {"Pause", 19},
    {"CapsLock", 20},      {"Escape", VkEscape}, {"Space", VkSpace},    {"PageUp", 33},
    {"PageDown", 34},      {"End", 35},          {"Home", 36},          {"ArrowLeft", VkLeft},
    {"ArrowUp", VkUp},     {"ArrowRight", VkRight}, {"ArrowDown", VkDown}, {"PrintScreen", 44},
    {"Insert", 45},        {"Delete", 46},       {"Help", 47},          {"MetaLeft", 91},
    {"MetaRight", 92},     {"ContextMenu", 93},  {"Numpad0", 96},       {"Numpad1", 97},
    {"Numpad2", 98},       {"Numpad3", 99},      {"Numpad4", 100},      {"Numpad5", 101},
    {"Numpad6", 102},      {"Numpad7", 103},     {"Numpad8", 104},      {"Numpad9", 105},
    {"NumpadMultiply", 106}, {"NumpadAdd", 107}, {"NumpadComma", 108},  {"NumpadSubtract", 109},
    {"NumpadDecimal", 110}, {"NumpadDivide", 111}, {"NumLock", 144},    {"ScrollLock", 145},
    {"Semicolon", 186},    {"Equal", 187},       {"Comma", 188},        {"Minus", 189},
    {"Period", 190},       {"Slash", 191},       {"Backquote", 192},    {"BracketLeft", 219},
    {"Backslash", 220},    {"BracketRight", 221}, {"Quote", 222},       {"IntlBackslash", 226},
};

// What a key with no classic code of its own reports: "no mapping", as classic keyboards send it.
constexpr int UnmappedKey = 255;

int virtualKeyOf(const EmscriptenKeyboardEvent& e)
{
    // A single letter or digit the layout puts on the key, whatever its place.
    if (std::strlen(e.key) == 1) {
        char c = e.key[0];
        if (c >= 'a' && c <= 'z')
            return 'A' + (c - 'a');
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
            return c;
    }
    if (e.code[0] == 'F' && e.code[1] >= '1' && e.code[1] <= '9') {
        int n = e.code[1] - '0';
        if (e.code[2] >= '0' && e.code[2] <= '9')
            n = n * 10 + (e.code[2] - '0');
        if (n >= 1 && n <= 24)
            return VkF1 + n - 1;
    }
    if (std::strncmp(e.code, "Key", 3) == 0 && e.code[3] >= 'A' && e.code[3] <= 'Z' && e.code[4] == '\0')
        return e.code[3];
    if (std::strncmp(e.code, "Digit", 5) == 0 && e.code[5] >= '0' && e.code[5] <= '9' && e.code[6] == '\0')
        return e.code[5];
    for (const NamedCode& k : PlacedKeys)
        if (std::strcmp(k.code, e.code) == 0)
            return k.virtualKey;
    return UnmappedKey;
}

// Alt+Enter switches the page's fullscreen, as the desktop's window does, beside the fullscreen
// action's keys; the game never sees it.
bool isFullscreenChord(const EmscriptenKeyboardEvent& e, int virtualKey)
{
    return virtualKey == VkEnter && e.altKey;
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* e, void*)
{
    unlockAudio();
    int key = virtualKeyOf(*e);
    Web.held[key] = true;
    if (isFullscreenChord(*e, key)) {
        if (!e->repeat)
            platform::toggleFullscreen();
        return EM_TRUE;
    }
    appendMessage(KeyDownMessage, static_cast<uint64_t>(key), e->repeat ? KeyRepeatFlag : 0);
    // The page keeps no key for itself (arrows would scroll it, F-keys would reload), except the
    // browser's own reload and developer keys with Ctrl.
    return e->ctrlKey ? EM_FALSE : EM_TRUE;
}

EM_BOOL onKeyUp(int, const EmscriptenKeyboardEvent* e, void*)
{
    Web.held[virtualKeyOf(*e)] = false;
    return EM_TRUE;
}

} // namespace

void listenToKeys()
{
    emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKeyDown);
    emscripten_set_keyup_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, EM_TRUE, onKeyUp);
}

bool keyboardHolds(int virtualKey)
{
    return virtualKey >= 0 && virtualKey < 256 && Web.held[virtualKey];
}

void releaseAllKeys()
{
    for (bool& held : Web.held)
        held = false;
}
