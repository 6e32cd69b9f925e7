// SPDX-License-Identifier: MIT
// The page's world-records panel against a real leaderboard: roliquo-server over the throw-away
// PostgreSQL cluster of pg_virtualenv, serving the browser build beside its API. On the full pack, a
// par route sent through the API is listed on the panel and watched to its end from it. On the
// one-level pack (a second database), a name is claimed in the page (a taken one refused), the level is
// finished in the page, and its record reaches the board as sent: its replay, fetched back, verifies
// with the desktop level tool at the booked time.
// Usage (under pg_virtualenv): node board_test.js SERVER PACK SITE ONE_LEVEL_PACK ONE_LEVEL_SITE LEVEL_TOOL
'use strict';
const fs = require('fs');
const path = require('path');
const os = require('os');
const crypto = require('crypto');
const { spawn, execFileSync } = require('child_process');
const { launchChromium, loaded } = require('./chromium');

const [serverTool, pack, site, oneLevelPack, oneLevelSite, levelTool] = process.argv.slice(2);
// The canvas keeps its 640 x 480 beside the panel's 16em (of 14 px).
const Viewport = { width: 640 + 16 * 14, height: 522 };
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures += 1;
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

function database(name) {
  const e = process.env;
  return `postgresql://${e.PGUSER}:${encodeURIComponent(e.PGPASSWORD || '')}@${e.PGHOST}:${e.PGPORT || 5432}/${name}`;
}

// The server on a free loopback port; resolves once its listening line names the port.
function startServer(data, web, db) {
  const child = spawn(serverTool, ['--db', db, '--pack', data, '--listen', '127.0.0.1:0', '--web', web, '--workers', '1'],
                      { stdio: ['ignore', 'ignore', 'pipe'] });
  const said = [];
  return new Promise((resolve, reject) => {
    child.stderr.setEncoding('utf8');
    child.stderr.on('data', (text) => {
      said.push(text);
      const m = /listening on (127\.0\.0\.1:\d+)/.exec(said.join(''));
      if (m) resolve({ url: `http://${m[1]}`, child, said });
    });
    child.on('exit', (code) => reject(new Error(`roliquo-server ended (${code}): ${said.join('')}`)));
  });
}
function stopServer(server) {
  return new Promise((resolve) => {
    if (server.child.exitCode !== null) return resolve();
    server.child.removeAllListeners('exit');
    server.child.on('exit', resolve);
    server.child.kill('SIGTERM');
  });
}

async function api(server, route, init = {}) {
  const response = await fetch(server.url + route, init);
  const type = response.headers.get('Content-Type') || '';
  return { status: response.status, body: type.includes('json') ? await response.json() : await response.text() };
}
async function poll(what, ms) {
  for (const end = Date.now() + ms; Date.now() < end; await sleep(500)) {
    const got = await what().catch(() => null);
    if (got) return got;
  }
  return null;
}
const sha256 = (file) => crypto.createHash('sha256').update(fs.readFileSync(file)).digest('hex');

// The canvas's share of pixels within 8 of the pack's title picture (a 24-bit bottom-up BMP).
async function titleShare(page, data) {
  const b = fs.readFileSync(path.join(data, 'title.bmp'));
  const offset = b.readUInt32LE(10), width = b.readInt32LE(18), height = b.readInt32LE(22);
  const shown = await page.evaluate(() => {
    const gl = document.getElementById('canvas');
    const copy = document.createElement('canvas');
    copy.width = gl.width; copy.height = gl.height;
    const c = copy.getContext('2d');
    c.drawImage(gl, 0, 0);
    return { width: copy.width, height: copy.height, data: Array.from(c.getImageData(0, 0, copy.width, copy.height).data) };
  });
  if (shown.width !== width || shown.height !== height) return 0;
  const stride = Math.ceil((width * 3) / 4) * 4;
  let like = 0;
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      const from = offset + (height - 1 - y) * stride + x * 3, at = (y * width + x) * 4;
      if (Math.abs(shown.data[at] - b[from + 2]) <= 8 && Math.abs(shown.data[at + 1] - b[from + 1]) <= 8 &&
          Math.abs(shown.data[at + 2] - b[from]) <= 8) like += 1;
    }
  return like / (width * height);
}

const panelText = (page) => page.evaluate(() => document.getElementById('leaderboard').innerText);
const headings = (page) => page.evaluate(() => Array.from(document.querySelectorAll('#leaderboard h3'), (h) => h.textContent));
async function panelSays(page, pattern, ms) {
  await page.waitForFunction((p) => new RegExp(p).test(document.getElementById('leaderboard').innerText),
                             pattern.source, { timeout: ms }).catch(() => {});
  return pattern.test(await panelText(page));
}

// The full pack: a par route sent by the API is on the panel, and its Watch plays it in the viewer.
async function parRouteWatched(browser) {
  const server = await startServer(pack, site, database(process.env.PGDATABASE));
  try {
    const first = fs.readFileSync(path.join(pack, 'maplist.dat'), 'utf8').split(/\r?\n/)[1].trim();
    const route = fs.readdirSync(path.join(pack, 'par')).find((n) => n.startsWith(first + '-') && n.endsWith('.replay'));
    const player = await api(server, '/api/v1/players', { method: 'POST', body: JSON.stringify({ name: 'par_route' }) });
    const sent = await api(server, '/api/v1/runs', { method: 'POST', body: fs.readFileSync(path.join(pack, 'par', route)),
                                                    headers: { Authorization: `Bearer ${player.body.token}` } });
    const run = await poll(async () => {
      const r = await api(server, `/api/v1/runs/${sent.body.id}`);
      return r.body.state === 'accepted' || r.body.state === 'rejected' ? r.body : null;
    }, 30000);
    check(run && run.state === 'accepted', `the par route ${route} sent through the API is accepted (${run && run.state})`);

    const context = await browser.newContext({ viewport: Viewport });
    const page = await context.newPage();
    const errors = [], said = [];
    page.on('pageerror', (e) => errors.push(e.message));
    page.on('console', (m) => said.push(m.text()));
    await page.goto(server.url + '/');
    await loaded(page);
    const label = first.replace(/\.map$/, '');
    const listed = await panelSays(page, new RegExp(`${label}[^]*par_route`), 10000);
    const size = await page.evaluate(() => [document.getElementById('canvas').width, document.getElementById('canvas').height]);
    check(listed && await page.locator('#board-name').isVisible() && size.join() === '640,480',
          `served by the leaderboard, the panel lists ${label} with par_route and offers a name, beside a ${size.join(' x ')} canvas`);

    await Promise.all([page.waitForURL(/open=world-/), page.locator('#leaderboard button', { hasText: 'Watch' }).first().click()]);
    await loaded(page);
    await page.waitForTimeout(4000);
    const share = await titleShare(page, pack);
    const controls = await page.evaluate(() => document.getElementById('controls').textContent);
    check(share < 0.3 && /^Watching world-\d+\.replay/.test(controls),
          `Watch plays the run in the viewer (${(100 * share).toFixed(1)} % of the title left; "${controls.slice(0, 32)}")`);
    check(await panelSays(page, /par_route/, 5000) && (await headings(page)).join() === label,
          `while it is watched the panel shows its level's board (${(await headings(page)).join(', ')})`);
    await page.waitForFunction(() => document.getElementById('message').style.display === 'block', null, { timeout: 60000 })
      .catch(() => {});
    const ended = await page.evaluate(() => document.getElementById('text').textContent);
    check(ended.startsWith('The replay has ended.') && !/departs/.test(said.join('\n')) && errors.length === 0,
          `the watched run plays to its end as recorded ("${ended}"; ${errors.join('; ')})`);

    // Race: a whole game starts with the run as its ghost, and its first level is played beside it.
    await page.goto(server.url + '/');
    await loaded(page);
    await panelSays(page, /par_route/, 10000);
    said.length = 0;
    await Promise.all([page.waitForURL(/race=world-/), page.locator('#leaderboard button', { hasText: 'Race' }).first().click()]);
    await loaded(page);
    await page.keyboard.press('Escape');
    await page.waitForTimeout(300);
    await page.keyboard.press('Enter');
    await page.waitForTimeout(3000);
    const racing = await page.evaluate(() => [document.getElementById('controls').textContent,
                                              document.getElementById('message').style.display]);
    check(/^Racing world-\d+\.replay/.test(racing[0]) && racing[1] !== 'block' && !/ghost/i.test(said.join('\n')) &&
          errors.length === 0, `Race starts a game with the run as its ghost ("${racing[0].slice(0, 30)}"; ${said.join(' ')})`);
    await context.close();
  } finally {
    await stopServer(server);
  }
}

// The one-level pack: a name claimed in the page, the level finished there, its record on the board.
async function recordSent(browser) {
  execFileSync('createdb', ['roliquo_one']);
  const server = await startServer(oneLevelPack, oneLevelSite, database('roliquo_one'));
  try {
    await api(server, '/api/v1/players', { method: 'POST', body: JSON.stringify({ name: 'taken_name' }) });
    const context = await browser.newContext({ viewport: Viewport });
    const page = await context.newPage();
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(server.url + '/');
    await loaded(page);
    await page.locator('#board-name').waitFor({ timeout: 10000 }).catch(() => {});
    // Typed as a person types, sent with the button and then with Enter.
    const claim = async (name, key) => {
      await page.fill('#board-name', '');
      await page.type('#board-name', name, { delay: 20 });
      await (key ? page.press('#board-name', key) : page.click('#leaderboard button[type=submit]'));
    };
    await claim('taken_name');
    check(await panelSays(page, /taken_name is taken/, 10000), 'a name already taken is refused in the panel');
    await claim('web_player', 'Enter');
    const claimed = await panelSays(page, /Playing as web_player/, 10000);
    const token = await page.evaluate(() => FS.analyzePath('/records/roliquo/tokens').exists
      ? FS.readFile('/records/roliquo/tokens', { encoding: 'utf8' }) : '');
    check(claimed && token.startsWith(server.url + ' web_player '),
          'a free name is claimed, its token kept beside the records');

    await page.keyboard.press('Escape');
    await page.waitForTimeout(300);
    await page.keyboard.press('Enter');
    await page.waitForTimeout(500);
    await page.keyboard.down('ArrowUp');
    await page.waitForTimeout(3000);
    const playing = await headings(page);
    check(playing.join() === 'flat', `while the level rolls the panel shows its board (${playing.join(', ')})`);
    const folder = '/records/roliquo/records';
    const record = await page.waitForFunction((f) => {
      const names = FS.analyzePath(f).exists ? FS.readdir(f).filter((n) => n.endsWith('.replay')) : [];
      return names.length ? FS.readFile(f + '/' + names[0], { encoding: 'utf8' }) : null;
    }, folder, { timeout: 45000, polling: 250 }).then((h) => h.jsonValue()).catch(() => null);
    await page.keyboard.up('ArrowUp');
    check(record !== null, 'holding Up finishes the level and the page keeps its record');

    const level = sha256(path.join(oneLevelPack, 'flat.map'));
    const row = await poll(async () => {
      const top = await api(server, `/api/v1/levels/${level}/top?limit=10`);
      return top.body.runs.find((r) => r.player === 'web_player');
    }, 60000);
    check(row !== null, `the page sent the record: web_player is on the level's board (${row && row.time} s)`);
    const onPanel = await page.waitForFunction(() => Array.from(document.querySelectorAll('#leaderboard td.player'))
      .some((td) => td.textContent === 'web_player'), null, { timeout: 20000 }).then(() => true).catch(() => false);
    check(onPanel && errors.length === 0,
          `the panel lists the page's own run, with no script errors (${errors.join('; ')})`);
    if (row) {
      const replay = await api(server, `/api/v1/runs/${row.id}/replay`);
      const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'roliquo-board-'));
      fs.writeFileSync(path.join(dir, 'sent.replay'), replay.body);
      fs.copyFileSync(path.join(oneLevelPack, 'flat.map'), path.join(dir, 'flat.map'));
      let verdict = null;
      try {
        verdict = JSON.parse(execFileSync(levelTool, ['verify', '--json', '--data', oneLevelPack, 'sent.replay'],
                                          { cwd: dir, encoding: 'utf8' }));
      } catch (e) {
        console.log(String(e.stdout || ''), String(e.stderr || ''));
      }
      fs.rmSync(dir, { recursive: true });
      const booked = verdict && verdict.levels.length === 1 ? verdict.levels[0].booked : null;
      check(replay.body === record && verdict && verdict.verified && booked === row.time,
            `its replay as the server keeps it is the page's record and verifies on the desktop at ${booked} s`);
    }
    await context.close();
  } finally {
    await stopServer(server);
  }
}

async function main() {
  const browser = await launchChromium(['--autoplay-policy=no-user-gesture-required']);
  try {
    await parRouteWatched(browser);
    await recordSent(browser);
  } finally {
    await browser.close();
  }
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((e) => { console.error(e); process.exit(1); });
