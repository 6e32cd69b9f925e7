// SPDX-License-Identifier: MIT
// Where the game finds its files: the working directory when it holds maplist.dat (played exactly as
// before), otherwise the installed data pack beside the executable, with highScore.dat in the player's home.
#pragma once

#include <string>

// The folders chosen at start-up. Empty dataFolder: stay in the working directory.
struct DataPaths {
    std::string dataFolder;
    std::string highScoreFolder;
};

// The environment the choice depends on, gathered once so the choice itself is a plain function.
struct DataPathInputs {
    std::string workingFolder;
    std::string executablePath; // absolute; empty when unknown
    std::string xdgDataHome;    // $XDG_DATA_HOME, empty when unset
    std::string home;           // $HOME, or the account's home when unset
};

// The installed pack relative to the executable's folder, as configured at build time
// (games/ -> ../share/games/roliquo by default).
extern const char* const InstalledDataRelative;

// A working folder with maplist.dat is kept with highScore.dat beside it; otherwise the pack found
// relative to the executable, with highScore.dat under $XDG_DATA_HOME/roliquo (a relative
// $XDG_DATA_HOME is ignored, as the XDG rules say) or ~/.local/share/roliquo. With neither, the working
// folder stays, and the start-up says the map data is missing, as it always has.
DataPaths chooseDataPaths(const DataPathInputs& inputs);

// Reads the working folder, /proc/self/exe and the environment.
DataPathInputs currentDataPathInputs();

// Enters dataFolder and points the best-times file at highScoreFolder. False, with a message on standard
// error, when the folder cannot be entered.
bool applyDataPaths(const DataPaths& paths);
