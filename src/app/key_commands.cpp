// SPDX-License-Identifier: MIT
// The key table: Enter, Esc, the arrows, F1 to F8, F12, Space, Tab and the title's set keys. Option keys act at once, including
// the GL fog switch; menu lines reuse these by posting the matching action (menu.cpp).
#include "app/key_commands.h"

#include "app/menu.h"
#include "app/set_choice.h"
#include "app/settings.h"
#include "chase/ghost.h"
#include "chase/record_keeper.h"
#include "controls/controls.h"
#include "controls/controls_page.h"
#include "platform/draw.h"
#include "platform/platform.h"
#include "screen/game_state.h"
#include "screen/records_page.h"
#include "sound/sound.h"
#include "watch/replay_viewer.h"

namespace {

constexpr const char* MenuCue = "menu.wav";

void onEscape()
{
    playCue(MenuCue);
    if (!MenuShown) {
        MenuShown = true;
        MenuItem = MenuNewGame;
        Paused = true;
    } else if (MenuItem >= MenuNewGame && MenuItem <= MenuQuit) {
        MenuShown = false;
        Paused = false;
    } else if (MenuItem >= MenuStatistics && MenuItem <= MenuDone) {
        // Every options line leads back to the main page, "MIDI" and "Done" included.
        MenuItem = MenuNewGame;
    }
}

// Fog on and far sight exclude each other; the GL fog state follows at once (the board renderer sets
// every fog parameter again on each playing frame).
void toggleFog()
{
    OptionFog = !OptionFog;
    if (!OptionFog) {
        if (platform::hasGlContext())
            draw::fog(false);
        return;
    }
    OptionFarSight = false;
    if (platform::hasGlContext())
        draw::fog(true);
}

// The best-times screen's two pages; the records are listed afresh each time the page is turned to.
void turnBestTimesPage()
{
    if (GameState != BestTimes || MenuShown)
        return;
    if (TheRecordsPage.shown)
        hideRecordsPage();
    else
        showRecordsPage(levelRecordRows());
}

void toggleMidi()
{
    OptionMidi = !OptionMidi;
    if (!OptionMidi)
        stopMusic();
    else if (!MidiPlaying && GameState == Playing)
        restartMusic();
}

} // namespace

void handleKeyDown(int virtualKey)
{
    if (watchingTakesKey(virtualKey))
        return;
    switch (virtualKey) {
    case VkEnter:
        if (MenuShown) {
            playCue(MenuCue);
            activateMenuItem();
        }
        break;
    case VkEscape:
        onEscape();
        break;
    case VkLeft:
        if (MenuShown) {
            playCue(MenuCue);
            if (MenuItem == MenuCameraLag)
                lowerCameraLag();
            else
                postAction(Action::Choose);
        }
        break;
    case VkUp:
        if (MenuShown) {
            playCue(MenuCue);
            moveMenuUp();
        }
        break;
    case VkRight:
        // Always posted: with the menu hidden the Enter does nothing.
        postAction(Action::Choose);
        break;
    case VkDown:
        if (MenuShown) {
            playCue(MenuCue);
            moveMenuDown();
        }
        break;
    case VkF1:
        if (GameState == Playing)
            platform::postMessage(StartLevelMessage);
        break;
    case VkF2:
        OptionStatistics = !OptionStatistics;
        break;
    case VkF3:
        OptionNormal = !OptionNormal;
        break;
    case VkF4:
        if (!OptionFog)
            OptionFarSight = !OptionFarSight;
        break;
    case VkF5:
        toggleFog();
        break;
    case VkF6:
        toggleMidi();
        break;
    case VkF7:
        cycleGhostChoice();
        writeSettings();
        break;
    case VkTab:
        turnBestTimesPage();
        break;
    // The title's set keys; the pad's shoulders send comma and period.
    case VkPageUp:
    case VkComma:
    case VkPageDown:
    case VkPeriod:
        if (GameState == Title && !MenuShown) {
            playCue(MenuCue);
            stepLevelSet(virtualKey == VkPageUp || virtualKey == VkComma ? -1 : 1);
        }
        break;
    case VkF8:
        if (GameState == Title && !MenuShown) {
            playCue(MenuCue);
            openControlsPage();
        }
        break;
    case VkF12:
        if (GameState == Playing && !MenuShown)
            Paused = !Paused;
        break;
    case VkSpace:
        if (GameState != Playing && GameState != NameEntry) {
            GameState = Title;
            hideRecordsPage();
        }
        break;
    default:
        // Letters and the rest: name entry reads LastKey when the next frame is composed.
        break;
    }
}
