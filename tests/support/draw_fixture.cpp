// SPDX-License-Identifier: MIT
// The drawing tests' shared set-up: test font and board texture, cameras, pixel helpers, golden images
// and screenshots. Declared in draw_fixture.h.
#include "render/board_renderer.h"
#include "support/draw_fixture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/game_reset.h"
#include "sim/camera.h"
#include "sim/marble.h"

namespace drawtest {

float testTextWidth(const std::string& text, float scale)
{
    float w = 0.0f;
    for (char ch : text) {
        int c = static_cast<signed char>(ch);
        w += (c >= 33 && c <= 126 ? glyphWidth(c) : 10.0f) * scale;
    }
    return w;
}

void uploadWhiteTexture(unsigned name, int size, draw::TextureFormat format)
{
    std::vector<uint8_t> white(static_cast<size_t>(size) * size * 3, 255);
    const uint8_t* level = white.data();
    draw::uploadTexture(name, format, draw::Wrap::Clamp, size, 1, &level);
}

void installTestFont()
{
    Font fresh;
    for (int c = 33; c <= 126; ++c) {
        int slot = c - 33;
        fresh.glyphLeft[c] = static_cast<float>((slot % 16) * 16);
        fresh.glyphRight[c] = fresh.glyphLeft[c] + glyphWidth(c);
        fresh.glyphTop[c] = static_cast<float>((slot / 16) * 40);
        fresh.glyphBottom[c] = fresh.glyphTop[c] + TestLineHeight;
    }
    TheFont.firstChar = 33;
    TheFont.lastChar = 126;
    std::copy(std::begin(fresh.glyphLeft), std::end(fresh.glyphLeft), std::begin(TheFont.glyphLeft));
    std::copy(std::begin(fresh.glyphRight), std::end(fresh.glyphRight), std::begin(TheFont.glyphRight));
    std::copy(std::begin(fresh.glyphTop), std::end(fresh.glyphTop), std::begin(TheFont.glyphTop));
    std::copy(std::begin(fresh.glyphBottom), std::end(fresh.glyphBottom), std::begin(TheFont.glyphBottom));
    TheFont.loaded = true;
    TheFont.setScale(1.0f);
    TheFont.setPosition(0.0f, 0.0f);
    TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
    uploadWhiteTexture(FontTextureName, 256, draw::TextureFormat::Intensity);
}

void installBoardTexture()
{
    uint8_t texels[8 * 8 * 3];
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const uint8_t* c = ((x / 2 + y / 2) % 2 == 0) ? CheckerA : CheckerB;
            for (int k = 0; k < 3; ++k)
                texels[(y * 8 + x) * 3 + k] = c[k];
        }
    }
    const uint8_t* level = texels;
    draw::uploadTexture(BoardTextureName, draw::TextureFormat::Rgb, draw::Wrap::Repeat, 8, 1, &level);
}

void setFogColor(Board& board, uint32_t rgb)
{
    board.fogColorRGB = rgb;
    board.fogColor[0] = static_cast<float>((rgb >> 16) & 0xFF) / 255.0f;
    board.fogColor[1] = static_cast<float>((rgb >> 8) & 0xFF) / 255.0f;
    board.fogColor[2] = static_cast<float>(rgb & 0xFF) / 255.0f;
    board.fogColor[3] = 1.0f;
}

Transform cameraLookingAhead(Vec3 eye, float depression)
{
    float s = std::sin(depression), c = std::cos(depression);
    Transform t;
    t.position = eye;
    float rows[9] = {1, 0, 0, 0, s, -c, 0, c, s};
    for (int i = 0; i < 9; ++i)
        t.rotation.m[i] = rows[i];
    return t;
}

Transform cameraLookingBack(Vec3 eye, float depression)
{
    float s = std::sin(depression), c = std::cos(depression);
    Transform t;
    t.position = eye;
    float rows[9] = {-1, 0, 0, 0, -s, -c, 0, -c, s};
    for (int i = 0; i < 9; ++i)
        t.rotation.m[i] = rows[i];
    return t;
}

Transform chaseCamera(Vec3 target)
{
    return cameraLookingAhead(add(target, Vec3(0.0f, -400.0f, -350.0f)), std::atan2(350.0f, 400.0f));
}

void placeMarble(float x, float y)
{
    Vec3 p{x, y, TheBoard.heightAt(x, y)};
    TheMarble.setPosition(p);
    TheCamera.transform = chaseCamera(p);
}

void freshDrawingState()
{
    ASSERT_TRUE(headless::ensureGlContext()) << "no headless GL context";
    headless::reset();
    draw::startContext();
    resetGame();
    installTestFont();
    installBoardTexture();
}

void clearFrame(float r, float g, float b)
{
    draw::clearColor(r, g, b, 0.0f);
    draw::clear(true, true);
}

Rgb pixel(const headless::Frame& f, int x, int y)
{
    const uint8_t* p = f.at(x, y);
    return {p[0], p[1], p[2]};
}

bool near(Rgb a, Rgb b, int tolerance)
{
    return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

std::string str(Rgb c)
{
    char text[48];
    std::snprintf(text, sizeof text, "(%d, %d, %d)", c.r, c.g, c.b);
    return text;
}

int distinctColors(const headless::Frame& f, int cap)
{
    std::vector<uint32_t> seen;
    for (size_t i = 0; i + 3 < f.rgba.size(); i += 4) {
        uint32_t c = (uint32_t(f.rgba[i]) << 16) | (uint32_t(f.rgba[i + 1]) << 8) | f.rgba[i + 2];
        bool known = false;
        for (uint32_t s : seen)
            known = known || s == c;
        if (!known) {
            seen.push_back(c);
            if (static_cast<int>(seen.size()) >= cap)
                break;
        }
    }
    return static_cast<int>(seen.size());
}

InkRun inkRun(const headless::Frame& f, int x0, int y, Rgb background, int maxGap)
{
    InkRun run;
    int gap = 0;
    for (int x = x0; x < f.width; ++x) {
        bool ink = !near(pixel(f, x, y), background, 8);
        if (ink) {
            if (run.begin < 0)
                run.begin = x;
            run.end = x + 1;
            gap = 0;
        } else if (run.begin >= 0 && ++gap > maxGap) {
            break;
        }
    }
    return run;
}

std::vector<uint8_t> patternPicture(int seed)
{
    std::vector<uint8_t> rgb(640 * 480 * 3);
    for (int y = 0; y < 480; ++y) {
        for (int x = 0; x < 640; ++x) {
            uint8_t* p = &rgb[(static_cast<size_t>(y) * 640 + x) * 3];
            p[0] = static_cast<uint8_t>(x * 255 / 639);
            p[1] = static_cast<uint8_t>(y * 255 / 479);
            p[2] = static_cast<uint8_t>((x * 7 + y * 13 + seed) & 0xFF);
        }
    }
    return rgb;
}

std::vector<uint8_t> uniformPicture(uint8_t r, uint8_t g, uint8_t b)
{
    std::vector<uint8_t> rgb(640 * 480 * 3);
    for (size_t i = 0; i < rgb.size(); i += 3) {
        rgb[i] = r;
        rgb[i + 1] = g;
        rgb[i + 2] = b;
    }
    return rgb;
}

void maybeScreenshot(const headless::Frame& frame, const std::string& name)
{
    const char* dir = std::getenv("ROLIQUO_SCREENSHOT_DIR");
    if (dir == nullptr || *dir == '\0')
        return;
    std::filesystem::create_directories(dir);
    headless::Frame opaque = frame; // the playing clear leaves alpha 0, which is no part of the picture
    for (size_t i = 3; i < opaque.rgba.size(); i += 4)
        opaque.rgba[i] = 255;
    EXPECT_TRUE(headless::savePng(opaque, std::string(dir) + "/" + name + ".png")) << "screenshot " << name;
}

headless::Frame halfSize(const headless::Frame& f)
{
    headless::Frame h;
    h.width = f.width / 2;
    h.height = f.height / 2;
    h.rgba.assign(static_cast<size_t>(h.width) * h.height * 4, 0);
    for (int y = 0; y < h.height; ++y) {
        for (int x = 0; x < h.width; ++x) {
            for (int k = 0; k < 4; ++k) {
                int sum = 0;
                for (int dy = 0; dy < 2; ++dy)
                    for (int dx = 0; dx < 2; ++dx)
                        sum += f.rgba[((static_cast<size_t>(y) * 2 + dy) * f.width + x * 2 + dx) * 4 + k];
                h.rgba[(static_cast<size_t>(y) * h.width + x) * 4 + k] = static_cast<uint8_t>((sum + 2) / 4);
            }
            h.rgba[(static_cast<size_t>(y) * h.width + x) * 4 + 3] = 255; // alpha is not part of the picture
        }
    }
    return h;
}

namespace {

std::string goldenPath(const std::string& name)
{
    return std::string(ROLIQUO_SOURCE_DIR) + "/tests/golden/" + name + ".png";
}

} // namespace

void expectNearGolden(const headless::Frame& small, const std::string& name, GoldenTolerance tolerance)
{
    const std::string path = goldenPath(name);
    headless::Frame golden;
    ASSERT_TRUE(headless::loadPng(path, golden))
        << "missing golden " << path << " (run with ROLIQUO_UPDATE_GOLDENS=1 to write it)";
    ASSERT_EQ(golden.width, small.width) << name;
    ASSERT_EQ(golden.height, small.height) << name;
    int worst = 0;
    size_t off = 0;
    double sum = 0.0;
    for (size_t i = 0; i < small.rgba.size(); ++i) {
        if (i % 4 == 3)
            continue;
        int d = std::abs(int(small.rgba[i]) - int(golden.rgba[i]));
        worst = std::max(worst, d);
        sum += d;
        if (d > tolerance.step)
            ++off;
    }
    size_t channels = small.rgba.size() / 4 * 3;
    EXPECT_LE(off * tolerance.oneIn, channels)
        << name << ": " << off << " of " << channels << " channels differ from the golden image by more than "
        << tolerance.step << " (worst " << worst << ")";
    EXPECT_LT(sum / static_cast<double>(channels), tolerance.mean) << name << ": mean difference from the golden image";
}

void expectMatchesGolden(const headless::Frame& frame, const std::string& name)
{
    headless::Frame small = halfSize(frame);
    const char* update = std::getenv("ROLIQUO_UPDATE_GOLDENS");
    if (update != nullptr && std::string(update) == "1") {
        const std::string path = goldenPath(name);
        ASSERT_TRUE(headless::savePng(small, path)) << "could not write golden " << path;
        return;
    }
    expectNearGolden(small, name, {6, 200, 1.0});
}

} // namespace drawtest
