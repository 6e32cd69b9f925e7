// SPDX-License-Identifier: MIT
// The browser side of web_frame_bench.sh: plays the first level in headless Chromium with the frame rate
// unlimited, counts the page's animation frames (one pass of the game's loop each) while the marble rolls,
// and prints the rate and its ratio to the native rate given.
// Usage: node web_frame_bench.js URL NATIVE_FRAMES_PER_SECOND SECONDS
'use strict';
const path = require('path');
const { chromium } = require(path.join(__dirname, '../tests/web/node_modules/playwright-core'));

const [url, nativeRate, seconds] = process.argv.slice(2);

async function main() {
  const args = ['--enable-unsafe-swiftshader', '--use-angle=swiftshader', '--disable-gpu-vsync', '--disable-frame-rate-limit'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args });
  try {
    // The canvas at 640 x 480, as the native frame.
    const page = await browser.newPage({ viewport: { width: 640, height: 522 } });
    await page.goto(url);
    await page.waitForFunction(() => document.getElementById('loading').style.display === 'none', null, { timeout: 30000 });
    await page.waitForTimeout(1000);
    await page.keyboard.press('Escape');
    await page.waitForTimeout(300);
    await page.keyboard.press('Enter');
    // Past the banner and the count-down, then rolling down the board.
    await page.waitForTimeout(8000);
    await page.keyboard.down('ArrowUp');
    const rate = await page.evaluate((ms) => new Promise((done) => {
      let frames = 0;
      const start = performance.now();
      const count = (now) => {
        frames += 1;
        if (now - start < ms) requestAnimationFrame(count);
        else done(frames / ((now - start) / 1000));
      };
      requestAnimationFrame(count);
    }), 1000 * Number(seconds));
    await page.keyboard.up('ArrowUp');
    const native = Number(nativeRate);
    console.log(`web: ${rate.toFixed(1)} playing frames per second in Chromium (${seconds} s)`);
    console.log(`native: ${native.toFixed(1)} playing frames per second headless (es2-fog-on-640x480)`);
    console.log(`ratio web/native ${(rate / native).toFixed(3)}`);
  } finally {
    await browser.close();
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
