// SPDX-License-Identifier: MIT
// Drawing the controls page (its state lives in controls/controls_page.h) and the title's hint to it.
#pragma once

#include <cstdint>
#include <string>

void drawControlsPage();
// The title's hint to the page, "F8 or pad:back: controls" with the keys bound; empty with none bound.
std::string controlsHintText();
// Composes the hint, small, into the title picture's lower right (RGB, rows bottom-up, 640 x 480
// virtual units to the pixel).
void composeControlsHint(uint8_t* rgb, int width, int height, const std::string& hint);
