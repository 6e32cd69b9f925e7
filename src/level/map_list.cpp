// SPDX-License-Identifier: MIT
// The level list and its one writer; the map list maplist.dat: a level count and that many map file
// names, nothing after them.
#include "level/map_list.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "level/token_reader.h"
#include "sim/sim_state.h"

int32_t LevelCount = 0;
std::vector<std::string> MapNames;

void setLevelList(std::vector<std::string> names)
{
    LevelCount = static_cast<int32_t>(names.size());
    LevelTimes.assign(names.size(), UnfinishedLevelSeconds);
    MapNames = std::move(names);
}

const std::string* levelMapName(int32_t number)
{
    if (number < 1 || static_cast<size_t>(number) > MapNames.size())
        return nullptr;
    return &MapNames[static_cast<size_t>(number - 1)];
}

void clearLevelList()
{
    LevelCount = 0;
    MapNames.clear();
}

bool parseMapList(const std::string& text, std::vector<std::string>& out)
{
    TokenReader reader(text);
    int32_t count = 0;
    if (!reader.readInt(count) || count < 1)
        return false;
    // The names are gathered first: the file must really hold count of them, so a huge count in a
    // short file costs nothing before it fails.
    std::vector<std::string> names;
    while (names.size() < static_cast<size_t>(count)) {
        std::string name;
        if (!reader.readToken(name))
            return false;
        names.push_back(std::move(name));
    }
    // Exactly count names: the file ends with the last one, or with whitespace after it.
    if (!reader.endReached() && !reader.onlyWhitespaceLeft())
        return false;

    out = std::move(names);
    return true;
}

bool loadMapList()
{
    std::vector<std::string> names;
    if (!readMapList(names))
        return false;
    setLevelList(std::move(names));
    return true;
}

bool readMapList(std::vector<std::string>& names)
{
    std::string text;
    return readTextFile("maplist.dat", text) && parseMapList(text, names);
}
