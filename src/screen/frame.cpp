// SPDX-License-Identifier: MIT
// Frame composition for every GameState: the full-screen pictures, the playing frame with its banner
// and counters, the best-times screen, the overlays, the swap and the playing clear.
#include "screen/frame.h"

#include <array>
#include <initializer_list>
#include <optional>
#include <string>

#include "controls/controls_page.h"
#include "level/bmp.h"
#include "level/board.h"
#include "platform/draw.h"
#include "platform/platform.h"
#include "render/board_renderer.h"
#include "render/marble_renderer.h"
#include "screen/best_times_screen.h"
#include "screen/chase_view.h"
#include "screen/controls_view.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "screen/overlays.h"
#include "screen/records_page.h"
#include "screen/set_caption.h"
#include "screen/watch_overlay.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/sim_state.h"

Banner TheBanner;
float& BannerScale = TheBanner.scale;
int32_t& BannerLevel = TheBanner.level;

namespace {

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;

// A full-screen picture, read on first use into its fixed buffer and kept for the whole run.
struct Picture {
    const char* fileName;
    const char* failureText;
    unsigned scaledName; // the texture that draws it at a size other than 640 x 480
    unsigned copyName;   // the texture that shows it at 640 x 480
    bool pending = true; // not read yet
    bool failed = false; // the read failed and its message was shown; not tried again
    int width = 0;
    int height = 0;
    std::array<uint8_t, PictureWidth * PictureHeight * 3> pixels{};
    std::optional<bool> readAhead{}; // the outcome of a read made before the first frame, not yet shown
    std::string hint{};              // the controls hint composed into the pixels (the title's only)
};

// Texture names of their own, beside the board's 1 and the font's 10.
Picture TitlePicture{"title.bmp", "could not load.bmp title", 20, 22};
Picture BackPicture{"back.bmp", "could not load back.bmp", 21, 23};

// Reads the file into the picture's buffer and size; whether it holds a picture.
bool readPictureFile(Picture& picture)
{
    int w = 0, h = 0;
    if (!readBmp(picture.fileName, picture.pixels.data(), picture.pixels.size(), &w, &h) || w <= 0 || h <= 0)
        return false;
    picture.width = w;
    picture.height = h;
    return true;
}

// Copies the picture to the lower-left corner of the 640 x 480 screen, as stored: texturing and fog are
// off for the copy, since either would change the copied pixels; on a window of another size it is
// scaled instead. An unreadable picture shows its message once and the screen is black behind the
// layers from then on.
void loadPicture(Picture& picture)
{
    if (!picture.pending || picture.failed)
        return;
    bool read = picture.readAhead.has_value() ? *picture.readAhead : readPictureFile(picture);
    picture.readAhead.reset();
    if (read) {
        picture.pending = false;
    } else {
        picture.failed = true;
        platform::messageBox(picture.failureText, "Error", true);
    }
}

void drawPicture(Picture& picture)
{
    loadPicture(picture);
    draw::depthTest(false);
    draw::cullFrontFaces(false);
    draw::blend(false);
    draw::noTexture();
    draw::fog(false);
    if (picture.pending) {
        draw::clearColor(0.0f, 0.0f, 0.0f, 0.0f);
        draw::clear(true, false);
        return;
    }
    platform::ScreenRect shown = platform::presentationRect();
    if (shown.width != PictureWidth || shown.height != PictureHeight) {
        draw::showScaledPicture(picture.scaledName, picture.pixels.data(), picture.width, picture.height);
        return;
    }
    // A clear to black comes first, and the picture only while the window is still there: Mesa's X11
    // software driver asks the server for the window's size at the first drawing call of a frame, and
    // when the server has just gone it goes on with a garbage size, which its clear keeps within and its
    // blit overruns.
    draw::clearColor(0.0f, 0.0f, 0.0f, 0.0f);
    draw::clear(true, false);
    if (platform::isWindowVisible())
        draw::showPicture(picture.copyName, picture.pixels.data(), picture.width, picture.height, shown.x, shown.y);
}

void drawBanner()
{
    if (LevelNumber != BannerLevel)
        BannerScale = 3.0f;
    if (BannerScale >= 0.1f) {
        TheFont.setScale(BannerScale);
        // Placed by the width of "Level 1" whatever the number, so later levels sit right of centre.
        TheFont.setPosition(320.0f - 0.5f * TheFont.measureText("Level 1"), 205.0f);
        TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
        TheFont.drawText("Level ");
        TheFont.drawNumber(static_cast<float>(LevelNumber), 0);
    }
    if (!Paused)
        advanceBanner(FrameSeconds);
    else
        BannerLevel = LevelNumber;
}

void clearForNextFrame()
{
    if (OptionFog) {
        uint32_t rgb = TheBoard.fogColorValue();
        draw::clearColor(static_cast<float>((rgb >> 16) & 0xFF) / 255.0f,
                         static_cast<float>((rgb >> 8) & 0xFF) / 255.0f, static_cast<float>(rgb & 0xFF) / 255.0f, 0.0f);
    } else {
        draw::clearColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
    draw::clear(true, true);
}

void composePlaying()
{
    PolygonCount += TheBoardRenderer.draw(TheBoard, TheCamera.transform, OptionFarSight, OptionFog).triangles;
    drawMarble(TheMarble, TheCamera.transform, TheBoard);
    if (!TheChaseView.ghost.empty())
        drawGhost();
    drawClockAndStatistics();
    drawChaseOverlay();
    drawBanner();
    drawWatchOverlay();
    FrameCount += 1;
    if (MenuShown) {
        drawDarkPanel();
        drawMenu();
    }
    platform::swapBuffers();
    clearForNextFrame();
}

void composeBestTimes()
{
    drawPicture(BackPicture);
    drawDarkPanel();
    if (TheRecordsPage.shown && GameState == BestTimes)
        drawRecordsPage();
    else
        drawBestTimes();
    if (MenuShown) {
        drawDarkPanel();
        drawMenu();
    }
    platform::swapBuffers();
}

// The controls hint is part of the title picture, composed into it on the processor: text drawn over
// the picture would make software GL compile a text shader for the title alone, some 18 MB more at
// its peak and a stall in the first frame. A changed hint is composed into the picture read afresh.
void composeTitleHint()
{
    std::string hint = controlsHintText();
    if (TitlePicture.pending || hint == TitlePicture.hint || !TheFont.loaded)
        return;
    bool plain = TitlePicture.hint.empty() || readPictureFile(TitlePicture);
    TitlePicture.hint = hint;
    if (!plain)
        return; // the file is gone: the picture keeps the hint it had
    if (!hint.empty())
        composeControlsHint(TitlePicture.pixels.data(), TitlePicture.width, TitlePicture.height, hint);
    draw::forgetPicture(TitlePicture.copyName);
    draw::forgetPicture(TitlePicture.scaledName);
}

void composeTitle()
{
    if (TheControls.page.shown) {
        drawPicture(BackPicture);
        drawDarkPanel();
        drawControlsPage();
        platform::swapBuffers();
        return;
    }
    loadPicture(TitlePicture);
    composeTitleHint();
    drawPicture(TitlePicture);
    if (setCaptionShown(platform::counterValue()))
        drawSetCaption();
    if (MenuShown) {
        drawDarkPanel();
        drawMenu();
    }
    platform::swapBuffers();
}

} // namespace

void composeFrame()
{
    if (!platform::hasGlContext())
        return; // after shutdown nothing may be drawn
    if (!platform::isWindowVisible())
        return; // minimised: no frame is drawn, so none is counted
    switch (GameState) {
    case Title:
        composeTitle();
        break;
    case Playing:
        composePlaying();
        break;
    case BestTimes:
        composeBestTimes();
        break;
    case NameEntry: // the app took the typed key just before (app/name_entry.cpp)
        composeBestTimes();
        break;
    default:
        break; // an unknown state draws nothing and does not swap
    }
}

void advanceBanner(float seconds)
{
    if (LevelNumber != BannerLevel)
        BannerScale = 3.0f;
    if (BannerScale >= 0.1f)
        BannerScale -= BannerScale * seconds * 4.0f;
    BannerLevel = LevelNumber;
}

void readTitlePictureAhead()
{
    if (TitlePicture.pending && !TitlePicture.failed)
        TitlePicture.readAhead = readPictureFile(TitlePicture);
}

void resetFrameState()
{
    for (Picture* p : {&TitlePicture, &BackPicture}) {
        p->readAhead.reset();
        if (platform::hasGlContext()) {
            draw::forgetPicture(p->scaledName);
            draw::forgetPicture(p->copyName);
        }
        p->pending = true;
        p->failed = false;
        p->width = 0;
        p->height = 0;
        p->hint.clear();
    }
    TheBanner = Banner();
}
