// SPDX-License-Identifier: MIT
// The kept replays: naming, atomic writing and pruning, run on one background thread at a time so that
// the frame never waits for the disk.
#include "replay/replay_store.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <system_error>
#include <thread>
#include <utility>

#include "scores/atomic_file.h"
#include "scores/high_score_folder.h"
#include "scores/high_scores.h"
#include "sim/round_clock.h"

namespace fs = std::filesystem;

namespace {

const char* const ReplayExtension = ".replay";
constexpr int MaxNameTries = 100;
constexpr size_t MaxFileNameLetters = 32;

// The one save in flight; joined before the next starts and, at the latest, when the program ends.
struct ReplaySaver {
    std::thread thread;
    ~ReplaySaver()
    {
        if (thread.joinable())
            thread.join();
    }
};
ReplaySaver Saver;

struct StoredReplay {
    std::string path;
    Replay replay;
};

} // namespace

std::string replayNameOf(const std::string& rowName)
{
    std::string name = rowName.substr(0, MaxReplayNameLength);
    for (char& c : name) {
        if (c <= ' ' || c > '~')
            c = '_';
    }
    while (!name.empty() && name.back() == '_')
        name.pop_back();
    return name.empty() ? std::string("---") : name;
}

std::string replayFileName(const std::tm& date, float total, const std::string& name)
{
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%04d-%02d-%02d_%07.2f_", date.tm_year + 1900, date.tm_mon + 1, date.tm_mday,
                  static_cast<double>(total));
    std::string safe;
    for (char c : name.substr(0, MaxFileNameLetters)) {
        bool kept = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
        safe += kept ? c : '_';
    }
    return prefix + safe + ReplayExtension;
}

std::string writeReplayFile(const std::string& folder, const Replay& replay, const std::tm& date)
{
    std::error_code failure;
    fs::create_directories(folder, failure);
    if (failure) {
        std::fprintf(stderr, "roliquo: could not make the replay folder %s: %s\n", folder.c_str(),
                     failure.message().c_str());
        return "";
    }
    std::string base = replayFileName(date, replay.total, replay.name);
    std::string stem = base.substr(0, base.size() - std::string(ReplayExtension).size());
    std::string path = (fs::path(folder) / base).string();
    for (int n = 2; fs::exists(path, failure) && n <= MaxNameTries; ++n)
        path = (fs::path(folder) / (stem + "-" + std::to_string(n) + ReplayExtension)).string();
    std::string reason = "every name for it is taken";
    if (fs::exists(path, failure) || !writeFileAtomically(path, formatReplay(replay), reason)) {
        std::fprintf(stderr, "roliquo: could not save the replay %s: %s\n", path.c_str(), reason.c_str());
        return "";
    }
    return path;
}

void pruneReplays(const std::string& folder, const std::vector<TableRow>& table)
{
    std::error_code failure;
    std::vector<std::string> paths;
    for (fs::directory_iterator it(folder, failure), end; !failure && it != end; it.increment(failure)) {
        if (it->is_regular_file(failure) && it->path().extension() == ReplayExtension)
            paths.push_back(it->path().string());
    }
    // Names begin with the date, so this is oldest first: among equals the older run is kept.
    std::sort(paths.begin(), paths.end());
    std::vector<StoredReplay> stored;
    for (const std::string& path : paths) {
        StoredReplay entry{path, {}};
        ReplayError error;
        if (readReplayFile(path, entry.replay, error))
            stored.push_back(std::move(entry));
    }

    std::set<size_t> kept;
    for (const TableRow& row : table) {
        // Compared as the table file writes times, so a run matches its row after a reload too.
        std::string time = formatTableTime(row.time);
        std::string name = replayNameOf(row.name);
        for (size_t i = 0; i < stored.size(); ++i) {
            const Replay& r = stored[i].replay;
            if (!kept.count(i) && formatTableTime(r.total) == time && replayNameOf(r.name) == name) {
                kept.insert(i);
                break;
            }
        }
    }
    // The best finished time of every level (map name and hash) keeps its file.
    std::map<std::pair<std::string, std::string>, std::pair<float, size_t>> best;
    for (size_t i = 0; i < stored.size(); ++i) {
        for (const ReplayLevel& level : stored[i].replay.levels) {
            if (!(level.bookedSeconds < UnfinishedLevelSeconds))
                continue;
            auto key = std::make_pair(level.mapName, level.mapHash);
            auto found = best.find(key);
            if (found == best.end() || level.bookedSeconds < found->second.first)
                best[key] = {level.bookedSeconds, i};
        }
    }
    for (const auto& entry : best)
        kept.insert(entry.second.second);

    for (size_t i = 0; i < stored.size(); ++i) {
        if (!kept.count(i) && !fs::remove(stored[i].path, failure))
            std::fprintf(stderr, "roliquo: could not remove the old replay %s: %s\n", stored[i].path.c_str(),
                         failure.message().c_str());
    }
}

void saveReplayInBackground(Replay replay, std::vector<TableRow> table)
{
    finishReplaySaves();
    // Absolute, so the save lands in the same place whatever the working folder is when it runs.
    std::error_code failure;
    fs::path folder = fs::absolute(fs::path(recordsFolder()) / "replays", failure);
    if (failure) {
        std::fprintf(stderr, "roliquo: could not find the replay folder: %s\n", failure.message().c_str());
        return;
    }
    std::time_t now = std::time(nullptr);
    std::tm date{};
    localtime_r(&now, &date);
    auto save = [folder = folder.string(), replay = std::move(replay), table = std::move(table), date] {
        if (!writeReplayFile(folder, replay, date).empty())
            pruneReplays(folder, table);
    };
    // Where no thread can start (the browser build has none), the save runs here instead.
    try {
        Saver.thread = std::thread(save);
    } catch (const std::system_error&) {
        save();
    }
}

void finishReplaySaves()
{
    if (Saver.thread.joinable())
        Saver.thread.join();
}
