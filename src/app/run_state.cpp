// Definitions of the shared run, round, menu and option values, with their program-start values.
// Which code writes each one is said where it is declared (run_state.h).
#include "app/run_state.h"

int32_t LevelCount = 0;
std::vector<std::string> MapNames;

float FrameSeconds = 0.0f;
int64_t LastCounterValue = 0;
int32_t NewRecordRank = -1;
int32_t NameCursor = 0;
bool GoCuePlayed = false;
bool TimeUpCuePlayed = false;

int32_t GameState = Title;
int32_t MenuItem = MenuNewGame;

bool OptionStatistics = true;
bool OptionFog = true;
bool OptionFarSight = false;
bool OptionNormal = false;
float OptionCameraLag = 6.0f;
bool OptionMidi = true;

bool MenuShown = false;
bool Paused = false;
bool HasFocus = true;
bool Halted = true;
uint8_t LastKey = 0;
int32_t FrameCount = 0;
int32_t PolygonCount = 0;
int32_t ShownFps = 0;
int32_t ShownPps = 0;

void resetRunState()
{
    LevelCount = 0;
    MapNames.clear();
    resetRoundClock();
    FrameSeconds = 0.0f;
    LastCounterValue = 0;
    NewRecordRank = -1;
    NameCursor = 0;
    GoCuePlayed = false;
    TimeUpCuePlayed = false;
    GameState = Title;
    MenuItem = MenuNewGame;
    OptionStatistics = true;
    OptionFog = true;
    OptionFarSight = false;
    OptionNormal = false;
    OptionCameraLag = 6.0f;
    OptionMidi = true;
    MenuShown = false;
    Paused = false;
    HasFocus = true;
    Halted = true;
    LastKey = 0;
    FrameCount = 0;
    PolygonCount = 0;
    ShownFps = 0;
    ShownPps = 0;
}
