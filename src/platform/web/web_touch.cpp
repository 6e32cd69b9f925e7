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

double bounded(double value, double most)
{
    if (!std::isfinite(value))
        return 0.0;
    return value < -most ? -most : value > most ? most : value;
}

void steerByTilt()
{
    TouchTilt& tilt = Web.touch.tilt;
    if (!TheTouchSettings.tilt || !tilt.calibrated) {
        tilt.steer = TouchSteer{};
        return;
    }
    double scale = TheTouchSettings.tiltSensitivity / TiltFullDegrees;
    tilt.steer.take(bounded((tilt.right - tilt.levelRight) * scale, 1.0),
                    bounded((tilt.down - tilt.levelDown) * scale, 1.0));
}

// The page learns what the game shows and the settings, when either changed.
EM_JS(void, reportTouch, (int scene, int stickOnRight, int tilt, int sensitivity), {
    if (typeof Module.touchChanged === 'function')
        Module.touchChanged(scene, stickOnRight != 0, tilt != 0, sensitivity);
});

} // namespace

void TouchSteer::take(double travelX, double travelY)
{
    x = stickDirection(travelX, x);
    y = stickDirection(travelY, y);
    double length = std::sqrt(travelX * travelX + travelY * travelY);
    rim = length >= (rim ? RimReleaseZone : RimPushZone);
}

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
    Web.touch.stick.take(bounded(x, 1.0), bounded(y, 1.0));
}

// The device's attitude in degrees, already turned to the screen's orientation by the page.
EMSCRIPTEN_KEEPALIVE void roliquo_tilt(double right, double down)
{
    Web.touch.tilt.right = bounded(right, MostTiltDegrees);
    Web.touch.tilt.down = bounded(down, MostTiltDegrees);
    Web.touch.tilt.read = true;
    steerByTilt();
}

// The attitude now is taken as level; false until a reading has come.
EMSCRIPTEN_KEEPALIVE int roliquo_tilt_calibrate()
{
    if (!Web.touch.tilt.read)
        return 0;
    Web.touch.tilt.levelRight = Web.touch.tilt.right;
    Web.touch.tilt.levelDown = Web.touch.tilt.down;
    Web.touch.tilt.calibrated = true;
    steerByTilt();
    return 1;
}

EMSCRIPTEN_KEEPALIVE void roliquo_touch_settings(int stickOnRight, int tilt, int sensitivity)
{
    TouchSettings s;
    s.stickOnRight = stickOnRight != 0;
    s.tilt = tilt != 0;
    s.tiltSensitivity = std::clamp(sensitivity, MinTiltSensitivity, MaxTiltSensitivity);
    if (s == (Web.touch.settingsAsked ? Web.touch.askedSettings : TheTouchSettings))
        return;
    Web.touch.askedSettings = s;
    Web.touch.settingsAsked = true;
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
    const TouchSteer& tilt = Web.touch.tilt.steer;
    int x = Web.touch.stick.x != 0 ? Web.touch.stick.x : tilt.x;
    int y = Web.touch.stick.y != 0 ? Web.touch.stick.y : tilt.y;
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
        return Web.touch.stick.rim || tilt.rim;
    default:
        return false;
    }
}

void releaseTouch()
{
    Web.touch.stick = TouchSteer{};
    Web.touch.tilt.steer = TouchSteer{};
}

void reportTouchView()
{
    if (TheTouchView.scene == Web.touch.reportedView.scene && TheTouchSettings == Web.touch.reportedSettings)
        return;
    // The game took new settings: the tilt steers by them from now on.
    if (!(TheTouchSettings == Web.touch.reportedSettings))
        steerByTilt();
    Web.touch.reportedView = TheTouchView;
    Web.touch.reportedSettings = TheTouchSettings;
    reportTouch(static_cast<int>(TheTouchView.scene), TheTouchSettings.stickOnRight ? 1 : 0,
                TheTouchSettings.tilt ? 1 : 0, TheTouchSettings.tiltSensitivity);
}
