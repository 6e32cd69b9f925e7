// SPDX-License-Identifier: MIT
// The best-times screen: this game's level times and total on the left, the ten best totals with
// rank and name on the right, the row being named or matching the total in red.
#include "screen/best_times_screen.h"

#include <cstddef>

#include "level/map_list.h"
#include "scores/high_scores.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"

namespace {

constexpr float SmallScale = 0.3939394f; // 13/33
constexpr float LargeScale = 1.0f;
constexpr float Grey = 0.7843137f; // 200/255

void red()
{
    TheFont.setColor(1.0f, 0.0f, 0.0f, 1.0f);
}
void grey()
{
    TheFont.setColor(Grey, Grey, Grey, 1.0f);
}

// A level with no entry in LevelTimes counts as not finished.
float levelTime(int32_t j)
{
    if (j >= 0 && static_cast<size_t>(j) < LevelTimes.size())
        return LevelTimes[static_cast<size_t>(j)];
    return UnfinishedLevelSeconds;
}

} // namespace

void drawBestTimes()
{
    TheFont.setPosition(0.0f, -13.0f);
    red();
    TheFont.setScale(SmallScale);
    for (int32_t i = 1; i <= LevelCount; ++i) {
        TheFont.drawText("\nLevel ");
        TheFont.drawNumber(static_cast<float>(i), 0);
        TheFont.drawText(":");
    }

    TheFont.setPosition(80.0f, -13.0f);
    bool allFinished = true;
    float total = 0.0f;
    for (int32_t j = 0; j < LevelCount; ++j) {
        float time = levelTime(j);
        TheFont.drawText("\n");
        if (time > PlayingSeconds) {
            TheFont.drawText("NA");
            allFinished = false;
        } else {
            TheFont.drawNumber(time, 2);
        }
        total += time;
    }
    TheFont.setPosition(80.0f, 61.0f);
    TheFont.drawText("------");
    TheFont.setPosition(0.0f, 74.0f);
    TheFont.drawText("total");
    TheFont.setPosition(80.0f, 74.0f);
    if (allFinished) {
        TheFont.drawNumber(total, 2);
    } else {
        TheFont.drawText("NA");
    }

    TheFont.setPosition(205.0f, 10.0f);
    TheFont.setColor(0.0f, 1.0f, 1.0f, 1.0f);
    TheFont.setScale(LargeScale);
    TheFont.drawText("Best Times");

    TheFont.setPosition(255.0f, 80.0f);
    for (int i = 0; i < HighScoreRows; ++i) {
        if (HighScores[i].time == total || i == NewRecordRank)
            red();
        else
            grey();
        TheFont.drawNumber(HighScores[i].time, 2);
        TheFont.drawText("\n");
    }
    TheFont.setPosition(140.0f, 80.0f);
    for (int k = 1; k <= HighScoreRows; ++k) {
        if (k - 1 == NewRecordRank)
            red();
        else
            grey();
        TheFont.drawNumber(static_cast<float>(k), 0);
        TheFont.drawText("\n");
    }
    TheFont.setPosition(450.0f, 80.0f);
    for (int i = 0; i < HighScoreRows; ++i) {
        if (i == NewRecordRank)
            red();
        else
            grey();
        TheFont.drawText(HighScores[i].name.c_str());
        TheFont.drawText("\n");
    }

    TheFont.setScale(SmallScale);
    TheFont.setColor(0.0f, 0.0f, 1.0f, 1.0f);
    const char* footer = "press <space> to return";
    float w = TheFont.measureText(footer);
    TheFont.setPosition(320.0f - w * 0.5f, 460.0f);
    TheFont.drawText(footer);
}
