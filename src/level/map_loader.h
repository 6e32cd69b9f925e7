// The map file loader's text part, for callers that hold the text already (the fuzz target, tools).
// Board::load (declared in board.h) reads the file and hands its text to loadMapText.
#pragma once

#include <string>
#include <string_view>

class Board;
class Marble;

// The folder the texture images are read from, ending in '/'; empty (the game's own way) for the
// working folder. A map file played alone from the command line has its images beside it.
extern std::string TextureFolder;

// Full: texture keys read and upload their images, and the grid is built (needs a current GL context).
// TextOnly: texture keys read only their base name and the grid is left empty; no GL, no image files.
enum class MapLoadMode {
    Full,
    TextOnly
};

// Applies map text to board and marble exactly as Board::load does once the file is read: keys take
// effect as they are read, messages (caption "error") name fileName, and on failure the board is left
// with no holes and no grid. Keys: "texturefile=" base, "fogcolor=" 0xRRGGBB, "marblecolor=" 0xRRGGBB,
// "holecount=" n (n >= 0), ".data" with n x (x y radius depth) and ".end".
bool loadMapText(Board& board, Marble& marble, const std::string& fileName, std::string_view text, MapLoadMode mode);
