// SPDX-License-Identifier: MIT
// Composing the song. The form is intro, A, B, A, B, outro (40 bars in G major); each part walks its
// chord list one chord per bar. Accompaniment comes from fixed patterns per instrument, the lead
// melody from a seeded generator: one two-bar rhythm per part, pitches led by the chords (chord
// tones on the beat, scale steps between), a long tonic note to close each phrase.
//
// Sections: constants and helpers, the melody generator, the accompaniment, the drums, the song.
#include "music.h"

#include <algorithm>
#include <cstdlib>

namespace {

// --- Constants and helpers -----------------------------------------------------------------------

constexpr uint32_t Beat = MusicTicksPerBeat;
constexpr uint32_t Eighth = Beat / 2;
constexpr uint32_t Sixteenth = Beat / 4;
constexpr uint32_t Bar = 4 * Beat;

constexpr int KeysChannel = 0;
constexpr int BassChannel = 1;
constexpr int PadChannel = 2;
constexpr int LeadChannel = 3;
constexpr int DrumChannel = 9; // General MIDI percussion

// General MIDI programs (0-based) and percussion keys.
constexpr int ElectricPiano = 4;
constexpr int FingerBass = 33;
constexpr int Strings = 48;
constexpr int SquareLead = 80;
constexpr int Vibraphone = 11;
constexpr int Kick = 36;
constexpr int Snare = 38;
constexpr int ClosedHat = 42;
constexpr int OpenHat = 46;
constexpr int Crash = 49;
constexpr int HighTom = 50;
constexpr int MidTom = 47;
constexpr int LowTom = 45;

constexpr int Tonic = 55; // G3
constexpr int MajorScale[7] = {0, 2, 4, 5, 7, 9, 11};

// The MIDI key of a scale degree counted from the tonic G3 (degree 7 is G4).
int keyOf(int degree)
{
    int octave = degree >= 0 ? degree / 7 : -((6 - degree) / 7);
    return Tonic + 12 * octave + MajorScale[degree - 7 * octave];
}

bool isChordTone(int degree, int chordRoot)
{
    int step = ((degree - chordRoot) % 7 + 7) % 7;
    return step == 0 || step == 2 || step == 4;
}

// A small deterministic generator (SplitMix64), so the song is the same on every build.
struct Random {
    uint64_t state;
    uint32_t next()
    {
        uint64_t z = (state += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return static_cast<uint32_t>((z ^ (z >> 31)) >> 32);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
    int jitter(int amount) { return below(2 * amount + 1) - amount; }
};

struct Part {
    std::vector<int> chords; // scale degree of each bar's chord root (0 = I)
    int energy;              // 0 calm, 1 groove, 2 full
    int leadProgram;         // the melody's instrument, or -1 for no melody
    uint64_t rhythmSeed;     // parts with the same seed share their melody's rhythm
    uint64_t pitchSeed;
};

// --- The melody generator ------------------------------------------------------------------------

// One bar of melody rhythm as note lengths in eighths (summing to 8); a negative length is a rest.
std::vector<int> barRhythm(Random& random)
{
    static const std::vector<std::vector<int>> cells = {
        {2}, {1, 1}, {1, 1}, {-1, 1}, {2}, {1, 1},
    };
    static const std::vector<std::vector<int>> longCells = {{3, 1}, {1, 2, 1}, {4}, {2, 1, 1}};
    std::vector<int> bar;
    int filled = 0;
    while (filled < 8) {
        const std::vector<int>& cell = (filled % 4 == 0 && random.below(3) == 0)
            ? longCells[static_cast<size_t>(random.below(4))]
            : cells[static_cast<size_t>(random.below(6))];
        for (int length : cell) {
            bar.push_back(length);
            filled += std::abs(length);
        }
    }
    return bar;
}

struct MelodyState {
    int degree = 9; // B4, the third of G
    int direction = 1;
};

// Picks the next degree: on the beat the chord tone nearest to a step in the current direction,
// off the beat the neighbouring scale tone; the line turns around at the edges of the range.
int nextDegree(MelodyState& state, int chordRoot, bool onBeat, Random& random)
{
    constexpr int Low = 6;   // F#4
    constexpr int High = 15; // A5
    if (random.below(5) == 0) {
        state.direction = -state.direction;
    }
    if (state.degree >= High - 1)
        state.direction = -1;
    if (state.degree <= Low + 1)
        state.direction = 1;
    int stride = onBeat ? 1 + random.below(3) : 1;
    int target = state.degree + state.direction * stride;
    int best = target;
    if (onBeat) {
        int bestDistance = 99;
        for (int d = Low; d <= High; ++d) {
            if (isChordTone(d, chordRoot) && std::abs(d - target) < bestDistance) {
                best = d;
                bestDistance = std::abs(d - target);
            }
        }
    }
    state.degree = std::clamp(best, Low, High);
    return state.degree;
}

void writeLead(MidiTrack& track, const Part& part, uint32_t start)
{
    Random rhythmRandom{part.rhythmSeed};
    std::vector<int> motif[2] = {barRhythm(rhythmRandom), barRhythm(rhythmRandom)};
    Random pitchRandom{part.pitchSeed};
    MelodyState state;
    const int bars = static_cast<int>(part.chords.size());
    for (int bar = 0; bar < bars; ++bar) {
        uint32_t barStart = start + static_cast<uint32_t>(bar) * Bar;
        int chord = part.chords[static_cast<size_t>(bar)];
        bool phraseEnd = bar % 4 == 3;
        if (phraseEnd) {
            // Close the phrase: a short pickup, then a long note on a chord tone near the middle.
            int degree = nextDegree(state, chord, true, pitchRandom);
            track.note(barStart, Beat, LeadChannel, keyOf(degree), 92 + pitchRandom.jitter(5));
            int home = (bar == bars - 1) ? 7 + chord % 7 : 9 + chord % 7;
            while (home > 14)
                home -= 7;
            state.degree = home;
            track.note(barStart + Beat, 2 * Beat + Eighth, LeadChannel, keyOf(home), 96 + pitchRandom.jitter(5));
            continue;
        }
        uint32_t at = barStart;
        for (int length : motif[bar % 2]) {
            uint32_t ticks = static_cast<uint32_t>(std::abs(length)) * Eighth;
            if (length > 0) {
                bool onBeat = (at - barStart) % Beat == 0;
                int degree = nextDegree(state, chord, onBeat, pitchRandom);
                int accent = (at - barStart) % (2 * Beat) == 0 ? 10 : 0;
                track.note(at, ticks - ticks / 8, LeadChannel, keyOf(degree), 84 + accent + pitchRandom.jitter(6));
            }
            at += ticks;
        }
    }
}

// --- The accompaniment ---------------------------------------------------------------------------

// The chord's three tones voiced around middle C, each moved to the octave nearest to the same voice
// of the previous chord, so the keys glide from chord to chord.
std::vector<int> voiceChord(int chordRoot, std::vector<int>& previous)
{
    std::vector<int> keys;
    for (int i = 0; i < 3; ++i) {
        int key = keyOf(chordRoot + 2 * i);
        int near = previous.empty() ? 62 : previous[static_cast<size_t>(i)];
        while (key < near - 6)
            key += 12;
        while (key > near + 6)
            key -= 12;
        keys.push_back(key);
    }
    previous = keys;
    return keys;
}

void writeKeys(MidiTrack& track, int chord, int energy, uint32_t barStart, std::vector<int>& voicing, Random& random)
{
    std::vector<int> keys = voiceChord(chord, voicing);
    // Energy 0 holds the chord; otherwise a 3 + 3 + 2 eighths pattern pushes the groove.
    const std::vector<std::pair<int, int>> hits = energy == 0
        ? std::vector<std::pair<int, int>>{{0, 8}}
        : std::vector<std::pair<int, int>>{{0, 3}, {3, 3}, {6, 2}};
    for (auto [position, length] : hits) {
        for (int key : keys) {
            uint32_t ticks = static_cast<uint32_t>(length) * Eighth;
            track.note(barStart + static_cast<uint32_t>(position) * Eighth, ticks - Sixteenth, KeysChannel, key,
                       (energy == 0 ? 64 : 76) + random.jitter(5));
        }
    }
}

void writeBass(MidiTrack& track, int chord, int nextChord, int energy, uint32_t barStart, Random& random)
{
    int root = keyOf(chord) - 12; // G2 and up
    if (root > 50)
        root -= 12;
    int fifth = keyOf(chord + 4) - 12;
    while (fifth < root)
        fifth += 12;
    int nextRoot = keyOf(nextChord) - 12;
    if (nextRoot > 50)
        nextRoot -= 12;
    int approach = nextRoot + (nextRoot > root ? -1 : 1); // a semitone into the next root
    if (energy == 0) {
        track.note(barStart, 2 * Beat - Sixteenth, BassChannel, root, 84);
        track.note(barStart + 2 * Beat, 2 * Beat - Sixteenth, BassChannel, fifth, 78);
        return;
    }
    const int line[5][2] = {{0, root}, {3, root}, {4, fifth}, {6, root + 12}, {7, approach}};
    const int lengths[5] = {3, 1, 2, 1, 1};
    for (int i = 0; i < 5; ++i) {
        uint32_t ticks = static_cast<uint32_t>(lengths[i]) * Eighth;
        int velocity = (i == 0 ? 100 : 86) + random.jitter(5);
        track.note(barStart + static_cast<uint32_t>(line[i][0]) * Eighth, ticks - ticks / 6, BassChannel, line[i][1],
                   velocity);
    }
}

void writePad(MidiTrack& track, int chord, int energy, uint32_t barStart)
{
    int velocity = energy == 2 ? 62 : 52;
    int root = keyOf(chord);
    if (root > 60)
        root -= 12;
    for (int key : {root, keyOf(chord + 2), keyOf(chord + 4), root + 12}) {
        track.note(barStart, Bar - Sixteenth, PadChannel, key, velocity);
    }
}

// --- The drums -------------------------------------------------------------------------------------

void writeDrumBar(MidiTrack& track, int energy, bool firstBar, bool fillBar, uint32_t barStart, Random& random)
{
    auto hit = [&](uint32_t at, int key, int velocity) {
        track.note(barStart + at, Sixteenth, DrumChannel, key, velocity + random.jitter(4));
    };
    if (firstBar) {
        hit(0, Crash, 100);
    }
    for (int e = 0; e < 8; ++e) {
        bool last = e == 7;
        if (energy == 2 && last && !fillBar) {
            hit(static_cast<uint32_t>(e) * Eighth, OpenHat, 80);
        } else {
            hit(static_cast<uint32_t>(e) * Eighth, ClosedHat, e % 2 == 0 ? 86 : 62);
        }
    }
    hit(0, Kick, 110);
    hit(2 * Beat, Kick, 104);
    if (energy == 2 && random.below(2) == 0) {
        hit(2 * Beat + Eighth, Kick, 90);
    }
    hit(Beat, Snare, 100);
    if (!fillBar) {
        hit(3 * Beat, Snare, 102);
        return;
    }
    // Fill over the last beat: four sixteenths down the toms, growing louder.
    const int toms[4] = {Snare, HighTom, MidTom, LowTom};
    for (int i = 0; i < 4; ++i) {
        hit(3 * Beat + static_cast<uint32_t>(i) * Sixteenth, toms[i], 88 + 6 * i);
    }
}

void writeIntroDrums(MidiTrack& track, int bar, uint32_t barStart)
{
    // Two bars of keys alone, then the hats count the band in.
    if (bar < 2)
        return;
    for (int e = 0; e < 8; ++e) {
        track.note(barStart + static_cast<uint32_t>(e) * Eighth, Sixteenth, DrumChannel, ClosedHat,
                   e % 2 == 0 ? 76 : 54);
    }
    track.note(barStart, Sixteenth, DrumChannel, Kick, 96);
    if (bar == 3) {
        for (int i = 0; i < 4; ++i) {
            track.note(barStart + 3 * Beat + static_cast<uint32_t>(i) * Sixteenth, Sixteenth, DrumChannel, Snare,
                       80 + 8 * i);
        }
    }
}

// --- The song ----------------------------------------------------------------------------------------

void setUpChannel(MidiTrack& track, const char* title, int channel, int program, int volume, int pan)
{
    track.name(0, title);
    if (program >= 0) {
        track.programChange(0, channel, program);
    }
    track.controlChange(0, channel, 7, volume); // channel volume
    track.controlChange(0, channel, 10, pan);   // pan
    track.controlChange(0, channel, 91, 40);    // reverb send
}

} // namespace

Song composeSong()
{
    const std::vector<int> verse = {0, 4, 5, 3, 0, 4, 3, 4};  // I V vi IV | I V IV V
    const std::vector<int> bridge = {3, 4, 2, 5, 1, 4, 0, 4}; // IV V iii vi | ii V I V
    const std::vector<Part> parts = {
        {{0, 3, 0, 4}, 0, -1, 0, 0},
        {verse, 1, SquareLead, 0x51ab, 0x7301},
        {bridge, 2, Vibraphone, 0x1c0d, 0x2e55},
        {verse, 2, SquareLead, 0x51ab, 0x9a12},
        {bridge, 2, Vibraphone, 0x1c0d, 0x44f3},
        {{0, 3, 4, 0}, 1, -1, 0, 0},
    };

    Song song;
    song.tracks.resize(6);
    MidiTrack& conductor = song.tracks[0];
    conductor.name(0, "Rolling Along");
    conductor.tempo(0, MusicTempo);
    conductor.timeSignature(0, 4, 2);
    MidiTrack& keys = song.tracks[1];
    MidiTrack& bass = song.tracks[2];
    MidiTrack& pad = song.tracks[3];
    MidiTrack& lead = song.tracks[4];
    MidiTrack& drums = song.tracks[5];
    setUpChannel(keys, "Keys", KeysChannel, ElectricPiano, 88, 44);
    setUpChannel(bass, "Bass", BassChannel, FingerBass, 104, 64);
    setUpChannel(pad, "Strings", PadChannel, Strings, 72, 84);
    setUpChannel(lead, "Lead", LeadChannel, SquareLead, 84, 64);
    setUpChannel(drums, "Drums", DrumChannel, -1, 100, 64);

    Random feel{0x5eed};
    std::vector<int> voicing;
    uint32_t at = 0;
    for (size_t p = 0; p < parts.size(); ++p) {
        const Part& part = parts[p];
        if (part.leadProgram >= 0) {
            lead.programChange(at, LeadChannel, part.leadProgram);
            writeLead(lead, part, at);
        }
        const int bars = static_cast<int>(part.chords.size());
        for (int bar = 0; bar < bars; ++bar) {
            uint32_t barStart = at + static_cast<uint32_t>(bar) * Bar;
            int chord = part.chords[static_cast<size_t>(bar)];
            bool lastBarOfSong = p + 1 == parts.size() && bar + 1 == bars;
            int nextChord = bar + 1 < bars ? part.chords[static_cast<size_t>(bar + 1)]
                                           : (p + 1 < parts.size() ? parts[p + 1].chords[0] : 0);
            if (lastBarOfSong) {
                // The final tonic, held, with one crash: the track can loop back to the intro's G.
                std::vector<int> final = voiceChord(chord, voicing);
                for (int key : final)
                    keys.note(barStart, Bar - Beat, KeysChannel, key, 70);
                bass.note(barStart, Bar - Beat, BassChannel, keyOf(chord) - 12, 92);
                writePad(pad, chord, 1, barStart);
                drums.note(barStart, Sixteenth, DrumChannel, Crash, 96);
                drums.note(barStart, Sixteenth, DrumChannel, Kick, 104);
                continue;
            }
            writeKeys(keys, chord, part.energy, barStart, voicing, feel);
            writeBass(bass, chord, nextChord, part.energy, barStart, feel);
            writePad(pad, chord, part.energy, barStart);
            if (p == 0) {
                writeIntroDrums(drums, bar, barStart);
            } else {
                writeDrumBar(drums, part.energy, bar == 0, bar + 1 == bars, barStart, feel);
            }
        }
        at += static_cast<uint32_t>(bars) * Bar;
    }
    song.endTick = at;
    return song;
}

bool writeMusic(const std::string& folder)
{
    Song song = composeSong();
    return writeMidiFile(folder + "/mi_movie.mid", song.tracks, static_cast<uint16_t>(MusicTicksPerBeat), song.endTick);
}
