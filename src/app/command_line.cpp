// SPDX-License-Identifier: MIT
// The game's command line: the option table, its parser, and the help and version texts.
// The version comes from the build (the project's version, set once in CMake).
#include "app/command_line.h"

#include <cstdio>

#include "controls/actions.h"
#include "controls/key_names.h"

namespace {

const CommandLineOption Options[] = {
    {"--help", nullptr, "show this help and exit", &CommandLine::showHelp, nullptr},
    {"--version", nullptr, "show the version and exit", &CommandLine::showVersion, nullptr},
    {"--level", "MAP", "play one map file as a one-level game (records are not kept)", nullptr, &CommandLine::levelMap},
    {"--replay", "FILE", "watch a recorded run (Esc ends it; keys below)", nullptr, &CommandLine::replayFile},
    {"--ghost", "FILE", "race the run of a replay (one level, or a game's matching level)", nullptr,
     &CommandLine::ghostFile},
    {"--records", nullptr, "print every level's record, medal and par, and exit", &CommandLine::showRecords, nullptr},
    {"--server", "URL", "send runs to this world-records server (kept in the settings)", nullptr, &CommandLine::server},
    {"--player", "NAME", "the name to send them under, claimed on the server", nullptr, &CommandLine::player},
    {"--set", "NAME", "start on the level set NAME (main, or a folder under sets/; kept)", nullptr,
     &CommandLine::levelSet},
    {"--world", nullptr, "print every level's world top five from the server, and exit", &CommandLine::showWorld,
     nullptr},
};

const char* const WatchingKeys =
    "\nWhile watching a replay (pad buttons in brackets):\n"
    "  Space, F12          pause and resume [Y, Back]\n"
    "  Left, Right         seek 5 s back or on; with Shift 1 s [d-pad, with a shoulder held]\n"
    "  Home                restart the level [X]\n"
    "  Page Up, Page Down  the previous or next level [left, right stick click]\n"
    "  Up, Down            speed 0.25x, 0.5x, 1x, 2x, 4x [d-pad]\n"
    "  comma, period       paused: a recorded tick back or on [left, right shoulder]\n"
    "  K                   show the recorded steering keys\n";

// Each action with its default keys and pad buttons, as the controls page (F8 on the title) lists them.
std::string actionsHelp()
{
    std::string text = "\nActions, their default keys [pad buttons], and what they do:\n";
    for (size_t i = 0; i < ActionCount; ++i) {
        const ActionInfo& info = actionInfo(static_cast<Action>(i));
        std::string keys;
        for (int key : info.keys)
            if (key != 0)
                keys += (keys.empty() ? "" : ", ") + keyName(key);
        std::string pads;
        for (int button : info.pads)
            if (button != 0)
                pads += (pads.empty() ? "" : ", ") + padName(button);
        if (!pads.empty())
            keys += " [" + pads + "]";
        char line[200];
        std::snprintf(line, sizeof line, "  %-12s %-30s %s\n", info.name, keys.c_str(), info.what);
        text += line;
    }
    text += "Settings lines (in the settings file below): \"bind ACTION KEY\" (SDL's key name, any case;\n"
            "\"pad:BUTTON\" for a pad button; \"none\" or \"pad:none\" for nothing), two at most per action,\n"
            "the first replacing the defaults; \"volume music N\" and \"volume cues N\" (0 to 10, default 10);\n"
            "\"shift hold\" or \"shift toggle\" (push harder while held, or from one press to the next);\n"
            "for the browser's touch controls \"touch stick left|right\", \"tilt on|off\" and\n"
            "\"tilt sensitivity N\" (1 to 10, default 5).\n"
            "A bad line is reported with its number and passed over.\n";
    return text;
}

const CommandLineOption* findOption(const std::string& name)
{
    for (const CommandLineOption& option : Options) {
        if (name == option.name)
            return &option;
    }
    return nullptr;
}

} // namespace

bool parseCommandLine(int argc, const char* const* argv, CommandLine& out, std::string& error)
{
    for (int i = 1; i < argc; ++i) {
        std::string argument = argv[i];
        std::string name = argument;
        std::string value;
        size_t equals = argument.find('=');
        bool inlineValue = argument.rfind("--", 0) == 0 && equals != std::string::npos;
        if (inlineValue) {
            name = argument.substr(0, equals);
            value = argument.substr(equals + 1);
        }
        const CommandLineOption* option = findOption(name);
        if (option == nullptr) {
            error = argument.size() > 1 && argument[0] == '-' ? "unknown option '" + argument + "'"
                                                              : "unexpected argument '" + argument + "'";
            return false;
        }
        if (option->valueName == nullptr) {
            if (inlineValue) {
                error = "option '" + name + "' takes no value";
                return false;
            }
            out.*(option->flag) = true;
            continue;
        }
        if (!inlineValue) {
            if (i + 1 >= argc) {
                error = "option '" + name + "' needs a value (" + option->valueName + ")";
                return false;
            }
            value = argv[++i];
        }
        out.*(option->value) = value;
    }
    return true;
}

std::string commandLineHelp()
{
    std::string text = "Usage: roliquo [OPTION]...\n"
                       "Steer a marble down a hilly board against the clock.\n\n";
    for (const CommandLineOption& option : Options) {
        std::string left = option.name;
        if (option.valueName != nullptr)
            left += std::string(" ") + option.valueName;
        char line[160];
        std::snprintf(line, sizeof line, "  %-18s %s\n", left.c_str(), option.help);
        text += line;
    }
    text += WatchingKeys;
    text += actionsHelp();
    text += "\nStarted in a folder that holds maplist.dat, the game plays that folder and keeps\n"
            "highScore.dat there. Otherwise it plays the installed data pack and keeps highScore.dat\n"
            "in $XDG_DATA_HOME/roliquo (by default ~/.local/share/roliquo). Level records and their\n"
            "replays live in the records folder beside it. F7 chooses the ghost (off, record, par, the\n"
            "world's best with a server set, the --ghost file); the choice is kept in\n"
            "$XDG_CONFIG_HOME/roliquo/settings (by default ~/.config/roliquo/settings). Without a\n"
            "server set, the game opens no network connection.\n"
            "\nThe pack's first level set is its maplist.dat; each folder sets/NAME/ holds another, with\n"
            "its own best times and records (kept under sets/NAME/ beside highScore.dat). On the title,\n"
            "Page Up and Page Down (pad: the shoulders) choose the set; the choice is kept in the settings.\n";
    return text;
}

std::string versionText()
{
    return std::string("roliquo ") + ROLIQUO_VERSION + "\n";
}
