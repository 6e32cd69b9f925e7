// SPDX-License-Identifier: MIT
// The game's world records: with a server set, runs kept locally are sent on a thread of its own (a
// send that fails waits in the outbox and is tried again), and the world's best and the player's place
// on each level, and the best run as a ghost, are fetched there too. The frame never waits for it.
#pragma once

#include <atomic>
#include <condition_variable>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "online/board_client.h"

// What the records page shows of one level; unknown until the server has answered.
struct WorldLevel {
    bool known = false; // the server answered for this level
    bool hasBest = false;
    float best = 0.0f;
    std::string bestName;
    bool hasPlace = false; // the player has a verified time here
    int64_t place = 0;
};

// A level the client is asked about: its map name and the SHA-256 of its file.
struct WorldLevelKey {
    std::string mapName;
    std::string sha256;
};

// What the client works with, given when it starts.
struct WorldSetup {
    std::string server;
    std::string player;
    std::string token;
    std::string outboxFolder; // pending replays, one file each
    std::string ghostFolder;  // the world's best run of each level, as fetched
    double retrySeconds = 30.0;
};

class WorldRecords {
public:
    // Active from start() until stop(); inactive, nothing is sent, fetched or opened.
    bool active() const { return !setup_.server.empty() && !setup_.token.empty(); }
    void start(WorldSetup setup);
    // Ends the thread, cutting a request under way short (what it was sending stays in the outbox),
    // and leaves the client inactive.
    void stop();

    // Keeps the replay in the outbox and wakes the thread to send it.
    void send(const std::string& replayText);
    // Asks for these levels' world rows (and for their world ghosts, when `ghosts`).
    void ask(const std::vector<WorldLevelKey>& levels, bool ghosts);
    WorldLevel level(const std::string& sha256);
    // Where the level's world ghost is kept (whether or not it has been fetched yet).
    std::string ghostPath(const std::string& mapName, const std::string& sha256) const;
    // Waits until the thread has nothing left to do (tests, and the end of the game).
    void settle();

private:
    void run();

    // Written by start() before the thread runs and by stop() after it has ended only.
    WorldSetup setup_;
    void sendOutbox();
    void answerQuestions();

    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    bool stopping_ = false;
    std::atomic<bool> cancel_ = false;
    bool busy_ = false;
    bool pending_ = false;
    std::vector<WorldLevelKey> questions_;
    std::vector<WorldLevelKey> ghostQuestions_;
    std::map<std::string, WorldLevel> levels_;
    std::thread thread_;
};

extern WorldRecords TheWorld;

// The outbox's file name of a replay: its SHA-256, so the same run waits there once.
std::string outboxFileName(const std::string& replayText);
