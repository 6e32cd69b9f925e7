// SPDX-License-Identifier: MIT
// Fuzz target for the parts of a request the leaderboard reads itself: the bearer token, a new
// player's body, a run id and a list limit. Whatever they accept must be what they promise.
#include <cstdint>
#include <string>
#include <string_view>

#include "level/token_reader.h"
#include "server/request_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::string token = bearerToken(text);
    if (!token.empty() && (!isSha256Hex(token) || text != "Bearer " + token))
        __builtin_trap();
    std::string name, error;
    if (parsePlayerBody(text, name, error) ? !isPlayerName(name) : error.empty())
        __builtin_trap();
    int64_t id = 0;
    if (parseRunId(text, id) && id < 1)
        __builtin_trap();
    int limit = 0;
    if (parseTopLimit(text, true, limit) && (limit < 1 || limit > MaxTopLimit))
        __builtin_trap();
    if (constantTimeEqual(text, token) != (text == token))
        __builtin_trap();
    return 0;
}
