// SPDX-License-Identifier: MIT
// Name entry with a gamepad: the letter being chosen is shown in the row in place of the cursor, and
// typed by posting its key press, so it is stored exactly as a letter typed on the keyboard.
#include "app/pad_name_entry.h"

#include <string>

#include "app/run_state.h"
#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/frame.h"

namespace {

int ChosenLetter = 0; // the letter shown at the cursor, 0 before the pad has chosen one
int ChosenAt = -1;    // the cursor position and row it was chosen for
int ChosenRank = -1;

int nextLetter(int letter, int step)
{
    if (letter == 0)
        return 'A';
    return 'A' + ((letter - 'A' + step + 26) % 26);
}

} // namespace

bool handlePadNameKey(int virtualKey, int64_t lParam)
{
    if ((lParam & GamepadKeyFlag) == 0 || GameState != NameEntry || MenuShown)
        return false;
    if (NewRecordRank < 0 || NewRecordRank >= HighScoreRows)
        return false;
    std::string& name = HighScores[NewRecordRank].name;
    // A row handed over fresh holds only the cursor, whatever an earlier entry left in NameCursor.
    int typed = name == "_" ? 0 : NameCursor;
    if (typed < 0 || typed > 2)
        return false;
    if (typed != ChosenAt || NewRecordRank != ChosenRank || name == "_")
        ChosenLetter = 0;
    switch (virtualKey) {
    case VkUp:
        ChosenLetter = nextLetter(ChosenLetter, 1);
        break;
    case VkDown:
        ChosenLetter = nextLetter(ChosenLetter, -1);
        break;
    case VkEnter:
        if (ChosenLetter != 0) {
            platform::postKeyPress(ChosenLetter);
            ChosenLetter = 0;
            ChosenAt = -1;
            return true;
        }
        ChosenLetter = 'A'; // the first press shows the letter, so a stray one types nothing
        break;
    case VkLeft:
    case VkRight:
        return true; // no meaning here; kept from beeping
    default:
        return false;
    }
    name.resize(static_cast<size_t>(typed));
    name += static_cast<char>(ChosenLetter);
    ChosenAt = typed;
    ChosenRank = NewRecordRank;
    return true;
}
