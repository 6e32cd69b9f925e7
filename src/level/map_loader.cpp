// SPDX-License-Identifier: MIT
// The map file loader: Board::load reads a level's text file and applies its keys in order (texture
// images, fog and marble colours, the holes). No drawing: the caller uploads the images it read.
#include "level/map_loader.h"

#include <new>
#include <string>
#include <utility>
#include <vector>

#include "level/bmp.h"
#include "level/board.h"
#include "level/map_keys.h"
#include "level/token_reader.h"
#include "platform/platform.h"
#include "sim/marble.h"

std::string LevelFolder;

std::string levelFilePath(const std::string& mapName)
{
    return !mapName.empty() && mapName.front() == '/' ? mapName : LevelFolder + mapName;
}

namespace {

void showError(const std::string& text)
{
    platform::messageBox(text, "error", false);
}

// A loading board has no holes: nothing may query the old level's records while the new one is read,
// and a failed load leaves it that way.
void releaseArrays(Board& board)
{
    std::vector<Hole>().swap(board.holes);
}

bool failLoad(Board& board, const std::string& message = std::string())
{
    if (!message.empty())
        showError(message);
    releaseArrays(board);
    return false;
}

// Reads base_0.bmp .. base_7.bmp (128 x 128 down to 1 x 1) into the texture's slots. The first image that
// cannot be read is named in a message.
bool loadBoardTexture(BoardTextureImages& texture, const std::string& base)
{
    for (int i = 0; i < BoardTextureLevels; ++i) {
        std::string name = LevelFolder + base + "_" + std::to_string(i) + ".bmp";
        int side = 128 >> i;
        int width = 0;
        int height = 0;
        if (!readBmp(name, texture.levels[i].data(), BoardTextureSlotBytes, &width, &height) || width != side ||
            height != side) {
            showError(name);
            return false;
        }
    }
    texture.read = true;
    return true;
}

void setFogColor(Board& board)
{
    uint32_t v = board.fogColorRGB;
    board.fogColor[0] = static_cast<float>((v >> 16) & 0xffu) / 255.0f;
    board.fogColor[1] = static_cast<float>((v >> 8) & 0xffu) / 255.0f;
    board.fogColor[2] = static_cast<float>(v & 0xffu) / 255.0f;
    board.fogColor[3] = 1.0f;
}

void setMarbleColor(const Board& board, Marble& marble)
{
    uint32_t v = board.marbleColorRGB;
    marble.setColor(static_cast<float>((v >> 16) & 0xffu), static_cast<float>((v >> 8) & 0xffu),
                    static_cast<float>(v & 0xffu));
}

// The keys of one file, applied in order. A number that cannot be read leaves the reader failed but its
// key still takes effect with what the field then holds; the failure ends the load at the next token,
// unless the file ended during that number.
bool applyMapText(Board& board, Marble& marble, const std::string& fileName, std::string_view text, MapLoadMode mode,
                  BoardTextureImages& texture)
{
    TokenReader reader(text);
    std::string token;
    if (!reader.readToken(token))
        return failLoad(board);

    std::vector<Hole> holes;
    int32_t holeCount = 0;
    bool countRead = false;   // a "holecount=" came earlier in this file
    bool dataPending = false; // ... and its ".data" section has not followed yet
    for (;;) {
        if (token == TextureKey) {
            std::string base;
            if (!reader.readToken(base))
                return failLoad(board);
            if (mode == MapLoadMode::Full && !loadBoardTexture(texture, base))
                return failLoad(board);
        } else if (token == FogColorKey) {
            reader.readUnsigned(board.fogColorRGB);
            setFogColor(board);
        } else if (token == MarbleColorKey) {
            reader.readUnsigned(board.marbleColorRGB);
            setMarbleColor(board, marble);
        } else if (token == HoleCountKey) {
            reader.readInt(holeCount);
            if (holeCount < 0)
                return failLoad(board);
            holes.clear();
            countRead = true;
            dataPending = true;
        } else if (token == DataStart) {
            // Hole values need a count from this file to say how many follow.
            if (!countRead)
                return failLoad(board);
            holes.clear();
            for (int32_t i = 0; i < holeCount; ++i) {
                Hole hole;
                if (!reader.readReal(hole.x) || !reader.readReal(hole.y) || !reader.readReal(hole.radius) ||
                    !reader.readReal(hole.depth))
                    return failLoad(board);
                holes.push_back(hole);
            }
            std::string end;
            if (!reader.readToken(end) || end != DataEnd)
                return failLoad(board, "expected .end");
            dataPending = false;
        } else {
            return failLoad(board, fileName + " contains a unknown token " + token);
        }

        if (reader.endReached())
            break;
        if (reader.failed())
            return failLoad(board);
        // A final line break or other trailing whitespace ends the file like its last token does.
        if (reader.onlyWhitespaceLeft())
            break;
        reader.readToken(token);
    }

    if (dataPending)
        return failLoad(board);
    board.setHoles(std::move(holes));
    return true;
}

} // namespace

bool loadMapText(Board& board, Marble& marble, const std::string& fileName, std::string_view text, MapLoadMode mode,
                 BoardTextureImages& texture)
{
    releaseArrays(board);
    texture.read = false;
    try {
        return applyMapText(board, marble, fileName, text, mode, texture);
    } catch (const std::bad_alloc&) {
        return failLoad(board, "out of memory");
    }
}

bool Board::load(const std::string& fileName, Marble& marble, BoardTextureImages& texture)
{
    releaseArrays(*this);
    std::string text;
    if (!readTextFile(fileName, text)) {
        showError(fileName + "file not found");
        return false;
    }
    return loadMapText(*this, marble, fileName, text, MapLoadMode::Full, texture);
}
