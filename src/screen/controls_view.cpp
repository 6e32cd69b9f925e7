// SPDX-License-Identifier: MIT
// The controls page in the records page's small scale: a window of lines around the chosen one (action,
// keys, pad buttons), the levels, the push mode and the reset, and the status line under them.
#include "screen/controls_view.h"

#include <algorithm>
#include <string>

#include "controls/controls.h"
#include "controls/controls_page.h"
#include "controls/key_names.h"
#include "screen/font.h"

namespace {

constexpr float SmallScale = 0.3939394f; // 13/33, as the records page
constexpr float Grey = 0.7843137f;
constexpr float FirstRowY = 60.0f;
constexpr float LastRowY = 415.0f;
constexpr float KeysX = 170.0f;
constexpr float PadsX = 430.0f;

std::string levelText(int level)
{
    return std::to_string(level) + " of " + std::to_string(MaxSoundLevel);
}

void drawLine(int line, float y)
{
    if (line < MusicLine) {
        Action action = static_cast<Action>(line);
        TheFont.drawTextAt(40.0f, y, actionInfo(action).name);
        TheFont.drawTextAt(KeysX, y, bindingText(action, false));
        TheFont.drawTextAt(PadsX, y, bindingText(action, true));
    } else if (line == MusicLine) {
        TheFont.drawTextAt(40.0f, y, "music volume");
        TheFont.drawTextAt(KeysX, y, levelText(TheControls.musicLevel));
    } else if (line == CuesLine) {
        TheFont.drawTextAt(40.0f, y, "cues volume");
        TheFont.drawTextAt(KeysX, y, levelText(TheControls.cueLevel));
    } else if (line == PushModeLine) {
        TheFont.drawTextAt(40.0f, y, "push harder");
        TheFont.drawTextAt(KeysX, y, TheControls.pushToggles ? "toggle: press to start, again to stop" : "hold");
    } else {
        TheFont.drawTextAt(40.0f, y, "reset to defaults");
    }
}

} // namespace

void drawControlsPage()
{
    const ControlsPage& page = TheControls.page;
    TheFont.setScale(1.0f);
    TheFont.setColor(0.0f, 1.0f, 1.0f, 1.0f);
    TheFont.drawTextAt(320.0f - TheFont.measureText("Controls") * 0.5f, 10.0f, "Controls");

    TheFont.setScale(SmallScale);
    const float step = TheFont.lineHeight() * SmallScale + 2.0f;
    const int rows = std::max(1, static_cast<int>((LastRowY - FirstRowY) / step) + 1);
    const int first = std::clamp(page.line - rows / 2, 0, std::max(0, PageLines - rows));
    float y = FirstRowY;
    for (int line = first; line < PageLines && line < first + rows; ++line, y += step) {
        if (line == page.line)
            TheFont.setColor(1.0f, 1.0f, 0.0f, 1.0f);
        else
            TheFont.setColor(Grey, Grey, Grey, 1.0f);
        drawLine(line, y);
    }
    TheFont.setColor(page.takenFrom >= 0 ? 1.0f : 0.0f, page.takenFrom >= 0 ? 0.3f : 0.6f, 1.0f, 1.0f);
    std::string status = pageStatusText();
    TheFont.drawTextAt(320.0f - TheFont.measureText(status.c_str()) * 0.5f, 450.0f, status);
    TheFont.setScale(1.0f);
}

std::string controlsHintText()
{
    const size_t index = static_cast<size_t>(Action::OpenControls);
    std::string hint = keyName(TheControls.keys[index][0]);
    std::string pad = padName(TheControls.pads[index][0]);
    if (!pad.empty())
        hint += hint.empty() ? pad : " or " + pad;
    return hint.empty() ? hint : hint + ": controls";
}

void composeControlsHint(uint8_t* rgb, int width, int height, const std::string& hint)
{
    TheFont.setScale(SmallScale);
    TheFont.setColor(1.0f, 1.0f, 1.0f, 0.8f);
    TheFont.composeText(rgb, width, height, 630.0f - TheFont.measureText(hint.c_str()), 462.0f, hint);
    TheFont.setScale(1.0f);
}
