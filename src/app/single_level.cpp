// SPDX-License-Identifier: MIT
// The single-level game: the chosen map file becomes the whole level list, its folder the place of its
// texture images, and the best-times table stays as the player's file has it.
#include "app/single_level.h"

#include <filesystem>
#include <system_error>

#include "app/run_state.h"
#include "level/map_loader.h"
#include "level/token_reader.h"
#include "platform/platform.h"
#include "scores/high_scores.h"

namespace fs = std::filesystem;

namespace {
fs::path ChosenMap;
}

bool chooseSingleLevel(const std::string& mapPath, std::string& error)
{
    std::error_code failure;
    fs::path map = fs::absolute(mapPath, failure);
    std::string text;
    if (failure || !readTextFile(map.string(), text)) {
        error = mapPath + ": cannot be read";
        return false;
    }
    ChosenMap = map.lexically_normal();
    return true;
}

bool singleLevelChosen()
{
    return !ChosenMap.empty();
}

void startSingleLevel()
{
    // Records of a level played alone are no game totals: the table shows them but never keeps them.
    HighScoresWritable = false;
    TextureFolder = ChosenMap.parent_path().string() + "/";
    LevelCount = 1;
    MapNames = {ChosenMap.string()};
    LevelTimes = {UnfinishedLevelSeconds};
    MenuShown = false;
    LevelNumber = 0;
    platform::postMessage(StartLevelMessage);
}
