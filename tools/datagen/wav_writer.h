// SPDX-License-Identifier: MIT
// Writes mono sounds as 16-bit PCM WAV files (RIFF, a 16-byte "fmt " chunk, one "data" chunk).
// The sample rate of every cue is fixed here.
#pragma once

#include <string>
#include <vector>

constexpr int CueSampleRate = 44100;

// Samples are in -1..1 and are clipped there; the file holds them rounded to 16 bits.
bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate);
