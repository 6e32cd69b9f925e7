// SPDX-License-Identifier: MIT
// How the SDL backend shows the game's 640 x 480 virtual screen in a window of any size: the first
// size, the letterboxed viewport at the surface's real resolution, fullscreen and the synced swap.
#include <GL/gl.h>
#include <SDL.h>

#include "platform/letterbox.h"
#include "platform/platform.h"
#include "platform/sdl/sdl_internal.h"

namespace {

bool isFullscreen()
{
    return (SDL_GetWindowFlags(Sdl.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN_DESKTOP;
}

} // namespace

void firstWindowSize(int& width, int& height)
{
    width = 640;
    height = 480;
    SDL_Rect usable;
    if (SDL_GetDisplayUsableBounds(0, &usable) != 0)
        return;
    const platform::WindowPlacement& asked = Sdl.requestedPlacement;
    if (asked.width >= 160 && asked.height >= 120 && asked.width <= usable.w && asked.height <= usable.h) {
        width = asked.width;
        height = asked.height;
        return;
    }
    int scale = 1;
    while (640 * (scale + 1) * 5 <= usable.w * 4 && 480 * (scale + 1) * 5 <= usable.h * 4)
        ++scale;
    width = 640 * scale;
    height = 480 * scale;
}

void applyRequestedPlacement()
{
    SDL_GetWindowSize(Sdl.window, &Sdl.windowedWidth, &Sdl.windowedHeight);
    if (Sdl.requestedPlacement.fullscreen && SDL_SetWindowFullscreen(Sdl.window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0)
        SDL_ShowCursor(SDL_DISABLE);
}

void noteWindowedSize()
{
    if (Sdl.window != nullptr && !isFullscreen())
        SDL_GetWindowSize(Sdl.window, &Sdl.windowedWidth, &Sdl.windowedHeight);
}

void fitViewport()
{
    if (Sdl.context == nullptr || Sdl.displayLost)
        return;
    int w = 0, h = 0;
    SDL_GL_GetDrawableSize(Sdl.window, &w, &h);
    if (w == Sdl.drawableWidth && h == Sdl.drawableHeight)
        return;
    Sdl.drawableWidth = w;
    Sdl.drawableHeight = h;
    platform::ScreenRect r = letterboxRect(w, h);
    glViewport(r.x, r.y, r.width, r.height);
}

bool isFullscreenChord(const SDL_KeyboardEvent& key)
{
    bool enter = key.keysym.sym == SDLK_RETURN || key.keysym.sym == SDLK_KP_ENTER;
    return enter && (key.keysym.mod & KMOD_ALT) != 0;
}

void presentToWindow()
{
    if (Sdl.context == nullptr || Sdl.displayLost)
        return;
    paintLetterboxBars(Sdl.drawableWidth, Sdl.drawableHeight, letterboxRect(Sdl.drawableWidth, Sdl.drawableHeight));
    SDL_GL_SwapWindow(Sdl.window);
}

void waitForDisplayOnSwap()
{
    if (SDL_GL_SetSwapInterval(-1) != 0)
        SDL_GL_SetSwapInterval(1);
}

namespace platform {

void requestWindowPlacement(const WindowPlacement& placement)
{
    Sdl.requestedPlacement = placement;
}

WindowPlacement windowPlacement()
{
    if (Sdl.window == nullptr)
        return Sdl.requestedPlacement;
    return WindowPlacement{Sdl.windowedWidth, Sdl.windowedHeight, isFullscreen()};
}

void toggleFullscreen()
{
    if (Sdl.window == nullptr)
        return;
    bool full = isFullscreen();
    if (SDL_SetWindowFullscreen(Sdl.window, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP) != 0)
        return;
    SDL_ShowCursor(full ? SDL_ENABLE : SDL_DISABLE);
    fitViewport();
}

ScreenRect presentationRect()
{
    if (Sdl.drawableWidth > 0 && Sdl.drawableHeight > 0)
        return letterboxRect(Sdl.drawableWidth, Sdl.drawableHeight);
    return ScreenRect{};
}

bool isWindowVisible()
{
    if (Sdl.window == nullptr || Sdl.displayLost || displayBroken())
        return false;
    return (SDL_GetWindowFlags(Sdl.window) & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) == 0;
}

} // namespace platform
