// SPDX-License-Identifier: MIT
// The player's controls: each action's keys and pad buttons, push harder held or toggled, the music and
// cue levels; how a pressed key becomes the action it stands for; and their settings lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/actions.h"

// A message that gives an action as if its key were pressed (wParam: the Action), posted by the menu's
// lines so that they act whatever keys the player bound.
inline constexpr uint32_t ActionMessage = 1027;

inline constexpr int MaxSoundLevel = 10;

// The controls page's state: whether it is shown, its chosen line, and a pending bind.
struct ControlsPage {
    bool shown = false;
    int line = 0;         // the chosen line, 0..PageLines-1
    bool waiting = false; // for the chosen action's new key or pad button
    // A press already used by another action that shares a context: the action it would leave, and
    // the press (a key, or a pad button) that moves it there when given again.
    int takenFrom = -1;
    int takenKey = 0;
    int takenPad = 0;
};

struct Controls {
    // Each action's keys (virtual-key codes) and pad buttons (PadButton plus one); 0 is an empty place.
    int keys[ActionCount][2] = {};
    int pads[ActionCount][2] = {};
    bool pushToggles = false; // "shift toggle": a press of push starts or ends pushing harder
    bool pushing = false;     // toggle mode: pushing harder now
    int musicLevel = MaxSoundLevel;
    int cueLevel = MaxSoundLevel;
    // The bind lines read so far per action, keys and pads: the first replaces the defaults, the
    // second adds.
    int keyBindsRead[ActionCount] = {};
    int padBindsRead[ActionCount] = {};
    ControlsPage page;
};
extern Controls TheControls;

// The defaults: every action on the keys and buttons the game always had, hold to push, both levels 10,
// no bind lines read. The page stays as it is (its own line resets the bindings while it is shown).
void resetControls();

// The action a key or pad press stands for in that context (ActionContext bits); false for none.
bool actionOfKey(unsigned context, int virtualKey, Action& out);
bool actionOfPad(unsigned context, int button, Action& out);

// The key the game's handlers read for a press: the key itself when it is one of its action's default
// keys, else that action's first default key; 0 when the key was an action's default and that action
// was bound elsewhere, so the old key no longer acts; else the key itself (letters type names). With
// the default bindings every key is itself. A pad press is looked up by its button, the key it
// stands for given beside.
int keyForPress(unsigned context, int virtualKey);
int keyForPadPress(unsigned context, int button, int virtualKey);
// The key that stands for an action (its first default key).
int keyOfAction(Action action);
// Queues an ActionMessage, ordered as any posted message.
void postAction(Action action);

// Whether any of the action's keys or pad buttons is held now.
bool actionHeld(Action action);
// Push harder as the steering sees it: held, or toggled on.
bool pushingHarder();
// A press of push in toggle mode.
void pushPressed();

// The levels reach the mixer (0..10 each).
void applySoundLevels();

// One settings line of the controls ("bind ACTION NAME", "volume music|cues N", "shift hold|toggle"; the
// name "none" or "pad:none" leaves the action without keys or buttons),
// already split into words. Returns false when the line is none of them; true with `error` empty when it
// was taken, or with `error` saying what was wrong with it.
bool applyControlsLine(const std::vector<std::string_view>& words, std::string& error);
// The lines that differ from the defaults, for the settings file.
std::string formatControlsLines();
