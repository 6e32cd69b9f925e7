// SPDX-License-Identifier: MIT
// Claims (FOR UPDATE SKIP LOCKED, so workers never wait on each other), leases and the verdict's one
// transaction.
#include "server/booking.h"

#include "level/token_reader.h"
#include "sim/round_step.h"
#include "verify/verdict_json.h"

namespace {

// Whether the replay played every level of the set, in order, and nothing else.
bool playsWholeSet(const Replay& replay, const PackSet& set)
{
    if (replay.levels.size() != set.levels.size())
        return false;
    for (size_t i = 0; i < set.levels.size(); ++i)
        if (replay.levels[i].mapHash != set.levels[i].sha256)
            return false;
    return true;
}

void bookBoards(pqxx::work& txn, const ClaimedRun& run, const Replay& replay, const PackCatalog& catalog)
{
    for (size_t i = 0; i < replay.levels.size(); ++i) {
        const ReplayLevel& level = replay.levels[i];
        if (level.skipped || level.bookedSeconds >= UnfinishedLevelSeconds)
            continue;
        txn.exec_params("INSERT INTO level_runs (run_id, position, sha256, player_id, seconds) "
                        "SELECT $1, $2, $3, $4, $5 WHERE EXISTS (SELECT 1 FROM levels WHERE sha256 = $3)",
                        run.id, static_cast<int>(i + 1), level.mapHash, run.player,
                        exactFloatText(level.bookedSeconds));
    }
    for (const PackSet& set : catalog.sets)
        if (playsWholeSet(replay, set)) {
            txn.exec_params("INSERT INTO set_runs (run_id, set_name, player_id, total) VALUES ($1, $2, $3, $4)", run.id,
                            set.name, run.player, exactFloatText(replay.total));
            break;
        }
}

} // namespace

bool claimRun(pqxx::connection& connection, const std::string& claim, int leaseSeconds, ClaimedRun& out)
{
    pqxx::work txn(connection);
    pqxx::result row = txn.exec_params(
        "UPDATE runs SET state = 'verifying', claim = $1, lease_until = now() + make_interval(secs => $2), "
        "attempts = attempts + 1 "
        "WHERE id = (SELECT id FROM runs WHERE state = 'queued' OR (state = 'verifying' AND lease_until < now()) "
        "ORDER BY id FOR UPDATE SKIP LOCKED LIMIT 1) RETURNING id, player_id, replay",
        claim, leaseSeconds);
    txn.commit();
    if (row.empty())
        return false;
    out.id = row[0][0].as<int64_t>();
    out.player = row[0][1].as<int64_t>();
    out.replay = pqxx::binarystring(row[0][2]).str();
    return true;
}

bool renewLease(pqxx::connection& connection, int64_t run, const std::string& claim, int leaseSeconds)
{
    pqxx::work txn(connection);
    pqxx::result row = txn.exec_params("UPDATE runs SET lease_until = now() + make_interval(secs => $3) "
                                       "WHERE id = $1 AND claim = $2 AND state = 'verifying' RETURNING id",
                                       run, claim, leaseSeconds);
    txn.commit();
    return !row.empty();
}

bool bookVerdict(pqxx::connection& connection, const ClaimedRun& run, const std::string& claim, const Verdict& verdict,
                 const Replay* replay, const PackCatalog& catalog, double seconds)
{
    bool accepted = verdict.status == VerifiedStatus;
    pqxx::work txn(connection);
    pqxx::result row = txn.exec_params(
        "UPDATE runs SET state = $3, verdict = $4, verify_seconds = $5, verified = now(), claim = NULL, "
        "lease_until = NULL WHERE id = $1 AND claim = $2 AND state = 'verifying' RETURNING id",
        run.id, claim, accepted ? "accepted" : "rejected", verdictJsonText(verdictJson(verdict)), seconds);
    if (row.empty())
        return false;
    if (accepted && replay)
        bookBoards(txn, run, *replay, catalog);
    txn.commit();
    return true;
}
