// SPDX-License-Identifier: MIT
// Fuzz target for the glyph table reader: a table it accepts has a character range inside 0..255.
#include <cstdint>
#include <string>

#include "screen/font.h"
#include "screen/font_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static Font font;
    bool ok = parseFontMetrics(font, std::string(reinterpret_cast<const char*>(data), size));
    if (ok && (font.firstChar < 0 || font.lastChar > 255 || font.firstChar > font.lastChar))
        __builtin_trap();
    return 0;
}
