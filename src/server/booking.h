// SPDX-License-Identifier: MIT
// Booking a verdict: the run's state and verdict, each level it finished and, for a whole set played
// in order, its total, all in one transaction and only while the worker's claim still holds.
#pragma once

#include <cstdint>
#include <string>

#include <pqxx/pqxx>

#include "replay/replay_file.h"
#include "server/pack_catalog.h"
#include "verify/verdict.h"

struct ClaimedRun {
    int64_t id = 0;
    int64_t player = 0;
    std::string replay;
};

// Claims the oldest queued run, or one whose lease has lapsed, for `leaseSeconds` under `claim`.
bool claimRun(pqxx::connection& connection, const std::string& claim, int leaseSeconds, ClaimedRun& out);

// Extends the claim's lease; false once the claim is no longer this worker's.
bool renewLease(pqxx::connection& connection, int64_t run, const std::string& claim, int leaseSeconds);

// Writes the verdict (and, when verified, the board rows) of a claimed run; false, with nothing written,
// when the claim was lost to another worker. `replay` is the run's replay when it could be read.
bool bookVerdict(pqxx::connection& connection, const ClaimedRun& run, const std::string& claim, const Verdict& verdict,
                 const Replay* replay, const PackCatalog& catalog, double seconds);
