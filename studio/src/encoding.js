// The device reads its text files as UTF-16 (little-endian) with a byte-order
// mark; the editor shows them as text and every save writes them that way.

const TEXT_EXTENSIONS = ['.ini', '.txt'];

export function isTextFile(path) {
  const lower = path.toLowerCase();
  return TEXT_EXTENSIONS.some((extension) => lower.endsWith(extension));
}

// The text of a file's bytes, with plain line ends: UTF-16 after its
// byte-order mark (either order), UTF-8 after its mark, else Windows-1252 as
// the device's other files are.
export function decodeDeviceText(bytes) {
  return decodeBytes(bytes).replace(/\r\n/g, '\n');
}

function decodeBytes(bytes) {
  if (bytes.length >= 2 && bytes[0] === 0xff && bytes[1] === 0xfe)
    return new TextDecoder('utf-16le').decode(bytes.subarray(2));
  if (bytes.length >= 2 && bytes[0] === 0xfe && bytes[1] === 0xff)
    return new TextDecoder('utf-16be').decode(bytes.subarray(2));
  if (bytes.length >= 3 && bytes[0] === 0xef && bytes[1] === 0xbb && bytes[2] === 0xbf)
    return new TextDecoder('utf-8').decode(bytes.subarray(3));
  return new TextDecoder('windows-1252').decode(bytes);
}

// UTF-16LE with its byte-order mark; line ends as the device writes them.
export function encodeDeviceText(text) {
  const normalised = text.replace(/\r?\n/g, '\r\n');
  const bytes = new Uint8Array(2 + normalised.length * 2);
  bytes[0] = 0xff;
  bytes[1] = 0xfe;
  for (let i = 0; i < normalised.length; ++i) {
    const unit = normalised.charCodeAt(i);
    bytes[2 + 2 * i] = unit & 0xff;
    bytes[3 + 2 * i] = unit >> 8;
  }
  return bytes;
}
