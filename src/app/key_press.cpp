// SPDX-License-Identifier: MIT
// Presses become the keys of their actions before any handler sees them, so the handlers keep reading
// the game's own keys whatever the player bound.
#include "app/key_press.h"

#include "controls/controls.h"
#include "platform/pad_map.h"
#include "screen/game_state.h"
#include "watch/watch_session.h"

unsigned pressContext()
{
    if (MenuShown)
        return InMenu;
    if (TheWatch.watching)
        return InWatching;
    if (GameState == NameEntry)
        return InNaming;
    return GameState == Title ? InTitle : InPlay;
}

int boundKeyOf(int virtualKey, int64_t lParam)
{
    unsigned context = pressContext();
    if (int button = padButtonOfParam(lParam))
        return keyForPadPress(context, button, virtualKey);
    if (context == InNaming && virtualKey >= 'A' && virtualKey <= 'Z')
        return virtualKey;
    return keyForPress(context, virtualKey);
}
