// SPDX-License-Identifier: MIT
// The hilly board and playing frame that the golden images of play show. Declared in golden_scene.h.
#include "render/board_renderer.h"
#include "support/golden_scene.h"

#include "level/map_list.h"
#include "scores/high_scores.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "support/draw_fixture.h"

namespace drawtest {

void buildHillyBoard()
{
    TheBoard.setHoles({{0, -2600, 80, 120},
                       {150, -2300, 60, 90},
                       {-250, -2000, 120, -80},
                       {300, -1500, 50, 70},
                       {-100, -1000, 100, 150},
                       {250, -400, 150, -120},
                       {-300, 300, 70, 100}});
    TheBoardRenderer.buildGrid(TheBoard);
    setFogColor(TheBoard, 0x8899AA);
    TheMarble.setColor(250.0f, 230.0f, 60.0f);
}

void composePlayingWithFog()
{
    placeMarble(60.0f, -3000.0f);
    GameState = Playing;
    LevelNumber = 1;
    BannerLevel = 1; // the banner has faded: the marble shows
    RoundClock = 38.5f;
    LevelFinished = false;
    ShownFps = 60;
    ShownPps = 12000;
    clearFrame(0x88 / 255.0f, 0x99 / 255.0f, 0xAA / 255.0f);
    composeFrame();
}

void composePlayingWithFarSightAndTheOptionsMenu()
{
    placeMarble(-200.0f, 1000.0f);
    GameState = Playing;
    OptionFog = false;
    OptionFarSight = true;
    MenuShown = true;
    Paused = true;
    MenuItem = MenuFarSight;
    LevelNumber = 2;
    RoundClock = 12.0f;
    LevelFinished = false;
    clearFrame(0, 0, 0);
    composeFrame();
}

void composeBestTimesAfterANewRecord()
{
    writeBmp("back.bmp", 640, 480, patternPicture(3));
    GameState = BestTimes;
    LevelCount = 3;
    LevelTimes = {20.5f, 31.25f, 225.0f};
    HighScores[0] = {61.0f, "JOE"};
    HighScores[1] = {70.5f, "ANN"};
    HighScores[2] = {80.0f, "_"};
    NewRecordRank = 2;
    composeFrame();
}

void composeTitle()
{
    writeBmp("title.bmp", 640, 480, patternPicture(11));
    GameState = Title;
    MenuShown = false;
    composeFrame();
}

void composeTitleWithTheMainMenu()
{
    writeBmp("title.bmp", 640, 480, patternPicture(11));
    GameState = Title;
    MenuShown = true;
    MenuItem = MenuOptions;
    composeFrame();
}

void fillBestTimes()
{
    for (int i = 0; i < HighScoreRows; ++i)
        HighScores[i] = {225.0f, "aaa"};
}

} // namespace drawtest
