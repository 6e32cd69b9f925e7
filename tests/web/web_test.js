// SPDX-License-Identifier: MIT
// Drives the browser build (served on 127.0.0.1) in Debian's Chromium: the title picture is shown as
// the pack holds it (with no world-records panel, no leaderboard being there), Esc and Enter start a
// game with its sound, a desktop replay opened from the disk plays to its end as recorded, a map
// opened from the disk is played, a pack that cannot be loaded
// shows its message, a pad starts a game, losing the focus pauses it, and fullscreen letterboxes it.
// With a second build over a one-level pack (a flat board, the golden scenes' title picture): the title
// matches the desktop's golden image, up is bound to W on the controls page, holding W finishes the
// level, the new best total and the binding are kept over a reload, and the replay downloaded from the
// page verifies with the desktop tool.
// Usage: node web_test.js URL PACK_FOLDER ONE_LEVEL_URL ONE_LEVEL_PACK LEVEL_TOOL GOLDEN_PNG
'use strict';
const fs = require('fs');
const zlib = require('zlib');
const path = require('path');
const os = require('os');
const { execFileSync } = require('child_process');
const { Viewport, launchChromium, loaded } = require('./chromium');

const [url, pack, oneLevelUrl, oneLevelPack, levelTool, goldenPng] = process.argv.slice(2);
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures += 1;
}

// A 24-bit bottom-up BMP as top-down RGBA rows.
function readBmp(file) {
  const b = fs.readFileSync(file);
  const offset = b.readUInt32LE(10), width = b.readInt32LE(18), height = b.readInt32LE(22);
  const stride = Math.ceil((width * 3) / 4) * 4;
  const data = Buffer.alloc(width * height * 4, 255);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      const from = offset + (height - 1 - y) * stride + x * 3, to = (y * width + x) * 4;
      data[to] = b[from + 2]; data[to + 1] = b[from + 1]; data[to + 2] = b[from];
    }
  return { width, height, data };
}

// An 8-bit RGBA PNG (as the golden images are stored) as top-down RGBA rows.
function readPng(file) {
  const b = fs.readFileSync(file);
  const width = b.readUInt32BE(16), height = b.readUInt32BE(20);
  if (b[24] !== 8 || b[25] !== 6 || b[28] !== 0) throw new Error(`${file}: not an 8-bit RGBA PNG without interlace`);
  const parts = [];
  for (let at = 8; at < b.length;) {
    const length = b.readUInt32BE(at), type = b.toString('ascii', at + 4, at + 8);
    if (type === 'IDAT') parts.push(b.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(parts));
  const stride = width * 4, data = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    for (let x = 0; x < stride; ++x) {
      const v = raw[y * (stride + 1) + 1 + x];
      const a = x >= 4 ? data[y * stride + x - 4] : 0, up = y > 0 ? data[(y - 1) * stride + x] : 0;
      const c = x >= 4 && y > 0 ? data[(y - 1) * stride + x - 4] : 0;
      const p = a + up - c, pa = Math.abs(p - a), pb = Math.abs(p - up), pc = Math.abs(p - c);
      const predicted = [0, a, up, (a + up) >> 1, pa <= pb && pa <= pc ? a : pb <= pc ? up : c][filter];
      data[y * stride + x] = (v + predicted) & 0xFF;
    }
  }
  return { width, height, data };
}

// Halved as the golden images are: each pixel the rounded mean of a 2 x 2 block.
function halfSize(f) {
  const width = f.width >> 1, height = f.height >> 1, data = new Array(width * height * 4).fill(255);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x)
      for (let k = 0; k < 3; ++k) {
        let sum = 0;
        for (const [dx, dy] of [[0, 0], [1, 0], [0, 1], [1, 1]]) sum += f.data[((2 * y + dy) * f.width + 2 * x + dx) * 4 + k];
        data[(y * width + x) * 4 + k] = (sum + 2) >> 2;
      }
  return { width, height, data };
}

// The share of pixels farther than `step` from a picture in some channel (1 when the sizes differ).
function shareOff(shown, golden, step) {
  if (shown.width !== golden.width || shown.height !== golden.height) return 1;
  let off = 0;
  for (let i = 0; i < golden.width * golden.height; ++i) {
    let d = 0;
    for (let k = 0; k < 3; ++k) d = Math.max(d, Math.abs(shown.data[i * 4 + k] - golden.data[i * 4 + k]));
    if (d > step) off += 1;
  }
  return off / (golden.width * golden.height);
}

// The canvas as shown, top-down RGBA, read through a 2D canvas.
function canvasPixels(page) {
  return page.evaluate(() => {
    const gl = document.getElementById('canvas');
    const copy = document.createElement('canvas');
    copy.width = gl.width; copy.height = gl.height;
    const c = copy.getContext('2d');
    c.drawImage(gl, 0, 0);
    return { width: copy.width, height: copy.height, data: Array.from(c.getImageData(0, 0, copy.width, copy.height).data) };
  });
}

// The share of pixels within `step` of the picture in every channel.
function shareLike(shown, picture, step) {
  return 1 - shareOff(shown, picture, step);
}

// The best-times file, the replays folder's listing and the level records, as the game wrote them.
function records(page) {
  return page.evaluate(() => {
    const read = (file) => FS.analyzePath(file).exists ? FS.readFile(file, { encoding: 'utf8' }) : '';
    const folder = '/records/roliquo/replays';
    return { table: read('/records/roliquo/highScore.dat'), levels: read('/records/roliquo/records/records.dat'),
             replays: FS.analyzePath(folder).exists ? FS.readdir(folder).filter((n) => n.endsWith('.replay')) : [] };
  });
}

// The message overlay's text, once it shows (empty after `ms` without it).
async function messageShown(page, ms) {
  const shown = () => document.getElementById('message').style.display === 'block';
  await page.waitForFunction(shown, null, { timeout: ms }).catch(() => {});
  return page.evaluate(() => document.getElementById('message').style.display === 'block'
    ? document.getElementById('text').textContent : '');
}

// The first level's par route, recorded and verified by the desktop tools, opened from the disk: the
// page watches it to its end as recorded. A file that is no replay is refused with the game's reason,
// and a map file opened from the disk is played.
async function openFromDisk(page) {
  const said = [];
  page.on('console', (m) => said.push(m.text()));
  const first = fs.readFileSync(path.join(pack, 'maplist.dat'), 'utf8').split(/\r?\n/)[1].trim();
  const route = fs.readdirSync(path.join(pack, 'par')).find((n) => n.startsWith(first + '-') && n.endsWith('.replay'));
  await Promise.all([page.waitForURL(/open=/), page.setInputFiles('#files', path.join(pack, 'par', route))]);
  await loaded(page);
  const started = Date.now();
  await page.waitForTimeout(4000);
  const title = readBmp(path.join(pack, 'title.bmp'));
  const share = shareLike(await canvasPixels(page), title, 8);
  check(share < 0.3, `the opened replay ${route} is being watched (${(100 * share).toFixed(1)} % of the title left)`);
  const ended = await messageShown(page, 90000);
  const seconds = (Date.now() - started) / 1000;
  check(ended.startsWith('The replay has ended.') && !/departs/.test(said.join('\n')),
        `the desktop replay played to its end as recorded in ${seconds.toFixed(1)} s ("${ended}")`);
  await Promise.all([page.waitForURL((u) => !u.search.includes('open=')), page.click('#ok')]);
  await loaded(page);

  // A file that is no replay: the page says why the game refused it.
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'roliquo-open-'));
  fs.writeFileSync(path.join(folder, 'broken.replay'), 'not a replay\n');
  await Promise.all([page.waitForURL(/open=broken/), page.setInputFiles('#files', path.join(folder, 'broken.replay'))]);
  const why = await messageShown(page, 30000);
  check(/broken\.replay/.test(why), `a file that is no replay is refused with the game's reason ("${why}")`);
  fs.rmSync(folder, { recursive: true });
  await Promise.all([page.waitForURL((u) => !u.search.includes('open=')), page.click('#ok')]);
  await loaded(page);

  const map = path.join(oneLevelPack, 'flat.map');
  await Promise.all([page.waitForURL(/open=flat\.map/), page.setInputFiles('#files', map)]);
  await loaded(page);
  const refused = await messageShown(page, 4000);
  const playing = shareLike(await canvasPixels(page), title, 8);
  check(refused === '' && playing < 0.3, `the opened map is played (${(100 * playing).toFixed(1)} % of the title left; "${refused}")`);
  await page.goto(url);
  await loaded(page);
  const laid = await page.evaluate(() => FS.analyzePath('/usr/share/games/roliquo/flat.map').exists);
  check(!laid, 'a plain visit afterwards plays the pack as shipped');
}

// A standard-layout pad, answered by the page's own Gamepad API object as a browser answers for a
// plugged-in pad, in a browser without Web Audio: Start opens the menu and A starts a silent game.
// Losing the focus pauses the game as on the desktop (the clock stops), and the fullscreen button gives
// the canvas the whole screen with the 4:3 picture letterboxed in it.
async function padFocusAndFullscreen(browser) {
  const context = await browser.newContext({ viewport: Viewport });
  await context.addInitScript(() => {
    const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
    window.testPad = { id: 'Test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0,
                       axes: [0, 0, 0, 0], buttons };
    Object.defineProperty(navigator, 'getGamepads', { value: () => [window.testPad] });
    // A browser without Web Audio: the game plays silent.
    delete window.AudioContext;
    delete window.webkitAudioContext;
  });
  const page = await context.newPage();
  const pad = async (button) => {
    for (const down of [true, false]) {
      await page.evaluate(([b, d]) => {
        window.testPad.buttons[b] = { pressed: d, touched: d, value: d ? 1 : 0 };
        window.testPad.timestamp += 1;
      }, [button, down]);
      await page.waitForTimeout(200);
    }
  };
  await page.goto(url);
  await loaded(page);
  await page.waitForTimeout(1000);
  const title = readBmp(path.join(pack, 'title.bmp'));
  await pad(9);
  await pad(0);
  await page.waitForTimeout(1500);
  const share = shareLike(await canvasPixels(page), title, 8);
  // A key press is what starts the sound; without Web Audio the game goes on silent.
  await page.keyboard.press('ArrowLeft');
  await page.waitForTimeout(300);
  const silent = await page.evaluate(() => Module.audio === null);
  check(share < 0.3 && silent, `on a page without Web Audio, the pad's Start and A start a game (${(100 * share).toFixed(1)} % of the title left)`);

  // The clock at the top of the picture, after the count-down: it runs while playing and stops paused.
  const clock = async () => {
    const f = await canvasPixels(page);
    const rows = [];
    for (let y = 10; y < 45; ++y) rows.push(f.data.slice((y * f.width + 200) * 4, (y * f.width + 440) * 4).join());
    return rows.join();
  };
  const still = async () => {
    const before = await clock();
    await page.waitForTimeout(1200);
    return before === await clock();
  };
  await page.waitForTimeout(7000);
  check(!(await still()), 'while playing the clock runs');
  await page.evaluate(() => window.dispatchEvent(new FocusEvent('blur')));
  await page.waitForTimeout(300);
  check(await still(), 'losing the focus pauses the game: the clock stops');

  // F11 is the fullscreen action's key: the game asks the page, and a second press leaves.
  const fullscreenAfter = async (key) => {
    await page.keyboard.press(key);
    await page.waitForTimeout(500);
    return page.evaluate(() => document.fullscreenElement === document.getElementById('canvas'));
  };
  const byKey = await fullscreenAfter('F11');
  check(byKey && !(await fullscreenAfter('F11')), 'F11 switches the page fullscreen on and off again');

  await page.click('#fullscreen');
  await page.waitForTimeout(1000);
  const shown = await page.evaluate(() => {
    const c = document.getElementById('canvas');
    return { full: document.fullscreenElement === c, width: c.width, height: c.height,
             wanted: [Math.round(c.clientWidth * devicePixelRatio), Math.round(c.clientHeight * devicePixelRatio)] };
  });
  const frame = await canvasPixels(page);
  // The letterbox rule: the largest centred 4:3 rectangle, the bars black.
  const w = frame.width, h = frame.height;
  const r = w * 3 >= h * 4 ? { width: Math.min(w, Math.floor((h * 4 + 1) / 3)), height: h }
                           : { width: w, height: Math.min(h, Math.floor((w * 3 + 2) / 4)) };
  const x = Math.floor((w - r.width) / 2), y = Math.floor((h - r.height) / 2);
  const at = (px, py) => frame.data.slice((py * w + px) * 4, (py * w + px) * 4 + 3);
  const black = (p) => p[0] === 0 && p[1] === 0 && p[2] === 0;
  const barsBlack = (x === 0 || black(at(0, h >> 1))) && (y === 0 || black(at(w >> 1, 0)));
  check(shown.full && shown.width === shown.wanted[0] && shown.height === shown.wanted[1] &&
        (shown.width !== 640 || shown.height !== 480) && barsBlack && !black(at(x + (r.width >> 1), y + (r.height >> 1))),
        `fullscreen: the drawing surface follows the screen (${shown.width} x ${shown.height}), the picture letterboxed in it`);
  await context.close();
}

async function playOneLevel(browser) {
  const context = await browser.newContext({ viewport: Viewport, acceptDownloads: true });
  const page = await context.newPage();
  await page.goto(oneLevelUrl);
  await loaded(page);
  await page.waitForTimeout(1000);
  // The golden scene of the title, drawn on the desktop through the GL 1.1 layer; the page may differ
  // from it as the ES 2 layer may (1 % of the pixels by more than 8).
  const off = shareOff(halfSize(await canvasPixels(page)), readPng(goldenPng), 8);
  check(off <= 0.01, `the title matches the desktop's golden image (${(100 * off).toFixed(3)} % of pixels differ by more than 8)`);
  // The controls page (F8): its first line, up, is bound to W with Enter and W; Esc leaves and keeps it.
  for (const key of ['F8', 'Enter', 'w', 'Escape']) {
    await page.keyboard.press(key);
    await page.waitForTimeout(200);
  }
  const settingsFile = '/records/config/roliquo/settings';
  const settings = () => page.evaluate((f) => FS.analyzePath(f).exists ? FS.readFile(f, { encoding: 'utf8' }) : '', settingsFile);
  check(/^bind up W$/m.test(await settings()), 'the controls page keeps up bound to W in the settings');
  await page.keyboard.press('Escape');
  await page.waitForTimeout(300);
  await page.keyboard.press('Enter');
  await page.waitForTimeout(500);
  // W, now up, held all the way down the flat board: the finish comes within the level's 45 s.
  await page.keyboard.down('w');
  await page.waitForTimeout(40000);
  await page.keyboard.up('w');
  // Typed at a person's pace: the name entry takes one letter per frame.
  await page.keyboard.type('ZED', { delay: 200 });
  await page.waitForTimeout(300);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('replay').hidden, null, { timeout: 10000 }).catch(() => {});
  const saved = await records(page);
  check(/ZED/.test(saved.table), 'the finished level made a best total under the typed name');
  check(saved.replays.length === 1, `its replay was kept (${saved.replays.join(', ')})`);

  await page.reload();
  await loaded(page);
  await page.waitForTimeout(1000);
  const kept = await records(page);
  check(kept.table === saved.table && kept.table !== '', 'the best times survive a reload');
  check(/flat\.map/.test(saved.levels) && kept.levels === saved.levels, 'the level\'s record survives a reload');
  check(kept.replays.length === 1, 'the replay survives a reload');
  check(/^bind up W$/m.test(await settings()), 'the binding survives a reload');

  const link = page.locator('#replay');
  check(await link.isVisible(), 'the page offers the last replay for download');
  if (await link.isVisible()) {
    const [download] = await Promise.all([page.waitForEvent('download'), link.click()]);
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'roliquo-web-'));
    const file = path.join(folder, download.suggestedFilename());
    await download.saveAs(file);
    fs.copyFileSync(path.join(oneLevelPack, 'flat.map'), path.join(folder, 'flat.map'));
    let verified = false;
    try {
      console.log(execFileSync(levelTool, ['verify', '--data', oneLevelPack, path.basename(file)], { cwd: folder, encoding: 'utf8' }).trim());
      verified = true;
    } catch (e) {
      console.log(String(e.stdout || ''), String(e.stderr || ''));
    }
    check(verified, 'the replay taken from the page verifies with the desktop level tool');
    fs.rmSync(folder, { recursive: true });
  }
  await context.close();
}

async function main() {
  const browser = await launchChromium(['--autoplay-policy=no-user-gesture-required']);
  try {
    const page = await browser.newPage({ viewport: Viewport });
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(url);
    await loaded(page);
    await page.waitForTimeout(1500);
    const title = readBmp(path.join(pack, 'title.bmp'));
    const titleShare = shareLike(await canvasPixels(page), title, 8);
    check(titleShare > 0.85, `the title shows the pack's title picture (${(100 * titleShare).toFixed(1)} % of pixels within 8)`);

    await page.keyboard.press('Escape');
    await page.waitForTimeout(500);
    await page.keyboard.press('Enter');
    await page.waitForTimeout(2000);
    const playingShare = shareLike(await canvasPixels(page), title, 8);
    check(playingShare < 0.3, `Esc and Enter start a game: the title is gone (${(100 * playingShare).toFixed(1)} % left)`);
    const audio = await page.evaluate(() => Module.audio ? { state: Module.audio.context.state, decoded: Object.keys(Module.audio.buffers) } : null);
    check(audio !== null && audio.state === 'running' && audio.decoded.some((n) => n.endsWith('.wav')) &&
          audio.decoded.includes('mi_movie.ogg'), `the keys started Web Audio with a cue and the music (${JSON.stringify(audio)})`);
    // Served without a leaderboard, the page shows no panel and keeps its layout.
    const alone = await page.evaluate(() => ({ hidden: document.getElementById('leaderboard').hidden,
      boarded: document.body.classList.contains('boarded'), message: document.getElementById('message').style.display }));
    check(alone.hidden && !alone.boarded && alone.message !== 'block' && errors.length === 0,
          `no script errors, and without a leaderboard no panel (${errors.join('; ')})`);
    await openFromDisk(page);
    await page.close();

    // A pack that cannot be loaded: the page says so instead of hanging on its loading bar.
    const broken = await browser.newPage();
    await broken.route('**/roliquo.data', (route) => route.fulfill({ status: 404, body: 'missing' }));
    await broken.goto(url);
    await broken.waitForTimeout(3000);
    const message = await broken.evaluate(() => {
      const box = document.getElementById('message');
      return box.style.display === 'block' ? box.textContent : '';
    });
    check(message.includes('could not start'), `a failed asset load shows its message ("${message.trim()}")`);

    await padFocusAndFullscreen(browser);
    await playOneLevel(browser);
  } finally {
    await browser.close();
  }
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((e) => { console.error(e); process.exit(1); });
