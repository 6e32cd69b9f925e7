// SPDX-License-Identifier: MIT
// The key commands: what a key press does in each state, the option switches and their interlocks.
// Moving through the menu and the menu lines' actions live in menu.h.
#pragma once

// Handles one key press (its virtual-key code). LastKey has already been set by the caller.
void handleKeyDown(int virtualKey);
