// SPDX-License-Identifier: MIT
// The WAV writer: little-endian RIFF header, PCM format chunk, then the samples as signed 16-bit.
// What the samples are is up to cues.cpp.
#include "wav_writer.h"
#include "little_endian.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>

namespace {

void putTag(std::vector<uint8_t>& out, const char* tag)
{
    out.insert(out.end(), tag, tag + 4);
}

} // namespace

bool writeWav(const std::string& path, const std::vector<float>& samples, int sampleRate)
{
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    const uint32_t rate = static_cast<uint32_t>(sampleRate);
    std::vector<uint8_t> out;
    out.reserve(44 + dataBytes);
    putTag(out, "RIFF");
    put32(out, 36 + dataBytes);
    putTag(out, "WAVE");
    putTag(out, "fmt ");
    put32(out, 16);       // format chunk size
    put16(out, 1);        // PCM
    put16(out, 1);        // mono
    put32(out, rate);     // samples per second
    put32(out, rate * 2); // bytes per second
    put16(out, 2);        // bytes per sample frame
    put16(out, 16);       // bits per sample
    putTag(out, "data");
    put32(out, dataBytes);
    for (float s : samples) {
        long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
        put16(out, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xffff);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return static_cast<bool>(file);
}
