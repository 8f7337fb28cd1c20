// The controls through Chromium's real keyboard events on the canvas: every
// game key does its own thing and no other, Space moves the view without
// scrolling the page, Escape pauses (the picture and the game stand still)
// and resumes, and the sound with it; the page's mute button mutes. The
// browser may play sound without a click (--autoplay-policy), as a page
// that has had one may. (The help F1 brings back is drawn as at the start, which
// page.test.mjs compares with mirelo-headless's.)
// Every update gets a fixed step (dt=), so the game's time follows the
// passes run, not the wall clock.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { siteDir, serve, launchChromium, openGame, canvasPng, compareInPage } from './lib/site.mjs';

let server;
let browser;

before(async () => {
  assert.ok(fs.existsSync(path.join(siteDir, 'index.html')), `no site in ${siteDir} (tools/web/build.sh)`);
  server = await serve(siteDir);
  browser = await launchChromium(['--autoplay-policy=no-user-gesture-required']);
});

after(async () => {
  await browser?.close();
  await server?.close();
});

const state = (page) => page.evaluate(() => window.mireloState());

// Waits until the game has run at least `passes` more passes.
async function passesLater(page, passes) {
  const from = (await state(page)).frame;
  await page.waitForFunction((until) => window.mireloState().frame >= until, from + passes,
    { timeout: 60000, polling: 50 });
}

// The game's keys are held through the page, as a player holds them: the
// game polls its keys once per pass, so a key is held over several passes.
// Returns the state read while the key was still down: a short swim stops
// within a few passes of its release, fewer than a busy machine may run
// before the next read.
async function hold(page, key, passes) {
  await page.keyboard.down(key);
  await passesLater(page, passes);
  const held = await state(page);
  await page.keyboard.up(key);
  return held;
}

const stopped = (page) => page.waitForFunction(() => window.mireloState().swimmer.speed === 0, null,
  { timeout: 60000, polling: 50 });

// The game draws at the canvas's size: small frames keep SwiftShader's share
// of a long test short.
const smallCanvas = (page) => page.evaluate(() => { canvas.width = 320; canvas.height = 180; });

async function playingPage(params = {}) {
  const { page, errors } = await openGame(browser, server.url, { seed: 7, dt: 0.016, ...params });
  await page.click('#canvas');
  return { page, errors };
}

test('holding Space swims forward and moves the view, and the page does not scroll', async () => {
  const { page, errors } = await playingPage();
  await smallCanvas(page);
  // The seaweed alone, over as many passes as the swim below.
  const idleFrom = await canvasPng(page);
  await passesLater(page, 62);
  const idle = await compareInPage(page, idleFrom, await canvasPng(page), 24);
  const before = await state(page);
  const beforeFrame = await canvasPng(page);
  const swimming = await hold(page, 'Space', 60);
  await passesLater(page, 2);
  const after = await state(page);
  const moved = Math.hypot(after.swimmer.x - before.swimmer.x, after.swimmer.y - before.swimmer.y);
  assert.ok(swimming.swimmer.speed > 0 && moved > 2,
    `the swimmer did not swim: ${JSON.stringify(before.swimmer)} -> ${JSON.stringify(swimming.swimmer)} -> ${JSON.stringify(after.swimmer)}`);
  // A second of swimming shifts most of the picture; the sway, a few per cent.
  const change = await compareInPage(page, beforeFrame, await canvasPng(page), 24);
  console.log(`after swimming ${moved.toFixed(2)} units the view changed by ${change.differingShare}, idle ${idle.differingShare}`);
  assert.ok(change.differingShare > Math.max(0.1, 3 * idle.differingShare),
    `the view did not move: ${JSON.stringify(change)}, idle ${JSON.stringify(idle)}`);
  assert.equal(await page.evaluate(() => window.scrollY), 0, 'Space scrolled the page');
  assert.deepEqual(errors, []);
  await page.close();
});

// Steers the swimmer with the keyboard, one pass at a time, until `decide`
// (given the state) returns null instead of the keys to hold.
async function steer(page, decide, passes) {
  let held = [];
  for (let i = 0; i < passes; ++i) {
    const want = decide(await state(page));
    if (!want) break;
    for (const key of held) if (!want.includes(key)) await page.keyboard.up(key);
    for (const key of want) if (!held.includes(key)) await page.keyboard.down(key);
    held = want;
    await passesLater(page, 1);
  }
  for (const key of held) await page.keyboard.up(key);
  await passesLater(page, 2);
}

// To rest in the reach of room 0's lever, on its tower roof at (45, 45), by
// depth -12 (over the walls' tops at -14): heading h swims along
// (sin h, -cos h); Left turns the heading up, Up pitches the nose down. The
// passes go on while the test decides, so it swims slowly and aims loosely.
const LEVER = { x: 45, y: 45, z: -12 };
function towardsTheLever(s) {
  const { x, y, z, speed, heading, pitch } = s.swimmer;
  const distance = Math.hypot(LEVER.x - x, LEVER.y - y);
  if (distance < 2 && Math.abs(z - LEVER.z) < 1.5 && speed === 0) return null;
  const wanted = Math.atan2(LEVER.x - x, y - LEVER.y) * 180 / Math.PI;
  const turn = ((wanted - heading) % 360 + 540) % 360 - 180;
  const keys = [];
  if (Math.abs(turn) > 8) keys.push(turn > 0 ? 'ArrowLeft' : 'ArrowRight');
  const wantedPitch = Math.max(-20, Math.min(20, (z - LEVER.z) * 15));
  if (Math.abs(wantedPitch - pitch) > 8) keys.push(wantedPitch > pitch ? 'ArrowUp' : 'ArrowDown');
  if (Math.abs(turn) < 25 && speed < 4 && distance > 1.5 + speed * speed / 20) keys.push('Space');
  return keys;
}

// Each game key through the browser's keyboard does its own thing and
// nothing else, in the reach of a lever: Right Control pulls no lever, Left
// Control pulls it; the arrows steer, Space swims, F1 restarts the help,
// Escape pauses. Compared: the state before and after, without the timers.
test('every game key acts alone, and only the left Control pulls the lever in reach', { timeout: 300000 },
  async () => {
    const { page, errors } = await playingPage({ dt: 0.032 });
    await smallCanvas(page);
    await steer(page, towardsTheLever, 3000);
    // A key let go late may have swum on a little.
    await stopped(page);
    const { x, y, z } = (await state(page)).swimmer;
    assert.ok(Math.abs(x - LEVER.x) < 3 && Math.abs(y - LEVER.y) < 3 && z > -14 && z < -10,
      `not in the lever's reach: ${x}, ${y}, ${z}`);
    const rows = [
      ['ControlRight', {}],
      ['ControlLeft', { lever: true }],
      ['ArrowLeft', { steeringX: '-' }], ['ArrowRight', { steeringX: '+' }],
      ['ArrowUp', { steeringY: '+' }], ['ArrowDown', { steeringY: '-' }],
      ['Space', { speed: '+' }], ['F1', { hintTimer: '-' }], ['Escape', { paused: true }],
    ];
    const seen = (s) => ({
      lever: s.rooms[0].levers[0].pulling || s.rooms[0].levers[0].pulled, paused: s.paused,
      steeringX: s.swimmer.steeringX, steeringY: s.swimmer.steeringY, speed: s.swimmer.speed,
      hintTimer: s.hintTimer, room: s.room,
    });
    for (const [key, effect] of rows) {
      const before = seen(await state(page));
      const after = seen(await hold(page, key, 4));
      await stopped(page);
      for (const field of Object.keys(before)) {
        const want = effect[field];
        const what = `${key}: ${field} ${before[field]} -> ${after[field]}`;
        if (want === '+') assert.ok(after[field] > before[field], what);
        else if (want === '-') assert.ok(after[field] < before[field], what);
        else if (want !== undefined) assert.equal(after[field], want, what);
        else if (field === 'hintTimer') assert.ok(after[field] >= before[field], what);
        else assert.equal(after[field], before[field], what);
      }
    }
    assert.deepEqual(errors, []);
    await page.close();
  });

// Waits (10 s at most) until the level of what the speakers got over the
// last 0.1 s is sounding or silent; fails with the last report otherwise.
async function soundBecomes(page, sounding, what) {
  const met = await page.waitForFunction((want) => {
    const audio = window.mireloAudio();
    return audio.state === 'running' && (want ? audio.level > 0.001 : audio.level === 0);
  }, sounding, { timeout: 10000, polling: 50 }).then(() => true, () => false);
  assert.ok(met, `${what}: ${JSON.stringify(await page.evaluate(() => window.mireloAudio()))}`);
}

test('Escape pauses the game, the picture and the sound, and Escape again resumes', async () => {
  const { page, errors } = await playingPage();
  await smallCanvas(page);
  await page.keyboard.down('Space');
  await soundBecomes(page, true, 'silent while swimming');
  await page.keyboard.up('Space');
  await page.keyboard.press('Escape');
  await passesLater(page, 2);
  const paused = await state(page);
  assert.equal(paused.paused, true, 'Escape did not pause');
  const first = await canvasPng(page);
  const second = await canvasPng(page);
  await page.waitForTimeout(1000);
  const third = await canvasPng(page);
  assert.equal(second, first, 'the picture changed while paused');
  assert.equal(third, first, 'the picture changed a second into the pause');
  const later = await state(page);
  assert.ok(later.frame > paused.frame, 'the passes went on');
  assert.deepEqual({ ...later, frame: 0 }, { ...paused, frame: 0 }, 'the game moved while paused');
  await soundBecomes(page, false, 'sound while paused');

  await page.keyboard.press('Escape');
  await passesLater(page, 5);
  const resumed = await state(page);
  assert.equal(resumed.paused, false, 'Escape again did not resume');
  // The seaweed sways again: the picture moves.
  assert.notEqual(await canvasPng(page), first, 'the picture is still frozen');
  await soundBecomes(page, true, 'no sound after resuming');
  // The page's button mutes and unmutes; the water goes on under it.
  await page.click('#mute');
  await soundBecomes(page, false, 'sound after the mute button');
  await page.click('#mute');
  await soundBecomes(page, true, 'no sound after the mute button again');
  assert.deepEqual(errors, []);
  await page.close();
});

test('a key held while the canvas loses the focus is let go', async () => {
  const { page, errors } = await playingPage();
  await smallCanvas(page);
  await page.keyboard.down('Space');
  await passesLater(page, 20);
  const held = await state(page);
  // The focus goes to the page: the key's release will not reach the canvas.
  await page.click('#controls');
  await passesLater(page, 22);
  const later = await state(page);
  await page.keyboard.up('Space');
  // Still held, the swim would have sped up; let go, it slows to a stop.
  assert.ok(held.swimmer.speed > 0, 'Space did not swim before the focus went');
  assert.ok(later.swimmer.speed < held.swimmer.speed,
    `Space is still held after the focus went: speed ${held.swimmer.speed} -> ${later.swimmer.speed}`);
  assert.ok(await page.isVisible('#focus-hint'), 'the page does not ask for a click to play');
  assert.deepEqual(errors, []);
  await page.close();
});

// A controller in the standard layout, through the page's Gamepad API: the
// test stands in for navigator.getGamepads() with one pad it presses itself,
// as a browser would report a real one.
function fakeGamepad() {
  const buttons = Array.from({ length: 17 }, () => ({ pressed: false, touched: false, value: 0 }));
  window.testPad = { id: 'test pad', index: 0, connected: true, mapping: 'standard', timestamp: 0, axes: [0, 0, 0, 0], buttons };
  window.pressPad = (index, down) => {
    buttons[index].pressed = down;
    buttons[index].value = down ? 1 : 0;
    window.testPad.timestamp += 1;
  };
  navigator.getGamepads = () => [window.testPad, null, null, null];
}

test('a controller swims with A, turns with the D-pad and pauses once per press of Start', async () => {
  const { page, errors } = await openGame(browser, server.url, { seed: 7, dt: 0.016 }, 120000, fakeGamepad);
  await smallCanvas(page);
  const pressFor = async (index, passes) => {
    await page.evaluate((i) => window.pressPad(i, true), index);
    await passesLater(page, passes);
    const held = await state(page);
    await page.evaluate((i) => window.pressPad(i, false), index);
    await passesLater(page, 2);
    return held;
  };
  const A = 0, START = 9, DPAD_LEFT = 14;
  const start = await state(page);
  const swum = await pressFor(A, 30);
  assert.ok(swum.swimmer.speed > 0 && swum.swimmer.y !== start.swimmer.y,
    `A did not swim: ${JSON.stringify(start.swimmer)} -> ${JSON.stringify(swum.swimmer)}`);
  await pressFor(DPAD_LEFT, 20);
  const turned = await state(page);
  assert.ok(turned.swimmer.steeringX < swum.swimmer.steeringX, 'the D-pad did not turn the swimmer left');

  // Start held over many passes pauses once; a second press resumes.
  await pressFor(START, 20);
  const paused = await state(page);
  assert.equal(paused.paused, true, 'Start did not pause (or paused and resumed while held)');
  await passesLater(page, 5);
  assert.deepEqual({ ...(await state(page)), frame: 0 }, { ...paused, frame: 0 }, 'the game moved while paused');
  await pressFor(START, 3);
  assert.equal((await state(page)).paused, false, 'a second press of Start did not resume');
  assert.deepEqual(errors, []);
  await page.close();
});

test('F11 and the page\'s button switch to full screen through the Fullscreen API, the picture kept at 16:9', async () => {
  const { page, errors } = await playingPage();
  const fullscreen = () => page.evaluate(() => {
    const canvas = document.getElementById('canvas');
    const box = canvas.getBoundingClientRect();
    return {
      element: document.fullscreenElement ? document.fullscreenElement.id : null,
      fit: getComputedStyle(canvas).objectFit,
      drawn: [canvas.width, canvas.height],
      box: [Math.round(box.width), Math.round(box.height)],
      screen: [window.innerWidth, window.innerHeight],
    };
  });
  const waitFor = (id) => page.waitForFunction((want) => (document.fullscreenElement ? document.fullscreenElement.id : null) === want,
    id, { timeout: 10000, polling: 50 });

  await page.keyboard.press('F11');
  await waitFor('stage');
  const full = await fullscreen();
  assert.deepEqual(full.box, full.screen, 'the game does not cover the screen');
  assert.equal(full.fit, 'contain', 'the picture is stretched to the screen instead of kept at 16:9');
  assert.deepEqual(full.drawn, [1280, 720]);
  const frame = (await state(page)).frame;
  await passesLater(page, 3);
  assert.ok((await state(page)).frame > frame, 'the game stopped in full screen');
  await page.keyboard.press('F11');
  await waitFor(null);
  assert.equal((await fullscreen()).fit, 'fill', 'the window does not show the picture as before');

  await page.click('#fullscreen');
  await waitFor('stage');
  await page.evaluate(() => document.getElementById('fullscreen').click());
  await waitFor(null);
  assert.equal((await state(page)).paused, false, 'switching the screen paused the game');
  assert.deepEqual(errors, []);
  await page.close();
});
