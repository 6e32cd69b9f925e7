// SPDX-License-Identifier: MIT
// The best-times screen's second page: every level of the list with the player's record, its medal
// and par, and the sum of the records. The shell lists the rows when the page is turned to.
#pragma once

#include <string>
#include <vector>

#include "scores/medal.h"

struct RecordsPageRow {
    std::string mapName;
    bool hasRecord = false;
    float record = 0.0f;
    bool hasPar = false;
    float par = 0.0f;
    Medal medal = Medal::None;
};

// The sum of the records; `counted` of them have one. Whole only when counted is the row count.
float sumOfBest(const std::vector<RecordsPageRow>& rows, size_t& counted);

struct RecordsPage {
    std::vector<RecordsPageRow> rows;
    // The best-times screen shows this page instead of the table.
    bool shown = false;
};
extern RecordsPage TheRecordsPage;

// Turns the best-times screen to this page with `rows`, or back to the table.
void showRecordsPage(std::vector<RecordsPageRow> rows);
void hideRecordsPage();

void drawRecordsPage();
