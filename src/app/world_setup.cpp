// SPDX-License-Identifier: MIT
// Setting up the world-records client from the settings and the command line, and the --world report.
#include "app/world_setup.h"

#include <cstdio>

#include "app/settings.h"
#include "level/map_list.h"
#include "online/board_client.h"
#include "online/board_settings.h"
#include "online/token_file.h"
#include "online/world_records.h"
#include "replay/file_hash.h"
#include "scores/high_score_folder.h"
#include "scores/level_records.h"

namespace {

constexpr int WorldTopRows = 5;

// The token kept for the server and player, or one claimed now; "" after saying why.
std::string claimedToken(bool mayClaim)
{
    std::string path = configFilePath("tokens");
    std::vector<TokenEntry> tokens = readTokens(path);
    std::string token = tokenFor(tokens, TheSettings.server, TheSettings.player);
    if (!token.empty() || !mayClaim) {
        if (token.empty())
            std::fprintf(stderr,
                         "roliquo: no token for %s on %s (claim it with --server and --player); playing offline\n",
                         TheSettings.player.c_str(), TheSettings.server.c_str());
        return token;
    }
    ClaimAnswer claim = claimName(TheSettings.server, TheSettings.player);
    if (claim.outcome != BoardOutcome::Done) {
        std::fprintf(stderr, "roliquo: %s on %s: %s; playing offline\n", TheSettings.player.c_str(),
                     TheSettings.server.c_str(), claim.taken ? "the name is taken" : claim.error.c_str());
        return "";
    }
    setToken(tokens, TheSettings.server, TheSettings.player, claim.token);
    std::string reason;
    if (path.empty() || !writeTokens(path, tokens, reason))
        std::fprintf(stderr, "roliquo: the token could not be kept in %s: %s\n", path.c_str(), reason.c_str());
    std::fprintf(stderr, "roliquo: claimed the name %s on %s\n", TheSettings.player.c_str(),
                 TheSettings.server.c_str());
    return claim.token;
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
    TheWorld.server = TheSettings.server;
    TheWorld.player = TheSettings.player;
    TheWorld.token = token;
    TheWorld.outboxFolder = recordsFolder() + "/outbox";
    TheWorld.ghostFolder = levelRecordsFolder() + "/world";
    TheWorld.start();
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
    int status = 0;
    for (int32_t n = 1; n <= LevelCount; ++n) {
        const std::string& map = *levelMapName(n);
        std::string hash;
        std::optional<std::vector<BoardRow>> top;
        if (hashFile(map, hash))
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
