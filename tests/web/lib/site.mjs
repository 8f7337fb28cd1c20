// Serves build-web/site on a loopback port and starts Debian's Chromium on
// it through playwright-core, with WebGL 2 on SwiftShader (no GPU here).
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';

export const repoRoot = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../../..');
export const siteDir = process.env.MIRELO_SITE || path.join(repoRoot, 'build-web/site');

const contentTypes = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.mjs': 'text/javascript',
  '.css': 'text/css', '.wasm': 'application/wasm', '.data': 'application/octet-stream',
  '.png': 'image/png', '.keys': 'text/plain; charset=utf-8', '.json': 'application/json',
};

// A static server for `dir` on 127.0.0.1 (a free port). `requests` records
// every path asked for, so a test can tell what the page fetched. `extra`
// maps further URL paths to files elsewhere (a key script beside the site).
export async function serve(dir, extra = {}) {
  const root = path.resolve(dir);
  const requests = [];
  const server = http.createServer((request, response) => {
    const urlPath = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    requests.push(urlPath);
    const file = extra[urlPath] ||
      path.resolve(root, '.' + (urlPath.endsWith('/') ? urlPath + 'index.html' : urlPath));
    if (!extra[urlPath] && !file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404).end();
        return;
      }
      response.writeHead(200, {
        'Content-Type': contentTypes[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-store',
      });
      response.end(body);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/`;
  return { url, requests, close: () => new Promise((resolve) => server.close(resolve)) };
}

// Debian's Chromium, never a downloaded one. The network flags keep it from
// calling out of the closed network; playwright gives it a fresh profile.
export function launchChromium(extraArgs = []) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: [
      '--no-sandbox',
      '--use-angle=swiftshader', '--enable-unsafe-swiftshader',
      '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync',
      ...extraArgs,
    ],
  });
}

// A page in a 1280x800 window whose console errors and uncaught
// exceptions are collected in `errors`, and every console line in `lines`.
export async function openPage(browser, url, initScript = null) {
  const page = await browser.newPage({ viewport: { width: 1280, height: 800 } });
  // Runs in the page before any of its own script (a test's stand-ins for browser APIs).
  if (initScript) await page.addInitScript(initScript);
  const errors = [];
  const lines = [];
  page.on('console', (message) => {
    lines.push(message.text());
    if (message.type() === 'error') errors.push(message.text());
  });
  page.on('pageerror', (error) => errors.push(String(error)));
  await page.goto(url);
  return { page, errors, lines };
}

// Compares two PNG images (data URLs) of the same size inside the page: the
// mean absolute difference over the R, G, B channels (0..255), the share of
// pixels whose largest channel difference exceeds `tolerance`, and how far
// apart the two images' mean red-minus-blue balances are.
export function compareInPage(page, firstUrl, secondUrl, tolerance) {
  return page.evaluate(async ({ firstUrl, secondUrl, tolerance }) => {
    async function pixels(source) {
      const image = new Image();
      image.src = source;
      await image.decode();
      const canvas = document.createElement('canvas');
      canvas.width = image.width;
      canvas.height = image.height;
      const context = canvas.getContext('2d');
      context.drawImage(image, 0, 0);
      return context.getImageData(0, 0, image.width, image.height);
    }
    const [a, b] = await Promise.all([pixels(firstUrl), pixels(secondUrl)]);
    if (a.width !== b.width || a.height !== b.height)
      return { error: `sizes differ: ${a.width}x${a.height} and ${b.width}x${b.height}` };
    let sum = 0;
    let differing = 0;
    let balance = 0;
    for (let i = 0; i < a.data.length; i += 4) {
      balance += (a.data[i] - a.data[i + 2]) - (b.data[i] - b.data[i + 2]);
      let largest = 0;
      for (let c = 0; c < 3; ++c) {
        const d = Math.abs(a.data[i + c] - b.data[i + c]);
        sum += d;
        largest = Math.max(largest, d);
      }
      if (largest > tolerance) ++differing;
    }
    const count = a.width * a.height;
    return { meanDifference: sum / (count * 3), differingShare: differing / count,
             balanceDifference: Math.abs(balance / count) };
  }, { firstUrl, secondUrl, tolerance });
}

export function pngDataUrl(file) {
  return 'data:image/png;base64,' + fs.readFileSync(file).toString('base64');
}

// The canvas as a PNG data URL (the context keeps its drawing buffer, so the
// last frame is there between animation frames too).
export function canvasPng(page) {
  return page.evaluate(() => document.getElementById('canvas').toDataURL('image/png'));
}

// Opens the game with these URL parameters and, when they hold frames=,
// waits until the run has ended.
export async function openGame(browser, url, params, timeout = 120000, initScript = null) {
  const opened = await openPage(browser, `${url}?${new URLSearchParams(params)}`, initScript);
  if ('frames' in params)
    await opened.page.waitForFunction(() => window.mireloDone === true, null, { timeout, polling: 100 });
  else
    await opened.page.waitForFunction(() => window.mireloState() !== null, null, { timeout, polling: 100 });
  return opened;
}

// The loaders' diagnostics among console lines: a shader that WebGL would
// not compile or link, a file missing from the packed data.
export function loaderComplaints(lines) {
  return lines.filter((line) => /Could not|programme non linke|cannot|error/i.test(line));
}

// mirelo-headless, the reference the browser is held to.
export const headlessBinary = process.env.MIRELO_HEADLESS || path.join(repoRoot, 'build/mirelo-headless');
