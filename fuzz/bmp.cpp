// SPDX-License-Identifier: MIT
// Fuzz target for the BMP decoder: any bytes, two buffer capacities, and the promise that a picture it
// accepts fits the buffer and decodes the same way twice. Seeds are generated here (see seedCorpus).
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "level/bmp.h"

namespace {

// A handful of valid pictures (odd and even widths, both row orders, offsets 54 and 138) written into
// the folder named by ROLIQUO_FUZZ_SEED_DIR, so the corpus needs no committed binaries.
void seedCorpus(const char* folder)
{
    struct Seed {
        int width, height;
        bool topDown;
        uint32_t offset;
    } seeds[] = {{1, 1, false, 54}, {2, 2, true, 54}, {3, 5, false, 138}, {4, 4, true, 138}, {7, 2, false, 54}};
    int index = 0;
    for (const Seed& s : seeds) {
        uint32_t stride = (static_cast<uint32_t>(s.width) * 3 + 3) & ~3u;
        std::vector<uint8_t> file(s.offset, 0);
        auto put32 = [&](size_t at, uint32_t v) {
            for (int i = 0; i < 4; ++i)
                file[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
        };
        file[0] = 'B';
        file[1] = 'M';
        put32(10, s.offset);
        put32(14, s.offset == 138 ? 124 : 40);
        put32(18, static_cast<uint32_t>(s.width));
        put32(22, static_cast<uint32_t>(s.topDown ? -s.height : s.height));
        file[26] = 1;
        file[28] = 24;
        for (uint32_t i = 0; i < stride * static_cast<uint32_t>(s.height); ++i)
            file.push_back(static_cast<uint8_t>(i * 37 + 11));
        put32(2, static_cast<uint32_t>(file.size()));
        std::ofstream out(std::string(folder) + "/generated_" + std::to_string(index++) + ".bmp", std::ios::binary);
        out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (const char* folder = std::getenv("ROLIQUO_FUZZ_SEED_DIR"))
        seedCorpus(folder);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static std::vector<uint8_t> first(256 * 256 * 3);
    static std::vector<uint8_t> second(256 * 256 * 3);
    for (size_t capacity : {size_t{128 * 128 * 3}, first.size()}) {
        int width = 0;
        int height = 0;
        if (!decodeBmp(data, size, first.data(), capacity, &width, &height))
            continue;
        size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 3;
        if (width < 1 || height < 1 || bytes > capacity)
            __builtin_trap();
        if (!decodeBmp(data, size, second.data(), capacity) || std::memcmp(first.data(), second.data(), bytes) != 0)
            __builtin_trap();
    }
    return 0;
}
