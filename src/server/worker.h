// SPDX-License-Identifier: MIT
// A verification worker: claims queued runs one at a time, re-simulates each in this process through
// the level tool's own verifier within a tick budget, renews its lease meanwhile, and books the verdict.
#pragma once

#include <atomic>
#include <string>

#include "server/pack_catalog.h"

// Far more than a whole game at a high frame rate, and a few seconds of simulation at most.
constexpr size_t VerificationTickBudget = 2'000'000;

struct WorkerSettings {
    std::string database;
    int leaseSeconds = 30;
};

// Works until `stop` is set; a verification under way is finished and booked first. Returns the
// process's exit status (1 when the database cannot be reached).
int runWorker(const WorkerSettings& settings, const PackCatalog& catalog, const std::atomic<bool>& stop);
