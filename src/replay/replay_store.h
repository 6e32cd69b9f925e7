// SPDX-License-Identifier: MIT
// Keeping replays: a finished run's replay is written to the "replays" folder beside the best-times
// file on a background thread, and replays of runs that have left the table are removed, except the
// one holding a level's best time.
#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "replay/replay_file.h"

// A row of the best-times table as the pruning sees it.
struct TableRow {
    float time = 0.0f;
    std::string name;
};

// The name a table row's name stands as in a replay: the typing cursor "_" dropped, anything but
// printable characters replaced by '_', "---" when nothing is left.
std::string replayNameOf(const std::string& rowName);

// "2026-12-08_0123.45_ABC.replay": the date, the total and the name, with only letters, digits and '-'
// of the name kept (anything else becomes '_'), so the name is safe in any file system.
std::string replayFileName(const std::tm& date, float total, const std::string& name);

// Writes the replay into folder (made when missing) under a name from replayFileName, "-2", "-3", ...
// added when taken; atomically, as the table is saved: a temporary file, flushed to disk, renamed.
// Returns the path written, or "" after saying why on standard error.
std::string writeReplayFile(const std::string& folder, const Replay& replay, const std::tm& date);

// Removes from folder every "*.replay" file that neither holds a run of the table (same total to six
// digits, same name) nor the best finished time of one of its levels (per map name and SHA-256).
// Files that do not read as replays are left alone.
void pruneReplays(const std::string& folder, const std::vector<TableRow>& table);

// Saves and prunes on a background thread, in <records folder>/replays, with today's date. The table is
// the snapshot to prune against. A save still running is finished first.
void saveReplayInBackground(Replay replay, std::vector<TableRow> table);
// Waits for the save in flight, if any (at exit, and before a test looks at the folder).
void finishReplaySaves();
