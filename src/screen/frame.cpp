// SPDX-License-Identifier: MIT
// Frame composition for every GameState: the full-screen pictures, the playing frame with its banner
// and counters, the best-times screen, the overlays, the swap and the playing clear.
#include "screen/frame.h"

#include <GL/gl.h>

#include <array>
#include <initializer_list>
#include <optional>

#include "level/bmp.h"
#include "level/board.h"
#include "level/map_list.h"
#include "platform/platform.h"
#include "render/board_renderer.h"
#include "render/marble_renderer.h"
#include "screen/best_times_screen.h"
#include "screen/chase_view.h"
#include "screen/font.h"
#include "screen/game_state.h"
#include "screen/overlays.h"
#include "screen/picture_copy.h"
#include "screen/records_page.h"
#include "sim/camera.h"
#include "sim/marble.h"
#include "sim/sim_state.h"

float BannerScale = 0.0f;
int32_t BannerLevel = -1;

namespace {

constexpr int PictureWidth = 640;
constexpr int PictureHeight = 480;

// A full-screen picture, read on first use into its fixed buffer and kept for the whole run.
struct Picture {
    const char* fileName;
    const char* failureText;
    GLuint textureName;  // holds the picture for drawing at a size other than 640 x 480
    PictureCopy copy;    // shows it at 640 x 480
    bool pending = true; // not read yet
    bool failed = false; // the read failed and its message was shown; not tried again
    int width = 0;
    int height = 0;
    std::array<uint8_t, PictureWidth * PictureHeight * 3> pixels{};
    std::optional<bool> readAhead{}; // the outcome of a read made before the first frame, not yet shown
};

// Texture names of their own, beside the board's 1 and the font's 10.
Picture TitlePicture{"title.bmp", "could not load.bmp title", 20, {22}};
Picture BackPicture{"back.bmp", "could not load back.bmp", 21, {23}};

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

// On a window of another size the picture fills the 4:3 viewport as a filtered texture: a pixel copy
// would stay 640 x 480 in the corner. The texture is made on first use in each context.
void drawScaledPicture(const Picture& picture)
{
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT);
    glEnable(GL_TEXTURE_2D);
    bool fresh = glIsTexture(picture.textureName) == GL_FALSE;
    glBindTexture(GL_TEXTURE_2D, picture.textureName);
    if (fresh) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB8, picture.width, picture.height, 0, GL_RGB, GL_UNSIGNED_BYTE,
                     picture.pixels.data());
    }
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // Anchored at the lower-left corner like the copy, so a smaller picture covers the same share of
    // the screen; rows are stored bottom-up, so texture row 0 belongs at the bottom.
    float right = -1.0f + 2.0f * static_cast<float>(picture.width) / PictureWidth;
    float top = -1.0f + 2.0f * static_cast<float>(picture.height) / PictureHeight;
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-1.0f, -1.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, -1.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, top);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-1.0f, top);
    glEnd();
    glPopAttrib();
}

// Copies the picture to the lower-left corner of the 640 x 480 screen, as stored: texturing and fog are
// off for the copy, since either would change the copied pixels; on a window of another size it is
// scaled instead. An unreadable picture shows its message once and the screen is black behind the
// layers from then on.
void drawPicture(Picture& picture)
{
    if (picture.pending && !picture.failed) {
        bool read = picture.readAhead.has_value() ? *picture.readAhead : readPictureFile(picture);
        picture.readAhead.reset();
        if (read) {
            picture.pending = false;
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
    platform::ScreenRect shown = platform::presentationRect();
    if (shown.width == PictureWidth && shown.height == PictureHeight)
        showPicture(picture.copy, picture.pixels.data(), picture.width, picture.height, shown.x, shown.y);
    else
        drawScaledPicture(picture);
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
        if (!Paused)
            BannerScale -= BannerScale * FrameSeconds * 4.0f;
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
    PolygonCount += TheBoardRenderer.draw(TheBoard, TheCamera.transform, OptionFarSight, OptionFog);
    drawMarble(TheMarble, TheCamera.transform, TheBoard);
    if (!TheGhostTrack.empty())
        drawGhost();
    drawClockAndStatistics();
    drawChaseOverlay();
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
    if (RecordsPageShown && GameState == BestTimes)
        drawRecordsPage();
    else
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
            if (glIsTexture(p->textureName) == GL_TRUE)
                glDeleteTextures(1, &p->textureName);
            forgetPictureCopy(p->copy);
        }
        p->pending = true;
        p->failed = false;
        p->width = 0;
        p->height = 0;
    }
    BannerScale = 0.0f;
    BannerLevel = -1;
}
