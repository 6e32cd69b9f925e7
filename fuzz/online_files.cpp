// SPDX-License-Identifier: MIT
// Fuzz target for the world-records client's readers: the tokens file and the settings' server and
// player lines. What they keep must be what the client may send: a well-formed server, name and token.
#include <cstdint>
#include <string>
#include <string_view>

#include "level/token_reader.h"
#include "online/board_client.h"
#include "online/board_settings.h"
#include "online/token_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<TokenEntry> entries = parseTokens(text);
    if (entries.size() > MaxTokenEntries)
        __builtin_trap();
    for (TokenEntry entry : entries) {
        std::string server = entry.server;
        if (!normaliseServerUrl(server) || server != entry.server || !isBoardName(entry.player) ||
            !isSha256Hex(entry.token))
            __builtin_trap();
    }
    if (parseTokens(formatTokens(entries)).size() != entries.size())
        __builtin_trap();
    BoardSettings settings = parseBoardSettings(text);
    std::string server = settings.server;
    if ((!server.empty() && !normaliseServerUrl(server)) || (!settings.player.empty() && !isBoardName(settings.player)))
        __builtin_trap();
    return 0;
}
