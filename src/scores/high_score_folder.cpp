// SPDX-License-Identifier: MIT
// Where highScore.dat lives and the making of its folder on the first save. Reading and writing the
// table live in high_scores.cpp.
#include "scores/high_score_folder.h"

#include <sys/stat.h>

#include <cerrno>

#include "scores/high_scores.h"

std::string HighScoreFolder;

std::string highScorePath()
{
    if (HighScoreFolder.empty())
        return HighScoreFileName;
    std::string path = HighScoreFolder;
    if (path.back() != '/')
        path += '/';
    return path + HighScoreFileName;
}

std::string recordsFolder()
{
    return HighScoreFolder.empty() ? std::string(".") : HighScoreFolder;
}

bool makeHighScoreFolder()
{
    if (HighScoreFolder.empty())
        return true;
    // Each missing level is made in turn, so parents the player never had (~/.local/share on a fresh
    // account) get the same private mode as the folder itself.
    for (size_t end = 1; end <= HighScoreFolder.size(); ++end) {
        if (end < HighScoreFolder.size() && HighScoreFolder[end] != '/')
            continue;
        std::string prefix = HighScoreFolder.substr(0, end);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info { };
    return ::stat(HighScoreFolder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
