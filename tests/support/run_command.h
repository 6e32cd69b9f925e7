// SPDX-License-Identifier: MIT
// Running a program from a test through the shell, for the command-line behaviour tests look at.
#pragma once

#include <string>

namespace testsupport {

// Runs `command` with the shell and returns its standard output; status gets its exit status, or -1
// when it did not exit normally.
std::string runCommand(const std::string& command, int& status);

} // namespace testsupport
