// SPDX-License-Identifier: MIT
// Before the game starts: the records folder mounted on IndexedDB and read back, and the file system laid
// out as an installed game's (the executable in /usr/games, the pack in /usr/share/games/roliquo, the
// records under $XDG_DATA_HOME), so the game finds both as it does on the desktop.
Module.preRun = Module.preRun || [];
Module.preRun.push(function () {
  FS.mkdirTree('/usr/games');
  FS.writeFile('/usr/games/roliquo', '');
  FS.mkdirTree('/proc/self');
  FS.symlink('/usr/games/roliquo', '/proc/self/exe');
  ENV.XDG_DATA_HOME = '/records';
  FS.mkdir('/records');
  FS.mount(IDBFS, {}, '/records');
  Module.records = { syncing: true, again: false };
  addRunDependency('records');
  FS.syncfs(true, function (error) {
    Module.records.syncing = false;
    if (error)
      console.error('Roliquo: the records kept in this browser could not be read:', error);
    removeRunDependency('records');
  });
});
