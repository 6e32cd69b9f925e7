// SPDX-License-Identifier: MIT
// Drives the browser build on a touch screen in Debian's Chromium (touch and a phone's viewport
// emulated): in portrait the picture takes the full width with the stick below it, a swipe on the title
// changes the level set, a tap opens the menu (once, whatever the page asks for on that first tap) and
// offers tilt, a tap on its line starts a game, and the stick's side is kept in the settings. On the
// one-level build in landscape the stick sits in the picture's bar, steers the marble and pushes it to
// the finish, the touch bar pauses, tilt steers after calibration and is kept in the settings, the
// letter row and the device's keyboard name the best total, a tap goes on from the best times, and the
// replay downloaded from the page verifies with the desktop tool.
// Usage: node touch_test.js URL ONE_LEVEL_URL ONE_LEVEL_PACK LEVEL_TOOL
'use strict';
const fs = require('fs');
const path = require('path');
const os = require('os');
const { execFileSync } = require('child_process');
const { launchChromium, loaded } = require('./chromium');

const [url, oneLevelUrl, oneLevelPack, levelTool] = process.argv.slice(2);
let failures = 0;
function check(ok, what) {
  console.log(`${ok ? 'ok' : 'FAILED'}: ${what}`);
  if (!ok) failures += 1;
}

const Scenes = { title: 0, menu: 1, playing: 2, naming: 3, bestTimes: 4 };
const SettingsFile = '/records/config/roliquo/settings';

function phone(browser, width, height) {
  return browser.newContext({ viewport: { width, height }, hasTouch: true, isMobile: true, deviceScaleFactor: 1,
                              acceptDownloads: true });
}

// The scene the game last told the page, once it is `scene` (false after `ms` without it).
function sceneBecomes(page, scene, ms = 3000) {
  return page.waitForFunction((s) => touch.scene === s, scene, { timeout: ms }).then(() => true, () => false);
}

function marble(page) {
  return page.evaluate(() => ({ x: Module._roliquo_marble_position(0), y: Module._roliquo_marble_position(1) }));
}

function settingsText(page) {
  return page.evaluate((f) => FS.analyzePath(f).exists ? FS.readFile(f, { encoding: 'utf8' }) : '', SettingsFile);
}

// A point of the picture given on the 640 x 480 virtual screen, in the page's coordinates.
async function pictureAt(page, vx, vy) {
  const box = await page.locator('#canvas').boundingBox();
  const scale = Math.min(box.width / 640, box.height / 480);
  return { x: box.x + (box.width - 640 * scale) / 2 + vx * scale, y: box.y + (box.height - 480 * scale) / 2 + vy * scale };
}

// One finger put down, moved through the points and lifted, through the browser's own touch input.
async function fingerPath(page, points, holdMs = 0) {
  const cdp = await page.context().newCDPSession(page);
  const send = (type, p) => cdp.send('Input.dispatchTouchEvent', { type, touchPoints: p ? [{ x: p.x, y: p.y, id: 1 }] : [] });
  await send('touchStart', points[0]);
  for (const p of points.slice(1)) await send('touchMove', p);
  if (holdMs > 0) await page.waitForTimeout(holdMs);
  await send('touchEnd');
  await cdp.detach();
}

// The stick held at a travel (x, y, as shares of its radius) for `ms`, the marble's move over it.
async function holdStick(page, x, y, ms) {
  const box = await page.locator('#stick').boundingBox();
  const mid = { x: box.x + box.width / 2, y: box.y + box.height / 2 }, r = box.width * 0.4;
  const before = await marble(page);
  await fingerPath(page, [mid, { x: mid.x + x * r / 2, y: mid.y + y * r / 2 }, { x: mid.x + x * r, y: mid.y + y * r }], ms);
  const after = await marble(page);
  return { dx: after.x - before.x, dy: after.y - before.y };
}

function tilt(page, beta, gamma) {
  return page.evaluate(([b, g]) => window.dispatchEvent(new DeviceOrientationEvent('deviceorientation', { alpha: 0, beta: b, gamma: g })), [beta, gamma]);
}

// Until the pack is in and the game's loop has started, so touches reach the game.
async function started(page) {
  await loaded(page);
  await page.waitForFunction(() => page.started, null, { timeout: 10000 });
}

async function portrait(browser) {
  const context = await phone(browser, 390, 844);
  const page = await context.newPage();
  const errors = [];
  page.on('pageerror', (e) => errors.push(e.message));
  await page.goto(url);
  await started(page);
  await page.waitForTimeout(300);
  const layout = await page.evaluate(() => {
    const c = document.getElementById('canvas').getBoundingClientRect(), s = document.getElementById('stick').getBoundingClientRect();
    return { touch: document.body.classList.contains('touch'), width: c.width, height: c.height, canvasBottom: c.bottom,
             stickTop: s.top, stickSize: s.width, hints: document.getElementById('controls').textContent };
  });
  check(layout.touch && layout.width === 390 && Math.abs(layout.height - 292.5) < 1 && layout.stickTop >= layout.canvasBottom &&
        layout.stickSize > 100 && /Tap/.test(layout.hints) && !/Esc/.test(layout.hints),
        `portrait: the picture takes the full width, the stick below it, touch hints (${JSON.stringify(layout)})`);

  // A swipe to the left on the title goes on to the next level set, kept in the settings; back again.
  const from = await pictureAt(page, 500, 300), to = await pictureAt(page, 200, 300);
  await fingerPath(page, [from, { x: (from.x + to.x) / 2, y: from.y }, to]);
  await page.waitForTimeout(600);
  const swiped = await settingsText(page);
  await fingerPath(page, [to, { x: (from.x + to.x) / 2, y: from.y }, from]);
  await page.waitForTimeout(600);
  const back = await settingsText(page);
  check(/^set \S+$/m.test(swiped) && !/^set /m.test(back), `a swipe on the title changes the level set, the other swipe back (${JSON.stringify(swiped.match(/^set .*$/m))})`);

  // The first tap asks for fullscreen and the landscape lock; whatever the answer, it opens the menu, once.
  const centre = await pictureAt(page, 320, 240);
  await page.touchscreen.tap(centre.x, centre.y);
  const menu = await sceneBecomes(page, Scenes.menu);
  await page.waitForTimeout(500);
  const still = await page.evaluate(() => touch.scene);
  const overlay = await page.evaluate(() => document.getElementById('message').style.display);
  check(menu && still === Scenes.menu && overlay !== 'block' && errors.length === 0,
        `a tap on the title opens the menu, one tap one action, no message (${still}, ${errors.join('; ')})`);
  // The first touch offers tilt; "Stick" declines it.
  const offered = await page.locator('#tiltoffer').isVisible();
  await page.locator('#tiltno').tap({ timeout: 3000 });
  check(offered && !(await page.locator('#tiltoffer').isVisible()), 'the first touch offers tilt, and it can be declined');
  const newGame = await pictureAt(page, 300, 168);
  await page.touchscreen.tap(newGame.x, newGame.y);
  check(await sceneBecomes(page, Scenes.playing), 'a tap on "NeW Game" starts a game');
  // The stick goes to the right-hand side, and the settings keep it there.
  await page.locator('#stickside').tap({ timeout: 3000 });
  await page.waitForTimeout(300);
  const side = await page.evaluate(() => document.getElementById('stick').getBoundingClientRect().left);
  check(side > 390 / 2 && /^touch stick right$/m.test(await settingsText(page)), `the stick moves to the right, kept in the settings (left edge at ${side})`);
  await page.locator('#touchbar button[data-touch="0"]').tap({ timeout: 3000 });
  const reopened = await sceneBecomes(page, Scenes.menu);
  await page.locator('#touchbar button[data-touch="0"]').tap({ timeout: 3000 });
  check(reopened && await sceneBecomes(page, Scenes.playing), 'the touch bar\'s Menu opens and closes the menu');
  // The game reads the stick's side back from its settings on the next visit.
  await page.reload();
  await started(page);
  const kept = await page.waitForFunction(() => document.body.classList.contains('stick-right'), null, { timeout: 3000 })
    .then(() => true, () => false);
  check(kept, 'after a reload the stick is on the right, as the settings keep it');
  await context.close();
}

async function landscape(browser) {
  const context = await phone(browser, 844, 390);
  const page = await context.newPage();
  await page.goto(oneLevelUrl);
  await started(page);
  await page.waitForTimeout(300);
  const layout = await page.evaluate(() => {
    const c = document.getElementById('canvas').getBoundingClientRect(), s = document.getElementById('stick').getBoundingClientRect();
    return { width: c.width, height: c.height, left: c.left, stickRight: s.right, stickSize: s.width,
             bar: getComputedStyle(document.getElementById('bar')).display };
  });
  check(Math.abs(layout.height - 390) < 1 && Math.abs(layout.width - 520) < 1 && layout.stickRight <= layout.left + 1 &&
        layout.stickSize >= 110 && layout.bar === 'none',
        `landscape: the picture fills the height at 4:3, the stick in its left bar (${JSON.stringify(layout)})`);

  const centre = await pictureAt(page, 320, 240);
  await page.touchscreen.tap(centre.x, centre.y);
  await sceneBecomes(page, Scenes.menu);
  await page.waitForTimeout(300);
  const newGame = await pictureAt(page, 300, 168);
  await page.touchscreen.tap(newGame.x, newGame.y);
  check(await sceneBecomes(page, Scenes.playing), 'taps start the one-level game');
  // The count-down: the marble rolls from 45 s on the clock.
  await page.waitForTimeout(7300);
  const left = await holdStick(page, -0.6, 0, 400);
  check(left.dx < -20 && Math.abs(left.dy) < 5, `the stick held to the left rolls the marble left (${left.dx.toFixed(1)} across)`);
  await page.locator('#touchbar button[data-touch="1"]').tap({ timeout: 3000 });
  await page.waitForTimeout(300);
  const paused = await holdStick(page, 0.6, 0, 800);
  check(paused.dx === 0 && paused.dy === 0, `paused from the touch bar, the stick moves nothing (${paused.dx}, ${paused.dy})`);

  // Tilt, still paused: switched on, the first reading taken as level, then level taken again by the
  // button; the right edge tipped down rolls the marble right. The settings keep it.
  await page.locator('#tilt').tap({ timeout: 3000 });
  await page.waitForFunction(() => touch.tilt, null, { timeout: 3000 }).catch(() => {});
  // Turned a quarter to landscape, the screen's right edge is the device's lower edge (beta).
  const quarter = await page.evaluate(() => screen.orientation.angle === 90);
  const tipRight = (degrees) => (quarter ? tilt(page, 20 + degrees, 0) : tilt(page, 20, degrees));
  await tilt(page, 35, -3);
  await tipRight(0);
  await page.locator('#calibrate').tap({ timeout: 3000 });
  // Levelled while paused; the touch bar resumes the round.
  await page.locator('#touchbar button[data-touch="1"]').tap({ timeout: 3000 });
  // The marble still rolls left from the stick: soon into the tilt it has turned and rolls right (and
  // is measured before it reaches the board's side).
  await tipRight(8);
  await page.waitForTimeout(700);
  const x0 = (await marble(page)).x;
  await page.waitForTimeout(400);
  const tilted = (await marble(page)).x - x0;
  await tipRight(0);
  await page.locator('#sensitivity').evaluate((e) => { e.value = '7'; e.dispatchEvent(new Event('change')); });
  await page.waitForTimeout(300);
  const kept = await settingsText(page);
  check(tilted > 20 && /^tilt on$/m.test(kept) && /^tilt sensitivity 7$/m.test(kept),
        `after calibration a tilt to the right rolls the marble right (${tilted.toFixed(1)}), kept in the settings`);
  await page.locator('#tilt').tap({ timeout: 3000 });
  await page.waitForFunction(() => touch.tilt, null, { timeout: 3000 }).catch(() => {});
  await page.waitForTimeout(200);
  check(!/^tilt on$/m.test(await settingsText(page)), 'tilt switched off again');

  // The stick at its rim, up: steering and pushing harder to the finish, then the letters name the total.
  const box = await page.locator('#stick').boundingBox();
  const mid = { x: box.x + box.width / 2, y: box.y + box.height / 2 };
  const cdp = await context.newCDPSession(page);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x: mid.x, y: mid.y, id: 2 }] });
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchMove', touchPoints: [{ x: mid.x, y: box.y, id: 2 }] });
  const named = await sceneBecomes(page, Scenes.naming, 45000);
  await cdp.send('Input.dispatchTouchEvent', { type: 'touchEnd', touchPoints: [] });
  await cdp.detach();
  check(named, 'the stick pushed up to its rim finishes the level');
  const lettersShown = await page.locator('#letters').isVisible();
  // Z and D from the row; E from the device's keyboard, which types into the page's field without a
  // key the page could read (as phone keyboards do).
  const row = (letter) => page.locator('#letters button', { hasText: new RegExp(`^${letter}$`) }).tap({ timeout: 3000 });
  await row('Z');
  await page.waitForTimeout(150);
  await page.locator('#letters button', { hasText: 'Keyboard' }).tap({ timeout: 3000 });
  const focused = await page.evaluate(() => document.activeElement === document.getElementById('typed'));
  await page.keyboard.insertText('e');
  await page.waitForTimeout(150);
  await row('D');
  await page.waitForTimeout(150);
  const bestTimes = await sceneBecomes(page, Scenes.bestTimes);
  const table = await page.evaluate(() => FS.readFile('/records/roliquo/highScore.dat', { encoding: 'utf8' }));
  check(lettersShown && focused && bestTimes && /ZED/.test(table), 'the letter row and the device\'s keyboard name the best total');
  await page.touchscreen.tap(centre.x, centre.y);
  check(await sceneBecomes(page, Scenes.title), 'a tap on the best times goes on to the title');

  await page.waitForFunction(() => !document.getElementById('replay').hidden, null, { timeout: 10000 }).catch(() => {});
  const records = await page.evaluate(() => FS.readFile('/records/roliquo/records/records.dat', { encoding: 'utf8' }));
  check(/flat\.map/.test(records), 'the level finished by touch books its record');
  let verified = false;
  // The link sits in the page's bar, which landscape leaves out; it is followed as a tap on it would be.
  if (await page.evaluate(() => !document.getElementById('replay').hidden)) {
    const [download] = await Promise.all([page.waitForEvent('download'),
                                          page.evaluate(() => document.getElementById('replay').click())]);
    const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'roliquo-touch-'));
    const file = path.join(folder, download.suggestedFilename());
    await download.saveAs(file);
    fs.copyFileSync(path.join(oneLevelPack, 'flat.map'), path.join(folder, 'flat.map'));
    try {
      console.log(execFileSync(levelTool, ['verify', '--data', oneLevelPack, path.basename(file)], { cwd: folder, encoding: 'utf8' }).trim());
      verified = true;
    } catch (e) {
      console.log(String(e.message), String(e.stdout || ''), String(e.stderr || ''));
    }
    fs.rmSync(folder, { recursive: true });
  }
  check(verified, 'the replay of the run steered by touch verifies with the desktop level tool');
  await context.close();
}

async function main() {
  const browser = await launchChromium(['--autoplay-policy=no-user-gesture-required']);
  try {
    await portrait(browser);
    await landscape(browser);
  } finally {
    await browser.close();
  }
  process.exit(failures === 0 ? 0 : 1);
}

main().catch((e) => { console.error(e); process.exit(1); });
