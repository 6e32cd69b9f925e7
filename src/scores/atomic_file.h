// SPDX-License-Identifier: MIT
// Replacing a file so that a failure or a crash at any point leaves either the old file or the new one
// whole: a temporary file beside it, flushed to disk, renamed over it.
#pragma once

#include <string>

// False with the system's reason when any step fails; the temporary file is then removed and path is
// untouched. With keepOldAs set, the old file (if any) is renamed to it just before it is replaced.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string& reason,
                         const std::string& keepOldAs = std::string());
