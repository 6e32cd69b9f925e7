// SPDX-License-Identifier: MIT
// The MIDI writer: event lists per track, sorted and delta-encoded into "MTrk" chunks after an
// "MThd" header.
#include "midi_writer.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

constexpr int NoteOffPriority = 0;
constexpr int ControlPriority = 1;
constexpr int NoteOnPriority = 2;

uint8_t bits7(int v)
{
    return static_cast<uint8_t>(std::clamp(v, 0, 127));
}
uint8_t channelOf(int channel)
{
    return static_cast<uint8_t>(channel & 0x0f);
}

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v >> 16);
    put16(out, v & 0xffff);
}

} // namespace

void appendVariableLength(std::vector<uint8_t>& out, uint32_t v)
{
    uint8_t groups[5];
    int count = 0;
    do {
        groups[count++] = static_cast<uint8_t>(v & 0x7f);
        v >>= 7;
    } while (v != 0);
    for (int i = count - 1; i >= 0; --i) {
        out.push_back(static_cast<uint8_t>(groups[i] | (i > 0 ? 0x80 : 0x00)));
    }
}

void MidiTrack::add(uint32_t tick, int priority, std::vector<uint8_t> bytes)
{
    events.push_back({tick, priority, static_cast<uint32_t>(events.size()), std::move(bytes)});
}

void MidiTrack::note(uint32_t tick, uint32_t length, int channel, int key, int velocity)
{
    add(tick, NoteOnPriority,
        {static_cast<uint8_t>(0x90 | channelOf(channel)), bits7(key), bits7(std::max(1, velocity))});
    add(tick + std::max(1u, length), NoteOffPriority,
        {static_cast<uint8_t>(0x80 | channelOf(channel)), bits7(key), 64});
}

void MidiTrack::programChange(uint32_t tick, int channel, int program)
{
    add(tick, ControlPriority, {static_cast<uint8_t>(0xC0 | channelOf(channel)), bits7(program)});
}

void MidiTrack::controlChange(uint32_t tick, int channel, int controller, int value)
{
    add(tick, ControlPriority, {static_cast<uint8_t>(0xB0 | channelOf(channel)), bits7(controller), bits7(value)});
}

void MidiTrack::tempo(uint32_t tick, double beatsPerMinute)
{
    auto micros = static_cast<uint32_t>(std::lround(60000000.0 / beatsPerMinute));
    add(tick, ControlPriority,
        {0xFF, 0x51, 0x03, static_cast<uint8_t>(micros >> 16), static_cast<uint8_t>(micros >> 8),
         static_cast<uint8_t>(micros)});
}

void MidiTrack::timeSignature(uint32_t tick, int numerator, int denominatorPower)
{
    add(tick, ControlPriority, {0xFF, 0x58, 0x04, bits7(numerator), bits7(denominatorPower), 24, 8});
}

void MidiTrack::name(uint32_t tick, const std::string& text)
{
    std::vector<uint8_t> bytes = {0xFF, 0x03};
    appendVariableLength(bytes, static_cast<uint32_t>(text.size()));
    bytes.insert(bytes.end(), text.begin(), text.end());
    add(tick, ControlPriority, std::move(bytes));
}

std::vector<uint8_t> MidiTrack::encode(uint32_t endTick) const
{
    std::vector<Event> sorted = events;
    std::sort(sorted.begin(), sorted.end(), [](const Event& a, const Event& b) {
        if (a.tick != b.tick)
            return a.tick < b.tick;
        if (a.priority != b.priority)
            return a.priority < b.priority;
        return a.sequence < b.sequence;
    });
    std::vector<uint8_t> out;
    uint32_t now = 0;
    for (const Event& e : sorted) {
        appendVariableLength(out, e.tick - now);
        out.insert(out.end(), e.bytes.begin(), e.bytes.end());
        now = e.tick;
    }
    appendVariableLength(out, std::max(endTick, now) - now);
    out.insert(out.end(), {0xFF, 0x2F, 0x00});
    return out;
}

bool writeMidiFile(const std::string& path, const std::vector<MidiTrack>& tracks, uint16_t ticksPerBeat,
                   uint32_t endTick)
{
    std::vector<uint8_t> out = {'M', 'T', 'h', 'd'};
    put32(out, 6);
    put16(out, 1); // format 1: simultaneous tracks
    put16(out, static_cast<uint32_t>(tracks.size()));
    put16(out, ticksPerBeat);
    for (const MidiTrack& track : tracks) {
        std::vector<uint8_t> payload = track.encode(endTick);
        out.insert(out.end(), {'M', 'T', 'r', 'k'});
        put32(out, static_cast<uint32_t>(payload.size()));
        out.insert(out.end(), payload.begin(), payload.end());
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
