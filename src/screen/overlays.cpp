// SPDX-License-Identifier: MIT
// The 2D layers over the screens: the dark panel, the two menu pages and the playing clock with the
// optional FPS/PPS lines. Stateless: every call draws from the current values.
#include "screen/overlays.h"

#include <cstddef>
#include <string>

#include "platform/draw.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "screen/virtual_screen.h"
#include "sim/sim_state.h"

namespace {

constexpr float StatisticsScale = 0.3939394f; // 13/33
constexpr double OneOverPlayingSeconds = 0.022222222222222223;

// Highlighted line white, others blue.
void lineColor(int item)
{
    if (MenuItem == item) {
        TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
    } else {
        TheFont.setColor(0.0f, 0.0f, 1.0f, 1.0f);
    }
}

void drawMainPage()
{
    TheFont.setPosition(220.0f, 160.0f);
    lineColor(MenuNewGame);
    TheFont.drawText("NeW Game\n");
    lineColor(MenuHighScore);
    TheFont.drawText("HIGHSCORE\n");
    lineColor(MenuOptions);
    TheFont.drawText("Options\n");
    lineColor(MenuQuit);
    TheFont.drawText("Quit");
}

void drawOptionsPage()
{
    TheFont.setPosition(185.0f, 120.0f);
    lineColor(MenuStatistics);
    TheFont.drawText(OptionStatistics ? "Statistics: ON\n" : "Statistics: OFF\n");
    lineColor(MenuFog);
    TheFont.drawText(OptionFog ? "Fog: ON\n" : "Fog: OFF\n");
    // Far Sight cannot be chosen while fog is on; grey says so.
    if (MenuItem != MenuFarSight && OptionFog) {
        TheFont.setColor(0.5f, 0.5f, 0.5f, 1.0f);
    } else {
        lineColor(MenuFarSight);
    }
    TheFont.drawText(OptionFarSight ? "Far Sight: ON\n" : "Far Sight: OFF\n");
    lineColor(MenuNormal);
    TheFont.drawText(OptionNormal ? "Normal: ON\n" : "Normal: OFF\n");
    lineColor(MenuCameraLag);
    TheFont.drawText("Camera Lag: ");
    TheFont.drawNumber(OptionCameraLag, 0);
    TheFont.drawText("\n");
    lineColor(MenuMidi);
    TheFont.drawText("MIDI: ");
    TheFont.drawText(OptionMidi ? "ON\n" : "OFF\n");
    lineColor(MenuDone);
    TheFont.drawText("Done");
}

// Seconds the clock shows: the time left at the finish once finished, else the round clock held
// within 0..45. A finish whose level has no booked time falls back to the clock.
float shownClockSeconds()
{
    if (LevelFinished && LevelNumber >= 1 && static_cast<size_t>(LevelNumber) <= LevelTimes.size()) {
        return PlayingSeconds - LevelTimes[static_cast<size_t>(LevelNumber - 1)];
    }
    if (RoundClock < 0.0f)
        return 0.0f;
    if (RoundClock > PlayingSeconds)
        return PlayingSeconds;
    return RoundClock;
}

} // namespace

// Fog is switched off too: the fog key acts on the GL state at once, and a fogged panel would tint
// the screen instead of dimming it.
void startTranslucent2d()
{
    draw::depthTest(false);
    draw::cullFrontFaces(false);
    draw::noTexture();
    draw::fog(false);
    draw::blend(true);
}

void drawRectangle(float left, float top, float right, float bottom)
{
    draw::begin(draw::Shape::Quads);
    draw::vertex2(clipX(left), clipY(bottom));
    draw::vertex2(clipX(right), clipY(bottom));
    draw::vertex2(clipX(right), clipY(top));
    draw::vertex2(clipX(left), clipY(top));
    draw::end();
}

void drawDarkPanel()
{
    startTranslucent2d();
    draw::begin(draw::Shape::Quads);
    draw::color(0.0f, 0.0f, 0.0f, 0.5f);
    draw::vertex2(-1.0f, -1.0f);
    draw::vertex2(1.0f, -1.0f);
    draw::vertex2(1.0f, 1.0f);
    draw::vertex2(-1.0f, 1.0f);
    draw::end();
}

void drawMenu()
{
    TheFont.setScale(1.0f);
    if (MenuItem >= MenuNewGame && MenuItem <= MenuQuit) {
        drawMainPage();
    } else if (MenuItem >= MenuStatistics && MenuItem <= MenuDone) {
        drawOptionsPage();
    }
}

void drawClockAndStatistics()
{
    if (OptionStatistics) {
        TheFont.setScale(StatisticsScale);
        TheFont.setPosition(0.0f, 0.0f);
        TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
        TheFont.drawText("FPS: ");
        // Counts are written from the integers, exact beyond a float's 24 bits.
        TheFont.drawText(std::to_string(ShownFps).c_str());
        TheFont.drawText("\nPPS: ");
        TheFont.drawText(std::to_string(ShownPps).c_str());
    }
    float t = shownClockSeconds();
    TheFont.setScale(1.0f);
    TheFont.setPosition(280.0f, 0.0f);
    TheFont.setColor(static_cast<float>(1.0 - t * OneOverPlayingSeconds), static_cast<float>(t * OneOverPlayingSeconds),
                     0.0f, 1.0f);
    TheFont.drawNumber(t, 2);
}
