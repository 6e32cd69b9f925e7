// SPDX-License-Identifier: MIT
// Fuzz target for the map list reader: a good list has at least one name, each a whole word; a bad
// one leaves the names it was given alone.
#include <cstdint>
#include <string>
#include <vector>

#include "level/map_list.h"
#include "level/token_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> names{"kept"};
    bool ok = parseMapList(std::string(reinterpret_cast<const char*>(data), size), names);
    if (ok) {
        if (names.empty())
            __builtin_trap();
        for (const std::string& name : names) {
            if (name.empty())
                __builtin_trap();
            for (char c : name) {
                if (isTextSpace(c))
                    __builtin_trap();
            }
        }
    } else if (names != std::vector<std::string>{"kept"}) {
        __builtin_trap();
    }
    return 0;
}
