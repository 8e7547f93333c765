// The simulated device in the module: the page's files go into the module's
// file system, a run or a check of a program comes back as plain objects.

const ROOT = '/device';
const FONTS = '/fonts';

function removeTree(fs, path) {
  for (const name of fs.readdir(path)) {
    if (name === '.' || name === '..') continue;
    const child = `${path}/${name}`;
    if (fs.isDir(fs.stat(child).mode)) {
      removeTree(fs, child);
      fs.rmdir(child);
    } else {
      fs.unlink(child);
    }
  }
}

function makeFolders(fs, path) {
  let place = '';
  for (const part of path.split('/').slice(1, -1)) {
    place += `/${part}`;
    if (!fs.analyzePath(place).exists) fs.mkdir(place);
  }
}

export class SimulatedDevice {
  constructor(module) {
    this.module = module;
    for (const folder of [ROOT, FONTS]) {
      if (!module.FS.analyzePath(folder).exists) module.FS.mkdir(folder);
    }
    // The check names files as the user would type them, from here.
    module.FS.chdir(ROOT);
  }

  // `files`: a Map of paths below the device's root ("a/b.ini") to their bytes.
  setFiles(files) {
    const fs = this.module.FS;
    removeTree(fs, ROOT);
    for (const [path, bytes] of files) {
      const target = `${ROOT}/${path}`;
      makeFolders(fs, target);
      fs.writeFile(target, bytes);
    }
  }

  setFile(path, bytes) {
    const target = `${ROOT}/${path}`;
    makeFolders(this.module.FS, target);
    this.module.FS.writeFile(target, bytes);
  }

  hasFont(name) {
    return this.module.FS.analyzePath(`${FONTS}/${name}`).exists;
  }

  addFont(name, bytes) {
    this.module.FS.writeFile(`${FONTS}/${name}`, bytes);
  }

  // The program for `until` virtual milliseconds with the event script;
  // `options` are further cesim options (--tick, --locale, --screen, ...).
  run({ program = 'vessarine', until = 3000, script = '', options = [] } = {}) {
    const result = this.call([program, '--root', '.', '--until', String(until), ...options], script);
    result.trace = result.trace ?? [];
    const address = this.module.ccall('studio_pixels', 'number', [], []);
    result.picture = address && result.width > 0
      ? { width: result.width, height: result.height,
          data: new Uint8ClampedArray(this.module.HEAPU8.slice(address, address + result.width * result.height * 4)) }
      : null;
    return result;
  }

  // What the program's check finds in the files: errors with their English
  // explanation, and warnings, each at its file and line where it has one.
  check({ program = 'vessarine', options = [] } = {}) {
    return this.call([program, '--check', '--root', '.', ...options], '');
  }

  // The section keywords of the panel's layout files and the daemon's binding
  // files, each with the keys it takes, from the programs' own tables.
  sectionKeys() {
    return JSON.parse(this.module.ccall('studio_section_keys', 'string', [], []));
  }

  call(argumentList, script) {
    return JSON.parse(this.module.ccall('studio_run', 'string', ['string', 'string'], [argumentList.join('\n'), script]));
  }
}
