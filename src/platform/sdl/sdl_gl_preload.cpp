// SPDX-License-Identifier: MIT
// The GL driver loaded beside SDL's start: a connection of its own to the X server asks GLX for the
// screen's driver on a second thread while SDL connects, so the window's creation finds it loaded.
#include <SDL.h>

#include <cstdlib>
#include <cstring>
#include <thread>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <GL/glx.h>
#include <X11/Xlib.h>
#endif

#include "platform/sdl/sdl_internal.h"

namespace {

#if defined(SDL_VIDEO_DRIVER_X11)
// SDL2 takes X11 first unless told otherwise; for any other video driver the preload would load a
// driver nobody uses.
bool sdlWillUseX11()
{
    const char* driver = std::getenv("SDL_VIDEODRIVER");
    if (driver != nullptr && *driver != '\0' && std::strcmp(driver, "x11") != 0)
        return false;
    const char* display = std::getenv("DISPLAY");
    return display != nullptr && *display != '\0';
}
#endif

} // namespace

// Loading a GL driver takes most of the window's creation (a software rasterizer's code generator
// alone is about 50-100 ms of a core), and SDL does it only after its own start, which waits mostly on
// the X server. Both load the same library, which stays loaded for the window once its context holds
// it; the preload's connection is closed after that.
void startGlDriverPreload()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    if (Sdl.preload.thread.joinable() || Sdl.preload.display != nullptr || !sdlWillUseX11())
        return;
    // Two threads will use Xlib at once, each on its own connection.
    if (XInitThreads() == 0)
        return;
    Sdl.preload.thread = std::thread([] {
        Display* display = XOpenDisplay(nullptr);
        if (display == nullptr)
            return;
        // Asking for the extensions makes GLX pick the screen's vendor and load its driver.
        glXQueryExtensionsString(display, DefaultScreen(display));
        Sdl.preload.display = display;
    });
#endif
}

void awaitGlDriverPreload()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    if (Sdl.preload.thread.joinable())
        Sdl.preload.thread.join();
#endif
}

void endGlDriverPreload()
{
#if defined(SDL_VIDEO_DRIVER_X11)
    awaitGlDriverPreload();
    // With the server gone, closing would only meet a dead connection; the process ends anyway.
    if (Sdl.preload.display != nullptr && !Sdl.displayLost)
        XCloseDisplay(Sdl.preload.display);
    Sdl.preload.display = nullptr;
#endif
}
