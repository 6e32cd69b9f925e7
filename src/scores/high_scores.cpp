// The best-times table: the default rows, reading and safely rewriting highScore.dat, and placing a new
// game total. The best-times screen lives in best_times_screen.cpp.
#include "scores/high_scores.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <vector>

#include "app/run_state.h"
#include "level/token_reader.h"

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

bool writeAll(int fd, const std::string& text)
{
    const char* data = text.data();
    size_t left = text.size();
    while (left > 0) {
        ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        left -= static_cast<size_t>(written);
    }
    return true;
}

// Writes text to a fresh file beside path, makes it durable, and renames it over path, so a failure at
// any point leaves the old file as it was.
bool replaceFile(const std::string& path, const std::string& text)
{
    std::vector<char> tempName(path.begin(), path.end());
    const char suffix[] = ".XXXXXX";
    tempName.insert(tempName.end(), suffix, suffix + sizeof suffix);
    int fd = ::mkstemp(tempName.data());
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) != 0)
        ok = false;
    if (ok)
        ok = std::rename(tempName.data(), path.c_str()) == 0;
    if (!ok)
        ::unlink(tempName.data());
    return ok;
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
        if (!reader.readReal(row.time) || !reader.readToken(row.name) || row.name.size() > MaxNameLength ||
            !std::isfinite(row.time)) {
            setDefaultHighScores();
            return false;
        }
    }
    for (int i = 0; i < HighScoreRows; ++i)
        HighScores[i] = rows[i];
    return true;
}

bool readHighScores()
{
    std::string text;
    if (!readTextFile(HighScoreFileName, text))
        setDefaultHighScores();
    else
        parseHighScores(text);
    return true;
}

std::string formatHighScores()
{
    std::string text;
    for (int i = 0; i < HighScoreRows; ++i) {
        char number[32];
        std::snprintf(number, sizeof number, "%g", static_cast<double>(HighScores[i].time));
        text += number;
        text += ' ';
        text += savableName(HighScores[i].name);
        text += ' ';
    }
    return text;
}

bool HighScoresWritable = true;

bool writeHighScores()
{
    if (!HighScoresWritable)
        return true;
    return replaceFile(HighScoreFileName, formatHighScores());
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
