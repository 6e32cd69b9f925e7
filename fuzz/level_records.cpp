// SPDX-License-Identifier: MIT
// Fuzz target for the records file (and the par table, the same format): any text is read or refused
// within its bounds, and a table that was read writes a text that reads back to the same table.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scores/level_records.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<LevelTime> times;
    std::string error;
    if (!parseLevelTimes(text, LevelRecordsHeader, times, error)) {
        if (error.empty() || !times.empty())
            __builtin_trap();
        return 0;
    }
    if (times.size() > MaxLevelTimes)
        __builtin_trap();
    std::string saved = formatLevelTimes(times, LevelRecordsHeader);
    std::vector<LevelTime> back;
    if (!parseLevelTimes(saved, LevelRecordsHeader, back, error) || formatLevelTimes(back, LevelRecordsHeader) != saved)
        __builtin_trap();
    return 0;
}
