// SPDX-License-Identifier: MIT
// The action table: names, the default keys and pad buttons the game always had, and contexts.
#include "controls/actions.h"

#include "platform/pad_map.h"
#include "platform/platform.h"

namespace {

constexpr int pad(PadButton button)
{
    return static_cast<int>(button) + 1;
}

constexpr unsigned Everywhere = InPlay | InTitle | InMenu | InWatching | InNaming;
constexpr unsigned Steering = InPlay | InTitle | InMenu | InNaming;

// In the order of the Action enum.
const ActionInfo Table[ActionCount] = {
    {"up", {VkUp, 0}, {pad(PadButton::DpadUp), 0}, Steering, "steer up, the menu line above"},
    {"down", {VkDown, 0}, {pad(PadButton::DpadDown), 0}, Steering, "steer down, the menu line below"},
    {"left", {VkLeft, 0}, {pad(PadButton::DpadLeft), 0}, Steering, "steer left, the menu's choice back"},
    {"right", {VkRight, 0}, {pad(PadButton::DpadRight), 0}, Steering, "steer right, choose in the menu"},
    {"push",
     {VkShift, 0},
     {pad(PadButton::LeftShoulder), pad(PadButton::RightShoulder)},
     InPlay,
     "push harder (a trigger held too)"},
    {"menu", {VkEscape, 0}, {pad(PadButton::East), pad(PadButton::Start)}, Everywhere, "open or leave the menu"},
    {"choose", {VkEnter, 0}, {pad(PadButton::South), 0}, InMenu | InNaming, "choose the menu line"},
    {"pause", {VkF12, 0}, {pad(PadButton::Back), 0}, InPlay, "pause and resume the round"},
    {"skip", {VkF1, 0}, {0, 0}, InPlay | InWatching, "skip to the next level"},
    {"statistics", {VkF2, 0}, {0, 0}, Everywhere, "statistics on or off"},
    {"normal", {VkF3, 0}, {0, 0}, Everywhere, "normals view on or off"},
    {"farsight", {VkF4, 0}, {0, 0}, Everywhere, "far sight on or off"},
    {"fog", {VkF5, 0}, {0, 0}, Everywhere, "fog on or off"},
    {"music", {VkF6, 0}, {0, 0}, Everywhere, "music on or off"},
    {"ghost", {VkF7, 0}, {pad(PadButton::RightStick), 0}, Steering, "the next ghost"},
    {"records", {VkTab, 0}, {pad(PadButton::West), 0}, Steering, "the records page of the best times"},
    {"fullscreen", {VkF11, 0}, {0, 0}, Everywhere, "fullscreen on or off (Alt+Enter too)"},
    {"title", {VkSpace, 0}, {pad(PadButton::North), 0}, InPlay | InTitle, "back to the title"},
    {"set-back",
     {VkPageUp, VkComma},
     {pad(PadButton::LeftShoulder), pad(PadButton::LeftStick)},
     InTitle,
     "the title's level set before"},
    {"set-on", {VkPageDown, VkPeriod}, {pad(PadButton::RightShoulder), 0}, InTitle, "the title's next level set"},
    {"watch-pause",
     {VkSpace, VkF12},
     {pad(PadButton::North), pad(PadButton::Back)},
     InWatching,
     "pause and resume the replay"},
    {"seek-back", {VkLeft, 0}, {pad(PadButton::DpadLeft), 0}, InWatching, "seek 5 s back (with push: 1 s)"},
    {"seek-on", {VkRight, 0}, {pad(PadButton::DpadRight), 0}, InWatching, "seek 5 s on (with push: 1 s)"},
    {"restart", {VkHome, 0}, {pad(PadButton::West), 0}, InWatching, "watch the level from its start"},
    {"level-back", {VkPageUp, 0}, {pad(PadButton::LeftStick), 0}, InWatching, "watch the level before"},
    {"level-on", {VkPageDown, 0}, {pad(PadButton::RightStick), 0}, InWatching, "watch the next level"},
    {"faster", {VkUp, 0}, {pad(PadButton::DpadUp), 0}, InWatching, "watch faster"},
    {"slower", {VkDown, 0}, {pad(PadButton::DpadDown), 0}, InWatching, "watch slower"},
    {"tick-back", {VkComma, 0}, {pad(PadButton::LeftShoulder), 0}, InWatching, "paused: a recorded tick back"},
    {"tick-on", {VkPeriod, 0}, {pad(PadButton::RightShoulder), 0}, InWatching, "paused: a recorded tick on"},
    {"show-keys", {'K', 0}, {0, 0}, InWatching, "show the recorded steering keys"},
    {"controls", {VkF8, 0}, {pad(PadButton::Back), 0}, InTitle, "the title's controls page"},
};

bool sameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i] >= 'A' && a[i] <= 'Z' ? static_cast<char>(a[i] - 'A' + 'a') : a[i];
        if (x != b[i])
            return false;
    }
    return true;
}

} // namespace

const ActionInfo& actionInfo(Action action)
{
    size_t index = static_cast<size_t>(action);
    return Table[index < ActionCount ? index : 0];
}

bool actionNamed(std::string_view name, Action& out)
{
    for (size_t i = 0; i < ActionCount; ++i) {
        if (sameName(name, Table[i].name)) {
            out = static_cast<Action>(i);
            return true;
        }
    }
    return false;
}
