// SPDX-License-Identifier: MIT
// The data pack under test (the one the build generated, or a run of the generator into a temporary
// folder) and the small readers the checks share (bytes, fields, pictures through the game's readBmp).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace packtest {

// The pack the checks read: the build's own (ROLIQUO_DATA_DIR) once it has been generated, otherwise
// freshPack(). Empty when neither exists.
const std::filesystem::path& pack();

// The folder the generator wrote on its one run in this process; empty when the run failed.
const std::filesystem::path& freshPack();

// Runs roliquo-datagen with the given argument text; returns its exit status.
int runGenerator(const std::string& arguments);

// The board texture base names the levels may use.
const std::vector<std::string>& textureNames();

std::vector<uint8_t> readBytes(const std::filesystem::path& file);
inline uint32_t le16(const uint8_t* p)
{
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}
inline uint32_t le32(const uint8_t* p)
{
    return le16(p) | (le16(p + 2) << 16);
}
inline uint32_t be16(const uint8_t* p)
{
    return static_cast<uint32_t>((p[0] << 8) | p[1]);
}
inline uint32_t be32(const uint8_t* p)
{
    return (be16(p) << 16) | be16(p + 2);
}

// A picture as the game holds it: RGB bytes, rows bottom-up.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;
    // The pixel at x from the left and y from the top, as the player sees it.
    const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(height - 1 - y) * width + x) * 3]; }
    float luminance(int x, int y) const
    {
        const uint8_t* p = at(x, y);
        return 0.299f * p[0] + 0.587f * p[1] + 0.114f * p[2];
    }
};

// Reads the file with the game's own BMP reader; false when it refuses it.
bool loadPicture(const std::filesystem::path& file, Picture& out);

} // namespace packtest
