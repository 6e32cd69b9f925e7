// SPDX-License-Identifier: MIT
// Where highScore.dat lives and the making of its folder on the first save. Reading and writing the
// table live in high_scores.cpp.
#include "scores/high_score_folder.h"

#include <sys/stat.h>

#include <cerrno>

HighScoreFile TheHighScoreFile;

void useHighScoreFolder(const std::string& folder)
{
    TheHighScoreFile.folder = folder;
}

void useScoreSet(const std::string& setFolder)
{
    TheHighScoreFile.setFolder = setFolder;
}

namespace {

// The folder and the set's part joined, ending in '/' unless both are empty.
std::string scorePrefix()
{
    std::string path = TheHighScoreFile.folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    return path + TheHighScoreFile.setFolder;
}

} // namespace

std::string highScorePath()
{
    return scorePrefix() + HighScoreFileName;
}

std::string scoreSetFolder()
{
    std::string folder = scorePrefix();
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return folder.empty() ? std::string(".") : folder;
}

std::string recordsFolder()
{
    return TheHighScoreFile.folder.empty() ? std::string(".") : TheHighScoreFile.folder;
}

bool makeHighScoreFolder()
{
    const std::string folder = scoreSetFolder();
    if (folder == ".")
        return true;
    // Each missing level is made in turn, so parents the player never had (~/.local/share on a fresh
    // account) get the same private mode as the folder itself.
    for (size_t end = 1; end <= folder.size(); ++end) {
        if (end < folder.size() && folder[end] != '/')
            continue;
        std::string prefix = folder.substr(0, end);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info { };
    return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
