// Reads the 8-bit RGB and RGBA pictures the simulated device and the tests
// write, as rows of 0xRRGGBB pixels.
import { inflateSync } from 'node:zlib';
import { readFileSync } from 'node:fs';

const SIGNATURE = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);

function paeth(left, up, upLeft) {
  const guess = left + up - upLeft;
  const toLeft = Math.abs(guess - left), toUp = Math.abs(guess - up), toUpLeft = Math.abs(guess - upLeft);
  if (toLeft <= toUp && toLeft <= toUpLeft) return left;
  return toUp <= toUpLeft ? up : upLeft;
}

export function decodePng(bytes) {
  if (bytes.length < 8 || !bytes.subarray(0, 8).equals(SIGNATURE)) throw new Error('not a PNG picture');
  let width = 0, height = 0, channels = 0;
  const data = [];
  for (let at = 8; at + 8 <= bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    const body = bytes.subarray(at + 8, at + 8 + length);
    if (type === 'IHDR') {
      width = body.readUInt32BE(0);
      height = body.readUInt32BE(4);
      const depth = body[8], colour = body[9], interlace = body[12];
      if (depth !== 8 || (colour !== 2 && colour !== 6) || interlace !== 0)
        throw new Error(`a PNG picture of a kind not read here (depth ${depth}, colour type ${colour})`);
      channels = colour === 2 ? 3 : 4;
    } else if (type === 'IDAT') {
      data.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  if (!channels) throw new Error('a PNG picture without its header');
  const raw = inflateSync(Buffer.concat(data));
  const stride = width * channels;
  if (raw.length < height * (stride + 1)) throw new Error('a PNG picture cut short');
  const rows = Buffer.alloc(height * stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const source = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? rows[y * stride + x - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const upLeft = y > 0 && x >= channels ? rows[(y - 1) * stride + x - channels] : 0;
      const predictor = [0, left, up, (left + up) >> 1, paeth(left, up, upLeft)][filter];
      if (predictor === undefined) throw new Error(`a PNG row with the unknown filter ${filter}`);
      rows[y * stride + x] = (source[x] + predictor) & 0xff;
    }
  }
  const pixels = new Uint32Array(width * height);
  for (let i = 0; i < pixels.length; ++i)
    pixels[i] = (rows[i * channels] << 16) | (rows[i * channels + 1] << 8) | rows[i * channels + 2];
  return { width, height, pixels };
}

export function readPng(path) {
  return decodePng(readFileSync(path));
}

// Empty when the two pictures are the same, else what differs, the first few
// pixels listed.
export function pictureDifference(actual, expected, listed = 5) {
  if (actual.width !== expected.width || actual.height !== expected.height)
    return `the picture is ${actual.width}x${actual.height}, expected ${expected.width}x${expected.height}`;
  const hex = (pixel) => pixel.toString(16).toUpperCase().padStart(6, '0');
  let differing = 0, first = '';
  for (let i = 0; i < actual.pixels.length; ++i) {
    if (actual.pixels[i] === expected.pixels[i]) continue;
    if (differing++ < listed)
      first += `\n  (${i % actual.width}, ${Math.floor(i / actual.width)}) is ${hex(actual.pixels[i])}, expected ${hex(expected.pixels[i])}`;
  }
  return differing ? `${differing} of ${actual.pixels.length} pixels differ:${first}` : '';
}
