// SPDX-License-Identifier: MIT
// The controls page, opened from the title: a line per action with its keys and pad buttons, the two
// sound levels, hold or toggle for push harder, and "reset to defaults". Its own keys are fixed (the
// arrows and d-pad move, Enter or pad A chooses, Esc or pad B leaves), so no binding can lock it.
#pragma once

#include <string>

#include "controls/actions.h"
#include "controls/controls.h"

// The lines after the actions'.
enum : int {
    MusicLine = static_cast<int>(ActionCount),
    CuesLine,
    PushModeLine,
    ResetLine,
    PageLines,
};

void openControlsPage();
// Back to the program-start state: the page not shown.
void closeControlsPage();

// A press while the page is shown: the key (as the keyboard or pad sent it) and the pad button it came
// from (0 for the keyboard). True when the page was left with it (the settings are then kept).
bool controlsPageTakesPress(int virtualKey, int padButton);

// Another action that shares a context with `action` and holds the key (or pad button); -1 for none.
int keySharer(Action action, int virtualKey);
int padSharer(Action action, int button);

// The page's texts: an action's keys and buttons ("W, Up", "pad:a"), with any sharer named.
std::string bindingText(Action action, bool pads);
// The line under the list: what the page waits for, or which action a press would leave.
std::string pageStatusText();
