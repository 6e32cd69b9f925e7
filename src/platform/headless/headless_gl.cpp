// SPDX-License-Identifier: MIT
// The headless backend's OpenGL: a Mesa context through EGL surfaceless (desktop GL or ES 2, as the linked
// drawing layer needs) drawing into a framebuffer object, and swaps that copy the frame out.
#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>
#include <GL/glext.h>

#include <cstdio>
#include <string>

#include "platform/draw.h"
#include "platform/headless/headless_state.h"
#include "platform/letterbox.h"

namespace {

constexpr int DefaultWidth = 640;
constexpr int DefaultHeight = 480;

// The EGL objects live for the whole process; the game's create/delete only toggles whether it may
// draw. A context deleted by the game is replaced by a fresh one on the next create, so every
// start-up begins with default GL state, as with a real window.
struct EglObjects {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLContext context = EGL_NO_CONTEXT;
    bool contextStale = false; // deleted by the game: make a new one before the next use
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0;
};

// The GL half's state: the EGL objects, the frame's size and the two renderbuffer calls it keeps
// (looked up with the framebuffer, see makeFramebuffer).
struct HeadlessGl {
    EglObjects egl;
    // The framebuffer's size; it outlives contexts, so a fresh one is made at the size asked for.
    int frameWidth = DefaultWidth;
    int frameHeight = DefaultHeight;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
};
HeadlessGl Gl;

// Gives both renderbuffers the current size and puts the viewport on the 4:3 rectangle, as a window's
// presentation does (the whole frame at 640 x 480).
void sizeFramebuffer()
{
    Gl.bindRenderbuffer(GL_RENDERBUFFER, Gl.egl.colour);
    Gl.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, Gl.frameWidth, Gl.frameHeight);
    Gl.bindRenderbuffer(GL_RENDERBUFFER, Gl.egl.depth);
    Gl.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, Gl.frameWidth, Gl.frameHeight);
    Gl.bindRenderbuffer(GL_RENDERBUFFER, 0);
    platform::ScreenRect r = letterboxRect(Gl.frameWidth, Gl.frameHeight);
    glViewport(r.x, r.y, r.width, r.height);
}

std::string eglErrorText(const char* what)
{
    char code[16];
    snprintf(code, sizeof code, "0x%04X", static_cast<unsigned>(eglGetError()));
    return std::string(what) + " failed (EGL error " + code + ")";
}

template <typename Fn> bool loadProc(Fn& fn, const char* name)
{
    fn = reinterpret_cast<Fn>(eglGetProcAddress(name));
    return fn != nullptr;
}

bool openDisplay()
{
    if (Gl.egl.display != EGL_NO_DISPLAY)
        return true;
    PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay = nullptr;
    if (!loadProc(getPlatformDisplay, "eglGetPlatformDisplayEXT")) {
        Headless.lastError = "eglGetPlatformDisplayEXT is not available";
        return false;
    }
    EGLDisplay display = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
    if (display == EGL_NO_DISPLAY) {
        Headless.lastError = eglErrorText("eglGetPlatformDisplayEXT(surfaceless)");
        return false;
    }
    if (!eglInitialize(display, nullptr, nullptr)) {
        Headless.lastError = eglErrorText("eglInitialize");
        return false;
    }
    Gl.egl.display = display;
    return true;
}

// An OpenGL ES 2 context where the linked drawing layer asks for one, else a desktop GL one.
bool wantsEs2()
{
    return draw::LinkedContext == draw::ContextKind::Es2;
}

// The framebuffer the game draws into; FBO calls come through eglGetProcAddress because the game
// itself needs only GL 1.1 (it blits its pictures only where the GL can). ES 2 has these calls in its
// core, and its renderbuffer formats RGBA8 and DEPTH_COMPONENT24 from OES_rgb8_rgba8 and OES_depth24,
// which Mesa's software ES offers.
bool makeFramebuffer()
{
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    if (!loadProc(genFramebuffers, "glGenFramebuffers") || !loadProc(bindFramebuffer, "glBindFramebuffer") ||
        !loadProc(genRenderbuffers, "glGenRenderbuffers") || !loadProc(Gl.bindRenderbuffer, "glBindRenderbuffer") ||
        !loadProc(Gl.renderbufferStorage, "glRenderbufferStorage") ||
        !loadProc(framebufferRenderbuffer, "glFramebufferRenderbuffer") ||
        !loadProc(checkFramebufferStatus, "glCheckFramebufferStatus")) {
        Headless.lastError = "framebuffer object entry points are missing";
        return false;
    }
    genFramebuffers(1, &Gl.egl.framebuffer);
    bindFramebuffer(GL_FRAMEBUFFER, Gl.egl.framebuffer);
    genRenderbuffers(1, &Gl.egl.colour);
    genRenderbuffers(1, &Gl.egl.depth);
    // A window's context starts with the viewport on its client area; a surfaceless one has none.
    sizeFramebuffer();
    framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, Gl.egl.colour);
    framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, Gl.egl.depth);
    if (checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        Headless.lastError = "the framebuffer is incomplete";
        return false;
    }
    if (!wantsEs2()) { // ES 2 draws and reads the one colour attachment
        glDrawBuffer(GL_COLOR_ATTACHMENT0);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    }
    return true;
}

void dropContext()
{
    eglMakeCurrent(Gl.egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(Gl.egl.display, Gl.egl.context);
    Gl.egl = EglObjects{Gl.egl.display};
}

bool makeContext()
{
    if (Gl.egl.context != EGL_NO_CONTEXT && !Gl.egl.contextStale)
        return true;
    if (!openDisplay())
        return false;
    if (Gl.egl.context != EGL_NO_CONTEXT)
        dropContext();
    const bool es2 = wantsEs2();
    if (!eglBindAPI(es2 ? EGL_OPENGL_ES_API : EGL_OPENGL_API)) {
        Headless.lastError = eglErrorText(es2 ? "eglBindAPI(OpenGL ES)" : "eglBindAPI(OpenGL)");
        return false;
    }
    const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE,
                                       es2 ? EGL_OPENGL_ES2_BIT : EGL_OPENGL_BIT,
                                       EGL_SURFACE_TYPE,
                                       0,
                                       EGL_RED_SIZE,
                                       8,
                                       EGL_GREEN_SIZE,
                                       8,
                                       EGL_BLUE_SIZE,
                                       8,
                                       EGL_ALPHA_SIZE,
                                       8,
                                       EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (!eglChooseConfig(Gl.egl.display, configAttributes, &config, 1, &configCount) || configCount < 1) {
        Headless.lastError = eglErrorText("eglChooseConfig(OpenGL)");
        return false;
    }
    const EGLint desktopAttributes[] = {EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_COMPATIBILITY_PROFILE_BIT,
                                        EGL_NONE};
    const EGLint es2Attributes[] = {EGL_CONTEXT_CLIENT_VERSION, 2, EGL_NONE};
    EGLContext context =
        eglCreateContext(Gl.egl.display, config, EGL_NO_CONTEXT, es2 ? es2Attributes : desktopAttributes);
    if (context == EGL_NO_CONTEXT) {
        Headless.lastError = eglErrorText(es2 ? "eglCreateContext(ES 2)" : "eglCreateContext(compatibility profile)");
        return false;
    }
    if (!eglMakeCurrent(Gl.egl.display, EGL_NO_SURFACE, EGL_NO_SURFACE, context)) {
        Headless.lastError = eglErrorText("eglMakeCurrent(surfaceless)");
        eglDestroyContext(Gl.egl.display, context);
        return false;
    }
    Gl.egl.context = context;
    if (!makeFramebuffer()) {
        dropContext();
        return false;
    }
    return true;
}

headless::Frame readFramebuffer()
{
    headless::Frame frame;
    frame.width = Gl.frameWidth;
    frame.height = Gl.frameHeight;
    frame.rgba.assign(static_cast<size_t>(Gl.frameWidth) * Gl.frameHeight * 4, 0);
    if (Gl.egl.context == EGL_NO_CONTEXT)
        return frame;
    if (!wantsEs2())
        glReadBuffer(GL_COLOR_ATTACHMENT0);
    draw::readPixels(0, 0, Gl.frameWidth, Gl.frameHeight, frame.rgba.data());
    return frame;
}

} // namespace

namespace platform {

bool createGlContext()
{
    if (!Headless.windowCreated) {
        Headless.lastError = "there is no window to make a context on";
        return false;
    }
    if (!makeContext())
        return false;
    Headless.glContextLive = true;
    return true;
}

void deleteGlContext()
{
    if (Headless.glContextLive)
        Gl.egl.contextStale = true;
    Headless.glContextLive = false;
}

bool hasGlContext()
{
    return Headless.glContextLive;
}

void swapBuffers()
{
    ++Headless.swaps;
    if (!Headless.glContextLive)
        return;
    paintLetterboxBars(Gl.frameWidth, Gl.frameHeight, letterboxRect(Gl.frameWidth, Gl.frameHeight));
    Headless.swapped = readFramebuffer();
}

ScreenRect presentationRect()
{
    return letterboxRect(Gl.frameWidth, Gl.frameHeight);
}

bool isWindowVisible()
{
    return !Headless.windowHidden;
}

// A requested size becomes the frame's, as a window made at that size would draw.
void requestWindowPlacement(const WindowPlacement& placement)
{
    if (placement.width >= 160 && placement.height >= 120)
        headless::setFrameSize(placement.width, placement.height);
    Headless.fullscreen = placement.fullscreen;
}

WindowPlacement windowPlacement()
{
    return WindowPlacement{Gl.frameWidth, Gl.frameHeight, Headless.fullscreen};
}

void toggleFullscreen()
{
    Headless.fullscreen = !Headless.fullscreen;
}

} // namespace platform

namespace headless {

void reset()
{
    resetHeadlessState();
    if (Gl.frameWidth != DefaultWidth || Gl.frameHeight != DefaultHeight)
        setFrameSize(DefaultWidth, DefaultHeight);
}

bool setFrameSize(int width, int height)
{
    if (width < 1 || height < 1 || width > 8192 || height > 8192)
        return false;
    Gl.frameWidth = width;
    Gl.frameHeight = height;
    if (Gl.egl.context != EGL_NO_CONTEXT && !Gl.egl.contextStale)
        sizeFramebuffer();
    return true;
}

bool ensureGlContext()
{
    if (!makeContext())
        return false;
    Headless.glContextLive = true;
    return true;
}

Frame readFrame()
{
    if (!Headless.glContextLive)
        return Frame{};
    return readFramebuffer();
}

const Frame& lastSwapped()
{
    return Headless.swapped;
}

} // namespace headless
