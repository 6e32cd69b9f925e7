// SPDX-License-Identifier: MIT
// Reading and writing the settings file: a few "key value" lines, read leniently (a damaged line is
// passed over, never fatal), written whole through a temporary file.
#include "app/settings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "app/ghost.h"
#include "level/token_reader.h"
#include "scores/atomic_file.h"

std::string SettingsPath;

namespace {

constexpr size_t MaxSettingsBytes = 64u * 1024u;
const char* const GhostKey = "ghost";

} // namespace

std::string chooseSettingsPath(const std::string& xdgConfigHome, const std::string& home)
{
    namespace fs = std::filesystem;
    if (!xdgConfigHome.empty() && xdgConfigHome.front() == '/')
        return (fs::path(xdgConfigHome) / "roliquo" / "settings").string();
    if (!home.empty())
        return (fs::path(home) / ".config" / "roliquo" / "settings").string();
    return "";
}

void applySettingsText(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        splitWords(text.substr(start, end - start), words);
        start = end + 1;
        if (words.size() != 2 || words[0].front() == '#')
            continue;
        GhostChoice choice = GhostChoice::Off;
        // A "file" ghost needs the --ghost of its own run.
        if (words[0] == GhostKey && ghostChoiceFromWord(words[1], choice) && choice != GhostChoice::File)
            OptionGhost = choice;
    }
}

std::string formatSettings()
{
    GhostChoice kept = OptionGhost == GhostChoice::File ? GhostChoice::Off : OptionGhost;
    return std::string("# roliquo settings, rewritten by the game\n") + GhostKey + " " + ghostChoiceWord(kept) + "\n";
}

void readSettings()
{
    std::string text;
    if (!SettingsPath.empty() && readTextFile(SettingsPath, text, MaxSettingsBytes))
        applySettingsText(text);
}

bool writeSettings()
{
    if (SettingsPath.empty())
        return true;
    std::error_code failure;
    std::filesystem::create_directories(std::filesystem::path(SettingsPath).parent_path(), failure);
    std::string reason = failure.message();
    if (!failure && writeFileAtomically(SettingsPath, formatSettings(), reason))
        return true;
    std::fprintf(stderr, "roliquo: could not save the settings to %s: %s\n", SettingsPath.c_str(), reason.c_str());
    return false;
}
