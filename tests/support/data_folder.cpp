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

void put16(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}

void put32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

void writeBytes(const fs::path& file, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

// font.dat: every printable character 33..126 as a 12 x 20 cell of a 256 x 256 atlas, 21 to a row.
std::string fontMetricsText()
{
    std::ostringstream text;
    text << "33 126";
    for (int c = 33; c <= 126; ++c) {
        int index = c - 33;
        int left = (index % 21) * 12;
        int top = (index / 21) * 20;
        text << "\n" << static_cast<char>(c) << " " << left << " " << top << " " << left + 12 << " "
             << top + 20;
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

void writeBmp(const fs::path& file, int width, int height, uint8_t r, uint8_t g, uint8_t b)
{
    size_t rowBytes = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    size_t pixelBytes = rowBytes * static_cast<size_t>(height);
    std::vector<uint8_t> bytes(54 + pixelBytes, 0);
    bytes[0] = 'B';
    bytes[1] = 'M';
    put32(bytes, 2, static_cast<uint32_t>(bytes.size()));
    put32(bytes, 10, 54);
    put32(bytes, 14, 40);
    put32(bytes, 18, static_cast<uint32_t>(width));
    put32(bytes, 22, static_cast<uint32_t>(height));
    put16(bytes, 26, 1);
    put16(bytes, 28, 24);
    put32(bytes, 34, static_cast<uint32_t>(pixelBytes));
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            size_t at = 54 + static_cast<size_t>(y) * rowBytes + static_cast<size_t>(x) * 3;
            bytes[at] = b;
            bytes[at + 1] = g;
            bytes[at + 2] = r;
        }
    }
    writeBytes(file, bytes);
}

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
    return std::string("texturefile= flat\nfogcolor= ") + fog +
           "\nmarblecolor= 0xff2020\nholecount= 0\n.data\n.end";
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
        if (!entry.is_regular_file() || name == "highScore.dat" || name.front() == '.')
            continue;
        fs::create_symlink(fs::absolute(entry.path()), folder / name);
    }
}

} // namespace testsupport
