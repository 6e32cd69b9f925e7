// SPDX-License-Identifier: MIT
// Drives the browser build (build/web, served on 127.0.0.1) in Debian's Chromium: the title picture is
// shown as the pack holds it, Esc and Enter start a game, and a pack that cannot be loaded shows its
// message on the page. Usage: node web_test.js URL PACK_FOLDER
'use strict';
const fs = require('fs');
const path = require('path');
const { chromium } = require('playwright-core');

const [url, pack] = process.argv.slice(2);
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
  } finally {
    await browser.close();
  }
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((e) => { console.error(e); process.exit(1); });
