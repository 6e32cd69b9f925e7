// SPDX-License-Identifier: MIT
// Temporary folders for tests (see temp_folder.h).
#include "support/temp_folder.h"

#include <stdexcept>
#include <system_error>
#include <vector>

#include <stdlib.h>

namespace fs = std::filesystem;

namespace testsupport {

TempFolder::TempFolder()
{
    std::string pattern = (fs::temp_directory_path() / "roliquo-test-XXXXXX").string();
    std::vector<char> buffer(pattern.begin(), pattern.end());
    buffer.push_back('\0');
    if (mkdtemp(buffer.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    path_ = buffer.data();
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

WorkingDirectory::WorkingDirectory(const fs::path& folder) : previous_(fs::current_path())
{
    fs::current_path(folder);
}

WorkingDirectory::~WorkingDirectory()
{
    std::error_code ignored;
    fs::current_path(previous_, ignored);
}

} // namespace testsupport
