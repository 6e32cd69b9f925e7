// SPDX-License-Identifier: MIT
// The hilly board and playing frame that the golden images of play show. Declared in golden_scene.h.
#include "support/golden_scene.h"
#include "render/board_renderer.h"

#include "app/run_state.h"
#include "screen/frame.h"
#include "sim/marble.h"
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

} // namespace drawtest
