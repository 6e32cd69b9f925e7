// SPDX-License-Identifier: MIT
// Drawing the watched replay's layer: the progress bar along the bottom edge with its time and speed
// above it, and the key display in the lower right corner. Stateless beyond TheWatchOverlay.
#include "screen/watch_overlay.h"

#include <string>

#include "platform/draw.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "screen/overlays.h"
#include "screen/virtual_screen.h"

WatchOverlay TheWatchOverlay;

void showWatchOverlay(const WatchOverlay& overlay)
{
    TheWatchOverlay = overlay;
}

namespace {

constexpr float TextScale = 0.3939394f; // the statistics' size
constexpr float BarLeft = 20.0f;
constexpr float BarRight = 620.0f;
constexpr float BarTop = 466.0f;
constexpr float BarBottom = 470.0f;

void drawBar()
{
    float share =
        TheWatchOverlay.levelLength > 0.0f ? TheWatchOverlay.levelSeconds / TheWatchOverlay.levelLength : 0.0f;
    share = share < 0.0f ? 0.0f : (share > 1.0f ? 1.0f : share);
    startTranslucent2d();
    draw::color(0.0f, 0.0f, 0.0f, 0.5f);
    drawRectangle(BarLeft, BarTop, BarRight, BarBottom);
    draw::color(1.0f, 1.0f, 1.0f, 0.9f);
    drawRectangle(BarLeft, BarTop, BarLeft + share * (BarRight - BarLeft), BarBottom);

    std::string text = formatNumber(TheWatchOverlay.levelSeconds, 2) + " / " +
        formatNumber(TheWatchOverlay.levelLength, 2) + " s   " + formatNumber(TheWatchOverlay.speed, 2) + "x";
    TheFont.setScale(TextScale);
    TheFont.setPosition(BarLeft, BarTop - 16.0f);
    TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
    TheFont.drawText(text.c_str());
}

void keyColor(bool held)
{
    if (held)
        draw::color(1.0f, 0.85f, 0.2f, 1.0f);
    else
        draw::color(0.2f, 0.2f, 0.2f, 0.6f);
}

// One arrow as a triangle with its tip `dx, dy` from the centre (cx, cy).
void arrow(float cx, float cy, float dx, float dy, bool held)
{
    keyColor(held);
    draw::begin(draw::Shape::Triangles);
    draw::vertex2(clipX(cx + dx), clipY(cy + dy));
    draw::vertex2(clipX(cx - dx - dy), clipY(cy - dy + dx));
    draw::vertex2(clipX(cx - dx + dy), clipY(cy - dy - dx));
    draw::end();
}

// Arrows laid out as on a keyboard, the Shift mark as a bar to their left.
void drawKeys()
{
    constexpr float Size = 8.0f;
    constexpr float Step = 20.0f;
    const float cx = 590.0f;
    const float cy = 430.0f;
    SteerKeys keys = TheWatchOverlay.keys;
    startTranslucent2d();
    arrow(cx, cy - Step, 0.0f, -Size, (keys & SteerUp) != 0);
    arrow(cx, cy, 0.0f, Size, (keys & SteerDown) != 0);
    arrow(cx - Step, cy, -Size, 0.0f, (keys & SteerLeft) != 0);
    arrow(cx + Step, cy, Size, 0.0f, (keys & SteerRight) != 0);
    keyColor((keys & SteerShift) != 0);
    drawRectangle(cx - 3.0f * Step, cy - Size, cx - 1.8f * Step, cy + Size);
}

} // namespace

void drawWatchOverlay()
{
    if (!TheWatchOverlay.watching)
        return;
    if (TheWatchOverlay.showBar || Paused)
        drawBar();
    if (TheWatchOverlay.showKeys)
        drawKeys();
}
