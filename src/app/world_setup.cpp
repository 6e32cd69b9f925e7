// SPDX-License-Identifier: MIT
// Setting up the world-records client from the settings and the command line, and the --world report.
#include "app/world_setup.h"

#include <cstdio>

#include "app/set_choice.h"
#include "app/settings.h"
#include "level/map_list.h"
#include "level/map_loader.h"
#include "online/board_client.h"
#include "online/board_settings.h"
#include "online/player_token.h"
#include "online/world_records.h"
#include "replay/file_hash.h"
#include "scores/high_score_folder.h"
#include "scores/level_records.h"

namespace {

constexpr int WorldTopRows = 5;

// The token kept for the server and player, or one claimed now; "" after saying why.
std::string claimedToken(bool mayClaim)
{
    PlayerToken found = playerToken(TheSettings.server, TheSettings.player, mayClaim);
    const char* player = TheSettings.player.c_str();
    const char* server = TheSettings.server.c_str();
    if (found.token.empty() && !mayClaim)
        std::fprintf(stderr, "roliquo: no token for %s on %s (claim it with --server and --player); playing offline\n",
                     player, server);
    else if (found.token.empty())
        std::fprintf(stderr, "roliquo: %s on %s: %s; playing offline\n", player, server,
                     found.claim.taken ? "the name is taken" : found.claim.error.c_str());
    else if (found.claimed && !found.keepError.empty())
        std::fprintf(stderr, "roliquo: the token for %s on %s could not be kept: %s\n", player, server,
                     found.keepError.c_str());
    else if (found.claimed)
        std::fprintf(stderr, "roliquo: claimed the name %s on %s\n", player, server);
    return found.token;
}

} // namespace

bool takeServerChoice(const CommandLine& commandLine)
{
    if (commandLine.server.empty() && commandLine.player.empty())
        return true;
    std::string server = commandLine.server.empty() ? TheSettings.server : commandLine.server;
    std::string player = commandLine.player.empty() ? TheSettings.player : commandLine.player;
    if (!normaliseServerUrl(server)) {
        std::fprintf(stderr, "roliquo: --server wants an http:// or https:// address, not '%s'\n", server.c_str());
        return false;
    }
    if (!isBoardName(player)) {
        std::fprintf(stderr, "roliquo: --player wants a name of 3 to 16 of A-Z a-z 0-9 _ -, not '%s'\n",
                     player.c_str());
        return false;
    }
    TheSettings.server = server;
    TheSettings.player = player;
    writeSettings();
    std::printf("roliquo: runs now go to %s as %s\n", server.c_str(), player.c_str());
    return true;
}

void startWorldRecords(const CommandLine& commandLine)
{
    if (TheSettings.server.empty() || TheSettings.player.empty())
        return;
    std::string token = claimedToken(!commandLine.server.empty() || !commandLine.player.empty());
    if (token.empty())
        return;
    TheWorld.start(
        {TheSettings.server, TheSettings.player, token, recordsFolder() + "/outbox", recordsFolder() + "/records/world"});
}

int printWorld()
{
    if (TheSettings.server.empty()) {
        std::fprintf(stderr, "roliquo: --world needs a server: set one with --server URL --player NAME\n");
        return 2;
    }
    if (!loadMapList()) {
        std::fprintf(stderr, "roliquo: could not read maplist.dat\n");
        return 1;
    }
    enterChosenSet();
    int status = 0;
    for (int32_t n = 1; n <= LevelCount; ++n) {
        const std::string& map = *levelMapName(n);
        std::string hash;
        std::optional<std::vector<BoardRow>> top;
        if (hashFile(levelFilePath(map), hash))
            top = levelTop(TheSettings.server, hash, WorldTopRows);
        std::printf("level %d %s\n", n, map.c_str());
        if (!top) {
            std::printf("  - (%s cannot say)\n", TheSettings.server.c_str());
            status = 2;
            continue;
        }
        for (const BoardRow& row : *top)
            std::printf("  %lld %-16s %9.2f  run %lld\n", static_cast<long long>(row.rank), row.player.c_str(),
                        static_cast<double>(row.time), static_cast<long long>(row.id));
    }
    return status;
}
