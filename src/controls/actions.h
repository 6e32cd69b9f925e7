// SPDX-License-Identifier: MIT
// The player's actions: every command a key or pad button gives, with its name in the settings and the
// manual, its default keys and buttons (the game's fixed ones) and the contexts it acts in.
#pragma once

#include <cstddef>
#include <string_view>

enum class Action {
    Up,
    Down,
    Left,
    Right,
    Push,
    Menu,
    Choose,
    Pause,
    Skip,
    Statistics,
    Normal,
    FarSight,
    Fog,
    Music,
    Ghost,
    Records,
    Fullscreen,
    Title,
    SetBack,
    SetOn,
    WatchPause,
    SeekBack,
    SeekOn,
    Restart,
    LevelBack,
    LevelOn,
    Faster,
    Slower,
    TickBack,
    TickOn,
    ShowKeys,
    OpenControls,
};
inline constexpr size_t ActionCount = static_cast<size_t>(Action::OpenControls) + 1;

// Where an action acts; two actions that share a context cannot share a key.
enum ActionContext : unsigned {
    InPlay = 1,     // the round and the best times, the menu closed
    InMenu = 2,     // the menu open
    InWatching = 4, // watching a replay, the menu closed
    InNaming = 8,   // typing a name for a new best total (letters always type)
    InTitle = 16,   // the title, the menu closed
};

// An action's fixed row: its settings name, up to two default keys (virtual-key codes, 0 for none),
// up to two default pad buttons (pad_map.h's PadButton plus one, 0 for none), its contexts and what it
// does, for the controls page and the help.
struct ActionInfo {
    const char* name;
    int keys[2];
    int pads[2];
    unsigned contexts;
    const char* what;
};

const ActionInfo& actionInfo(Action action);
// The action of that settings name; false when there is none.
bool actionNamed(std::string_view name, Action& out);
