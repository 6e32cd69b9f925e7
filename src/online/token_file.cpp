// SPDX-License-Identifier: MIT
// Reading and writing the tokens file. The file is private: written 0600 through a temporary file.
#include "online/token_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "level/token_reader.h"
#include "online/board_client.h"

namespace {

bool isTokenText(std::string_view token)
{
    // A token is 64 hex digits, the alphabet of a SHA-256.
    return isSha256Hex(token);
}

} // namespace

std::vector<TokenEntry> parseTokens(std::string_view text)
{
    std::vector<TokenEntry> entries;
    size_t start = 0;
    std::string_view line;
    std::vector<std::string_view> words;
    while (entries.size() < MaxTokenEntries && nextLine(text, start, line)) {
        if (line.size() > MaxTokenLine)
            continue;
        splitWords(line, words);
        if (words.size() != 3)
            continue;
        TokenEntry entry{std::string(words[0]), std::string(words[1]), std::string(words[2])};
        if (normaliseServerUrl(entry.server) && isBoardName(entry.player) && isTokenText(entry.token))
            setToken(entries, entry.server, entry.player, entry.token);
    }
    return entries;
}

std::string formatTokens(const std::vector<TokenEntry>& entries)
{
    std::string text = "# Leaderboard tokens: SERVER PLAYER TOKEN. Keep this file private.\n";
    for (const TokenEntry& entry : entries)
        text += entry.server + " " + entry.player + " " + entry.token + "\n";
    return text;
}

std::string tokenFor(const std::vector<TokenEntry>& entries, const std::string& server, const std::string& player)
{
    for (const TokenEntry& entry : entries)
        if (entry.server == server && entry.player == player)
            return entry.token;
    return "";
}

void setToken(std::vector<TokenEntry>& entries, const std::string& server, const std::string& player,
              const std::string& token)
{
    for (TokenEntry& entry : entries)
        if (entry.server == server && entry.player == player) {
            entry.token = token;
            return;
        }
    if (entries.size() < MaxTokenEntries)
        entries.push_back({server, player, token});
}

std::vector<TokenEntry> readTokens(const std::string& path)
{
    std::string text;
    if (path.empty() || !readTextFile(path, text, 64 * 1024))
        return {};
    return parseTokens(text);
}

bool writeTokens(const std::string& path, const std::vector<TokenEntry>& entries, std::string& reason)
{
    std::error_code failure;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), failure);
    std::string temporary = path + ".new";
    int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        reason = std::strerror(errno);
        return false;
    }
    std::string text = formatTokens(entries);
    bool written = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size()) && fsync(fd) == 0;
    written = close(fd) == 0 && written;
    if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
        reason = std::strerror(errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}
