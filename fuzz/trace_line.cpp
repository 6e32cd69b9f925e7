// SPDX-License-Identifier: MIT
// Fuzz target for the trace input reader (solver output, traces, replays): every line is read without
// a crash, and a line read as a tick is written back and read again as the very same tick.
#include <cmath>
#include <cstdint>
#include <string>

#include "trace_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        TickInput step;
        std::string error;
        if (parseTickLine(text.substr(start, end - start), step, error) == TickLine::Step) {
            if (!std::isfinite(step.seconds) || step.seconds < 0.0f || step.keys >= 32)
                __builtin_trap();
            TickInput again;
            if (parseTickLine(formatTickLine(step), again, error) != TickLine::Step || again.seconds != step.seconds ||
                again.keys != step.keys)
                __builtin_trap();
        }
        start = end + 1;
    }
    return 0;
}
