// SPDX-License-Identifier: MIT
// The drawing layer: everything the game, its tools and its tests draw or read back, as free functions.
// Two implementations, chosen when linking: gl11/ (desktop OpenGL 1.1) and gles2/ (OpenGL ES 2).
#pragma once

#include <cstdint>

// What every implementation must give, so that a third one can be written from this header alone:
//
// Space. Positions are normalised device coordinates with w = 1: x and y run -1..1 across the viewport
// (x right, y up), and z is the reciprocal of the camera-space depth that the renderers compute on the
// CPU (2D layers pass 0). Window depth is (z + 1) / 2; z outside -1..1 is clipped. Nothing is projected
// here: the renderers' own projection is the whole transform.
//
// State. Every switch below stays as set until set again, across batches and frames, exactly like GL
// state; a fresh context starts with everything off, the colour (1, 1, 1, 1), texture coordinate
// (0, 0), no texture and a clear colour of black with alpha 0. A fragment is made like this, in order:
//   1. its colour is the interpolated vertex colour, combined with the bound texture (TextureMode);
//   2. with fog on, its rgb becomes f * rgb + (1 - f) * fog colour, f = (end - c) / (end - start)
//      clamped to 0..1, where c = |z| interpolated across the triangle (the vertex's own z, untouched);
//   3. with the depth test on it is kept only when its window depth >= the stored one, which it then
//      replaces (the buffer is cleared to 0, so the nearest surface, largest 1 / depth, wins);
//   4. with blending on it lands as alpha * rgb + (1 - alpha) * what is there, else it replaces it.
// Interpolation is affine on screen (w = 1), the colour smooth (Gouraud).
//
// Link-time choice. A program links exactly one implementation library: roliquo_draw_gl11 (the game,
// every tool and test) or roliquo_draw_gles2. Each defines LinkedContext below; the headless backend
// reads it when it makes its EGL context, so a program linked with gles2 draws on an OpenGL ES 2
// context without asking. The SDL backend makes desktop contexts and is linked with gl11 only.
namespace draw {

enum class ContextKind {
    DesktopGl11, // a compatibility-profile desktop context; immediate mode is used as is
    Es2,         // an OpenGL ES 2.0 context; the implementation brings its own shader program
};

// The kind of context the linked implementation needs.
extern const ContextKind LinkedContext;

// Context -----------------------------------------------------------------------------------------------

// Puts a freshly made context into the game's fixed state: depth clears to 0 (compared with
// greater-or-equal against 1 / depth), fog computed the fast way. Call once per context, with it
// current, before anything else of this header; an implementation builds its own GL objects here.
void startContext();

// Blocks until every drawing call so far has reached the framebuffer (timing and read-back).
void finish();

// Hands every batch the layer still holds to the GL. The backends call it before they present a frame;
// reading pixels, clearing and changing a switch do it themselves.
void flush();

// The GL's own name for the rasterizer that draws ("llvmpipe (...)"), for benchmarks to print.
const char* rendererName();

// Batches ----------------------------------------------------------------------------------------------

enum class Shape {
    Triangles, // every three vertices one triangle
    Quads,     // every four vertices one quadrilateral, corners in order round its edge (drawn as two triangles)
};

// A batch is begin, then vertices, then end. Colour and texture coordinate are current values that each
// vertex takes as it is given; they may be set inside or outside a batch and stay set after it. A batch
// holds at most 65536 vertices. Nothing but color, texCoord and the vertex calls may come between
// begin and end. A batch is drawn with the state in force at its end.
void begin(Shape shape);
void color(float r, float g, float b, float a);
void texCoord(float s, float t);
void vertex(float x, float y, float z);
void vertex2(float x, float y); // z = 0
void end();

// Triangles straight from an array, every corner five floats s, t, x, y, z, count corners (a multiple of
// three), all in the current colour: the same picture as one batch giving texCoord(s, t) and
// vertex(x, y, z) per corner, only faster. The board draws with it.
void drawTriangles(const float* corners, int count);

// State ------------------------------------------------------------------------------------------------

// On: fragments pass when their depth is greater than or equal to the stored one (step 3 above).
void depthTest(bool on);

// On: triangles whose corners run counter-clockwise on screen are dropped (the board's cells, seen from
// above, run clockwise; seen from below they are culled).
void cullFrontFaces(bool on);

// On: fragments are blended by their alpha, source alpha over one minus source alpha.
void blend(bool on);

// How the bound texture's texel t combines with the fragment's colour c (rgba):
enum class TextureMode {
    Decal,    // rgb of the texel (for an RGB texture), alpha of c: the board
    Modulate, // c * t component by component: the text (an intensity texture gives t = (i, i, i, i))
    Replace,  // rgb of the texel, alpha of c: pictures drawn as quads
};

// Draws with texture `name` bound, in `mode`. The game's names are fixed: 1 the board, 10 the font, the
// pictures their own (20 and above). Drawing with a name that holds no complete image is undefined.
void texture(unsigned name, TextureMode mode);
// Draws without texture: the fragment keeps its colour.
void noTexture();

// Linear fog on or off (step 2 above); the colour and distances stay as last set by fogLinear.
void fog(bool on);
void fogLinear(const float color[4], float start, float end);

// Clears ------------------------------------------------------------------------------------------------

void clearColor(float r, float g, float b, float a);
// Clears the whole framebuffer's colour to the clear colour and, if asked, its depth to 0.
void clear(bool colour, bool depth);

// Textures ----------------------------------------------------------------------------------------------

enum class TextureFormat {
    Rgb,       // the texel's r, g, b as given, alpha 1
    Intensity, // only r is kept, and the texel is (r, r, r, r): the font's coverage
};

enum class Wrap {
    Repeat, // the board's texture tiles
    Clamp,  // the font's glyphs stop at the edge texel
};

// Replaces texture `name` with a square image and its mipmap levels: level i is (baseSide >> i) square
// at images[i], RGB bytes, rows bottom-up with no padding. Sampled nearest at every level: with more
// than one level the nearest level is chosen by the texel's size on screen; with one, that level always.
// Which texture later drawing uses is undefined until the next texture() or noTexture().
void uploadTexture(unsigned name, TextureFormat format, Wrap wrap, int baseSide, int levels,
                   const uint8_t* const* images);

// Frees texture `name`; nothing happens when it holds none.
void deleteTexture(unsigned name);

// Pictures ----------------------------------------------------------------------------------------------

// A picture is width x height RGB bytes, rows bottom-up with no padding, kept under texture `name` (its
// own, never the board's or the font's) from the first call in each context until forgetPicture. The
// picture is copied as stored, over everything, whatever the switches above, and leaves them as they
// were.

// Shows the picture at its own size with its lower-left corner at pixel (x, y) of the drawing surface
// (the viewport's lower-left corner when the viewport is 640 x 480, the only time the game uses it).
void showPicture(unsigned name, const uint8_t* rgb, int width, int height, int x, int y);

// Shows the picture scaled to the viewport as the virtual screen is, filtered: a 640 x 480 picture fills
// the viewport, a smaller one the same share of it from the lower-left corner.
void showScaledPicture(unsigned name, const uint8_t* rgb, int width, int height);

// Frees what the picture holds in this context, so the next show stores it anew.
void forgetPicture(unsigned name);

// Read-back ----------------------------------------------------------------------------------------------

// The framebuffer's pixels in the rectangle from (x, y), lower-left, as RGBA bytes, rows bottom-up with
// no padding, after every drawing call so far.
void readPixels(int x, int y, int width, int height, uint8_t* rgba);

} // namespace draw
