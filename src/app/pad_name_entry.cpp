// SPDX-License-Identifier: MIT
// Name entry with a gamepad: the letter being chosen is shown in the row in place of the cursor, and
// typed by posting its key press, so it is stored exactly as a letter typed on the keyboard.
#include "app/pad_name_entry.h"

#include <string>

#include "platform/platform.h"
#include "scores/high_scores.h"
#include "screen/game_state.h"

namespace {

struct PadLetter {
    int letter = 0; // the letter shown at the cursor, 0 before the pad has chosen one
    int at = -1;    // the cursor position and row it was chosen for
    int rank = -1;
};
PadLetter Chosen;

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
    if (typed != Chosen.at || NewRecordRank != Chosen.rank || name == "_")
        Chosen.letter = 0;
    switch (virtualKey) {
    case VkUp:
        Chosen.letter = nextLetter(Chosen.letter, 1);
        break;
    case VkDown:
        Chosen.letter = nextLetter(Chosen.letter, -1);
        break;
    case VkEnter:
        if (Chosen.letter != 0) {
            platform::postKeyPress(Chosen.letter);
            Chosen.letter = 0;
            Chosen.at = -1;
            return true;
        }
        Chosen.letter = 'A'; // the first press shows the letter, so a stray one types nothing
        break;
    case VkLeft:
    case VkRight:
    case VkHome:
    case VkPageUp:
    case VkPageDown:
    case VkComma:
    case VkPeriod:
        return true; // no meaning here; kept from beeping
    default:
        return false;
    }
    name.resize(static_cast<size_t>(typed));
    name += static_cast<char>(Chosen.letter);
    Chosen.at = typed;
    Chosen.rank = NewRecordRank;
    return true;
}
