// SPDX-License-Identifier: MIT
// One HTTP request, bounded in time and size: what the world-records client and the level tool's
// submit and fetch send to a leaderboard server. Over libcurl on the desktop (http_curl.cpp); in the
// browser the page's own script speaks to its server, and a request from the game is never reached.
#pragma once

#include <atomic>
#include <string>
#include <vector>

namespace platform {

struct HttpAnswer {
    long status = 0; // 0 when the server was not reached (or answered past the bounds)
    std::string body;
    std::string error; // why it was not reached
};

constexpr long ConnectSeconds = 5;
constexpr long RequestSeconds = 20;
constexpr size_t MaxAnswerBytes = 16u * 1024u * 1024u;

// `method` is GET or POST; `headers` are "Name: value" lines. A request under way ends soon after
// *cancel becomes true (the program is ending).
HttpAnswer httpRequest(const std::string& method, const std::string& url, const std::string& body = "",
                       const std::vector<std::string>& headers = {}, const std::atomic<bool>* cancel = nullptr);

} // namespace platform
