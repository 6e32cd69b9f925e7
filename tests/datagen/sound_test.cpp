// SPDX-License-Identifier: MIT
// The sound cues: valid 16-bit PCM mono WAV files of the intended lengths, silent at both ends (no
// clicks), loud but not clipped, and shaped as meant (the time-up falls, the arpeggio rises).
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "pack_fixture.h"

using namespace packtest;

namespace {

struct Wav {
    uint32_t rate = 0;
    std::vector<int16_t> samples;
};

// Parses the RIFF structure on its own terms: every chunk length must add up to the file.
::testing::AssertionResult parseWav(const std::vector<uint8_t>& b, Wav& out)
{
    if (b.size() < 12 || std::memcmp(b.data(), "RIFF", 4) != 0 || std::memcmp(b.data() + 8, "WAVE", 4) != 0) {
        return ::testing::AssertionFailure() << "not a RIFF WAVE file";
    }
    if (le32(b.data() + 4) != b.size() - 8) {
        return ::testing::AssertionFailure() << "RIFF size " << le32(b.data() + 4) << " but file has " << b.size() - 8;
    }
    bool haveFormat = false;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        uint32_t size = le32(b.data() + at + 4);
        if (at + 8 + size > b.size())
            return ::testing::AssertionFailure() << "chunk runs past the end";
        const uint8_t* body = b.data() + at + 8;
        if (std::memcmp(b.data() + at, "fmt ", 4) == 0) {
            if (size < 16)
                return ::testing::AssertionFailure() << "short fmt chunk";
            if (le16(body) != 1)
                return ::testing::AssertionFailure() << "format " << le16(body) << ", not PCM";
            if (le16(body + 2) != 1)
                return ::testing::AssertionFailure() << le16(body + 2) << " channels";
            out.rate = le32(body + 4);
            if (le16(body + 14) != 16)
                return ::testing::AssertionFailure() << le16(body + 14) << " bits";
            if (le32(body + 8) != out.rate * 2 || le16(body + 12) != 2) {
                return ::testing::AssertionFailure() << "byte rate or block align inconsistent";
            }
            haveFormat = true;
        } else if (std::memcmp(b.data() + at, "data", 4) == 0) {
            if (!haveFormat)
                return ::testing::AssertionFailure() << "data before fmt";
            out.samples.resize(size / 2);
            for (size_t i = 0; i < out.samples.size(); ++i) {
                out.samples[i] = static_cast<int16_t>(le16(body + 2 * i));
            }
        }
        at += 8 + size + (size & 1);
    }
    if (at != b.size())
        return ::testing::AssertionFailure() << "trailing bytes after the last chunk";
    if (out.samples.empty())
        return ::testing::AssertionFailure() << "no data chunk";
    return ::testing::AssertionSuccess();
}

// Zero crossings per second over a stretch: twice the frequency of a dominant tone.
double crossingRate(const Wav& w, double from, double to)
{
    size_t a = static_cast<size_t>(from * w.rate);
    size_t b = std::min(w.samples.size(), static_cast<size_t>(to * w.rate));
    int crossings = 0;
    for (size_t i = a + 1; i < b; ++i) {
        if ((w.samples[i - 1] < 0) != (w.samples[i] < 0))
            ++crossings;
    }
    return crossings / (to - from);
}

Wav loadCue(const char* name)
{
    Wav w;
    EXPECT_TRUE(parseWav(readBytes(pack() / name), w)) << name;
    return w;
}

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(pack().empty()) << "no data pack: the generator failed"; }
};

} // namespace

TEST_F(SoundTest, CuesAreCleanMonoPcmOfTheirLengths)
{
    struct Cue {
        const char* file;
        double seconds;
    };
    const Cue cues[] = {{"menu.wav", 0.08}, {"go.wav", 0.4}, {"timeup.wav", 0.7}, {"allright.wav", 0.7}};
    for (const Cue& cue : cues) {
        Wav w = loadCue(cue.file);
        ASSERT_FALSE(w.samples.empty()) << cue.file;
        EXPECT_EQ(w.rate, 44100u) << cue.file;
        double seconds = static_cast<double>(w.samples.size()) / w.rate;
        EXPECT_NEAR(seconds, cue.seconds, 0.25 * cue.seconds) << cue.file << " length";

        // Start and end at silence: a jump from or to a loud sample is heard as a click.
        EXPECT_LE(std::abs(w.samples.front()), 64) << cue.file << " starts with a click";
        EXPECT_LE(std::abs(w.samples.back()), 64) << cue.file << " ends with a click";
        int peak = 0;
        double energy = 0.0;
        for (int16_t s : w.samples) {
            peak = std::max(peak, std::abs(static_cast<int>(s)));
            energy += static_cast<double>(s) * s;
        }
        double peakDb = 20.0 * std::log10(peak / 32768.0);
        double rmsDb = 10.0 * std::log10(energy / w.samples.size() / (32768.0 * 32768.0));
        EXPECT_NEAR(peakDb, -6.0, 1.0) << cue.file << " peak level";
        EXPECT_GT(rmsDb, -24.0) << cue.file << " is too quiet";
    }
}

TEST_F(SoundTest, TimeUpFallsAndAllRightRises)
{
    Wav timeUp = loadCue("timeup.wav");
    double early = crossingRate(timeUp, 0.02, 0.12);
    double late = crossingRate(timeUp, 0.45, 0.55);
    EXPECT_GT(early, 1.8 * late) << "time-up should glide down (" << early << " vs " << late << " crossings/s)";

    Wav allRight = loadCue("allright.wav");
    double first = crossingRate(allRight, 0.01, 0.09); // the first note alone
    double last = crossingRate(allRight, 0.32, 0.45);  // the top note, loudest while it rings
    EXPECT_GT(last, 1.4 * first) << "the arpeggio should climb (" << first << " vs " << last << " crossings/s)";
}
