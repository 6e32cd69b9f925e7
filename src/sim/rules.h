// The level rules: falling into a hole, leaving the board at a side or behind the start, and crossing
// the finish line. Run at the end of every updateMarble that is not skipped.
#pragma once

void applyLevelRules();
