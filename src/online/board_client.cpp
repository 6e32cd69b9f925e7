// SPDX-License-Identifier: MIT
// The API calls. Every answer's JSON is parsed without exceptions and checked field by field.
#include "online/board_client.h"

#include <algorithm>

#include <nlohmann/json.hpp>

#include "platform/http.h"

namespace {

constexpr size_t MaxServerUrl = 256;
constexpr size_t MaxBoardName = 64;

nlohmann::json parsed(const platform::HttpAnswer& answer)
{
    nlohmann::json object = nlohmann::json::parse(answer.body, nullptr, false);
    return object.is_discarded() ? nlohmann::json() : object;
}

std::string stringField(const nlohmann::json& object, const char* name)
{
    if (!object.is_object() || !object.contains(name) || !object[name].is_string())
        return "";
    std::string value = object[name];
    return value.size() <= 1024 ? value : value.substr(0, 1024);
}

// The outcome of an answer that is not the one hoped for, with the server's reason.
BoardOutcome failure(const platform::HttpAnswer& answer, std::string& error)
{
    if (answer.status == 0) {
        error = answer.error.empty() ? "no answer" : answer.error;
        return BoardOutcome::Unreachable;
    }
    error = stringField(parsed(answer), "error");
    // Busy (429) or failing (5xx) for now: worth another try later, as if not reached.
    if (error.empty() || answer.status == 429 || answer.status >= 500) {
        if (error.empty())
            error = "HTTP status " + std::to_string(answer.status);
        return BoardOutcome::Unreachable;
    }
    return BoardOutcome::Refused;
}

std::optional<BoardRow> boardRow(const nlohmann::json& row)
{
    if (!row.is_object() || !row.contains("rank") || !row["rank"].is_number_integer() || !row.contains("time") ||
        !row["time"].is_number() || !row.contains("id") || !row["id"].is_number_integer())
        return std::nullopt;
    BoardRow out;
    out.rank = row["rank"];
    out.player = stringField(row, "player").substr(0, MaxBoardName);
    out.time = row["time"].get<float>();
    out.id = row["id"];
    return out;
}

} // namespace

ClaimAnswer claimName(const std::string& server, const std::string& name)
{
    ClaimAnswer out;
    platform::HttpAnswer answer = platform::httpRequest(
        "POST", server + "/api/v1/players", nlohmann::json{{"name", name}}.dump(), {"Content-Type: application/json"});
    out.token = stringField(parsed(answer), "token");
    if (answer.status == 201 && out.token.size() == 64) {
        out.outcome = BoardOutcome::Done;
        return out;
    }
    out.token.clear();
    out.taken = answer.status == 409;
    out.outcome = failure(answer, out.error);
    return out;
}

SubmitAnswer submitReplay(const std::string& server, const std::string& token, const std::string& replay,
                          const std::atomic<bool>* cancel)
{
    SubmitAnswer out;
    platform::HttpAnswer answer =
        platform::httpRequest("POST", server + "/api/v1/runs", replay,
                              {"Authorization: Bearer " + token, "Content-Type: application/octet-stream"}, cancel);
    nlohmann::json body = parsed(answer);
    if (answer.status == 202 && body.is_object() && body.contains("id") && body["id"].is_number_integer()) {
        out.outcome = BoardOutcome::Done;
        out.id = body["id"];
        out.state = stringField(body, "state");
        return out;
    }
    out.outcome = failure(answer, out.error);
    return out;
}

RunAnswer runState(const std::string& server, int64_t id)
{
    RunAnswer out;
    platform::HttpAnswer answer = platform::httpRequest("GET", server + "/api/v1/runs/" + std::to_string(id));
    nlohmann::json body = parsed(answer);
    if (answer.status == 200 && body.is_object()) {
        out.outcome = BoardOutcome::Done;
        out.state = stringField(body, "state");
        out.verdict = body.contains("verdict") ? body["verdict"].dump() : "null";
        return out;
    }
    out.outcome = failure(answer, out.error);
    return out;
}

std::optional<std::string> runReplay(const std::string& server, int64_t id, std::string& error,
                                     const std::atomic<bool>* cancel)
{
    platform::HttpAnswer answer =
        platform::httpRequest("GET", server + "/api/v1/runs/" + std::to_string(id) + "/replay", "", {}, cancel);
    if (answer.status == 200)
        return answer.body;
    failure(answer, error);
    return std::nullopt;
}

std::optional<std::vector<BoardRow>> levelTop(const std::string& server, const std::string& sha256, int limit,
                                              const std::atomic<bool>* cancel)
{
    platform::HttpAnswer answer = platform::httpRequest(
        "GET", server + "/api/v1/levels/" + sha256 + "/top?limit=" + std::to_string(limit), "", {}, cancel);
    nlohmann::json body = parsed(answer);
    if (answer.status != 200 || !body.is_object() || !body.contains("runs") || !body["runs"].is_array())
        return std::nullopt;
    std::vector<BoardRow> rows;
    for (const nlohmann::json& row : body["runs"])
        if (std::optional<BoardRow> read = boardRow(row); read && rows.size() < static_cast<size_t>(limit))
            rows.push_back(*read);
    return rows;
}

std::optional<std::optional<BoardRow>> levelRank(const std::string& server, const std::string& sha256,
                                                 const std::string& player, const std::atomic<bool>* cancel)
{
    if (!isBoardName(player))
        return std::nullopt;
    platform::HttpAnswer answer =
        platform::httpRequest("GET", server + "/api/v1/levels/" + sha256 + "/rank?player=" + player, "", {}, cancel);
    if (answer.status == 404 && !stringField(parsed(answer), "error").empty())
        return std::optional<BoardRow>();
    if (answer.status != 200)
        return std::nullopt;
    std::optional<BoardRow> row = boardRow(parsed(answer));
    if (!row)
        return std::nullopt;
    return row;
}

bool normaliseServerUrl(std::string& url)
{
    while (!url.empty() && url.back() == '/')
        url.pop_back();
    bool scheme = url.rfind("http://", 0) == 0 || url.rfind("https://", 0) == 0;
    bool printable = std::all_of(url.begin(), url.end(), [](char c) { return c > ' ' && c < 127; });
    return scheme && printable && url.size() > 8 && url.size() <= MaxServerUrl;
}

bool isBoardName(const std::string& name)
{
    return name.size() >= 3 && name.size() <= 16 && std::all_of(name.begin(), name.end(), [](char c) {
               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                   c == '-';
           });
}
