// SPDX-License-Identifier: MIT
// Per-level records: at the finish of every level of a normal game (not --level, not --replay) the time
// is compared with the player's record and par; a better time becomes the record at once, with its
// one-level replay. Also what the records page and `roliquo --records` list.
#pragma once

#include <string>
#include <vector>

#include "screen/records_page.h"

// The level start, once the level is loaded: takes the map file's SHA-256 and clears the last summary.
void noteLevelStart();

// The tick that crossed the finish: fills the finish summary and books a better time as the record.
void bookLevelFinish();

// Every level of the list with its record, medal and par (each map file hashed as it is now), and with a
// world-records server set, the world's best and the player's place as far as the server has answered.
std::vector<RecordsPageRow> levelRecordRows();
// The world columns again, from what the server has answered since (the records page, every frame).
void fillWorldColumns(std::vector<RecordsPageRow>& rows);
// The same as text for a terminal: a header, one line per level, and the sum of best.
std::string recordsReportText(const std::vector<RecordsPageRow>& rows);
