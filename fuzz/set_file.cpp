// SPDX-License-Identifier: MIT
// Fuzz target for set.dat: an accepted file gives a name and a description within their bounds, in
// printable ASCII only; a refused one leaves the set as it was.
#include <cstdint>
#include <string>
#include <string_view>

#include "level/level_set.h"

namespace {

bool printable(const std::string& text)
{
    for (char c : text)
        if (c < 32 || c > 126)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    LevelSet set;
    set.title = "kept";
    std::string error;
    bool ok = parseSetFile(std::string_view(reinterpret_cast<const char*>(data), size), set, error);
    if (ok) {
        if (set.title.empty() || set.title.size() > MaxSetTitle || set.description.size() > MaxSetDescription ||
            !printable(set.title) || !printable(set.description))
            __builtin_trap();
    } else if (set.title != "kept" || !set.description.empty() || error.empty()) {
        __builtin_trap();
    }
    return 0;
}
