// SPDX-License-Identifier: MIT
// The map load of the windowless programs, over the headless backend's records of message boxes.
#include "verify/map_load.h"

#include "level/board.h"
#include "level/map_loader.h"
#include "platform/headless/headless.h"
#include "sim/sim_state.h"

bool loadMapAsGame(const std::string& loadName, std::vector<std::string>& messages)
{
    // The images are read only for the loader's verdict: nothing is drawn.
    static BoardTextureImages texture;
    headless::clearRecords();
    bool ok = TheBoard.load(loadName, TheMarble, texture);
    for (const headless::MessageBoxRecord& box : headless::messageBoxes())
        messages.push_back(box.text);
    headless::clearRecords();
    return ok;
}
