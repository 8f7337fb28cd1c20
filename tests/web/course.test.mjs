// The whole course (tests/playthrough/course.keys) played in the browser
// through the page's input= hook, with the fixed step of mirelo-headless's
// run of it: both must end in the same state and show the same last frame.
// The canvas is made small once the game runs (the window forwards the new
// size to the game), which keeps SwiftShader's share of the run short; the
// state does not depend on the picture's size.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFile } from 'node:child_process';
import { promisify } from 'node:util';
import fs from 'node:fs';
import path from 'node:path';
import os from 'node:os';
import {
  repoRoot, siteDir, serve, launchChromium, openPage, canvasPng, compareInPage, pngDataUrl, loaderComplaints,
  headlessBinary,
} from './lib/site.mjs';

const course = path.join(repoRoot, 'tests/playthrough/course.keys');
const seed = 7;
const dt = 0.016;
// The course's last line, then a second more: the course ends on the way
// into room 3, and the last frame then shows the room faded in.
const lastLine = Math.max(...fs.readFileSync(course, 'utf8').split('\n')
  .filter((line) => /^\d/.test(line)).map((line) => Number(line.split(/\s+/)[0])));
const frames = lastLine + 60;

const width = 320;
const height = 180;
let server;
let browser;
let scratch;

before(async () => {
  assert.ok(fs.existsSync(path.join(siteDir, 'index.html')), `no site in ${siteDir} (tools/web/build.sh)`);
  server = await serve(siteDir, { '/course.keys': course });
  browser = await launchChromium();
  scratch = fs.mkdtempSync(path.join(os.tmpdir(), 'mirelo-course-'));
});

after(async () => {
  await browser?.close();
  await server?.close();
  if (scratch) fs.rmSync(scratch, { recursive: true, force: true });
});

test('the course played in the browser ends where mirelo-headless ends it', { timeout: 900000 }, async () => {
  const lastFrame = path.join(scratch, 'last.png');
  // mirelo-headless plays the course while the browser starts and plays it.
  const headlessRun = promisify(execFile)(headlessBinary,
    ['--frames', String(frames), '--input', course, '--dt', String(dt), '--seed', String(seed),
     '--size', `${width}x${height}`, '--screenshot', lastFrame, '--state', '-'],
    { cwd: repoRoot, encoding: 'utf8', maxBuffer: 1 << 24 });
  headlessRun.catch(() => {});  // awaited below; a failure then fails the test

  const started = Date.now();
  const { page, errors, lines } = await openPage(browser,
    `${server.url}?${new URLSearchParams({ seed, dt, frames, input: 'course.keys' })}`);
  await page.waitForFunction(() => window.mireloState() !== null, null, { timeout: 120000, polling: 20 });
  await page.evaluate(([w, h]) => {
    const canvas = document.getElementById('canvas');
    canvas.width = w;
    canvas.height = h;
  }, [width, height]);
  await page.waitForFunction(() => window.mireloDone === true, null, { timeout: 840000, polling: 500 });
  const seconds = (Date.now() - started) / 1000;
  console.log(`the course's ${frames} passes took ${seconds.toFixed(1)} s in the browser`);
  const state = await page.evaluate(() => window.mireloState());
  const reference = JSON.parse((await headlessRun).stdout);

  assert.equal(state.frame, reference.frame);
  assert.equal(state.paused, reference.paused);
  assert.equal(state.room, reference.room, 'another room');
  assert.deepEqual(state.keysHeld, reference.keysHeld, 'other keys held');
  for (const axis of ['x', 'y', 'z'])
    assert.ok(Math.abs(state.swimmer[axis] - reference.swimmer[axis]) <= 0.001,
      `swimmer ${axis}: ${state.swimmer[axis]} in the browser, ${reference.swimmer[axis]} headless`);
  const progress = (s) => s.rooms.map((room) => ({
    keyPresent: room.keyPresent,
    doors: room.doors.map((door) => ({ open: door.open, locked: door.locked, lockColour: door.lockColour })),
    levers: room.levers.map((lever) => ({ pulled: lever.pulled, pulling: lever.pulling })),
  }));
  assert.deepEqual(progress(state), progress(reference), 'the rooms\' doors, levers or keys differ');
  // The course really was played: it ends in room 3 with every lever pulled.
  assert.equal(reference.room, 3);
  assert.ok(state.rooms.every((room) => room.levers.every((lever) => lever.pulled || lever.pulling)));
  assert.ok(server.requests.includes('/course.keys'), 'the key script was fetched');

  // The last frame, drawn at the canvas's new size: the game took the size over.
  const shown = await compareInPage(page, await canvasPng(page), pngDataUrl(lastFrame), 24);
  console.log(`the course's last frame, browser vs headless: ${JSON.stringify(shown)}`);
  assert.equal(shown.error, undefined);
  assert.ok(shown.meanDifference < 1 && shown.differingShare < 0.01,
    `the last frame is not mirelo-headless's: ${JSON.stringify(shown)}`);
  assert.deepEqual(loaderComplaints(lines), []);
  assert.deepEqual(errors, []);
  await page.close();
});
