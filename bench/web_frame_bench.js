// SPDX-License-Identifier: MIT
// The browser side of web_frame_bench.sh: plays the first level in headless Chromium, times each pass of
// the game's loop (one playing frame, drawn to its end) while the marble rolls, and prints the rate its
// median cost allows and its ratio to the native rate given.
// Usage: node web_frame_bench.js URL NATIVE_FRAMES_PER_SECOND SECONDS gl|swiftshader
// gl: Chromium on the X display in $DISPLAY with ANGLE over the system's OpenGL (Mesa's llvmpipe, the
// rasterizer of the native figure), unthrottled; swiftshader: headless on its own software rasterizer.
'use strict';
const path = require('path');
const { chromium } = require(require.resolve('playwright-core', { paths: [path.join(__dirname, '../tests/web')] }));
const { Viewport, launchChromium, loaded } = require(path.join(__dirname, '../tests/web/chromium'));

const [url, nativeRate, seconds, backend] = process.argv.slice(2);

function launch() {
  if (backend !== 'gl')
    return launchChromium();
  const args = ['--use-gl=angle', '--use-angle=gl', '--ignore-gpu-blocklist', '--disable-gpu-vsync',
                '--disable-frame-rate-limit'];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  return chromium.launch({ executablePath: '/usr/bin/chromium', headless: false, args });
}

async function main() {
  const browser = await launch();
  try {
    // The canvas at 640 x 480, as the native frame.
    const page = await browser.newPage({ viewport: Viewport });
    // Unthrottled, the game's loop runs on a zero timer instead of the display's frames (the page's
    // "?unthrottled"), so the passes per second printed are not capped at 60.
    await page.goto(backend === 'gl' ? `${url}?unthrottled` : url);
    await loaded(page);
    await page.waitForTimeout(1000);
    await page.keyboard.press('Escape');
    await page.waitForTimeout(300);
    await page.keyboard.press('Enter');
    // Past the banner and the count-down, then rolling down the board.
    await page.waitForTimeout(8000);
    await page.keyboard.down('ArrowUp');
    const renderer = await page.evaluate(() => {
      const gl = GL.currentContext.GLctx;
      const info = gl.getExtension('WEBGL_debug_renderer_info');
      return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
    });
    // Each pass of the game's loop timed from its start until WebGL has drawn it: the browser draws in
    // another process, and a one-pixel read-back waits for it (the native frame's swap reads back too).
    // So the figure is the frame's own cost, not the display's 60 Hz.
    const timing = await page.evaluate((ms) => new Promise((done) => {
      const gl = GL.currentContext.GLctx;
      const costs = [];
      const pixel = new Uint8Array(4);
      let start = 0, frames = 0;
      const begun = performance.now();
      Module.preMainLoop = () => { start = performance.now(); };
      Module.postMainLoop = () => {
        gl.readPixels(0, 0, 1, 1, gl.RGBA, gl.UNSIGNED_BYTE, pixel);
        costs.push(performance.now() - start);
        frames += 1;
        if (performance.now() - begun >= ms) {
          Module.preMainLoop = Module.postMainLoop = undefined;
          costs.sort((a, b) => a - b);
          done({ median: costs[costs.length >> 1], p95: costs[Math.floor(costs.length * 0.95)],
                 shown: frames / ((performance.now() - begun) / 1000), frames });
        }
      };
    }), 1000 * Number(seconds));
    const rate = 1000 / timing.median;
    await page.keyboard.up('ArrowUp');
    const native = Number(nativeRate);
    const p95 = timing.p95.toFixed(2);
    if (backend !== 'gl') {
      console.log(`swiftshader (for reference): median pass ${timing.median.toFixed(2)} ms, 95th percentile ${p95} ms, ` +
                  `ratio ${(rate / native).toFixed(3)} (${renderer})`);
      return;
    }
    console.log(`WebGL renderer: ${renderer}`);
    console.log(`web: ${rate.toFixed(1)} playing frames per second (median pass ${timing.median.toFixed(2)} ms, ` +
                `95th percentile ${p95} ms, over ${timing.frames} passes; ${timing.shown.toFixed(1)} passes per second)`);
    console.log(`native: ${native.toFixed(1)} playing frames per second headless (es2-fog-on-640x480)`);
    console.log(`ratio web/native ${(rate / native).toFixed(3)}`);
  } finally {
    await browser.close();
  }
}

main().catch((e) => { console.error(e); process.exit(1); });
