// SPDX-License-Identifier: MIT
// The level picture: relief shaded from the game's own Board::heightAt, capture circles from its
// capture radius, start and finish marks, the route and its falls, the height profile; PNG by libpng.
#include "level_picture.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

struct Canvas {
    std::vector<uint8_t> rgb = std::vector<uint8_t>(static_cast<size_t>(PictureWidth) * PictureHeight * 3, 0);

    void put(int column, int row, const uint8_t colour[3])
    {
        if (column < 0 || column >= PictureWidth || row < 0 || row >= PictureHeight)
            return;
        uint8_t* p = &rgb[(static_cast<size_t>(row) * PictureWidth + column) * 3];
        p[0] = colour[0];
        p[1] = colour[1];
        p[2] = colour[2];
    }

    void line(int c0, int r0, int c1, int r1, const uint8_t colour[3], int rowLimit)
    {
        // Points far outside give huge spans; the picture is small, so such segments are clipped whole.
        if (std::abs(c1 - c0) > 4 * PictureWidth || std::abs(r1 - r0) > 4 * PictureHeight)
            return;
        int dc = std::abs(c1 - c0), dr = -std::abs(r1 - r0);
        int sc = c0 < c1 ? 1 : -1, sr = r0 < r1 ? 1 : -1;
        int err = dc + dr;
        for (;;) {
            if (r0 < rowLimit)
                put(c0, r0, colour);
            if (c0 == c1 && r0 == r1)
                return;
            int e2 = 2 * err;
            if (e2 >= dr) {
                err += dr;
                c0 += sc;
            }
            if (e2 <= dc) {
                err += dc;
                r0 += sr;
            }
        }
    }
};

// Column or row of a coordinate, clamped far outside so the integer conversion is defined.
int toPixel(float value, float origin)
{
    float p = std::floor((value - origin) / static_cast<float>(PictureUnitsPerPixel));
    if (!(p > -100000.0f))
        return -100000;
    return p < 100000.0f ? static_cast<int>(p) : 100000;
}

uint8_t mix(float a, float b, float t, float light)
{
    float v = (a + (b - a) * t) * light;
    return static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f));
}

void drawRelief(Canvas& canvas, const Board& board)
{
    std::vector<float> heights(static_cast<size_t>(PictureWidth) * PictureReliefHeight);
    for (int r = 0; r < PictureReliefHeight; ++r)
        for (int c = 0; c < PictureWidth; ++c)
            heights[static_cast<size_t>(r) * PictureWidth + c] =
                board.heightAt(BoardLeft + (static_cast<float>(r) + 0.5f) * PictureUnitsPerPixel,
                               BoardBack + (static_cast<float>(c) + 0.5f) * PictureUnitsPerPixel);
    // Colour spans the heights between the 2nd and 98th percentile, so one deep dip does not wash
    // out the rest of the board.
    std::vector<float> sorted;
    for (float h : heights)
        if (std::isfinite(h))
            sorted.push_back(h);
    float low = 0.0f, high = 1.0f;
    if (!sorted.empty()) {
        std::sort(sorted.begin(), sorted.end());
        high = sorted[sorted.size() * 98 / 100];
        low = sorted[sorted.size() * 2 / 100];
    }
    if (!(high - low > 1.0f))
        high = low + 1.0f;
    // Light from the upper left of the picture (the player's left, behind the start) and above (-z).
    const float lightX = -0.45f, lightY = -0.45f, lightZ = -0.77f;
    for (int r = 0; r < PictureReliefHeight; ++r) {
        for (int c = 0; c < PictureWidth; ++c) {
            float h = heights[static_cast<size_t>(r) * PictureWidth + c];
            float hx = heights[static_cast<size_t>(std::min(r + 1, PictureReliefHeight - 1)) * PictureWidth + c];
            float hy = heights[static_cast<size_t>(r) * PictureWidth + std::min(c + 1, PictureWidth - 1)];
            uint8_t colour[3] = {255, 0, 0};
            if (std::isfinite(h) && std::isfinite(hx) && std::isfinite(hy)) {
                // z grows downward: the normal pointing up is (dz/dx, dz/dy, -1), here per pixel.
                float nx = (hx - h) / PictureUnitsPerPixel, ny = (hy - h) / PictureUnitsPerPixel, nz = -1.0f;
                float length = std::sqrt(nx * nx + ny * ny + nz * nz);
                float shade = std::max(0.0f, (nx * lightX + ny * lightY + nz * lightZ) / length);
                float light = 0.35f + 0.65f * shade / 0.77f;
                // Deeper (larger z) is darker blue; high ground is a pale sand.
                float t = std::clamp((h - low) / (high - low), 0.0f, 1.0f);
                colour[0] = mix(214.0f, 30.0f, t, light);
                colour[1] = mix(200.0f, 70.0f, t, light);
                colour[2] = mix(150.0f, 150.0f, t, light);
            }
            canvas.put(c, r, colour);
        }
    }
}

void drawCaptureCircles(Canvas& canvas, const Board& board)
{
    size_t count = board.holes.size();
    for (size_t i = 0; i < count; ++i) {
        const Hole& h = board.holes[i];
        if (!(h.depth > 0.0f) || !(h.radius > 0.0f))
            continue;
        float reach = CaptureRadii * h.radius;
        float pixels = reach / PictureUnitsPerPixel;
        if (!(pixels < 4.0f * PictureWidth))
            continue;
        int steps = std::max(16, static_cast<int>(pixels * 7.0f));
        for (int k = 0; k < steps; ++k) {
            float a = 6.2831853f * static_cast<float>(k) / static_cast<float>(steps);
            int c = pictureColumn(h.y + reach * std::sin(a));
            int r = pictureRow(h.x + reach * std::cos(a));
            if (r < PictureReliefHeight)
                canvas.put(c, r, CaptureColour);
        }
    }
}

void drawMarks(Canvas& canvas)
{
    int finish = pictureColumn(FinishLine);
    for (int r = 0; r < PictureReliefHeight; ++r) {
        const uint8_t* colour = (r / 4) % 2 == 0 ? FinishMarkDark : FinishMarkLight;
        canvas.put(finish, r, colour);
        canvas.put(finish + 1, r, colour);
    }
    const uint8_t ring[3] = {0, 0, 0};
    int sc = pictureColumn(StartY), sr = pictureRow(StartX);
    for (int dr = -5; dr <= 5; ++dr)
        for (int dc = -5; dc <= 5; ++dc) {
            int d2 = dr * dr + dc * dc;
            if (d2 <= 16)
                canvas.put(sc + dc, sr + dr, StartMarkColour);
            else if (d2 <= 30)
                canvas.put(sc + dc, sr + dr, ring);
        }
}

void drawRoute(Canvas& canvas, const std::vector<RoutePoint>& route)
{
    for (size_t i = 1; i < route.size(); ++i) {
        // A fall puts the marble back elsewhere: no line across the jump.
        if (route[i - 1].fall)
            continue;
        canvas.line(pictureColumn(route[i - 1].position.y), pictureRow(route[i - 1].position.x),
                    pictureColumn(route[i].position.y), pictureRow(route[i].position.x), RouteColour,
                    PictureReliefHeight);
    }
    for (const RoutePoint& p : route) {
        if (!p.fall)
            continue;
        int c = pictureColumn(p.position.y), r = pictureRow(p.position.x);
        for (int d = -5; d <= 5; ++d)
            for (int w = 0; w < 2; ++w) {
                if (r + d + w < PictureReliefHeight) {
                    canvas.put(c + d, r + d + w, FallColour);
                    canvas.put(c + d, r - d + w, FallColour);
                }
            }
    }
}

// Heights (z, larger is lower) along the route, or along x = 0 without one, drawn lower-is-lower.
void drawProfile(Canvas& canvas, const Board& board, const std::vector<RoutePoint>& route)
{
    const int top = PictureReliefHeight + PictureGap;
    const uint8_t background[3] = {28, 30, 36};
    const uint8_t guide[3] = {90, 90, 100};
    for (int r = top; r < PictureHeight; ++r)
        for (int c = 0; c < PictureWidth; ++c)
            canvas.put(c, r, background);
    std::vector<Vec3> points;
    if (route.empty()) {
        for (int c = 0; c < PictureWidth; ++c) {
            float y = BoardBack + (static_cast<float>(c) + 0.5f) * PictureUnitsPerPixel;
            points.push_back(Vec3(0.0f, y, board.heightAt(0.0f, y)));
        }
    } else {
        for (const RoutePoint& p : route)
            points.push_back(p.position);
    }
    float low = 1e30f, high = -1e30f;
    for (const Vec3& p : points)
        if (std::isfinite(p.z)) {
            low = std::min(low, p.z);
            high = std::max(high, p.z);
        }
    if (!(high - low > 1.0f)) {
        low -= 1.0f;
        high = low + 2.0f;
    }
    auto rowOf = [&](float z) {
        float t = std::clamp((z - low) / (high - low), 0.0f, 1.0f);
        return top + 4 + static_cast<int>(t * static_cast<float>(PictureProfileHeight - 9));
    };
    for (int r = top; r < PictureHeight; ++r) {
        canvas.put(pictureColumn(StartY), r, guide);
        canvas.put(pictureColumn(FinishLine), r, guide);
    }
    const uint8_t* colour = route.empty() ? FinishMarkLight : RouteColour;
    for (size_t i = 1; i < points.size(); ++i) {
        if (!route.empty() && route[i - 1].fall)
            continue;
        if (!std::isfinite(points[i - 1].z) || !std::isfinite(points[i].z))
            continue;
        canvas.line(pictureColumn(points[i - 1].y), rowOf(points[i - 1].z), pictureColumn(points[i].y),
                    rowOf(points[i].z), colour, PictureHeight);
    }
}

} // namespace

int pictureColumn(float y)
{
    return toPixel(y, BoardBack);
}

int pictureRow(float x)
{
    return toPixel(x, BoardLeft);
}

std::vector<uint8_t> drawLevelPicture(const Board& board, const std::vector<RoutePoint>& route)
{
    Canvas canvas;
    drawRelief(canvas, board);
    drawCaptureCircles(canvas, board);
    drawRoute(canvas, route);
    drawMarks(canvas);
    drawProfile(canvas, board, route);
    return std::move(canvas.rgb);
}

bool writePicturePng(const std::vector<uint8_t>& rgb, const std::string& path, std::string& error)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot be written";
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    bool ok = png && info;
    if (ok && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_compression_level(png, 9);
        png_set_IHDR(png, info, PictureWidth, PictureHeight, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                     PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int r = 0; r < PictureHeight; ++r)
            png_write_row(png, &rgb[static_cast<size_t>(r) * PictureWidth * 3]);
        png_write_end(png, nullptr);
    } else {
        ok = false;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fclose(file) != 0)
        ok = false;
    if (!ok) {
        error = "could not be written as PNG";
        std::remove(path.c_str());
    }
    return ok;
}
