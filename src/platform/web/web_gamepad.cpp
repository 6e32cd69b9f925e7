// SPDX-License-Identifier: MIT
// Gamepads through the browser's Gamepad API in its standard layout, sampled once a frame. Mapped as
// the desktop maps its pads: buttons and the left stick arrive as the keys they stand for (a held
// direction repeating), and count as those keys held for the steering.
#include <emscripten/html5.h>

#include <vector>

#include "platform/pad_map.h"
#include "platform/platform.h"
#include "platform/web/web_internal.h"

namespace {

// The standard layout's button numbers.
enum : int {
    ButtonA = 0,
    ButtonB = 1,
    ButtonX = 2,
    ButtonY = 3,
    LeftShoulder = 4,
    RightShoulder = 5,
    LeftTrigger = 6,
    RightTrigger = 7,
    ButtonBack = 8,
    ButtonStart = 9,
    LeftStickClick = 10,
    RightStickClick = 11,
    DpadUp = 12,
    DpadDown = 13,
    DpadLeft = 14,
    DpadRight = 15,
};

// The standard layout's buttons that stand for keys, by their place on the pad (the triggers only
// count as their shoulders held).
struct Placed {
    int button;
    PadButton place;
};
constexpr Placed Places[] = {
    {ButtonA, PadButton::South},
    {ButtonB, PadButton::East},
    {ButtonX, PadButton::West},
    {ButtonY, PadButton::North},
    {LeftShoulder, PadButton::LeftShoulder},
    {RightShoulder, PadButton::RightShoulder},
    {ButtonBack, PadButton::Back},
    {ButtonStart, PadButton::Start},
    {LeftStickClick, PadButton::LeftStick},
    {RightStickClick, PadButton::RightStick},
    {DpadUp, PadButton::DpadUp},
    {DpadDown, PadButton::DpadDown},
    {DpadLeft, PadButton::DpadLeft},
    {DpadRight, PadButton::DpadRight},
};

const Placed* placeOf(int button)
{
    for (const Placed& p : Places)
        if (p.button == button)
            return &p;
    return nullptr;
}

void pressFromPad(WebPad& pad, int virtualKey, int64_t param)
{
    appendMessage(KeyDownMessage, static_cast<uint64_t>(virtualKey), param);
    pad.repeat.pressed(virtualKey, browserMilliseconds());
}

// The button (PadButton plus one) held on the pad, or the stick or trigger that stands for it.
bool padHolds(const WebPad& p, int button)
{
    for (const Placed& place : Places)
        if (static_cast<int>(place.place) + 1 == button && p.buttons[place.button])
            return true;
    return padHeldOtherwise(button, p.stickX, p.stickY, p.triggers[0] >= PadPushZone, p.triggers[1] >= PadPushZone);
}

void updatePad(WebPad& pad, const EmscriptenGamepadEvent& state)
{
    for (int b = 0; b < WebPadButtons; ++b) {
        bool down = b < state.numButtons && state.digitalButton[b];
        if (down && !pad.buttons[b])
            if (const Placed* place = placeOf(b))
                if (int key = padButtonKey(place->place))
                    pressFromPad(pad, key, padPressParam(place->place));
        pad.buttons[b] = down;
    }
    pad.triggers[0] = LeftTrigger < state.numButtons ? state.analogButton[LeftTrigger] : 0.0;
    pad.triggers[1] = RightTrigger < state.numButtons ? state.analogButton[RightTrigger] : 0.0;
    if (state.numAxes >= 2) {
        int x = stickDirection(state.axis[0], pad.stickX);
        if (x != pad.stickX && x != 0)
            pressFromPad(pad, x < 0 ? VkLeft : VkRight, padDirectionParam(x < 0 ? VkLeft : VkRight));
        pad.stickX = x;
        int y = stickDirection(state.axis[1], pad.stickY);
        if (y != pad.stickY && y != 0)
            pressFromPad(pad, y < 0 ? VkUp : VkDown, padDirectionParam(y < 0 ? VkUp : VkDown));
        pad.stickY = y;
    }
    if (int key = pad.repeat.due(padHolds(pad, padDirectionButton(pad.repeat.key)), browserMilliseconds()))
        appendMessage(KeyDownMessage, static_cast<uint64_t>(key), padDirectionParam(key));
}

} // namespace

void sampleGamepads()
{
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS)
        return;
    int count = emscripten_get_num_gamepads();
    if (count < 0)
        return;
    if (static_cast<int>(Web.pads.size()) < count)
        Web.pads.resize(static_cast<size_t>(count));
    for (int i = 0; i < static_cast<int>(Web.pads.size()); ++i) {
        EmscriptenGamepadEvent state{};
        bool present =
            i < count && emscripten_get_gamepad_status(i, &state) == EMSCRIPTEN_RESULT_SUCCESS && state.connected;
        WebPad& pad = Web.pads[static_cast<size_t>(i)];
        if (!present) {
            // A pad pulled out mid-game leaves the marble without its player: pause as losing focus does.
            if (pad.connected)
                appendMessage(KillFocusMessage);
            pad = WebPad{};
            continue;
        }
        pad.connected = true;
        updatePad(pad, state);
    }
}

namespace platform {

bool isPadButtonDown(int button)
{
    if (button >= padDirectionButton(VkUp) && button <= padDirectionButton(VkRight))
        Web.steeringRead = true;
    for (const WebPad& p : Web.pads)
        if (p.connected && padHolds(p, button))
            return true;
    // The page's stick and the tilt hold the d-pad and the right shoulder as a pad would.
    return touchHolds(button);
}

} // namespace platform
