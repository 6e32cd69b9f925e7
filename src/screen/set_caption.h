// SPDX-License-Identifier: MIT
// The level set's caption on the title: its name and description over the picture's lower band, shown
// while a set other than the first is chosen and for two seconds after any change of set.
#pragma once

#include <cstdint>

// Notes a change of set now, so the caption shows for the next two seconds.
void noteSetChosen();

// Whether the caption is due at counter value `now`.
bool setCaptionShown(uint64_t now);

void drawSetCaption();
