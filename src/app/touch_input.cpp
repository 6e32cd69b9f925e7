// SPDX-License-Identifier: MIT
// Taps and touch-bar buttons posted as actions, so they act through the key table as the keys do, and
// the touch view noted for the backend. The menu's lines are found where overlays.cpp draws them.
#include "app/touch_input.h"

#include "controls/controls.h"
#include "platform/touch.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "sim/sim_state.h"
#include "watch/watch_session.h"

namespace {

// The top of each menu page's first line on the virtual screen, as overlays.cpp draws them.
constexpr float MainPageTop = 160.0f;
constexpr float OptionsPageTop = 120.0f;

// The menu line under y on the page shown; 0 for none, or for a line that cannot be chosen now.
int menuLineAt(int y)
{
    bool mainPage = MenuItem >= MenuNewGame && MenuItem <= MenuQuit;
    int first = mainPage ? MenuNewGame : MenuStatistics;
    int last = mainPage ? MenuQuit : MenuDone;
    float height = TheFont.lineHeight();
    float top = mainPage ? MainPageTop : OptionsPageTop;
    if (!(height > 0.0f) || static_cast<float>(y) < top)
        return 0;
    int line = first + static_cast<int>((static_cast<float>(y) - top) / height);
    if (line > last || (line == MenuFarSight && OptionFog))
        return 0;
    return line;
}

} // namespace

void handleTap(int, int y)
{
    if (TheControls.page.shown)
        return;
    if (MenuShown) {
        if (int line = menuLineAt(y)) {
            MenuItem = line;
            postAction(Action::Choose);
        }
        return;
    }
    if (TheWatch.watching)
        return;
    if (GameState == Title)
        postAction(Action::Menu);
    else if (GameState == BestTimes)
        postAction(Action::Title);
}

void handleTouchButton(int button)
{
    constexpr Action Actions[TouchButtonCount] = {
        Action::Menu,  Action::Pause, Action::Records, Action::Ghost,
        Action::Music, Action::Fog,   Action::SetBack, Action::SetOn,
    };
    if (button >= 0 && button < TouchButtonCount)
        postAction(Actions[button]);
}

void noteTouchView()
{
    TouchScene scene = TouchScene::Playing;
    if (MenuShown)
        scene = TouchScene::Menu;
    else if (TheWatch.watching)
        scene = TouchScene::Watching;
    else if (GameState == Title)
        scene = TouchScene::Title;
    else if (GameState == NameEntry)
        scene = TouchScene::Naming;
    else if (GameState == BestTimes)
        scene = TouchScene::BestTimes;
    TheTouchView.scene = scene;
    Vec3 at = TheMarble.getPosition();
    TheTouchView.marbleX = at.x;
    TheTouchView.marbleY = at.y;
}
