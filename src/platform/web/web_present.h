// SPDX-License-Identifier: MIT
// The offscreen frame the game draws into, and its copy onto the canvas when a frame is presented.
// Private to src/platform/web/.
#pragma once

// Makes (or resizes) the framebuffer and leaves it bound; on the current WebGL context.
void makeOffscreenFrame(int width, int height);
// Copies the finished frame onto the canvas, leaving the GL as the drawing layer had it.
void copyOffscreenToCanvas();
