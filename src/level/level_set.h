// SPDX-License-Identifier: MIT
// The pack's level sets: the top folder's list is the set "main", and every sets/NAME/ folder is a
// complete data folder of its own, named and described by its set.dat. The chosen set's list is played.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

struct LevelSet {
    std::string name;              // "main", or the folder's name under sets/
    std::string folder;            // where its files are, from the pack's top: "" or "sets/NAME/"
    std::string title;             // the display name
    std::string description;       // one line
    std::vector<std::string> maps; // its maplist.dat, in playing order
};

struct LevelSets {
    std::vector<LevelSet> sets; // "main" first, then sets/ in name order
    size_t chosen = 0;
};
extern LevelSets TheLevelSets;

inline constexpr const char* MainSetName = "main";
inline constexpr const char* SetFileName = "set.dat";
inline constexpr size_t MaxSetTitle = 24;
inline constexpr size_t MaxSetDescription = 60;
inline constexpr size_t MaxLevelSets = 64;

// Folder names of sets: 1 to 32 letters, digits, '-' and '_'.
bool isSetName(std::string_view name);

// set.dat: a "name TEXT" line and a "description TEXT" line, in either order, each once; TEXT printable
// ASCII within its bound (the font has nothing else). False with the reason.
bool parseSetFile(std::string_view text, LevelSet& set, std::string& error);

// Reads sets/NAME/ under `top`: its set.dat, its maplist.dat, and every map it names, which must be a
// bare file inside the folder with its texture images beside it; the folder itself must lie inside the
// pack. False with a message naming the file at fault.
bool readLevelSet(const std::filesystem::path& top, const std::string& name, LevelSet& set, std::string& error);

// The set "main" of the top folder (its maplist.dat, its set.dat when there is one; no maps when the
// list cannot be read), then every set under sets/ that reads, in name order. Each refused set adds
// one message to `refused`.
std::vector<LevelSet> findLevelSets(const std::filesystem::path& top, std::vector<std::string>& refused);

// The set of this folder name in TheLevelSets, or nullptr.
const LevelSet* findLevelSet(std::string_view name);
// Makes TheLevelSets.sets[index] the chosen set: its list becomes the level list, its folder the place
// its maps and textures are read from. False for an index outside the list.
bool chooseLevelSet(size_t index);
const LevelSet& chosenLevelSet();
