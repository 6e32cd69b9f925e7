// SPDX-License-Identifier: MIT
// Name typing after a new best total: letters go into the named row, anything else beeps, and the
// third letter completes the name and saves the table. Runs as part of every name-entry frame.
#include "app/name_entry.h"

#include <string>

#include "chase/replay_recorder.h"
#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "session/run.h"
#include "sound/sound.h"

namespace {
constexpr int NameLetters = 3;
}

// The row being named holds the letters typed so far and "_". The third letter ends the name, and the
// table is saved at once so a new record survives however the program is left afterwards.
void typeName()
{
    if (NewRecordRank < 0 || NewRecordRank >= HighScoreRows) {
        // No row to name: nothing can be typed, so the screen moves on rather than wait forever.
        GameState = BestTimes;
        NameCursor = 0;
        LastKey = 0;
        return;
    }
    std::string& name = HighScores[NewRecordRank].name;
    // A row handed over fresh holds only the cursor: typing starts again at its first letter, even
    // when an earlier name entry was left half-way through the menu.
    if (name == "_")
        NameCursor = 0;
    if (LastKey == 0)
        return;
    int key = static_cast<signed char>(LastKey);
    if (key >= 'A' && key <= 'Z') {
        if (NameCursor < 0)
            NameCursor = 0;
        name.resize(static_cast<size_t>(NameCursor), '_');
        name += static_cast<char>(key);
        name += '_';
        NameCursor += 1;
        playCue("menu.wav");
    } else {
        platform::beep();
    }
    if (NameCursor >= NameLetters) {
        GameState = BestTimes;
        NameCursor = 0;
        if (name.size() > NameLetters)
            name.resize(NameLetters);
        if (runKeepsHighScores())
            writeHighScores();
        keepNamedRunReplay();
    }
    LastKey = 0;
}

void presentFrame()
{
    if (!platform::hasGlContext())
        return; // after shutdown the frame is not shown, nor a name typed
    if (GameState == NameEntry)
        typeName();
    composeFrame();
}
