// SPDX-License-Identifier: MIT
// roliquo-trace: the level tool's trace command alone, for the WebAssembly build run under Node, so the
// simulation's state lines can be compared with the native tool's: trace [--data DIR] [--clock C] [--lag N] FILE
#include <cstdio>
#include <iostream>
#include <string>

#include "sim_session.h"
#include "trace_command.h"

int main(int argc, char** argv)
{
    const char* const usage = "usage: roliquo-trace trace [--data DIR] [--clock C] [--lag N] FILE < INPUT\n";
    if (argc < 2 || std::string(argv[1]) != "trace") {
        std::fputs(usage, stderr);
        return 2;
    }
    std::string dataDir;
    std::string file;
    float clock = PlayingSeconds;
    float lag = DefaultLagOption;
    int files = 0;
    for (int i = 2; i < argc; ++i) {
        std::string a = argv[i];
        if (a.size() < 2 || a[0] != '-') {
            file = a;
            ++files;
            continue;
        }
        if ((a != "--data" && a != "--clock" && a != "--lag") || i + 1 >= argc) {
            std::fputs(usage, stderr);
            return 2;
        }
        const char* value = argv[++i];
        if (a == "--data")
            dataDir = value;
        else if (a == "--clock" ? !readOption(a, value, LowestClockOption, HighestClockOption, false, clock)
                                : !readOption(a, value, 0.0f, HighestLagOption, true, lag))
            return 2;
    }
    if (files != 1) {
        std::fputs(usage, stderr);
        return 2;
    }
    rememberStartFolder();
    std::string loadName;
    if (!loadForPlay(file, dataDir, clock, lag, loadName))
        return 2;
    return traceTicks(std::cin);
}
