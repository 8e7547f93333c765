// Runs the WebAssembly cesim under node on one acceptance case folder and
// compares its exit status, its trace line by line and, where the folder has
// expected.png, its picture of the screen pixel by pixel.
//   node acceptance.mjs CESIM.js CASE-FOLDER EXAMPLES-FOLDER
import { spawnSync } from 'node:child_process';
import { existsSync, mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pictureDifference, readPng } from './png.mjs';

const [cesim, folder, examples] = process.argv.slice(2);
const lines = (path) => readFileSync(path, 'utf8').split('\n').filter((line, i, all) => i < all.length - 1 || line);

const scratch = mkdtempSync(join(tmpdir(), 'studio-acceptance-'));
const trace = join(scratch, 'trace'), shot = join(scratch, 'screen.png');
const given = lines(join(folder, 'args')).map((argument) =>
  argument.replaceAll('@ROOT@', join(folder, 'root')).replaceAll('@EXAMPLES@', examples));
const options = ['--trace', trace];
if (existsSync(join(folder, 'script'))) options.push('--script', join(folder, 'script'));
const comparesPicture = existsSync(join(folder, 'expected.png'));
if (comparesPicture) options.push('--shot', shot);

const run = spawnSync(process.execPath, ['--no-experimental-fetch', cesim, given[0], ...options, ...given.slice(1)],
  { encoding: 'utf8', timeout: 60000 });
const failures = [];
const expectedStatus = existsSync(join(folder, 'status')) ? Number(lines(join(folder, 'status'))[0]) : 0;
if (run.status !== expectedStatus)
  failures.push(`exit status ${run.status ?? run.signal}, expected ${expectedStatus}\n${run.stderr}`);

const actual = existsSync(trace) ? lines(trace) : [];
const expected = lines(join(folder, 'expected'));
for (let i = 0; i < Math.max(actual.length, expected.length); ++i) {
  if (actual[i] !== expected[i])
    failures.push(`trace line ${i + 1}: ${actual[i] ?? '(no line)'}\n           expected ${expected[i] ?? '(no line)'}`);
}
if (comparesPicture) {
  if (!existsSync(shot)) {
    failures.push('cesim wrote no picture of the screen');
  } else {
    const difference = pictureDifference(readPng(shot), readPng(join(folder, 'expected.png')));
    if (difference) failures.push(difference);
  }
}
rmSync(scratch, { recursive: true, force: true });
for (const failure of failures) console.log(failure);
process.exit(failures.length ? 1 : 0);
