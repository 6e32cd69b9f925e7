// SPDX-License-Identifier: MIT
// Fuzz target for the best-times file: any text gives a table whose saved form reads back to itself,
// and placing a total (taken from the input's first bytes) keeps the table sorted.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "scores/high_scores.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    parseHighScores(std::string(reinterpret_cast<const char*>(data), size));
    std::string saved = formatHighScores();
    if (!parseHighScores(saved) || formatHighScores() != saved)
        __builtin_trap();

    if (size >= sizeof(float)) {
        float total = 0.0f;
        std::memcpy(&total, data, sizeof total);
        int row = placeTotal(total);
        if (row < -1 || row >= HighScoreRows)
            __builtin_trap();
        // A total that is no number is refused and sorts nothing.
        for (int i = 1; std::isfinite(total) && i < HighScoreRows; ++i) {
            if (HighScores[i - 1].time > HighScores[i].time)
                __builtin_trap();
        }
    }
    return 0;
}
