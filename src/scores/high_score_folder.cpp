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

std::string highScorePath()
{
    if (TheHighScoreFile.folder.empty())
        return HighScoreFileName;
    std::string path = TheHighScoreFile.folder;
    if (path.back() != '/')
        path += '/';
    return path + HighScoreFileName;
}

std::string recordsFolder()
{
    return TheHighScoreFile.folder.empty() ? std::string(".") : TheHighScoreFile.folder;
}

bool makeHighScoreFolder()
{
    if (TheHighScoreFile.folder.empty())
        return true;
    // Each missing level is made in turn, so parents the player never had (~/.local/share on a fresh
    // account) get the same private mode as the folder itself.
    for (size_t end = 1; end <= TheHighScoreFile.folder.size(); ++end) {
        if (end < TheHighScoreFile.folder.size() && TheHighScoreFile.folder[end] != '/')
            continue;
        std::string prefix = TheHighScoreFile.folder.substr(0, end);
        if (::mkdir(prefix.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info { };
    return ::stat(TheHighScoreFile.folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
