// SPDX-License-Identifier: MIT
// The BMP reader on hand-made files: byte-exact pixels for odd and even widths, both row orders and
// both usual pixel offsets, and a refusal for every kind of file it must not take.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "level/bmp.h"
#include "level/file_fixture.h"

namespace {

std::string describe(const BmpLayout& layout)
{
    return std::to_string(layout.width) + "x" + std::to_string(layout.height) +
        (layout.topDown ? " top-down" : " bottom-up") + " at offset " + std::to_string(layout.pixelOffset);
}

TEST(Bmp, DecodesEveryLayoutByteExactly)
{
    TempFolder folder;
    const int sizes[][2] = {{1, 1}, {2, 2}, {3, 5}, {4, 4}, {128, 128}, {5, 3}};
    int seed = 0;
    for (const auto& size : sizes) {
        for (bool topDown : {false, true}) {
            for (uint32_t offset : {54u, 138u}) {
                BmpLayout layout;
                layout.width = size[0];
                layout.height = size[1];
                layout.topDown = topDown;
                layout.pixelOffset = offset;
                layout.infoSize = offset == 138 ? 124 : 40;
                std::vector<uint8_t> expected = patternPixels(layout.width, layout.height, ++seed);
                std::vector<uint8_t> file = makeBmp(layout, expected);

                // One spare byte after the picture shows the reader writes exactly width x height x 3.
                std::vector<uint8_t> buffer(expected.size() + 1, 0x5A);
                int width = 0;
                int height = 0;
                ASSERT_TRUE(decodeBmp(file.data(), file.size(), buffer.data(), expected.size(), &width, &height))
                    << describe(layout);
                EXPECT_EQ(width, layout.width) << describe(layout);
                EXPECT_EQ(height, layout.height) << describe(layout);
                EXPECT_TRUE(std::equal(expected.begin(), expected.end(), buffer.begin()))
                    << describe(layout) << ": pixels differ from the picture written";
                EXPECT_EQ(buffer.back(), 0x5A) << describe(layout) << ": wrote past the picture";

                writeFile("picture.bmp", file);
                std::vector<uint8_t> fromFile(expected.size(), 0);
                ASSERT_TRUE(readBmp("picture.bmp", fromFile.data(), fromFile.size())) << describe(layout);
                EXPECT_TRUE(fromFile == expected) << describe(layout) << ": file and memory reads disagree";
            }
        }
    }
}

TEST(Bmp, FirstStoredPixelBecomesRedGreenBlue)
{
    // A 4 x 4 picture whose first stored pixel (bottom-left) is blue 10, green 20, red 30.
    std::vector<uint8_t> rgb(4 * 4 * 3, 0);
    rgb[0] = 30;
    rgb[1] = 20;
    rgb[2] = 10;
    BmpLayout layout;
    layout.width = 4;
    layout.height = 4;
    std::vector<uint8_t> file = makeBmp(layout, rgb);
    ASSERT_EQ(file[54], 10) << "the file stores blue first";
    std::vector<uint8_t> buffer(rgb.size());
    ASSERT_TRUE(decodeBmp(file.data(), file.size(), buffer.data(), buffer.size()));
    EXPECT_EQ(buffer[0], 30);
    EXPECT_EQ(buffer[1], 20);
    EXPECT_EQ(buffer[2], 10);
}

TEST(Bmp, RowPaddingIsSkipped)
{
    // Width 2: six pixel bytes and two padding bytes (0xCC) per stored row; none of the padding may
    // reach the buffer, and the second row must start at its own pixels.
    std::vector<uint8_t> rgb = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
    BmpLayout layout;
    layout.width = 2;
    layout.height = 2;
    std::vector<uint8_t> file = makeBmp(layout, rgb);
    ASSERT_EQ(file.size(), 54u + 16u);
    std::vector<uint8_t> buffer(12);
    ASSERT_TRUE(decodeBmp(file.data(), file.size(), buffer.data(), buffer.size()));
    EXPECT_EQ(buffer, rgb);
}

TEST(Bmp, AcceptsAFileThatEndsRightAfterItsLastPixel)
{
    TempFolder folder;
    BmpLayout layout;
    layout.width = 3;
    layout.height = 2;
    layout.omitLastRowPadding = true;
    std::vector<uint8_t> rgb = patternPixels(3, 2, 9);
    std::vector<uint8_t> file = makeBmp(layout, rgb);
    ASSERT_EQ(file.size(), 54u + 12u + 9u);
    std::vector<uint8_t> buffer(rgb.size());
    EXPECT_TRUE(decodeBmp(file.data(), file.size(), buffer.data(), buffer.size()));
    EXPECT_EQ(buffer, rgb);
    writeFile("short.bmp", file);
    EXPECT_TRUE(readBmp("short.bmp", buffer.data(), buffer.size()));
}

TEST(Bmp, RefusesWhatItCannotReadWithoutTouchingTheBuffer)
{
    TempFolder folder;
    BmpLayout layout;
    layout.width = 3;
    layout.height = 5;
    const std::vector<uint8_t> good = makeBmp(layout, patternPixels(3, 5, 4));
    const size_t needed = 3 * 5 * 3;
    const size_t storedPixels = 12 * 5;

    struct Broken {
        const char* what;
        std::vector<uint8_t> file;
        size_t capacity;
    };
    std::vector<Broken> cases;
    auto mutatedWithCapacity = [&](const char* what, auto change, size_t capacity) {
        std::vector<uint8_t> file = good;
        change(file);
        cases.push_back({what, file, capacity});
    };
    auto mutated = [&](const char* what, auto change) { mutatedWithCapacity(what, change, needed); };
    mutated("shorter than its headers", [](auto& f) { f.resize(53); });
    mutated("empty", [](auto& f) { f.clear(); });
    mutated("one pixel byte short", [&](auto& f) { f.resize(54 + storedPixels - 3 - 1); });
    mutated("headers only", [](auto& f) { f.resize(54); });
    mutated("width 0", [](auto& f) { patch32(f, 18, 0); });
    mutated("height 0", [](auto& f) { patch32(f, 22, 0); });
    mutated("negative width", [](auto& f) { patch32(f, 18, static_cast<uint32_t>(-3)); });
    mutated("width 16385", [](auto& f) { patch32(f, 18, 16385); });
    mutated("height -16385", [](auto& f) { patch32(f, 22, static_cast<uint32_t>(-16385)); });
    mutated("height of the most negative int", [](auto& f) { patch32(f, 22, 0x80000000u); });
    mutated("huge width and height", [](auto& f) {
        patch32(f, 18, 0x7FFFFFFF);
        patch32(f, 22, 0x7FFFFFFF);
    });
    mutated("32 bits per pixel", [](auto& f) { patch16(f, 28, 32); });
    mutated("8 bits per pixel", [](auto& f) { patch16(f, 28, 8); });
    mutated("run-length compressed", [](auto& f) { patch32(f, 30, 1); });
    mutated("bit fields", [](auto& f) { patch32(f, 30, 3); });
    mutated("no planes", [](auto& f) { patch16(f, 26, 0); });
    mutated("two planes", [](auto& f) { patch16(f, 26, 2); });
    mutated("pixel offset inside the headers", [](auto& f) { patch32(f, 10, 53); });
    mutated("pixel offset 0", [](auto& f) { patch32(f, 10, 0); });
    mutated("pixel offset past the end", [&](auto& f) { patch32(f, 10, static_cast<uint32_t>(f.size() + 1)); });
    mutated("pixel offset near 4 GiB", [](auto& f) { patch32(f, 10, 0xFFFFFFF0u); });
    mutated("old 12-byte core header", [](auto& f) { patch32(f, 14, 12); });
    mutated("info header reaching past the pixel offset", [](auto& f) { patch32(f, 14, 41); });
    mutatedWithCapacity(
        "pixels larger than the buffer", [](auto&) {}, needed - 1);

    for (const Broken& c : cases) {
        std::vector<uint8_t> buffer(needed + 16, 0x77);
        int width = -5;
        EXPECT_FALSE(decodeBmp(c.file.data(), c.file.size(), buffer.data(), c.capacity, &width)) << c.what;
        EXPECT_EQ(width, -5) << c.what << ": the size must be reported only on success";
        writeFile("broken.bmp", c.file);
        EXPECT_FALSE(readBmp("broken.bmp", buffer.data(), c.capacity)) << c.what << " (from a file)";
        EXPECT_TRUE(std::all_of(buffer.begin(), buffer.end(), [](uint8_t b) { return b == 0x77; }))
            << c.what << ": the buffer was written";
    }

    std::vector<uint8_t> buffer(needed);
    EXPECT_FALSE(readBmp("no such picture.bmp", buffer.data(), buffer.size()));
    std::filesystem::create_directory("folder.bmp");
    EXPECT_FALSE(readBmp("folder.bmp", buffer.data(), buffer.size()));
    EXPECT_FALSE(decodeBmp(nullptr, 0, buffer.data(), buffer.size()));
}

TEST(Bmp, LargestSideIsAccepted)
{
    // 16384 x 1: the bound is inclusive.
    BmpLayout layout;
    layout.width = 16384;
    layout.height = 1;
    std::vector<uint8_t> rgb = patternPixels(16384, 1, 3);
    std::vector<uint8_t> file = makeBmp(layout, rgb);
    std::vector<uint8_t> buffer(rgb.size());
    EXPECT_TRUE(decodeBmp(file.data(), file.size(), buffer.data(), buffer.size()));
    EXPECT_EQ(buffer, rgb);
}

} // namespace
