// SPDX-License-Identifier: MIT
// What the server knows of the data pack: its level sets (the top folder is the set "main", each
// sets/NAME/ folder another), each set's maps in playing order with their SHA-256 and par.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct PackLevel {
    std::string sha256;
    std::string name; // the map file name, as maplist.dat gives it
    std::optional<float> par;
};

struct PackSet {
    std::string name;
    std::string folder; // absolute: map names are relative to it
    std::vector<PackLevel> levels;
};

struct PackCatalog {
    std::vector<PackSet> sets; // "main" first

    // The set holding a map of this SHA-256 (the first, where several do), or nullptr.
    const PackSet* setOf(const std::string& sha256) const;
};

// Reads every set the game offers (level/level_set.h), hashes its maps and reads its par/par.dat. False
// with a message for a pack whose top list or one of its maps cannot be read; a further set that cannot
// be read is left out, with its message added to `error`.
bool readPackCatalog(const std::string& folder, PackCatalog& out, std::string& error);
