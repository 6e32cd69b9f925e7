// SPDX-License-Identifier: MIT
// Fuzz target for the level checker's text pass: whatever the text, it never crashes, every finding
// has a line inside the text, and where it finds no error the game's loader agrees and reads the very
// same holes.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "level/board.h"
#include "level/map_loader.h"
#include "map_lint.h"
#include "platform/headless/headless.h"
#include "sim/marble.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Board board;
    static Marble marble;
    static BoardTextureImages texture;
    std::string text(reinterpret_cast<const char*>(data), size);
    MapLint lint = lintMapText(text);
    lintStartPoint(lint);
    long lines = 1 + std::count(text.begin(), text.end(), '\n');
    for (const LintFinding& f : lint.findings)
        if (f.line < 0 || f.line > lines)
            __builtin_trap();
    bool loaded = loadMapText(board, marble, "fuzz.map", text, MapLoadMode::TextOnly, texture);
    if (!hasErrors(lint)) {
        if (!loaded || board.holes.size() != lint.holes.size())
            __builtin_trap();
        if (!lint.holes.empty() &&
            std::memcmp(board.holes.data(), lint.holes.data(), lint.holes.size() * sizeof(Hole)) != 0)
            __builtin_trap();
    }
    headless::clearRecords();
    return 0;
}
