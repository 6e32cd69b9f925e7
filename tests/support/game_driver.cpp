// SPDX-License-Identifier: MIT
// GameDriver: a fresh game per test over the headless backend, driven through the real main loop.
#include "support/game_driver.h"

#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "app/game_reset.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "app/window_proc.h"
#include "chase/ghost.h"
#include "chase/replay_recorder.h"
#include "level/board.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "render/board_renderer.h"
#include "replay/replay_store.h"
#include "scores/high_scores.h"
#include "screen/font.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "screen/records_page.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "watch/replay_viewer.h"

namespace fs = std::filesystem;

namespace testsupport {

namespace {

// Guards against a loop that never goes idle (a handler posting itself forever).
constexpr int MaxPassesPerStep = 100000;

} // namespace

GameDriver::GameDriver(Data data, int levels)
{
    const fs::path& dir = folder_.path();
    if (data == Data::Small) {
        linkData(smallDataSet(), dir);
        for (int level = 1; level <= levels; ++level)
            writeText(dir / ("level" + std::to_string(level) + ".map"),
                      flatLevelText(0x203040u + static_cast<uint32_t>(level)));
        writeText(dir / "maplist.dat", mapListText(levels));
    } else if (data == Data::Pack) {
        fs::path pack = dataPack();
        if (pack.empty())
            throw std::runtime_error("the data pack has not been generated in " ROLIQUO_DATA_DIR);
        linkData(pack, dir);
    }
    inside_.emplace(dir);
    headless::reset();
    // A fresh game; no test reads or writes the player's own settings unless it names a file of its own.
    resetGame();
}

void GameDriver::writeFile(const std::string& name, const std::string& text) const
{
    writeText(folder() / name, text);
}

void GameDriver::removeFile(const std::string& name) const
{
    fs::remove(folder() / name);
}

std::string GameDriver::readFile(const std::string& name) const
{
    return readText(folder() / name);
}

bool GameDriver::fileExists(const std::string& name) const
{
    return fs::exists(folder() / name);
}

bool GameDriver::start()
{
    if (!platform::createWindow(windowProc))
        return false;
    platform::showWindow();
    return true;
}

bool GameDriver::pass()
{
    if (quitTaken_)
        return false;
    int code = 0;
    if (runLoopPass(code))
        return true;
    quitTaken_ = true;
    exitCode_ = code;
    return false;
}

void GameDriver::runUntilIdle()
{
    for (int i = 0; i < MaxPassesPerStep && headless::pendingCount() > 0; ++i) {
        if (!pass())
            return;
    }
    if (headless::pendingCount() > 0)
        throw std::runtime_error("the game's queue never went idle");
}

void GameDriver::press(int virtualKey)
{
    headless::pushKey(virtualKey);
    runUntilIdle();
}

void GameDriver::press(std::initializer_list<int> virtualKeys)
{
    for (int key : virtualKeys)
        press(key);
}

void GameDriver::tick(double seconds)
{
    headless::advanceSeconds(seconds);
    tickCounts(0);
}

void GameDriver::tickCounts(uint64_t counts)
{
    headless::advanceCounter(counts);
    for (int i = 0; i < MaxPassesPerStep; ++i) {
        std::vector<Message> queued = headless::pendingMessages();
        bool tickIsNext = !queued.empty() && queued.front().id == TickMessage;
        if (!pass())
            return;
        if (tickIsNext) {
            runUntilIdle();
            return;
        }
    }
    throw std::runtime_error("no tick was reached");
}

int GameDriver::runTicksUntil(const std::function<bool()>& done, int maxTicks, double seconds)
{
    for (int ticks = 1; ticks <= maxTicks && !quitTaken_; ++ticks) {
        tick(seconds);
        if (done())
            return ticks;
    }
    return -1;
}

bool GameDriver::runToQuit(int maxPasses)
{
    for (int i = 0; i < maxPasses; ++i) {
        if (!pass())
            return true;
    }
    return false;
}

void GameDriver::startNewGame()
{
    press(VkEscape);
    press(VkEnter);
}

bool GameDriver::reachNameEntry()
{
    if (!start())
        return false;
    startNewGame();
    press(VkF1);
    return GameState == NameEntry;
}

std::vector<RouteStep> readRoute(const fs::path& file)
{
    std::vector<RouteStep> steps;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream words(line);
        std::string seconds;
        RouteStep step;
        words >> seconds >> step.keys;
        step.seconds = std::strtof(seconds.c_str(), nullptr);
        steps.push_back(step);
    }
    return steps;
}

void holdKeys(const std::string& keys)
{
    headless::setKeyDown(VkLeft, keys.find('L') != std::string::npos);
    headless::setKeyDown(VkRight, keys.find('R') != std::string::npos);
    headless::setKeyDown(VkUp, keys.find('U') != std::string::npos);
    headless::setKeyDown(VkDown, keys.find('D') != std::string::npos);
    headless::setKeyDown(VkShift, keys.find('S') != std::string::npos);
}

std::string describeMessageBoxes()
{
    std::ostringstream text;
    for (const headless::MessageBoxRecord& box : headless::messageBoxes())
        text << "[\"" << box.text << "\" / \"" << box.caption << "\"" << (box.owned ? ", owned" : "") << "] ";
    return text.str().empty() ? "(no message boxes)" : text.str();
}

std::string describeCues()
{
    std::ostringstream text;
    for (const std::string& cue : headless::cues())
        text << cue << " ";
    return text.str().empty() ? "(no cues)" : text.str();
}

std::string describeMusic()
{
    std::ostringstream text;
    for (const headless::MusicRecord& record : headless::musicRecords())
        text << record.action << "(" << record.fileName << (record.fileName.empty() ? "" : ", ") << record.id << ") ";
    return text.str().empty() ? "(no music requests)" : text.str();
}

int countCue(const std::string& fileName)
{
    int count = 0;
    for (const std::string& cue : headless::cues())
        count += cue == fileName ? 1 : 0;
    return count;
}

} // namespace testsupport
