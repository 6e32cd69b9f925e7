// SPDX-License-Identifier: MIT
// The game's command line: which arguments are accepted, what is refused with which message, and the
// help and version texts.
#include <gtest/gtest.h>

#include <regex>
#include <string>
#include <vector>

#include "app/command_line.h"

namespace {

TEST(CommandLineTest, ArgumentsAreAcceptedOrRefusedWithAMessage)
{
    const struct {
        std::vector<const char*> args;
        bool ok;
        bool help;
        bool version;
        const char* error;
    } cases[] = {
        {{}, true, false, false, ""},
        {{"--help"}, true, true, false, ""},
        {{"--version"}, true, false, true, ""},
        {{"--version", "--help"}, true, true, true, ""},
        {{"--bogus"}, false, false, false, "unknown option '--bogus'"},
        {{"-h"}, false, false, false, "unknown option '-h'"},
        {{"--help", "--levels"}, false, true, false, "unknown option '--levels'"},
        {{"--help", "--level"}, false, true, false, "option '--level' needs a value (MAP)"},
        {{"--level=a.map"}, true, false, false, ""},
        {{"meadow.map"}, false, false, false, "unexpected argument 'meadow.map'"},
        {{"--help=yes"}, false, false, false, "option '--help' takes no value"},
    };
    for (const auto& c : cases) {
        std::vector<const char*> argv = {"roliquo"};
        argv.insert(argv.end(), c.args.begin(), c.args.end());
        std::string what = c.args.empty() ? "(none)" : c.args[0];
        CommandLine line;
        std::string error;
        EXPECT_EQ(parseCommandLine(static_cast<int>(argv.size()), argv.data(), line, error), c.ok) << what;
        EXPECT_EQ(error, c.error) << what;
        if (c.ok) {
            EXPECT_EQ(line.showHelp, c.help) << what;
            EXPECT_EQ(line.showVersion, c.version) << what;
        }
    }
}

TEST(CommandLineTest, HelpAndVersionTexts)
{
    std::string help = commandLineHelp();
    for (const char* expected : {"Usage: roliquo", "--help", "--version", "maplist.dat", ".local/share/roliquo"})
        EXPECT_NE(help.find(expected), std::string::npos) << "the help lacks " << expected << ":\n" << help;
    EXPECT_TRUE(std::regex_match(versionText(), std::regex("roliquo [0-9]+\\.[0-9]+\\.[0-9]+\n"))) << versionText();
}

} // namespace
