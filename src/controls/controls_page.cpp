// SPDX-License-Identifier: MIT
// The controls page's state and keys: moving through its lines, binding the chosen action to the next
// press (a press another action holds is named first, and moves on a second press), the levels, the
// push mode and the reset. Drawing lives in screen/controls_view.cpp.
#include "controls/controls_page.h"

#include <algorithm>

#include "controls/controls.h"
#include "controls/key_names.h"
#include "platform/pad_map.h"
#include "platform/platform.h"

namespace {

constexpr int CancelPad = static_cast<int>(PadButton::Back) + 1;

template <typename Places> int sharer(Action action, int value, const Places& places)
{
    unsigned contexts = actionInfo(action).contexts;
    for (size_t i = 0; i < ActionCount; ++i) {
        if (static_cast<Action>(i) == action || (actionInfo(static_cast<Action>(i)).contexts & contexts) == 0)
            continue;
        if (value != 0 && (places[i][0] == value || places[i][1] == value))
            return static_cast<int>(i);
    }
    return -1;
}

void dropFrom(int (&places)[2], int value)
{
    if (places[0] == value) {
        places[0] = places[1];
        places[1] = 0;
    } else if (places[1] == value) {
        places[1] = 0;
    }
}

// Binds the press to the chosen action, or names the action it would leave first.
void bindPress(int virtualKey, int padButton)
{
    ControlsPage& page = TheControls.page;
    Action action = static_cast<Action>(page.line);
    size_t index = static_cast<size_t>(page.line);
    bool pad = padButton != 0;
    int other = pad ? padSharer(action, padButton) : keySharer(action, virtualKey);
    bool again = pad ? page.takenPad == padButton : page.takenKey == virtualKey;
    if (other >= 0 && !(again && page.takenFrom == other)) {
        page.takenFrom = other;
        page.takenKey = pad ? 0 : virtualKey;
        page.takenPad = pad ? padButton : 0;
        return;
    }
    if (other >= 0)
        dropFrom(pad ? TheControls.pads[static_cast<size_t>(other)] : TheControls.keys[static_cast<size_t>(other)],
                 pad ? padButton : virtualKey);
    int(&places)[2] = pad ? TheControls.pads[index] : TheControls.keys[index];
    places[0] = pad ? padButton : virtualKey;
    places[1] = 0;
    page.waiting = false;
    page.takenFrom = -1;
    page.takenKey = page.takenPad = 0;
}

void changeLevel(int step)
{
    int& level = TheControls.page.line == MusicLine ? TheControls.musicLevel : TheControls.cueLevel;
    level = std::clamp(level + step, 0, MaxSoundLevel);
    applySoundLevels();
}

void choose()
{
    ControlsPage& page = TheControls.page;
    if (page.line < MusicLine) {
        page.waiting = true;
    } else if (page.line == MusicLine || page.line == CuesLine) {
        changeLevel(1);
    } else if (page.line == PushModeLine) {
        TheControls.pushToggles = !TheControls.pushToggles;
        TheControls.pushing = false;
    } else if (page.line == ResetLine) {
        resetControls();
        applySoundLevels();
    }
}

std::string joined(const std::string& a, const std::string& b)
{
    return a.empty() || b.empty() ? a + b : a + ", " + b;
}

} // namespace

void openControlsPage()
{
    TheControls.page = ControlsPage();
    TheControls.page.shown = true;
}

void closeControlsPage()
{
    TheControls.page = ControlsPage();
}

int keySharer(Action action, int virtualKey)
{
    return sharer(action, virtualKey, TheControls.keys);
}

int padSharer(Action action, int button)
{
    return sharer(action, button, TheControls.pads);
}

bool controlsPageTakesPress(int virtualKey, int padButton)
{
    ControlsPage& page = TheControls.page;
    if (page.waiting) {
        // Esc and the pad's Back give up the binding; everything else is the new key or button.
        if ((padButton == 0 && virtualKey == VkEscape) || padButton == CancelPad) {
            page.waiting = false;
            page.takenFrom = -1;
            page.takenKey = page.takenPad = 0;
        } else if (padButton != 0 || !keyName(virtualKey).empty()) {
            bindPress(virtualKey, padButton);
        }
        return false;
    }
    switch (virtualKey) {
    case VkUp:
        page.line = (page.line + PageLines - 1) % PageLines;
        break;
    case VkDown:
        page.line = (page.line + 1) % PageLines;
        break;
    case VkLeft:
    case VkRight:
        if (page.line == MusicLine || page.line == CuesLine)
            changeLevel(virtualKey == VkLeft ? -1 : 1);
        else if (page.line == PushModeLine)
            choose();
        break;
    case VkEnter:
        choose();
        break;
    case VkEscape:
        page.shown = false;
        return true;
    default:
        if (padButton == CancelPad) {
            page.shown = false;
            return true;
        }
        break;
    }
    return false;
}

std::string bindingText(Action action, bool pads)
{
    size_t index = static_cast<size_t>(action);
    std::string text;
    for (int value : pads ? TheControls.pads[index] : TheControls.keys[index]) {
        if (value == 0)
            continue;
        std::string name = pads ? padName(value) : keyName(value);
        int other = pads ? padSharer(action, value) : keySharer(action, value);
        if (other >= 0)
            name += std::string(" (also ") + actionInfo(static_cast<Action>(other)).name + ")";
        text = joined(text, name);
    }
    return text.empty() ? "-" : text;
}

std::string pageStatusText()
{
    const ControlsPage& page = TheControls.page;
    if (!page.waiting)
        return "Enter: change   Left, Right: the levels   Esc: leave";
    if (page.takenFrom >= 0) {
        std::string press = page.takenPad != 0 ? padName(page.takenPad) : keyName(page.takenKey);
        return press + " would leave " + actionInfo(static_cast<Action>(page.takenFrom)).name +
            ": press it again to move it, Esc to keep it";
    }
    return std::string("press the new key or pad button for ") + actionInfo(static_cast<Action>(page.line)).name +
        " (Esc, pad Back: cancel)";
}
