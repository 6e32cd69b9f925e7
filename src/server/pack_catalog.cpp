// SPDX-License-Identifier: MIT
// Reading the pack's sets: the top folder, then sets/NAME/ in name order, each with its own list and par.
#include "server/pack_catalog.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "level/map_list.h"
#include "level/token_reader.h"
#include "replay/file_hash.h"
#include "scores/level_records.h"
#include "scores/level_time_file.h"

namespace fs = std::filesystem;

namespace {

bool isSetName(const std::string& name)
{
    return !name.empty() && name.size() <= 32 && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
}

bool readSet(const fs::path& folder, const std::string& name, PackSet& out, std::string& error)
{
    out.name = name;
    out.folder = folder.string();
    std::string text;
    std::vector<std::string> maps;
    if (!readTextFile((folder / "maplist.dat").string(), text) || !parseMapList(text, maps)) {
        error = (folder / "maplist.dat").string() + ": no readable level list";
        return false;
    }
    std::vector<LevelTime> par;
    std::string parText, parError;
    if (readTextFile((folder / ParTablePath).string(), parText))
        parseLevelTimes(parText, ParTableHeader, par, parError);
    for (const std::string& map : maps) {
        PackLevel level;
        level.name = map;
        if (!hashFile((folder / map).string(), level.sha256)) {
            error = (folder / map).string() + ": the map cannot be read";
            return false;
        }
        if (const LevelTime* time = findLevelTime(par, map, level.sha256))
            level.par = time->seconds;
        out.levels.push_back(level);
    }
    return true;
}

} // namespace

const PackSet* PackCatalog::setOf(const std::string& sha256) const
{
    for (const PackSet& set : sets)
        for (const PackLevel& level : set.levels)
            if (level.sha256 == sha256)
                return &set;
    return nullptr;
}

bool readPackCatalog(const std::string& folder, PackCatalog& out, std::string& error)
{
    std::error_code failure;
    fs::path top = fs::absolute(folder, failure).lexically_normal();
    out.sets.clear();
    out.sets.emplace_back();
    if (failure || !readSet(top, MainSetName, out.sets.back(), error))
        return false;
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(top / "sets", failure)) {
        std::string name = entry.path().filename().string();
        if (entry.is_directory() && isSetName(name) && name != MainSetName && names.size() < MaxPackSets)
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        PackSet set;
        std::string setError;
        if (readSet(top / "sets" / name, name, set, setError))
            out.sets.push_back(set);
        else
            error += setError + "\n";
    }
    return true;
}
