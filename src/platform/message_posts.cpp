// SPDX-License-Identifier: MIT
// The posts every backend makes the same way, through its own postMessage: a key press and the quit.
// Compiled into each backend's library.
#include "platform/platform.h"

namespace platform {

void postKeyPress(int virtualKey)
{
    postMessage(KeyDownMessage, static_cast<uint64_t>(virtualKey));
}

void postQuit(int exitCode)
{
    postMessage(QuitMessage, static_cast<uint64_t>(static_cast<int64_t>(exitCode)));
}

} // namespace platform
