// SPDX-License-Identifier: MIT
// The map file loader's text part, for callers that hold the text already (the fuzz target, tools), and
// the board texture's images it reads. Board::load (declared in board.h) reads the file first.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class Board;
class Marble;

// The folder a level's files are read from, ending in '/'; empty (the game's own way) for the working
// folder: the chosen set's folder ("sets/NAME/"), or the folder of a map file played alone from the
// command line. Map names of the level list and texture images are taken inside it.
extern std::string LevelFolder;

// A map name of the level list as a path to open: inside LevelFolder unless it is absolute.
std::string levelFilePath(const std::string& mapName);

constexpr int BoardTextureLevels = 8;
constexpr int BoardTextureSlotBytes = 128 * 128 * 3;

// The board texture's images as the loader read them: base_0.bmp (128 x 128) down to base_7.bmp (1 x 1),
// 24-bit rows bottom-up, level i in the first (128 >> i)^2 * 3 bytes of its slot.
struct BoardTextureImages {
    bool read = false; // the latest load read a texturefile= key's images; otherwise the slots are stale
    std::array<std::array<uint8_t, BoardTextureSlotBytes>, BoardTextureLevels> levels{};
};

// Full: texture keys read their images (a missing one fails the load). TextOnly: texture keys read only
// their base name; no image files are opened.
enum class MapLoadMode {
    Full,
    TextOnly
};

// Applies map text to board and marble exactly as Board::load does once the file is read: keys take
// effect as they are read, messages (caption "error") name fileName, and on failure the board is left
// with no holes. The last texture key's images land in `texture` (Full mode). Keys: "texturefile=" base, "fogcolor=" 0xRRGGBB, "marblecolor=" 0xRRGGBB,
// "holecount=" n (n >= 0), ".data" with n x (x y radius depth) and ".end".
bool loadMapText(Board& board, Marble& marble, const std::string& fileName, std::string_view text, MapLoadMode mode,
                 BoardTextureImages& texture);
