// SPDX-License-Identifier: MIT
// Where the game finds its files: choosing between the working folder and the installed pack, and
// entering the choice. The folder for the best times is set here; its file is written in src/scores.
#include "app/data_paths.h"

#include <pwd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "scores/high_score_folder.h"

const char* const InstalledDataRelative = ROLIQUO_INSTALLED_DATA_RELATIVE;

namespace {

namespace fs = std::filesystem;

bool holdsMapList(const fs::path& folder)
{
    std::error_code error;
    return fs::is_regular_file(folder / "maplist.dat", error);
}

std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

} // namespace

DataPaths chooseDataPaths(const DataPathInputs& inputs)
{
    DataPaths paths;
    if (holdsMapList(inputs.workingFolder) || inputs.executablePath.empty())
        return paths;
    fs::path pack = fs::path(inputs.executablePath).parent_path() / InstalledDataRelative;
    if (!holdsMapList(pack))
        return paths;
    paths.dataFolder = pack.lexically_normal().string();
    if (!inputs.xdgDataHome.empty() && inputs.xdgDataHome.front() == '/')
        paths.highScoreFolder = (fs::path(inputs.xdgDataHome) / "roliquo").string();
    else if (!inputs.home.empty())
        paths.highScoreFolder = (fs::path(inputs.home) / ".local/share/roliquo").string();
    return paths;
}

DataPathInputs currentDataPathInputs()
{
    DataPathInputs inputs;
    std::error_code error;
    inputs.workingFolder = fs::current_path(error).string();
    fs::path executable = fs::read_symlink("/proc/self/exe", error);
    if (!error)
        inputs.executablePath = executable.string();
    inputs.xdgDataHome = environment("XDG_DATA_HOME");
    inputs.home = environment("HOME");
    if (inputs.home.empty()) {
        const passwd* account = ::getpwuid(::getuid());
        if (account != nullptr && account->pw_dir != nullptr)
            inputs.home = account->pw_dir;
    }
    return inputs;
}

bool applyDataPaths(const DataPaths& paths)
{
    if (!paths.dataFolder.empty() && ::chdir(paths.dataFolder.c_str()) != 0) {
        std::fprintf(stderr, "roliquo: cannot enter the data pack %s: %s\n", paths.dataFolder.c_str(),
                     std::strerror(errno));
        return false;
    }
    useHighScoreFolder(paths.highScoreFolder);
    return true;
}
