// roliquo-level: the level tools. `check` lints and loads map files, `solve` finds input that
// finishes a level, `trace` replays input tick by tick and prints the sim state. All run headless.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "app/run_state.h"
#include "map_check.h"
#include "platform/headless/headless.h"
#include "route_replay.h"
#include "sim_session.h"
#include "solver.h"
#include "trace_io.h"
#include "verify.h"

namespace {

const char* const Usage =
    "usage: roliquo-level check [--data DIR] FILE...\n"
    "       roliquo-level solve [--data DIR] [--max-seconds S] [--beam N] FILE\n"
    "       roliquo-level trace [--data DIR] [--clock C] [--lag N] FILE < INPUT\n"
    "       roliquo-level verify [--data DIR] REPLAY\n"
    "\n"
    "Map files are loaded from their own folder, where the game keeps maps and textures together\n"
    "(for example the data pack folder); --data DIR loads them from DIR instead.\n"
    "check  reports every problem of each map file; exit status 0 only when all are sound.\n"
    "solve  prints a one-level replay (60 ticks a second from clock 45, trace input with \"#@\" header\n"
    "       lines) that finishes the level, after the comment \"# finished in T s\"; exit status 1\n"
    "       when none was found.\n"
    "trace  places the marble as a level start does, reads \"DT KEYS\" lines (KEYS: \"-\" or letters\n"
    "       of L R U D S; lines starting with # are skipped) and prints after every tick:\n"
    "       tick clock freeze finished x y z vx vy vz eyex eyey eyez pitch yaw roll\n"
    "verify re-plays a replay on the map files it names, found in DIR (default: the current folder),\n"
    "       and prints each level's time, the total and the name; exit status 0 when all agree, 1 at\n"
    "       the first level that does not, 2 for a malformed replay.\n";

struct Arguments {
    std::string dataDir;
    float clock = PlayingSeconds;
    float lag = 6.0f;
    float maxSeconds = PlayingSeconds;
    int beam = SolveOptions{}.beamWidth;
    std::vector<std::string> files;
};

bool parseNumber(const std::string& text, float& out)
{
    char* end = nullptr;
    out = std::strtof(text.c_str(), &end);
    return !text.empty() && *end == '\0';
}

bool parseArguments(int argc, char** argv, Arguments& args)
{
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        float number = 0.0f;
        if (a == "--data" && hasValue) {
            args.dataDir = argv[++i];
        } else if ((a == "--clock" || a == "--lag" || a == "--max-seconds" || a == "--beam") && hasValue) {
            if (!parseNumber(argv[++i], number)) {
                std::fprintf(stderr, "roliquo-level: %s needs a number, not \"%s\"\n", a.c_str(), argv[i]);
                return false;
            }
            if (a == "--clock") args.clock = number;
            else if (a == "--lag") args.lag = number;
            else if (a == "--max-seconds") args.maxSeconds = number;
            else args.beam = static_cast<int>(number);
        } else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "roliquo-level: unknown option or missing value: %s\n", a.c_str());
            return false;
        } else {
            args.files.push_back(a);
        }
    }
    return true;
}

// Loads the one map file of solve and trace, by the name loadName gives; false after saying why.
bool loadForPlay(const Arguments& args, std::string& loadName)
{
    if (args.files.size() != 1) {
        std::fputs(Usage, stderr);
        return false;
    }
    const std::string& file = args.files[0];
    std::string error;
    if (!enterMapFolder(file, args.dataDir, loadName, error)) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), error.c_str());
        return false;
    }
    std::vector<std::string> messages;
    bool ok = loadMapAsGame(loadName, messages);
    for (const std::string& m : messages)
        std::fprintf(stderr, "%s: the game's loader says: %s\n", file.c_str(), m.c_str());
    if (!ok) {
        std::fprintf(stderr, "%s: the map file does not load (try roliquo-level check)\n", file.c_str());
        return false;
    }
    placeAtLevelStart(loadName, args.clock, args.lag);
    return true;
}

int runCheck(const Arguments& args)
{
    if (args.files.empty()) {
        std::fputs(Usage, stderr);
        return 2;
    }
    bool allSound = true;
    for (const std::string& file : args.files)
        allSound = checkMapFile(file, args.dataDir) && allSound;
    return allSound ? 0 : 1;
}

int runSolve(const Arguments& args)
{
    std::string loadName;
    if (!loadForPlay(args, loadName))
        return 2;
    SolveOptions options;
    options.maxSeconds = args.maxSeconds;
    options.beamWidth = args.beam;
    SolveResult result = solveLevel(options);
    if (!result.finished) {
        std::printf("# not finished within %g s\n", static_cast<double>(args.maxSeconds));
        return 1;
    }
    std::string mapName = std::filesystem::path(args.files[0]).filename().string();
    Replay replay;
    if (!routeReplay(loadName, mapName, result.steps, replay)) {
        std::fprintf(stderr, "%s: the map file cannot be read again for its SHA-256\n", args.files[0].c_str());
        return 2;
    }
    std::printf("# roliquo-level solve %s: %zu ticks of 1/60 s from clock 45, %d falls, then the second to the "
                "round's end\n# finished in %.9g s\n%s",
                mapName.c_str(), result.steps.size(), result.falls, static_cast<double>(result.finishTime),
                formatReplay(replay).c_str());
    return 0;
}

int runTrace(const Arguments& args)
{
    std::string loadName;
    if (!loadForPlay(args, loadName))
        return 2;
    std::string line;
    int lineNumber = 0;
    int tick = 0;
    while (std::getline(std::cin, line)) {
        ++lineNumber;
        TickInput step;
        std::string error;
        TickLine kind = parseTickLine(line, step, error);
        if (kind == TickLine::Skip)
            continue;
        if (kind == TickLine::Bad) {
            std::fprintf(stderr, "input line %d: %s\n", lineNumber, error.c_str());
            return 2;
        }
        runTick(step, true);
        std::printf("%s\n", formatStateLine(++tick).c_str());
    }
    return 0;
}

int runVerify(const Arguments& args)
{
    if (args.files.size() != 1) {
        std::fputs(Usage, stderr);
        return 2;
    }
    return verifyReplay(args.files[0], args.dataDir);
}

} // namespace

int main(int argc, char** argv)
{
    rememberStartFolder();
    if (argc < 2) {
        std::fputs(Usage, stderr);
        return 2;
    }
    std::string command = argv[1];
    Arguments args;
    if (command != "check" && command != "solve" && command != "trace" && command != "verify") {
        std::fputs(Usage, stderr);
        return 2;
    }
    if (!parseArguments(argc, argv, args))
        return 2;
    headless::reset();
    if (!prepareGl())
        return 2;
    if (command == "check")
        return runCheck(args);
    if (command == "solve")
        return runSolve(args);
    if (command == "verify")
        return runVerify(args);
    return runTrace(args);
}
