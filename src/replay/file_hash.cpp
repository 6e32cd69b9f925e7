// SPDX-License-Identifier: MIT
// SHA-256 of bytes and of whole files, through Debian's nettle.
#include "replay/file_hash.h"

#include <nettle/sha2.h>

#include <cstdint>

#include "level/token_reader.h"

std::string sha256Hex(std::string_view bytes)
{
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&context, SHA256_DIGEST_SIZE, digest);
    static const char Digits[] = "0123456789abcdef";
    std::string hex;
    for (uint8_t byte : digest) {
        hex += Digits[byte >> 4];
        hex += Digits[byte & 0x0F];
    }
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
