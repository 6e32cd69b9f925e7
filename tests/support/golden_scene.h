// SPDX-License-Identifier: MIT
// The scene of the golden images of play: a hilly board of seven holes under a blue-grey fog and a
// yellow marble. Used by the golden-image tests at 640 x 480 and at other window sizes.
#pragma once

namespace drawtest {

// Builds the board with its holes and fog colour, and colours the marble.
void buildHillyBoard();

// On the hilly board, the frame of the golden image "playing_fog": level 1 at 38.5 s with the banner
// faded, cleared to the fog colour.
void composePlayingWithFog();

} // namespace drawtest
