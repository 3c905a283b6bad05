// Checks the web build in Debian's headless Chromium against this machine's headless build:
//   node web-check.mjs --page DIR --native GAME --driver DIR --out DIR
// The page plays an input script in the browser and writes the frames it asks for; the same seed
// and script run headless here give the reference frames, and every pair must be the same pixel
// for pixel. Then the page is reloaded to see the player's files came back from the browser's
// storage. Prints the timings; exits 1 on a difference or a failure.
import {spawn, spawnSync} from 'node:child_process';
import {mkdirSync, mkdtempSync, readFileSync, rmSync, symlinkSync, writeFileSync, readdirSync} from 'node:fs';
import {createRequire} from 'node:module';
import {tmpdir} from 'node:os';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {inflateSync} from 'node:zlib';

const options = {};
for (let i = 2; i + 1 < process.argv.length; i += 2) {
  options[process.argv[i].replace(/^--/, '')] = resolve(process.argv[i + 1]);
}
const puppeteer = createRequire(join(options.driver, 'node_modules', '/'))('puppeteer-core');
const here = dirname(fileURLToPath(import.meta.url));
mkdirSync(options.out, {recursive: true});

// The title has settled by this frame in either build: its fade and the loading screen are over
// (a browser's loader runs beside the frames, and shows the loading screen a little longer).
const kSeed = 3;
const kFrames = 420;
const kShots = [
  {frame: 300, what: 'the title'},
  {frame: 360, what: 'the title, the cursor on a menu item'},
  {frame: 420, what: 'the option screen'},
];
const kScript = `# the web check's input: hover a menu item, then open the options
330 move 470 391
390 click left
`;
const kTimeoutMs = 120000;

function fail(message) {
  console.error(`web check: ${message}`);
  process.exitCode = 1;
}

// The pixels of an 8-bit RGB or RGBA PNG without interlacing (what the game writes), as RGBA.
function decodePng(bytes) {
  const width = bytes.readUInt32BE(16);
  const height = bytes.readUInt32BE(20);
  const depth = bytes[24];
  const colour = bytes[25];
  const interlace = bytes[28];
  const channels = {2: 3, 6: 4}[colour];
  if (depth !== 8 || channels === undefined || interlace !== 0) {
    throw new Error(`unexpected PNG (depth ${depth}, colour type ${colour}, interlace ${interlace})`);
  }
  const chunks = [];
  for (let at = 8; at < bytes.length;) {
    const length = bytes.readUInt32BE(at);
    const type = bytes.toString('latin1', at + 4, at + 8);
    if (type === 'IDAT') {
      chunks.push(bytes.subarray(at + 8, at + 8 + length));
    }
    at += 12 + length;
  }
  const data = inflateSync(Buffer.concat(chunks));
  const stride = width * channels;
  const rows = Buffer.alloc(stride * height);
  for (let y = 0; y < height; ++y) {
    const filter = data[y * (stride + 1)];
    const line = data.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    for (let x = 0; x < stride; ++x) {
      const left = x >= channels ? rows[y * stride + x - channels] : 0;
      const up = y > 0 ? rows[(y - 1) * stride + x] : 0;
      const corner = x >= channels && y > 0 ? rows[(y - 1) * stride + x - channels] : 0;
      let predicted = 0;
      if (filter === 1) predicted = left;
      else if (filter === 2) predicted = up;
      else if (filter === 3) predicted = (left + up) >> 1;
      else if (filter === 4) {
        const p = left + up - corner;
        const pa = Math.abs(p - left), pb = Math.abs(p - up), pc = Math.abs(p - corner);
        predicted = pa <= pb && pa <= pc ? left : pb <= pc ? up : corner;
      }
      rows[y * stride + x] = (line[x] + predicted) & 0xff;
    }
  }
  const rgba = Buffer.alloc(width * height * 4, 0xff);
  for (let i = 0; i < width * height; ++i) {
    rows.copy(rgba, i * 4, i * channels, i * channels + 3);
    if (channels === 4) rgba[i * 4 + 3] = rows[i * channels + 3];
  }
  return {width, height, rgba};
}

// The pixels that differ, and where the first one is.
function compareFrames(reference, browser) {
  if (reference.width !== browser.width || reference.height !== browser.height) {
    return {count: -1};
  }
  let count = 0;
  let first = null;
  for (let i = 0; i < reference.width * reference.height; ++i) {
    if (reference.rgba.readUInt32BE(i * 4) !== browser.rgba.readUInt32BE(i * 4)) {
      if (first === null) first = {x: i % reference.width, y: Math.floor(i / reference.width)};
      ++count;
    }
  }
  return {count, first};
}

function shotArguments(folder) {
  return kShots.flatMap(shot => ['--screenshot', `${shot.frame}:${folder}/frame-${shot.frame}.png`]);
}

// The reference frames: this machine's headless build, the packs read from a folder of links so
// that the player's files it writes stay out of the build.
function runNative(scriptPath) {
  const data = mkdtempSync(join(tmpdir(), 'velmoria-web-check-'));
  const gameFolder = dirname(options.native);
  for (const name of readdirSync(gameFolder)) {
    if (/\.(dat|mo)$/.test(name)) symlinkSync(join(gameFolder, name), join(data, name));
  }
  const folder = join(options.out, 'linux');
  mkdirSync(folder, {recursive: true});
  const started = Date.now();
  const run = spawnSync(options.native, ['--headless', '--seed', String(kSeed), '--data', data, '--frames',
    String(kFrames), '--input', scriptPath, ...shotArguments(folder)], {encoding: 'utf8'});
  rmSync(data, {recursive: true, force: true});
  if (run.status !== 0) {
    throw new Error(`the headless build exited with ${run.status}: ${run.stderr}`);
  }
  console.log(`web check: headless Linux run: ${Date.now() - started} ms`);
  return folder;
}

function startServer() {
  return new Promise((resolve, reject) => {
    const server = spawn(process.execPath, [join(here, 'web-serve.mjs'), options.page, '0'],
                         {stdio: ['ignore', 'pipe', 'inherit']});
    server.stdout.setEncoding('utf8');
    server.stdout.on('data', text => {
      const match = /serving (\S+)/.exec(text);
      if (match) resolve({server, url: match[1]});
    });
    server.on('exit', code => reject(new Error(`the page's server exited with ${code}`)));
  });
}

function launchBrowser(profile) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync', `--user-data-dir=${profile}`],
    defaultViewport: {width: 1300, height: 1100},
  });
}

// Loads the page with the game's arguments and waits for the run to end; the page's timings.
async function playPage(browser, url, args, files) {
  const page = await browser.newPage();
  const messages = [];
  page.on('console', message => messages.push(message.text()));
  page.on('pageerror', error => messages.push(String(error)));
  const query = new URLSearchParams();
  for (const arg of args) query.append('arg', arg);
  for (const file of files) query.append('file', file);
  const started = Date.now();
  await page.goto(`${url}?${query}`);
  try {
    await page.waitForFunction('window.velmoriaExit !== undefined || window.velmoriaFailure !== undefined',
                               {timeout: kTimeoutMs, polling: 100});
  } catch (error) {
    throw new Error(`the page did not finish the run: ${error.message}\n${messages.join('\n')}`);
  }
  const result = await page.evaluate(() => ({
    exit: window.velmoriaExit, failure: window.velmoriaFailure, times: window.velmoriaTimes,
    isolated: window.crossOriginIsolated,
  }));
  if (result.failure !== undefined || result.exit !== 0) {
    throw new Error(`the run in the browser failed (${result.failure || `exit code ${result.exit}`})\n` +
                    messages.join('\n'));
  }
  result.wallMs = Date.now() - started;
  return {page, result};
}

async function readFile(page, path) {
  const bytes = await page.evaluate(path => Array.from(Module.FS.readFile(path)), path);
  return Buffer.from(bytes);
}

// The browser's own events reach the game as the desktop's do: the pointer over the canvas at
// the frame's pixels whatever the page's scale, its button, a key. The game's input trace says
// what the scenes saw.
async function checkDevices(browser, url) {
  const kScale = 2;
  const page = await browser.newPage();
  const query = ['--window', '--scale', String(kScale), '--frames', '300', '--record-input', '/tmp/devices.txt']
      .map(arg => `arg=${encodeURIComponent(arg)}`).join('&');
  await page.goto(`${url}?${query}`);
  await page.waitForFunction('window.velmoriaTimes.started !== undefined', {timeout: kTimeoutMs, polling: 100});
  const pause = () => new Promise(done => setTimeout(done, 300));
  await pause();
  const box = await (await page.$('#canvas')).boundingBox();
  const events = [];
  for (const [x, y] of [[100, 100], [470, 391]]) {
    await page.mouse.move(box.x + x * kScale, box.y + y * kScale);
    events.push(`move ${x} ${y}`);
    await pause();
  }
  await page.mouse.down();
  await pause();
  await page.mouse.up();
  events.push('press left', 'release left');
  await page.keyboard.down('KeyS');
  await pause();
  await page.keyboard.up('KeyS');
  events.push('keydown S', 'keyup S');
  await page.waitForFunction('window.velmoriaExit !== undefined || window.velmoriaFailure !== undefined',
                             {timeout: kTimeoutMs, polling: 100});
  const trace = (await readFile(page, '/tmp/devices.txt')).toString('utf8').split('\n')
      .map(line => line.replace(/^\d+ /, ''));
  let at = 0;
  for (const event of events) {
    const found = trace.indexOf(event, at);
    if (found < 0) {
      fail(`the page's ${event} did not reach the game as that (the game saw: ${trace.join('; ')})`);
      return;
    }
    at = found + 1;
  }
  console.log(`web check: the browser's pointer, button and key reached the game at a scale of ${kScale}`);

  // The replays in the player's folder are offered as links that save them under their names.
  const links = await page.evaluate(() => {
    Module.FS.mkdirTree('/home/web_user/velmoria/replays');
    Module.FS.writeFile('/home/web_user/velmoria/replays/web-check.vrp', 'recorded');
    document.getElementById('replays').click();
    return Array.from(document.querySelectorAll('#replay-list a'), link => link.download);
  });
  if (links.includes('web-check.vrp')) {
    console.log('web check: the replays are offered for download');
  } else {
    fail(`the replay in the player's folder was not offered for download (links: ${links.join(', ')})`);
  }
  await page.evaluate(() => Module.FS.unlink('/home/web_user/velmoria/replays/web-check.vrp'));
  await page.close();
}

// A file that cannot be fetched stops the page before the game starts, with words that name it.
async function checkDownloadFailure(browser, url) {
  const page = await browser.newPage();
  await page.goto(`${url}?file=no-such-file.txt`);
  await page.waitForFunction('window.velmoriaFailure !== undefined', {timeout: kTimeoutMs, polling: 100});
  const words = await page.evaluate(() => document.getElementById('status').textContent);
  if (/no-such-file\.txt/.test(words) && /HTTP 404/.test(words)) {
    console.log(`web check: a failed download says so: ${words.replace(/\n/g, ' / ')}`);
  } else {
    fail(`a failed download was not named on the page (it says: ${words})`);
  }
  await page.close();
}

async function main() {
  const scriptName = 'web-check-input.txt';
  writeFileSync(join(options.out, scriptName), kScript);
  writeFileSync(join(options.page, scriptName), kScript);
  const reference = runNative(join(options.out, scriptName));

  const {server, url} = await startServer();
  const profile = mkdtempSync(join(tmpdir(), 'velmoria-web-profile-'));
  const browser = await launchBrowser(profile);
  try {
    const args = ['--window', '--scale', '1', '--seed', String(kSeed), '--frames', String(kFrames), '--input',
      `/velmoria/${scriptName}`, ...shotArguments('/tmp')];
    const {page, result} = await playPage(browser, url, args, [scriptName]);
    const t = result.times;
    const perFrame = ((t.ended - t.started) / kFrames).toFixed(1);
    console.log(`web check: page: packs ${Math.round(t.packs)} ms, game started ${Math.round(t.started)} ms, ` +
                `${kFrames} frames ended ${Math.round(t.ended)} ms (${perFrame} ms a frame); ` +
                `cross-origin isolated: ${result.isolated}`);
    await page.screenshot({path: join(options.out, 'page.png')});
    const folder = join(options.out, 'browser');
    mkdirSync(folder, {recursive: true});
    for (const shot of kShots) {
      const bytes = await readFile(page, `/tmp/frame-${shot.frame}.png`);
      writeFileSync(join(folder, `frame-${shot.frame}.png`), bytes);
      const difference = compareFrames(decodePng(readFileSync(join(reference, `frame-${shot.frame}.png`))),
                                       decodePng(bytes));
      if (difference.count === 0) {
        console.log(`web check: frame ${shot.frame} (${shot.what}): identical`);
      } else if (difference.count < 0) {
        fail(`frame ${shot.frame} (${shot.what}): the sizes differ`);
      } else {
        fail(`frame ${shot.frame} (${shot.what}): ${difference.count} pixels differ, the first at ` +
             `(${difference.first.x}, ${difference.first.y})`);
      }
    }
    // The page stores the player's folder when the run ends; the page goes once it has.
    await page.waitForFunction('window.velmoriaTimes.stored > window.velmoriaTimes.ended',
                               {timeout: kTimeoutMs, polling: 100});
    await page.close();

    await checkDevices(browser, url);
    await checkDownloadFailure(browser, url);

    // The run wrote settings.txt and save.dat into the player's folder; a new visit reads them
    // back from the browser's storage before the game starts (and before it could write them).
    const again = await browser.newPage();
    await again.goto(`${url}?arg=--headless&arg=--frames&arg=1`);
    await again.waitForFunction('window.velmoriaExit !== undefined || window.velmoriaFailure !== undefined',
                                {timeout: kTimeoutMs, polling: 100});
    const kept = await again.evaluate(() => window.velmoriaRestored || []);
    for (const name of ['settings.txt', 'save.dat']) {
      if (kept.includes(name)) {
        console.log(`web check: ${name} came back after a reload`);
      } else {
        fail(`${name} did not come back after a reload (the folder holds ${kept.join(', ')})`);
      }
    }
  } finally {
    await browser.close();
    server.kill();
    rmSync(profile, {recursive: true, force: true});
    rmSync(join(options.page, scriptName), {force: true});
  }
}

main().then(() => {
  console.log(process.exitCode ? 'web check: FAILED' : 'web check: passed');
}, error => {
  fail(error.message);
});
