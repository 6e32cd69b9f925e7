// SPDX-License-Identifier: MIT
// The game's command line: a table of options, the parser over it, and the help and version texts.
// No option changes how the game plays (a ghost only rolls beside it); where the game finds its files lives in data_paths.h.
#pragma once

#include <string>

// What the command line asked for. A new option adds one field here and one row to the table.
struct CommandLine {
    bool showHelp = false;
    bool showVersion = false;
    std::string levelMap;     // --level: play this one map file as a one-level game
    std::string replayFile;   // --replay: show this recorded run, then exit
    std::string ghostFile;    // --ghost: the replay whose run rolls beside the marble
    bool showRecords = false; // --records: print the level records and exit
    std::string server;       // --server: the world-records server, kept in the settings
    std::string player;       // --player: the name to send runs under, kept in the settings
    bool showWorld = false;   // --world: print each level's world top five and exit
    std::string levelSet;     // --set: start on this level set (its folder's name), kept in the settings
};

// One row of the table: a flag sets a bool field, an option with a value (valueName set) a string field.
struct CommandLineOption {
    const char* name;      // "--help"
    const char* valueName; // "FILE" for "--name FILE" or "--name=FILE"; nullptr for a flag
    const char* help;      // one line for --help
    bool CommandLine::*flag;
    std::string CommandLine::*value;
};

// Reads argv[1..argc-1]. False with a message naming the offending argument when one is no option of
// the table, a flag is given a value, or a value is missing.
bool parseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error);

// The --help text: usage, one line per option, and where the game looks for its files.
std::string commandLineHelp();

// The --version text: "roliquo " and the project's version, one line.
std::string versionText();
