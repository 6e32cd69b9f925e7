// Frame composition for every GameState: the full-screen pictures, the playing frame with its banner
// and counters, the best-times screen, the overlays, the swap and the playing clear.
#include "screen/frame.h"

#include <GL/gl.h>

#include <array>
#include <initializer_list>

#include "app/run_state.h"
#include "level/bmp.h"
#include "level/board.h"
#include "platform/platform.h"
#include "scores/best_times_screen.h"
#include "screen/font.h"
#include "screen/overlays.h"
#include "sim/camera.h"
#include "sim/marble.h"

float BannerScale = 0.0f;
int32_t BannerLevel = -1;

namespace {

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;

// A full-screen picture, read on first use into its fixed buffer and kept for the whole run.
struct Picture {
    const char* fileName;
    const char* failureText;
    bool pending = true; // not read yet
    bool failed = false; // the read failed and its message was shown; not tried again
    int width = 0;
    int height = 0;
    std::array<uint8_t, PictureWidth * PictureHeight * 3> pixels{};
};

Picture TitlePicture{"title.bmp", "could not load.bmp title"};
Picture BackPicture{"back.bmp", "could not load back.bmp"};

// Copies the picture to the lower-left corner, as stored: texturing and fog are off for the copy,
// since either would change the copied pixels. An unreadable picture shows its message once and the
// screen is black behind the layers from then on.
void drawPicture(Picture& picture)
{
    if (picture.pending && !picture.failed) {
        int w = 0, h = 0;
        if (readBmp(picture.fileName, picture.pixels.data(), picture.pixels.size(), &w, &h) && w > 0 && h > 0) {
            picture.pending = false;
            picture.width = w;
            picture.height = h;
        } else {
            picture.failed = true;
            platform::messageBox(picture.failureText, "Error", true);
        }
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    if (picture.pending) {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        return;
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // rows are packed without padding
    glDrawPixels(picture.width, picture.height, GL_RGB, GL_UNSIGNED_BYTE, picture.pixels.data());
}

void drawBanner()
{
    if (LevelNumber != BannerLevel) BannerScale = 3.0f;
    if (BannerScale >= 0.1f) {
        TheFont.setScale(BannerScale);
        // Placed by the width of "Level 1" whatever the number, so later levels sit right of centre.
        TheFont.setPosition(320.0f - 0.5f * TheFont.measureText("Level 1"), 205.0f);
        TheFont.setColor(1.0f, 1.0f, 1.0f, 1.0f);
        TheFont.drawText("Level ");
        TheFont.drawNumber(static_cast<float>(LevelNumber), 0);
        if (!Paused) BannerScale -= BannerScale * FrameSeconds * 4.0f;
    }
    BannerLevel = LevelNumber;
}

void clearForNextFrame()
{
    if (OptionFog) {
        uint32_t rgb = TheBoard.fogColorValue();
        glClearColor(static_cast<float>((rgb >> 16) & 0xFF) / 255.0f, static_cast<float>((rgb >> 8) & 0xFF) / 255.0f,
                     static_cast<float>(rgb & 0xFF) / 255.0f, 0.0f);
    } else {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    }
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void composePlaying()
{
    PolygonCount += TheBoard.draw(TheCamera.transform, OptionFarSight, OptionFog);
    TheMarble.draw(TheCamera.transform, TheBoard, OptionNormal);
    drawClockAndStatistics();
    drawBanner();
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
    drawBestTimes();
    if (MenuShown) {
        drawDarkPanel();
        drawMenu();
    }
    platform::swapBuffers();
}

void composeTitle()
{
    drawPicture(TitlePicture);
    if (MenuShown) {
        drawDarkPanel();
        drawMenu();
    }
    platform::swapBuffers();
}

} // namespace

void composeFrame()
{
    if (!platform::hasGlContext()) return; // after shutdown nothing may be drawn
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

void resetFrameState()
{
    for (Picture* p : {&TitlePicture, &BackPicture}) {
        p->pending = true;
        p->failed = false;
        p->width = 0;
        p->height = 0;
    }
    BannerScale = 0.0f;
    BannerLevel = -1;
}
