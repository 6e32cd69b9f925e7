// SPDX-License-Identifier: MIT
// BoardRenderer::draw: projects the grid on the CPU and draws the visible cells as textured triangles in
// four sweeps outward from an anchor cell, with optional linear fog in units of reciprocal depth.
// The triangles are gathered in sweep order into one client array and drawn by a single call.
#include "render/board_renderer.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "level/board.h"
#include "level/map_loader.h"
#include "platform/draw.h"
#include "render/projection.h"

BoardRenderer TheBoardRenderer;

namespace {

constexpr float GridSpacing = 30.0f;
constexpr float TexStepS = 0.1875f;
constexpr float TexStepT = 0.25f;
constexpr double LookAhead = 400.0;
constexpr int Reach = 60;
constexpr int LastCellRow = GridRows - 2;       // 398
constexpr int LastCellColumn = GridColumns - 2; // 48
constexpr double HorizontalScale = 1.25;
constexpr double VerticalScale = 1.666667; // as tuned, not 5/3
constexpr float FogStart = 0.0025f;        // 1 / 400
constexpr float FogEnd = 0.00055555557f;   // 1 / 1800 in single precision

enum : uint8_t {
    NotProjected = 0,
    InFront = 1,
    Behind = 2
};

// The largest frame: 49 x 399 cells of two triangles.
constexpr size_t FloatsPerCorner = 5;
constexpr size_t MostCells = 49 * 399;
constexpr size_t MostCorners = MostCells * 2 * 3;

// Truncates toward zero after bounding the value, so no eye position overflows the conversion; NaN
// goes to the low bound.
int truncateBounded(double v, double lo, double hi)
{
    if (!(v >= lo))
        v = lo;
    if (v > hi)
        v = hi;
    return static_cast<int>(v);
}

struct Sweeper {
    BoardRenderer& grid;
    const Transform& camera;
    BoardDrawRecord& record;
    std::vector<int32_t>* visitedCells;
    int lastRow;
    size_t cornerFloats = 0; // of grid.corners in use

    int index(int r, int c) const { return r * GridColumns + c; }
    float x(int r, int c) const { return grid.projected[static_cast<size_t>(index(r, c))].x; }
    float y(int r, int c) const { return grid.projected[static_cast<size_t>(index(r, c))].y; }

    void project(int i)
    {
        size_t k = static_cast<size_t>(i);
        if (grid.vertexState[k] != NotProjected)
            return;
        Vec3 c = toCameraSpace(camera, grid.vertices[k]);
        double cz = c.z;
        grid.projected[k] = Vec3(static_cast<float>(HorizontalScale * c.x / cz),
                                 static_cast<float>(VerticalScale * c.y / cz), static_cast<float>(1.0 / cz));
        grid.vertexState[k] = cz > 0.0 ? InFront : Behind;
        ++record.projections;
    }

    void vertex(int i)
    {
        const Vec3& t = grid.texCoords[static_cast<size_t>(i)];
        const Vec3& p = grid.projected[static_cast<size_t>(i)];
        float* corner = grid.corners.data() + cornerFloats;
        corner[0] = t.x;
        corner[1] = t.y;
        corner[2] = p.x;
        corner[3] = p.y;
        corner[4] = p.z;
        cornerFloats += FloatsPerCorner;
    }

    // A triangle with a corner at or behind the camera plane would come out mirrored through the eye;
    // it is skipped and not counted, so the count is what reached the screen.
    void triangle(int a, int b, int c)
    {
        size_t ka = static_cast<size_t>(a), kb = static_cast<size_t>(b), kc = static_cast<size_t>(c);
        const std::vector<uint8_t>& state = grid.vertexState;
        if (state[ka] != InFront || state[kb] != InFront || state[kc] != InFront) {
            ++record.trianglesSkipped;
            return;
        }
        // The sweeps visit each cell at most once, so this never fills; the bound keeps it so.
        if (cornerFloats + 3 * FloatsPerCorner > grid.corners.size())
            return;
        vertex(a);
        vertex(b);
        vertex(c);
        ++record.triangles;
    }

    void visitCell(int r, int c)
    {
        int i = index(r, c);
        project(i);
        project(i + GridColumns);
        project(i + GridColumns + 1);
        project(i + 1);
        ++record.cellsVisited;
        if (visitedCells != nullptr)
            visitedCells->push_back(i);
    }

    void drawTriangles(int r, int c)
    {
        int i = index(r, c);
        triangle(i, i + GridColumns, i + GridColumns + 1);
        triangle(i, i + GridColumns + 1, i + 1);
    }

    // One sweep: rows from firstRow by rowStep, each row from firstColumn by columnStep. The bounds
    // test covers all four sides of the grid, so a sweep never addresses a cell outside it.
    template <typename ColumnTest, typename RowTest>
    void sweep(int firstRow, int rowStep, int firstColumn, int columnStep, ColumnTest columnTest, RowTest rowTest)
    {
        for (int r = firstRow;; r += rowStep) {
            bool rowGoesOn = false;
            for (int c = firstColumn; r >= 0 && r <= lastRow && c >= 0 && c <= LastCellColumn; c += columnStep) {
                visitCell(r, c);
                bool columnGoesOn = columnTest(r, c);
                if (rowTest(r, c))
                    rowGoesOn = true;
                drawTriangles(r, c);
                if (!columnGoesOn)
                    break;
            }
            if (!rowGoesOn)
                return;
        }
    }
};

void setDrawState(const Board& board, bool fog)
{
    draw::depthTest(true);
    draw::cullFrontFaces(true);
    draw::texture(BoardTextureName, draw::TextureMode::Decal);
    draw::blend(false);
    // Every fog parameter is set again here, so no fog distance set elsewhere ever shows in play.
    draw::fog(fog);
    if (fog)
        draw::fogLinear(board.fogColor, FogStart, FogEnd);
}

} // namespace

SweepAnchor boardSweepAnchor(Vec3 eye, bool farSight)
{
    SweepAnchor a;
    // The column is left unclamped (beyond the bound needed for the conversion); the sweeps clamp
    // where they start instead.
    a.anchorColumn = truncateBounded(25.0 + static_cast<double>(eye.x) / 30.0, -1.0e6, 1.0e6);
    a.anchorRow = truncateBounded(200.0 + (static_cast<double>(eye.y) + LookAhead) / 30.0, 0.0, LastCellRow);
    a.lastRow = farSight ? LastCellRow : std::min(a.anchorRow + Reach, LastCellRow);
    return a;
}

// The sweeps' tests rest on the layout seen from the follow camera: increasing column moves right on
// screen and increasing row moves up. An eye beside the board puts the anchor column outside the grid;
// the rightward sweeps then start at column 0 and the leftward ones at column 48, as if the eye stood
// over the nearest edge.
BoardDrawRecord BoardRenderer::draw(const Board& board, const Transform& camera, bool farSight, bool fog,
                                    std::vector<int32_t>* visitedCells)
{
    BoardDrawRecord record;
    if (visitedCells != nullptr)
        visitedCells->clear();
    const size_t n = static_cast<size_t>(GridVertexCount);
    if (vertices.size() < n || projected.size() < n || texCoords.size() < n)
        return record;

    SweepAnchor a = boardSweepAnchor(camera.getPosition(), farSight);
    record.anchor = a;
    Sweeper s{*this, camera, record, visitedCells, a.lastRow};
    vertexState.assign(n, NotProjected);
    corners.resize(MostCorners * FloatsPerCorner);
    setDrawState(board, fog);

    const int right = std::max(a.anchorColumn, 0);
    const int left = std::min(a.anchorColumn - 1, LastCellColumn);
    auto rightGoesOn = [&s](int r, int c) { return s.x(r + 1, c + 1) < 1.0f || s.x(r, c + 1) < 1.0f; };
    auto leftGoesOn = [&s](int r, int c) { return s.x(r, c) > -1.0f || s.x(r + 1, c) > -1.0f; };
    auto aheadGoesOn = [&s](int r, int c) { return s.y(r + 1, c) < 1.0f || s.y(r + 1, c + 1) < 1.0f; };
    auto behindGoesOn = [&s](int r, int c) { return s.y(r, c) > -1.0f || s.y(r, c + 1) > -1.0f; };

    s.sweep(a.anchorRow, +1, right, +1, rightGoesOn, aheadGoesOn);
    s.sweep(a.anchorRow, +1, left, -1, leftGoesOn, aheadGoesOn);
    s.sweep(a.anchorRow - 1, -1, left, -1, leftGoesOn, behindGoesOn);
    s.sweep(a.anchorRow - 1, -1, right, +1, rightGoesOn, behindGoesOn);

    // No glFlush: the frame's swap flushes, and a flush here would make a software rasterizer paint
    // the frame in two passes, the board and then everything drawn over it.
    // The gathered triangles in one draw, the same vertices in the same order as one batch per triangle.
    draw::drawTriangles(corners.data(), static_cast<int>(s.cornerFloats / FloatsPerCorner));
    return record;
}

void BoardRenderer::buildGrid(const Board& board)
{
    vertices.assign(GridVertexCount, Vec3());
    projected.assign(GridVertexCount, Vec3());
    texCoords.assign(GridVertexCount, Vec3());
    for (int r = 0; r < GridRows; ++r) {
        for (int c = 0; c < GridColumns; ++c) {
            int i = r * GridColumns + c;
            float x = static_cast<float>(c - 25) * GridSpacing;
            float y = static_cast<float>(r - 200) * GridSpacing;
            vertices[i] = Vec3(x, y, board.heightAt(x, y));
            texCoords[i].x = static_cast<float>(c - 25) * TexStepS;
            texCoords[i].y = static_cast<float>(r - 200) * TexStepT;
        }
    }
}

void BoardRenderer::clearGrid()
{
    std::vector<Vec3>().swap(vertices);
    std::vector<Vec3>().swap(projected);
    std::vector<Vec3>().swap(texCoords);
}

void BoardRenderer::uploadTexture(const BoardTextureImages& texture) const
{
    draw::deleteTexture(BoardTextureName);
    const uint8_t* levels[BoardTextureLevels];
    for (int i = 0; i < BoardTextureLevels; ++i)
        levels[i] = texture.levels[i].data();
    draw::uploadTexture(BoardTextureName, draw::TextureFormat::Rgb, draw::Wrap::Repeat, 128, BoardTextureLevels,
                        levels);
}

bool loadBoardForPlay(Board& board, Marble& marble, const std::string& fileName, BoardTextureImages& texture)
{
    TheBoardRenderer.clearGrid();
    if (!board.load(fileName, marble, texture))
        return false;
    if (texture.read)
        TheBoardRenderer.uploadTexture(texture);
    TheBoardRenderer.buildGrid(board);
    return true;
}
