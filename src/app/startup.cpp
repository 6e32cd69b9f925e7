// SPDX-License-Identifier: MIT
// Start-up: the drawing surface and its pixel format, the OpenGL context, then the map list, the best
// times and the font, each failure with its messages; last the GL state that never changes.
#include "app/startup.h"

#include "app/set_choice.h"
#include "level/map_list.h"
#include "platform/draw.h"
#include "platform/platform.h"
#include "scores/high_scores.h"
#include "scores/level_records.h"
#include "screen/font.h"
#include "screen/font_loader.h"

namespace {

// The system's error text goes in a box without an owner, as the system reports it.
bool setupPixelFormat()
{
    switch (platform::setupPixelFormat()) {
    case platform::PixelFormatResult::Ok:
        return true;
    case platform::PixelFormatResult::NoMatch:
        platform::messageBox(platform::lastErrorText(), "ChoosePixelFormat failed GetLastError", false);
        return false;
    case platform::PixelFormatResult::NeedsPalette:
        platform::messageBox("Needs palette", "Error", false);
        return false;
    case platform::PixelFormatResult::SetFailed:
        platform::messageBox(platform::lastErrorText(), "GetLastError", false);
        platform::messageBox("SetPixelFormat failed", "Error", false);
        return false;
    }
    return false;
}

} // namespace

bool startup()
{
    if (!setupPixelFormat())
        platform::postQuit(StartupFailedExitCode);

    // Without a context nothing can be drawn or uploaded: report it rather than run a blind game.
    if (!platform::createGlContext()) {
        platform::messageBox("could not create the OpenGL context", "Error", true);
        return false;
    }
    // Depth is cleared to 0 and compared with greater-or-equal against 1 / camera depth.
    draw::startContext();

    if (!loadMapList()) {
        platform::messageBox("could not initialize map data", "Error", true);
        return false;
    }
    if (!readHighScores()) {
        platform::messageBox("could not initialize high score data", "Error", false);
        return false;
    }
    // Records and par are additions: without them the game plays on, with no ghost and no medal.
    readLevelRecords();
    readParTable();
    enterChosenSet();
    if (!loadFont(TheFont, "font", "font.dat")) {
        platform::messageBox("could not initialize fonts", "Error", true);
        return false;
    }
    return true;
}
