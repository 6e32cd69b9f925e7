// SPDX-License-Identifier: MIT
// roliquo-level's command line: every option's range is checked with a message naming it, options
// belong to their commands, and each command explains itself with --help.
#include <gtest/gtest.h>

#include "level_tool_runner.h"

namespace {

TEST(LevelToolOptions, RefusesValuesOutOfRange)
{
    struct Case {
        std::vector<std::string> args;
        const char* message;
    };
    const std::vector<Case> cases = {
        {{"solve", "--beam", "0"}, "--beam needs a whole number from 1 to 10000, not \"0\""},
        {{"solve", "--beam", "2.5"}, "--beam needs a whole number from 1 to 10000"},
        {{"solve", "--max-seconds", "-3"}, "--max-seconds needs a number from 0 to 600, not \"-3\""},
        {{"solve", "--max-seconds", "0"}, "--max-seconds needs more than 0 seconds"},
        {{"trace", "--lag", "20"}, "--lag needs a whole number from 0 to 9, not \"20\""},
        {{"trace", "--clock", "nan"}, "--clock needs a number from -4 to 52"},
        {{"trace", "--clock", "1e9"}, "--clock needs a number from -4 to 52"},
        {{"trace", "--beam", "5"}, "roliquo-level trace: unknown option --beam"},
        {{"check", "--clock"}, "roliquo-level check: unknown option --clock"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = c.args;
        args.push_back(dataPackPath("meadow.map"));
        ToolRun run = runLevelTool(args);
        EXPECT_EQ(run.status, 2) << c.message;
        EXPECT_NE(run.errors.find(c.message), std::string::npos) << "expected \"" << c.message << "\"; got:\n"
                                                                 << run.errors;
        EXPECT_EQ(run.output, "") << c.message;
    }
}

TEST(LevelToolOptions, EveryCommandHasHelp)
{
    for (const char* command : {"check", "solve", "trace", "picture"}) {
        ToolRun run = runLevelTool({command, "--help"});
        EXPECT_EQ(run.status, 0) << command << ": " << run.errors;
        EXPECT_EQ(run.output.rfind(std::string("usage: roliquo-level ") + command + " ", 0), 0u) << run.output;
        EXPECT_NE(run.output.find("--data DIR"), std::string::npos) << run.output;
    }
    ToolRun all = runLevelTool({"--help"});
    EXPECT_EQ(all.status, 0);
    for (const char* command : {"check", "solve", "trace", "picture"})
        EXPECT_NE(all.output.find(std::string("roliquo-level ") + command + " ["), std::string::npos) << all.output;
}

} // namespace
