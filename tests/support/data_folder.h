// SPDX-License-Identifier: MIT
// Data folders for whole-game tests: a fresh temporary working folder per test, filled from a small
// data set written here (flat levels, a plain font, blank pictures) or from the generated data pack.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "support/bmp_writer.h"
#include "support/temp_folder.h"

namespace testsupport {

// Writes text exactly as given (no line break added).
void writeText(const std::filesystem::path& file, const std::string& text);
std::string readText(const std::filesystem::path& file);

// The text of a map file for a flat level (no holes) with the given fog colour, using texture "flat".
std::string flatLevelText(uint32_t fogColor);

// The text of maplist.dat naming level1.map .. levelN.map.
std::string mapListText(int levels);

// The pictures of a small data set, written once per process and shared: the font (font_0.bmp ..
// font_8.bmp, one white block per glyph, and font.dat), the texture "flat" (flat_0.bmp .. flat_7.bmp),
// title.bmp and back.bmp. Maps and the map list are written per test (flatLevelText, mapListText).
const std::filesystem::path& smallDataSet();

// The generated data pack of this build (ROLIQUO_DATA_DIR); empty when it has not been generated.
std::filesystem::path dataPack();

// Fills folder with links to every file and folder of source (highScore.dat, records and replays excepted), so the game reads them
// while anything it writes stays in folder.
void linkData(const std::filesystem::path& source, const std::filesystem::path& folder);

} // namespace testsupport
