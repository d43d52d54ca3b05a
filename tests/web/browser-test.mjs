// The browser build in Debian's Chromium, headless and offline (WebGL 2 on SwiftShader):
// the page loads and draws the title, Enter held for a few frames starts the battle with its
// HUD, the mouse turns the camera, sound plays, Escape does not end the game, the settings
// outlive a reload, and the console shows no WebGL error and no uncaught exception. SwiftShader draws a few pictures a second on two cores, so pictures and
// state are checked, never speed.
//
//   node browser-test.mjs PAGE_DIR OUT_DIR
//
// PAGE_DIR is what scripts/build-web made (index.html, hoshikage.js/.wasm/.data); OUT_DIR
// receives the screenshots (title.png, battle.png, battle-turned.png). Prints the seconds to
// the first title frame. Exit status 1 when a check fails.
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

import { decodePng } from './png.mjs';

const [pageArgument, outDir] = process.argv.slice(2);
if (!pageArgument || !outDir) {
  console.error('usage: node browser-test.mjs PAGE_DIR OUT_DIR');
  process.exit(2);
}
const pageDir = path.resolve(pageArgument);
fs.mkdirSync(outDir, { recursive: true });
const failures = [];
function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) failures.push(what);
}

// A static server for the page, as any web server would serve it.
const types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
  '.wasm': 'application/wasm', '.data': 'application/octet-stream',
};
const missing = [];
const server = http.createServer((request, response) => {
  const name = decodeURIComponent(new URL(request.url, 'http://page').pathname);
  const file = path.join(pageDir, name === '/' ? 'index.html' : name);
  if (!file.startsWith(pageDir + path.sep) || !fs.existsSync(file)) {
    // Browsers ask for /favicon.ico on their own; the page names its icon.
    if (name !== '/favicon.ico') missing.push(name);
    response.writeHead(404).end();
    return;
  }
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
  fs.createReadStream(file).pipe(response);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const url = `http://127.0.0.1:${server.address().port}/`;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'hoshikage-chromium-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  protocolTimeout: 600000,
  args: [
    '--no-sandbox', '--use-gl=angle', '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
    '--disable-background-networking', '--disable-component-update', '--disable-sync',
    '--no-first-run', '--disable-quic', '--window-size=1280,720',
  ],
});

const consoleLines = [];
const pageErrors = [];
let exitCode = 1;
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 720 });
  page.on('console', (message) => consoleLines.push(`${message.type()}: ${message.text()}`));
  page.on('pageerror', (error) => pageErrors.push(String(error)));

  const frames = () => page.evaluate(() => window.Module?.hoshikagePage?.frames ?? 0);
  const waitFrames = async (count, timeout = 300000) => {
    const target = (await frames()) + count;
    await page.waitForFunction((n) => Module.hoshikagePage.frames >= n,
                               { timeout, polling: 200 }, target);
  };
  // The picture as shown: the viewport is 16:9, so the canvas fills it pixel for pixel.
  const shoot = async (name) => {
    const file = path.join(outDir, name);
    await page.screenshot({ path: file });
    return decodePng(fs.readFileSync(file));
  };
  // Share of the pixels in a rectangle that pass a colour test (every other pixel).
  const share = (shot, [x0, y0, x1, y1], test) => {
    let hits = 0, count = 0;
    for (let y = y0; y < y1; y += 2) {
      for (let x = x0; x < x1; x += 2) {
        const o = (y * shot.width + x) * 4;
        hits += test(shot.rgba[o], shot.rgba[o + 1], shot.rgba[o + 2]) ? 1 : 0;
        ++count;
      }
    }
    return hits / count;
  };
  // Battle HUD: the green HP bar at the top left and the cyan energy gauge at the bottom.
  const hud = (shot) => ({
    hp: share(shot, [190, 50, 530, 68], (r, g, b) => g > 120 && g > r + 40 && g > b + 10),
    energy: share(shot, [520, 655, 760, 666], (r, g, b) => b > 150 && g > 120 && r < 120),
  });

  await page.goto(url, { waitUntil: 'load' });
  await page.waitForFunction(() => window.Module?.hoshikagePage?.frames > 0,
                             { timeout: 300000, polling: 200 });
  const firstFrame = await page.evaluate(() => Module.hoshikagePage.firstFrameMs / 1000);
  console.log(`browser-test: first title frame ${firstFrame.toFixed(1)} s after the page was opened`);

  // The click that starts sound and captures the mouse.
  await page.click('#start');
  await waitFrames(8);
  const title = await shoot('title.png');
  // The logo's light blue lettering and the orange subtitle under it.
  const logo = share(title, [470, 120, 800, 200], (r, g, b) => b > 200 && g > 150 && r < 200);
  const subtitle = share(title, [560, 232, 720, 262], (r, g, b) => r > 200 && g > 100 && b < 110);
  check(logo > 0.15 && subtitle > 0.04,
        `the title is drawn (logo ${(logo * 100).toFixed(0)} %, subtitle ${(subtitle * 100).toFixed(0)} % of their pixels)`);
  check(hud(title).hp < 0.05, 'no battle HUD on the title');

  // Sound: the title music's OpenAL source advances in the browser's audio clock.
  const sound = await page.evaluate(async () => {
    const context = AL.currentCtx;
    const playing = () => context.sources.filter((s) => s && s.state === 0x1012 /* AL_PLAYING */);
    const before = playing().map((s) => [s, AL.sourceTell(s)]);
    await new Promise((resolve) => setTimeout(resolve, 2000));
    const advanced = before.map(([s, at]) => AL.sourceTell(s) - at);
    return { state: context.audioCtx.state, voices: before.length, advanced: Math.max(0, ...advanced) };
  });
  check(sound.state === 'running' && sound.voices > 0 && sound.advanced > 0.5,
        `sound plays (audio ${sound.state}, ${sound.voices} voices, advanced ${sound.advanced.toFixed(2)} s in 2 s)`);

  // Enter held for a few frames: the title fades out and the battle starts.
  const started = Date.now();
  await page.keyboard.down('Enter');
  await waitFrames(4);
  await page.keyboard.up('Enter');
  let battle = null;
  for (let tries = 0; tries < 150 && !battle; ++tries) {
    await waitFrames(3);
    const shot = await shoot('battle.png');
    const seen = hud(shot);
    if (seen.hp > 0.6 && seen.energy > 0.5) battle = { shot, seen };
  }
  check(battle !== null, `Enter starts the battle: its HUD is drawn (after ${((Date.now() - started) / 1000).toFixed(0)} s)`);

  if (battle) {
    // The mouse turns the camera: the sky and the stones slide sideways. Without input the
    // view holds still (the robot floats where it is), so two pictures in a row differ little.
    const changed = (a, b) => {
      let moved = 0, count = 0;
      for (let y = 100; y < 330; y += 2) {
        for (let x = 0; x < a.width; x += 2) {
          const o = (y * a.width + x) * 4;
          const d = Math.abs(a.rgba[o] - b.rgba[o]) + Math.abs(a.rgba[o + 1] - b.rgba[o + 1]) +
                    Math.abs(a.rgba[o + 2] - b.rgba[o + 2]);
          moved += d > 60 ? 1 : 0;
          ++count;
        }
      }
      return moved / count;
    };
    await waitFrames(10);
    const still1 = await shoot('battle.png');
    await waitFrames(10);
    const still2 = await shoot('battle-still.png');
    for (let step = 0; step < 20; ++step) {
      await page.mouse.move(640 + 25 * (step + 1), 360);
      await waitFrames(1);
    }
    await waitFrames(10);
    const turned = await shoot('battle-turned.png');
    const idle = changed(still1, still2), turning = changed(still2, turned);
    check(turning > 0.02 && turning > 3 * idle,
          `the mouse turns the camera (${(turning * 100).toFixed(1)} % of the sky changed, ${(idle * 100).toFixed(1)} % without input)`);
    check(hud(turned).hp > 0.6, 'the HUD stays while turning');
  }

  const fps = await page.evaluate(async () => {
    const from = Module.hoshikagePage.frames;
    await new Promise((resolve) => setTimeout(resolve, 5000));
    return (Module.hoshikagePage.frames - from) / 5;
  });
  console.log(`browser-test: ${fps.toFixed(1)} pictures a second in the battle (SwiftShader)`);

  // Escape frees the mouse on a page; it does not end the game there.
  const before = await frames();
  await page.keyboard.press('Escape');
  await waitFrames(5);
  check((await frames()) >= before + 5 && !(await page.evaluate(() => Module.hoshikagePage.ended)),
        'Escape does not end the game on a page');

  // The settings outlive the page: M mutes (and the game saves its settings); after a
  // reload the game reads them back from the browser's storage.
  const settingsFile = '/home/web_user/.config/hoshikage/settings.ini';
  const readSettings = () => page.evaluate((file) => FS.readFile(file, { encoding: 'utf8' }), settingsFile);
  check(/mute\s*=\s*false/.test(await readSettings()), 'the settings file starts unmuted');
  await page.keyboard.press('KeyM');
  await waitFrames(3);
  await new Promise((resolve) => setTimeout(resolve, 3000));  // the page copies it out every 2 s
  await page.reload({ waitUntil: 'load' });
  await page.waitForFunction(() => window.Module?.hoshikagePage?.frames > 0,
                             { timeout: 300000, polling: 200 });
  check(/mute\s*=\s*true/.test(await readSettings()), 'the settings are kept across a reload (mute)');


  check(missing.length === 0, `every file the page asks for is there${missing.length ? ': missing ' + missing.join(', ') : ''}`);
  const glErrors = consoleLines.filter((line) => /WebGL|GL_INVALID|INVALID_(OPERATION|VALUE|ENUM)/.test(line));
  check(glErrors.length === 0, `no WebGL error in the console${glErrors.length ? ': ' + glErrors.slice(0, 5).join(' | ') : ''}`);
  const shown = await page.evaluate(() => Module.hoshikagePage.errors);
  check(pageErrors.length === 0 && shown.length === 0,
        `no uncaught exception and no error shown${[...pageErrors, ...shown].length ? ': ' + [...pageErrors, ...shown].join(' | ') : ''}`);
  exitCode = failures.length === 0 ? 0 : 1;
} catch (error) {
  console.log(`FAIL ${error.stack || error}`);
} finally {
  fs.writeFileSync(path.join(outDir, 'console.log'), consoleLines.join('\n') + '\n');
  await browser.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
}
if (exitCode !== 0) console.log(`browser-test: failed (the page's console is in ${outDir}/console.log)`);
process.exit(exitCode);
