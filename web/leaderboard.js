// SPDX-License-Identifier: MIT
// The page's world-records panel, shown only when the page's own origin answers the leaderboard's API.
// On the title it lists every level's best three and the whole game's top ten; while a level rolls (or
// is watched), that level's top ten. Each row's replay can be watched through the page's open-file path.
// A name is claimed once, its token kept beside the records in IndexedDB, and every level record and
// named run the game saves is sent in the background. Every answer is bounded and checked; a failure
// hides the panel (at load) or is one line in it, never the page's start-up message.
'use strict';
(() => {
  const panel = document.getElementById('leaderboard');
  if (!panel || !/^https?:$/.test(location.protocol) || typeof fetch !== 'function' || typeof Module !== 'object')
    return;

  const Api = '/api/v1';
  const PackFolder = '/usr/share/games/roliquo/';
  const TokensPath = '/records/roliquo/tokens';
  // Where the game keeps each level's record replay and its named runs' replays.
  const SentFolders = ['/records/roliquo/records', '/records/roliquo/replays'];
  const MostLevels = 64, MostAnswer = 1 << 20, MostReplay = 8 << 20, MostLine = 160;
  const WaitMs = 10000, VerdictPolls = 90, LeaveLevelMs = 2000;
  const playerName = /^[A-Za-z0-9_-]{3,16}$/;
  // The page watches an opened replay (index.html's `watching`): the panel follows its levels.
  const watchingReplay = typeof watching !== 'undefined' && watching === true;
  const hex64 = /^[0-9a-f]{64}$/;

  const board = {
    levels: null,    // the server's levels, checked
    overview: null,  // { levels: [[level, rows]], game: rows }
    shown: null,     // { level, rows } while a level is in play
    player: null,
    token: null,
    filesReady: false,
    said: '',        // the one line of news or failure
    claiming: false,
    openedMap: null, // the pack path of the map the game opened last
    inPlay: null,    // the level (from board.levels) the panel follows, or null on the title
    rolling: false,
    leaving: 0,
    asked: 0,        // the latest view asked for; older answers are dropped
    seen: new Map(), // replay path -> mtime, as last looked at
    unsent: [],      // replay texts waiting for a token
  };

  const quiet = () => {};
  const clip = (text) => String(text).replace(/[\u0000-\u001f\u007f]/g, ' ').slice(0, MostLine);
  function say(text) {
    board.said = clip(text);
    draw();
  }

  // The body, read as it comes and cut off past `most` bytes.
  async function bodyOf(response, most) {
    const length = Number(response.headers.get('Content-Length'));
    if (length > most) throw new Error('the answer is too long');
    if (!response.body || !response.body.getReader) {
      const bytes = new Uint8Array(await response.arrayBuffer());
      if (bytes.length > most) throw new Error('the answer is too long');
      return bytes;
    }
    const reader = response.body.getReader();
    const parts = [];
    let size = 0;
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      size += value.length;
      if (size > most) {
        reader.cancel().catch(quiet);
        throw new Error('the answer is too long');
      }
      parts.push(value);
    }
    const bytes = new Uint8Array(size);
    let at = 0;
    for (const p of parts) { bytes.set(p, at); at += p.length; }
    return bytes;
  }

  // One request to the page's own origin: { status, bytes, json } (json null when the body is none).
  async function ask(path, init = {}, most = MostAnswer) {
    const stop = new AbortController();
    const timer = setTimeout(() => stop.abort(), WaitMs);
    try {
      const response = await fetch(path, { ...init, signal: stop.signal, cache: 'no-store', credentials: 'omit',
                                           redirect: 'error' });
      const bytes = await bodyOf(response, most);
      let json = null;
      if (/json/.test(response.headers.get('Content-Type') || ''))
        try { json = JSON.parse(new TextDecoder().decode(bytes)); } catch (e) { json = null; }
      return { status: response.status, bytes, json };
    } finally {
      clearTimeout(timer);
    }
  }
  const errorOf = (answer) => answer.json && typeof answer.json.error === 'string' ? clip(answer.json.error)
                                                                                 : 'the server answered ' + answer.status;

  // Levels and rows as the server sends them, with anything unexpected left out.
  function checkedLevels(list) {
    if (!Array.isArray(list)) return null;
    const text = (v, most) => typeof v === 'string' && v.length > 0 && v.length <= most;
    return list.filter((l) => l && hex64.test(l.sha256) && text(l.name, 128) && text(l.set, 64) &&
                              (l.title === null || l.title === undefined || text(l.title, 128)))
      .slice(0, MostLevels)
      .map((l) => ({ sha256: l.sha256, name: l.name, set: l.set, label: l.title || l.name.replace(/\.map$/, ''),
                     par: Number.isFinite(l.par) ? l.par : null }));
  }
  function checkedRows(answer, most) {
    const runs = answer.status === 200 && answer.json && Array.isArray(answer.json.runs) ? answer.json.runs : [];
    return runs.filter((r) => r && Number.isSafeInteger(r.rank) && r.rank > 0 && playerName.test(r.player) &&
                              Number.isFinite(r.time) && r.time >= 0 && Number.isSafeInteger(r.id) && r.id > 0)
      .slice(0, most);
  }
  const top = (kind, key, most) => ask(`${Api}/${kind}/${encodeURIComponent(key)}/top?limit=${most}`)
    .then((a) => checkedRows(a, most)).catch(() => []);

  // What the panel shows: the title's overview, or the level in play. A view asked for later wins.
  async function refresh() {
    if (!board.levels) return;
    const asked = ++board.asked;
    const level = board.inPlay;
    if (level) {
      const rows = await top('levels', level.sha256, 10);
      if (asked === board.asked) board.shown = { level, rows };
    } else {
      const [levels, game] = await Promise.all([
        Promise.all(board.levels.map((l) => top('levels', l.sha256, 3).then((rows) => [l, rows]))),
        top('sets', 'main', 10)]);
      if (asked === board.asked) { board.overview = { levels, game }; board.shown = null; }
    }
    if (asked === board.asked) draw();
  }

  // Watching a run, or racing it as the ghost: its replay goes through the page's open-file path, as a
  // file from the disk does, and the page starts again on it (--replay, or a game with --ghost).
  async function take(row, how) {
    if (!board.filesReady || typeof openFiles !== 'function') return say('The game is still loading.');
    const answer = await ask(`${Api}/runs/${row.id}/replay`, {}, MostReplay);
    if (answer.status !== 200) return say(`Could not fetch ${row.player}'s run: ${errorOf(answer)}`);
    await openFiles([new File([answer.bytes], `world-${row.id}.replay`)], how);
  }

  function element(tag, text, className) {
    const e = document.createElement(tag);
    if (text !== undefined) e.textContent = text;
    if (className) e.className = className;
    return e;
  }
  function rowsTable(rows) {
    if (rows.length === 0) return element('p', 'No runs yet.', 'none');
    const table = element('table');
    for (const row of rows) {
      const tr = table.insertRow();
      tr.append(element('td', row.rank + '.'), element('td', row.player, 'player'),
                element('td', row.time.toFixed(2), 'time'));
      const cell = element('td');
      for (const [label, how] of [['Watch', 'open'], ['Race', 'race']]) {
        const button = element('button', label);
        button.title = `${label} ${row.player}'s run`;
        button.onclick = () => take(row, how).catch((e) => say(`Could not ${label.toLowerCase()} the run: ` + (e.message || e)));
        cell.append(button);
      }
      tr.append(cell);
    }
    return table;
  }

  function claimForm() {
    const form = element('form');
    const input = element('input');
    Object.assign(input, { id: 'board-name', maxLength: 16, placeholder: 'your name', autocomplete: 'off',
                           spellcheck: false, title: '3 to 16 letters, digits, _ or -' });
    const button = element('button', 'Claim');
    button.type = 'submit';
    button.disabled = board.claiming;
    form.append(element('label', 'Send your records as '), input, button);
    form.onsubmit = (e) => {
      e.preventDefault();
      claim(input.value.trim()).catch((error) => { board.claiming = false; say('Could not claim the name: ' + (error.message || error)); });
    };
    return form;
  }

  function draw() {
    const parts = [element('h2', 'World records')];
    if (board.player) parts.push(element('p', 'Playing as ' + board.player, 'me'));
    else if (board.filesReady) parts.push(claimForm());
    if (board.said) parts.push(element('p', board.said, 'said'));
    if (board.shown) {
      parts.push(element('h3', board.shown.level.label), rowsTable(board.shown.rows));
    } else if (board.overview) {
      parts.push(element('h3', 'Whole game'), rowsTable(board.overview.game));
      for (const [level, rows] of board.overview.levels) parts.push(element('h3', level.label), rowsTable(rows));
    }
    const typing = document.activeElement && document.activeElement.id === 'board-name' ? document.activeElement.value : null;
    panel.replaceChildren(...parts);
    if (typing !== null && document.getElementById('board-name')) {
      document.getElementById('board-name').value = typing;
      document.getElementById('board-name').focus();
    }
  }

  // The tokens file, as the desktop keeps its own: "SERVER PLAYER TOKEN" a line, only this origin's used.
  function readTokens() {
    try {
      if (!FS.analyzePath(TokensPath).exists || FS.stat(TokensPath).size > 65536) return [];
      return FS.readFile(TokensPath, { encoding: 'utf8' }).split('\n').map((l) => l.trim().split(/\s+/))
        .filter((f) => f.length === 3 && f[0].length <= 256 && playerName.test(f[1]) && hex64.test(f[2]));
    } catch (e) {
      return [];
    }
  }
  function keepToken(player, token) {
    const lines = readTokens().filter((f) => f[0] !== location.origin).slice(-255);
    if (token) lines.push([location.origin, player, token]);
    FS.mkdirTree('/records/roliquo');
    FS.writeFile(TokensPath, lines.map((f) => f.join(' ') + '\n').join(''));
    Module.writeOutRecords();
  }

  async function claim(name) {
    if (!playerName.test(name)) return say('A name is 3 to 16 letters, digits, _ or -.');
    board.claiming = true;
    draw();
    const answer = await ask(`${Api}/players`, { method: 'POST', headers: { 'Content-Type': 'application/json' },
                                                 body: JSON.stringify({ name }) });
    board.claiming = false;
    if (answer.status === 409) return say(`The name ${name} is taken.`);
    const got = answer.json || {};
    if (answer.status !== 201 || !playerName.test(got.name) || !hex64.test(got.token))
      return say('Could not claim the name: ' + errorOf(answer));
    keepToken(got.name, got.token);
    board.player = got.name;
    board.token = got.token;
    say('');
    document.getElementById('canvas').focus();
    for (const text of board.unsent.splice(0)) send(text).catch((e) => say('Could not send a run: ' + (e.message || e)));
  }

  // A replay sent, then its verdict awaited; an accepted run shows on the board.
  async function send(text) {
    if (!board.token) {
      if (board.unsent.length < 16) board.unsent.push(text);
      return;
    }
    const level = (/^#@ level (\S+)/m.exec(text) || [])[1] || 'a level';
    const answer = await ask(`${Api}/runs`, { method: 'POST', body: text,
      headers: { 'Authorization': 'Bearer ' + board.token, 'Content-Type': 'application/octet-stream' } });
    if (answer.status === 401) {
      board.player = board.token = null;
      keepToken(null, null);
      return say('The server no longer knows your name: claim one again.');
    }
    if (answer.status !== 202 || !answer.json || !Number.isSafeInteger(answer.json.id))
      return say(`Could not send your run on ${level}: ${errorOf(answer)}`);
    for (let i = 0; i < VerdictPolls; ++i) {
      await new Promise((r) => setTimeout(r, 1000));
      const run = await ask(`${Api}/runs/${answer.json.id}`).catch(() => null);
      const state = run && run.json ? run.json.state : null;
      if (state === 'accepted') return refresh();
      if (state === 'rejected') {
        const why = run.json.verdict && typeof run.json.verdict.reason === 'string' ? run.json.verdict.reason : '';
        return say(`Your run on ${level} was not accepted${why ? ': ' + why : ''}.`);
      }
    }
  }

  // The replays the game has saved since last looked at (a record replaced keeps its name, not its time).
  function newReplays() {
    const found = [];
    for (const folder of SentFolders) {
      let names = [];
      try { names = FS.readdir(folder).filter((n) => n.endsWith('.replay')); } catch (e) { continue; }
      for (const n of names.slice(0, 1024)) {
        const file = folder + '/' + n;
        try {
          const stat = FS.stat(file);
          const when = stat.mtime.getTime();
          if (board.seen.get(file) !== when && stat.size <= MostReplay) found.push(file);
          board.seen.set(file, when);
        } catch (e) { /* gone meanwhile */ }
      }
    }
    return found;
  }

  // The level of a map the game opened: the server's level with the same bytes (or, where the page
  // cannot hash, the same name).
  async function levelOf(path) {
    if (!board.levels || !path) return null;
    const name = path.slice(PackFolder.length);
    if (!(crypto && crypto.subtle)) return board.levels.find((l) => l.name === name) || null;
    let bytes;
    board.readingMap = true;
    try { bytes = FS.readFile(path); } finally { board.readingMap = false; }
    const digest = new Uint8Array(await crypto.subtle.digest('SHA-256', bytes));
    const sha = Array.from(digest, (b) => b.toString(16).padStart(2, '0')).join('');
    return board.levels.find((l) => l.sha256 === sha) || null;
  }
  async function follow(inPlay, always) {
    const level = inPlay ? await levelOf(board.openedMap) : null;
    if (level === board.inPlay && !always) return;
    board.inPlay = level;
    await refresh();
  }

  // The map the game opens at a level start tells which level is in play.
  Module.preRun = Module.preRun || [];
  Module.preRun.push(() => {
    const open = FS.open;
    FS.open = function (path, flags) {
      const stream = open.apply(this, arguments);
      try {
        // The game opens its files by relative paths: the stream knows the whole one.
        const whole = stream && typeof stream.path === 'string' ? stream.path : String(path);
        const reading = typeof flags === 'string' ? flags === 'r' : (flags & 3) === 0;
        if (!board.readingMap && reading && whole.startsWith(PackFolder) && whole.endsWith('.map')) {
          board.openedMap = whole;
          if (watchingReplay) setTimeout(() => follow(true).catch(quiet), 0);
        }
      } catch (e) { /* the game's file must open whatever the panel makes of it */ }
      return stream;
    };
  });
  Module.roundRolling = (rolling) => {
    board.rolling = rolling;
    clearTimeout(board.leaving);
    if (rolling) follow(true).catch(quiet);
    else if (!watchingReplay) board.leaving = setTimeout(() => { if (!board.rolling) follow(false).catch(quiet); }, LeaveLevelMs);
  };
  const kept = Module.recordsKept;
  Module.recordsKept = function () {
    if (typeof kept === 'function') kept.apply(this, arguments);
    if (!board.filesReady) return;
    try {
      const found = newReplays();
      // Nothing is sent where no leaderboard answered.
      if (!board.levels) return;
      for (const file of found)
        send(FS.readFile(file, { encoding: 'utf8' })).catch((e) => say('Could not send a run: ' + (e.message || e)));
    } catch (e) { say('Could not send a run: ' + (e.message || e)); }
  };
  Module.postRun = Module.postRun || [];
  Module.postRun.push(() => {
    try {
      newReplays(); // what was saved before this visit is not news
      const mine = readTokens().find((f) => f[0] === location.origin);
      if (mine) [, board.player, board.token] = mine;
      board.filesReady = true;
      if (board.levels) draw();
    } catch (e) { /* no records: the panel shows the boards only */ }
  });

  // Keys typed into the name field are the field's: the game listens on the whole window before anything
  // else would (and keeps every key), so they are stopped on their way to it (this listener comes first).
  for (const type of ['keydown', 'keyup', 'keypress'])
    window.addEventListener(type, (e) => { if (e.target && e.target.id === 'board-name') e.stopImmediatePropagation(); }, true);

  // The probe: the levels list, or no panel at all.
  ask(`${Api}/levels`).then((answer) => {
    const levels = answer.status === 200 ? checkedLevels(answer.json) : null;
    if (!levels) return;
    board.levels = levels;
    panel.hidden = false;
    document.body.classList.add('boarded');
    draw();
    // A level may be in play already (a watched replay starts on its own).
    return follow(board.openedMap !== null && (watchingReplay || board.rolling), true);
  }).catch(quiet);
})();
