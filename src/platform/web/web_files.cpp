// SPDX-License-Identifier: MIT
// The records (best times, replays) live in the browser's IndexedDB through IDBFS, mounted and read back
// before the game starts (web_files.js). Every atomic save is written out; one write-out runs at a time,
// and a save made during one is written out by another right after it (Module.writeOutRecords).
#include <emscripten.h>

#include "platform/platform.h"

namespace {

EM_JS(void, writeOutRecords, (), { Module.writeOutRecords(); });

} // namespace

namespace platform {

void filesSaved()
{
    writeOutRecords();
}

} // namespace platform
