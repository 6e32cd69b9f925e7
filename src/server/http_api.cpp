// SPDX-License-Identifier: MIT
// The routes. A body is taken as a replay by its content alone; the database holds all state, so any
// number of these processes can serve one board.
#include "server/http_api.h"

#include <cstdio>

#include "level/token_reader.h"
#include "replay/replay_file.h"
#include "server/boards.h"
#include "server/metrics.h"
#include "server/players.h"
#include "server/request_text.h"
#include "server/runs.h"

namespace {

using httplib::Request;
using httplib::Response;

void sendJson(Response& res, int status, const nlohmann::ordered_json& body)
{
    res.status = status;
    res.set_content(body.dump(-1, ' ', true, nlohmann::ordered_json::error_handler_t::replace), "application/json");
}

void sendError(Response& res, int status, const std::string& reason)
{
    sendJson(res, status, {{"error", reason}});
}

void postPlayer(ConnectionPool& pool, const Request& req, Response& res)
{
    std::string name, error;
    if (!parsePlayerBody(req.body, name, error))
        return sendError(res, 400, error);
    ConnectionPool::Hold db = pool.take();
    NewPlayer player = createPlayer(*db, name);
    if (player.taken)
        return sendError(res, 409, "the name " + name + " is taken");
    sendJson(res, 201, {{"name", name}, {"token", player.token}});
}

// The body as sent, whatever its Content-Type says (the library would parse a form's body itself, and
// bound it far below a replay's size). A multipart body is no replay.
bool readBody(const Request& req, const httplib::ContentReader& reader, std::string& body)
{
    if (req.is_multipart_form_data())
        return true;
    return reader([&body](const char* data, size_t length) {
        if (length > MaxReplayBody - body.size())
            return false;
        body.append(data, length);
        return true;
    });
}

void postRun(ConnectionPool& pool, const Request& req, Response& res, const httplib::ContentReader& reader)
{
    std::string body;
    if (!readBody(req, reader, body))
        return sendError(res, 413, "a replay is at most 8 MiB");
    std::string token = bearerToken(req.get_header_value("Authorization"));
    if (token.empty())
        return sendError(res, 401, "a run needs the header Authorization: Bearer TOKEN");
    Replay replay;
    ReplayError error;
    bool isReplay = parseReplay(body, replay, error);
    std::vector<std::string> hashes;
    for (const ReplayLevel& level : replay.levels)
        hashes.push_back(level.mapHash);

    // One transaction, so a submission costs one commit: the bucket is drawn on for every answer but 401.
    ConnectionPool::Hold db = pool.take();
    pqxx::work txn(*db);
    std::optional<int64_t> player = playerOfToken(txn, token);
    if (!player)
        return sendError(res, 401, "the token is no player's");
    if (!takeSubmission(txn, *player)) {
        txn.commit();
        return sendError(res, 429, "too many runs: at most one a second, in bursts of 20");
    }
    if (!isReplay) {
        txn.commit();
        return sendError(res, 415, "the body is not a replay: " + replayErrorText("replay", error));
    }
    if (!allLevelsKnown(txn, hashes)) {
        txn.commit();
        return sendError(res, 422, "the replay plays a map this server does not know");
    }
    QueuedRun run = submitRun(txn, *player, body);
    txn.commit();
    sendJson(res, 202, {{"id", run.id}, {"state", run.state}});
}

// Why the library refused a request it answered itself.
std::string statusReason(int status)
{
    switch (status) {
    case 400:
        return "the request cannot be read";
    case 404:
        return "no such path";
    case 413:
        return "a replay is at most 8 MiB";
    case 414:
        return "the path is too long";
    default:
        return "HTTP status " + std::to_string(status);
    }
}

bool runIdOf(const Request& req, Response& res, int64_t& id)
{
    if (parseRunId(req.matches[1].str(), id))
        return true;
    sendError(res, 404, "no such run");
    return false;
}

void getRun(ConnectionPool& pool, const Request& req, Response& res)
{
    int64_t id = 0;
    if (!runIdOf(req, res, id))
        return;
    ConnectionPool::Hold db = pool.take();
    std::optional<nlohmann::ordered_json> run = runStatus(*db, id);
    if (!run)
        return sendError(res, 404, "no such run");
    sendJson(res, 200, *run);
}

void getReplay(ConnectionPool& pool, const Request& req, Response& res)
{
    int64_t id = 0;
    if (!runIdOf(req, res, id))
        return;
    ConnectionPool::Hold db = pool.take();
    std::optional<std::string> replay = runReplay(*db, id);
    if (!replay)
        return sendError(res, 404, "no such run");
    res.set_content(*replay, "application/octet-stream");
}

// The type of levelTop and setTop: a board by its key, its first `limit` rows.
using TopQuery = std::optional<nlohmann::ordered_json> (*)(pqxx::connection&, const std::string&, int);

void getTop(ConnectionPool& pool, const Request& req, Response& res, TopQuery query, const char* unknown)
{
    int limit = 0;
    if (!parseTopLimit(req.get_param_value("limit"), req.has_param("limit"), limit))
        return sendError(res, 400, "limit is a number from 1 to " + std::to_string(MaxTopLimit));
    ConnectionPool::Hold db = pool.take();
    std::optional<nlohmann::ordered_json> top = query(*db, req.matches[1].str(), limit);
    if (!top)
        return sendError(res, 404, unknown);
    sendJson(res, 200, *top);
}

void getLevelRank(ConnectionPool& pool, const Request& req, Response& res)
{
    std::string player = req.get_param_value("player");
    if (!isPlayerName(player))
        return sendError(res, 400, "player is a name of 3 to 16 of A-Z, a-z, 0-9, _ and -");
    ConnectionPool::Hold db = pool.take();
    std::optional<nlohmann::ordered_json> rank = levelRank(*db, req.matches[1].str(), player);
    if (!rank)
        return sendError(res, 404, player + " has no verified time on this level");
    sendJson(res, 200, *rank);
}

} // namespace

void addApiRoutes(httplib::Server& server, ConnectionPool& pool)
{
    server.set_payload_max_length(MaxReplayBody);
    server.set_pre_routing_handler([](const Request& req, Response& res) {
        if (req.headers.size() <= MaxRequestHeaders)
            return httplib::Server::HandlerResponse::Unhandled;
        sendError(res, 431, "more than " + std::to_string(MaxRequestHeaders) + " headers");
        return httplib::Server::HandlerResponse::Handled;
    });
    server.Post("/api/v1/players", [&pool](const Request& req, Response& res) { postPlayer(pool, req, res); });
    server.Post("/api/v1/runs", [&pool](const Request& req, Response& res, const httplib::ContentReader& reader) {
        postRun(pool, req, res, reader);
    });
    server.Get(R"(/api/v1/runs/([0-9]{1,19}))", [&pool](const Request& req, Response& res) { getRun(pool, req, res); });
    server.Get(R"(/api/v1/runs/([0-9]{1,19})/replay)",
               [&pool](const Request& req, Response& res) { getReplay(pool, req, res); });
    server.Get("/api/v1/levels", [&pool](const Request&, Response& res) {
        ConnectionPool::Hold db = pool.take();
        sendJson(res, 200, levelList(*db));
    });
    server.Get(R"(/api/v1/levels/([0-9a-f]{64})/top)",
               [&pool](const Request& req, Response& res) { getTop(pool, req, res, levelTop, "no such level"); });
    server.Get(R"(/api/v1/levels/([0-9a-f]{64})/rank)",
               [&pool](const Request& req, Response& res) { getLevelRank(pool, req, res); });
    server.Get(R"(/api/v1/sets/([A-Za-z0-9_-]{1,32})/top)",
               [&pool](const Request& req, Response& res) { getTop(pool, req, res, setTop, "no such level set"); });
    server.Get("/healthz", [&pool](const Request&, Response& res) {
        ConnectionPool::Hold db = pool.take();
        pqxx::nontransaction(*db).exec("SELECT 1");
        sendJson(res, 200, {{"status", "ok"}});
    });
    server.Get("/metrics", [&pool](const Request&, Response& res) {
        ConnectionPool::Hold db = pool.take();
        res.set_content(metricsText(*db), "text/plain; version=0.0.4");
    });
    server.set_exception_handler([](const Request&, Response& res, std::exception_ptr failure) {
        std::string what = "unknown";
        try {
            std::rethrow_exception(failure);
        } catch (const std::exception& e) {
            what = e.what();
        } catch (...) {
        }
        std::fprintf(stderr, "roliquo-server: %s\n", what.c_str());
        sendError(res, 503, "the board's database cannot serve this now");
    });
    // Statuses the library answers itself (404, 413, ...) get a JSON reason too.
    server.set_error_handler(httplib::Server::HandlerWithResponse([](const Request&, Response& res) {
        if (res.body.empty())
            sendError(res, res.status, statusReason(res.status));
        return httplib::Server::HandlerResponse::Handled;
    }));
    server.set_logger([](const Request& req, const Response& res) {
        std::fprintf(stderr, "roliquo-server: %s %s %d %zu\n", req.method.c_str(), req.path.c_str(), res.status,
                     res.body.size());
    });
}
