// SPDX-License-Identifier: MIT
// Temporary working folders and the small data set the whole-game tests run on.
#include "support/data_folder.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace testsupport {

namespace {

// font.dat: every printable character 33..126 as a 12 x 20 cell of a 256 x 256 atlas, 21 to a row.
std::string fontMetricsText()
{
    std::ostringstream text;
    text << "33 126";
    for (int c = 33; c <= 126; ++c) {
        int index = c - 33;
        int left = (index % 21) * 12;
        int top = (index / 21) * 20;
        text << "\n" << static_cast<char>(c) << " " << left << " " << top << " " << left + 12 << " " << top + 20;
    }
    return text.str();
}

fs::path makeSmallDataSet()
{
    static TempFolder folder; // lives until the test program ends
    const fs::path& dir = folder.path();
    for (int level = 0; level < 9; ++level)
        writeBmp(dir / ("font_" + std::to_string(level) + ".bmp"), 256 >> level, 256 >> level, 255, 255, 255);
    writeText(dir / "font.dat", fontMetricsText());
    for (int level = 0; level < 8; ++level)
        writeBmp(dir / ("flat_" + std::to_string(level) + ".bmp"), 128 >> level, 128 >> level, 90, 160, 70);
    writeBmp(dir / "title.bmp", 640, 480, 20, 40, 120);
    writeBmp(dir / "back.bmp", 640, 480, 60, 60, 60);
    return dir;
}

} // namespace

void writeText(const fs::path& file, const std::string& text)
{
    std::error_code ignored;
    fs::remove(file, ignored); // never write through a link into a shared data set
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << text;
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

std::string readText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string flatLevelText(uint32_t fogColor)
{
    char fog[16];
    snprintf(fog, sizeof fog, "0x%06x", fogColor & 0xFFFFFFu);
    return std::string("texturefile= flat\nfogcolor= ") + fog + "\nmarblecolor= 0xff2020\nholecount= 0\n.data\n.end";
}

std::string mapListText(int levels)
{
    std::string text = std::to_string(levels);
    for (int level = 1; level <= levels; ++level)
        text += "\nlevel" + std::to_string(level) + ".map";
    return text;
}

const fs::path& smallDataSet()
{
    static const fs::path dir = makeSmallDataSet();
    return dir;
}

fs::path dataPack()
{
    fs::path pack = ROLIQUO_DATA_DIR;
    if (!fs::exists(pack / "maplist.dat"))
        return {};
    return pack;
}

void linkData(const fs::path& source, const fs::path& folder)
{
    for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
        std::string name = entry.path().filename().string();
        // Folders the game writes (records, replays) are the test's own; the rest (par) are linked.
        bool linkedFolder = entry.is_directory() && name != "records" && name != "replays";
        if ((!entry.is_regular_file() && !linkedFolder) || name == "highScore.dat" || name.front() == '.')
            continue;
        fs::create_symlink(fs::absolute(entry.path()), folder / name);
    }
}

} // namespace testsupport
