// SPDX-License-Identifier: MIT
// Key and pad-button names as the settings spell them: keys as SDL names them ("Left Shift", "F5",
// "W"), pad buttons as "pad:" and SDL's game-controller button name ("pad:rightshoulder").
#pragma once

#include <string>
#include <string_view>

// The virtual-key code of a key name, matched regardless of case; 0 for a name the game does not know.
int keyNamed(std::string_view name);
// The name of a virtual-key code; empty for a code with no name.
std::string keyName(int virtualKey);

// The pad button (PadButton plus one) of a "pad:" name; 0 for none.
int padNamed(std::string_view name);
// "pad:" and the button's name; empty for none.
std::string padName(int button);
