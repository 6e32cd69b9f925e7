// SPDX-License-Identifier: MIT
// Little-endian byte writers shared by the BMP and WAV writers (MIDI is big-endian: midi_writer.cpp).
#pragma once

#include <cstdint>
#include <vector>

inline void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

inline void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}
