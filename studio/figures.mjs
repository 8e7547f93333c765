// The studio's figures, measured here in headless Chromium, and the picture
// of the page for its documentation.
//   node figures.mjs STUDIO-BUILD-FOLDER [PICTURE.png]
import { createRequire } from 'node:module';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { cpus, loadavg, tmpdir } from 'node:os';
import { join } from 'node:path';
import { gzipSync } from 'node:zlib';
import { serveStudio } from './serve.mjs';

const [folder, picture] = process.argv.slice(2);
const puppeteer = createRequire(import.meta.url)('puppeteer-core');
const LOADS = 5, EDITS = 10;

const median = (values) => [...values].sort((a, b) => a - b)[Math.floor(values.length / 2)];
const range = (values) => `median ${median(values).toFixed(0)} ms (${Math.min(...values).toFixed(0)}–${Math.max(...values).toFixed(0)} ms)`;

let moduleRaw = 0, moduleGzipped = 0;
for (const file of ['vessarine-studio.wasm', 'vessarine-studio.js']) {
  const bytes = readFileSync(join(folder, file));
  moduleRaw += bytes.length;
  moduleGzipped += gzipSync(bytes, { level: 9 }).length;
}
console.log(`module (vessarine-studio.wasm and .js): ${(moduleRaw / 1024).toFixed(0)} KB, gzipped ${(moduleGzipped / 1024).toFixed(0)} KB`);

const server = await serveStudio(folder);
const address = `http://127.0.0.1:${server.address().port}`;
const profile = mkdtempSync(join(tmpdir(), 'studio-figures-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
try {
  const firsts = [];
  for (let i = 0; i < LOADS; ++i) {
    const page = await browser.newPage();
    await page.setCacheEnabled(false);
    await page.goto(`${address}/?example`);
    await page.waitForFunction(() => window.studio?.firstPictureMs !== null && window.studio?.renders > 0, { timeout: 20000 });
    firsts.push(await page.evaluate(() => window.studio.firstPictureMs - performance.getEntriesByType('navigation')[0].startTime));
    await page.close();
  }
  console.log(`first picture of ?example after the page is asked for: ${range(firsts)}, ${LOADS} loads`);

  const page = await browser.newPage();
  await page.setViewport({ width: 1500, height: 820 });
  await page.goto(`${address}/?example`);
  await page.waitForSelector('#editor .cm-content');
  await page.waitForFunction(() => window.studio?.renders > 0);
  await page.click('#files li[data-path="main.ini"]');
  await page.waitForFunction(() => [...document.querySelectorAll('#editor .cm-line')].some((line) => line.textContent === 'Align=Left'));
  await page.evaluate(() => {
    window.renderTimes = [];
    document.addEventListener('studio:rendered', (event) => window.renderTimes.push(event.detail.ms));
  });
  // The cursor after the first letter of that line, as a click puts it there.
  const place = await page.evaluate(() => {
    const line = [...document.querySelectorAll('#editor .cm-line')].find((item) => item.textContent === 'Align=Left');
    line.scrollIntoView({ block: 'center' });
    const rect = line.getBoundingClientRect();
    return { x: rect.left + 1, y: rect.top + rect.height / 2 };
  });
  await page.mouse.click(Math.round(place.x), Math.round(place.y));
  await page.keyboard.press('ArrowRight');
  for (let i = 0; i < EDITS; ++i) {
    const seen = await page.evaluate(() => window.renderTimes.length);
    if (i % 2) await page.keyboard.press('Backspace');
    else await page.keyboard.type('l');
    await page.waitForFunction((count) => window.renderTimes.length > count, {}, seen);
    await new Promise((resolve) => setTimeout(resolve, 150));
  }
  console.log(`re-render of the example after an edit (run and check): ${range(await page.evaluate(() => window.renderTimes))}, ${EDITS} edits`);
  if (picture) {
    await page.keyboard.type('l');
    await page.keyboard.press('ArrowDown');
    await page.waitForSelector('#messages li');
    await page.screenshot({ path: picture });
    console.log(`the page's picture: ${picture}`);
  }
  console.log(`measured on ${cpus().length} cores with a load average of ${loadavg()[0].toFixed(1)}`);
} finally {
  await browser.close();
  server.close();
  rmSync(profile, { recursive: true, force: true });
}
