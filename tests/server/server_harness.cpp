// SPDX-License-Identifier: MIT
// Databases, server processes and the API client of the server tests.
#include "server_harness.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>
#include <thread>

#include <pqxx/pqxx>

#include "replay/file_hash.h"

namespace fs = std::filesystem;

namespace {

std::string environment(const char* name, const char* otherwise)
{
    const char* value = std::getenv(name);
    return value && *value ? value : otherwise;
}

std::string clusterUrl(const std::string& database)
{
    return "postgresql://" + environment("PGUSER", "postgres") + ":" + environment("PGPASSWORD", "") + "@" +
        environment("PGHOST", "localhost") + ":" + environment("PGPORT", "5432") + "/" + database;
}

} // namespace

std::string freshDatabase()
{
    if (!std::getenv("PGHOST"))
        return "";
    static std::atomic<int> count = 0;
    std::string name = "roliquo_test_" + std::to_string(getpid()) + "_" + std::to_string(++count);
    pqxx::connection admin(clusterUrl(environment("PGDATABASE", "postgres")));
    pqxx::nontransaction(admin).exec("CREATE DATABASE " + name);
    return clusterUrl(name);
}

ServerProcess::ServerProcess(const std::vector<std::string>& args, const fs::path& log) : log_(log)
{
    std::string program = std::string(ROLIQUO_BINARY_DIR) + "/roliquo-server";
    pid_ = fork();
    if (pid_ == 0) {
        FILE* out = std::fopen(log.c_str(), "a");
        if (out)
            dup2(fileno(out), STDERR_FILENO);
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
}

ServerProcess::~ServerProcess()
{
    if (pid_ > 0)
        stop();
}

int ServerProcess::waitUntilListening(std::chrono::seconds limit)
{
    std::regex listening("listening on [^:]+:([0-9]+)");
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        std::smatch match;
        std::string text = log();
        if (std::regex_search(text, match, listening))
            return std::stoi(match[1].str());
        int status = 0;
        if (waitpid(pid_, &status, WNOHANG) == pid_) {
            pid_ = -1;
            return 0;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return 0;
}

int ServerProcess::stop()
{
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
    pid_ = -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void ServerProcess::kill()
{
    if (pid_ <= 0)
        return;
    ::kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
}

std::string ServerProcess::log() const
{
    std::ifstream in(log_);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> serverArgs(const std::string& database, int workers, int leaseSeconds, const std::string& pack)
{
    return {"--db",      database,
            "--pack",    pack.empty() ? ROLIQUO_DATA_DIR : pack,
            "--listen",  "127.0.0.1:0",
            "--workers", std::to_string(workers),
            "--lease",   std::to_string(leaseSeconds)};
}

std::vector<std::string> workerArgs(const std::string& database, int leaseSeconds)
{
    return {"worker", "--db", database, "--pack", ROLIQUO_DATA_DIR, "--lease", std::to_string(leaseSeconds)};
}

ApiClient::ApiClient(int port) : client_("127.0.0.1", port)
{
    client_.set_read_timeout(30, 0);
}

httplib::Result ApiClient::post(const std::string& path, const std::string& body, const std::string& token,
                                const std::string& type)
{
    httplib::Headers headers;
    if (!token.empty())
        headers.emplace("Authorization", "Bearer " + token);
    return client_.Post(path.c_str(), headers, body, type.c_str());
}

httplib::Result ApiClient::get(const std::string& path)
{
    return client_.Get(path.c_str());
}

std::string ApiClient::claim(const std::string& name)
{
    httplib::Result res = post("/api/v1/players", nlohmann::json{{"name", name}}.dump(), "", "application/json");
    if (!res || res->status != 201)
        return "";
    return nlohmann::json::parse(res->body)["token"];
}

int64_t ApiClient::submit(const std::string& token, const std::string& replay)
{
    httplib::Result res = post("/api/v1/runs", replay, token);
    if (!res || res->status != 202)
        return 0;
    return nlohmann::json::parse(res->body)["id"];
}

nlohmann::json ApiClient::waitForVerdict(int64_t id, std::chrono::seconds limit)
{
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        httplib::Result res = get("/api/v1/runs/" + std::to_string(id));
        if (res && res->status == 200) {
            nlohmann::json run = nlohmann::json::parse(res->body);
            if (run["state"] == "accepted" || run["state"] == "rejected")
                return run;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return nullptr;
}

std::string parReplayPath(const std::string& map)
{
    std::string hash = shippedMapHash(map);
    return std::string(ROLIQUO_DATA_DIR) + "/par/" + map + "-" + hash.substr(0, 16) + ".replay";
}

std::string parReplay(const std::string& map)
{
    std::ifstream in(parReplayPath(map));
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string renamed(const std::string& replay, const std::string& name)
{
    size_t at = replay.rfind(" name ");
    return replay.substr(0, at) + " name " + name + "\n";
}

std::string shippedMapHash(const std::string& map)
{
    std::string hash;
    hashFile(std::string(ROLIQUO_DATA_DIR) + "/" + map, hash);
    return hash;
}
