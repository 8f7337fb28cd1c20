// The web toolchain end to end on the smoke program (tools/web/smoke/): the
// page, the packed data/, the real Game drawing one frame on WebGL 2 in
// Chromium, compared with mirelo-headless's frame at the same size and seed.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { repoRoot, siteDir, serve, launchChromium, openPage, compareInPage, pngDataUrl } from './lib/site.mjs';

const headless = process.env.MIRELO_HEADLESS || path.join(repoRoot, 'build/mirelo-headless');
const seed = 7;
let server;
let browser;
let scratch;

function headlessFrame(name, args) {
  const file = path.join(scratch, name);
  execFileSync(headless, ['--size', '1280x720', '--seed', String(seed), '--screenshot', file, ...args],
    { cwd: repoRoot, stdio: ['pipe', 'ignore', 'inherit'] });
  return pngDataUrl(file);
}

before(async () => {
  assert.ok(fs.existsSync(path.join(siteDir, 'index.html')), `no site in ${siteDir} (tools/web/build.sh)`);
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'mirelo-web-'));
  server = await serve(siteDir);
  browser = await launchChromium();
});

after(async () => {
  await browser?.close();
  await server?.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

test('the page loads the game and draws a frame without a console error', async () => {
  const { page, errors, lines } = await openPage(browser, `${server.url}?seed=${seed}`);
  await page.waitForFunction(() => window.mireloSmokeDone === true, null, { timeout: 60000 });
  // The loaders' diagnostics: a shader that WebGL would not compile or link,
  // a file missing from the packed data.
  assert.deepEqual(lines.filter((line) => /Could not|programme non linke|cannot/i.test(line)), []);
  assert.equal(await page.evaluate(() => window.mireloSmokeGlErrors), 0, 'the frame raised no GL error');
  assert.equal(await page.title(), 'TAVO 6 Mirelo');
  assert.equal(await page.isVisible('#loading'), false, 'the loading bar is gone');
  assert.equal(await page.evaluate(() => document.getElementById('progress').value), 1,
    'the bar followed the data download to its end');
  assert.equal(await page.isVisible('#error'), false, 'no start-up failure is shown');
  const size = await page.evaluate(() => [canvas.width, canvas.height]);
  assert.deepEqual(size, [1280, 720]);
  for (const file of ['mirelo.js', 'mirelo.wasm', 'mirelo.data'])
    assert.ok(server.requests.includes('/' + file), `${file} was fetched`);
  assert.deepEqual(errors, []);
  await page.screenshot({ path: path.join(scratch, 'page.png') });
  if (process.env.MIRELO_WEB_SHOTS) fs.copyFileSync(path.join(scratch, 'page.png'), process.env.MIRELO_WEB_SHOTS + '/page.png');
  await page.close();
});

test('the start frame matches mirelo-headless and not a frame after swimming', async () => {
  const { page, errors } = await openPage(browser, `${server.url}?seed=${seed}`);
  await page.waitForFunction(() => window.mireloSmokeDone === true, null, { timeout: 60000 });
  const browserFrame = await page.evaluate(() => document.getElementById('canvas').toDataURL('image/png'));
  if (process.env.MIRELO_WEB_SHOTS)
    fs.writeFileSync(process.env.MIRELO_WEB_SHOTS + '/canvas.png', Buffer.from(browserFrame.split(',')[1], 'base64'));
  const start = headlessFrame('start.png', []);
  // Negative control: the same game after a second and a half of swimming.
  fs.writeFileSync(path.join(scratch, 'swim.keys'), '0 space\n');
  const swum = headlessFrame('swum.png', ['--frames', '90', '--input', path.join(scratch, 'swim.keys')]);

  // The seaweed is placed by the C library's rand(), which is not the same
  // sequence in Emscripten's libc as in glibc, so the same seed grows other
  // blades in the browser: a few per cent of the pixels, and a mean channel
  // difference of about 2.6 (0.4 and 0.14 per cent with glibc's sequence).
  // A frame after swimming differs by about 16 over a third of the pixels.
  const tolerance = 24;
  const same = await compareInPage(page, browserFrame, start, tolerance);
  const control = await compareInPage(page, browserFrame, swum, tolerance);
  console.log(`browser vs headless start: ${JSON.stringify(same)}; vs after swimming: ${JSON.stringify(control)}`);
  assert.equal(same.error, undefined);
  assert.ok(same.meanDifference < 4 && same.differingShare < 0.08,
    `the browser's start frame is not the headless one: ${JSON.stringify(same)}`);
  // The blades are green: where the two frames disagree on one, red and
  // blue change alike. Red and blue swapped in the BMP textures (stone,
  // wood, door, lever) move the frame's red-blue balance by about 0.9.
  assert.ok(same.balanceDifference < 0.4,
    `the browser's colours are not the headless ones: ${JSON.stringify(same)}`);
  assert.ok(control.meanDifference > 3 * same.meanDifference && control.differingShare > 0.1,
    `the comparison cannot tell a different frame: ${JSON.stringify(control)}`);
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
