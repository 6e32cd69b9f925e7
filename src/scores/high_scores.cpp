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
#include <cstring>

#include "app/run_state.h"
#include "level/token_reader.h"
#include "scores/high_score_folder.h"

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

// Set by readHighScores when a file was there but could not be read as a table; the first save then
// keeps that file as highScore.dat.damaged instead of overwriting a record typed in by hand.
bool TableFileDamaged = false;

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The rename is only durable once the folder's entry is on disk too. A folder that cannot be synced
// (some file systems refuse) leaves the new file in place all the same, so this is best effort.
void syncFolder(const std::string& path)
{
    int fd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// Writes text to one fixed temporary file beside path, makes it durable, and renames it over path, so
// a failure at any point leaves the old file as it was, and a crash leaves at most that one temporary
// file, which the next save replaces. A damaged old file is moved aside first. On failure `reason`
// holds the system's text.
bool replaceFile(const std::string& path, const std::string& text, bool keepOldAsDamaged, std::string& reason)
{
    const std::string tempName = path + ".tmp";
    int fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    bool ok = ::fchmod(fd, 0644) == 0 && writeAll(fd, text) && ::fsync(fd) == 0;
    if (!ok)
        reason = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (ok && keepOldAsDamaged && std::rename(path.c_str(), (path + ".damaged").c_str()) != 0 && errno != ENOENT) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (ok && std::rename(tempName.c_str(), path.c_str()) != 0) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        ::unlink(tempName.c_str());
        return false;
    }
    syncFolder(path);
    return true;
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
    struct stat info {};
    bool present = ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
    bool readable = readTextFile(path, text) && parseHighScores(text);
    if (!readable)
        setDefaultHighScores();
    TableFileDamaged = present && !readable;
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
    const std::string path = highScorePath();
    std::string reason;
    if (!makeHighScoreFolder())
        reason = std::strerror(errno);
    else if (replaceFile(path, formatHighScores(), TableFileDamaged, reason))
        reason.clear();
    if (!reason.empty()) {
        // Nothing is lost yet: the table stays in memory and the next save tries again.
        std::fprintf(stderr, "roliquo: could not save the best times to %s: %s\n", path.c_str(), reason.c_str());
        return false;
    }
    TableFileDamaged = false;
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
