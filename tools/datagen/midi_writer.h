// SPDX-License-Identifier: MIT
// Standard MIDI files: tracks of timed events, encoded with variable-length delta times and closed by
// an end-of-track event, written as format 1 (all tracks play together).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class MidiTrack {
public:
    // Channel messages; channel 0..15, key and velocity 0..127.
    void note(uint32_t tick, uint32_t length, int channel, int key, int velocity);
    void programChange(uint32_t tick, int channel, int program);
    void controlChange(uint32_t tick, int channel, int controller, int value);
    // Meta events.
    void tempo(uint32_t tick, double beatsPerMinute);
    void timeSignature(uint32_t tick, int numerator, int denominatorPower);
    void name(uint32_t tick, const std::string& text);

    // The track chunk's payload: events in time order (at one tick: note-offs first, then controls,
    // then note-ons, each group in insertion order), ending with end-of-track at endTick or at the
    // last event, whichever is later.
    std::vector<uint8_t> encode(uint32_t endTick) const;

private:
    struct Event {
        uint32_t tick;
        int priority; // order among events at the same tick
        uint32_t sequence;
        std::vector<uint8_t> bytes;
    };
    void add(uint32_t tick, int priority, std::vector<uint8_t> bytes);
    std::vector<Event> events;
};

// Appends v as a variable-length quantity (7 bits a byte, high bit set on all but the last).
void appendVariableLength(std::vector<uint8_t>& out, uint32_t v);

bool writeMidiFile(const std::string& path, const std::vector<MidiTrack>& tracks, uint16_t ticksPerBeat,
                   uint32_t endTick);
