// SPDX-License-Identifier: MIT
// Checking level sets: the game's own reading of each set (set.dat, its list, every map and texture
// inside its folder), then the map list check run inside the set's folder, as the game loads it.
#include "set_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "level/level_set.h"
#include "level/token_reader.h"
#include "map_check.h"
#include "maplist_check.h"
#include "sim_session.h"

namespace fs = std::filesystem;

namespace {

// The set's list and maps, with its own folder as the data folder.
bool checkSetList(const fs::path& folder)
{
    const std::string list = (folder / "maplist.dat").string();
    std::string text;
    if (!readTextFile(pathFromStart(list), text)) {
        printFinding(list, 0, true, "cannot be opened");
        return false;
    }
    return checkMapList(list, text, folder.string());
}

bool checkNamedSet(const fs::path& top, const std::string& name)
{
    LevelSet set;
    std::string error;
    const fs::path folder = top / "sets" / name;
    if (!readLevelSet(pathFromStart(top.string()), name, set, error)) {
        printFinding(folder.string(), 0, true, "the game leaves this set out: " + error);
        checkSetList(folder);
        return false;
    }
    bool sound = checkSetList(folder);
    if (sound)
        std::printf("%s: sound set \"%s\", %zu levels\n", folder.string().c_str(), set.title.c_str(), set.maps.size());
    return sound;
}

} // namespace

bool checkSetFolder(const std::string& path)
{
    fs::path folder = fs::path(path).lexically_normal();
    if (!folder.has_filename())
        folder = folder.parent_path();
    std::error_code failure;
    // One set: sets/NAME/ with its set.dat.
    if (fs::is_regular_file(pathFromStart((folder / SetFileName).string()), failure) &&
        folder.parent_path().filename() == "sets")
        return checkNamedSet(folder.parent_path().parent_path(), folder.filename().string());

    // A whole pack: the top list (the set "main", its set.dat optional) and every folder under sets/.
    bool sound = checkSetList(folder);
    std::string text, error;
    LevelSet main;
    const fs::path mainFile = folder / SetFileName;
    if (readTextFile(pathFromStart(mainFile.string()), text) && !parseSetFile(text, main, error)) {
        printFinding(mainFile.string(), 0, true, error);
        sound = false;
    }
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(pathFromStart((folder / "sets").string()), failure))
        if (entry.is_directory(failure))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names)
        sound = checkNamedSet(folder, name) && sound;
    return sound;
}
