// The game's entry: create the window (the start-up runs inside its creation), show it, run the loop.
// `roliquo --level MAP` plays that one map file as a one-level game.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_loop.h"
#include "app/single_level.h"
#include "app/window_proc.h"
#include "platform/platform.h"

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--level") == 0) {
        std::string error;
        if (!chooseSingleLevel(argv[2], error)) {
            std::fprintf(stderr, "roliquo: %s\n", error.c_str());
            return 2;
        }
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: roliquo [--level MAP]\n");
        return 2;
    }
    if (!platform::createWindow(windowProc))
        return 0;
    platform::showWindow();
    if (singleLevelChosen())
        startSingleLevel();
    return runMainLoop();
}
