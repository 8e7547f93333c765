// The studio page: a device folder in an editor beside the simulated screen.
// Every edit runs the program's check and the program itself on the simulated
// device in the module, and shows the picture, the findings and the trace.
import { SimulatedDevice } from './device.js';
import { decodeDeviceText, encodeDeviceText, isTextFile } from './encoding.js';
import { readableTrace } from './trace.js';
import { readZip, writeZip } from './zip.js';
import { LINK_PREFIX, linkFragment, readDroppedFolder, readFolderHandle, readLinkFragment, readPickedFolder,
  readZipFolder, writeToFolderHandle } from './folders.js';

const RENDER_DELAY_MS = 80;
const TAP_FOLLOW_MS = 1000;
const $ = (id) => document.getElementById(id);

const page = {
  files: new Map(), // path -> bytes as the device has them
  current: null, // the path in the editor
  edited: false, // its text changed since it was opened
  opening: false, // the editor is being filled, not edited
  events: [], // { at, line }
  device: null,
  editor: null,
  renderTimer: null,
  playing: false,
  fontsTried: new Set(),
  shownFindings: [],
  changed: new Set(), // paths edited since the folder was opened or saved
  folderHandle: null,
};
// Read by the browser tests and the figures: how many renders, how long they took.
window.studio = { renders: 0, firstPictureMs: null, lastRenderMs: null };

function setStatus(text) {
  $('status').textContent = text;
}

// The battery's flags as the device reports them with its percentage: high,
// low or critical, and charging.
function batteryFlag(percent, charging) {
  const level = percent > 66 ? 1 : percent < 5 ? 4 : percent < 33 ? 2 : 0;
  return level | (charging ? 8 : 0);
}

// The device's state as script lines; memory and storage only when changed,
// so that an untouched page shows what cesim shows by default.
const DEFAULT_MEMORY = { total: 67108864, totalVirtual: 33554432, availableVirtual: 25165824 };
const DEFAULT_STORAGE_BYTES = 1073741824;

function stateLines() {
  const lines = [];
  const memoryLoad = Number($('memory-load').value);
  if (memoryLoad !== 50) {
    const available = Math.round((DEFAULT_MEMORY.total * (100 - memoryLoad)) / 100);
    lines.push(`memory ${DEFAULT_MEMORY.total} ${available} ${DEFAULT_MEMORY.totalVirtual} ${DEFAULT_MEMORY.availableVirtual}`);
  }
  const storageLoad = Number($('storage-load').value);
  if (storageLoad !== 50)
    lines.push(`disk \\ ${DEFAULT_STORAGE_BYTES} ${Math.round((DEFAULT_STORAGE_BYTES * (100 - storageLoad)) / 100)}`);
  return lines;
}

function runOptions() {
  const options = ['--locale', $('locale').value, '--screen', $('screen-size').value];
  const clock = $('clock').value;
  if (clock) options.push('--clock', clock.length === 16 ? `${clock}:00` : clock);
  return options;
}

function scriptText() {
  const percent = Math.min(100, Math.max(0, Math.round(Number($('battery').value) || 0)));
  const lines = [`power BatteryLifePercent=${percent} BatteryFlag=${batteryFlag(percent, $('charging').checked)} `
    + `ACLineStatus=${$('external-power').checked ? 1 : 0}`, ...stateLines()];
  let now = 0;
  for (const event of [...page.events].sort((a, b) => a.at - b.at)) {
    if (event.at > now) lines.push(`wait ${event.at - now}`);
    now = Math.max(now, event.at);
    lines.push(event.line);
  }
  return `${lines.join('\n')}\n`;
}

// The edited file's text; null when it is as it was opened, so that a file
// only looked at keeps its bytes.
function editedText() {
  return page.current && page.edited ? page.editor.text() : null;
}

function keepEdits() {
  const text = editedText();
  if (text === null) return;
  page.files.set(page.current, encodeDeviceText(text));
  page.device.setFile(page.current, page.files.get(page.current));
  page.changed.add(page.current);
}

async function loadFonts(names) {
  await Promise.all(names.map(async (name) => {
    const response = await fetch(`fonts/${name}`);
    if (response.ok) page.device.addFont(name, new Uint8Array(await response.arrayBuffer()));
    else setStatus(`the font ${name} could not be loaded`);
  }));
}

async function render() {
  const started = performance.now();
  keepEdits();
  const program = $('program').value;
  const options = runOptions();
  const time = Number($('time').value);
  let result = page.device.run({ program, until: time, script: scriptText(), options });
  // Each font file the run asked for is fetched once; a file that cannot be
  // fetched leaves its texts undrawn, as on a device without it.
  for (let rounds = 0; result.missingFonts?.length && rounds < 3; ++rounds) {
    const wanted = result.missingFonts.filter((name) => !page.fontsTried.has(name));
    if (!wanted.length) break;
    wanted.forEach((name) => page.fontsTried.add(name));
    await loadFonts(wanted);
    result = page.device.run({ program, until: time, script: scriptText(), options });
  }
  showPicture(result.picture);
  if (window.studio.firstPictureMs === null && result.picture) window.studio.firstPictureMs = performance.now();
  const checked = page.device.check({ program, options });
  showFindings(checked.findings ?? [], result.error);
  showTrace(result.trace);
  const took = performance.now() - started;
  window.studio.lastRenderMs = took;
  window.studio.renders += 1;
  setStatus(`${program} at ${time} ms · ${took.toFixed(0)} ms`);
  document.dispatchEvent(new CustomEvent('studio:rendered', { detail: { time, ms: took } }));
}

function scheduleRender(delay = RENDER_DELAY_MS) {
  clearTimeout(page.renderTimer);
  page.renderTimer = setTimeout(() => render().catch((error) => setStatus(error.message)), delay);
}

function showPicture(picture) {
  const canvas = $('screen');
  if (!picture) return;
  if (canvas.width !== picture.width || canvas.height !== picture.height) {
    canvas.width = picture.width;
    canvas.height = picture.height;
  }
  canvas.getContext('2d').putImageData(new ImageData(picture.data, picture.width, picture.height), 0, 0);
  applyZoom();
}

function applyZoom() {
  const canvas = $('screen');
  const zoom = Number($('zoom').value);
  canvas.style.width = `${canvas.width * zoom}px`;
  canvas.style.height = `${canvas.height * zoom}px`;
}

function showFindings(findings, runError) {
  const list = $('messages');
  list.replaceChildren();
  const inFile = new Set();
  const shown = runError ? [{ kind: 'error', file: null, line: 0, text: runError, caption: '', explanation: '' }, ...findings] : findings;
  for (const finding of shown) {
    const item = document.createElement('li');
    item.className = finding.kind;
    if (finding.file) {
      item.dataset.file = finding.file.replaceAll('\\', '/');
      item.dataset.line = String(finding.line);
      inFile.add(item.dataset.file);
    }
    const where = finding.file ? `${item.dataset.file}:${finding.line}: ` : '';
    item.append(`${where}${finding.kind}: ${finding.caption ? `${finding.caption} ` : ''}${finding.text}`);
    if (finding.explanation) {
      const explanation = document.createElement('span');
      explanation.className = 'explanation';
      explanation.textContent = finding.explanation;
      item.append(explanation);
    }
    item.addEventListener('click', () => {
      if (!item.dataset.file) return;
      if (item.dataset.file !== page.current && page.files.has(item.dataset.file)) openFile(item.dataset.file);
      page.editor?.goToLine(Number(item.dataset.line));
    });
    list.append(item);
  }
  for (const entry of $('files').children) entry.classList.toggle('has-findings', inFile.has(entry.dataset.path));
  page.shownFindings = shown;
  showFindingsInEditor();
}

function showFindingsInEditor() {
  page.editor?.showFindings(page.shownFindings
    .filter((finding) => finding.file && finding.file.replaceAll('\\', '/') === page.current)
    .map((finding) => ({
      line: finding.line,
      severity: finding.kind === 'warning' ? 'warning' : 'error',
      message: [finding.caption, finding.text, finding.explanation].filter(Boolean).join('\n'),
    })));
}

function showTrace(records) {
  const list = $('trace');
  list.replaceChildren(...readableTrace(records).map((line) => {
    const item = document.createElement('li');
    item.textContent = line;
    return item;
  }));
}

function showEvents() {
  $('events').replaceChildren(...[...page.events].sort((a, b) => a.at - b.at).map((event) => {
    const item = document.createElement('li');
    item.textContent = `${event.at} ms  ${event.line}`;
    return item;
  }));
}

function showFileList() {
  const list = $('files');
  list.replaceChildren(...[...page.files.keys()].sort().map((path) => {
    const item = document.createElement('li');
    item.textContent = path;
    item.dataset.path = path;
    if (!isTextFile(path)) item.classList.add('binary');
    else item.addEventListener('click', () => openFile(path));
    item.classList.toggle('current', path === page.current);
    return item;
  }));
}

function openFile(path) {
  keepEdits();
  page.current = path;
  page.edited = false;
  page.opening = true;
  page.editor?.open(decodeDeviceText(page.files.get(path)));
  page.opening = false;
  showFileList();
  scheduleRender(0);
}

function firstFileToEdit() {
  const texts = [...page.files.keys()].filter(isTextFile).sort();
  return texts.find((path) => /^vessarinesettings\.ini$/i.test(path)) ?? texts.find((path) => /main\.ini$/i.test(path)) ?? texts[0] ?? null;
}

function useFiles(files, name) {
  page.files = files;
  page.changed = new Set();
  page.folderHandle = null;
  $('save').hidden = true;
  page.events = [];
  page.device.setFiles(files);
  page.current = null;
  const first = firstFileToEdit();
  if (first) openFile(first);
  else {
    page.editor?.open('');
    showFileList();
    scheduleRender(0);
  }
  showEvents();
  setStatus(`opened ${name}`);
}

async function fetchExample() {
  const response = await fetch('example.zip');
  if (!response.ok) throw new Error('the example could not be loaded');
  return readZip(await response.arrayBuffer());
}

async function openExample(fetching = fetchExample()) {
  useFiles(await fetching, 'the example');
}

// The default face, which nearly every layout uses, comes with the module.
const DEFAULT_FONTS = ['DejaVuSans.ttf', 'DejaVuSans-Bold.ttf'];

async function openZip(file) {
  useFiles(await readZipFolder(await file.arrayBuffer()), file.name);
}

async function copyLink() {
  keepEdits();
  const link = `${location.origin}${location.pathname}${await linkFragment(page.files)}`;
  history.replaceState(null, '', link);
  await navigator.clipboard?.writeText(link).catch(() => {});
  setStatus(`link of ${link.length} characters in the address bar${navigator.clipboard ? ' and copied' : ''}`);
}

// Dropped: a zip, or a folder (its files, as if it were opened).
async function openDropped(transfer) {
  const entry = transfer.items?.[0]?.webkitGetAsEntry?.();
  if (entry?.isDirectory) {
    useFiles(await readDroppedFolder(entry), entry.name);
    return;
  }
  const file = transfer.files[0];
  if (file && /\.zip$/i.test(file.name)) await openZip(file);
  else setStatus('drop a device folder or a zip of one');
}

// The File System Access API, where the browser has it: a folder opened
// through it is saved back in place.
async function openFolderInPlace() {
  const handle = await window.showDirectoryPicker({ mode: 'readwrite' });
  useFiles(await readFolderHandle(handle), handle.name);
  page.folderHandle = handle;
  $('save').hidden = false;
}

async function saveToFolder() {
  keepEdits();
  if (!page.folderHandle) return;
  const saved = page.changed.size;
  await writeToFolderHandle(page.folderHandle, page.files, page.changed);
  page.changed.clear();
  setStatus(`saved ${saved} file${saved === 1 ? '' : 's'} to ${page.folderHandle.name}`);
}

function download() {
  keepEdits();
  const link = document.createElement('a');
  link.href = URL.createObjectURL(writeZip(page.files));
  link.download = 'device.zip';
  link.click();
  setTimeout(() => URL.revokeObjectURL(link.href), 10000);
}

function devicePoint(event) {
  const canvas = $('screen');
  const rect = canvas.getBoundingClientRect();
  return {
    x: Math.floor(((event.clientX - rect.left) * canvas.width) / rect.width),
    y: Math.floor(((event.clientY - rect.top) * canvas.height) / rect.height),
  };
}

// A tap at the time shown; the time then moves on so that what it starts is
// seen. The second click of a double click makes its tap a double tap.
function tapAt(event) {
  const { x, y } = devicePoint(event);
  const last = page.events.at(-1);
  let at = Number($('time').value);
  if (event.detail === 2 && last?.line === `tap ${x} ${y}`) {
    last.line = `dblclick ${x} ${y}`;
    at = last.at;
  } else if (event.detail <= 1) {
    page.events.push({ at, line: `tap ${x} ${y}` });
  } else {
    return;
  }
  $('time').value = String(Math.min(Number($('time').max), at + TAP_FOLLOW_MS));
  showTime();
  showEvents();
  scheduleRender(0);
}

// A key held down at the time shown, for the daemon's bindings: about a
// second starts Command, about two CommandLong.
const SHORT_PRESS_MS = 1000;
const LONG_PRESS_MS = 2000;

function pressKey(hold) {
  const code = Math.min(255, Math.max(1, Math.round(Number($('key-code').value) || 0)));
  const at = Number($('time').value);
  page.events.push({ at, line: `key ${code} down` }, { at: at + hold, line: `key ${code} up` });
  $('time').value = String(Math.min(Number($('time').max), at + hold + 500));
  showTime();
  showEvents();
  scheduleRender(0);
}

function showTime() {
  $('time-shown').textContent = `${$('time').value} ms`;
}

// Plays the run from its start: the opening animation, then the clock going
// on. Every step of virtual time is shown, no faster than real time.
const PLAY_STEP_MS = 50;

function play() {
  if (page.playing) {
    page.playing = false;
    return;
  }
  page.playing = true;
  $('play').textContent = 'Stop';
  const slider = $('time');
  const started = performance.now();
  let time = -PLAY_STEP_MS;
  const step = async () => {
    if (!page.playing || time >= Number(slider.max)) {
      page.playing = false;
      $('play').textContent = 'Play';
      return;
    }
    if (performance.now() - started >= time + PLAY_STEP_MS) {
      time += PLAY_STEP_MS;
      slider.value = String(time);
      showTime();
      await render();
    }
    requestAnimationFrame(step);
  };
  requestAnimationFrame(step);
}

async function start() {
  const wantsExample = new URLSearchParams(location.search).has('example');
  const example = wantsExample ? fetchExample() : null;
  const fonts = DEFAULT_FONTS.map(async (name) => [name, new Uint8Array(await (await fetch(`fonts/${name}`)).arrayBuffer())]);
  // The editor comes while the first picture is made.
  const editor = import('./editor.js');
  const module = await window.createStudio();
  page.device = new SimulatedDevice(module);
  for (const [name, bytes] of await Promise.all(fonts)) page.device.addFont(name, bytes);
  editor.then(({ createEditor }) => {
    page.editor = createEditor($('editor'), {
      onChange: () => {
        if (page.opening) return;
        page.edited = true;
        scheduleRender();
      },
      sectionKeys: page.device.sectionKeys(),
    });
    page.opening = true;
    page.editor.open(page.current ? decodeDeviceText(page.files.get(page.current)) : '');
    page.opening = false;
    showFindingsInEditor();
  }).catch((error) => setStatus(`the editor could not be loaded: ${error.message}`));
  $('zoom').addEventListener('change', applyZoom);
  $('time').addEventListener('input', () => {
    showTime();
    scheduleRender(0);
  });
  for (const id of ['program', 'battery', 'charging', 'external-power', 'locale', 'memory-load', 'storage-load', 'clock',
    'screen-size'])
    $(id).addEventListener('change', () => scheduleRender(0));
  $('battery').addEventListener('input', () => scheduleRender());
  $('screen').addEventListener('click', tapAt);
  $('play').addEventListener('click', play);
  $('short-press').addEventListener('click', () => pressKey(SHORT_PRESS_MS));
  $('long-press').addEventListener('click', () => pressKey(LONG_PRESS_MS));
  $('link').addEventListener('click', () => copyLink().catch((error) => setStatus(error.message)));
  $('save').addEventListener('click', () => saveToFolder().catch((error) => setStatus(error.message)));
  for (const kind of ['dragover', 'drop']) document.addEventListener(kind, (event) => event.preventDefault());
  document.addEventListener('drop', (event) => openDropped(event.dataTransfer).catch((error) => setStatus(error.message)));
  $('clear-events').addEventListener('click', () => {
    page.events = [];
    showEvents();
    scheduleRender(0);
  });
  $('example').addEventListener('click', () => openExample().catch((error) => setStatus(error.message)));
  $('download').addEventListener('click', download);
  // Where the browser can write back to a folder, the folder button opens it so.
  if (window.showDirectoryPicker) {
    $('open-folder').addEventListener('click', (event) => {
      event.preventDefault();
      openFolderInPlace().catch((error) => setStatus(error.message));
    });
  }
  $('open-folder').addEventListener('change', (event) => {
    const picked = event.target.files;
    readPickedFolder(picked).then((files) => useFiles(files, picked[0]?.webkitRelativePath.split('/')[0] ?? 'a folder'))
      .catch((error) => setStatus(error.message));
  });
  $('open-zip').addEventListener('change', (event) => openZip(event.target.files[0]).catch((error) => setStatus(error.message)));
  applyZoom();
  showTime();
  if (location.hash.startsWith(LINK_PREFIX)) useFiles(await readLinkFragment(location.hash), 'the link');
  else if (example) await openExample(example);
  else setStatus('open a device folder, a zip, or the example');
}

start().catch((error) => setStatus(`the studio could not start: ${error.message}`));
