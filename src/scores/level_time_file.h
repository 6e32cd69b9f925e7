// SPDX-License-Identifier: MIT
// The text format shared by the records file and the par table: a header line "WORD 1", then one line
// per level "MAP SHA256 SECONDS". Parsing and formatting only; each file's place lives with its table.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// One level's time, keyed by the map file's name as the level list gives it and the SHA-256 of its bytes.
struct LevelTime {
    std::string mapName;
    std::string mapHash; // 64 lower-case hex digits
    float seconds = 0.0f;
};

// Bounds on what such a file may hold; anything longer is refused, not read into memory.
constexpr size_t MaxLevelTimes = 4096;
constexpr size_t MaxLevelTimeLineLength = 1024;
constexpr size_t MaxLevelTimeMapName = 255;

// Reads the lines after "headerWord 1". False with "line N: why" for the first line at fault: a missing
// or other header, a line without exactly three words, a name that is not printable ASCII (or over 255
// characters), a hash that is not 64 lower-case hex digits, a time that is not a finite number in
// 0 < t <= 45, the same map and hash twice, or more than 4096 lines. Blank lines are skipped.
bool parseLevelTimes(std::string_view text, const char* headerWord, std::vector<LevelTime>& out, std::string& error);

// The file's text: the header, then one line per level, the time with %.9g so it reads back exactly.
std::string formatLevelTimes(const std::vector<LevelTime>& times, const char* headerWord);

// The entry for a map name and hash, or nullptr.
const LevelTime* findLevelTime(const std::vector<LevelTime>& times, const std::string& mapName,
                               const std::string& mapHash);
