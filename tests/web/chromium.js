// SPDX-License-Identifier: MIT
// Debian's Chromium as the browser tests and the browser benchmark drive it: headless, WebGL through
// SwiftShader, no sandbox as root; and the page's wait for its pack to load.
'use strict';
const { chromium } = require('playwright-core');

// The page's bar takes 3em below the canvas: this size leaves the canvas at 640 x 480 exactly.
const Viewport = { width: 640, height: 522 };

function launchChromium(extraArgs = []) {
  const args = ['--enable-unsafe-swiftshader', '--use-angle=swiftshader', ...extraArgs];
  if (process.getuid && process.getuid() === 0) args.push('--no-sandbox');
  return chromium.launch({ executablePath: '/usr/bin/chromium', args });
}

// Until the loading bar is gone: the pack is in and the game's main has run.
function loaded(page) {
  return page.waitForFunction(() => document.getElementById('loading').style.display === 'none', null, { timeout: 30000 });
}

module.exports = { Viewport, launchChromium, loaded };
