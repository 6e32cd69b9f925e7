// SPDX-License-Identifier: MIT
// The best-times screen's second page: every level of the list with the player's record, its medal
// and par, and the sum of the records. The shell lists the rows when the page is turned to.
#pragma once

#include <string>
#include <vector>

#include "scores/medal.h"

// The world-records columns of a row, as text ("-" where the server has not said, or cannot be reached).
struct WorldColumns {
    bool shown = false; // a server is set
    std::string best = "-";
    std::string name = "-";
    std::string place = "-";
};

struct RecordsPageRow {
    std::string mapName;
    std::string sha256; // of the map file as it is now; empty when it cannot be read
    bool hasRecord = false;
    float record = 0.0f;
    bool hasPar = false;
    float par = 0.0f;
    Medal medal = Medal::None;
    WorldColumns world;
};

// The sum of the records; `counted` of them have one. Whole only when counted is the row count.
float sumOfBest(const std::vector<RecordsPageRow>& rows, size_t& counted);

struct RecordsPage {
    std::vector<RecordsPageRow> rows;
    // The best-times screen shows this page instead of the table.
    bool shown = false;
    // Refreshes the world columns while the page is shown (set by the shell when a server is set).
    void (*refreshWorld)(std::vector<RecordsPageRow>& rows) = nullptr;
};
extern RecordsPage TheRecordsPage;

// Turns the best-times screen to this page with `rows`, or back to the table.
void showRecordsPage(std::vector<RecordsPageRow> rows);
void hideRecordsPage();

void drawRecordsPage();
