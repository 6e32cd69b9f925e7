// SPDX-License-Identifier: MIT
// The leaderboard commands of the level tool, over the world-records client's calls and files.
#include "board_commands.h"

#include <charconv>
#include <chrono>
#include <cstdio>
#include <thread>

#include "level/token_reader.h"
#include "online/board_client.h"
#include "online/board_settings.h"
#include "online/player_token.h"
#include "scores/atomic_file.h"
#include "sim_session.h"

namespace {

constexpr size_t MaxSubmittedBytes = 8u * 1024u * 1024u;
constexpr auto VerdictWait = std::chrono::seconds(120);

// The server (and player) given on the command line, else those of the settings file.
bool chooseServer(std::string& server, std::string& player, bool needsPlayer)
{
    BoardSettings kept = readBoardSettings(configFilePath("settings"));
    if (server.empty())
        server = kept.server;
    if (player.empty())
        player = kept.player;
    if (!normaliseServerUrl(server)) {
        std::fprintf(stderr,
                     "roliquo-level: no server: give --server URL (http:// or https://) or set "
                     "\"server URL\" in the settings file\n");
        return false;
    }
    if (needsPlayer && !isBoardName(player)) {
        std::fprintf(stderr,
                     "roliquo-level: no player: give --player NAME (3 to 16 of A-Z a-z 0-9 _ -) or set "
                     "\"player NAME\" in the settings file\n");
        return false;
    }
    return true;
}

// The kept token for (server, player), claiming the name when there is none; "" after saying why.
std::string tokenOf(const std::string& server, const std::string& player, int& status)
{
    PlayerToken found = playerToken(server, player, true);
    if (found.token.empty()) {
        status = found.claim.outcome == BoardOutcome::Unreachable ? BoardUnreachableStatus : BoardRejectedStatus;
        std::fprintf(stderr, "roliquo-level: %s %s: %s\n", server.c_str(),
                     found.claim.taken ? ("the name " + player + " is taken").c_str() : "cannot claim the name",
                     found.claim.error.c_str());
    } else if (found.claimed && !found.keepError.empty()) {
        std::fprintf(stderr, "roliquo-level: the token for %s on %s could not be kept: %s\n", player.c_str(),
                     server.c_str(), found.keepError.c_str());
    } else if (found.claimed) {
        std::fprintf(stderr, "roliquo-level: claimed the name %s on %s\n", player.c_str(), server.c_str());
    }
    return found.token;
}

} // namespace

int submitToBoard(const std::string& givenServer, const std::string& givenPlayer, const std::string& replayPath)
{
    std::string server = givenServer, player = givenPlayer;
    if (!chooseServer(server, player, true))
        return BoardUnreachableStatus;
    std::string replay;
    if (!readTextFile(pathFromStart(replayPath), replay, MaxSubmittedBytes)) {
        std::fprintf(stderr, "roliquo-level: %s cannot be read (or is over 8 MiB)\n", replayPath.c_str());
        return BoardRejectedStatus;
    }
    int status = BoardUnreachableStatus;
    std::string token = tokenOf(server, player, status);
    if (token.empty())
        return status;
    SubmitAnswer sent = submitReplay(server, token, replay);
    if (sent.outcome != BoardOutcome::Done) {
        std::fprintf(stderr, "roliquo-level: %s refused %s: %s\n", server.c_str(), replayPath.c_str(),
                     sent.error.c_str());
        return sent.outcome == BoardOutcome::Unreachable ? BoardUnreachableStatus : BoardRejectedStatus;
    }
    auto end = std::chrono::steady_clock::now() + VerdictWait;
    while (std::chrono::steady_clock::now() < end) {
        RunAnswer run = runState(server, sent.id);
        if (run.outcome == BoardOutcome::Done && (run.state == "accepted" || run.state == "rejected")) {
            std::printf("run %lld %s\n%s\n", static_cast<long long>(sent.id), run.state.c_str(), run.verdict.c_str());
            return run.state == "accepted" ? BoardAcceptedStatus : BoardRejectedStatus;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    std::fprintf(stderr, "roliquo-level: run %lld has no verdict after %lld s\n", static_cast<long long>(sent.id),
                 static_cast<long long>(VerdictWait.count()));
    return BoardUnreachableStatus;
}

int fetchFromBoard(const std::string& givenServer, const std::string& runId, const std::string& outPath)
{
    std::string server = givenServer, player;
    if (!chooseServer(server, player, false))
        return BoardUnreachableStatus;
    int64_t id = 0;
    auto [end, failure] = std::from_chars(runId.data(), runId.data() + runId.size(), id);
    if (failure != std::errc() || end != runId.data() + runId.size() || id < 1) {
        std::fprintf(stderr, "roliquo-level: \"%s\" is no run id\n", runId.c_str());
        return BoardRejectedStatus;
    }
    std::string error;
    std::optional<std::string> replay = runReplay(server, id, error);
    if (!replay) {
        std::fprintf(stderr, "roliquo-level: %s: run %lld: %s\n", server.c_str(), static_cast<long long>(id),
                     error.c_str());
        return BoardUnreachableStatus;
    }
    std::string reason;
    if (!writeFileAtomically(pathFromStart(outPath), *replay, reason)) {
        std::fprintf(stderr, "roliquo-level: %s: %s\n", outPath.c_str(), reason.c_str());
        return BoardRejectedStatus;
    }
    return BoardAcceptedStatus;
}
