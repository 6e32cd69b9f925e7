// SPDX-License-Identifier: MIT
// The words of the map file format, as the game's loader and the level checker both read them: the
// four keys, each a separate word from its value, and the hole section's two markers.
#pragma once

#include <string_view>

constexpr std::string_view TextureKey = "texturefile=";
constexpr std::string_view FogColorKey = "fogcolor=";
constexpr std::string_view MarbleColorKey = "marblecolor=";
constexpr std::string_view HoleCountKey = "holecount=";
constexpr std::string_view DataStart = ".data";
constexpr std::string_view DataEnd = ".end";
