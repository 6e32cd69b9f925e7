// SPDX-License-Identifier: MIT
// SHA-256 of bytes and of whole files (FIPS 180-4), written here so that every build of the game, the
// WebAssembly one included, names a map file by the same digest without a library of its own.
#include "replay/file_hash.h"

#include <array>
#include <cstdint>

#include "level/token_reader.h"

namespace {

constexpr uint32_t RoundConstants[64] = {
    0x428a2f98, 0x71374491, 0xb5c0fbcf, 0xe9b5dba5, 0x3956c25b, 0x59f111f1, 0x923f82a4, 0xab1c5ed5,
    0xd807aa98, 0x12835b01, 0x243185be, 0x550c7dc3, 0x72be5d74, 0x80deb1fe, 0x9bdc06a7, 0xc19bf174,
    0xe49b69c1, 0xefbe4786, 0x0fc19dc6, 0x240ca1cc, 0x2de92c6f, 0x4a7484aa, 0x5cb0a9dc, 0x76f988da,
    0x983e5152, 0xa831c66d, 0xb00327c8, 0xbf597fc7, 0xc6e00bf3, 0xd5a79147, 0x06ca6351, 0x14292967,
    0x27b70a85, 0x2e1b2138, 0x4d2c6dfc, 0x53380d13, 0x650a7354, 0x766a0abb, 0x81c2c92e, 0x92722c85,
    0xa2bfe8a1, 0xa81a664b, 0xc24b8b70, 0xc76c51a3, 0xd192e819, 0xd6990624, 0xf40e3585, 0x106aa070,
    0x19a4c116, 0x1e376c08, 0x2748774c, 0x34b0bcb5, 0x391c0cb3, 0x4ed8aa4a, 0x5b9cca4f, 0x682e6ff3,
    0x748f82ee, 0x78a5636f, 0x84c87814, 0x8cc70208, 0x90befffa, 0xa4506ceb, 0xbef9a3f7, 0xc67178f2,
};

uint32_t rotateRight(uint32_t x, int n)
{
    return (x >> n) | (x << (32 - n));
}

// Folds one 64-byte block into the state.
void compress(std::array<uint32_t, 8>& state, const uint8_t* block)
{
    uint32_t w[64];
    for (int i = 0; i < 16; ++i)
        w[i] = uint32_t{block[4 * i]} << 24 | uint32_t{block[4 * i + 1]} << 16 | uint32_t{block[4 * i + 2]} << 8 |
            uint32_t{block[4 * i + 3]};
    for (int i = 16; i < 64; ++i) {
        uint32_t s0 = rotateRight(w[i - 15], 7) ^ rotateRight(w[i - 15], 18) ^ (w[i - 15] >> 3);
        uint32_t s1 = rotateRight(w[i - 2], 17) ^ rotateRight(w[i - 2], 19) ^ (w[i - 2] >> 10);
        w[i] = w[i - 16] + s0 + w[i - 7] + s1;
    }
    std::array<uint32_t, 8> v = state;
    for (int i = 0; i < 64; ++i) {
        uint32_t s1 = rotateRight(v[4], 6) ^ rotateRight(v[4], 11) ^ rotateRight(v[4], 25);
        uint32_t choice = (v[4] & v[5]) ^ (~v[4] & v[6]);
        uint32_t t1 = v[7] + s1 + choice + RoundConstants[i] + w[i];
        uint32_t s0 = rotateRight(v[0], 2) ^ rotateRight(v[0], 13) ^ rotateRight(v[0], 22);
        uint32_t majority = (v[0] & v[1]) ^ (v[0] & v[2]) ^ (v[1] & v[2]);
        uint32_t t2 = s0 + majority;
        v = {t1 + t2, v[0], v[1], v[2], v[3] + t1, v[4], v[5], v[6]};
    }
    for (int i = 0; i < 8; ++i)
        state[i] += v[i];
}

} // namespace

std::string sha256Hex(std::string_view bytes)
{
    std::array<uint32_t, 8> state = {0x6a09e667, 0xbb67ae85, 0x3c6ef372, 0xa54ff53a,
                                     0x510e527f, 0x9b05688c, 0x1f83d9ab, 0x5be0cd19};
    size_t whole = bytes.size() / 64 * 64;
    for (size_t at = 0; at < whole; at += 64)
        compress(state, reinterpret_cast<const uint8_t*>(bytes.data()) + at);
    // The tail, the 0x80 marker, zeros and the length in bits fill one or two last blocks.
    uint8_t tail[128] = {};
    size_t rest = bytes.size() - whole;
    for (size_t i = 0; i < rest; ++i)
        tail[i] = static_cast<uint8_t>(bytes[whole + i]);
    tail[rest] = 0x80;
    size_t tailSize = rest < 56 ? 64 : 128;
    uint64_t bits = static_cast<uint64_t>(bytes.size()) * 8;
    for (int i = 0; i < 8; ++i)
        tail[tailSize - 1 - i] = static_cast<uint8_t>(bits >> (8 * i));
    for (size_t at = 0; at < tailSize; at += 64)
        compress(state, tail + at);
    static const char Digits[] = "0123456789abcdef";
    std::string hex;
    for (uint32_t word : state)
        for (int shift = 28; shift >= 0; shift -= 4)
            hex += Digits[(word >> shift) & 0x0F];
    return hex;
}

bool hashFile(const std::string& path, std::string& hex)
{
    std::string bytes;
    if (!readTextFile(path, bytes))
        return false;
    hex = sha256Hex(bytes);
    return true;
}
