// SPDX-License-Identifier: MIT
// The settings file of the additions beside the specified game (the ghost choice, the window's size and
// fullscreen state, the world-records server and player, the level set, the controls and sound levels,
// the touch stick's side and tilt steering), kept between runs in $XDG_CONFIG_HOME/roliquo/settings (by default
// ~/.config/roliquo/settings). The specified options are never kept: they start from their fixed
// defaults every run.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chase/chase.h"
#include "platform/platform.h"

struct Settings {
    // The file; empty: no settings are read or written (tests, unless they choose one).
    std::string path;
    // The window as the player last left it, 0 x 0 until they resize it or go fullscreen.
    platform::WindowPlacement window;
    // The ghost choice the file held, kept while a --ghost file is shown instead.
    GhostChoice ghostInFile = GhostChoice::Off;
    // The world-records server and the player's name there; empty: nothing is ever sent.
    std::string server;
    std::string player;
    // The level set last chosen on the title (its folder's name); empty: the first set.
    std::string levelSet;
};
extern Settings TheSettings;

// $XDG_CONFIG_HOME/roliquo/settings when it is absolute (the XDG rules ignore a relative one), else
// $HOME/.config/roliquo/settings; empty without either.
std::string chooseSettingsPath(const std::string& xdgConfigHome, const std::string& home);

// "key value" lines, the controls' lines among them (controls/controls.h); "#" comments and blank lines
// are passed over, and so is a line that means nothing, reported as "line N: why" in the answer.
std::vector<std::string> applySettingsText(std::string_view text);
std::string formatSettings();

// Reads the file leniently, its bad lines reported on standard error; a missing or unreadable file
// changes nothing. The sound levels then reach the mixer.
void readSettings();
// Keeps the window's placement when the player changed it during this run (from `atStart`), writing
// the file only then.
void keepWindowPlacement(const platform::WindowPlacement& atStart);

// Writes the file atomically, making its folder; false with the reason on standard error.
bool writeSettings();
