// SPDX-License-Identifier: MIT
// maplist.dat for the level checker: its items through the game's TokenReader, its verdict from the
// game's own parseMapList, then checkMapFile on every name it lists.
#include "maplist_check.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "level/map_list.h"
#include "level/token_reader.h"
#include "map_check.h"
#include "sim_session.h"

namespace fs = std::filesystem;

namespace {

struct Name {
    std::string text;
    int line = 0;
};

std::string levels(long long n)
{
    return std::to_string(n) + (n == 1 ? " level" : " levels");
}

} // namespace

bool looksLikeMapList(const std::string& path, const std::string& text)
{
    if (fs::path(path).filename() == "maplist.dat")
        return true;
    TokenReader reader(text);
    std::string first;
    if (!reader.readToken(first))
        return false;
    TokenReader number(first);
    int32_t count = 0;
    return number.readInt(count) && number.endReached();
}

bool checkMapList(const std::string& path, const std::string& text, const std::string& dataDir)
{
    bool sound = true;
    auto report = [&](int line, bool error, const std::string& message) {
        printFinding(path, line, error, message);
        if (error)
            sound = false;
    };

    TokenReader reader(text);
    std::string countText;
    int32_t count = 0;
    if (!reader.readToken(countText)) {
        report(0, true, "the file is empty: it needs the number of levels, then their map files");
        return false;
    }
    int countLine = reader.line();
    TokenReader number(countText);
    bool countRead = number.readInt(count) && number.endReached();
    if (!countRead) {
        report(countLine, true, "the level count \"" + countText + "\" is not an integer");
        count = 0;
    } else if (count < 1) {
        report(countLine, true, "the level count " + countText + " is below 1");
    } else if (countText.size() > 1 && countText[0] == '0') {
        report(countLine, false,
               "the level count " + countText +
                   " has a leading 0, so the game reads it as octal: " + std::to_string(count));
    }

    std::vector<Name> names;
    std::string name;
    while (reader.readToken(name))
        names.push_back({name, reader.line()});
    if (countRead && count >= 1 && names.size() != static_cast<size_t>(count)) {
        report(countLine, true,
               "the count says " + levels(count) + ", the file names " + levels(static_cast<long long>(names.size())));
        for (size_t i = static_cast<size_t>(count); i < names.size(); ++i)
            report(names[i].line, true, "\"" + names[i].text + "\" is more than the count");
    }

    // The game's own reading has the last word; its message is the start-up's.
    std::vector<std::string> gameNames;
    if (!parseMapList(text, gameNames))
        report(0, true, "the game says: could not initialize map data");

    // The maps: the game opens each name from its working folder, the folder of maplist.dat. They are
    // named as seen from where the tool started, like the list itself.
    fs::path folder = dataDir.empty() ? fs::path(path).parent_path() : fs::path(dataDir);
    size_t listed = countRead && count >= 1 ? std::min(names.size(), static_cast<size_t>(count)) : 0;
    for (size_t i = 0; i < listed; ++i) {
        std::string map = (folder / names[i].text).string();
        std::error_code failure;
        if (!fs::is_regular_file(pathFromStart(map), failure)) {
            report(names[i].line, true, "level " + std::to_string(i + 1) + ": " + map + " cannot be opened");
            continue;
        }
        if (!checkMapFile(map, dataDir))
            sound = false;
    }
    if (sound)
        std::printf("%s: sound, %s\n", path.c_str(), levels(static_cast<long long>(listed)).c_str());
    return sound;
}
