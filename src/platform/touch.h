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
    // The player changed the touch settings on the touch controls: wParam the new ones, packed by
    // packTouchSettings; the game takes them into TheTouchSettings and keeps them.
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

// The touch settings: the stick's side, tilt steering and its sensitivity. Written by the game alone,
// from the settings file and from TouchSettingsMessage; read by the backend's touch controls.
inline constexpr int MinTiltSensitivity = 1;
inline constexpr int MaxTiltSensitivity = 10;
struct TouchSettings {
    bool stickOnRight = false;
    bool tilt = false;
    int tiltSensitivity = 5;
    bool operator==(const TouchSettings&) const = default;
};
inline TouchSettings TheTouchSettings;

// The settings in a message's wParam and back, the sensitivity held within its bounds.
inline uint64_t packTouchSettings(const TouchSettings& s)
{
    return (s.stickOnRight ? 1u : 0u) | (s.tilt ? 2u : 0u) | static_cast<uint64_t>(s.tiltSensitivity & 0xFF) << 8;
}

inline TouchSettings unpackTouchSettings(uint64_t packed)
{
    TouchSettings s;
    s.stickOnRight = (packed & 1u) != 0;
    s.tilt = (packed & 2u) != 0;
    int sensitivity = static_cast<int>((packed >> 8) & 0xFF);
    s.tiltSensitivity = sensitivity < MinTiltSensitivity ? MinTiltSensitivity
        : sensitivity > MaxTiltSensitivity               ? MaxTiltSensitivity
                                                         : sensitivity;
    return s;
}
