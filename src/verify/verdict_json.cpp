// SPDX-License-Identifier: MIT
// The verdict object. Reals go in as the doubles their exact float text reads as, so the JSON writer's
// shortest form of each is that same text.
#include "verify/verdict_json.h"

#include <cstdlib>

#include "level/token_reader.h"
#include "sim/round_step.h"

double exactJsonNumber(float value)
{
    return std::strtod(exactFloatText(value).c_str(), nullptr);
}

nlohmann::ordered_json verdictJson(const Verdict& verdict)
{
    nlohmann::ordered_json out;
    out["status"] = verdict.status;
    out["verified"] = verdict.status == VerifiedStatus;
    out["reason"] = verdict.problem;
    out["simulation"] = verdict.replayRead ? nlohmann::ordered_json(verdict.simulation) : nullptr;
    out["this_simulation"] = SimulationVersion;
    out["levels"] = nlohmann::ordered_json::array();
    for (size_t i = 0; i < verdict.levels.size(); ++i) {
        const LevelVerdict& level = verdict.levels[i];
        std::string reason = level.reason;
        if (!level.checked)
            reason = verdict.status == OtherSimulationStatus ? "not re-simulated: another simulation"
                : verdict.status == MalformedStatus          ? "not re-simulated: the replay was refused"
                                                             : "not checked: an earlier level differs";
        out["levels"].push_back({{"level", i + 1},
                                 {"map", level.mapName},
                                 {"hash", level.mapHash},
                                 {"booked", exactJsonNumber(level.bookedSeconds)},
                                 {"skipped", level.skipped},
                                 {"verified", level.verified},
                                 {"reason", reason}});
    }
    out["total"] = verdict.replayRead ? nlohmann::ordered_json(exactJsonNumber(verdict.total)) : nullptr;
    out["name"] = verdict.replayRead ? nlohmann::ordered_json(verdict.name) : nullptr;
    return out;
}

std::string verdictJsonText(const nlohmann::ordered_json& object)
{
    return object.dump(-1, ' ', true, nlohmann::ordered_json::error_handler_t::replace);
}
