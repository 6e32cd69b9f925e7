// SPDX-License-Identifier: MIT
// Name entry with a gamepad alone: the pad's Up and Down turn the letter at the cursor through A..Z,
// its south button (Enter) types that letter. Keyboard typing is untouched.
#pragma once

#include <cstdint>

// True when the key press is the pad's part of name entry and is used up here; false for everything
// else (keyboard keys, other screens, an open menu), which then goes its usual way.
bool handlePadNameKey(int virtualKey, int64_t lParam);
