// SPDX-License-Identifier: MIT
// Reading and writing the "MAP SHA256 SECONDS" files (records and par). The reader takes untrusted
// text: every line, name, count and number is bounded, and the first fault is named with its line.
#include "scores/level_time_file.h"

#include <cmath>

#include "level/token_reader.h"
#include "sim/round_clock.h"

namespace {

constexpr const char* FormatVersion = "1";

bool isPrintableName(std::string_view word)
{
    return word.size() <= MaxLevelTimeMapName && isPrintableWord(word);
}

bool fail(std::string& error, int line, const std::string& why)
{
    error = "line " + std::to_string(line) + ": " + why;
    return false;
}

} // namespace

bool parseLevelTimes(std::string_view text, const char* headerWord, std::vector<LevelTime>& out, std::string& error)
{
    std::vector<LevelTime> times;
    std::vector<std::string_view> words;
    bool headerSeen = false;
    int number = 0;
    size_t start = 0;
    std::string_view line;
    while (nextLine(text, start, line)) {
        number += 1;
        if (line.size() > MaxLevelTimeLineLength)
            return fail(error, number,
                        "the line is longer than " + std::to_string(MaxLevelTimeLineLength) + " characters");
        splitWords(line, words);
        if (words.empty())
            continue;
        if (!headerSeen) {
            if (words.size() != 2 || words[0] != headerWord || words[1] != FormatVersion)
                return fail(error, number,
                            std::string("the file does not start with \"") + headerWord + " " + FormatVersion + "\"");
            headerSeen = true;
            continue;
        }
        if (words.size() != 3)
            return fail(error, number, "expected MAP SHA256 SECONDS");
        LevelTime entry;
        if (!isPrintableName(words[0]))
            return fail(error, number, "the map name is not one word of printable characters (at most 255)");
        if (!isSha256Hex(words[1]))
            return fail(error, number, "the SHA-256 is not 64 lower-case hex digits");
        if (!parseFloatWord(words[2], entry.seconds) || !(entry.seconds > 0.0f) || entry.seconds > PlayingSeconds)
            return fail(error, number, "the time is not a number of seconds above 0 and at most 45");
        entry.mapName = words[0];
        entry.mapHash = words[1];
        if (findLevelTime(times, entry.mapName, entry.mapHash) != nullptr)
            return fail(error, number, "the same map file is listed twice");
        if (times.size() >= MaxLevelTimes)
            return fail(error, number, "more than " + std::to_string(MaxLevelTimes) + " levels");
        times.push_back(std::move(entry));
    }
    if (!headerSeen)
        return fail(error, number + 1,
                    std::string("the file does not start with \"") + headerWord + " " + FormatVersion + "\"");
    out = std::move(times);
    return true;
}

std::string formatLevelTimes(const std::vector<LevelTime>& times, const char* headerWord)
{
    std::string text = std::string(headerWord) + " " + FormatVersion + "\n";
    for (const LevelTime& entry : times) {
        text += entry.mapName + " " + entry.mapHash + " " + exactFloatText(entry.seconds) + "\n";
    }
    return text;
}

const LevelTime* findLevelTime(const std::vector<LevelTime>& times, const std::string& mapName,
                               const std::string& mapHash)
{
    for (const LevelTime& entry : times) {
        if (entry.mapName == mapName && entry.mapHash == mapHash)
            return &entry;
    }
    return nullptr;
}
