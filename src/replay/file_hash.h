// SPDX-License-Identifier: MIT
// SHA-256 of a file's bytes, written as 64 lower-case hex digits: how a replay names
// the exact map file a level was played on.
#pragma once

#include <string>
#include <string_view>

std::string sha256Hex(std::string_view bytes);

// False when the file cannot be read whole (missing, unreadable, or over the data files' size bound).
bool hashFile(const std::string& path, std::string& hex);
