// SPDX-License-Identifier: MIT
// The background music: an original upbeat piece composed here from a chord progression and
// rhythm patterns (keys, bass, strings, a generated lead melody and drums), written as a format 1
// standard MIDI file.
#pragma once

#include <string>
#include <vector>

#include "midi_writer.h"

constexpr int MusicTicksPerBeat = 480;
constexpr double MusicTempo = 120.0; // beats per minute, 4/4

struct Song {
    std::vector<MidiTrack> tracks; // the tempo track first
    uint32_t endTick = 0;          // the end of the last bar
};

Song composeSong();

// Writes mi_movie.mid into the folder.
bool writeMusic(const std::string& folder);
