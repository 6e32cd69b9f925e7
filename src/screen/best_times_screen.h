// SPDX-License-Identifier: MIT
// The best-times screen: this game's level times and total beside the table of best totals.
#pragma once

void drawBestTimes();
