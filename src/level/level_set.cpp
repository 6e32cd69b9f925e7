// SPDX-License-Identifier: MIT
// Reading the level sets (set.dat, each set's list and the files it names, all kept inside the pack) and
// the choice of the set that is played.
#include "level/level_set.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <utility>

#include "level/map_list.h"
#include "level/map_loader.h"
#include "level/token_reader.h"

LevelSets TheLevelSets;

namespace fs = std::filesystem;

namespace {

constexpr size_t MaxSetFileBytes = 1024;

bool isPrintable(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c <= 126; });
}

// A text field of set.dat: present once, printable, within its bound.
bool takeField(std::string_view key, std::string_view value, size_t bound, std::string& field, bool& seen,
               std::string& error)
{
    if (seen) {
        error = "\"" + std::string(key) + "\" is given twice";
        return false;
    }
    if (!isPrintable(value) || value.size() > bound || (key == "name" && value.empty())) {
        error = "\"" + std::string(key) + "\" must be " + (key == "name" ? "1" : "0") + " to " + std::to_string(bound) +
            " printable ASCII characters";
        return false;
    }
    field = std::string(value);
    seen = true;
    return true;
}

// The canonical form of a path that exists, or an empty path.
fs::path canonicalOf(const fs::path& path)
{
    std::error_code failure;
    fs::path canonical = fs::canonical(path, failure);
    return failure ? fs::path() : canonical;
}

bool isInside(const fs::path& inner, const fs::path& outer)
{
    auto [end, at] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
    return end == outer.end() && at != inner.end();
}

// Every "texturefile=" base of a map's text.
std::vector<std::string> textureBases(const std::string& text)
{
    std::vector<std::string> bases;
    TokenReader reader(text);
    std::string token;
    while (reader.readToken(token)) {
        std::string base;
        if (token == "texturefile=" && reader.readToken(base))
            bases.push_back(base);
    }
    return bases;
}

bool checkMap(const fs::path& folder, const std::string& map, std::string& error)
{
    const fs::path file = folder / map;
    if (map.find('/') != std::string::npos || map == "." || map == "..") {
        error = file.string() + ": a set's maps are files of its own folder";
        return false;
    }
    fs::path canonical = canonicalOf(file);
    std::string text;
    if (canonical.empty() || !isInside(canonical, folder) || !readTextFile(canonical.string(), text)) {
        error = file.string() + ": the map is missing, or lies outside the set's folder";
        return false;
    }
    for (const std::string& base : textureBases(text)) {
        for (int level = 0; level < BoardTextureLevels; ++level) {
            const std::string image = base + "_" + std::to_string(level) + ".bmp";
            fs::path imagePath = canonicalOf(folder / image);
            if (base.find('/') != std::string::npos || imagePath.empty() || !isInside(imagePath, folder)) {
                error = file.string() + ": its texture image " + image + " is not in the set's folder";
                return false;
            }
        }
    }
    return true;
}

} // namespace

bool isSetName(std::string_view name)
{
    return !name.empty() && name.size() <= 32 && std::all_of(name.begin(), name.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
}

bool parseSetFile(std::string_view text, LevelSet& set, std::string& error)
{
    if (text.size() > MaxSetFileBytes) {
        error = "longer than " + std::to_string(MaxSetFileBytes) + " bytes";
        return false;
    }
    LevelSet read = set;
    bool nameSeen = false;
    bool descriptionSeen = false;
    int lineNumber = 0;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        size_t space = line.find(' ');
        std::string_view key = line.substr(0, space);
        std::string_view value = space == std::string_view::npos ? std::string_view() : line.substr(space + 1);
        bool ok = false;
        if (key == "name")
            ok = takeField(key, value, MaxSetTitle, read.title, nameSeen, error);
        else if (key == "description")
            ok = takeField(key, value, MaxSetDescription, read.description, descriptionSeen, error);
        else
            error = "unknown line \"" + std::string(line.substr(0, 40)) + "\"";
        if (!ok) {
            error = "line " + std::to_string(lineNumber) + ": " + error;
            return false;
        }
    }
    if (!nameSeen || !descriptionSeen) {
        error = nameSeen ? "no \"description\" line" : "no \"name\" line";
        return false;
    }
    set = std::move(read);
    return true;
}

bool readLevelSet(const fs::path& top, const std::string& name, LevelSet& set, std::string& error)
{
    const fs::path folder = top / "sets" / name;
    if (!isSetName(name)) {
        error = folder.string() + ": a set's folder name is 1 to 32 letters, digits, '-' or '_'";
        return false;
    }
    fs::path canonical = canonicalOf(folder);
    fs::path sets = canonicalOf(top / "sets");
    if (canonical.empty() || sets.empty() || !isInside(canonical, sets)) {
        error = folder.string() + ": the set's folder lies outside the pack";
        return false;
    }
    LevelSet read;
    read.name = name;
    read.folder = "sets/" + name + "/";
    std::string text;
    const fs::path setFile = folder / SetFileName;
    if (!readTextFile(setFile.string(), text, MaxSetFileBytes + 1) || !parseSetFile(text, read, error)) {
        error = setFile.string() + ": " + (error.empty() ? "cannot be read" : error);
        return false;
    }
    const fs::path list = folder / "maplist.dat";
    if (!readTextFile(list.string(), text) || !parseMapList(text, read.maps)) {
        error = list.string() + ": not a readable level list";
        return false;
    }
    for (const std::string& map : read.maps)
        if (!checkMap(canonical, map, error))
            return false;
    set = std::move(read);
    return true;
}

std::vector<LevelSet> findLevelSets(const fs::path& top, std::vector<std::string>& refused)
{
    std::vector<LevelSet> found(1);
    LevelSet& main = found.front();
    main.name = MainSetName;
    main.title = MainSetName;
    std::string text;
    if (readTextFile((top / "maplist.dat").string(), text))
        parseMapList(text, main.maps);
    std::string error;
    if (readTextFile((top / SetFileName).string(), text, MaxSetFileBytes + 1) && !parseSetFile(text, main, error))
        refused.push_back((top / SetFileName).string() + ": " + error + "; the set is called \"main\"");

    std::vector<std::string> names;
    std::error_code failure;
    for (const fs::directory_entry& entry : fs::directory_iterator(top / "sets", failure)) {
        std::string name = entry.path().filename().string();
        if (name != MainSetName && entry.is_directory(failure))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        if (found.size() >= MaxLevelSets) {
            refused.push_back((top / "sets" / name).string() + ": more than " + std::to_string(MaxLevelSets) + " sets");
            continue;
        }
        LevelSet set;
        if (readLevelSet(top, name, set, error))
            found.push_back(std::move(set));
        else
            refused.push_back(error);
    }
    return found;
}

const LevelSet* findLevelSet(std::string_view name)
{
    for (const LevelSet& set : TheLevelSets.sets)
        if (set.name == name)
            return &set;
    return nullptr;
}

bool chooseLevelSet(size_t index)
{
    if (index >= TheLevelSets.sets.size())
        return false;
    TheLevelSets.chosen = index;
    const LevelSet& set = TheLevelSets.sets[index];
    LevelFolder = set.folder;
    setLevelList(set.maps);
    return true;
}

const LevelSet& chosenLevelSet()
{
    static const LevelSet None{MainSetName, "", MainSetName, "", {}};
    return TheLevelSets.chosen < TheLevelSets.sets.size() ? TheLevelSets.sets[TheLevelSets.chosen] : None;
}
