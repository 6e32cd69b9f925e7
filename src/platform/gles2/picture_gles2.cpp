// SPDX-License-Identifier: MIT
// The drawing layer's pictures on OpenGL ES 2: a textured quad through the same program, at its own size
// by a viewport of exactly the picture's pixels, scaled by the 640 x 480 share of the current viewport.
#include "platform/gles2/gles2_state.h"

namespace {

// Stores the picture under its name the first time in this context: rows bottom-up, so texture row 0 is
// the bottom row.
void storeOnce(unsigned name, const uint8_t* rgb, int width, int height, GLint filter)
{
    // What is pending was drawn for the viewport and switches the picture is about to change.
    flushPending();
    if (hasTextureObject(name))
        return;
    bindTexture(textureObject(name));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, rgb);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}

// The quad from (-1, -1) to (right, top) with the whole texture on it, drawn as a copy: no depth test,
// blending, culling or fog, and the game's own switches put back afterwards.
void drawPictureQuad(unsigned name, float right, float top)
{
    Gles2Switches kept = Es2.switches;
    Gles2Switches copy;
    copy.textured = true;
    copy.textureName = name;
    copy.mode = draw::TextureMode::Replace;
    Es2.switches = copy;
    applySwitches(copy);
    const float corners[] = {0.0f, 0.0f, -1.0f, -1.0f, 0.0f, 1.0f, 0.0f, right, -1.0f, 0.0f,
                             1.0f, 1.0f, right, top,   0.0f, 0.0f, 0.0f, -1.0f, -1.0f, 0.0f,
                             1.0f, 1.0f, right, top,   0.0f, 0.0f, 1.0f, -1.0f, top,   0.0f};
    streamTriangles(corners, 6, 5, 2, 0, -1);
    Es2.switches = kept;
    applySwitches(kept);
}

} // namespace

namespace draw {

// The viewport becomes the picture's own rectangle, so each pixel centre samples its texel exactly.
void showPicture(unsigned name, const uint8_t* rgb, int width, int height, int x, int y)
{
    storeOnce(name, rgb, width, height, GL_NEAREST);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    glViewport(x, y, width, height);
    drawPictureQuad(name, 1.0f, 1.0f);
    glViewport(viewport[0], viewport[1], viewport[2], viewport[3]);
}

void showScaledPicture(unsigned name, const uint8_t* rgb, int width, int height)
{
    storeOnce(name, rgb, width, height, GL_LINEAR);
    drawPictureQuad(name, -1.0f + 2.0f * static_cast<float>(width) / 640.0f,
                    -1.0f + 2.0f * static_cast<float>(height) / 480.0f);
}

void forgetPicture(unsigned name)
{
    deleteTexture(name);
}

} // namespace draw
