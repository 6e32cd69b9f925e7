// SPDX-License-Identifier: MIT
// Frame benchmark: the whole playing frame (composeFrame) against its floor, the same board triangles
// drawn by one draw call of the drawing layer, each paying the same clear, swap and read-back. Frames of
// the two alternate inside short rounds; each case prints the median of the per-round ratios of frames
// per CPU second, playing frame over floor, with the wall-clock ratio beside it. Built twice: on the
// GL 1.1 layer (bench_frame_bench) and on the ES 2 layer (bench_frame_bench_gles2, cases named es2-).
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "level/board.h"
#include "level/map_list.h"
#include "level/map_loader.h"
#include "platform/draw.h"
#include "platform/headless/headless.h"
#include "platform/platform.h"
#include "render/board_renderer.h"
#include "screen/font.h"
#include "screen/font_loader.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/sim_state.h"

namespace {

using Clock = std::chrono::steady_clock;

// Short rounds, so that a burst of load from elsewhere on a shared machine falls into few of them;
// within a round the frame and the floor take turns frame by frame, so both see the same load.
constexpr double SecondsPerRound = 0.25;
constexpr int Rounds = 41;

struct Case {
    const char* name;
    bool fog;
    bool farSight;
};
constexpr Case Cases[] = {{"fog-on", true, false}, {"far-sight", false, true}};

// The frame sizes measured: the game's own and a window twice as wide and high, where the rasterizer's
// share of the frame grows.
struct Size {
    int width;
    int height;
};
constexpr Size Sizes[] = {{640, 480}, {1280, 960}};

// A board of 100 holes and bumps with a checker texture, for when the data pack is missing.
void builtInBoard()
{
    std::vector<Hole> holes;
    uint32_t seed = 12345;
    auto next = [&seed]() {
        seed = seed * 1664525u + 1013904223u;
        return static_cast<float>(seed >> 8) / 16777216.0f;
    };
    for (int i = 0; i < 100; ++i) {
        float depth = next() < 0.7f ? 40.0f + 120.0f * next() : -(30.0f + 90.0f * next());
        holes.push_back({-700.0f + 1400.0f * next(), -5000.0f + 10500.0f * next(), 40.0f + 110.0f * next(), depth});
    }
    TheBoard.setHoles(holes);
    TheBoardRenderer.buildGrid(TheBoard);
    TheBoard.fogColorRGB = 0x8899AA;
    const float fog[4] = {0x88 / 255.0f, 0x99 / 255.0f, 0xAA / 255.0f, 1.0f};
    for (int k = 0; k < 4; ++k)
        TheBoard.fogColor[k] = fog[k];
    TheMarble.setColor(250.0f, 230.0f, 60.0f);
    uint8_t texels[8 * 8 * 3];
    for (int i = 0; i < 64; ++i) {
        bool a = ((i % 8) / 2 + (i / 8) / 2) % 2 == 0;
        texels[i * 3 + 0] = a ? 200 : 40;
        texels[i * 3 + 1] = a ? 60 : 120;
        texels[i * 3 + 2] = a ? 40 : 220;
    }
    const uint8_t* level = texels;
    draw::uploadTexture(BoardTextureName, draw::TextureFormat::Rgb, draw::Wrap::Repeat, 8, 1, &level);
}

// Loads the first shipped level and the font; false when the pack is not there.
bool shippedLevel(std::string& name)
{
    const std::filesystem::path data = ROLIQUO_DATA_DIR;
    if (!std::filesystem::exists(data / "maplist.dat"))
        return false;
    std::filesystem::current_path(data);
    if (!loadMapList() || LevelCount < 1)
        return false;
    loadFont(TheFont, "font", "font.dat");
    static BoardTextureImages texture;
    if (!loadBoardForPlay(TheBoard, TheMarble, MapNames[0], texture))
        return false;
    name = MapNames[0];
    return true;
}

// The settled chase pose: 400 behind and 350 above the marble, looking at it.
void placeCamera(float x, float y)
{
    Vec3 p{x, y, TheBoard.heightAt(x, y)};
    TheMarble.setPosition(p);
    TheCamera.transform.set(add(p, Vec3(0.0f, -400.0f, -350.0f)), -std::atan(400.0f / 350.0f), 0.0f, 0.0f);
}

// The playing frame's own clear after its swap.
void clearTo(bool fog)
{
    uint32_t c = TheBoard.fogColorValue();
    if (fog) {
        draw::clearColor(((c >> 16) & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, (c & 0xFF) / 255.0f, 0.0f);
    } else {
        draw::clearColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
    draw::clear(true, true);
}

// Share of pixels that differ from the top-left corner's colour (the clear colour beyond the board in
// this view): a frame with too few of them measured an empty picture.
double coveredShare(const headless::Frame& f)
{
    size_t covered = 0;
    for (size_t i = 0; i + 3 < f.rgba.size(); i += 4) {
        if (f.rgba[i] != f.rgba[0] || f.rgba[i + 1] != f.rgba[1] || f.rgba[i + 2] != f.rgba[2])
            ++covered;
    }
    return static_cast<double>(covered) / static_cast<double>(f.rgba.size() / 4);
}

size_t differingPixels(const headless::Frame& a, const headless::Frame& b)
{
    if (a.rgba.size() != b.rgba.size())
        return a.rgba.size() / 4;
    size_t differing = 0;
    for (size_t i = 0; i + 3 < a.rgba.size(); i += 4) {
        if (a.rgba[i] != b.rgba[i] || a.rgba[i + 1] != b.rgba[i + 1] || a.rgba[i + 2] != b.rgba[i + 2])
            ++differing;
    }
    return differing;
}

bool check(const char* what, const headless::Frame& f)
{
    if (const char* dir = std::getenv("ROLIQUO_BENCH_FRAMES")) {
        static int serial = 0;
        headless::savePng(f, std::string(dir) + "/" + std::to_string(serial++) + "_" + what + ".png");
    }
    double share = coveredShare(f);
    if (share < 0.25) {
        std::printf("  %s: only %.0f %% of the frame is drawn; nothing was measured\n", what, 100 * share);
        return false;
    }
    return true;
}

// The triangles the renderer drew in its latest call, interleaved s, t, x', y', z'.
std::vector<float> floorCorners(const std::vector<int32_t>& cells)
{
    std::vector<float> corners;
    for (int32_t i : cells) {
        for (int k : {i, i + GridColumns, i + GridColumns + 1, i, i + GridColumns + 1, i + 1}) {
            const Vec3& p = TheBoardRenderer.projected[static_cast<size_t>(k)];
            const Vec3& t = TheBoardRenderer.texCoords[static_cast<size_t>(k)];
            corners.insert(corners.end(), {t.x, t.y, p.x, p.y, p.z});
        }
    }
    return corners;
}

void drawFloor(const std::vector<float>& corners)
{
    draw::drawTriangles(corners.data(), static_cast<int>(corners.size() / 5));
}

double seconds(Clock::time_point from)
{
    return std::chrono::duration<double>(Clock::now() - from).count();
}

// CPU seconds of the whole process, the software rasterizer's threads included. On a shared machine
// the wall clock also counts the time spent waiting for a core; this counts only the work.
double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 == 1 ? v[n / 2] : 0.5 * (v[n / 2 - 1] + v[n / 2]);
}

// The quartiles of the per-round figures: half the rounds lie between them.
void quartiles(std::vector<double> v, double& low, double& high)
{
    std::sort(v.begin(), v.end());
    low = v[v.size() / 4];
    high = v[v.size() - 1 - v.size() / 4];
}

bool measure(const Case& c, const Size& size)
{
    OptionFog = c.fog;
    OptionFarSight = c.farSight;
    GameState = Playing;
    MenuShown = false;
    Paused = false;
    LevelFinished = false;
    RoundClock = 40.0f;
    LevelNumber = 1;
    BannerLevel = 1; // no banner: the board, marble, clock and statistics are what is timed

    // The renderer's cells, and its picture of the board alone, which the floor must repeat exactly.
    clearTo(c.fog);
    std::vector<int32_t> cells;
    const int triangles = TheBoardRenderer.draw(TheBoard, TheCamera.transform, c.farSight, c.fog, &cells).triangles;
    draw::finish();
    headless::Frame boardOnly = headless::readFrame();
    std::vector<float> corners = floorCorners(cells);

    // The floor draws with the state the renderer leaves and pays what the playing frame pays after
    // its drawing: the swap with its read-back, and the clear. Restoring the state (the text leaves
    // other state behind) and wiping that picture happen outside its time.
    auto prepareFloor = [&] {
        TheBoardRenderer.draw(TheBoard, TheCamera.transform, c.farSight, c.fog);
        clearTo(c.fog);
        draw::finish();
    };
    auto floorFrame = [&] {
        drawFloor(corners);
        platform::swapBuffers();
        clearTo(c.fog);
    };

    clearTo(c.fog);
    composeFrame();
    bool ok = check("playing", headless::lastSwapped());
    prepareFloor();
    floorFrame();
    ok = check("floor", headless::lastSwapped()) && ok;
    size_t differing = differingPixels(headless::lastSwapped(), boardOnly);

    // Per round: the playing frame's and the floor's CPU time and wall time over the same frames.
    std::vector<double> cpuRatios, wallRatios, playingRates, floorRates, playingWallRates;
    for (int round = 0; round < Rounds; ++round) {
        double playingCpu = 0.0, floorCpu = 0.0, playingWall = 0.0, floorWall = 0.0;
        int frames = 0;
        Clock::time_point roundStart = Clock::now();
        while (seconds(roundStart) < SecondsPerRound) {
            draw::finish();
            Clock::time_point t = Clock::now();
            double cpu = cpuSeconds();
            composeFrame();
            draw::finish();
            playingCpu += cpuSeconds() - cpu;
            playingWall += seconds(t);
            prepareFloor();
            t = Clock::now();
            cpu = cpuSeconds();
            floorFrame();
            draw::finish();
            floorCpu += cpuSeconds() - cpu;
            floorWall += seconds(t);
            ++frames;
        }
        playingRates.push_back(frames / playingCpu);
        playingWallRates.push_back(frames / playingWall);
        floorRates.push_back(frames / floorCpu);
        cpuRatios.push_back(floorCpu / playingCpu);
        wallRatios.push_back(floorWall / playingWall);
    }

    double low = 0.0, high = 0.0, wallLow = 0.0, wallHigh = 0.0;
    quartiles(cpuRatios, low, high);
    quartiles(wallRatios, wallLow, wallHigh);
    std::printf("%s %dx%d: %d board triangles, %zu cells; floor pixels differing from the renderer's board: %zu\n",
                c.name, size.width, size.height, triangles, cells.size(), differing);
    std::printf("  per CPU second: playing frame %.1f frames, floor %.1f frames (medians of %d rounds)\n",
                median(playingRates), median(floorRates), Rounds);
    std::printf("  by the wall clock: ratio %.3f  (quartiles %.3f .. %.3f)\n", median(wallRatios), wallLow, wallHigh);
    const char* layer = draw::LinkedContext == draw::ContextKind::Es2 ? "es2-" : "";
    // The rate the browser benchmark (bench/web_frame_bench.sh) compares with.
    std::printf("rate %s%s-%dx%d %.1f playing frames per wall-clock second\n", layer, c.name, size.width, size.height,
                median(playingWallRates));
    std::printf("ratio %s%s-%dx%d %.3f  (quartiles %.3f .. %.3f)\n", layer, c.name, size.width, size.height,
                median(cpuRatios), low, high);
    return ok && differing == 0;
}

} // namespace

int main()
{
    if (!headless::ensureGlContext()) {
        std::printf("no GL context\n");
        return 1;
    }
    draw::startContext();
    std::string level;
    if (shippedLevel(level)) {
        std::printf("level %s from %s\n", level.c_str(), ROLIQUO_DATA_DIR);
    } else {
        builtInBoard();
        std::printf("built-in board of 100 holes (no data pack in %s)\n", ROLIQUO_DATA_DIR);
    }
    std::printf("GL renderer: %s (drawing layer: %s)\n", draw::rendererName(),
                draw::LinkedContext == draw::ContextKind::Es2 ? "OpenGL ES 2" : "GL 1.1");
    placeCamera(0.0f, -3000.0f);
    bool ok = true;
    for (const Size& size : Sizes) {
        if (!headless::setFrameSize(size.width, size.height)) {
            std::printf("cannot draw at %dx%d\n", size.width, size.height);
            return 1;
        }
        for (const Case& c : Cases)
            ok = measure(c, size) && ok;
    }
    return ok ? 0 : 1;
}
