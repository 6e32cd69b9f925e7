// SPDX-License-Identifier: MIT
// `roliquo-level check`: a map file's text pass, its texture images and a real load by the game's
// loader, reported as "file:line: error: ..." lines.
#pragma once

#include <string>

// "path:line: error: text" (or "path: warning: text" for line 0) on stdout.
void printFinding(const std::string& path, int line, bool error, const std::string& text);

// Checks one map file and prints what it finds on stdout. dataDir as for enterMapFolder. True when the
// file is sound: no errors (warnings allowed) and the game's loader accepts it.
bool checkMapFile(const std::string& path, const std::string& dataDir);

// A map list (see looksLikeMapList) with every map it names, or else one map file.
bool checkFile(const std::string& path, const std::string& dataDir);
