// Frame time of the game in Chromium beside mirelo-headless's, in one run
// at the same size (1280x720), seed and fixed step, from the start of play:
//   node tests/web/frame_time.mjs [PASSES]     (after tools/web/build.sh)
// In the page, performance.now() around each animation-frame callback gives
// the time the pass itself takes on the page's thread (the game's update and
// its GL calls handed to the GPU process), and the time between passes the
// frame rate actually reached, SwiftShader's drawing included. For
// mirelo-headless, two runs of different lengths give the time per frame
// (update, render and glFinish) without the start-up.
import { execFileSync } from 'node:child_process';
import { repoRoot, siteDir, serve, launchChromium, headlessBinary } from './lib/site.mjs';

const passes = Number(process.argv[2] || 600);
const warmUp = 30;

const server = await serve(siteDir);
const browser = await launchChromium();
const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
await page.addInitScript(() => {
  const request = window.requestAnimationFrame.bind(window);
  window.passTimes = [];
  window.requestAnimationFrame = (callback) => request((time) => {
    const start = performance.now();
    callback(time);
    window.passTimes.push([start, performance.now() - start]);
  });
});
await page.goto(`${server.url}?seed=7&dt=0.016&frames=${passes + warmUp}`);
await page.waitForFunction(() => window.mireloDone === true, null, { timeout: 1800000, polling: 200 });
const times = (await page.evaluate(() => window.passTimes)).slice(-passes);
await browser.close();
await server.close();
const inPass = times.reduce((sum, [, ms]) => sum + ms, 0) / times.length;
const between = (times[times.length - 1][0] - times[0][0]) / (times.length - 1);

function headlessSeconds(frames) {
  const start = process.hrtime.bigint();
  execFileSync(headlessBinary, ['--frames', String(frames), '--seed', '7', '--dt', '0.016', '--size', '1280x720'],
    { cwd: repoRoot, stdio: 'ignore' });
  return Number(process.hrtime.bigint() - start) / 1e9;
}
const headlessMs = (headlessSeconds(warmUp + passes) - headlessSeconds(warmUp)) * 1000 / passes;

console.log(`Chromium (SwiftShader WebGL 2), 1280x720, ${passes} passes: ` +
  `${between.toFixed(2)} ms per pass (${(1000 / between).toFixed(1)} passes/s), ` +
  `${inPass.toFixed(2)} ms of it inside the pass on the page's thread`);
console.log(`mirelo-headless (llvmpipe), 1280x720, ${passes} frames: ${headlessMs.toFixed(2)} ms per frame`);
