// SPDX-License-Identifier: MIT
// The level checker: reads the file, runs the text pass, looks for every texture image in the folder
// the game would read it from, and has the game's own loader load the file for the final verdict.
#include "map_check.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

#include "board_check.h"
#include "difficulty.h"
#include "level/bmp.h"
#include "level/map_loader.h"
#include "level/token_reader.h"
#include "map_lint.h"
#include "maplist_check.h"
#include "set_check.h"
#include "sim_session.h"

void printFinding(const std::string& path, int line, bool error, const std::string& text)
{
    if (line > 0)
        std::printf("%s:%d: %s: %s\n", path.c_str(), line, error ? "error" : "warning", text.c_str());
    else
        std::printf("%s: %s: %s\n", path.c_str(), error ? "error" : "warning", text.c_str());
}

namespace {

void print(const std::string& path, int line, bool error, const std::string& text)
{
    printFinding(path, line, error, text);
}

// Each base's eight images, 128 x 128 down to 1 x 1, in the current folder.
void checkTextures(MapLint& lint)
{
    static std::vector<uint8_t> buffer(BoardTextureSlotBytes);
    for (size_t t = 0; t < lint.textureBases.size(); ++t) {
        std::vector<std::string> missing;
        for (int level = 0; level < BoardTextureLevels; ++level) {
            std::string name = lint.textureBases[t] + "_" + std::to_string(level) + ".bmp";
            int width = 0, height = 0;
            int want = 128 >> level;
            if (!readBmp(name, buffer.data(), buffer.size(), &width, &height))
                missing.push_back(name);
            else if (width != want || height != want)
                lint.findings.push_back({lint.textureLines[t], true,
                                         "texture image " + name + " is " + std::to_string(width) + " x " +
                                             std::to_string(height) + ", expected " + std::to_string(want) + " x " +
                                             std::to_string(want)});
        }
        if (missing.empty())
            continue;
        std::string names = missing[0];
        for (size_t i = 1; i < missing.size(); ++i)
            names += (i + 1 == missing.size() ? " and " : ", ") + missing[i];
        lint.findings.push_back({lint.textureLines[t], true,
                                 (missing.size() == 1 ? "texture image " : "texture images ") + names +
                                     (missing.size() == 1 ? " is" : " are") + " missing or not 24-bit BMP"});
    }
}

} // namespace

bool checkMapFile(const std::string& path, const std::string& dataDir)
{
    std::string text;
    if (!readTextFile(pathFromStart(path), text)) {
        print(path, 0, true, "cannot be opened");
        return false;
    }
    MapLint lint = lintMapText(text);
    lintStartPoint(lint);
    bool finite = checkSurface(lint);

    std::string loadName, folderError;
    if (!enterMapFolder(path, dataDir, loadName, folderError)) {
        print(path, 0, true, folderError);
        return false;
    }
    std::vector<std::string> messages;
    bool loaded = loadMapAsGame(loadName, messages);
    // The textures are looked for where the loader looked: the folder just entered.
    checkTextures(lint);
    // A start inside a hole is reported already; the roll would only repeat it.
    if (loaded && finite && !(TheBoard.holeAt(StartX, StartY) > 0.0f))
        checkStartRoll(lint);
    // A sound level with a par route beside it: the route must survive a little imprecision.
    if (loaded && finite && !hasErrors(lint))
        checkParForgiveness(lint, path, loadName);

    std::stable_sort(lint.findings.begin(), lint.findings.end(),
                     [](const LintFinding& a, const LintFinding& b) { return a.line < b.line; });
    for (const LintFinding& f : lint.findings)
        print(path, f.line, f.error, f.text);
    for (const std::string& m : messages)
        print(path, 0, true, "the game's loader says: " + m);
    if (!loaded && messages.empty())
        print(path, 0, true, "the game's loader rejects the file");

    bool sound = loaded && !hasErrors(lint);
    if (sound)
        std::printf("%s: sound, %zu %s\n", path.c_str(), lint.holes.size(), lint.holes.size() == 1 ? "hole" : "holes");
    return sound;
}

bool checkFile(const std::string& path, const std::string& dataDir)
{
    std::error_code failure;
    if (std::filesystem::is_directory(pathFromStart(path), failure))
        return checkSetFolder(path);
    std::string text;
    if (readTextFile(pathFromStart(path), text) && looksLikeMapList(path, text))
        return checkMapList(path, text, dataDir);
    return checkMapFile(path, dataDir);
}
