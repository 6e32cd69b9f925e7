// SPDX-License-Identifier: MIT
// The single-level game: the chosen map file becomes the whole level list, its folder the place of its
// texture images, and the best-times table stays as the player's file has it.
#include "session/single_level.h"

#include <filesystem>
#include <system_error>

#include "level/map_loader.h"
#include "level/token_reader.h"
#include "session/run.h"

namespace fs = std::filesystem;

bool chooseSingleLevel(const std::string& mapPath, std::string& error)
{
    std::error_code failure;
    fs::path map = fs::absolute(mapPath, failure);
    std::string text;
    if (failure || !readTextFile(map.string(), text)) {
        error = mapPath + ": cannot be read";
        return false;
    }
    TheRun.chosenMap = map.lexically_normal();
    return true;
}

bool singleLevelChosen()
{
    return !TheRun.chosenMap.empty();
}

void startSingleLevel()
{
    // Records of a level played alone are no game totals: the table shows them but never keeps them.
    LevelFolder = TheRun.chosenMap.parent_path().string() + "/";
    beginRun(RunKind::SingleLevel, {TheRun.chosenMap.string()});
}
