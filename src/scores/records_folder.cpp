// The records folder, derived from the best-times file's path so that replays follow it wherever the
// table is kept.
#include "scores/records_folder.h"

#include <filesystem>

#include "scores/high_scores.h"

std::string recordsFolder()
{
    std::filesystem::path folder = std::filesystem::path(HighScoreFileName).parent_path();
    return folder.empty() ? std::string(".") : folder.string();
}
