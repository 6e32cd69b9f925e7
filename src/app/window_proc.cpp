// SPDX-License-Identifier: MIT
// The window procedure: dispatches every message of the game window. Key commands live in
// key_commands.cpp, the menu in menu.cpp, the tick and the level start in the run (session/).
#include "app/window_proc.h"

#include "app/key_commands.h"
#include "app/key_press.h"
#include "app/name_entry.h"
#include "app/pad_name_entry.h"
#include "app/rooms.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/touch_input.h"
#include "controls/controls.h"
#include "controls/controls_page.h"
#include "platform/pad_map.h"
#include "platform/platform.h"
#include "platform/touch.h"
#include "screen/game_state.h"
#include "session/level_start.h"
#include "session/round_tick.h"
#include "sound/sound.h"
#include "watch/replay_viewer.h"

bool WindowClosed = false;

namespace {

void onCreate()
{
    wireRooms();
    if (!startup()) {
        platform::messageBox("initialization failed", "Error", true);
        platform::postQuit(StartupFailedExitCode);
    }
    platform::startTimer(1, 1000);
}

// Destroy and close run the same steps. The best-times table is not written here: only the menu's
// "Quit" saves it.
void shutdown()
{
    if (platform::hasGlContext())
        platform::deleteGlContext();
    Halted = true;
    stopMusic();
    HasFocus = false;
    platform::postQuit(0);
    WindowClosed = true;
}

void onTimer()
{
    ShownFps = FrameCount;
    ShownPps = PolygonCount;
    FrameCount = 0;
    PolygonCount = 0;
}

} // namespace

int64_t windowProc(uint32_t id, uint64_t wParam, int64_t lParam)
{
    // Messages still queued behind the shutdown find no window: nothing may draw with the deleted
    // context, load a level or start the music again.
    if (WindowClosed)
        return 0;

    switch (id) {
    case CreateMessage:
        onCreate();
        return 0;
    case DestroyMessage:
    case CloseMessage:
        shutdown();
        return 0;
    case SetFocusMessage:
        if (!HasFocus) {
            Paused = false;
            HasFocus = true;
        }
        return 0;
    case KillFocusMessage:
        HasFocus = false;
        Paused = true;
        return 0;
    case PaintMessage:
        presentFrame();
        return 0;
    case KeyDownMessage: {
        int key = watchedPadKey(boundKeyOf(static_cast<int>(wParam), lParam), lParam);
        // Fullscreen acts on every screen, the controls page too unless it waits for a press to bind,
        // and is no letter for a name.
        if (key == keyOfAction(Action::Fullscreen) && !TheControls.page.waiting) {
            if ((lParam & KeyRepeatFlag) == 0)
                platform::toggleFullscreen();
            return 0;
        }
        if (TheControls.page.shown) {
            if (controlsPageTakesPress(static_cast<int>(wParam), padButtonOfParam(lParam)))
                writeSettings();
            return 0;
        }
        if (handlePadNameKey(key, lParam))
            return 0;
        LastKey = static_cast<uint8_t>(key & 0xFF);
        // A held key's repeats must not flip a toggled push back and forth.
        if (key == keyOfAction(Action::Push) && pressContext() == InPlay && (lParam & KeyRepeatFlag) == 0)
            pushPressed();
        handleKeyDown(key);
        return 0;
    }
    case ActionMessage:
        if (wParam < ActionCount) {
            int key = keyOfAction(static_cast<Action>(wParam));
            LastKey = static_cast<uint8_t>(key & 0xFF);
            handleKeyDown(key);
        }
        return 0;
    case TapMessage:
        handleTap(static_cast<int>(wParam), static_cast<int>(lParam));
        return 0;
    case TouchButtonMessage:
        handleTouchButton(static_cast<int>(wParam));
        return 0;
    case TouchSettingsMessage:
        TheTouchSettings = unpackTouchSettings(wParam);
        writeSettings();
        return 0;
    case TimerMessage:
        onTimer();
        return 0;
    case MusicNoticeMessage:
        if (MidiPlaying && musicNoticeIsCurrent(lParam))
            stopMusic();
        return 0;
    case TickMessage:
        tick();
        noteTouchView();
        return 0;
    case StartLevelMessage:
        startLevel();
        return 0;
    default:
        // The system's default handling: nothing for this game to do.
        return 0;
    }
}

void resetShellState()
{
    WindowClosed = false;
    resetSoundState();
}
