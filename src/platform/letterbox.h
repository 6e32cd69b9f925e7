// SPDX-License-Identifier: MIT
// The 4:3 rectangle that shows the 640 x 480 virtual screen on a drawing surface of any size, and the
// black bars beside it. Shared by both backends; the game itself only reads presentationRect().
#pragma once

#include <GL/gl.h>

#include "platform/draw.h"
#include "platform/platform.h"

// Centred, as large as fits; the leftover pixels are split between the two bars.
inline platform::ScreenRect letterboxRect(int width, int height)
{
    platform::ScreenRect r;
    if (width <= 0 || height <= 0)
        return platform::ScreenRect{0, 0, 0, 0};
    if (static_cast<int64_t>(width) * 3 >= static_cast<int64_t>(height) * 4) {
        r.height = height;
        r.width = static_cast<int>((static_cast<int64_t>(height) * 4 + 1) / 3);
        if (r.width > width)
            r.width = width;
    } else {
        r.width = width;
        r.height = static_cast<int>((static_cast<int64_t>(width) * 3 + 2) / 4);
        if (r.height > height)
            r.height = height;
    }
    r.x = (width - r.width) / 2;
    r.y = (height - r.height) / 2;
    return r;
}

// Draws what the drawing layer still holds, then clears what lies outside `r` to black. The playing screen clears the whole surface to its fog colour,
// so the bars are painted again before every swap. Nothing is touched when `r` covers the surface.
inline void paintLetterboxBars(int width, int height, platform::ScreenRect r)
{
    // The frame is complete before the bars go round it.
    draw::flush();
    if (r.x == 0 && r.y == 0 && r.width == width && r.height == height)
        return;
    const platform::ScreenRect bars[4] = {
        {0, 0, r.x, height},
        {r.x + r.width, 0, width - r.x - r.width, height},
        {r.x, 0, r.width, r.y},
        {r.x, r.y + r.height, r.width, height - r.y - r.height},
    };
    GLfloat clear[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glEnable(GL_SCISSOR_TEST);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    for (const platform::ScreenRect& bar : bars) {
        if (bar.width <= 0 || bar.height <= 0)
            continue;
        glScissor(bar.x, bar.y, bar.width, bar.height);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    if (!scissor)
        glDisable(GL_SCISSOR_TEST);
    glClearColor(clear[0], clear[1], clear[2], clear[3]);
}
