// SPDX-License-Identifier: MIT
// Finding or claiming a player's token, keeping a new one in the private tokens file.
#include "online/player_token.h"

#include <vector>

#include "online/board_settings.h"
#include "online/token_file.h"

PlayerToken playerToken(const std::string& server, const std::string& player, bool mayClaim)
{
    PlayerToken out;
    std::string path = configFilePath("tokens");
    std::vector<TokenEntry> tokens = readTokens(path);
    out.token = tokenFor(tokens, server, player);
    if (!out.token.empty() || !mayClaim)
        return out;
    out.claim = claimName(server, player);
    if (out.claim.outcome != BoardOutcome::Done)
        return out;
    out.claimed = true;
    out.token = out.claim.token;
    setToken(tokens, server, player, out.token);
    if (path.empty())
        out.keepError = "no home folder";
    else
        writeTokens(path, tokens, out.keepError);
    return out;
}
