// SPDX-License-Identifier: MIT
// The best-times table: the default rows, reading and safely rewriting highScore.dat, and placing a new
// game total. The best-times screen lives in best_times_screen.cpp.
#include "scores/high_scores.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "level/token_reader.h"
#include "scores/atomic_file.h"
#include "scores/high_score_folder.h"
#include "sim/round_clock.h"

HighScoreEntry HighScores[HighScoreRows + 1] = {
    {UnfinishedLevelSeconds, "aaa"}, {UnfinishedLevelSeconds, "aaa"}, {UnfinishedLevelSeconds, "aaa"},
    {UnfinishedLevelSeconds, "aaa"}, {UnfinishedLevelSeconds, "aaa"}, {UnfinishedLevelSeconds, "aaa"},
    {UnfinishedLevelSeconds, "aaa"}, {UnfinishedLevelSeconds, "aaa"}, {UnfinishedLevelSeconds, "aaa"},
    {UnfinishedLevelSeconds, "aaa"}, {UnfinishedLevelSeconds, "aaa"},
};

namespace {

constexpr size_t MaxNameLength = 255;
const char* const DefaultName = "aaa";
const char* const CursorName = "_";
const char* const UnnamedName = "---";

// A name is written as one token so the file reads back: whitespace would split it, an empty name would
// shift every later row, and the reader refuses names over 255 characters.
std::string savableName(const std::string& name)
{
    std::string out = name.substr(0, MaxNameLength);
    for (char& c : out) {
        if (isTextSpace(c) || c == '\0')
            c = '_';
    }
    return out.empty() ? std::string(CursorName) : out;
}

} // namespace

void setDefaultHighScores()
{
    for (int i = 0; i < HighScoreRows; ++i) {
        HighScores[i].time = UnfinishedLevelSeconds;
        HighScores[i].name = DefaultName;
    }
}

bool parseHighScores(const std::string& text)
{
    TokenReader reader(text);
    HighScoreEntry rows[HighScoreRows];
    for (HighScoreEntry& row : rows) {
        if (!reader.readReal(row.time) || !reader.readToken(row.name) || !std::isfinite(row.time)) {
            setDefaultHighScores();
            return false;
        }
        // One overlong name is cut rather than costing every other record.
        if (row.name.size() > MaxNameLength)
            row.name.resize(MaxNameLength);
    }
    for (int i = 0; i < HighScoreRows; ++i)
        HighScores[i] = rows[i];
    return true;
}

bool readHighScores()
{
    std::string text;
    const std::string path = highScorePath();
    struct stat info { };
    bool present = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    bool readable = readTextFile(path, text) && parseHighScores(text);
    if (!readable)
        setDefaultHighScores();
    TheHighScoreFile.damaged = present && !readable;
    return true;
}

std::string formatHighScores()
{
    std::string text;
    for (int i = 0; i < HighScoreRows; ++i) {
        text += formatTableTime(HighScores[i].time);
        text += ' ';
        text += savableName(HighScores[i].name);
        text += ' ';
    }
    return text;
}

bool writeHighScores()
{
    const std::string path = highScorePath();
    std::string reason;
    if (!makeHighScoreFolder())
        reason = std::strerror(errno);
    else if (writeFileAtomically(path, formatHighScores(), reason, TheHighScoreFile.damaged ? path + ".damaged" : ""))
        reason.clear();
    if (!reason.empty()) {
        // Nothing is lost yet: the table stays in memory and the next save tries again.
        std::fprintf(stderr, "roliquo: could not save the best times to %s: %s\n", path.c_str(), reason.c_str());
        return false;
    }
    TheHighScoreFile.damaged = false;
    return true;
}

void settleUnfinishedName(int row, int lettersTyped)
{
    if (row < 0 || row >= HighScoreRows)
        return;
    std::string& name = HighScores[row].name;
    // Only the letters typed count: the cursor, or a letter only shown on a gamepad, goes.
    size_t keep = lettersTyped > 0 ? static_cast<size_t>(lettersTyped) : 0;
    if (name.size() > keep)
        name.resize(keep);
    if (!name.empty() && name.back() == CursorName[0])
        name.pop_back();
    if (name.empty())
        name = UnnamedName;
}

int placeTotal(float total)
{
    if (!std::isfinite(total))
        return -1;
    HighScores[HighScoreRows].time = total;
    std::stable_sort(HighScores, HighScores + HighScoreRows + 1,
                     [](const HighScoreEntry& a, const HighScoreEntry& b) { return a.time < b.time; });
    // Among equal times the last one inside the table is taken, which may be an older entry.
    int row = -1;
    for (int i = 0; i < HighScoreRows; ++i) {
        if (HighScores[i].time == total)
            row = i;
    }
    if (row >= 0)
        HighScores[row].name = CursorName;
    return row;
}

std::string formatTableTime(float time)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(time));
    return text;
}
