// SPDX-License-Identifier: MIT
// The headless backend's test controls: fill the event queue, hold keys, drive the virtual counter,
// read back frames, and inspect what the game asked for (boxes, beeps, cues, music) instead of doing it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace headless {

struct MessageBoxRecord {
    std::string text;
    std::string caption;
    bool owned = false;
};

// What the game asked of the music device, in order: {"open", file, id}, {"close", "", id}.
struct MusicRecord {
    std::string action;
    std::string fileName;
    uint32_t id = 0;
};

// The music's and the cues' levels as a mixer takes them, 0..MixerFull (SDL2_mixer's full volume).
inline constexpr int MixerFull = 128;
struct SoundLevels {
    int music = MixerFull;
    int cues = MixerFull;
};

// Puts the backend back to its initial state: empty queue, no keys held, counter at 0 with frequency
// 1'000'000, no records, no window, timer stopped. The GL context (if any) stays alive and current:
// contexts are costly to make, so the backend keeps one for the whole process.
void reset();

// Makes the GL context and the 640 x 480 framebuffer without a window, for tests and tools that draw
// but do not go through createWindow. Idempotent while the context lives; after the game's
// deleteGlContext the next ensureGlContext or createGlContext makes a fresh context (default GL state,
// no textures), as a new window would have. False when no GL implementation is available; then
// platform::lastErrorText() says which EGL step failed.
// The context draws into a framebuffer object with RGBA8 colour and a 24-bit depth buffer; the
// viewport is the whole 640 x 480 frame, both matrices are the identity and the raster position is
// the lower-left corner, as on a fresh window.
bool ensureGlContext();

// Draws at another size, as a resized window would: the framebuffer becomes width x height, the
// viewport the centred 4:3 rectangle of presentationRect(), and each swap paints the bars beside it
// black. reset() goes back to 640 x 480. False (nothing changed) outside 1..8192 a side.
bool setFrameSize(int width, int height);

// Queue ------------------------------------------------------------------------------------------------
void pushMessage(uint32_t id, uint64_t wParam = 0, int64_t lParam = 0); // as an event from the system
void pushKey(int virtualKey);                                           // KeyDownMessage
std::vector<Message> pendingMessages();                                 // a copy of the queue, in order
size_t pendingCount();

// Keys ---------------------------------------------------------------------------------------------------
void setKeyDown(int virtualKey, bool down);
void setPadButtonDown(int button, bool down); // PadButton plus one, as a pad holds it
void releaseAllKeys();                        // and every pad button

// Counter ------------------------------------------------------------------------------------------------
void setCounterFrequency(uint64_t countsPerSecond);
void setCounter(uint64_t value);
void advanceCounter(uint64_t counts);
void advanceSeconds(double seconds); // rounds to whole counts

// The timer: fires when the virtual counter has advanced by its period since the last firing; the
// TimerMessage is queued by peekMessage like the real backend does.
bool timerRunning();

// Failures the tests can provoke in the next calls.
void failPixelFormat(platform::PixelFormatResult result); // Ok to stop failing
void failWindowCreation(bool fail);
void failMusicOpen(bool fail);

// Records ------------------------------------------------------------------------------------------------
const std::vector<MessageBoxRecord>& messageBoxes();
int beepCount();
const std::vector<std::string>& cues();         // every playWav file name, in order
const std::vector<MusicRecord>& musicRecords(); // every open and close, in order
uint32_t playingMusicId();                      // 0 when nothing is open
SoundLevels soundLevels();                      // the latest setSoundLevels, on the mixer's scale
// The track ended: closes it and queues MusicNoticeMessage (wParam 1, lParam the id), as the real
// backend does when a track plays out. Does nothing when no music is open.
void finishMusic();
int swapCount(); // every swapBuffers, with or without a live context
bool windowCreated();
bool windowShown();
void setWindowHidden(bool hidden); // as if minimised: isWindowVisible() answers false
void clearRecords();

// Frames -------------------------------------------------------------------------------------------------
// RGBA bytes, the whole framebuffer (640 x 480 unless setFrameSize changed it), rows bottom-up as
// glReadPixels gives them.
struct Frame {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgba;
    // Pixel at x from the left, y from the top (screen order), as {r, g, b, a}.
    const uint8_t* at(int x, int y) const { return &rgba[((height - 1 - y) * width + x) * 4]; }
};
Frame readFrame();          // the back buffer now (before any swap); empty without a live context
const Frame& lastSwapped(); // what the latest swapBuffers presented (empty before the first)
// Queries for tests -----------------------------------------------------------------------------------
// What the live desktop GL context itself holds, for the tests of the GL 1.1 programs: the state the
// drawing layer sets, its textures, depth and what reaches the rasterizer. GL enums come as their names
// ("GL_GEQUAL"), or in hex when unnamed here. Every query leaves the context's state as it found it.
struct GlState {
    bool depthTest = false;
    std::string depthFunc;
    bool cullFace = false;
    std::string cullFaceMode;
    bool texture2D = false;
    unsigned boundTexture = 0;
    std::string textureEnvMode;
    bool blend = false;
    std::string blendSource;
    std::string blendDestination;
    bool fog = false;
    std::string fogMode;
    float fogStart = 0.0f;
    float fogEnd = 0.0f;
    float fogColor[4] = {};
    std::string fogHint;
    bool vertexArray = false; // client arrays left on
    bool texCoordArray = false;
    float currentColor[4] = {};
    float clearColor[4] = {};
    double clearDepth = 0.0;
    int viewport[4] = {};
    int unpackAlignment = 0;
    int depthBits = 0;
    int redBits = 0;
    int alphaBits = 0;
    bool identityMatrices = false; // projection and model-view
    std::string error;             // "GL_NO_ERROR" unless a call failed since the last query
};
GlState glState();

// One mipmap level of a texture and the parameters it is sampled with. `texels` holds the level as RGB
// bytes, or one byte a texel (its luminance, which for an intensity texture is the intensity) when
// asked for luminance; rows bottom-up, no padding.
struct TextureLevel {
    bool exists = false; // the name holds a texture
    int width = 0;
    int height = 0;
    std::string internalFormat;
    std::string wrapS, wrapT, magFilter, minFilter;
    std::vector<uint8_t> texels;
};
TextureLevel textureLevel(unsigned name, int level, bool luminance = false);

// The depth buffer's value at pixel (x, y) from the lower-left corner, 0..1.
float depthAt(int x, int y);

// The triangles that `drawing` sends to the rasterizer, caught by GL's feedback mode instead of drawn:
// window x, y, depth and colour per corner. `onlyTriangles` is false when anything else came (points,
// lines, bitmaps, polygons of another size).
struct CaughtVertex {
    float x, y, z;
    float color[4];
};
struct CaughtTriangles {
    bool onlyTriangles = true;
    std::vector<std::vector<CaughtVertex>> triangles;
};
CaughtTriangles catchTriangles(const std::function<void()>& drawing);

// PNG files are stored top-down, RGBA 8 bits. loadPng accepts any PNG (grey, palette, 16-bit, with or
// without alpha) up to 8192 pixels a side, converts it to RGBA and leaves `out` untouched on failure.
bool savePng(const Frame& frame, const std::string& path);
bool loadPng(const std::string& path, Frame& out);

} // namespace headless
