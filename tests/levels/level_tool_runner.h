// SPDX-License-Identifier: MIT
// Runs the level tool (roliquo-level) as a separate program, the way a level author does, and hands
// back its exit status and output; plus temporary folders and file helpers for the level tests.
#pragma once

#include <string>
#include <vector>

#include "support/temp_folder.h"

struct ToolRun {
    int status = -1;    // the program's exit status; -1 when it did not exit normally
    std::string output; // standard output
    std::string errors; // standard error
};

// roliquo-level with these arguments, run from the build folder; standard input from stdinFile when
// given, else empty.
ToolRun runLevelTool(const std::vector<std::string>& args, const std::string& stdinFile = "");

std::string readTextFile(const std::string& path);
void writeTextFile(const std::string& path, const std::string& text);
std::vector<std::string> splitLines(const std::string& text);
std::vector<std::string> splitWords(const std::string& line);

using testsupport::TempFolder;

// The map files maplist.dat names, in order, from the data pack the build made.
std::vector<std::string> shippedMapNames();

// A level set of the data pack: the top folder's, then each sets/NAME/.
struct ShippedSet {
    std::string folder;    // inside the pack: "" or "sets/NAME/"
    std::string solutions; // its par routes inside tests/levels: "solutions/" or "solutions/NAME/"
    std::vector<std::string> maps;
};
std::vector<ShippedSet> shippedSets();

// Where things are: the source tree's level tests, and the data pack.
std::string levelTestsPath(const std::string& relative);
std::string dataPackPath(const std::string& relative);
