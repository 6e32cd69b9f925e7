// SPDX-License-Identifier: MIT
// The main loop: one message at a time without waiting, a tick whenever nothing is pending, so ticks
// run as fast as drawing allows and input is always handled before the next tick is posted.
#include "app/main_loop.h"

#include "app/window_proc.h"
#include "platform/platform.h"

bool runLoopPass(int& exitCode)
{
    Message message;
    if (!platform::peekMessage(message)) {
        // Only an empty queue gets a tick, so at most one is ever waiting.
        platform::postMessage(TickMessage);
        return true;
    }
    if (message.id == QuitMessage) {
        exitCode = static_cast<int>(static_cast<int64_t>(message.wParam));
        return false;
    }
    windowProc(message.id, message.wParam, message.lParam);
    return true;
}

int runMainLoop()
{
    return platform::runLoop(runLoopPass);
}
