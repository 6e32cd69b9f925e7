// SPDX-License-Identifier: MIT
// Drawing the controls page (its state lives in controls/controls_page.h) and the title's hint to it.
#pragma once

void drawControlsPage();
// "F8 or pad:back: controls" small at the title's lower right.
void drawControlsHint();
