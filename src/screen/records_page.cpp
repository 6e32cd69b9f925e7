// SPDX-License-Identifier: MIT
// The records page: a title, one line per level (number, map, record, medal, par), the sum of best
// and the footer, in the best-times screen's colours and small scale.
#include "screen/records_page.h"

#include <utility>

#include "screen/font.h"

RecordsPage TheRecordsPage;

namespace {

constexpr float SmallScale = 0.3939394f; // 13/33
constexpr float Grey = 0.7843137f;       // 200/255
constexpr float FirstRowY = 80.0f;
constexpr float LastRowY = 420.0f;

void column(float x, float y, const std::string& text)
{
    TheFont.setPosition(x, y);
    TheFont.drawText(text.c_str());
}

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

    TheFont.setScale(SmallScale);
    TheFont.setColor(1.0f, 0.0f, 0.0f, 1.0f);
    const float header = FirstRowY - 20.0f;
    column(40.0f, header, "level");
    column(300.0f, header, "record");
    column(390.0f, header, "medal");
    column(490.0f, header, "par");
    // As many rows as fit above the sum; a longer list is cut there.
    const float step = TheFont.lineHeight() * SmallScale + 2.0f;
    float y = FirstRowY;
    TheFont.setColor(Grey, Grey, Grey, 1.0f);
    for (size_t i = 0; i < TheRecordsPage.rows.size() && y <= LastRowY; ++i, y += step) {
        const RecordsPageRow& row = TheRecordsPage.rows[i];
        column(40.0f, y, std::to_string(i + 1));
        column(80.0f, y, row.mapName.substr(0, 24));
        column(300.0f, y, row.hasRecord ? formatNumber(row.record, 2) : "-");
        column(390.0f, y, row.medal == Medal::None ? "-" : medalName(row.medal));
        column(490.0f, y, row.hasPar ? formatNumber(row.par, 2) : "-");
    }

    size_t counted = 0;
    float sum = sumOfBest(TheRecordsPage.rows, counted);
    TheFont.setColor(0.0f, 1.0f, 1.0f, 1.0f);
    std::string total = "sum of best: ";
    total += counted == TheRecordsPage.rows.size() && counted > 0
        ? formatNumber(sum, 2)
        : "NA (" + std::to_string(counted) + " of " + std::to_string(TheRecordsPage.rows.size()) + " levels)";
    column(40.0f, 435.0f, total);

    TheFont.setColor(0.0f, 0.0f, 1.0f, 1.0f);
    const char* footer = "press <tab> for the best times";
    TheFont.setPosition(320.0f - TheFont.measureText(footer) * 0.5f, 460.0f);
    TheFont.drawText(footer);
}
