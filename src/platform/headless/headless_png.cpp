// SPDX-License-Identifier: MIT
// PNG files for headless frames: tests save what was drawn and compare it with golden images.
// Frames are kept bottom-up (as GL reads them); files are top-down like every image viewer expects.
#include <png.h>

#include <cstdio>
#include <memory>
#include <vector>

#include "platform/headless/headless.h"

namespace {

struct FileCloser {
    void operator()(FILE* f) const { fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

// libpng reports through these; a failure jumps back to the caller, which answers false, so nothing
// needs printing.
void pngError(png_structp png, png_const_charp)
{
    png_longjmp(png, 1);
}
void pngWarning(png_structp, png_const_charp)
{
}

// Largest picture accepted from a file: far above any frame, far below what would exhaust memory.
constexpr png_uint_32 MaxPngSide = 8192;

} // namespace

namespace headless {

bool savePng(const Frame& frame, const std::string& path)
{
    if (frame.width <= 0 || frame.height <= 0 ||
        frame.rgba.size() != static_cast<size_t>(frame.width) * frame.height * 4)
        return false;
    File file(fopen(path.c_str(), "wb"));
    if (!file)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, static_cast<png_uint_32>(frame.width), static_cast<png_uint_32>(frame.height), 8,
                 PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < frame.height; ++y)
        png_write_row(png, frame.at(0, y));
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return fflush(file.get()) == 0;
}

bool loadPng(const std::string& path, Frame& out)
{
    File file(fopen(path.c_str(), "rb"));
    if (!file)
        return false;
    png_byte signature[8];
    if (fread(signature, 1, sizeof signature, file.get()) != sizeof signature || png_sig_cmp(signature, 0, 8) != 0)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, pngError, pngWarning);
    if (!png)
        return false;
    png_infop info = png_create_info_struct(png);
    // Everything that outlives a failed read sits behind a pointer set before the jump point, so a
    // long jump from libpng leaves no local half-updated and no destructor skipped.
    struct Decoded {
        Frame frame;
        std::vector<png_bytep> rows;
    };
    auto decoded = std::make_unique<Decoded>();
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    png_set_user_limits(png, MaxPngSide, MaxPngSide);
    png_init_io(png, file.get());
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    // Whatever the file holds becomes 8-bit RGBA.
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    png_uint_32 width = png_get_image_width(png, info);
    png_uint_32 height = png_get_image_height(png, info);
    if (width == 0 || height == 0 || width > MaxPngSide || height > MaxPngSide ||
        png_get_rowbytes(png, info) != static_cast<size_t>(width) * 4) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    Frame& frame = decoded->frame;
    frame.width = static_cast<int>(width);
    frame.height = static_cast<int>(height);
    frame.rgba.assign(static_cast<size_t>(width) * height * 4, 0);
    decoded->rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        decoded->rows[y] = &frame.rgba[static_cast<size_t>(height - 1 - y) * width * 4];
    png_read_image(png, decoded->rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    out = std::move(frame);
    return true;
}

} // namespace headless
