// The studio page in headless Chromium, driven by puppeteer-core: the
// example's picture against native cesim's, a mistyped key's message, a tap's
// command, the battery's colours, the opening animation, the saved zip, key
// presses, links and completion.
//   node --test browser.test.mjs   (STUDIO_BUILD: the build's studio/ folder;
//   CHROMIUM: the browser, /usr/bin/chromium unless set)
import { after, before, test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { mkdtempSync, readFileSync, readdirSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { fileURLToPath } from 'node:url';
import { serveStudio } from '../../studio/serve.mjs';
import { readZip } from '../../studio/src/zip.js';
import { decodeDeviceText } from '../../studio/src/encoding.js';
import { pictureDifference, readPng } from './png.mjs';

const here = fileURLToPath(new URL('.', import.meta.url));
const puppeteer = createRequire(join(here, '../../studio/package.json'))('puppeteer-core');
// The battery's colours when its keys do not set them: ColorLow up to 66 %, ColorCritical up to 33 %.
const LOW_COLOUR = 0xd0d000;
const CRITICAL_COLOUR = 0xd00000;
let server, browser, address, profile;

before(async () => {
  server = await serveStudio(process.env.STUDIO_BUILD);
  address = `http://127.0.0.1:${server.address().port}`;
  profile = mkdtempSync(join(tmpdir(), 'studio-chromium-'));
  browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    userDataDir: profile,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  await browser?.close();
  server?.close();
  if (profile) rmSync(profile, { recursive: true, force: true });
});

async function openExample() {
  const page = await browser.newPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await page.setViewport({ width: 1600, height: 900 });
  await page.goto(`${address}/?example`);
  await page.waitForFunction(() => window.studio?.renders > 0, { timeout: 15000 });
  assert.deepEqual(errors, []);
  return page;
}

async function renders(page) {
  return page.evaluate(() => window.studio.renders);
}

async function waitForRenderAfter(page, count) {
  await page.waitForFunction((seen) => window.studio.renders > seen, { timeout: 5000 }, count);
}

async function screenPixels(page) {
  const picture = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    return { width: canvas.width, height: canvas.height, data: Array.from(data) };
  });
  const pixels = new Uint32Array(picture.width * picture.height);
  for (let i = 0; i < pixels.length; ++i)
    pixels[i] = (picture.data[4 * i] << 16) | (picture.data[4 * i + 1] << 8) | picture.data[4 * i + 2];
  return { width: picture.width, height: picture.height, pixels };
}

function exampleFiles(folder = join(here, '../../examples'), prefix = '') {
  return readdirSync(folder, { withFileTypes: true }).flatMap((entry) => entry.isDirectory()
    ? exampleFiles(join(folder, entry.name), `${prefix}${entry.name}/`) : [`${prefix}${entry.name}`]);
}

const countOf = (picture, pixel) => picture.pixels.reduce((sum, value) => sum + (value === pixel ? 1 : 0), 0);

async function openFile(page, path) {
  const count = await renders(page);
  await page.click(`#files li[data-path="${path}"]`);
  await waitForRenderAfter(page, count);
}

// Puts the cursor at the start of the line that reads `text`, as a click
// at its left end does, and gives its number.
async function goToLine(page, text) {
  const place = await page.evaluate((wanted) => {
    const lines = [...document.querySelectorAll('#editor .cm-line')];
    const index = lines.findIndex((line) => line.textContent === wanted);
    if (index < 0) return null;
    lines[index].scrollIntoView({ block: 'center' });
    const rect = lines[index].getBoundingClientRect();
    return { number: index + 1, x: rect.left + 1, y: rect.top + rect.height / 2 };
  }, text);
  assert.ok(place, `the editor shows a line '${text}'`);
  await page.mouse.click(Math.round(place.x), Math.round(place.y));
  return place.number;
}

test('the example draws on the screen the pixels native cesim drew of the same files', async () => {
  const page = await openExample();
  const figures = await page.evaluate(() => ({ ...window.studio, navigation: performance.getEntriesByType('navigation')[0].startTime }));
  console.log(`figure: first picture ${(figures.firstPictureMs - figures.navigation).toFixed(0)} ms after the page was asked for`);
  const native = readPng(join(here, '../acceptance/vessarine/example/expected.png'));
  assert.equal(pictureDifference(await screenPixels(page), native), '');
  await page.close();
});

test('a mistyped key shows its message at its line within 500 ms', async () => {
  const page = await openExample();
  await openFile(page, 'main.ini');
  assert.equal(await page.$$eval('#messages li', (items) => items.length), 0);
  const line = await goToLine(page, 'Align=Left');
  await page.keyboard.press('ArrowRight');
  const typed = Date.now();
  await page.keyboard.type('l');
  const entry = `#messages li[data-file="main.ini"][data-line="${line}"]`;
  await page.waitForSelector(entry, { timeout: 500 });
  console.log(`figure: message shown ${Date.now() - typed} ms after the key; a re-render took ${(await page.evaluate(() => window.studio.lastRenderMs)).toFixed(0)} ms`);
  assert.match(await page.$eval(entry, (item) => item.textContent), /Allign=Left/);
  assert.notEqual(await page.$eval(`${entry} .explanation`, (item) => item.textContent), '');
  assert.equal(await page.$$eval('#editor .cm-lint-marker-error, #editor .cm-lint-marker-warning', (marks) => marks.length), 1);
  await page.close();
});

test('a tap on a button of the picture shows the command it starts', async () => {
  const page = await openExample();
  const count = await renders(page);
  const box = await page.$eval('#screen', (canvas) => {
    const rect = canvas.getBoundingClientRect();
    return { left: rect.left, top: rect.top, scale: rect.width / canvas.width };
  });
  // The "Notizen" button of the first page, in the screen's pixels.
  await page.mouse.click(Math.round(box.left + 58.5 * box.scale), Math.round(box.top + 155.5 * box.scale));
  await waitForRenderAfter(page, count);
  const lines = await page.$$eval('#trace li', (items) => items.map((item) => item.textContent));
  assert.ok(lines.some((line) => line.includes('starts \\Windows\\pword.exe')), lines.join('\n'));
  assert.deepEqual(await page.$$eval('#events li', (items) => items.map((item) => item.textContent)), ['3000 ms  tap 58 155']);
  await page.close();
});

test('a double tap on a page of the panel closes the panel', async () => {
  const page = await openExample();
  const count = await renders(page);
  const box = await page.$eval('#screen', (canvas) => {
    const rect = canvas.getBoundingClientRect();
    return { left: rect.left, top: rect.top, scale: rect.width / canvas.width };
  });
  // An empty spot of the first page, in the screen's pixels.
  await page.mouse.click(Math.round(box.left + 120.5 * box.scale), Math.round(box.top + 120.5 * box.scale), { count: 2 });
  await waitForRenderAfter(page, count);
  assert.deepEqual(await page.$$eval('#events li', (items) => items.map((item) => item.textContent)), ['3000 ms  dblclick 120 120']);
  await page.waitForFunction(() => document.getElementById('time').value === '4000'
    && document.getElementById('status').textContent.includes('at 4000 ms'), { timeout: 5000 });
  const lines = await page.$$eval('#trace li', (items) => items.map((item) => item.textContent));
  assert.ok(lines.some((line) => /exits with code 1$/.test(line)), lines.join('\n'));
  await page.close();
});

test('a battery at 50 % is drawn in its low colour, at 15 % in its critical one', async () => {
  const page = await openExample();
  const at75 = await screenPixels(page);
  assert.equal(countOf(at75, LOW_COLOUR), 0);
  assert.equal(countOf(at75, CRITICAL_COLOUR), 0);
  for (const [percent, present, absent] of [[50, LOW_COLOUR, CRITICAL_COLOUR], [15, CRITICAL_COLOUR, LOW_COLOUR]]) {
    const count = await renders(page);
    await page.$eval('#battery', (input, value) => {
      input.value = String(value);
      input.dispatchEvent(new Event('change'));
    }, percent);
    await waitForRenderAfter(page, count);
    const picture = await screenPixels(page);
    assert.ok(countOf(picture, present) > 0, `${percent} %`);
    assert.equal(countOf(picture, absent), 0, `${percent} %`);
  }
  await page.close();
});

test('playing the run moves the page through its opening animation', async () => {
  const page = await openExample();
  // Each picture drawn while playing, kept in the page as the time and a hash of its pixels.
  await page.evaluate(() => {
    window.playedFrames = [];
    document.addEventListener('studio:rendered', (event) => {
      const canvas = document.getElementById('screen');
      const data = canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
      let hash = 2166136261;
      for (let i = 0; i < data.length; ++i) hash = Math.imul(hash ^ data[i], 16777619) >>> 0;
      window.playedFrames.push({ time: event.detail.time, hash });
    });
  });
  const settled = await page.evaluate(() => {
    const canvas = document.getElementById('screen');
    return canvas.toDataURL();
  });
  await page.click('#play');
  await page.waitForFunction(() => window.playedFrames.length >= 8, { timeout: 10000 });
  await page.click('#play');
  const frames = (await page.evaluate(() => window.playedFrames)).slice(0, 8);
  assert.deepEqual(frames.map((frame) => frame.time), [0, 50, 100, 150, 200, 250, 300, 350]);
  const distinct = new Set(frames.map((frame) => frame.hash));
  assert.ok(distinct.size >= 4, `${distinct.size} different pictures in the first 350 ms`);
  assert.notEqual(await page.evaluate(() => document.getElementById('screen').toDataURL()), settled);
  await page.close();
});

test('a saved zip holds the files in UTF-16 with byte-order mark, edits included, and opens again', async () => {
  const page = await openExample();
  const downloads = mkdtempSync(join(tmpdir(), 'studio-downloads-'));
  const session = await page.target().createCDPSession();
  await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
  await openFile(page, 'main.ini');
  await goToLine(page, 'Align=Left');
  await page.keyboard.press('End');
  await page.keyboard.type('\n; geändert');
  await page.click('#download');
  const deadline = Date.now() + 5000;
  while (!readdirSync(downloads).includes('device.zip') && Date.now() < deadline) await new Promise((r) => setTimeout(r, 50));
  const saved = readFileSync(join(downloads, 'device.zip'));
  const files = await readZip(saved.buffer.slice(saved.byteOffset, saved.byteOffset + saved.length));
  // The edited file is written in the device's encoding; every other file
  // keeps its bytes, those in UTF-16 with their byte-order mark.
  const examples = join(here, '../../examples');
  assert.deepEqual([...files.keys()].sort(), exampleFiles().sort());
  assert.deepEqual([...files.get('main.ini').subarray(0, 2)], [0xff, 0xfe]);
  for (const [path, bytes] of files) {
    if (path !== 'main.ini') assert.deepEqual(Buffer.from(bytes), readFileSync(join(examples, path)), path);
  }
  const edited = decodeDeviceText(files.get('main.ini'));
  assert.match(edited, /\nAlign=Left\n; geändert\n/);
  assert.equal(edited.replace('\n; geändert', ''), decodeDeviceText(readFileSync(join(examples, 'main.ini'))));

  // The saved zip opens again as the folder it was, in place of the example.
  const editedLine = async () => {
    await openFile(page, 'main.ini');
    const lines = await page.$$eval('#editor .cm-line', (items) => items.map((item) => item.textContent));
    return lines[lines.indexOf('Align=Left') + 1];
  };
  let count = await renders(page);
  await page.click('#example');
  await waitForRenderAfter(page, count);
  assert.equal(await editedLine(), '');
  count = await renders(page);
  await (await page.$('#open-zip')).uploadFile(join(downloads, 'device.zip'));
  await waitForRenderAfter(page, count);
  assert.deepEqual(await page.$$eval('#files li', (items) => items.map((item) => item.dataset.path)), exampleFiles().sort());
  assert.equal(await editedLine(), '; geändert');
  rmSync(downloads, { recursive: true, force: true });
  await page.close();
});

test('short and long presses of a bound key start the daemon\'s two commands', async () => {
  const page = await openExample();
  let count = await renders(page);
  await page.select('#program', 'brellum');
  await waitForRenderAfter(page, count);
  await page.$eval('#time', (input) => {
    input.value = '0';
  });
  for (const [button, command] of [['#short-press', '\\Windows\\clock.exe'], ['#long-press', '\\Windows\\calc.exe']]) {
    count = await renders(page);
    await page.click(button);
    await waitForRenderAfter(page, count);
    const lines = await page.$$eval('#trace li', (items) => items.map((item) => item.textContent));
    assert.ok(lines.some((line) => line.includes(`starts ${command}`)), `${button}:\n${lines.join('\n')}`);
  }
  assert.deepEqual(await page.$$eval('#events li', (items) => items.map((item) => item.textContent)),
    ['0 ms  key 193 down', '1000 ms  key 193 up', '1500 ms  key 193 down', '3500 ms  key 193 up']);
  await page.close();
});

test('a link carries the text files in its fragment and opens them again', async () => {
  const page = await openExample();
  await openFile(page, 'main.ini');
  await goToLine(page, 'Align=Left');
  await page.keyboard.press('End');
  await page.keyboard.type('\n; über den Link');
  await page.click('#link');
  await page.waitForFunction(() => location.hash.startsWith('#files='));
  const link = await page.evaluate(() => location.href);
  await page.close();

  const opened = await browser.newPage();
  await opened.goto(link);
  await opened.waitForFunction(() => window.studio?.renders > 0, { timeout: 15000 });
  const listed = await opened.$$eval('#files li', (items) => items.map((item) => item.dataset.path));
  assert.deepEqual(listed, exampleFiles().filter((path) => /\.(ini|txt)$/i.test(path)).sort());
  await openFile(opened, 'main.ini');
  const lines = await opened.$$eval('#editor .cm-line', (items) => items.map((item) => item.textContent));
  assert.equal(lines[lines.indexOf('Align=Left') + 1], '; über den Link');
  console.log(`figure: a link to the example's text files is ${link.length} characters long`);
  await opened.close();
});

test('the editor completes section keywords, and the keys of the section it is in', async () => {
  const page = await openExample();
  await openFile(page, 'main.ini');
  await goToLine(page, 'Align=Left');
  await page.keyboard.press('End');
  const offered = async () => {
    await page.waitForSelector('.cm-tooltip-autocomplete li', { timeout: 2000 });
    // The editor takes no choice in the first moments of the list, as a person reads it first.
    await new Promise((resolve) => setTimeout(resolve, 200));
    return page.$$eval('.cm-tooltip-autocomplete li', (items) => items.map((item) => item.textContent));
  };
  await page.keyboard.type('\nFrameC');
  assert.ok((await offered()).some((label) => label.startsWith('FrameColor')));
  await page.keyboard.press('Enter');
  await page.keyboard.type('102030\n\nBITM');
  const keywords = await offered();
  assert.ok(keywords.includes('BITMAPBUTTON'), keywords.join(', '));
  await page.keyboard.press('Enter');
  const lines = await page.$$eval('#editor .cm-line', (items) => items.map((item) => item.textContent));
  const at = lines.indexOf('Align=Left');
  assert.deepEqual(lines.slice(at, at + 4), ['Align=Left', 'FrameColor=102030', '', 'BITMAPBUTTON']);
  await page.close();
});
