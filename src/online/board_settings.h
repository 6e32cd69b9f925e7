// SPDX-License-Identifier: MIT
// Where the world-records client finds its server and player: the `server URL` and `player NAME` lines
// of the game's settings file, and the paths of the files beside it.
#pragma once

#include <string>
#include <string_view>

struct BoardSettings {
    std::string server; // "" when none is set: nothing is ever sent
    std::string player;
};

// The two keys from settings text; other lines are passed over, values that mean nothing are ignored.
BoardSettings parseBoardSettings(std::string_view text);
BoardSettings readBoardSettings(const std::string& path);

// $XDG_CONFIG_HOME/roliquo/NAME when that is absolute, else $HOME/.config/roliquo/NAME; "" without either.
std::string configFilePath(const std::string& name);
