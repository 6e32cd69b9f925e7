// SPDX-License-Identifier: MIT
// Keyboard translation for the SDL backend: every key becomes a classic virtual-key code (letters and
// digits by the layout's key, punctuation by its position, the keypad by scancode), and back again
// for the key state of the steering keys.
#include <SDL.h>

#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace {

struct KeyCode {
    SDL_Keycode key;
    int virtualKey;
};

// Keys named by what they produce, whatever the layout puts them.
constexpr KeyCode NamedKeys[] = {
    {SDLK_BACKSPACE, 8},      {SDLK_TAB, 9},
    {SDLK_CLEAR, 12},         {SDLK_RETURN, VkEnter},
    {SDLK_KP_ENTER, VkEnter}, {SDLK_RETURN2, VkEnter},
    {SDLK_LSHIFT, VkShift},   {SDLK_RSHIFT, VkShift},
    {SDLK_LCTRL, 17},         {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},          {SDLK_RALT, 18},
    {SDLK_PAUSE, 19},         {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, VkEscape},  {SDLK_SPACE, VkSpace},
    {SDLK_PAGEUP, 33},        {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},           {SDLK_HOME, 36},
    {SDLK_LEFT, VkLeft},      {SDLK_UP, VkUp},
    {SDLK_RIGHT, VkRight},    {SDLK_DOWN, VkDown},
    {SDLK_SELECT, 41},        {SDLK_EXECUTE, 43},
    {SDLK_PRINTSCREEN, 44},   {SDLK_INSERT, 45},
    {SDLK_DELETE, 46},        {SDLK_HELP, 47},
    {SDLK_LGUI, 91},          {SDLK_RGUI, 92},
    {SDLK_APPLICATION, 93},   {SDLK_SLEEP, 95},
    {SDLK_NUMLOCKCLEAR, 144}, {SDLK_SCROLLLOCK, 145},
    {SDLK_AC_BACK, 166},      {SDLK_AC_FORWARD, 167},
    {SDLK_AC_REFRESH, 168},   {SDLK_AC_STOP, 169},
    {SDLK_AC_SEARCH, 170},    {SDLK_AC_BOOKMARKS, 171},
    {SDLK_AC_HOME, 172},      {SDLK_MUTE, 173},
    {SDLK_VOLUMEDOWN, 174},   {SDLK_VOLUMEUP, 175},
    {SDLK_AUDIONEXT, 176},    {SDLK_AUDIOPREV, 177},
    {SDLK_AUDIOSTOP, 178},    {SDLK_AUDIOPLAY, 179},
    {SDLK_MAIL, 180},         {SDLK_MEDIASELECT, 181},
    {SDLK_SEMICOLON, 186},    {SDLK_EQUALS, 187},
    {SDLK_PLUS, 187},         {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},        {SDLK_PERIOD, 190},
    {SDLK_SLASH, 191},        {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219},  {SDLK_BACKSLASH, 220},
    {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

struct ScanCode {
    SDL_Scancode scancode;
    int virtualKey;
};

// The keypad always gives its digit codes (as with Num Lock on), and keys a layout fills with letters
// of its own (umlauts, accents) take the classic code of the place they sit on.
constexpr ScanCode PlacedKeys[] = {
    {SDL_SCANCODE_KP_0, 96},
    {SDL_SCANCODE_KP_1, 97},
    {SDL_SCANCODE_KP_2, 98},
    {SDL_SCANCODE_KP_3, 99},
    {SDL_SCANCODE_KP_4, 100},
    {SDL_SCANCODE_KP_5, 101},
    {SDL_SCANCODE_KP_6, 102},
    {SDL_SCANCODE_KP_7, 103},
    {SDL_SCANCODE_KP_8, 104},
    {SDL_SCANCODE_KP_9, 105},
    {SDL_SCANCODE_KP_MULTIPLY, 106},
    {SDL_SCANCODE_KP_PLUS, 107},
    {SDL_SCANCODE_KP_COMMA, 108},
    {SDL_SCANCODE_KP_MINUS, 109},
    {SDL_SCANCODE_KP_PERIOD, 110},
    {SDL_SCANCODE_KP_DECIMAL, 110},
    {SDL_SCANCODE_KP_DIVIDE, 111},
    {SDL_SCANCODE_SEMICOLON, 186},
    {SDL_SCANCODE_EQUALS, 187},
    {SDL_SCANCODE_COMMA, 188},
    {SDL_SCANCODE_MINUS, 189},
    {SDL_SCANCODE_PERIOD, 190},
    {SDL_SCANCODE_SLASH, 191},
    {SDL_SCANCODE_GRAVE, 192},
    {SDL_SCANCODE_LEFTBRACKET, 219},
    {SDL_SCANCODE_BACKSLASH, 220},
    {SDL_SCANCODE_RIGHTBRACKET, 221},
    {SDL_SCANCODE_APOSTROPHE, 222},
    {SDL_SCANCODE_NONUSBACKSLASH, 226},
    {SDL_SCANCODE_NONUSHASH, 220},
};

// What a key with no classic code of its own reports: "no mapping", as classic keyboards send it.
constexpr int UnmappedKey = 255;

} // namespace

int virtualKeyOf(const SDL_Keysym& key)
{
    for (const ScanCode& k : PlacedKeys)
        if (k.scancode == key.scancode && k.virtualKey >= 96 && k.virtualKey <= 111)
            return k.virtualKey;
    if (key.sym >= SDLK_a && key.sym <= SDLK_z)
        return 'A' + (key.sym - SDLK_a);
    if (key.sym >= SDLK_0 && key.sym <= SDLK_9)
        return '0' + (key.sym - SDLK_0);
    if (key.sym >= SDLK_F1 && key.sym <= SDLK_F12)
        return VkF1 + (key.sym - SDLK_F1);
    if (key.sym >= SDLK_F13 && key.sym <= SDLK_F24)
        return VkF12 + 1 + (key.sym - SDLK_F13);
    for (const KeyCode& k : NamedKeys)
        if (k.key == key.sym)
            return k.virtualKey;
    for (const ScanCode& k : PlacedKeys)
        if (k.scancode == key.scancode)
            return k.virtualKey;
    return UnmappedKey;
}

SDL_Scancode scancodeOf(int virtualKey)
{
    if (virtualKey >= 'A' && virtualKey <= 'Z')
        return SDL_GetScancodeFromKey(SDLK_a + (virtualKey - 'A'));
    if (virtualKey >= '0' && virtualKey <= '9')
        return SDL_GetScancodeFromKey(SDLK_0 + (virtualKey - '0'));
    if (virtualKey >= VkF1 && virtualKey <= VkF12)
        return static_cast<SDL_Scancode>(SDL_SCANCODE_F1 + (virtualKey - VkF1));
    switch (virtualKey) {
    case VkEnter:
        return SDL_SCANCODE_RETURN;
    case VkEscape:
        return SDL_SCANCODE_ESCAPE;
    case VkSpace:
        return SDL_SCANCODE_SPACE;
    case VkLeft:
        return SDL_SCANCODE_LEFT;
    case VkUp:
        return SDL_SCANCODE_UP;
    case VkRight:
        return SDL_SCANCODE_RIGHT;
    case VkDown:
        return SDL_SCANCODE_DOWN;
    default:
        return SDL_SCANCODE_UNKNOWN;
    }
}
