// SPDX-License-Identifier: MIT
// The map list maplist.dat: a level count and that many map file names, nothing after them.
#include "level/map_list.h"

#include <cstdint>
#include <utility>
#include <vector>

#include "level/token_reader.h"
#include "sim/sim_state.h"

int32_t LevelCount = 0;
std::vector<std::string> MapNames;

bool parseMapList(const std::string& text)
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

    LevelCount = count;
    MapNames = std::move(names);
    LevelTimes.assign(static_cast<size_t>(count), UnfinishedLevelSeconds);
    return true;
}

bool readMapList()
{
    std::string text;
    if (!readTextFile("maplist.dat", text))
        return false;
    return parseMapList(text);
}
