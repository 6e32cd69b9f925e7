// SPDX-License-Identifier: MIT
// Fuzz target for the map file loader's text part (no GL, no image files): whatever the text, a failed
// load leaves no holes, and the text-only mode never reads a texture.
#include <cstdint>
#include <string_view>

#include "level/board.h"
#include "level/map_loader.h"
#include "platform/headless/headless.h"
#include "sim/marble.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Board board;
    static Marble marble;
    static BoardTextureImages texture;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bool ok = loadMapText(board, marble, "fuzz.map", text, MapLoadMode::TextOnly, texture);
    if (!ok && !board.holes.empty())
        __builtin_trap();
    if (texture.read)
        __builtin_trap();
    // The recorded message boxes would pile up over millions of runs.
    headless::clearRecords();
    return 0;
}
