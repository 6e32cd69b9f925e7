// SPDX-License-Identifier: MIT
// Reading the server and the player from the settings file, which the game writes.
#include "online/board_settings.h"

#include <cstdlib>
#include <vector>

#include "level/token_reader.h"
#include "online/board_client.h"

BoardSettings parseBoardSettings(std::string_view text)
{
    BoardSettings out;
    std::vector<std::string_view> words;
    size_t start = 0;
    std::string_view line;
    while (nextLine(text, start, line)) {
        splitWords(line, words);
        if (words.size() != 2)
            continue;
        std::string value(words[1]);
        if (words[0] == "server" && normaliseServerUrl(value))
            out.server = value;
        else if (words[0] == "player" && isBoardName(value))
            out.player = value;
    }
    return out;
}

BoardSettings readBoardSettings(const std::string& path)
{
    std::string text;
    if (path.empty() || !readTextFile(path, text, 64 * 1024))
        return {};
    return parseBoardSettings(text);
}

std::string configFilePath(const std::string& name)
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && config[0] == '/')
        return std::string(config) + "/roliquo/" + name;
    const char* home = std::getenv("HOME");
    return home && *home ? std::string(home) + "/.config/roliquo/" + name : "";
}
