// SPDX-License-Identifier: MIT
// Choosing the level set: reading the pack's sets, taking --set or the kept choice, and switching the
// list, the folders, the best times, the records and par together, so nothing of one set leaks into another.
#include "app/set_choice.h"

#include <cstdio>

#include "app/command_line.h"
#include "app/settings.h"
#include "level/level_set.h"
#include "scores/high_score_folder.h"
#include "scores/high_scores.h"
#include "scores/level_records.h"
#include "screen/set_caption.h"

namespace {

// The set asked for by folder name, as an index; false when the pack has none of that name.
bool setIndex(const std::string& name, size_t& index)
{
    for (size_t i = 0; i < TheLevelSets.sets.size(); ++i) {
        if (TheLevelSets.sets[i].name == name) {
            index = i;
            return true;
        }
    }
    return false;
}

std::string knownSetNames()
{
    std::string names;
    for (const LevelSet& set : TheLevelSets.sets)
        names += (names.empty() ? "" : ", ") + set.name;
    return names;
}

// Everything the chosen set owns, read afresh: its list and folder, its table, its records, its par.
void playSet(size_t index)
{
    if (!chooseLevelSet(index))
        return;
    useScoreSet(chosenLevelSet().folder);
    readHighScores();
    readLevelRecords();
    readParTable();
}

} // namespace

void readLevelSets()
{
    std::vector<std::string> refused;
    TheLevelSets.sets = findLevelSets(".", refused);
    TheLevelSets.chosen = 0;
    for (const std::string& reason : refused)
        std::fprintf(stderr, "roliquo: level set left out: %s\n", reason.c_str());
}

bool takeSetChoice(const CommandLine& commandLine, std::string& error)
{
    size_t index = 0;
    if (!commandLine.levelSet.empty()) {
        if (!setIndex(commandLine.levelSet, index)) {
            error = "no level set '" + commandLine.levelSet + "'; the sets are: " + knownSetNames();
            return false;
        }
        TheSettings.levelSet = commandLine.levelSet;
        writeSettings();
    } else if (!TheSettings.levelSet.empty() && !setIndex(TheSettings.levelSet, index)) {
        std::fprintf(stderr, "roliquo: the level set '%s' of the settings is not in the pack; playing '%s'\n",
                     TheSettings.levelSet.c_str(), MainSetName);
    }
    TheLevelSets.chosen = index;
    return true;
}

void enterChosenSet()
{
    if (TheLevelSets.chosen != 0)
        playSet(TheLevelSets.chosen);
}

void stepLevelSet(int step)
{
    size_t count = TheLevelSets.sets.size();
    if (count == 0)
        return;
    long long index = (static_cast<long long>(TheLevelSets.chosen) + step) % static_cast<long long>(count);
    playSet(static_cast<size_t>(index < 0 ? index + static_cast<long long>(count) : index));
    noteSetChosen();
    TheSettings.levelSet = chosenLevelSet().name;
    writeSettings();
}
