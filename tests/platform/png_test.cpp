// SPDX-License-Identifier: MIT
// PNG files for frames: a drawn frame survives the round trip, files written by libpng's other
// formats load as RGBA, and malformed files fail without touching the output.
#include <gtest/gtest.h>
#include <png.h>
#include <zlib.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/headless.h"

namespace fs = std::filesystem;

namespace {

class HeadlessPng : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
            ("roliquo_png_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string file(const char* name) const { return (dir / name).string(); }
    fs::path dir;
};

headless::Frame patternFrame(int w, int h)
{
    headless::Frame f;
    f.width = w;
    f.height = h;
    f.rgba.resize(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < f.rgba.size(); ++i)
        f.rgba[i] = static_cast<uint8_t>((i * 37u) ^ (i >> 7));
    return f;
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A chunk with its length and CRC, as the format lays it out.
std::string chunk(const char* type, const std::string& data)
{
    std::string out;
    auto be32 = [&out](uint32_t v) {
        for (int s = 24; s >= 0; s -= 8)
            out.push_back(static_cast<char>((v >> s) & 0xFF));
    };
    be32(static_cast<uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    out += body;
    be32(static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(body.data()), static_cast<uInt>(body.size()))));
    return out;
}

std::string ihdr(uint32_t w, uint32_t h, uint8_t depth, uint8_t colourType)
{
    std::string d;
    for (uint32_t v : {w, h})
        for (int s = 24; s >= 0; s -= 8)
            d.push_back(static_cast<char>((v >> s) & 0xFF));
    d += static_cast<char>(depth);
    d += static_cast<char>(colourType);
    d += std::string(3, '\0');
    return chunk("IHDR", d);
}

const std::string Signature("\x89PNG\r\n\x1a\n", 8);

} // namespace

TEST_F(HeadlessPng, FrameSurvivesTheRoundTrip)
{
    headless::Frame original = patternFrame(640, 480);
    ASSERT_TRUE(headless::savePng(original, file("frame.png")));
    headless::Frame loaded;
    ASSERT_TRUE(headless::loadPng(file("frame.png"), loaded));
    EXPECT_EQ(loaded.width, 640);
    EXPECT_EQ(loaded.height, 480);
    EXPECT_TRUE(loaded.rgba == original.rgba) << "pixels changed in the round trip";
}

TEST_F(HeadlessPng, FileIsTopDownLikeTheScreen)
{
    // Frame rows are bottom-up; the first row in the file must be the top of the screen.
    headless::Frame f = patternFrame(4, 3);
    ASSERT_TRUE(headless::savePng(f, file("small.png")));
    FILE* fp = fopen(file("small.png").c_str(), "rb");
    ASSERT_NE(fp, nullptr);
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, fp);
    png_read_png(png, info, PNG_TRANSFORM_IDENTITY, nullptr);
    ASSERT_EQ(png_get_color_type(png, info), PNG_COLOR_TYPE_RGBA);
    png_bytepp rows = png_get_rows(png, info);
    EXPECT_EQ(0, memcmp(rows[0], f.at(0, 0), 16)) << "file row 0 is not the screen's top row";
    EXPECT_EQ(0, memcmp(rows[2], f.at(0, 2), 16)) << "file row 2 is not the screen's bottom row";
    png_destroy_read_struct(&png, &info, nullptr);
    fclose(fp);
}

TEST_F(HeadlessPng, GreyFileLoadsAsOpaqueRgba)
{
    // Written with libpng directly: an 8-bit grey picture, 2 x 2, top row 0 and 255, bottom row 128 and 64.
    FILE* fp = fopen(file("grey.png").c_str(), "wb");
    ASSERT_NE(fp, nullptr);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, fp);
    png_set_IHDR(png, info, 2, 2, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_byte top[2] = {0, 255}, bottom[2] = {128, 64};
    png_write_row(png, top);
    png_write_row(png, bottom);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    fclose(fp);

    headless::Frame f;
    ASSERT_TRUE(headless::loadPng(file("grey.png"), f));
    ASSERT_EQ(f.width, 2);
    ASSERT_EQ(f.height, 2);
    const struct {
        int x, y;
        uint8_t v;
    } expected[] = {{0, 0, 0}, {1, 0, 255}, {0, 1, 128}, {1, 1, 64}};
    for (const auto& e : expected) {
        const uint8_t* p = f.at(e.x, e.y);
        EXPECT_TRUE(p[0] == e.v && p[1] == e.v && p[2] == e.v && p[3] == 255)
            << "pixel (" << e.x << "," << e.y << ") should be grey " << int(e.v);
    }
}

TEST_F(HeadlessPng, MalformedFilesFailAndLeaveTheOutputAlone)
{
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"empty file", ""},
        {"not a PNG", "BM6\x10\x0e\x00 not a png at all"},
        {"signature only", Signature},
        {"header claims 100000 x 100000", Signature + ihdr(100000, 100000, 8, 6)},
        {"header claims zero width", Signature + ihdr(0, 10, 8, 6)},
        {"invalid bit depth", Signature + ihdr(4, 4, 7, 6)},
        {"header but no image data", Signature + ihdr(4, 4, 8, 6) + chunk("IEND", "")},
        {"truncated header", Signature + ihdr(4, 4, 8, 6).substr(0, 10)},
    };
    for (const auto& c : cases) {
        writeBytes(file("bad.png"), c.bytes);
        headless::Frame out = patternFrame(3, 2);
        const headless::Frame before = out;
        EXPECT_FALSE(headless::loadPng(file("bad.png"), out)) << c.what << " was accepted";
        EXPECT_TRUE(out.width == before.width && out.height == before.height && out.rgba == before.rgba)
            << c.what << ": a failed load changed the output";
    }
    headless::Frame out;
    EXPECT_FALSE(headless::loadPng(file("missing.png"), out)) << "a missing file was accepted";
}

TEST_F(HeadlessPng, SaveRefusesInconsistentFramesAndUnwritablePaths)
{
    headless::Frame bad = patternFrame(4, 4);
    bad.rgba.resize(10);
    EXPECT_FALSE(headless::savePng(bad, file("bad.png"))) << "a frame shorter than its size was written";
    EXPECT_FALSE(headless::savePng(headless::Frame{}, file("empty.png")));
    EXPECT_FALSE(headless::savePng(patternFrame(2, 2), file("no/such/dir.png")));
}
