// SPDX-License-Identifier: MIT
// One HTTP request over libcurl, bounded in time and size: what the world-records client and the level
// tool's submit and fetch send to a leaderboard server.
#pragma once

#include <string>
#include <vector>

struct HttpAnswer {
    long status = 0;   // 0 when the server was not reached (or answered past the bounds)
    std::string body;
    std::string error; // why it was not reached
};

constexpr long ConnectSeconds = 5;
constexpr long RequestSeconds = 20;
constexpr size_t MaxAnswerBytes = 16u * 1024u * 1024u;

// `method` is GET or POST; `headers` are "Name: value" lines.
HttpAnswer httpRequest(const std::string& method, const std::string& url, const std::string& body = "",
                       const std::vector<std::string>& headers = {});
