// A device folder's files, as a Map of paths ("a/b.ini") to bytes, read from
// wherever the browser hands them over, and written back where it allows.
import { decodeDeviceText, encodeDeviceText, isTextFile } from './encoding.js';
import { readZip } from './zip.js';

// A folder picked in the file dialog: the paths start with the folder's own name.
export async function readPickedFolder(fileList) {
  const files = new Map();
  for (const file of fileList) {
    const path = (file.webkitRelativePath || file.name).split('/').slice(1).join('/') || file.name;
    files.set(path, new Uint8Array(await file.arrayBuffer()));
  }
  return files;
}

// A zip of one folder gives that folder's files, as if the folder were opened.
export async function readZipFolder(buffer) {
  const files = await readZip(buffer);
  const tops = new Set([...files.keys()].map((path) => path.split('/')[0]));
  const oneFolder = tops.size === 1 && [...files.keys()].every((path) => path.includes('/'));
  return oneFolder ? new Map([...files].map(([path, bytes]) => [path.slice(path.indexOf('/') + 1), bytes])) : files;
}

// A folder dropped on the page (a FileSystemDirectoryEntry).
export async function readDroppedFolder(entry) {
  const files = new Map();
  const walk = async (folder, prefix) => {
    const reader = folder.createReader();
    for (let batch; (batch = await new Promise((resolve, reject) => reader.readEntries(resolve, reject))).length;) {
      for (const child of batch) {
        if (child.isDirectory) {
          await walk(child, `${prefix}${child.name}/`);
        } else {
          const file = await new Promise((resolve, reject) => child.file(resolve, reject));
          files.set(`${prefix}${child.name}`, new Uint8Array(await file.arrayBuffer()));
        }
      }
    }
  };
  await walk(entry, '');
  return files;
}

// A folder opened through the File System Access API (a directory handle).
export async function readFolderHandle(handle) {
  const files = new Map();
  const walk = async (folder, prefix) => {
    for await (const [name, child] of folder.entries()) {
      if (child.kind === 'directory') await walk(child, `${prefix}${name}/`);
      else files.set(`${prefix}${name}`, new Uint8Array(await (await child.getFile()).arrayBuffer()));
    }
  };
  await walk(handle, '');
  return files;
}

// Writes the files at `paths` into the folder of `handle`, making folders as needed.
export async function writeToFolderHandle(handle, files, paths) {
  for (const path of paths) {
    const parts = path.split('/');
    let folder = handle;
    for (const part of parts.slice(0, -1)) folder = await folder.getDirectoryHandle(part, { create: true });
    const writable = await (await folder.getFileHandle(parts.at(-1), { create: true })).createWritable();
    await writable.write(files.get(path));
    await writable.close();
  }
}

// A link's fragment with the text files, deflated: the server never sees
// them. Pictures and programs are left out, which keeps it small.
export const LINK_PREFIX = '#files=';

export async function linkFragment(files) {
  const texts = Object.fromEntries([...files].filter(([path]) => isTextFile(path))
    .map(([path, bytes]) => [path, decodeDeviceText(bytes)]));
  const packed = new Uint8Array(await new Response(new Blob([JSON.stringify(texts)]).stream()
    .pipeThrough(new CompressionStream('deflate-raw'))).arrayBuffer());
  let binary = '';
  for (const byte of packed) binary += String.fromCharCode(byte);
  return `${LINK_PREFIX}${btoa(binary).replaceAll('+', '-').replaceAll('/', '_').replaceAll('=', '')}`;
}

export async function readLinkFragment(fragment) {
  const text = fragment.slice(LINK_PREFIX.length).replaceAll('-', '+').replaceAll('_', '/');
  const binary = atob(text + '='.repeat((4 - (text.length % 4)) % 4));
  const packed = Uint8Array.from(binary, (char) => char.charCodeAt(0));
  const json = await new Response(new Blob([packed]).stream().pipeThrough(new DecompressionStream('deflate-raw'))).text();
  return new Map(Object.entries(JSON.parse(json)).map(([path, content]) => [path, encodeDeviceText(content)]));
}
