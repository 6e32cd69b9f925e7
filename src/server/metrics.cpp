// SPDX-License-Identifier: MIT
// The metrics come from the database, so every HTTP process of a deployment reports the same figures.
#include "server/metrics.h"

#include <cstdio>

std::string metricsText(pqxx::connection& connection)
{
    pqxx::read_transaction txn(connection);
    std::string out = "# HELP roliquo_runs Submitted runs by state.\n# TYPE roliquo_runs gauge\n";
    pqxx::result states = txn.exec("SELECT s.state, count(runs.id) FROM (VALUES ('queued'), ('verifying'), "
                                   "('accepted'), ('rejected')) AS s(state) "
                                   "LEFT JOIN runs ON runs.state = s.state GROUP BY s.state ORDER BY s.state");
    int64_t queued = 0;
    for (const pqxx::row& row : states) {
        out += "roliquo_runs{state=\"" + row[0].as<std::string>() + "\"} " + row[1].as<std::string>() + "\n";
        if (row[0].as<std::string>() == "queued")
            queued = row[1].as<int64_t>();
    }
    pqxx::result seconds = txn.exec("SELECT coalesce(sum(verify_seconds), 0), count(verify_seconds) FROM runs");
    char line[160];
    std::snprintf(line, sizeof line, "roliquo_verification_seconds_sum %.6f\nroliquo_verification_seconds_count %lld\n",
                  seconds[0][0].as<double>(), static_cast<long long>(seconds[0][1].as<int64_t>()));
    out += "# HELP roliquo_verification_seconds Time spent re-simulating runs.\n"
           "# TYPE roliquo_verification_seconds summary\n";
    out += line;
    out += "# HELP roliquo_queue_depth Runs waiting for a worker.\n# TYPE roliquo_queue_depth gauge\n";
    out += "roliquo_queue_depth " + std::to_string(queued) + "\n";
    return out;
}
