// SPDX-License-Identifier: MIT
// `roliquo-level submit [--server URL] [--player NAME] REPLAY` and `roliquo-level fetch [--server URL]
// RUN_ID OUT`: a replay sent to a leaderboard and its verdict awaited, and a run's replay downloaded.
#pragma once

#include <string>

// Exit statuses of submit and fetch.
constexpr int BoardAcceptedStatus = 0;
constexpr int BoardRejectedStatus = 1;    // the run was rejected, or the server refused the name or the file
constexpr int BoardUnreachableStatus = 2; // no server set, no answer, or no verdict in time

// The server and player given, else the settings file's; the name is claimed on that server when no
// token for it is kept. Prints the verdict object.
int submitToBoard(const std::string& server, const std::string& player, const std::string& replayPath);

int fetchFromBoard(const std::string& server, const std::string& runId, const std::string& outPath);
