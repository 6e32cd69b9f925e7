// SPDX-License-Identifier: MIT
// A verdict as one JSON object: status, verified, reason, simulation, this_simulation, levels (level,
// map, hash, booked, skipped, verified, reason), total and name. Times keep their exact float text.
#pragma once

#include <nlohmann/json.hpp>

#include "verify/verdict.h"

nlohmann::ordered_json verdictJson(const Verdict& verdict);

// A float as the JSON number whose shortest text is its exact %.9g text (as replays write it).
double exactJsonNumber(float value);

// The object's text, ASCII only (any other byte is replaced), on one line.
std::string verdictJsonText(const nlohmann::ordered_json& object);
