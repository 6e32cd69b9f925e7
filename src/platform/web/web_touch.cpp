// SPDX-License-Identifier: MIT
// Touch and tilt in the browser: the page's stick, taps, touch-bar buttons, letters and orientation
// readings arrive here through exported calls and become the pad's d-pad and shoulder held, or messages.
#include <emscripten.h>

#include <algorithm>
#include <cmath>

#include "platform/letterbox.h"
#include "platform/pad_map.h"
#include "platform/platform.h"
#include "platform/touch.h"
#include "platform/web/web_internal.h"

namespace {

// Stick travel (its length, 0..1) that counts as pushed to the rim, and the lower mark that lets go.
constexpr double RimPushZone = 0.92;
constexpr double RimReleaseZone = 0.8;
// Tilt beyond this many degrees is taken as full travel at sensitivity 1; each step of sensitivity
// divides it (sensitivity 5: full travel at 12 degrees).
constexpr double TiltFullDegrees = 60.0;
// Readings beyond this are no attitude a hand holds the device at.
constexpr double MostTiltDegrees = 180.0;

// One source of steering: a direction per axis with its hysteresis, and push harder.
struct Steer {
    int x = 0; // -1 left, 0 centre, 1 right
    int y = 0; // -1 up, 0 centre, 1 down
    bool rim = false;

    void take(double travelX, double travelY)
    {
        x = stickDirection(travelX, x);
        y = stickDirection(travelY, y);
        double length = std::sqrt(travelX * travelX + travelY * travelY);
        rim = length >= (rim ? RimReleaseZone : RimPushZone);
    }
};

struct Tilt {
    double right = 0.0; // the last reading, in degrees: the screen's right edge down
    double down = 0.0;  // the screen's lower edge down
    bool read = false;  // a reading has come
    double levelRight = 0.0;
    double levelDown = 0.0;
    bool calibrated = false;
    Steer steer;
};

Steer Stick;
Tilt TheTilt;
TouchView ReportedView{static_cast<TouchScene>(-1), 0.0f, 0.0f};
TouchSettings ReportedSettings{false, false, 0};
// The settings the player last chose on the page, sent to the game, which takes them a pass later.
TouchSettings AskedSettings{false, false, 0};
bool SettingsAsked = false;

double bounded(double value, double most)
{
    if (!std::isfinite(value))
        return 0.0;
    return value < -most ? -most : value > most ? most : value;
}

void steerByTilt()
{
    if (!TheTouchSettings.tilt || !TheTilt.calibrated) {
        TheTilt.steer = Steer{};
        return;
    }
    double scale = TheTouchSettings.tiltSensitivity / TiltFullDegrees;
    TheTilt.steer.take(bounded((TheTilt.right - TheTilt.levelRight) * scale, 1.0),
                       bounded((TheTilt.down - TheTilt.levelDown) * scale, 1.0));
}

// The page learns what the game shows and the settings, when either changed.
EM_JS(void, reportTouch, (int scene, int stickOnRight, int tilt, int sensitivity), {
    if (typeof Module.touchChanged === 'function')
        Module.touchChanged(scene, stickOnRight != 0, tilt != 0, sensitivity);
});

} // namespace

extern "C" {

// A tap at (fx, fy), fractions of the canvas's width and height from its top-left corner. A tap, a
// button and a letter are the page's user gestures, so each may start Web Audio as a key press does.
EMSCRIPTEN_KEEPALIVE void roliquo_touch_tap(double fx, double fy)
{
    unlockAudio();
    if (!std::isfinite(fx) || !std::isfinite(fy))
        return;
    platform::ScreenRect r = letterboxRect(Web.surfaceWidth, Web.surfaceHeight);
    if (r.width <= 0 || r.height <= 0)
        return;
    double fromLeft = bounded(fx, 1.0) * Web.surfaceWidth - r.x;
    double fromBottom = (1.0 - bounded(fy, 1.0)) * Web.surfaceHeight - r.y;
    int x = static_cast<int>(fromLeft * 640.0 / r.width);
    int y = 479 - static_cast<int>(fromBottom * 480.0 / r.height);
    x = x < 0 ? 0 : x > 639 ? 639 : x;
    y = y < 0 ? 0 : y > 479 ? 479 : y;
    appendMessage(TapMessage, static_cast<uint64_t>(x), y);
}

EMSCRIPTEN_KEEPALIVE void roliquo_touch_button(int button)
{
    unlockAudio();
    if (button >= 0 && button < TouchButtonCount)
        appendMessage(TouchButtonMessage, static_cast<uint64_t>(button));
}

// A letter from the on-screen row or the device's keyboard, typed as its key.
EMSCRIPTEN_KEEPALIVE void roliquo_touch_letter(int letter)
{
    unlockAudio();
    if (letter >= 'a' && letter <= 'z')
        letter -= 'a' - 'A';
    if (letter >= 'A' && letter <= 'Z')
        appendMessage(KeyDownMessage, static_cast<uint64_t>(letter));
}

// The stick's travel, each axis -1..1 (y downward); 0, 0 when it is let go.
EMSCRIPTEN_KEEPALIVE void roliquo_touch_stick(double x, double y)
{
    Stick.take(bounded(x, 1.0), bounded(y, 1.0));
}

// The device's attitude in degrees, already turned to the screen's orientation by the page.
EMSCRIPTEN_KEEPALIVE void roliquo_tilt(double right, double down)
{
    TheTilt.right = bounded(right, MostTiltDegrees);
    TheTilt.down = bounded(down, MostTiltDegrees);
    TheTilt.read = true;
    steerByTilt();
}

// The attitude now is taken as level; false until a reading has come.
EMSCRIPTEN_KEEPALIVE int roliquo_tilt_calibrate()
{
    if (!TheTilt.read)
        return 0;
    TheTilt.levelRight = TheTilt.right;
    TheTilt.levelDown = TheTilt.down;
    TheTilt.calibrated = true;
    steerByTilt();
    return 1;
}

EMSCRIPTEN_KEEPALIVE void roliquo_touch_settings(int stickOnRight, int tilt, int sensitivity)
{
    TouchSettings s;
    s.stickOnRight = stickOnRight != 0;
    s.tilt = tilt != 0;
    s.tiltSensitivity = std::clamp(sensitivity, MinTiltSensitivity, MaxTiltSensitivity);
    if (s == (SettingsAsked ? AskedSettings : TheTouchSettings))
        return;
    AskedSettings = s;
    SettingsAsked = true;
    appendMessage(TouchSettingsMessage, packTouchSettings(s));
}

// The marble's place on the board (axis 0: x across, 1: y along), as the game last told it.
EMSCRIPTEN_KEEPALIVE double roliquo_marble_position(int axis)
{
    return axis == 0 ? TheTouchView.marbleX : TheTouchView.marbleY;
}

} // extern "C"

bool touchHolds(int button)
{
    const Steer& tilt = TheTilt.steer;
    int x = Stick.x != 0 ? Stick.x : tilt.x;
    int y = Stick.y != 0 ? Stick.y : tilt.y;
    switch (button - 1) {
    case static_cast<int>(PadButton::DpadLeft):
        return x < 0;
    case static_cast<int>(PadButton::DpadRight):
        return x > 0;
    case static_cast<int>(PadButton::DpadUp):
        return y < 0;
    case static_cast<int>(PadButton::DpadDown):
        return y > 0;
    case static_cast<int>(PadButton::RightShoulder):
        return Stick.rim || tilt.rim;
    default:
        return false;
    }
}

void releaseTouch()
{
    Stick = Steer{};
    TheTilt.steer = Steer{};
}

void reportTouchView()
{
    if (TheTouchView.scene == ReportedView.scene && TheTouchSettings == ReportedSettings)
        return;
    // The game took new settings: the tilt steers by them from now on.
    if (!(TheTouchSettings == ReportedSettings))
        steerByTilt();
    ReportedView = TheTouchView;
    ReportedSettings = TheTouchSettings;
    reportTouch(static_cast<int>(TheTouchView.scene), TheTouchSettings.stickOnRight ? 1 : 0,
                TheTouchSettings.tilt ? 1 : 0, TheTouchSettings.tiltSensitivity);
}
