// SPDX-License-Identifier: MIT
// The records folder and its file, the par table of the pack, and the saving of a new record. The
// file format lives in level_time_file.cpp.
#include "scores/level_records.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "level/map_loader.h"
#include "level/token_reader.h"
#include "scores/atomic_file.h"
#include "scores/high_score_folder.h"

RecordBook TheRecordBook;

namespace {

constexpr size_t ReplayHashDigits = 16;

bool makeRecordsFolder(std::string& reason)
{
    const std::string folder = levelRecordsFolder();
    if (!makeHighScoreFolder() || (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

void putRecord(const LevelTime& record)
{
    for (LevelTime& entry : TheRecordBook.records) {
        if (entry.mapName == record.mapName && entry.mapHash == record.mapHash) {
            entry.seconds = record.seconds;
            return;
        }
    }
    TheRecordBook.records.push_back(record);
}

} // namespace

std::string levelRecordsFolder()
{
    return scoreSetFolder() + "/records";
}

std::string levelRecordsPath()
{
    return levelRecordsFolder() + "/records.dat";
}

std::string levelReplayFileName(const std::string& mapName, const std::string& mapHash)
{
    std::string name = mapName.substr(0, MaxLevelTimeMapName);
    for (char& c : name) {
        bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '.' ||
            c == '-' || c == '_';
        if (!kept)
            c = '_';
    }
    return name + "-" + mapHash.substr(0, ReplayHashDigits) + ".replay";
}

void readLevelRecords()
{
    TheRecordBook.records.clear();
    TheRecordBook.recordsFileDamaged = false;
    const std::string path = levelRecordsPath();
    struct stat info { };
    if (::stat(path.c_str(), &info) != 0)
        return;
    std::string text;
    std::string error = "it cannot be read";
    if (S_ISREG(info.st_mode) && readTextFile(path, text) &&
        parseLevelTimes(text, LevelRecordsHeader, TheRecordBook.records, error))
        return;
    TheRecordBook.records.clear();
    TheRecordBook.recordsFileDamaged = true;
    std::fprintf(stderr,
                 "roliquo: the level records in %s are damaged (%s); starting afresh, the file is kept as %s.damaged\n",
                 path.c_str(), error.c_str(), path.c_str());
}

bool saveLevelRecord(const LevelTime& record, const std::string& replayText)
{
    bool known = findLevelTime(TheRecordBook.records, record.mapName, record.mapHash) != nullptr;
    if (!known && TheRecordBook.records.size() >= MaxLevelTimes) {
        std::fprintf(stderr, "roliquo: no room for another level record (%zu kept)\n", MaxLevelTimes);
        return false;
    }
    putRecord(record);
    const std::string path = levelRecordsPath();
    const std::string replayPath = levelRecordsFolder() + "/" + levelReplayFileName(record.mapName, record.mapHash);
    std::string reason;
    bool saved = makeRecordsFolder(reason) && writeFileAtomically(replayPath, replayText, reason) &&
        writeFileAtomically(path, formatLevelTimes(TheRecordBook.records, LevelRecordsHeader), reason,
                            TheRecordBook.recordsFileDamaged ? path + ".damaged" : "");
    if (!saved) {
        std::fprintf(stderr, "roliquo: could not save the level record to %s: %s\n", path.c_str(), reason.c_str());
        return false;
    }
    TheRecordBook.recordsFileDamaged = false;
    return true;
}

std::string parFolderPath()
{
    return LevelFolder + ParFolder;
}

void readParTable()
{
    TheRecordBook.par.clear();
    std::string text;
    std::string error;
    const std::string path = LevelFolder + ParTablePath;
    if (!readTextFile(path, text))
        return;
    if (!parseLevelTimes(text, ParTableHeader, TheRecordBook.par, error)) {
        TheRecordBook.par.clear();
        std::fprintf(stderr, "roliquo: the par table %s cannot be read (%s); no level has a par\n", path.c_str(),
                     error.c_str());
    }
}
