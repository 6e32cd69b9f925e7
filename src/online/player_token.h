// SPDX-License-Identifier: MIT
// A player's token on a server: the one kept in the tokens file, or, when allowed, the name claimed now
// and its new token kept there. The game's start and the level tool's submit both ask here.
#pragma once

#include <string>

#include "online/board_client.h"

struct PlayerToken {
    std::string token;     // "" when none is kept and none was claimed
    bool claimed = false;  // the name was claimed now
    ClaimAnswer claim;     // the claim's answer, when one was asked for
    std::string keepError; // why a claimed token could not be kept in the file ("" when it was)
};

PlayerToken playerToken(const std::string& server, const std::string& player, bool mayClaim);
