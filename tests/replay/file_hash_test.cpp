// SPDX-License-Identifier: MIT
// The SHA-256 that names map files: the standard's examples, and every padding boundary of the last
// block, against digests computed elsewhere.
#include <gtest/gtest.h>

#include <string>

#include "replay/file_hash.h"

namespace {

std::string patterned(size_t n)
{
    std::string bytes;
    for (size_t i = 0; i < n; ++i)
        bytes += static_cast<char>((i * 7 + 3) % 256);
    return bytes;
}

TEST(FileHash, MatchesKnownDigests)
{
    const struct {
        std::string bytes;
        const char* hex;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
        {patterned(55), "e7313d333c272e639f790978283f9eb392e843d0f29b7016828bb1daa4aac70b"},
        {patterned(56), "4324d65f3c103567f5589c710bc08f8523f929a9272e3af36fc968e52abc6c27"},
        {patterned(63), "81c80242132f230c3bd41b3e63bbcff16107339549214a99614ff26664625055"},
        {patterned(64), "39e3d7b6b5d075d37d053ad89b24b41bef4f3c29760c84447cab3f3be1882241"},
        {patterned(119), "9ce7368e4daf32341631b492e80359dc9f594b48453cd0dd5bf0b19279cc177e"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sha256Hex(c.bytes), c.hex) << c.bytes.size() << " bytes";
}

} // namespace
