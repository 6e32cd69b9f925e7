// SPDX-License-Identifier: MIT
// Shared set-up for the drawing tests: the headless GL context, a small font and board texture of our
// own, cameras, pixel helpers, golden images and optional screenshots. Built once in the test support
// library for the screen, render and app test programs.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/bmp_writer.h"
#include "support/temp_folder.h"

#include "level/board.h"
#include "level/map_list.h"
#include "platform/draw.h"
#include "platform/headless/headless.h"
#include "screen/font.h"
#include "screen/frame.h"
#include "screen/game_state.h"
#include "session/run.h"
#include "sim/sim_state.h"
#include "sim/vec_math.h"

namespace drawtest {

// The test font: codes 33..126, every glyph a solid white block 33 texels high whose width is
// 5 + code % 4 texels, so runs of text have widths the tests can add up. Lines are 33 texels: 13
// pixels at the small scale 13/33, whole pixels at both scales the screens use.
constexpr int TestLineHeight = 33;
inline float glyphWidth(int code)
{
    return static_cast<float>(5 + code % 4);
}

// Width of a single-line string in the test font at a scale (codes outside 33..126 advance 10).
float testTextWidth(const std::string& text, float scale);

void uploadWhiteTexture(unsigned name, int size, draw::TextureFormat format);

void installTestFont();

// The two colours of the board test texture, an 8 x 8 checker of 2 x 2 blocks.
constexpr uint8_t CheckerA[3] = {200, 60, 40};
constexpr uint8_t CheckerB[3] = {40, 120, 220};

void installBoardTexture();

void setFogColor(Board& board, uint32_t rgb);

// A camera at eye looking along +y, tilted down by `depression` radians (pi/2 looks straight down).
// Built directly from its axes: right = +x, view = (0, cos, sin), up on screen = (0, sin, -cos).
Transform cameraLookingAhead(Vec3 eye, float depression);

// The same camera turned round to look along -y.
Transform cameraLookingBack(Vec3 eye, float depression);

// The settled follow-camera pose: 400 behind and 350 above the point, looking at it.
Transform chaseCamera(Vec3 target);

// Puts the marble on the board's surface at (x, y) with the follow camera settled behind it.
void placeMarble(float x, float y);

// Makes sure GL is there and puts the game's shared state back to program start, with the test font.
void freshDrawingState();

void clearFrame(float r, float g, float b);

struct Rgb {
    int r, g, b;
};

Rgb pixel(const headless::Frame& f, int x, int y);

bool near(Rgb a, Rgb b, int tolerance);

std::string str(Rgb c);

// Number of distinct colours in the frame, capped at `cap`.
int distinctColors(const headless::Frame& f, int cap);

// The run of pixels differing from `background` that starts at or after x0 on row y: its first and
// one-past-last x, allowing gaps up to maxGap pixels inside it (spaces between words). {-1, -1} if none.
struct InkRun {
    int begin = -1;
    int end = -1;
};

InkRun inkRun(const headless::Frame& f, int x0, int y, Rgb background, int maxGap);

// Works in a fresh temporary folder and returns to the previous one afterwards: the game reads and
// writes its files by bare name in the working directory.
using TempWorkDir = testsupport::TempWorkingFolder;

using testsupport::writeBmp;

// A 640 x 480 picture with a pattern that shows any shift, flip or channel swap (RGB, rows bottom-up).
std::vector<uint8_t> patternPicture(int seed);

std::vector<uint8_t> uniformPicture(uint8_t r, uint8_t g, uint8_t b);

// Saves the frame under ROLIQUO_SCREENSHOT_DIR when that is set (pictures for the README).
void maybeScreenshot(const headless::Frame& frame, const std::string& name);

// Golden images are stored at half size (2 x 2 averages) to keep them small.
headless::Frame halfSize(const headless::Frame& f);

// How far a half-size frame may be from its golden image: at most one colour channel in `oneIn`
// differs by more than `step`, and the mean channel difference stays under `mean`.
struct GoldenTolerance {
    int step;
    size_t oneIn;
    double mean;
};

// Compares a frame already at the golden image's size with tests/golden/NAME.png.
void expectNearGolden(const headless::Frame& small, const std::string& name, GoldenTolerance tolerance);

// A frame matches when the mean channel difference stays under 1 and at most 0.5 % of channels are
// off by more than 6, which allows the odd edge pixel a rasteriser of another version places
// differently. ROLIQUO_UPDATE_GOLDENS=1 rewrites the golden image instead.
void expectMatchesGolden(const headless::Frame& frame, const std::string& name);

} // namespace drawtest
