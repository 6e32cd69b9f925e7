// SPDX-License-Identifier: MIT
// The verify command: reads the replay named on the command line, re-simulates it in the data folder
// (verify/replay_verifier.h) and prints the verdict as lines or as its JSON object.
#include "verify.h"

#include <cstdio>

#include "level/token_reader.h"
#include "replay/replay_file.h"
#include "sim_session.h"
#include "verify/replay_verifier.h"
#include "verify/verdict_json.h"

Verdict verifyReplay(const std::string& replayPath, const std::string& dataDir)
{
    Replay replay;
    ReplayError error;
    if (!readReplayFile(pathFromStart(replayPath), replay, error)) {
        Verdict verdict;
        verdict.problem = replayErrorText(replayPath, error);
        return verdict;
    }
    Verdict verdict = verifyReadReplay(replay, pathFromStart(dataDir.empty() ? "." : dataDir));
    if (verdict.status == MalformedStatus)
        verdict.problem = "roliquo-level: " + verdict.problem;
    return verdict;
}

int printVerdict(const Verdict& verdict, const std::string& replayPath)
{
    if (verdict.status == MalformedStatus) {
        std::fprintf(stderr, "%s\n", verdict.problem.c_str());
        return verdict.status;
    }
    if (verdict.status == OtherSimulationStatus) {
        std::printf("%s: %s\n", replayPath.c_str(), verdict.problem.c_str());
        return verdict.status;
    }
    for (size_t i = 0; i < verdict.levels.size() && verdict.levels[i].checked; ++i) {
        const LevelVerdict& level = verdict.levels[i];
        if (!level.verified) {
            std::printf("level %zu %s: DIFFERS: %s\n", i + 1, level.mapName.c_str(), level.reason.c_str());
            return verdict.status;
        }
        std::printf("level %zu %s: %s s%s\n", i + 1, level.mapName.c_str(), exactFloatText(level.bookedSeconds).c_str(),
                    level.skipped ? " (left with F1)" : "");
    }
    if (verdict.status != VerifiedStatus) {
        std::printf("total: DIFFERS: %s\n", verdict.problem.c_str());
        return verdict.status;
    }
    std::printf("total %s s, name %s: verified\n", exactFloatText(verdict.total).c_str(), verdict.name.c_str());
    return verdict.status;
}

void printVerdictJson(const Verdict& verdict, const std::string& replayPath)
{
    nlohmann::ordered_json out = {{"file", replayPath}};
    out.update(verdictJson(verdict));
    std::printf("%s\n", verdictJsonText(out).c_str());
}
