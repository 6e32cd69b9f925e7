// SPDX-License-Identifier: MIT
// The music: a well-formed format 1 standard MIDI file (chunk lengths, events, end-of-track markers),
// 60 to 120 seconds long by its own tempo map, with drums and at least three General MIDI
// instruments (bass, keys, strings), and no note left hanging.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>

#include "pack_fixture.h"

using namespace packtest;

namespace {

struct Event {
    uint32_t tick = 0;
    uint8_t status = 0; // 0xFF for meta events
    uint8_t meta = 0;
    std::vector<uint8_t> data;
};

struct Track {
    std::vector<Event> events;
};

struct MidiFile {
    uint32_t format = 0;
    uint32_t division = 0;
    std::vector<Track> tracks;
};

::testing::AssertionResult readVariable(const std::vector<uint8_t>& b, size_t& at, size_t end, uint32_t& v)
{
    v = 0;
    for (int i = 0; i < 4; ++i) {
        if (at >= end)
            return ::testing::AssertionFailure() << "length runs past the chunk";
        uint8_t c = b[at++];
        v = (v << 7) | (c & 0x7f);
        if ((c & 0x80) == 0)
            return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "variable-length quantity longer than 4 bytes";
}

// Decodes one track chunk's events, running status included; the chunk must end right after its
// one end-of-track event.
::testing::AssertionResult parseTrack(const std::vector<uint8_t>& b, size_t at, size_t end, Track& track)
{
    uint32_t tick = 0;
    uint8_t running = 0;
    while (at < end) {
        uint32_t delta = 0;
        if (auto r = readVariable(b, at, end, delta); !r)
            return r;
        tick += delta;
        if (at >= end)
            return ::testing::AssertionFailure() << "event missing after a delta time";
        Event e;
        e.tick = tick;
        uint8_t first = b[at];
        if (first == 0xFF) {
            if (at + 2 > end)
                return ::testing::AssertionFailure() << "truncated meta event";
            e.status = 0xFF;
            e.meta = b[at + 1];
            at += 2;
            uint32_t length = 0;
            if (auto r = readVariable(b, at, end, length); !r)
                return r;
            if (at + length > end)
                return ::testing::AssertionFailure() << "meta event runs past the chunk";
            e.data.assign(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + length));
            at += length;
            track.events.push_back(e);
            if (e.meta == 0x2F) {
                if (at != end)
                    return ::testing::AssertionFailure() << "events after end-of-track";
                return ::testing::AssertionSuccess();
            }
            continue;
        }
        if (first == 0xF0 || first == 0xF7) {
            ++at;
            uint32_t length = 0;
            if (auto r = readVariable(b, at, end, length); !r)
                return r;
            at += length;
            continue;
        }
        if (first & 0x80) {
            running = first;
            ++at;
        } else if (running == 0) {
            return ::testing::AssertionFailure() << "data byte without a status";
        }
        e.status = running;
        size_t length = ((running & 0xF0) == 0xC0 || (running & 0xF0) == 0xD0) ? 1 : 2;
        if (at + length > end)
            return ::testing::AssertionFailure() << "channel event runs past the chunk";
        for (size_t i = 0; i < length; ++i) {
            if (b[at + i] & 0x80)
                return ::testing::AssertionFailure() << "data byte with the high bit set";
            e.data.push_back(b[at + i]);
        }
        at += length;
        track.events.push_back(e);
    }
    return ::testing::AssertionFailure() << "track without end-of-track";
}

::testing::AssertionResult parseMidi(const std::vector<uint8_t>& b, MidiFile& out)
{
    if (b.size() < 14 || std::memcmp(b.data(), "MThd", 4) != 0 || be32(b.data() + 4) != 6) {
        return ::testing::AssertionFailure() << "no 6-byte MThd header";
    }
    out.format = be16(b.data() + 8);
    uint32_t count = be16(b.data() + 10);
    out.division = be16(b.data() + 12);
    size_t at = 14;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 8 > b.size() || std::memcmp(b.data() + at, "MTrk", 4) != 0) {
            return ::testing::AssertionFailure() << "track " << i << " chunk missing";
        }
        size_t length = be32(b.data() + at + 4);
        if (at + 8 + length > b.size())
            return ::testing::AssertionFailure() << "track " << i << " longer than the file";
        Track track;
        if (auto r = parseTrack(b, at + 8, at + 8 + length, track); !r)
            return r << " (track " << i << ")";
        out.tracks.push_back(track);
        at += 8 + length;
    }
    if (at != b.size())
        return ::testing::AssertionFailure() << b.size() - at << " bytes after the last track";
    return ::testing::AssertionSuccess();
}

// Seconds at the given tick, from every tempo event of every track (default 120 beats a minute).
double secondsAt(const MidiFile& midi, uint32_t tick)
{
    std::map<uint32_t, uint32_t> tempo = {{0, 500000}};
    for (const Track& t : midi.tracks) {
        for (const Event& e : t.events) {
            if (e.status == 0xFF && e.meta == 0x51 && e.data.size() == 3) {
                tempo[e.tick] = (e.data[0] << 16) | (e.data[1] << 8) | e.data[2];
            }
        }
    }
    double seconds = 0.0;
    for (auto it = tempo.begin(); it != tempo.end() && it->first < tick; ++it) {
        auto next = std::next(it);
        uint32_t until = (next == tempo.end() || next->first > tick) ? tick : next->first;
        seconds += static_cast<double>(until - it->first) * it->second / 1e6 / midi.division;
    }
    return seconds;
}

class MusicTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(pack().empty()) << "no data pack: the generator failed";
        ASSERT_TRUE(parseMidi(readBytes(pack() / "mi_movie.mid"), midi));
    }
    MidiFile midi;
};

} // namespace

TEST_F(MusicTest, IsAFormatOneFileOfSeveralTracksTimedInBeats)
{
    EXPECT_EQ(midi.format, 1u);
    EXPECT_GE(midi.tracks.size(), 4u);
    EXPECT_EQ(midi.division & 0x8000, 0u) << "time code division instead of ticks per beat";
    EXPECT_GT(midi.division, 0u);
}

TEST_F(MusicTest, LastsBetweenOneAndTwoMinutes)
{
    uint32_t end = 0;
    for (const Track& t : midi.tracks)
        end = std::max(end, t.events.back().tick);
    double seconds = secondsAt(midi, end);
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 120.0);
}

TEST_F(MusicTest, PlaysDrumsAndAtLeastThreeInstruments)
{
    std::set<int> programs;
    bool drums = false;
    for (const Track& t : midi.tracks) {
        for (const Event& e : t.events) {
            int kind = e.status & 0xF0;
            int channel = e.status & 0x0F;
            if (e.status == 0xFF)
                continue;
            if (kind == 0xC0 && channel != 9)
                programs.insert(e.data[0]);
            if (kind == 0x90 && channel == 9 && e.data[1] > 0)
                drums = true;
        }
    }
    EXPECT_TRUE(drums) << "no notes on the percussion channel 10";
    EXPECT_GE(programs.size(), 3u);
    auto any = [&](int from, int to) {
        return std::any_of(programs.begin(), programs.end(), [&](int p) { return p >= from && p <= to; });
    };
    EXPECT_TRUE(any(32, 39)) << "no bass";
    EXPECT_TRUE(any(0, 7)) << "no piano or electric piano";
    EXPECT_TRUE(any(40, 55) || any(88, 95)) << "no strings or pad";
}

TEST_F(MusicTest, EveryNoteEndsBeforeTheTrackDoes)
{
    for (size_t i = 0; i < midi.tracks.size(); ++i) {
        std::map<int, int> sounding; // channel * 128 + key -> notes on
        int notes = 0;
        for (const Event& e : midi.tracks[i].events) {
            int kind = e.status & 0xF0;
            if (e.status == 0xFF)
                continue;
            int key = (e.status & 0x0F) * 128 + e.data[0];
            if (kind == 0x90 && e.data[1] > 0) {
                ++sounding[key];
                ++notes;
            } else if (kind == 0x80 || (kind == 0x90 && e.data[1] == 0)) {
                EXPECT_GT(sounding[key], 0) << "track " << i << ": note-off without a note at tick " << e.tick;
                --sounding[key];
            }
        }
        for (auto [key, count] : sounding) {
            EXPECT_EQ(count, 0) << "track " << i << ": key " << key % 128 << " left sounding";
        }
        if (i > 0) {
            EXPECT_GT(notes, 0) << "track " << i << " plays nothing";
        }
    }
}
