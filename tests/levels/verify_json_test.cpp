// SPDX-License-Identifier: MIT
// What `roliquo-level verify` says about a replay beyond the plain check: `--json` gives one object that
// a JSON library reads and that agrees with the plain lines, and a replay of another simulation
// version is named as such, with its own status, by verify and by the viewer.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "level_tool_runner.h"
#include "scripted_game.h"
#include "watch/replay_viewer.h"

namespace fs = std::filesystem;
using testsupport::GameDriver;

namespace {

// Replaces the first line that starts with `start`.
std::string withLine(const std::string& text, const std::string& start, const std::string& line)
{
    std::string out;
    bool done = false;
    for (const std::string& l : splitLines(text)) {
        bool hit = !done && l.rfind(start, 0) == 0;
        out += (hit ? line : l) + "\n";
        done = done || hit;
    }
    return out;
}

TEST(VerifyJson, AgreesWithThePlainLinesAndNamesAnotherSimulation)
{
    GameDriver game(GameDriver::Data::Small, Levels);
    fs::path file;
    ASSERT_NO_FATAL_FAILURE(playScriptedGame(game, file));
    std::string text = readTextFile(file.string());
    // A name that JSON must escape.
    fs::path named = game.folder() / "named.replay";
    writeTextFile(named.string(),
                  withLine(text, "#@ total ", "#@ total " + splitWords(splitLines(text).back())[2] + " name Q\"\\x"));
    ToolRun plain = runLevelTool({"verify", "--data", game.folder().string(), named.string()});
    ToolRun json = runLevelTool({"verify", "--json", "--data", game.folder().string(), named.string()});
    ASSERT_EQ(plain.status, 0) << plain.output << plain.errors;
    EXPECT_EQ(json.status, 0) << json.output << json.errors;
    nlohmann::json verdict = nlohmann::json::parse(json.output);
    EXPECT_EQ(verdict["verified"], true);
    EXPECT_EQ(verdict["simulation"], 1);
    EXPECT_EQ(verdict["name"], "Q\"\\x");
    std::vector<std::string> lines = splitLines(plain.output);
    ASSERT_EQ(verdict["levels"].size(), static_cast<size_t>(Levels));
    ASSERT_EQ(lines.size(), static_cast<size_t>(Levels) + 1);
    for (size_t i = 0; i < static_cast<size_t>(Levels); ++i) {
        const nlohmann::json& level = verdict["levels"][i];
        // "level N MAP: B s[ (left with F1)]"
        std::vector<std::string> words = splitWords(lines[i]);
        EXPECT_EQ(words[2], level["map"].get<std::string>() + ":") << lines[i];
        EXPECT_EQ(std::stof(words[3]), level["booked"].get<float>()) << lines[i];
        EXPECT_EQ(level["skipped"], lines[i].find("(left with F1)") != std::string::npos) << lines[i];
        EXPECT_EQ(level["verified"], true);
        EXPECT_EQ(level["hash"].get<std::string>().size(), 64u);
    }
    // "total T s, name NAME: verified"
    EXPECT_EQ(std::stof(splitWords(lines.back())[1]), verdict["total"].get<float>()) << lines.back();

    // One tick's keys changed in the third level: the plain line and the object give the same reason.
    std::vector<std::string> all = splitLines(text);
    size_t levels = 0, line = 0;
    for (; line < all.size() && levels < 3; ++line)
        levels += all[line].rfind("#@ level ", 0) == 0 ? 1 : 0;
    all[line + 100] = splitWords(all[line + 100])[0] + " D";
    std::string changedText;
    for (const std::string& l : all)
        changedText += l + "\n";
    fs::path changed = game.folder() / "changed.replay";
    writeTextFile(changed.string(), changedText);
    plain = runLevelTool({"verify", "--data", game.folder().string(), changed.string()});
    json = runLevelTool({"verify", "--json", "--data", game.folder().string(), changed.string()});
    EXPECT_EQ(plain.status, 1);
    EXPECT_EQ(json.status, 1);
    verdict = nlohmann::json::parse(json.output);
    EXPECT_EQ(verdict["verified"], false);
    EXPECT_EQ(verdict["levels"][1]["verified"], true);
    EXPECT_EQ(verdict["levels"][2]["verified"], false);
    std::string reason = verdict["levels"][2]["reason"];
    EXPECT_NE(plain.output.find("level 3 level3.map: DIFFERS: " + reason + "\n"), std::string::npos) << plain.output;

    // Recorded with another simulation: said plainly, status 4, not played again.
    fs::path other = game.folder() / "other.replay";
    writeTextFile(other.string(), withLine(text, "#@ simulation ", "#@ simulation 2"));
    plain = runLevelTool({"verify", "--data", game.folder().string(), other.string()});
    EXPECT_EQ(plain.status, 4) << plain.output << plain.errors;
    EXPECT_NE(plain.output.find("recorded with simulation 2; this is simulation 1"), std::string::npos) << plain.output;
    EXPECT_EQ(plain.output.find("DIFFERS"), std::string::npos) << plain.output;
    json = runLevelTool({"verify", "--json", "--data", game.folder().string(), other.string()});
    EXPECT_EQ(json.status, 4);
    verdict = nlohmann::json::parse(json.output);
    EXPECT_EQ(verdict["simulation"], 2);
    EXPECT_EQ(verdict["reason"], "recorded with simulation 2; this is simulation 1");

    std::string error;
    EXPECT_EQ(loadReplayToWatch(other.string(), error), OtherSimulationExitCode);
    EXPECT_NE(error.find("recorded with simulation 2; this is simulation 1"), std::string::npos) << error;
    stopWatchingReplay();

    // A replay from before the line existed is simulation 1 and still verifies.
    fs::path old = game.folder() / "old.replay";
    std::string oldText;
    for (const std::string& l : splitLines(text))
        if (l.rfind("#@ simulation ", 0) != 0)
            oldText += l + "\n";
    writeTextFile(old.string(), oldText);
    plain = runLevelTool({"verify", "--data", game.folder().string(), old.string()});
    EXPECT_EQ(plain.status, 0) << plain.output << plain.errors;
}

} // namespace
