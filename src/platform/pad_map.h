// SPDX-License-Identifier: MIT
// How a game pad stands for keys on every backend: its buttons by their place on the pad, the stick's
// push and release marks, and the repeat of a held direction. Each backend names its own buttons.
#pragma once

#include <cstdint>

#include "platform/platform.h"

// The buttons by where they sit (the south button is A on Xbox, Cross on PlayStation).
enum class PadButton {
    South,
    East,
    West,
    North,
    Back,
    Start,
    LeftStick,
    RightStick,
    LeftShoulder,
    RightShoulder,
    DpadUp,
    DpadDown,
    DpadLeft,
    DpadRight,
};

// The key a press of the button stands for; 0 for none.
inline int padButtonKey(PadButton button)
{
    switch (button) {
    case PadButton::South:
        return VkEnter;
    case PadButton::East:
    case PadButton::Start:
        return VkEscape;
    case PadButton::North:
        return VkSpace;
    case PadButton::Back:
        return VkF12;
    // West: the records page (Tab); right stick click: the next ghost (F7). While a replay is watched
    // the app reads these two as restarting the level and the next level. The left stick click goes to
    // the level before, the shoulders step a tick back and on (and count as Shift held besides).
    case PadButton::West:
        return VkTab;
    case PadButton::RightStick:
        return VkF7;
    case PadButton::LeftStick:
        return VkPageUp;
    case PadButton::LeftShoulder:
        return VkComma;
    case PadButton::RightShoulder:
        return VkPeriod;
    case PadButton::DpadUp:
        return VkUp;
    case PadButton::DpadDown:
        return VkDown;
    case PadButton::DpadLeft:
        return VkLeft;
    case PadButton::DpadRight:
        return VkRight;
    }
    return 0;
}

// A pad press's lParam: GamepadKeyFlag, and in its low byte the button it came from (PadButton plus
// one), so bindings can tell the buttons apart; a stick's push and a held direction's repeat count as
// the d-pad's button of that direction.
inline int64_t padPressParam(PadButton button)
{
    return GamepadKeyFlag | (static_cast<int64_t>(button) + 1);
}

// The d-pad's button (PadButton plus one) of an arrow key's direction; 0 for any other key.
inline int padDirectionButton(int virtualKey)
{
    switch (virtualKey) {
    case VkLeft:
        return static_cast<int>(PadButton::DpadLeft) + 1;
    case VkRight:
        return static_cast<int>(PadButton::DpadRight) + 1;
    case VkUp:
        return static_cast<int>(PadButton::DpadUp) + 1;
    case VkDown:
        return static_cast<int>(PadButton::DpadDown) + 1;
    default:
        return 0;
    }
}

inline int64_t padDirectionParam(int virtualKey)
{
    return GamepadKeyFlag | padDirectionButton(virtualKey);
}

// The button (PadButton plus one) of a press's lParam; 0 for a key press or an unknown button.
inline int padButtonOfParam(int64_t lParam)
{
    int button = static_cast<int>(lParam & 0xFF);
    bool known = button >= 1 && button <= static_cast<int>(PadButton::DpadRight) + 1;
    return (lParam & GamepadKeyFlag) != 0 && known ? button : 0;
}

// Stick and trigger travel, as a share of full travel, that counts as a push, and the lower mark below
// which a held direction is let go again, so a stick resting near the edge does not flicker.
constexpr double PadPushZone = 12000.0 / 32767.0;
constexpr double PadReleaseZone = 8000.0 / 32767.0;

// The stick's direction on one axis (-1, 0, 1) from its travel -1..1 and the direction it held.
inline int stickDirection(double travel, int held)
{
    if (held < 0 && travel <= -PadReleaseZone)
        return -1;
    if (held > 0 && travel >= PadReleaseZone)
        return 1;
    if (travel <= -PadPushZone)
        return -1;
    if (travel >= PadPushZone)
        return 1;
    return 0;
}

// What holds a button (PadButton plus one) besides the button itself: the stick pushed that way holds
// the d-pad's button of that direction, a trigger pulled holds the shoulder on its side. The stick's
// directions are -1, 0 or 1 on each axis, up and left negative.
inline bool padHeldOtherwise(int button, int stickX, int stickY, bool leftTrigger, bool rightTrigger)
{
    switch (static_cast<PadButton>(button - 1)) {
    case PadButton::DpadLeft:
        return stickX < 0;
    case PadButton::DpadRight:
        return stickX > 0;
    case PadButton::DpadUp:
        return stickY < 0;
    case PadButton::DpadDown:
        return stickY > 0;
    case PadButton::LeftShoulder:
        return leftTrigger;
    case PadButton::RightShoulder:
        return rightTrigger;
    default:
        return false;
    }
}

// A direction held on a pad repeats as a held key does on a keyboard, so the menus and a name's
// letters can be run through: first after DelayMs, then every IntervalMs.
struct PadRepeat {
    static constexpr uint64_t DelayMs = 400;
    static constexpr uint64_t IntervalMs = 80;
    int key = 0;     // the direction last pressed, repeated while it is held (0: none)
    uint64_t at = 0; // when it repeats next, in the backend's milliseconds

    // A key pressed from the pad; a direction starts repeating.
    void pressed(int virtualKey, uint64_t now)
    {
        if (virtualKey == VkLeft || virtualKey == VkRight || virtualKey == VkUp || virtualKey == VkDown) {
            key = virtualKey;
            at = now + DelayMs;
        }
    }

    // The key to press again now, or 0; a direction no longer held stops repeating. The next repeat
    // counts from now, not from when it was due: a stalled loop gets one repeat, not a burst.
    int due(bool stillHeld, uint64_t now)
    {
        if (key == 0)
            return 0;
        if (!stillHeld) {
            key = 0;
            return 0;
        }
        if (now < at)
            return 0;
        at = now + IntervalMs;
        return key;
    }
};
