// SPDX-License-Identifier: MIT
// GameDriver: runs the whole game in a test as a player and a clock would. It gives the game a working
// folder of its own, puts every global back to its program-start value, creates the window through the
// headless backend (the start-up runs inside) and then drives the real main loop pass by pass.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "support/data_folder.h"

namespace testsupport {

class GameDriver {
public:
    // What the working folder holds before the game starts.
    enum class Data {
        Small, // the small data set and `levels` flat maps level1.map .. levelN.map with their maplist.dat
        Pack,  // the generated data pack of this build (see hasDataPack)
        Empty, // nothing: the test writes what it needs
    };

    explicit GameDriver(Data data = Data::Small, int levels = 3);
    GameDriver(const GameDriver&) = delete;
    GameDriver& operator=(const GameDriver&) = delete;

    static bool hasDataPack() { return !dataPack().empty(); }

    // The working folder (the game reads and writes bare file names there).
    const std::filesystem::path& folder() const { return folder_.path(); }
    void writeFile(const std::string& name, const std::string& text) const;
    void removeFile(const std::string& name) const;
    std::string readFile(const std::string& name) const;
    bool fileExists(const std::string& name) const;

    // Creates and shows the window; false when it could not be made. The start-up's message boxes,
    // if any, are in headless::messageBoxes() afterwards.
    bool start();

    // One pass of the game's main loop. False once the quit message has been taken (see exitCode).
    bool pass();
    // Passes until the queue is empty: everything queued is handled, with all it posts, but no tick
    // is let in. Stops early at the quit message.
    void runUntilIdle();
    // A key press from the system, handled with everything it posts.
    void press(int virtualKey);
    void press(std::initializer_list<int> virtualKeys);
    // The clock advances by `seconds` (rounded to whole counts), then the loop runs until exactly one
    // tick has been handled: anything queued before it (and the timer, when due) comes first, and
    // whatever the tick posted (the next level's start, say) is handled before this returns.
    void tick(double seconds = 1.0 / 60.0);
    // The same with the counter advanced by whole counts (with frequency 60, one count is 1/60 s exactly).
    void tickCounts(uint64_t counts);
    // Ticks of `seconds` until done() holds after a tick; returns how many ran, or -1 when maxTicks
    // ticks ran without it (or the loop ended).
    int runTicksUntil(const std::function<bool()>& done, int maxTicks, double seconds = 1.0 / 60.0);
    // Runs the loop (ticks included, with the clock standing still) until the quit message; false when
    // maxPasses passes did not reach it.
    bool runToQuit(int maxPasses = 1000);

    // From a screen with the menu closed: Esc opens it on "NeW Game", Enter starts the first level.
    void startNewGame();
    // Starts the game, then a new game whose level is skipped with F1: with one level that totals
    // 225 s and takes row 9 of the default table. False when the window could not be made or the
    // game is not on the name-entry screen afterwards.
    bool reachNameEntry();

    bool quitTaken() const { return quitTaken_; }
    int exitCode() const { return exitCode_; }

private:
    TempFolder folder_;
    // Entered once the folder is filled; left before the folder is removed.
    std::optional<WorkingDirectory> inside_;
    bool quitTaken_ = false;
    int exitCode_ = -1;
};

// One tick of a solver route: its length and the keys held, "-" or letters of L R U D S.
struct RouteStep {
    float seconds = 0.0f;
    std::string keys;
};

// Reads a route's "DT KEYS" lines; "#" lines are comments. Empty when the file cannot be read.
std::vector<RouteStep> readRoute(const std::filesystem::path& file);

// Holds exactly the arrow keys and Shift that the letters L R U D S name.
void holdKeys(const std::string& keys);

// The headless records as readable text, for failure messages.
std::string describeMessageBoxes();
std::string describeCues();
std::string describeMusic();
int countCue(const std::string& fileName);

} // namespace testsupport
