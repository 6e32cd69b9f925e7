// SPDX-License-Identifier: MIT
// The records page: a title, one line per level (number, map, record, medal, par, and with a server
// set the world's best, its holder and the player's place), the sum of best and the footer, in the
// best-times screen's colours and small scale.
#include "screen/records_page.h"

#include <utility>

#include "level/level_set.h"
#include "screen/font.h"

RecordsPage TheRecordsPage;

namespace {

constexpr float SmallScale = 0.3939394f; // 13/33
constexpr float Grey = 0.7843137f;       // 200/255
constexpr float FirstRowY = 80.0f;
constexpr float LastRowY = 420.0f;

struct RecordsColumns {
    size_t mapLetters;
    float record, medal, par;
};
constexpr RecordsColumns LocalLayout{24, 300.0f, 390.0f, 490.0f};
constexpr RecordsColumns WorldLayout{12, 210.0f, 270.0f, 340.0f};
constexpr float WorldBestX = 400.0f;
constexpr float WorldNameX = 470.0f;
constexpr float WorldPlaceX = 575.0f;

} // namespace

float sumOfBest(const std::vector<RecordsPageRow>& rows, size_t& counted)
{
    float sum = 0.0f;
    counted = 0;
    for (const RecordsPageRow& row : rows) {
        if (row.hasRecord) {
            sum += row.record;
            counted += 1;
        }
    }
    return sum;
}

void showRecordsPage(std::vector<RecordsPageRow> rows)
{
    TheRecordsPage.rows = std::move(rows);
    TheRecordsPage.shown = true;
}

void hideRecordsPage()
{
    TheRecordsPage.shown = false;
}

void drawRecordsPage()
{
    TheFont.setPosition(225.0f, 10.0f);
    TheFont.setColor(0.0f, 1.0f, 1.0f, 1.0f);
    TheFont.setScale(1.0f);
    TheFont.drawText("Records");
    // A set other than the first is named under the title: each set has records of its own.
    const LevelSet& set = chosenLevelSet();
    if (set.name != MainSetName) {
        TheFont.setScale(SmallScale);
        TheFont.setPosition(320.0f - TheFont.measureText(set.title.c_str()) * 0.5f, 44.0f);
        TheFont.drawText(set.title.c_str());
    }

    std::vector<RecordsPageRow>& rows = TheRecordsPage.rows;
    const bool world = !rows.empty() && rows.front().world.shown;
    if (world && TheRecordsPage.refreshWorld)
        TheRecordsPage.refreshWorld(rows);
    // With a server set the page gains the world's best, its holder and the player's place, in columns
    // closer together; without one it stays as it was.
    const RecordsColumns& at = world ? WorldLayout : LocalLayout;
    TheFont.setScale(SmallScale);
    TheFont.setColor(1.0f, 0.0f, 0.0f, 1.0f);
    const float header = FirstRowY - 20.0f;
    TheFont.drawTextAt(40.0f, header, "level");
    TheFont.drawTextAt(at.record, header, "record");
    TheFont.drawTextAt(at.medal, header, "medal");
    TheFont.drawTextAt(at.par, header, "par");
    if (world) {
        TheFont.drawTextAt(WorldBestX, header, "world");
        TheFont.drawTextAt(WorldNameX, header, "by");
        TheFont.drawTextAt(WorldPlaceX, header, "place");
    }
    // As many rows as fit above the sum; a longer list is cut there.
    const float step = TheFont.lineHeight() * SmallScale + 2.0f;
    float y = FirstRowY;
    TheFont.setColor(Grey, Grey, Grey, 1.0f);
    for (size_t i = 0; i < rows.size() && y <= LastRowY; ++i, y += step) {
        const RecordsPageRow& row = rows[i];
        TheFont.drawTextAt(40.0f, y, std::to_string(i + 1));
        TheFont.drawTextAt(80.0f, y, row.mapName.substr(0, at.mapLetters));
        TheFont.drawTextAt(at.record, y, row.hasRecord ? formatNumber(row.record, 2) : "-");
        TheFont.drawTextAt(at.medal, y, row.medal == Medal::None ? "-" : medalName(row.medal));
        TheFont.drawTextAt(at.par, y, row.hasPar ? formatNumber(row.par, 2) : "-");
        if (world) {
            TheFont.drawTextAt(WorldBestX, y, row.world.best);
            TheFont.drawTextAt(WorldNameX, y, row.world.name.substr(0, 8));
            TheFont.drawTextAt(WorldPlaceX, y, row.world.place);
        }
    }

    size_t counted = 0;
    float sum = sumOfBest(rows, counted);
    TheFont.setColor(0.0f, 1.0f, 1.0f, 1.0f);
    std::string total = "sum of best: ";
    total += counted == rows.size() && counted > 0
        ? formatNumber(sum, 2)
        : "NA (" + std::to_string(counted) + " of " + std::to_string(rows.size()) + " levels)";
    TheFont.drawTextAt(40.0f, 435.0f, total);

    TheFont.setColor(0.0f, 0.0f, 1.0f, 1.0f);
    const char* footer = "press <tab> for the best times";
    TheFont.setPosition(320.0f - TheFont.measureText(footer) * 0.5f, 460.0f);
    TheFont.drawText(footer);
}
