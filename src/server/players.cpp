// SPDX-License-Identifier: MIT
// Claiming names, checking tokens and the submission bucket. A token's first 16 hex digits find its row;
// the SHA-256 of the whole token is then compared in constant time.
#include "server/players.h"

#include <sys/random.h>

#include <stdexcept>

#include "replay/file_hash.h"
#include "server/request_text.h"

namespace {

constexpr size_t TokenIdLength = 16;

std::string randomToken()
{
    unsigned char bytes[TokenBytes];
    size_t got = 0;
    while (got < sizeof bytes) {
        ssize_t n = getrandom(bytes + got, sizeof bytes - got, 0);
        if (n < 0)
            throw std::runtime_error("no random bytes for a token");
        got += static_cast<size_t>(n);
    }
    static const char digits[] = "0123456789abcdef";
    std::string token;
    for (unsigned char byte : bytes) {
        token += digits[byte >> 4];
        token += digits[byte & 15];
    }
    return token;
}

} // namespace

NewPlayer createPlayer(pqxx::connection& connection, const std::string& name)
{
    NewPlayer out;
    out.token = randomToken();
    pqxx::work txn(connection);
    pqxx::result row =
        txn.exec_params("INSERT INTO players (name, token_id, token_hash, bucket) VALUES ($1, $2, $3, $4) "
                        "ON CONFLICT DO NOTHING RETURNING id",
                        name, out.token.substr(0, TokenIdLength), sha256Hex(out.token), SubmissionBurst);
    txn.commit();
    if (row.empty()) {
        out.taken = true;
        out.token.clear();
    }
    return out;
}

std::optional<int64_t> playerOfToken(pqxx::transaction_base& txn, const std::string& token)
{
    if (token.size() != TokenHexLength)
        return std::nullopt;
    pqxx::result row =
        txn.exec_params("SELECT id, token_hash FROM players WHERE token_id = $1", token.substr(0, TokenIdLength));
    if (row.empty() || !constantTimeEqual(row[0][1].c_str(), sha256Hex(token)))
        return std::nullopt;
    return row[0][0].as<int64_t>();
}

bool takeSubmission(pqxx::transaction_base& txn, int64_t player)
{
    pqxx::result row = txn.exec_params(
        "UPDATE players SET bucket = least($2, bucket + extract(epoch FROM now() - bucket_at) * $3) - 1, "
        "bucket_at = now() "
        "WHERE id = $1 AND least($2, bucket + extract(epoch FROM now() - bucket_at) * $3) >= 1 RETURNING id",
        player, SubmissionBurst, SubmissionsPerSecond);
    return !row.empty();
}
