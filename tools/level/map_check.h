// `roliquo-level check`: a map file's text pass, its texture images and a real load by the game's
// loader, reported as "file:line: error: ..." lines.
#pragma once

#include <string>

// Checks one map file and prints what it finds on stdout. dataDir as for loadMapAsGame. True when the
// file is sound: no errors (warnings allowed) and the game's loader accepts it.
bool checkMapFile(const std::string& path, const std::string& dataDir);
