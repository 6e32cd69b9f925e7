// The game's entry: create the window (the start-up runs inside its creation), show it, run the loop.
#include "app/main_loop.h"
#include "app/startup.h"
#include "app/window_proc.h"
#include "platform/platform.h"

int main()
{
    if (!platform::createWindow(windowProc))
        return StartupFailedExitCode;
    platform::showWindow();
    return runMainLoop();
}
