// The studio's module under node, through the page's own device code: the
// example's picture against native cesim's, the check's findings at their
// lines, and what a run says of a wrong script.
//   node --test module.test.mjs   (STUDIO_BUILD: the build's studio/ folder)
import { test } from 'node:test';
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';
import { readdirSync, readFileSync } from 'node:fs';
import { join, relative } from 'node:path';
import { fileURLToPath } from 'node:url';
import { SimulatedDevice } from '../../studio/src/device.js';
import { decodeDeviceText, encodeDeviceText } from '../../studio/src/encoding.js';
import { pictureDifference, readPng } from './png.mjs';

const here = fileURLToPath(new URL('.', import.meta.url));
const examples = join(here, '../../examples');
const build = process.env.STUDIO_BUILD;
const require = createRequire(import.meta.url);

function folderFiles(folder) {
  const files = new Map();
  const walk = (place) => {
    for (const entry of readdirSync(place, { withFileTypes: true })) {
      const path = join(place, entry.name);
      if (entry.isDirectory()) walk(path);
      else files.set(relative(folder, path), readFileSync(path));
    }
  };
  walk(folder);
  return files;
}

async function newDevice(files) {
  const module = await require(join(build, 'vessarine-studio.js'))();
  const device = new SimulatedDevice(module);
  for (const name of readdirSync(join(build, 'fonts'))) device.addFont(name, readFileSync(join(build, 'fonts', name)));
  device.setFiles(files);
  return device;
}

function asPixels(picture) {
  const pixels = new Uint32Array(picture.width * picture.height);
  for (let i = 0; i < pixels.length; ++i)
    pixels[i] = (picture.data[4 * i] << 16) | (picture.data[4 * i + 1] << 8) | picture.data[4 * i + 2];
  return { width: picture.width, height: picture.height, pixels };
}

test('the example draws the pixels native cesim drew of the same files', async () => {
  const device = await newDevice(folderFiles(examples));
  const result = device.run({ until: 3000 });
  assert.equal(result.status, 0, result.error);
  const native = readPng(join(here, '../acceptance/vessarine/example/expected.png'));
  assert.equal(pictureDifference(asPixels(result.picture), native), '');
  const expectedTrace = readFileSync(join(here, '../acceptance/vessarine/example/expected'), 'utf8').trim().split('\n');
  assert.deepEqual(result.trace.map((line) => JSON.stringify(line)), expectedTrace.map((line) => JSON.stringify(JSON.parse(line))));
});

test('a mistyped key is found at its line with the file it is in, and a run after the fix finds none', async () => {
  const files = folderFiles(examples);
  const device = await newDevice(files);
  assert.deepEqual(device.check().findings, []);

  const lines = decodeDeviceText(files.get('main.ini')).split('\n');
  const at = lines.indexOf('Align=Left');
  assert.ok(at > 0, 'the example has a line Align=Left');
  lines[at] = 'Allign=Left';
  device.setFile('main.ini', encodeDeviceText(lines.join('\n')));
  const findings = device.check().findings;
  assert.equal(findings.length, 1, JSON.stringify(findings));
  assert.equal(findings[0].file, 'main.ini');
  assert.equal(findings[0].line, at + 1);
  assert.match(findings[0].text, /Allign=Left/);
  assert.notEqual(findings[0].explanation, '');

  device.setFile('main.ini', files.get('main.ini'));
  assert.deepEqual(device.check().findings, []);
});

test('a script line that cannot be read stops the run with its message', async () => {
  const device = await newDevice(folderFiles(examples));
  const result = device.run({ script: 'tap 10\n' });
  assert.equal(result.status, 2);
  assert.match(result.error, /^script line 1: /);
  assert.equal(result.picture, null);
});

test('every section keyword comes with the keys its section takes', async () => {
  const device = await newDevice(new Map());
  const sections = device.sectionKeys();
  assert.deepEqual(Object.keys(sections), ['TEXT', 'SPACE', 'MEMORY', 'DISKMEM', 'BATTERY', 'DATE', 'TIME', 'BUTTON',
    'BITMAPBUTTON', 'ICONXPBUTTON', 'WINDOWSBUTTON', 'GLOBALSETTINGS', 'BRELLUM', 'SETTINGS']);
  for (const [keyword, keys] of Object.entries(sections)) {
    assert.ok(keys.length > 0, keyword);
    assert.equal(new Set(keys).size, keys.length, `${keyword} names each key once`);
  }
  for (const key of ['Text', 'Font', 'Align', 'CreateFont']) assert.ok(sections.TEXT.includes(key), key);
  for (const key of ['StartUpAnimation', 'BackgroundBitmap']) assert.ok(sections.GLOBALSETTINGS.includes(key), key);
  for (const key of ['KeyCode', 'Command', 'CommandLong']) assert.ok(sections.BRELLUM.includes(key), key);
  assert.ok(sections.SETTINGS.includes('ElapseTimeLong'));
  assert.ok(!sections.SPACE.includes('Font'));
});

test('device text comes back as UTF-16 with its byte-order mark', () => {
  const original = readFileSync(join(examples, 'main.ini'));
  const text = decodeDeviceText(original);
  assert.match(text, /^; Startseite: Texte in mehreren Schriften über/);
  assert.deepEqual(Buffer.from(encodeDeviceText(text)), original);
});
