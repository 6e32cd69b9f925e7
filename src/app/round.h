// The tick (clock, marble, camera, frame, end of round, cues) and the level start.
#pragma once

void tick();
void startLevel();
