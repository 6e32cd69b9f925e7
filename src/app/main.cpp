// SPDX-License-Identifier: MIT
// The game's entry: read the command line, choose the data folder, create the window (the start-up runs
// inside its creation), show it, run the loop.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/command_line.h"
#include "app/data_paths.h"
#include "app/main_loop.h"
#include "app/set_choice.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/window_proc.h"
#include "app/world_setup.h"
#include "chase/ghost.h"
#include "chase/record_keeper.h"
#include "level/map_list.h"
#include "online/world_records.h"
#include "platform/platform.h"
#include "replay/replay_store.h"
#include "scores/level_records.h"
#include "screen/frame.h"
#include "session/single_level.h"
#include "watch/replay_viewer.h"

namespace {

// roliquo --records: the table of the data folder the game would play, as text.
int printRecords()
{
    if (!loadMapList()) {
        std::fprintf(stderr, "roliquo: could not read maplist.dat\n");
        return 1;
    }
    readLevelRecords();
    readParTable();
    enterChosenSet();
    std::fputs(recordsReportText(levelRecordRows()).c_str(), stdout);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    CommandLine commandLine;
    std::string error;
    if (!parseCommandLine(argc, argv, commandLine, error)) {
        std::fprintf(stderr, "roliquo: %s\nTry 'roliquo --help' for the options.\n", error.c_str());
        return 2;
    }
    if (commandLine.showHelp) {
        std::fputs(commandLineHelp().c_str(), stdout);
        return 0;
    }
    if (commandLine.showVersion) {
        std::fputs(versionText().c_str(), stdout);
        return 0;
    }
    if (!commandLine.levelMap.empty() && !commandLine.replayFile.empty()) {
        std::fprintf(stderr, "roliquo: --level and --replay cannot be used together\n");
        return 2;
    }
    // Files named on the command line are found from the folder the game was started in, before the
    // data folder is entered.
    if (!commandLine.levelMap.empty() && !chooseSingleLevel(commandLine.levelMap, error)) {
        std::fprintf(stderr, "roliquo: %s\n", error.c_str());
        return 2;
    }
    if (!commandLine.replayFile.empty()) {
        int refused = loadReplayToWatch(commandLine.replayFile, error);
        if (refused != 0) {
            std::fprintf(stderr, "roliquo: %s\n", error.c_str());
            return refused;
        }
    }
    DataPathInputs inputs = currentDataPathInputs();
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    TheSettings.path = chooseSettingsPath(configHome != nullptr ? configHome : "", inputs.home);
    readSettings();
    if (!takeServerChoice(commandLine))
        return 2;
    if (!commandLine.ghostFile.empty() && !loadGhostFile(commandLine.ghostFile, error)) {
        std::fprintf(stderr, "roliquo: %s\n", error.c_str());
        return 2;
    }
    if (!applyDataPaths(chooseDataPaths(inputs)))
        return 1;
    readLevelSets();
    if (!takeSetChoice(commandLine, error)) {
        std::fprintf(stderr, "roliquo: %s\n", error.c_str());
        return 2;
    }
    if (commandLine.showRecords)
        return printRecords();
    if (commandLine.showWorld)
        return printWorld();
    startWorldRecords(commandLine);
    if (!platform::startWindowSystem())
        return StartupFailedExitCode;
    // A plain start shows the title first: its picture is read while the graphics driver loads.
    if (commandLine.levelMap.empty() && commandLine.replayFile.empty())
        readTitlePictureAhead();
    platform::requestWindowPlacement(TheSettings.window);
    if (!platform::createWindow(windowProc))
        return StartupFailedExitCode;
    platform::WindowPlacement placementAtStart = platform::windowPlacement();
    platform::showWindow();
    if (singleLevelChosen())
        startSingleLevel();
    startWatchingReplay();
    int exitCode = runMainLoop();
    // A replay still being written is finished before the program ends; a send under way is left,
    // its run waiting in the outbox for the next start.
    finishReplaySaves();
    TheWorld.stop();
    keepWindowPlacement(placementAtStart);
    return exitCode;
}
