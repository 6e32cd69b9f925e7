// SPDX-License-Identifier: MIT
// The loop and the file saving of the backends that run as a process on disk (SDL and headless): the
// game's loop runs on the caller's stack, and its files are on disk once renamed.
#include "platform/platform.h"

namespace platform {

int runLoop(bool (*pass)(int& exitCode))
{
    int exitCode = 0;
    while (pass(exitCode)) { }
    return exitCode;
}

void filesSaved() { }

} // namespace platform
