// SPDX-License-Identifier: MIT
// Reading the pack's sets: the top folder, then sets/NAME/ in name order, each with its own list and par.
#include "server/pack_catalog.h"

#include <filesystem>
#include <system_error>
#include <utility>

#include "level/level_set.h"
#include "level/token_reader.h"
#include "replay/file_hash.h"
#include "scores/level_records.h"
#include "scores/level_time_file.h"

namespace fs = std::filesystem;

namespace {

// A set's maps hashed, with the par its par/par.dat gives each.
bool hashSet(const fs::path& top, const LevelSet& set, PackSet& out, std::string& error)
{
    const fs::path folder = top / set.folder;
    out.name = set.name;
    out.folder = folder.lexically_normal().string();
    std::vector<LevelTime> par;
    std::string parText, parError;
    if (readTextFile((folder / ParTablePath).string(), parText))
        parseLevelTimes(parText, ParTableHeader, par, parError);
    for (const std::string& map : set.maps) {
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
    std::vector<std::string> refused;
    std::vector<LevelSet> sets = failure ? std::vector<LevelSet>() : findLevelSets(top, refused);
    if (sets.empty() || sets.front().maps.empty()) {
        error = (top / "maplist.dat").string() + ": no readable level list";
        return false;
    }
    for (const LevelSet& set : sets) {
        PackSet hashed;
        std::string setError;
        if (hashSet(top, set, hashed, setError))
            out.sets.push_back(std::move(hashed));
        else if (!out.sets.empty())
            refused.push_back(setError);
        else {
            error = setError;
            return false;
        }
    }
    for (const std::string& reason : refused)
        error += reason + "\n";
    return true;
}
