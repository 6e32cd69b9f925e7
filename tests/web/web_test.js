// SPDX-License-Identifier: MIT
// Drives the browser build (served on 127.0.0.1) in Debian's Chromium: the title picture is shown as
// the pack holds it, Esc and Enter start a game with its sound, and a pack that cannot be loaded shows
// its message.
// With a second build over a one-level pack (a flat board): holding Up finishes the level, the new best
// total is kept over a reload, and the replay downloaded from the page verifies with the desktop tool.
// Usage: node web_test.js URL PACK_FOLDER ONE_LEVEL_URL ONE_LEVEL_PACK LEVEL_TOOL
'use strict';
const fs = require('fs');
const path = require('path');
const os = require('os');
const { execFileSync } = require('child_process');
const { chromium } = require('playwright-core');

const [url, pack, oneLevelUrl, oneLevelPack, levelTool] = process.argv.slice(2);
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures += 1;
}

// A 24-bit bottom-up BMP as top-down RGB rows.
function readBmp(file) {
  const b = fs.readFileSync(file);
  const offset = b.readUInt32LE(10), width = b.readInt32LE(18), height = b.readInt32LE(22);
  const stride = Math.ceil((width * 3) / 4) * 4;
  const rgb = Buffer.alloc(width * height * 3);
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      const from = offset + (height - 1 - y) * stride + x * 3, to = (y * width + x) * 3;
      rgb[to] = b[from + 2]; rgb[to + 1] = b[from + 1]; rgb[to + 2] = b[from];
    }
  return { width, height, rgb };
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
  if (shown.width !== picture.width || shown.height !== picture.height) return 0;
  let near = 0;
  for (let i = 0; i < picture.width * picture.height; ++i) {
    let d = 0;
    for (let k = 0; k < 3; ++k) d = Math.max(d, Math.abs(shown.data[i * 4 + k] - picture.rgb[i * 3 + k]));
    if (d <= step) near += 1;
  }
  return near / (picture.width * picture.height);
}

// The records folder's listing and the best-times file, as the game wrote them.
function records(page) {
  return page.evaluate(() => {
    try {
      return { table: FS.readFile('/records/roliquo/highScore.dat', { encoding: 'utf8' }),
               replays: FS.readdir('/records/roliquo/replays').filter((n) => n.endsWith('.replay')) };
    } catch (e) {
      return { table: '', replays: [] };
    }
  });
}

async function playOneLevel(browser) {
  const context = await browser.newContext({ viewport: { width: 640, height: 522 }, acceptDownloads: true });
  const page = await context.newPage();
  await page.goto(oneLevelUrl);
  await page.waitForFunction(() => document.getElementById('loading').style.display === 'none', null, { timeout: 30000 });
  await page.waitForTimeout(1000);
  await page.keyboard.press('Escape');
  await page.waitForTimeout(300);
  await page.keyboard.press('Enter');
  await page.waitForTimeout(500);
  // Up held all the way down the flat board: the finish comes within the level's 45 s.
  await page.keyboard.down('ArrowUp');
  await page.waitForTimeout(40000);
  await page.keyboard.up('ArrowUp');
  // Typed at a person's pace: the name entry takes one letter per frame.
  await page.keyboard.type('ZED', { delay: 200 });
  await page.waitForTimeout(300);
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => !document.getElementById('replay').hidden, null, { timeout: 10000 }).catch(() => {});
  const saved = await records(page);
  check(/ZED/.test(saved.table), 'the finished level made a best total under the typed name');
  check(saved.replays.length === 1, `its replay was kept (${saved.replays.join(', ')})`);

  await page.reload();
  await page.waitForFunction(() => document.getElementById('loading').style.display === 'none', null, { timeout: 30000 });
  await page.waitForTimeout(1000);
  const kept = await records(page);
  check(kept.table === saved.table && kept.table !== '', 'the best times survive a reload');
  check(kept.replays.length === 1, 'the replay survives a reload');

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
  const args = ['--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--autoplay-policy=no-user-gesture-required'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args });
  try {
    // The page's bar takes 3em below the canvas: this height leaves the canvas at 640 x 480 exactly.
    const page = await browser.newPage({ viewport: { width: 640, height: 522 } });
    const errors = [];
    page.on('pageerror', (e) => errors.push(e.message));
    await page.goto(url);
    await page.waitForFunction(() => document.getElementById('loading').style.display === 'none', null, { timeout: 30000 });
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
    check(errors.length === 0, `no script errors (${errors.join('; ')})`);
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

    await playOneLevel(browser);
  } finally {
    await browser.close();
  }
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((e) => { console.error(e); process.exit(1); });
