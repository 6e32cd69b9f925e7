// SPDX-License-Identifier: MIT
// roliquo-level: the level tools. `check` lints and loads map files and map lists, `solve` finds input
// that finishes a level, `trace` replays input tick by tick, `picture` draws a level, `verify` re-plays a
// replay, `difficulty` measures how forgiving a level is; `submit` and `fetch` speak to a leaderboard
// server. All run headless.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "board_commands.h"
#include "difficulty.h"
#include "level/token_reader.h"
#include "level_picture.h"
#include "map_check.h"
#include "platform/headless/headless.h"
#include "route_replay.h"
#include "route_run.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/sim_state.h"
#include "sim_session.h"
#include "solver.h"
#include "trace_command.h"
#include "trace_io.h"
#include "verify.h"

namespace {

struct Command {
    const char* name;
    const char* synopsis;
    const char* help;
};

const char* const DataHelp =
    "  --data DIR  run the game's loader in DIR: the texture images (base_0.bmp ... base_7.bmp) are\n"
    "              read from DIR instead of the map file's own folder; FILE is still the path given\n";

const Command Commands[] = {
    {"check", "check [--data DIR] FILE...",
     "Reports every problem of each map file as FILE:LINE: error|warning: ..., then has the game's loader\n"
     "load it. A map list (maplist.dat, or any file that starts with a number) is checked against its\n"
     "names, and every map it names is checked too. A folder is checked as a pack (its maplist.dat and\n"
     "every level set under sets/) or, when it is sets/NAME/ with a set.dat, as that one set: the game's\n"
     "verdict on the set, then its list and maps inside its folder. Exit status 0 only when all is sound.\n"},
    {"solve", "solve [--data DIR] [--max-seconds S] [--beam N] FILE",
     "Prints a route that finishes the level as a one-level replay: trace input (60 ticks a second from\n"
     "clock 45) with \"#@\" header lines, after the comment \"# finished in T s\"; `roliquo --replay`\n"
     "shows it and `roliquo-level verify` checks it. Exit status 1, with the furthest point reached,\n"
     "when no route finishes within S seconds of clock.\n"
     "  --max-seconds S  seconds of clock to search, 0 < S <= 600 (default 45)\n"
     "  --beam N         states kept after every 0.1 s, 1 <= N <= 10000 (default 96)\n"},
    {"trace", "trace [--data DIR] [--clock C] [--lag N] FILE < INPUT",
     "Places the marble as a level start does, reads \"DT KEYS\" lines (KEYS: \"-\" or letters of\n"
     "L R U D S; blank lines and lines starting with # are skipped) and prints after every tick:\n"
     "tick clock freeze finished x y z vx vy vz eyex eyey eyez pitch yaw roll\n"
     "Exit status 2 at a malformed line, 3 once the state is no longer finite.\n"
     "  --clock C  the clock at the start, -4 <= C <= 52 (default 45, the start signal)\n"
     "  --lag N    the Camera Lag option, a whole number 0 ... 9 (default 6)\n"},
    {"picture", "picture [--data DIR] [--route FILE] [--clock C] MAP OUT.png",
     "Draws the board from above as a PNG of 2394 x 420 pixels: shaded relief (5 units a pixel, the\n"
     "board's length left to right, the player's left at the top) with every dip's capture circle,\n"
     "the start (a white disc) and the finish line (black and white), and below it the height\n"
     "profile along x = 0.\n"
     "  --route FILE  trace input (solver output, a trace or a replay) run from the start signal and\n"
     "                drawn over the relief, falls marked with a cross; the profile follows it\n"
     "  --clock C     the clock the route starts from, -4 <= C <= 52 (default 45)\n"},
    {"verify", "verify [--json] [--data DIR] REPLAY",
     "Plays a replay again on the map files it names, found in DIR (default: the current folder), and\n"
     "prints each level's time, the total and the name. Exit status 0 when everything agrees with the\n"
     "file, 1 at the first level that does not, 2 for a malformed replay, 4 for a replay recorded with\n"
     "another simulation version (it is not played again).\n"
     "  --json  print one JSON object instead: file, status, verified, reason, simulation,\n"
     "          this_simulation, levels (level, map, hash, booked, skipped, verified, reason), total, name\n"},
    {"difficulty", "difficulty [--data DIR] [--runs N] [--route FILE] MAP",
     "Measures how forgiving a level is. Its par route is played again many times, each time with every\n"
     "key change moved by its own whole number of ticks from -3 to +3 (the same draws on every run of the\n"
     "tool), from the level start until the finish or the end of the 45 s clock, the last keys held once\n"
     "the route ends and every fall costing its 4 s. Prints one line: the share of runs that finish, and\n"
     "the median over those of their time minus the route's own, e.g.\n"
     "  finish 72.5% median +1.84 s over par\n"
     "or \"finish 0.0% median none over par\" when none finishes. Exit status 2 when there is no route or\n"
     "the route does not finish the level itself.\n"
     "  --runs N      perturbed runs, 1 <= N <= 100000 (default 400)\n"
     "  --route FILE  the route to perturb (solver output, a one-level replay or trace input) instead of\n"
     "                the par route, the one-level replay par/MAP-HASH.replay in the data folder (DIR, or\n"
     "                else MAP's own folder)\n"},
    {"submit", "submit [--server URL] [--player NAME] REPLAY",
     "Sends a replay to a leaderboard server under the player's name, waits for the server's verdict and\n"
     "prints \"run ID accepted|rejected\" and the verdict object. The name is claimed on that server when\n"
     "no token for it is kept ($XDG_CONFIG_HOME/roliquo/tokens). Exit status 0 when accepted, 1 when\n"
     "rejected (or the name is taken), 2 when no server is set or it cannot be reached.\n"
     "  --server URL   the server (default: the settings file's \"server\" line)\n"
     "  --player NAME  the name to send under (default: the settings file's \"player\" line)\n"},
    {"fetch", "fetch [--server URL] RUN_ID OUT",
     "Downloads a run's replay from a leaderboard server into OUT. Exit status 0 when written, 2 when no\n"
     "server is set, it cannot be reached or has no such run.\n"
     "  --server URL  the server (default: the settings file's \"server\" line)\n"},
};

struct Arguments {
    std::string command;
    std::string dataDir;
    std::string route;
    float clock = PlayingSeconds;
    float lag = DefaultLagOption;
    float maxSeconds = PlayingSeconds;
    int beam = SolveOptions{}.beamWidth;
    int runs = DefaultDifficultyRuns;
    bool help = false;
    bool json = false;
    std::string server;
    std::string player;
    std::vector<std::string> files;
};

void printUsage(std::FILE* out)
{
    std::fputs("usage:", out);
    for (const Command& c : Commands)
        std::fprintf(out, " roliquo-level %s\n      ", c.synopsis);
    std::fputs("\nroliquo-level COMMAND --help tells more about each command.\n", out);
}

const Command* findCommand(const std::string& name)
{
    for (const Command& c : Commands)
        if (name == c.name)
            return &c;
    return nullptr;
}

void printCommandHelp(const Command& c)
{
    bool board = std::string(c.name) == "submit" || std::string(c.name) == "fetch";
    std::printf("usage: roliquo-level %s\n\n%s%s", c.synopsis, c.help, board ? "" : DataHelp);
}

bool allows(const std::string& command, const std::string& option)
{
    if (option == "--help")
        return true;
    if (option == "--data")
        return command != "submit" && command != "fetch";
    if (option == "--max-seconds" || option == "--beam")
        return command == "solve";
    if (option == "--lag")
        return command == "trace";
    if (option == "--clock")
        return command == "trace" || command == "picture";
    if (option == "--route")
        return command == "picture" || command == "difficulty";
    if (option == "--runs")
        return command == "difficulty";
    if (option == "--json")
        return command == "verify";
    if (option == "--server")
        return command == "submit" || command == "fetch";
    if (option == "--player")
        return command == "submit";
    return false;
}

bool parseArguments(int argc, char** argv, Arguments& args)
{
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a.size() < 2 || a[0] != '-') {
            args.files.push_back(a);
            continue;
        }
        if (!allows(args.command, a)) {
            std::fprintf(stderr, "roliquo-level %s: unknown option %s (see roliquo-level %s --help)\n",
                         args.command.c_str(), a.c_str(), args.command.c_str());
            return false;
        }
        if (a == "--help") {
            args.help = true;
            continue;
        }
        if (a == "--json") {
            args.json = true;
            continue;
        }
        if (i + 1 >= argc) {
            std::fprintf(stderr, "roliquo-level %s: %s needs a value\n", args.command.c_str(), a.c_str());
            return false;
        }
        const char* value = argv[++i];
        float number = 0.0f;
        if (a == "--data") {
            args.dataDir = value;
        } else if (a == "--server") {
            args.server = value;
        } else if (a == "--player") {
            args.player = value;
        } else if (a == "--route") {
            args.route = value;
        } else if (a == "--clock") {
            if (!readOption(a, value, LowestClockOption, HighestClockOption, false, args.clock))
                return false;
        } else if (a == "--lag") {
            if (!readOption(a, value, 0.0f, HighestLagOption, true, args.lag))
                return false;
        } else if (a == "--max-seconds") {
            if (!readOption(a, value, 0.0f, 600.0f, false, args.maxSeconds))
                return false;
            if (!(args.maxSeconds > 0.0f)) {
                std::fprintf(stderr, "roliquo-level: --max-seconds needs more than 0 seconds, not \"%s\"\n", value);
                return false;
            }
        } else if (a == "--beam") {
            if (!readOption(a, value, 1.0f, 10000.0f, true, number))
                return false;
            args.beam = static_cast<int>(number);
        } else if (a == "--runs") {
            if (!readOption(a, value, 1.0f, static_cast<float>(MostDifficultyRuns), true, number))
                return false;
            args.runs = static_cast<int>(number);
        }
    }
    return true;
}

bool wrongFileCount(const Arguments& args, size_t wanted)
{
    if (args.files.size() == wanted)
        return false;
    std::fprintf(stderr, "usage: roliquo-level %s\n", findCommand(args.command)->synopsis);
    return true;
}

int runCheck(const Arguments& args)
{
    if (args.files.empty()) {
        std::fprintf(stderr, "usage: roliquo-level %s\n", findCommand(args.command)->synopsis);
        return 2;
    }
    bool allSound = true;
    for (const std::string& file : args.files)
        allSound = checkFile(file, args.dataDir) && allSound;
    return allSound ? 0 : 1;
}

int runSolve(const Arguments& args)
{
    std::string loadName;
    if (wrongFileCount(args, 1) || !loadForPlay(args.files[0], args.dataDir, args.clock, args.lag, loadName))
        return 2;
    SolveOptions options;
    options.maxSeconds = args.maxSeconds;
    options.beamWidth = args.beam;
    SolveResult result = solveLevel(options);
    if (!result.finished) {
        std::printf("# not finished within %g s; the furthest point reached: x %.1f, y %.1f (%.0f of %.0f along "
                    "the board), with %.2f s on the clock\n",
                    static_cast<double>(args.maxSeconds), static_cast<double>(result.furthestX),
                    static_cast<double>(result.furthestY), static_cast<double>(result.furthestY - StartY),
                    static_cast<double>(FinishLine - StartY), static_cast<double>(result.furthestClock));
        return 1;
    }
    std::string mapName = std::filesystem::path(args.files[0]).filename().string();
    Replay replay;
    if (!routeReplay(loadName, mapName, result.steps, replay)) {
        std::fprintf(stderr, "%s: the map file cannot be read again for its SHA-256\n", args.files[0].c_str());
        return 2;
    }
    std::printf("# roliquo-level solve %s: %zu ticks of 1/60 s from clock 45, %d %s, then the second to the "
                "round's end\n# finished in %.9g s\n%s",
                mapName.c_str(), result.steps.size(), result.falls, result.falls == 1 ? "fall" : "falls",
                static_cast<double>(result.finishTime), formatReplay(replay).c_str());
    return 0;
}

int runTrace(const Arguments& args)
{
    std::string loadName;
    if (wrongFileCount(args, 1) || !loadForPlay(args.files[0], args.dataDir, args.clock, args.lag, loadName))
        return 2;
    return traceTicks(std::cin);
}

int runPicture(const Arguments& args)
{
    if (wrongFileCount(args, 2))
        return 2;
    // Both paths are taken from where the tool started; loading the map changes folder.
    std::string out = pathFromStart(args.files[1]);
    std::ifstream route;
    if (!args.route.empty()) {
        route.open(pathFromStart(args.route));
        if (!route) {
            std::fprintf(stderr, "%s: cannot be opened\n", args.route.c_str());
            return 2;
        }
    }
    std::string loadName;
    if (!loadForPlay(args.files[0], args.dataDir, args.clock, args.lag, loadName))
        return 2;
    std::vector<RoutePoint> points;
    std::string error;
    if (route.is_open() && !runRoute(route, points, error)) {
        std::fprintf(stderr, "%s: %s\n", args.route.c_str(), error.c_str());
        return 2;
    }
    if (!writePicturePng(drawLevelPicture(TheBoard, points), out, error)) {
        std::fprintf(stderr, "%s: %s\n", args.files[1].c_str(), error.c_str());
        return 2;
    }
    return 0;
}

int runVerify(const Arguments& args)
{
    if (wrongFileCount(args, 1))
        return 2;
    Verdict verdict = verifyReplay(args.files[0], args.dataDir);
    if (!args.json)
        return printVerdict(verdict, args.files[0]);
    printVerdictJson(verdict, args.files[0]);
    return verdict.status;
}

} // namespace

int main(int argc, char** argv)
{
    rememberStartFolder();
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    Arguments args;
    args.command = argv[1];
    if (args.command == "--help" || args.command == "help") {
        printUsage(stdout);
        return 0;
    }
    const Command* command = findCommand(args.command);
    if (!command) {
        std::fprintf(stderr, "roliquo-level: unknown command \"%s\"\n", args.command.c_str());
        printUsage(stderr);
        return 2;
    }
    if (!parseArguments(argc, argv, args))
        return 2;
    if (args.help) {
        printCommandHelp(*command);
        return 0;
    }
    headless::reset();
    if (args.command == "check")
        return runCheck(args);
    if (args.command == "solve")
        return runSolve(args);
    if (args.command == "trace")
        return runTrace(args);
    if (args.command == "verify")
        return runVerify(args);
    if (args.command == "difficulty")
        return wrongFileCount(args, 1) ? 2 : runDifficulty(args.files[0], args.dataDir, args.route, args.runs);
    if (args.command == "submit")
        return wrongFileCount(args, 1) ? 2 : submitToBoard(args.server, args.player, args.files[0]);
    if (args.command == "fetch")
        return wrongFileCount(args, 2) ? 2 : fetchFromBoard(args.server, args.files[0], args.files[1]);
    return runPicture(args);
}
