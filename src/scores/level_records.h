// SPDX-License-Identifier: MIT
// The player's record of every level (per map name and SHA-256) with its one-level replay, in the
// "records" folder beside highScore.dat; and the par of the shipped levels, read from the data pack.
#pragma once

#include <string>
#include <vector>

#include "scores/level_time_file.h"

struct RecordBook {
    // The records, as records/records.dat holds them; filled at start-up, changed by saveLevelRecord.
    std::vector<LevelTime> records;
    // The par of every shipped level, from par/par.dat in the data folder; empty when the pack has none.
    std::vector<LevelTime> par;
    // Set when records.dat was there but could not be read; the next save keeps it aside.
    bool recordsFileDamaged = false;
};
extern RecordBook TheRecordBook;

inline const char* const LevelRecordsHeader = "roliquo-records";
inline const char* const ParTableHeader = "roliquo-par";
inline const char* const ParTablePath = "par/par.dat";
inline const char* const ParFolder = "par";

// The records folder: "records" inside the folder of highScore.dat.
std::string levelRecordsFolder();
// records.dat inside it.
std::string levelRecordsPath();

// The file name of a level's replay, in the records folder or in the pack's par folder:
// "meadow.map-50d59b9b6d039fcc.replay", the map name with anything but letters, digits, '.', '-' and
// '_' made '_', and the first 16 hex digits of the hash, so a changed map never takes an old replay.
std::string levelReplayFileName(const std::string& mapName, const std::string& mapHash);

// Reads records.dat. Missing: no records. Unreadable: no records, a line on standard error, and the
// file is kept as records.dat.damaged by the next save rather than overwritten.
void readLevelRecords();

// Makes `record` the level's record: its replay text is written first, then records.dat, each
// atomically (a temporary file, flushed, renamed). False with the reason on standard error; the record
// stays in memory and the next save writes it too.
bool saveLevelRecord(const LevelTime& record, const std::string& replayText);

// Reads par/par.dat of the chosen set's folder (LevelFolder); a missing or unreadable table gives no par.
void readParTable();
// The par folder of the chosen set's folder, where each level's par route is kept.
std::string parFolderPath();
