// SPDX-License-Identifier: MIT
// The records (best times, replays) live in the browser's IndexedDB through IDBFS, mounted and read back
// before the game starts (web_files.js). Every atomic save is written out; one write-out runs at a time,
// and a save made during one is written out by another right after it.
#include <emscripten.h>

#include "platform/platform.h"

namespace {

EM_JS(void, writeOutRecords, (), {
    const records = Module.records;
    if (!records)
        return;
    if (records.syncing) {
        records.again = true;
        return;
    }
    const run = () => {
        records.syncing = true;
        records.again = false;
        FS.syncfs(false, (error) => {
            records.syncing = false;
            if (error)
                console.error('Roliquo: the records could not be kept in this browser:', error);
            if (records.again)
                run();
            else if (typeof Module.recordsKept === 'function')
                Module.recordsKept();
        });
    };
    run();
});

} // namespace

namespace platform {

void filesSaved()
{
    writeOutRecords();
}

} // namespace platform
