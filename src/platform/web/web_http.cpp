// SPDX-License-Identifier: MIT
// HTTP in the browser build: the page's own script speaks to the server it was served by, so a request
// from the game is answered as not reached (the world-records client is never started there).
#include "platform/http.h"

namespace platform {

HttpAnswer httpRequest(const std::string&, const std::string&, const std::string&, const std::vector<std::string>&,
                       const std::atomic<bool>*)
{
    HttpAnswer answer;
    answer.error = "in the browser the page speaks to its server itself";
    return answer;
}

} // namespace platform
