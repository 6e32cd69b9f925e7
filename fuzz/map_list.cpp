// SPDX-License-Identifier: MIT
// Fuzz target for the map list reader: a good list has at least one name, one time per name, all 225.
#include <cstdint>
#include <string>

#include "level/map_list.h"
#include "sim/sim_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LevelCount = 0;
    MapNames.clear();
    TheSim = SimState();
    bool ok = parseMapList(std::string(reinterpret_cast<const char*>(data), size));
    if (ok) {
        if (LevelCount < 1 || MapNames.size() != static_cast<size_t>(LevelCount) ||
            LevelTimes.size() != MapNames.size())
            __builtin_trap();
        for (float time : LevelTimes) {
            if (time != UnfinishedLevelSeconds)
                __builtin_trap();
        }
    } else if (LevelCount != 0 || !MapNames.empty()) {
        __builtin_trap();
    }
    return 0;
}
