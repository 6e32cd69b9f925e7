// The game's entry: create the window (the start-up runs inside its creation), show it, run the loop.
// "--replay FILE" shows a recorded run instead of starting on the title.
#include <cstdio>
#include <cstring>
#include <string>

#include "app/main_loop.h"
#include "app/replay_viewer.h"
#include "app/window_proc.h"
#include "platform/platform.h"
#include "scores/replay_store.h"

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--replay") == 0) {
        std::string error = "--replay needs the replay file to show";
        if (argc != 3 || !loadReplayToWatch(argv[2], error)) {
            std::fprintf(stderr, "roliquo: %s\n", error.c_str());
            return 2;
        }
    }
    if (!platform::createWindow(windowProc))
        return 0;
    platform::showWindow();
    startWatchingReplay();
    int exitCode = runMainLoop();
    // A replay still being written is finished before the program ends.
    finishReplaySaves();
    return exitCode;
}
