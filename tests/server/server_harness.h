// SPDX-License-Identifier: MIT
// The server tests' harness: a fresh database in the throw-away cluster the test command starts
// (pg_virtualenv's PG* variables), roliquo-server run as a real process on a free loopback port, and
// its API spoken over real HTTP.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "support/temp_folder.h"

using testsupport::TempFolder;

// A new, empty database; its URL, or "" when no cluster is at hand (the tests then skip).
std::string freshDatabase();

// Skips the test, saying why, when the tests run without a database cluster.
#define REQUIRE_DATABASE(url)                                                                                          \
    std::string url = freshDatabase();                                                                                 \
    if (url.empty())                                                                                                   \
    GTEST_SKIP() << "no PostgreSQL cluster: run the server tests under pg_virtualenv (see README)"

// roliquo-server with these arguments; its standard error goes to a file of the test's.
class ServerProcess {
public:
    ServerProcess(const std::vector<std::string>& args, const std::filesystem::path& log);
    ~ServerProcess();
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    // Waits for the "listening on" line and gives the port, or 0 when the process ended first.
    int waitUntilListening(std::chrono::seconds limit = std::chrono::seconds(30));
    // SIGTERM, then the exit status; SIGKILL gives no status.
    int stop();
    void kill();
    pid_t pid() const { return pid_; }
    std::string log() const;

private:
    pid_t pid_ = -1;
    std::filesystem::path log_;
};

// A server started in a folder of its own (its log there); port 0 when it did not come up.
struct StartedServer {
    explicit StartedServer(const std::vector<std::string>& args)
        : process(args, folder.path() / "server.log"), port(process.waitUntilListening())
    {
    }
    TempFolder folder;
    ServerProcess process;
    int port;
};

// The arguments of a server on a free port over the pack (the build's data pack unless given).
std::vector<std::string> serverArgs(const std::string& database, int workers, int leaseSeconds = 30,
                                    const std::string& pack = "");
std::vector<std::string> workerArgs(const std::string& database, int leaseSeconds);

// A client of the API at a port, with what the tests ask of it.
class ApiClient {
public:
    explicit ApiClient(int port);
    httplib::Result post(const std::string& path, const std::string& body, const std::string& token = "",
                         const std::string& type = "application/octet-stream");
    httplib::Result get(const std::string& path);
    // Claims a name; its token.
    std::string claim(const std::string& name);
    // Submits a replay; the run's id (0 unless the answer was 202).
    int64_t submit(const std::string& token, const std::string& replay);
    // Polls a run until it is accepted or rejected; its status object (null on a timeout).
    nlohmann::json waitForVerdict(int64_t id, std::chrono::seconds limit = std::chrono::seconds(60));

private:
    httplib::Client client_;
};

// The par route of a shipped level, as a replay file's text, and that file's path.
std::string parReplayPath(const std::string& map);
std::string parReplay(const std::string& map);
// The same run under another name, so its bytes (and its SHA-256) differ while it verifies alike.
std::string renamed(const std::string& replay, const std::string& name);
// The SHA-256 of a map of the build's pack.
std::string shippedMapHash(const std::string& map);
