// SPDX-License-Identifier: MIT
// The parts of a request the server reads itself: the bearer token, a new player's body, a name, a
// run id and a list limit. Pure functions of the text, each bounded, so one fuzz target covers them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

constexpr size_t TokenBytes = 32;
constexpr size_t TokenHexLength = 2 * TokenBytes;
constexpr size_t MinPlayerName = 3;
constexpr size_t MaxPlayerName = 16;
constexpr size_t MaxPlayerBody = 1024;
constexpr int DefaultTopLimit = 10;
constexpr int MaxTopLimit = 100;

// 3 to 16 of A-Z a-z 0-9 _ -.
bool isPlayerName(std::string_view name);

// The token of "Bearer TOKEN" (64 lower-case hex digits); "" for anything else.
std::string bearerToken(std::string_view header);

// {"name": "..."} with a valid name; false with the reason.
bool parsePlayerBody(std::string_view body, std::string& name, std::string& error);

// A run id: a positive decimal that fits in 63 bits.
bool parseRunId(std::string_view text, int64_t& id);

// ?limit=N: absent gives the default, else 1..100.
bool parseTopLimit(std::string_view text, bool given, int& limit);

// Whether two strings are equal, in time that depends on their length only.
bool constantTimeEqual(std::string_view a, std::string_view b);
