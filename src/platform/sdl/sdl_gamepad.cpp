// SPDX-License-Identifier: MIT
// Gamepads through SDL's game-controller API, plugged in and out at any time. Buttons and the left
// stick arrive as the keys they stand for (a held direction repeating), and count as those keys held
// for the steering.
#include <SDL.h>

#include <vector>

#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace {

// Stick travel (of 32767) that counts as a push, and the lower mark below which it is let go again,
// so a stick resting near the edge does not flicker between pressed and released.
constexpr int PushZone = 12000;
constexpr int ReleaseZone = 8000;

// A direction held on a pad repeats as a held key does on a keyboard, so the menus and a name's
// letters can be run through: first after RepeatDelayMs, then every RepeatIntervalMs.
constexpr uint64_t RepeatDelayMs = 400;
constexpr uint64_t RepeatIntervalMs = 80;

struct Pad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    int stickX = 0;        // -1 left, 0 centre, 1 right, as last reported
    int stickY = 0;        // -1 up, 0 centre, 1 down
    int repeatKey = 0;     // the direction last pressed, repeated while it is held (0: none)
    uint64_t repeatAt = 0; // when it repeats next, in SDL ticks
};
std::vector<Pad> Pads;

int buttonKey(uint8_t button)
{
    switch (button) {
    case SDL_CONTROLLER_BUTTON_A:
        return VkEnter;
    case SDL_CONTROLLER_BUTTON_B:
    case SDL_CONTROLLER_BUTTON_START:
        return VkEscape;
    case SDL_CONTROLLER_BUTTON_Y:
        return VkSpace;
    case SDL_CONTROLLER_BUTTON_BACK:
        return VkF12;
    // West: the records page (Tab); right stick click: the next ghost (F7). While a replay is watched
    // the app reads these two as restarting the level and the next level. The left stick click goes to
    // the level before, the shoulders step a tick back and on (and count as Shift held besides).
    case SDL_CONTROLLER_BUTTON_X:
        return VkTab;
    case SDL_CONTROLLER_BUTTON_RIGHTSTICK:
        return VkF7;
    case SDL_CONTROLLER_BUTTON_LEFTSTICK:
        return VkPageUp;
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER:
        return VkComma;
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER:
        return VkPeriod;
    case SDL_CONTROLLER_BUTTON_DPAD_UP:
        return VkUp;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN:
        return VkDown;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT:
        return VkLeft;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT:
        return VkRight;
    default:
        return 0;
    }
}

// The stick's direction on one axis: a held direction lasts down to the release mark.
int stickDirection(int value, int held)
{
    if (held < 0 && value <= -ReleaseZone)
        return -1;
    if (held > 0 && value >= ReleaseZone)
        return 1;
    if (value <= -PushZone)
        return -1;
    if (value >= PushZone)
        return 1;
    return 0;
}

void openPad(int deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex))
        return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (const Pad& p : Pads)
        if (p.id == id)
            return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr)
        return;
    Pads.push_back(Pad{controller, id});
}

// True when the pad was one of ours.
bool closePad(SDL_JoystickID id)
{
    for (auto it = Pads.begin(); it != Pads.end(); ++it) {
        if (it->id != id)
            continue;
        SDL_GameControllerClose(it->controller);
        Pads.erase(it);
        return true;
    }
    return false;
}

Pad* padOf(SDL_JoystickID id)
{
    for (Pad& p : Pads)
        if (p.id == id)
            return &p;
    return nullptr;
}

bool isDirection(int virtualKey)
{
    return virtualKey == VkLeft || virtualKey == VkRight || virtualKey == VkUp || virtualKey == VkDown;
}

void pressFromPad(Pad& pad, int virtualKey)
{
    appendMessage(KeyDownMessage, static_cast<uint64_t>(virtualKey), GamepadKeyFlag);
    if (isDirection(virtualKey)) {
        pad.repeatKey = virtualKey;
        pad.repeatAt = SDL_GetTicks64() + RepeatDelayMs;
    }
}

void moveStick(Pad& pad, uint8_t axis, int value)
{
    if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
        int next = stickDirection(value, pad.stickX);
        if (next != pad.stickX && next != 0)
            pressFromPad(pad, next < 0 ? VkLeft : VkRight);
        pad.stickX = next;
    } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
        int next = stickDirection(value, pad.stickY);
        if (next != pad.stickY && next != 0)
            pressFromPad(pad, next < 0 ? VkUp : VkDown);
        pad.stickY = next;
    }
}

bool held(const Pad& p, SDL_GameControllerButton button)
{
    return SDL_GameControllerGetButton(p.controller, button) != 0;
}

bool pulled(const Pad& p, SDL_GameControllerAxis trigger)
{
    return SDL_GameControllerGetAxis(p.controller, trigger) >= PushZone;
}

bool padHolds(const Pad& p, int virtualKey)
{
    switch (virtualKey) {
    case VkLeft:
        return held(p, SDL_CONTROLLER_BUTTON_DPAD_LEFT) || p.stickX < 0;
    case VkRight:
        return held(p, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) || p.stickX > 0;
    case VkUp:
        return held(p, SDL_CONTROLLER_BUTTON_DPAD_UP) || p.stickY < 0;
    case VkDown:
        return held(p, SDL_CONTROLLER_BUTTON_DPAD_DOWN) || p.stickY > 0;
    case VkShift:
        return held(p, SDL_CONTROLLER_BUTTON_LEFTSHOULDER) || held(p, SDL_CONTROLLER_BUTTON_RIGHTSHOULDER) ||
            pulled(p, SDL_CONTROLLER_AXIS_TRIGGERLEFT) || pulled(p, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    default:
        return false;
    }
}

} // namespace

void openGamepads()
{
    static bool opened = false;
    if (opened)
        return;
    opened = true;
    // Looking for devices takes some 15 ms, so it waits for the first frames; pads plugged in later
    // arrive as events. Without the subsystem the game is played from the keyboard.
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0)
        return;
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        openPad(i);
}

void closeGamepads()
{
    for (Pad& p : Pads)
        SDL_GameControllerClose(p.controller);
    Pads.clear();
}

bool translateGamepadEvent(const SDL_Event& e)
{
    switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED:
        openPad(e.cdevice.which);
        return true;
    case SDL_CONTROLLERDEVICEREMOVED:
        // A pad pulled out mid-game leaves the marble without its player: pause as losing focus does.
        if (closePad(e.cdevice.which))
            appendMessage(KillFocusMessage);
        return true;
    case SDL_CONTROLLERBUTTONDOWN:
        if (Pad* pad = padOf(e.cbutton.which))
            if (int key = buttonKey(e.cbutton.button))
                pressFromPad(*pad, key);
        return true;
    case SDL_CONTROLLERAXISMOTION:
        if (Pad* pad = padOf(e.caxis.which))
            moveStick(*pad, e.caxis.axis, e.caxis.value);
        return true;
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERDEVICEREMAPPED:
        return true;
    default:
        return false;
    }
}

bool gamepadHolds(int virtualKey)
{
    for (const Pad& p : Pads)
        if (padHolds(p, virtualKey))
            return true;
    return false;
}

void repeatHeldPadKeys()
{
    uint64_t now = SDL_GetTicks64();
    for (Pad& p : Pads) {
        if (p.repeatKey == 0)
            continue;
        if (!padHolds(p, p.repeatKey)) {
            p.repeatKey = 0;
        } else if (now >= p.repeatAt) {
            appendMessage(KeyDownMessage, static_cast<uint64_t>(p.repeatKey), GamepadKeyFlag);
            // From now, not from when it was due: a stalled loop gets one repeat, not a burst.
            p.repeatAt = now + RepeatIntervalMs;
        }
    }
}
