// Replacing a file so that a failure or a crash at any point leaves either the old file or the new one
// whole: a temporary file beside it, flushed to disk, renamed over it.
#pragma once

#include <string>

// False with the system's reason when any step fails; the temporary file is then removed.
bool writeFileAtomically(const std::string& path, const std::string& text, std::string& reason);
