// SPDX-License-Identifier: MIT
// The game's four sound cues, synthesised: additive tones shaped by attack and release ramps, so each
// starts and ends at silence, normalised to a peak of about -6 dBFS.
#pragma once

#include <string>
#include <vector>

constexpr float CuePeak = 0.5f; // -6 dBFS

std::vector<float> synthMenuCue();     // a soft blip, 80 ms
std::vector<float> synthGoCue();       // a bright two-tone start signal, 400 ms
std::vector<float> synthTimeUpCue();   // a descending glide, 700 ms
std::vector<float> synthAllRightCue(); // a rising major arpeggio, 700 ms

// Writes menu.wav, go.wav, timeup.wav and allright.wav into the folder.
bool writeCues(const std::string& folder);
