// SPDX-License-Identifier: MIT
// The game's icon: a red marble on a square of hilly green board, drawn at any size with
// supersampled edges and a transparent surround, and written into a hicolor icon theme folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The sizes desktops look for in the hicolor theme.
constexpr int IconSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// size * size RGBA pixels, rows top-down, alpha not premultiplied.
std::vector<uint8_t> drawIcon(int size);

// Writes <folder>/hicolor/<n>x<n>/apps/roliquo.png for every size.
bool writeIcons(const std::string& folder);
