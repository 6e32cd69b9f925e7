// SPDX-License-Identifier: MIT
// `roliquo-level check FOLDER`: a whole pack (its top list and every set under sets/) or one set folder,
// each set given the game's own verdict and its list and maps checked as the game plays them.
#pragma once

#include <string>

// True when every set is sound; prints as checkMapFile does.
bool checkSetFolder(const std::string& path);
