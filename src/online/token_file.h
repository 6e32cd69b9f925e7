// SPDX-License-Identifier: MIT
// The tokens servers handed out when a name was claimed: $XDG_CONFIG_HOME/roliquo/tokens, mode 0600,
// one line "SERVER PLAYER TOKEN" each, so a token is only ever sent to the server that gave it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct TokenEntry {
    std::string server;
    std::string player;
    std::string token;
};

constexpr size_t MaxTokenEntries = 256;
constexpr size_t MaxTokenLine = 512;

// The file's lines; lines that cannot be read are passed over (a damaged line costs only its token).
std::vector<TokenEntry> parseTokens(std::string_view text);
std::string formatTokens(const std::vector<TokenEntry>& entries);

// The token for (server, player), or "".
std::string tokenFor(const std::vector<TokenEntry>& entries, const std::string& server, const std::string& player);
// Sets (server, player)'s token, replacing an older one.
void setToken(std::vector<TokenEntry>& entries, const std::string& server, const std::string& player,
              const std::string& token);

std::vector<TokenEntry> readTokens(const std::string& path);
// Atomically, mode 0600, its folder made; false with the reason.
bool writeTokens(const std::string& path, const std::vector<TokenEntry>& entries, std::string& reason);
