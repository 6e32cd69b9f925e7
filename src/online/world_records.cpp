// SPDX-License-Identifier: MIT
// The world-records thread: sends the outbox oldest first, answers the records page's questions and
// fetches ghosts, then sleeps until woken or until the retry period has passed.
#include "online/world_records.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "level/token_reader.h"
#include "replay/file_hash.h"
#include "scores/atomic_file.h"
#include "scores/level_records.h"

namespace fs = std::filesystem;

WorldRecords TheWorld;

namespace {

constexpr size_t MaxOutboxFiles = 10000;
constexpr size_t MaxOutboxBytes = 8u * 1024u * 1024u;

// The file whole or not at all, its folder made.
bool writeWhole(const fs::path& path, const std::string& text)
{
    std::error_code failure;
    fs::create_directories(path.parent_path(), failure);
    std::string reason;
    return writeFileAtomically(path.string(), text, reason);
}

} // namespace

std::string outboxFileName(const std::string& replayText)
{
    return sha256Hex(replayText) + ".replay";
}

void WorldRecords::start(WorldSetup setup)
{
    if (thread_.joinable())
        return;
    setup_ = std::move(setup);
    if (!active())
        return;
    stopping_ = false;
    cancel_ = false;
    pending_ = true;
    try {
        thread_ = std::thread([this] { run(); });
    } catch (const std::system_error& failure) {
        // The page has no threads: there the page's own script speaks to the server.
        std::fprintf(stderr, "roliquo: no world records: %s\n", failure.what());
        setup_ = WorldSetup();
    }
}

void WorldRecords::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        stopping_ = true;
    }
    cancel_ = true;
    wake_.notify_all();
    if (thread_.joinable())
        thread_.join();
    setup_ = WorldSetup();
}

void WorldRecords::send(const std::string& replayText)
{
    if (!active())
        return;
    if (!writeWhole(fs::path(setup_.outboxFolder) / outboxFileName(replayText), replayText))
        std::fprintf(stderr, "roliquo: could not keep a run for %s in %s\n", setup_.server.c_str(),
                     setup_.outboxFolder.c_str());
    std::lock_guard<std::mutex> lock(mutex_);
    pending_ = true;
    wake_.notify_all();
}

void WorldRecords::ask(const std::vector<WorldLevelKey>& levels, bool ghosts)
{
    if (!active())
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    (ghosts ? ghostQuestions_ : questions_) = levels;
    pending_ = true;
    wake_.notify_all();
}

WorldLevel WorldRecords::level(const std::string& sha256)
{
    std::lock_guard<std::mutex> lock(mutex_);
    auto found = levels_.find(sha256);
    return found == levels_.end() ? WorldLevel() : found->second;
}

std::string WorldRecords::ghostPath(const std::string& mapName, const std::string& sha256) const
{
    std::string safe = mapName;
    std::replace_if(
        safe.begin(), safe.end(),
        [](char c) { return !std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '-'; }, '_');
    return (fs::path(setup_.ghostFolder) / (safe + "-" + sha256.substr(0, 16) + ".replay")).string();
}

void WorldRecords::settle()
{
    std::unique_lock<std::mutex> lock(mutex_);
    idle_.wait(lock, [this] { return stopping_ || !thread_.joinable() || (!pending_ && !busy_); });
}

void WorldRecords::run()
{
    std::unique_lock<std::mutex> lock(mutex_);
    while (!stopping_) {
        pending_ = false;
        busy_ = true;
        lock.unlock();
        sendOutbox();
        answerQuestions();
        lock.lock();
        busy_ = false;
        idle_.notify_all();
        wake_.wait_for(lock, std::chrono::duration<double>(setup_.retrySeconds),
                       [this] { return stopping_ || pending_; });
    }
    idle_.notify_all();
}

void WorldRecords::sendOutbox()
{
    std::error_code failure;
    std::vector<fs::path> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(setup_.outboxFolder, failure))
        if (entry.path().extension() == ".replay" && files.size() < MaxOutboxFiles)
            files.push_back(entry.path());
    std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
        std::error_code ignored;
        return fs::last_write_time(a, ignored) < fs::last_write_time(b, ignored);
    });
    for (const fs::path& file : files) {
        std::string text;
        if (!readTextFile(file.string(), text, MaxOutboxBytes)) {
            fs::remove(file, failure);
            continue;
        }
        SubmitAnswer sent = submitReplay(setup_.server, setup_.token, text, &cancel_);
        if (sent.outcome == BoardOutcome::Unreachable)
            return; // all wait for the next try
        if (sent.outcome == BoardOutcome::Refused)
            std::fprintf(stderr, "roliquo: %s refused a run: %s\n", setup_.server.c_str(), sent.error.c_str());
        fs::remove(file, failure);
    }
}

void WorldRecords::answerQuestions()
{
    std::vector<WorldLevelKey> rows, ghosts;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        rows.swap(questions_);
        ghosts.swap(ghostQuestions_);
    }
    for (const WorldLevelKey& key : rows) {
        std::optional<std::vector<BoardRow>> top = levelTop(setup_.server, key.sha256, 1, &cancel_);
        if (!top)
            continue;
        WorldLevel shown;
        shown.known = true;
        if (!top->empty()) {
            shown.hasBest = true;
            shown.best = top->front().time;
            shown.bestName = top->front().player;
        }
        std::optional<std::optional<BoardRow>> mine = levelRank(setup_.server, key.sha256, setup_.player, &cancel_);
        if (mine && *mine) {
            shown.hasPlace = true;
            shown.place = (*mine)->rank;
        }
        std::lock_guard<std::mutex> lock(mutex_);
        levels_[key.sha256] = shown;
    }
    for (const WorldLevelKey& key : ghosts) {
        std::string path = ghostPath(key.mapName, key.sha256);
        std::error_code failure;
        if (fs::exists(path, failure))
            continue;
        std::optional<std::vector<BoardRow>> top = levelTop(setup_.server, key.sha256, 1, &cancel_);
        std::string error;
        std::optional<std::string> replay =
            top && !top->empty() ? runReplay(setup_.server, top->front().id, error, &cancel_) : std::nullopt;
        if (replay)
            writeWhole(path, *replay);
    }
}
