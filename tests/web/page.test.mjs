// The page and the start frame: the real game loads on WebGL 2 in Chromium
// without a console error, its first frame is mirelo-headless's at the same
// size and seed, the page's own messages show, and without WebGL 2 the page
// says so.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import {
  repoRoot, siteDir, serve, launchChromium, openPage, openGame, canvasPng, compareInPage, pngDataUrl,
  loaderComplaints, headlessBinary,
} from './lib/site.mjs';

const seed = 7;
let server;
let browser;
let scratch;
// The game after its first frame: the first three tests look at the same page.
let startPage;

function headlessFrame(name, args) {
  const file = path.join(scratch, name);
  execFileSync(headlessBinary, ['--size', '1280x720', '--screenshot', file, ...args],
    { cwd: repoRoot, stdio: ['pipe', 'ignore', 'inherit'] });
  return pngDataUrl(file);
}

before(async () => {
  assert.ok(fs.existsSync(path.join(siteDir, 'index.html')), `no site in ${siteDir} (tools/web/build.sh)`);
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'mirelo-web-'));
  server = await serve(siteDir);
  browser = await launchChromium();
  startPage = await openGame(browser, server.url, { seed, dt: 0.016, frames: 1 });
});

after(async () => {
  await browser?.close();
  await server?.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

test('the page loads the game and draws without a console error', async () => {
  const { page, errors, lines } = startPage;
  assert.deepEqual(loaderComplaints(lines), []);
  // Emscripten's GL layer never reads the error flag, so it still holds the
  // first error of the whole run, if any.
  assert.equal(await page.evaluate(() => document.getElementById('canvas').getContext('webgl2').getError()), 0,
    'the run raised no GL error');
  assert.equal(await page.title(), 'TAVO 6 Mirelo');
  assert.equal(await page.isVisible('#loading'), false, 'the loading bar is gone');
  assert.equal(await page.evaluate(() => document.getElementById('progress').value), 1,
    'the bar followed the data download to its end');
  assert.equal(await page.isVisible('#error'), false, 'no start-up failure is shown');
  assert.deepEqual(await page.evaluate(() => [canvas.width, canvas.height]), [1280, 720]);
  // Shown at 16:9, as wide as the window allows.
  const box = await page.locator('#canvas').boundingBox();
  assert.ok(Math.abs(box.width / box.height - 16 / 9) < 0.01, `the canvas is shown at 16:9: ${JSON.stringify(box)}`);
  assert.ok(await page.isVisible('#controls'), 'the controls are listed under the canvas');
  for (const file of ['mirelo.js', 'mirelo.wasm', 'mirelo.data'])
    assert.ok(server.requests.includes('/' + file), `${file} was fetched`);
  const state = await page.evaluate(() => window.mireloState());
  assert.equal(state.frame, 1);
  assert.equal(state.rooms.length, 8);
  assert.deepEqual(errors, []);
});

test('the page can be installed: Chromium takes its web app manifest, and its icons are served', async () => {
  const { page, errors } = startPage;
  const devtools = await page.context().newCDPSession(page);
  const { url, errors: manifestErrors, data } = await devtools.send('Page.getAppManifest');
  assert.equal(url, `${server.url}manifest.json`);
  assert.deepEqual(manifestErrors, []);
  // Playwright's pages live in a fresh private profile, where Chromium
  // installs nothing ('in-incognito'); every other criterion must hold.
  const { installabilityErrors } = await devtools.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors.filter((error) => error.errorId !== 'in-incognito'), [],
    'Chromium would not offer to install the page');
  const manifest = JSON.parse(data);
  assert.equal(manifest.name, 'TAVO 6 Mirelo');
  assert.equal(manifest.display, 'fullscreen');
  // Each icon, the favicon too, is a picture of the size it is declared at.
  const favicon = await page.evaluate(() => {
    const link = document.querySelector('link[rel="icon"]');
    return { src: link.getAttribute('href'), sizes: link.getAttribute('sizes') };
  });
  for (const icon of [...manifest.icons, favicon]) {
    const size = await page.evaluate(async (src) => {
      const image = new Image();
      image.src = src;
      await image.decode();
      return `${image.naturalWidth}x${image.naturalHeight}`;
    }, new URL(icon.src, url).href);
    assert.equal(size, icon.sizes, icon.src);
  }
  assert.ok(manifest.icons.some((icon) => parseInt(icon.sizes, 10) >= 512), 'an icon for splash screens');
  assert.deepEqual(errors, []);
});

test('the start frame is mirelo-headless\'s, and a frame with other seaweed is not', async () => {
  const { page, errors } = startPage;
  const browserFrame = await canvasPng(page);
  if (process.env.MIRELO_WEB_SHOTS)
    fs.writeFileSync(path.join(process.env.MIRELO_WEB_SHOTS, 'canvas.png'),
      Buffer.from(browserFrame.split(',')[1], 'base64'));
  const start = headlessFrame('start.png', ['--seed', String(seed)]);
  // Negative control: the same frame grown from another seed differs only
  // in its seaweed, a few per cent of the pixels.
  const otherSeaweed = headlessFrame('other-seaweed.png', ['--seed', String(seed + 1)]);

  // Both draw the same geometry with the same generator's seaweed; only
  // SwiftShader's and llvmpipe's rasterising and filtering differ a little:
  // edges and texture detail, a fraction of a per cent of the pixels.
  const tolerance = 24;
  const same = await compareInPage(page, browserFrame, start, tolerance);
  const control = await compareInPage(page, browserFrame, otherSeaweed, tolerance);
  console.log(`browser vs headless start: ${JSON.stringify(same)}; vs other seaweed: ${JSON.stringify(control)}`);
  assert.equal(same.error, undefined);
  const matches = (result) => result.meanDifference < 1 && result.differingShare < 0.005 &&
    result.balanceDifference < 0.4;
  assert.ok(matches(same), `the browser's start frame is not the headless one: ${JSON.stringify(same)}`);
  assert.ok(!matches(control), `the comparison cannot tell other seaweed: ${JSON.stringify(control)}`);
  assert.deepEqual(errors, []);
});

// What the page cannot start with is shown on it and logged: an option the
// game refuses (the program says so), a key script that cannot be fetched
// (the page says so, and never starts the program).
test('a page option the game cannot take, or a key script it cannot fetch, is shown and logged', async () => {
  const rows = [
    { query: 'frames=lots', text: "frames= takes a whole number of frames, not 'lots'", started: true,
      logged: /^An error occurred: frames= takes a whole number of frames, not 'lots'$/ },
    { query: 'input=missing.keys&frames=5', text: 'The key script missing.keys could not be fetched (404 Not Found).',
      started: false, logged: /the key script missing.keys could not be fetched: 404 Not Found/ },
  ];
  for (const row of rows) {
    const from = server.requests.length;
    const { page, errors } = await openPage(browser, `${server.url}?${row.query}`);
    await page.waitForSelector('#error', { state: 'visible', timeout: 60000 });
    assert.equal(await page.textContent('#error-caption'), 'An error occurred', row.query);
    assert.equal(await page.textContent('#error-text'), row.text, row.query);
    assert.ok(errors.some((line) => row.logged.test(line)), `${row.query}: ${errors}`);
    assert.equal(server.requests.slice(from).includes('/mirelo.js'), row.started, `${row.query}: mirelo.js fetched`);
    assert.equal(await page.evaluate(() => window.mireloState()), null, `${row.query}: a run started`);
    await page.close();
  }
});

// The keyboard goes to the game on any key, wherever the focus was.
test('a key pressed while the page has the focus gives the canvas the keyboard', async () => {
  const { page, errors } = await openGame(browser, server.url, { seed, dt: 0.016 });
  await page.click('#controls');
  assert.ok(await page.isVisible('#focus-hint'), 'the page does not ask for a click to play');
  await page.keyboard.press('ArrowUp');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
  assert.equal(await page.isVisible('#focus-hint'), false);
  assert.deepEqual(errors, []);
  await page.close();
});

test('without WebGL 2 the page says so and fetches no game', async () => {
  const noWebgl = await launchChromium(['--disable-webgl']);
  try {
    const before = server.requests.length;
    const { page, errors } = await openPage(noWebgl, server.url);
    await page.waitForSelector('#no-webgl2', { state: 'visible', timeout: 10000 });
    assert.match(await page.textContent('#no-webgl2'), /WebGL 2/);
    assert.equal(await page.isVisible('#loading'), false);
    assert.ok(!server.requests.slice(before).includes('/mirelo.js'), 'mirelo.js was not fetched');
    assert.deepEqual(errors, []);
  } finally {
    await noWebgl.close();
  }
});
