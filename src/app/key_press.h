// SPDX-License-Identifier: MIT
// A key or pad press as the game's handlers read it: the action the player bound it to, in the context
// the game is in, given as that action's key.
#pragma once

#include <cstdint>

// The context of a press now (controls/actions.h's ActionContext): the menu, watching, naming or play.
unsigned pressContext();

// The key the handlers take for a KeyDownMessage; 0 when it does nothing now. Letters keep typing names.
int boundKeyOf(int virtualKey, int64_t lParam);
