// SPDX-License-Identifier: MIT
// Gamepads through SDL's game-controller API, plugged in and out at any time. Buttons and the left
// stick arrive as the keys they stand for (a held direction repeating); held, they count as their
// buttons held for the steering.
#include <SDL.h>

#include <vector>

#include "platform/pad_map.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace {

// SDL's buttons that stand for keys, by their place on the pad.
struct Placed {
    SDL_GameControllerButton button;
    PadButton place;
};
constexpr Placed Places[] = {
    {SDL_CONTROLLER_BUTTON_A, PadButton::South},
    {SDL_CONTROLLER_BUTTON_B, PadButton::East},
    {SDL_CONTROLLER_BUTTON_X, PadButton::West},
    {SDL_CONTROLLER_BUTTON_Y, PadButton::North},
    {SDL_CONTROLLER_BUTTON_BACK, PadButton::Back},
    {SDL_CONTROLLER_BUTTON_START, PadButton::Start},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, PadButton::LeftStick},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, PadButton::RightStick},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, PadButton::LeftShoulder},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, PadButton::RightShoulder},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, PadButton::DpadUp},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, PadButton::DpadDown},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, PadButton::DpadLeft},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, PadButton::DpadRight},
};

const Placed* placeOf(uint8_t button)
{
    for (const Placed& p : Places)
        if (p.button == button)
            return &p;
    return nullptr;
}

// An SDL axis value as a share of full travel.
double travelOf(int value)
{
    return value / 32767.0;
}

void openPad(int deviceIndex)
{
    if (!SDL_IsGameController(deviceIndex))
        return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (const SdlPad& p : Sdl.pads)
        if (p.id == id)
            return;
    SDL_GameController* controller = SDL_GameControllerOpen(deviceIndex);
    if (controller == nullptr)
        return;
    SdlPad pad;
    pad.controller = controller;
    pad.id = id;
    Sdl.pads.push_back(pad);
}

// True when the pad was one of ours.
bool closePad(SDL_JoystickID id)
{
    for (auto it = Sdl.pads.begin(); it != Sdl.pads.end(); ++it) {
        if (it->id != id)
            continue;
        SDL_GameControllerClose(it->controller);
        Sdl.pads.erase(it);
        return true;
    }
    return false;
}

SdlPad* padOf(SDL_JoystickID id)
{
    for (SdlPad& p : Sdl.pads)
        if (p.id == id)
            return &p;
    return nullptr;
}

void pressFromPad(SdlPad& pad, int virtualKey, int64_t param)
{
    appendMessage(KeyDownMessage, static_cast<uint64_t>(virtualKey), param);
    pad.repeat.pressed(virtualKey, SDL_GetTicks64());
}

void moveStick(SdlPad& pad, uint8_t axis, int value)
{
    if (axis == SDL_CONTROLLER_AXIS_LEFTX) {
        int next = stickDirection(travelOf(value), pad.stickX);
        if (next != pad.stickX && next != 0)
            pressFromPad(pad, next < 0 ? VkLeft : VkRight, padDirectionParam(next < 0 ? VkLeft : VkRight));
        pad.stickX = next;
    } else if (axis == SDL_CONTROLLER_AXIS_LEFTY) {
        int next = stickDirection(travelOf(value), pad.stickY);
        if (next != pad.stickY && next != 0)
            pressFromPad(pad, next < 0 ? VkUp : VkDown, padDirectionParam(next < 0 ? VkUp : VkDown));
        pad.stickY = next;
    }
}

bool pulled(const SdlPad& p, SDL_GameControllerAxis trigger)
{
    return travelOf(SDL_GameControllerGetAxis(p.controller, trigger)) >= PadPushZone;
}

// The button (PadButton plus one) held on the pad, or the stick or trigger that stands for it.
bool padHolds(const SdlPad& p, int button)
{
    for (const Placed& place : Places)
        if (static_cast<int>(place.place) + 1 == button && SDL_GameControllerGetButton(p.controller, place.button) != 0)
            return true;
    return padHeldOtherwise(button, p.stickX, p.stickY, pulled(p, SDL_CONTROLLER_AXIS_TRIGGERLEFT),
                            pulled(p, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
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
    for (SdlPad& p : Sdl.pads)
        SDL_GameControllerClose(p.controller);
    Sdl.pads.clear();
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
        if (SdlPad* pad = padOf(e.cbutton.which))
            if (const Placed* place = placeOf(e.cbutton.button))
                if (int key = padButtonKey(place->place))
                    pressFromPad(*pad, key, padPressParam(place->place));
        return true;
    case SDL_CONTROLLERAXISMOTION:
        if (SdlPad* pad = padOf(e.caxis.which))
            moveStick(*pad, e.caxis.axis, e.caxis.value);
        return true;
    case SDL_CONTROLLERBUTTONUP:
    case SDL_CONTROLLERDEVICEREMAPPED:
        return true;
    default:
        return false;
    }
}

namespace platform {

bool isPadButtonDown(int button)
{
    for (const SdlPad& p : Sdl.pads)
        if (padHolds(p, button))
            return true;
    return false;
}

} // namespace platform

void repeatHeldPadKeys()
{
    uint64_t now = SDL_GetTicks64();
    for (SdlPad& p : Sdl.pads)
        if (int key = p.repeat.due(padHolds(p, padDirectionButton(p.repeat.key)), now))
            appendMessage(KeyDownMessage, static_cast<uint64_t>(key), padDirectionParam(key));
}
