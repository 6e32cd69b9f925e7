// SPDX-License-Identifier: MIT
// Fuzz target for the settings file: any text keeps the levels within 0..10, reports only lines it has,
// and leaves controls whose written lines read back without a report to the same lines.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "controls/controls.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    resetControls();
    std::vector<std::string> errors = applySettingsText(text);
    size_t lines = 1;
    for (char c : text)
        lines += c == '\n' ? 1 : 0;
    for (const std::string& error : errors) {
        size_t number = error.rfind("line ", 0) == 0 ? std::stoul(error.substr(5)) : 0;
        if (number < 1 || number > lines)
            __builtin_trap();
    }
    if (TheControls.musicLevel < 0 || TheControls.musicLevel > MaxSoundLevel || TheControls.cueLevel < 0 ||
        TheControls.cueLevel > MaxSoundLevel)
        __builtin_trap();
    std::string written = formatControlsLines();
    resetControls();
    if (!applySettingsText(written).empty() || formatControlsLines() != written)
        __builtin_trap();
    return 0;
}
