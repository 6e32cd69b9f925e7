// Where the player's records live: the folder that holds the best-times file, with the kept replays in
// its "replays" folder.
#pragma once

#include <string>

// The folder of the best-times file's path ("." for a bare file name).
std::string recordsFolder();
