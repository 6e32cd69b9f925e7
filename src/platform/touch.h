// SPDX-License-Identifier: MIT
// Touch and tilt, for a backend on a touch screen (the browser's): the messages it posts, the touch
// bar's buttons, what the game shows for its touch controls to follow, and the touch settings.
#pragma once

#include <cstdint>

enum : uint32_t {
    // A tap on the picture: wParam x, lParam y on the 640 x 480 virtual screen, held within it.
    TapMessage = 1028,
    // A button of the touch bar: wParam the TouchButton.
    TouchButtonMessage = 1029,
    // The player changed the touch settings (TheTouchSettings) on the touch controls: keep them.
    TouchSettingsMessage = 1030,
};

// The touch bar's buttons and the title's swipes; each stands for one of the game's actions.
enum class TouchButton : int {
    Menu,
    Pause,
    Records,
    Ghost,
    Music,
    Fog,
    SetBack,
    SetOn,
};
inline constexpr int TouchButtonCount = static_cast<int>(TouchButton::SetOn) + 1;

// What the game shows, so the touch controls can offer what fits it (the stick while playing, the
// letters while a name is typed).
enum class TouchScene : int {
    Title,
    Menu,
    Playing,
    Naming,
    BestTimes,
    Watching,
};

// Written by the game every tick, read by a backend with touch controls (the marble's place on the
// board in world units, so the controls and their tests can follow the steering).
struct TouchView {
    TouchScene scene = TouchScene::Title;
    float marbleX = 0.0f;
    float marbleY = 0.0f;
};
inline TouchView TheTouchView;

// The touch settings: the stick's side, tilt steering and its sensitivity. Read from the settings
// file by the game, changed by the player on the touch controls (then TouchSettingsMessage follows).
inline constexpr int MinTiltSensitivity = 1;
inline constexpr int MaxTiltSensitivity = 10;
struct TouchSettings {
    bool stickOnRight = false;
    bool tilt = false;
    int tiltSensitivity = 5;
    bool operator==(const TouchSettings&) const = default;
};
inline TouchSettings TheTouchSettings;
