// SPDX-License-Identifier: MIT
// Reading and writing the settings file: a few "key value" lines, read leniently (a damaged line is
// reported and passed over, never fatal), written whole through a temporary file.
#include "app/settings.h"

#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "chase/ghost.h"
#include "controls/controls.h"
#include "level/level_set.h"
#include "level/token_reader.h"
#include "online/board_client.h"
#include "platform/touch.h"
#include "scores/atomic_file.h"

Settings TheSettings;

namespace {

constexpr size_t MaxSettingsBytes = 64u * 1024u;
const char* const GhostKey = "ghost";
const char* const WindowKey = "window";
const char* const FullscreenKey = "fullscreen";
const char* const ServerKey = "server";
const char* const PlayerKey = "player";
const char* const SetKey = "set";
const char* const TouchKey = "touch";
const char* const TiltKey = "tilt";
// Window sides outside this are taken for damage; the backend further keeps a size to its display.
constexpr int MaxWindowSide = 16384;

// A whole number of at most `digits` digits within least..most; false, `out` untouched, otherwise.
bool parseNumber(std::string_view word, size_t digits, int least, int most, int& out)
{
    if (word.empty() || word.size() > digits)
        return false;
    int value = 0;
    for (char c : word) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    if (value < least || value > most)
        return false;
    out = value;
    return true;
}

bool parseWindowSide(std::string_view word, int& side)
{
    return parseNumber(word, 5, 1, MaxWindowSide, side);
}

// Takes one line's words; false when the line means nothing.
bool applySetting(const std::vector<std::string_view>& words)
{
    GhostChoice choice = GhostChoice::Off;
    if (words.size() == 2 && words[0] == GhostKey) {
        // A "file" ghost needs the --ghost of its own run.
        if (!ghostChoiceFromWord(words[1], choice) || choice == GhostChoice::File)
            return false;
        TheSettings.ghostInFile = choice;
        chooseGhost(choice);
    } else if (words.size() == 3 && words[0] == WindowKey) {
        int width = 0, height = 0;
        if (!parseWindowSide(words[1], width) || !parseWindowSide(words[2], height))
            return false;
        TheSettings.window.width = width;
        TheSettings.window.height = height;
    } else if (words.size() == 2 && words[0] == FullscreenKey && (words[1] == "yes" || words[1] == "no")) {
        TheSettings.window.fullscreen = words[1] == "yes";
    } else if (words.size() == 2 && words[0] == ServerKey) {
        std::string server(words[1]);
        if (!normaliseServerUrl(server))
            return false;
        TheSettings.server = server;
    } else if (words.size() == 2 && words[0] == PlayerKey && isBoardName(std::string(words[1]))) {
        TheSettings.player = words[1];
    } else if (words.size() == 2 && words[0] == SetKey && isSetName(words[1])) {
        TheSettings.levelSet = words[1];
    } else if (words.size() == 3 && words[0] == TouchKey && words[1] == "stick" &&
               (words[2] == "left" || words[2] == "right")) {
        TheTouchSettings.stickOnRight = words[2] == "right";
    } else if (words.size() == 2 && words[0] == TiltKey && (words[1] == "on" || words[1] == "off")) {
        TheTouchSettings.tilt = words[1] == "on";
    } else if (words.size() == 3 && words[0] == TiltKey && words[1] == "sensitivity") {
        return parseNumber(words[2], 2, MinTiltSensitivity, MaxTiltSensitivity, TheTouchSettings.tiltSensitivity);
    } else {
        return false;
    }
    return true;
}

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

std::vector<std::string> applySettingsText(std::string_view text)
{
    std::vector<std::string> errors;
    std::vector<std::string_view> words;
    size_t start = 0;
    std::string_view line;
    for (int number = 1; nextLine(text, start, line); ++number) {
        splitWords(line, words);
        if (words.empty() || words[0].front() == '#')
            continue;
        std::string error;
        if (applyControlsLine(words, error)) {
            if (!error.empty())
                errors.push_back("line " + std::to_string(number) + ": " + error);
        } else if (!applySetting(words)) {
            // A line is quoted only in part, so a damaged file cannot flood the terminal.
            std::string shown(line.substr(0, 60));
            errors.push_back("line " + std::to_string(number) + ": \"" + shown + "\" means nothing");
        }
    }
    return errors;
}

std::string formatSettings()
{
    GhostChoice kept = TheChase.ghost == GhostChoice::File ? TheSettings.ghostInFile : TheChase.ghost;
    std::string text =
        std::string("# roliquo settings, rewritten by the game\n") + GhostKey + " " + ghostChoiceWord(kept) + "\n";
    if (TheSettings.window.width > 0 && TheSettings.window.height > 0)
        text += std::string(WindowKey) + " " + std::to_string(TheSettings.window.width) + " " +
            std::to_string(TheSettings.window.height) + "\n";
    text += std::string(FullscreenKey) + (TheSettings.window.fullscreen ? " yes\n" : " no\n");
    if (!TheSettings.server.empty())
        text += std::string(ServerKey) + " " + TheSettings.server + "\n";
    if (!TheSettings.player.empty())
        text += std::string(PlayerKey) + " " + TheSettings.player + "\n";
    if (!TheSettings.levelSet.empty() && TheSettings.levelSet != MainSetName)
        text += std::string(SetKey) + " " + TheSettings.levelSet + "\n";
    // The touch lines only where they differ from the defaults, so a desktop's file never holds them.
    const TouchSettings touch;
    if (TheTouchSettings.stickOnRight != touch.stickOnRight)
        text += std::string(TouchKey) + " stick " + (TheTouchSettings.stickOnRight ? "right" : "left") + "\n";
    if (TheTouchSettings.tilt != touch.tilt)
        text += std::string(TiltKey) + (TheTouchSettings.tilt ? " on\n" : " off\n");
    if (TheTouchSettings.tiltSensitivity != touch.tiltSensitivity)
        text += std::string(TiltKey) + " sensitivity " + std::to_string(TheTouchSettings.tiltSensitivity) + "\n";
    return text + formatControlsLines();
}

void keepWindowPlacement(const platform::WindowPlacement& atStart)
{
    platform::WindowPlacement now = platform::windowPlacement();
    if (now == atStart || now.width <= 0 || now.height <= 0)
        return;
    TheSettings.window = now;
    writeSettings();
}

void readSettings()
{
    std::string text;
    if (!TheSettings.path.empty() && readTextFile(TheSettings.path, text, MaxSettingsBytes))
        for (const std::string& error : applySettingsText(text))
            std::fprintf(stderr, "roliquo: %s, %s\n", TheSettings.path.c_str(), error.c_str());
    applySoundLevels();
}

bool writeSettings()
{
    if (TheSettings.path.empty())
        return true;
    std::error_code failure;
    std::filesystem::create_directories(std::filesystem::path(TheSettings.path).parent_path(), failure);
    std::string reason = failure.message();
    if (!failure && writeFileAtomically(TheSettings.path, formatSettings(), reason))
        return true;
    std::fprintf(stderr, "roliquo: could not save the settings to %s: %s\n", TheSettings.path.c_str(), reason.c_str());
    return false;
}
