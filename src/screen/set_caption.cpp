// SPDX-License-Identifier: MIT
// Drawing the chosen level set's caption on the title, centred on a dim band above the picture's own
// "Press Esc" line, so the picture stays as it is with the first set.
#include "screen/set_caption.h"

#include "level/level_set.h"
#include "platform/draw.h"
#include "platform/platform.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "screen/overlays.h"
#include "screen/virtual_screen.h"

namespace {

constexpr double ShownSeconds = 2.0;
constexpr float BandTop = 372.0f;
constexpr float BandBottom = 426.0f;
constexpr float TitleScale = 0.6060606f;       // 20/33
constexpr float DescriptionScale = 0.3939394f; // 13/33, the statistics' size

void centred(const std::string& text, float scale, float y)
{
    TheFont.setScale(scale);
    TheFont.setPosition((VirtualWidth - TheFont.measureText(text.c_str())) * 0.5f, y);
    TheFont.drawText(text.c_str());
}

} // namespace

void noteSetChosen()
{
    // 0 stands for "never": a counter that reads 0 at the change still shows the caption.
    uint64_t now = platform::counterValue();
    TheFlow.setChosenAt = now != 0 ? now : 1;
}

bool setCaptionShown(uint64_t now)
{
    if (chosenLevelSet().name != MainSetName)
        return true;
    if (TheFlow.setChosenAt == 0 || now < TheFlow.setChosenAt)
        return false;
    double frequency = static_cast<double>(platform::counterFrequency());
    return frequency > 0.0 && static_cast<double>(now - TheFlow.setChosenAt) < ShownSeconds * frequency;
}

void drawSetCaption()
{
    const LevelSet& set = chosenLevelSet();
    startTranslucent2d();
    draw::color(0.0f, 0.0f, 0.0f, 0.55f);
    drawRectangle(0.0f, BandTop, VirtualWidth, BandBottom);
    TheFont.setColor(1.0f, 0.93f, 0.55f, 1.0f);
    centred(set.title, TitleScale, BandTop + 5.0f);
    TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
    centred(set.description, DescriptionScale, BandTop + 31.0f);
    TheFont.setScale(1.0f);
}
