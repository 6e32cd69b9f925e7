// SPDX-License-Identifier: MIT
// Running a program from a test (see run_command.h).
#include "support/run_command.h"

#include <sys/wait.h>

#include <cstdio>

namespace testsupport {

std::string runCommand(const std::string& command, int& status)
{
    std::string out;
    status = -1;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr)
        return out;
    char buffer[512];
    while (fgets(buffer, sizeof buffer, pipe) != nullptr)
        out += buffer;
    int raw = pclose(pipe);
    status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return out;
}

} // namespace testsupport
