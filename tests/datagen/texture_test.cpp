// SPDX-License-Identifier: MIT
// The board textures: every mip file present and readable by the game at its size, each level the
// box filter of the one above, seamless tiling, and enough structure without texel-sized noise.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "pack_fixture.h"

using namespace packtest;

namespace {

std::string levelFile(const std::string& base, int level)
{
    return base + "_" + std::to_string(level) + ".bmp";
}

// Mean absolute luminance difference between column x and column x2 (or rows, when `rows`).
double lineDifference(const Picture& p, int a, int b, bool rows)
{
    double sum = 0.0;
    for (int i = 0; i < p.width; ++i) {
        sum +=
            rows ? std::fabs(p.luminance(i, a) - p.luminance(i, b)) : std::fabs(p.luminance(a, i) - p.luminance(b, i));
    }
    return sum / p.width;
}

class TextureTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(pack().empty()) << "no data pack: the generator failed"; }

    Picture base(const std::string& name)
    {
        Picture p;
        EXPECT_TRUE(loadPicture(pack() / levelFile(name, 0), p)) << name;
        return p;
    }
};

} // namespace

TEST_F(TextureTest, EveryMipLevelReadsBackAtItsSize)
{
    for (const std::string& name : textureNames()) {
        for (int level = 0; level < 8; ++level) {
            Picture p;
            ASSERT_TRUE(loadPicture(pack() / levelFile(name, level), p)) << levelFile(name, level) << " unreadable";
            EXPECT_EQ(p.width, 128 >> level) << levelFile(name, level);
            EXPECT_EQ(p.height, 128 >> level) << levelFile(name, level);
        }
        EXPECT_FALSE(std::filesystem::exists(pack() / levelFile(name, 8))) << name << " has a ninth level";
    }
}

TEST_F(TextureTest, EachLevelIsTheBoxFilterOfTheLevelAbove)
{
    struct Chain {
        std::string base;
        int levels;
    };
    std::vector<Chain> chains = {{"font", 9}};
    for (const std::string& name : textureNames())
        chains.push_back({name, 8});
    for (const Chain& chain : chains) {
        Picture upper;
        ASSERT_TRUE(loadPicture(pack() / levelFile(chain.base, 0), upper)) << chain.base;
        for (int level = 1; level < chain.levels; ++level) {
            Picture lower;
            ASSERT_TRUE(loadPicture(pack() / levelFile(chain.base, level), lower)) << levelFile(chain.base, level);
            ASSERT_EQ(lower.width, upper.width / 2) << levelFile(chain.base, level);
            int worst = 0;
            for (int y = 0; y < lower.height; ++y) {
                for (int x = 0; x < lower.width; ++x) {
                    for (int c = 0; c < 3; ++c) {
                        int sum = upper.at(2 * x, 2 * y)[c] + upper.at(2 * x + 1, 2 * y)[c] +
                            upper.at(2 * x, 2 * y + 1)[c] + upper.at(2 * x + 1, 2 * y + 1)[c];
                        worst = std::max(worst, std::abs(4 * lower.at(x, y)[c] - sum));
                    }
                }
            }
            // Rounding the mean may move it by half a step: 4 x 0.5 = 2 in the summed scale.
            EXPECT_LE(worst, 2) << levelFile(chain.base, level) << " is not the 2 x 2 mean of level " << level - 1;
            upper = lower;
        }
    }
}

TEST_F(TextureTest, OppositeEdgesContinueAcrossTheWrap)
{
    for (const std::string& name : textureNames()) {
        Picture p = base(name);
        for (bool rows : {false, true}) {
            double largestInterior = 0.0;
            for (int i = 0; i + 1 < 128; ++i) {
                largestInterior = std::max(largestInterior, lineDifference(p, i, i + 1, rows));
            }
            double wrap = lineDifference(p, 127, 0, rows);
            EXPECT_LE(wrap, largestInterior)
                << name << ": the step from the last to the first " << (rows ? "row" : "column") << " (" << wrap
                << ") is larger than any step inside (" << largestInterior << "), so the repeat shows a seam";
        }
    }
}

TEST_F(TextureTest, StructureIsVisibleButNotTexelNoise)
{
    for (const std::string& name : textureNames()) {
        Picture p = base(name);
        double mean = 0.0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x)
                mean += p.luminance(x, y);
        }
        mean /= 128.0 * 128.0;
        double variance = 0.0;
        double neighbour = 0.0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                double d = p.luminance(x, y) - mean;
                variance += d * d;
                neighbour += std::fabs(p.luminance(x, y) - p.luminance((x + 1) % 128, y)) +
                    std::fabs(p.luminance(x, y) - p.luminance(x, (y + 1) % 128));
            }
        }
        double deviation = std::sqrt(variance / (128.0 * 128.0));
        double roughness = neighbour / (2.0 * 128.0 * 128.0) / deviation;
        // Relief reads on the board only through the texture's pattern, so it needs contrast.
        EXPECT_GE(deviation, 10.0) << name << " is too flat to show the relief";
        // Independent noise per texel scores about 1.1; nearest filtering would make that shimmer.
        EXPECT_LE(roughness, 0.5) << name << " varies mostly from texel to texel";
    }
}

TEST_F(TextureTest, TexturesAreDistinct)
{
    const auto& names = textureNames();
    std::vector<Picture> pictures;
    for (const std::string& name : names)
        pictures.push_back(base(name));
    for (size_t a = 0; a < names.size(); ++a) {
        for (size_t b = a + 1; b < names.size(); ++b) {
            double difference = 0.0;
            for (size_t i = 0; i < pictures[a].rgb.size(); ++i) {
                difference += std::abs(pictures[a].rgb[i] - pictures[b].rgb[i]);
            }
            difference /= static_cast<double>(pictures[a].rgb.size());
            EXPECT_GE(difference, 20.0) << names[a] << " and " << names[b] << " look alike";
        }
    }
}
