// SPDX-License-Identifier: MIT
// The canvas as the drawing surface: a WebGL 1 context on it with a depth buffer and no antialiasing, as
// the desktop asks, drawn on directly; its backing size following its size on the page
// at the screen's pixel density, and the viewport on the 4:3 letterbox rectangle, the bars painted black
// before every frame is shown.
#include <GLES2/gl2.h>
#include <emscripten/em_js.h>
#include <emscripten/html5.h>

#include "platform/letterbox.h"
#include "platform/platform.h"
#include "platform/web/web_internal.h"

namespace {

constexpr const char* Canvas = "#canvas";

// The canvas's backing store in device pixels for its size on the page.
void followPageSize()
{
    double cssWidth = 0.0, cssHeight = 0.0;
    if (emscripten_get_element_css_size(Canvas, &cssWidth, &cssHeight) != EMSCRIPTEN_RESULT_SUCCESS)
        return;
    double density = emscripten_get_device_pixel_ratio();
    int width = static_cast<int>(cssWidth * density + 0.5);
    int height = static_cast<int>(cssHeight * density + 0.5);
    if (width <= 0 || height <= 0)
        return;
    int backingWidth = 0, backingHeight = 0;
    emscripten_get_canvas_element_size(Canvas, &backingWidth, &backingHeight);
    if (width != backingWidth || height != backingHeight)
        emscripten_set_canvas_element_size(Canvas, width, height);
    Web.surfaceWidth = width;
    Web.surfaceHeight = height;
}

} // namespace

bool makeWebGlContext()
{
    if (Web.context != 0)
        return true;
    followPageSize();
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.alpha = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_FALSE;
    attributes.majorVersion = 1;
    attributes.minorVersion = 0;
    // Kept, so the page can read the last frame (a screenshot, the tests) after it was shown.
    attributes.preserveDrawingBuffer = EM_TRUE;
    // The drawing layer makes the game's clear after presenting only when the next frame draws, so the
    // canvas holds the finished frame when the browser shows it.
    attributes.depth = EM_TRUE;
    Web.context = emscripten_webgl_create_context(Canvas, &attributes);
    if (Web.context <= 0) {
        Web.context = 0;
        return false;
    }
    emscripten_webgl_make_context_current(Web.context);
    platform::ScreenRect r = letterboxRect(Web.surfaceWidth, Web.surfaceHeight);
    glViewport(r.x, r.y, r.width, r.height);
    return true;
}

void fitViewport()
{
    if (Web.context == 0)
        return;
    int oldWidth = Web.surfaceWidth, oldHeight = Web.surfaceHeight;
    followPageSize();
    if (oldWidth == Web.surfaceWidth && oldHeight == Web.surfaceHeight)
        return;
    platform::ScreenRect r = letterboxRect(Web.surfaceWidth, Web.surfaceHeight);
    glViewport(r.x, r.y, r.width, r.height);
}

void presentToCanvas()
{
    if (Web.context == 0)
        return;
    paintLetterboxBars(Web.surfaceWidth, Web.surfaceHeight, letterboxRect(Web.surfaceWidth, Web.surfaceHeight));
}

bool webGlContextMade()
{
    return Web.context != 0;
}

void dropWebGlContext()
{
    if (Web.context == 0)
        return;
    emscripten_webgl_destroy_context(Web.context);
    Web.context = 0;
}

namespace {

// The key press that asked for it is a moment ago, well inside the browser's grace for a request that
// needs a gesture; a refusal is let be, as the player can press again or use the page's button.
EM_JS(void, switchPageFullscreen, (), {
    const canvas = document.getElementById('canvas');
    const refused = () => {};
    if (document.fullscreenElement)
        document.exitFullscreen().catch(refused);
    else if (canvas && canvas.requestFullscreen)
        canvas.requestFullscreen().catch(refused);
});

} // namespace

namespace platform {

ScreenRect presentationRect()
{
    return letterboxRect(Web.surfaceWidth, Web.surfaceHeight);
}

bool isWindowVisible()
{
    EmscriptenVisibilityChangeEvent visibility;
    if (emscripten_get_visibility_status(&visibility) != EMSCRIPTEN_RESULT_SUCCESS)
        return true;
    return !visibility.hidden;
}

// The page sizes the canvas, so there is no window to place: a placement asked for is kept only to be
// told back, and the game never finds one changed.
void requestWindowPlacement(const WindowPlacement& placement)
{
    Web.askedPlacement = placement;
}

WindowPlacement windowPlacement()
{
    return Web.askedPlacement;
}

void toggleFullscreen()
{
    switchPageFullscreen();
}

} // namespace platform
