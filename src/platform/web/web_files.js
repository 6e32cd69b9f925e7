// SPDX-License-Identifier: MIT
// Before the game starts: the records folder mounted on IndexedDB and read back, and the file system laid
// out as an installed game's (the executable in /usr/games, the pack in /usr/share/games/roliquo, the
// records under $XDG_DATA_HOME, the settings under $XDG_CONFIG_HOME inside it), so the game finds both as it does on the desktop. Files the player
// opened on the page (kept in Module.openedFolder) are laid over the pack on the visit that starts on them.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdirTree('/usr/games');
  FS.writeFile('/usr/games/roliquo', '');
  FS.mkdirTree('/proc/self');
  FS.symlink('/usr/games/roliquo', '/proc/self/exe');
  ENV.XDG_DATA_HOME = '/records';
  // The settings (the ghost, the level set) are kept with the records, so they outlive the visit.
  ENV.XDG_CONFIG_HOME = '/records/config';
  FS.mkdir('/records');
  FS.mount(IDBFS, {}, '/records');
  Module.records = { syncing: true, again: false, waiting: [] };
  addRunDependency('records');
  FS.syncfs(true, function (error) {
    Module.records.syncing = false;
    if (error)
      console.error('Roliquo: the records kept in this browser could not be read:', error);
    removeRunDependency('records');
  });
});

// Writes the records out to IndexedDB, one write-out at a time: a call during one is served by another
// right after it. `then` (optional) runs once a write-out begun after the call has ended.
Module.writeOutRecords = function (then) {
  const records = Module.records;
  if (!records)
    return;
  if (then)
    records.waiting.push(then);
  if (records.syncing) {
    records.again = true;
    return;
  }
  records.syncing = true;
  records.again = false;
  const done = records.waiting;
  records.waiting = [];
  FS.syncfs(false, function (error) {
    records.syncing = false;
    if (error)
      console.error('Roliquo: the records could not be kept in this browser:', error);
    for (const then of done)
      then(error);
    if (records.again)
      Module.writeOutRecords();
    else if (typeof Module.recordsKept === 'function')
      Module.recordsKept();
  });
};

// Where the page keeps the files the player opened (inside the IndexedDB mount, so they outlive the
// page's reload onto them).
Module.openedFolder = '/records/opened';

// Once the pack is in place and before the game's main: the opened files join it, on a visit that
// starts on them (the page sets Module.openedFiles); a plain visit plays the pack as shipped.
Module.onRuntimeInitialized = function () {
  if (!Module.openedFiles)
    return;
  const opened = Module.openedFolder;
  let names = [];
  try { names = FS.readdir(opened).filter((n) => n !== '.' && n !== '..'); } catch (e) { return; }
  for (const name of names)
    FS.writeFile('/usr/share/games/roliquo/' + name, FS.readFile(opened + '/' + name));
};
