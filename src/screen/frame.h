// Frame composition: draws one complete frame for the current GameState and presents it; also the
// level banner, name typing and the frame and triangle counting.
#pragma once

void composeFrame();

// Forgets the loaded pictures and the banner (tests and tools that run several games in one process).
void resetFrameState();
