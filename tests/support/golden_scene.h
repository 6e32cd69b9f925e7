// SPDX-License-Identifier: MIT
// The scenes of the golden images: a hilly board of seven holes under a blue-grey fog and a yellow
// marble, the title and the best times. Used by the golden-image tests of both drawing layers.
#pragma once

namespace drawtest {

// Builds the board with its holes and fog colour, and colours the marble.
void buildHillyBoard();

// On the hilly board, the frame of the golden image "playing_fog": level 1 at 38.5 s with the banner
// faded, cleared to the fog colour.
void composePlayingWithFog();

// The frame of "playing_far_sight_menu": level 2 with fog off and far sight on, paused behind the
// options page with "Far Sight" highlighted.
void composePlayingWithFarSightAndTheOptionsMenu();

// The frame of "best_times": the table after a new record in third place, over a pattern picture
// written as back.bmp in the working folder.
void composeBestTimesAfterANewRecord();

// The frame of "title": the title pattern picture (title.bmp) alone, as a game starts. The browser
// build's test shows the same picture and compares its page with this image.
void composeTitle();

// The frame of "title_menu": the title pattern picture (title.bmp) under the main menu, "Options"
// highlighted.
void composeTitleWithTheMainMenu();

// Every row of the best-times table at 225 s by "aaa", as the golden scenes start.
void fillBestTimes();

} // namespace drawtest
