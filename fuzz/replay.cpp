// SPDX-License-Identifier: MIT
// Fuzz target for the replay reader: any bytes are refused with a line inside the text or read into
// a replay whose written form reads back to the same text.
#include <cstdint>
#include <string>
#include <string_view>

#include "replay/replay_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    Replay replay;
    ReplayError error;
    if (!parseReplay(text, replay, error)) {
        if (error.line < 0 || error.message.empty())
            __builtin_trap();
        return 0;
    }
    std::string written = formatReplay(replay);
    Replay again;
    if (!parseReplay(written, again, error) || formatReplay(again) != written)
        __builtin_trap();
    return 0;
}
