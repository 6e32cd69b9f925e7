// Definitions of the round's clock state and the run's booked times, with their program-start values.
// Which code writes each one is said where it is declared (round_clock.h).
#include "sim/round_clock.h"

std::vector<float> LevelTimes;
int32_t LevelNumber = -1;
float RoundClock = 0.0f;
float FreezeTimer = 0.0f;
float LevelEndTime = TimeUpEndTime;
bool LevelFinished = true;

void resetRoundClock()
{
    LevelTimes.clear();
    LevelNumber = -1;
    RoundClock = 0.0f;
    FreezeTimer = 0.0f;
    LevelEndTime = TimeUpEndTime;
    LevelFinished = true;
}
