// Checks the web build in Debian's headless Chromium against this machine's headless build:
//   node web-check.mjs --page DIR --native GAME --bot BOT --driver DIR --bench-page DIR
//                      --native-bench BENCH --out DIR [--only title,battle,...]
// The page plays what this machine's build plays (an input script on the title, the autoplayer's
// full-flow battle as a replay, a stage cleared from the title) and writes the frames it is asked
// for; every one must be the same pixel for pixel as this machine's. The battle is played once
// more in a window paced by the browser, timing every frame; a reload must find the save the
// cleared stage wrote; the browser's own pointer, buttons and keys must reach the game; a failed
// download and the loading must show on the page. Prints the timings; exits 1 on a difference or
// a failure. Pictures of the page and every frame compared are left in the --out folder.
import {spawn, spawnSync} from 'node:child_process';
import {existsSync, mkdirSync, mkdtempSync, readFileSync, rmSync, symlinkSync, writeFileSync, readdirSync} from 'node:fs';
import {createRequire} from 'node:module';
import {tmpdir} from 'node:os';
import {dirname, join, resolve} from 'node:path';
import {fileURLToPath} from 'node:url';
import {inflateSync} from 'node:zlib';

const options = {};
for (let i = 2; i + 1 < process.argv.length; i += 2) {
  const name = process.argv[i].replace(/^--/, '');
  options[name] = name === 'only' ? process.argv[i + 1] : resolve(process.argv[i + 1]);
}
const puppeteer = createRequire(join(options.driver, 'node_modules', '/'))('puppeteer-core');
const here = dirname(fileURLToPath(import.meta.url));
mkdirSync(options.out, {recursive: true});

// The title has settled by this frame in either build: its fade and the loading screen are over
// (a browser's loader runs beside the frames, and shows the loading screen a little longer).
const kSeed = 3;
const kTitleFrames = 420;
const kTitleShots = [
  {frame: 300, what: 'the title'},
  {frame: 360, what: 'the title, the cursor on a menu item'},
  {frame: 420, what: 'the option screen'},
];
const kTitleScript = `# the web check's input: hover a menu item, then open the options
330 move 470 391
390 click left
`;
// From the title into the first stage on easy; the battle's first frame is this run frame.
const kIntoTheBattle = '300 move 520 200\n301 click left\n400 move 350 120\n401 click left\n' +
    '420 move 580 440\n421 click left\n';
const kBattleFrameOne = 450;
const kTimeoutMs = 180000;
// A frame kept for sixty a second.
const kFrameBudgetMs = 1000 / 60;

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

function shotArguments(shots, folder) {
  return shots.flatMap(shot => ['--screenshot', `${shot.frame}:${folder}/frame-${shot.frame}.png`]);
}

// A folder of links to the packs, for a run of this machine's build or its autoplayer whose
// player's files stay out of the build.
function packFolder() {
  const data = mkdtempSync(join(tmpdir(), 'velmoria-web-check-'));
  const gameFolder = dirname(options.native);
  for (const name of readdirSync(gameFolder)) {
    if (/\.(dat|mo)$/.test(name)) symlinkSync(join(gameFolder, name), join(data, name));
  }
  return data;
}

function runProgram(program, args) {
  const run = spawnSync(program, args, {encoding: 'utf8', maxBuffer: 64 << 20});
  if (run.status !== 0) {
    throw new Error(`${program} ${args.join(' ')} exited with ${run.status}: ${run.stderr}`);
  }
  return run.stdout;
}

// The reference: this machine's headless build run with args, its frames in out/linux/NAME; what
// it printed, and its save.dat.
function runNative(name, args, shots) {
  const data = packFolder();
  const folder = join(options.out, 'linux', name);
  mkdirSync(folder, {recursive: true});
  const started = Date.now();
  try {
    const printed = runProgram(options.native, ['--headless', '--data', data, ...args, ...shotArguments(shots, folder)]);
    console.log(`web check: ${name}, headless on Linux: ${Date.now() - started} ms`);
    const save = join(data, 'save.dat');  // replays write none
    return {folder, printed, save: existsSync(save) ? readFileSync(save) : null};
  } finally {
    rmSync(data, {recursive: true, force: true});
  }
}

// A battle the autoplayer plays here, as a replay of the game's own.
function botReplay(args) {
  const data = packFolder();
  const replay = join(data, 'bot.replay');
  try {
    runProgram(options.bot, ['--data', data, '--quiet', '--replay-out', replay, ...args]);
    return readFileSync(replay, 'latin1');
  } finally {
    rmSync(data, {recursive: true, force: true});
  }
}

// Files the page fetches into the game's folder by ?file=NAME (a copy stays in the out folder);
// they leave the page's folder when the check ends.
const offered = [];
function offerToPage(name, text) {
  writeFileSync(join(options.page, name), text, 'latin1');
  writeFileSync(join(options.out, name), text, 'latin1');
  offered.push(name);
}

function startServer(folder) {
  return new Promise((resolve, reject) => {
    const server = spawn(process.execPath, [join(here, 'web-serve.mjs'), folder, '0'],
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
    // Sound plays without a click first, as it does once a player has clicked.
    args: ['--no-sandbox', '--disable-gpu', '--autoplay-policy=no-user-gesture-required', '--disable-quic',
      '--no-first-run', '--disable-background-networking', '--disable-component-update', '--disable-sync',
      `--user-data-dir=${profile}`],
    defaultViewport: {width: 1300, height: 1100},
  });
}

// The page's address with the game's (or the benchmark's) arguments and the files it fetches.
function pageAddress(url, args, files = []) {
  const query = new URLSearchParams();
  for (const arg of args) query.append('arg', arg);
  for (const file of files) query.append('file', file);
  return `${url}?${query}`;
}

const sleep = ms => new Promise(done => setTimeout(done, ms));
const untilStarted = page =>
  page.waitForFunction('window.velmoriaTimes.started !== undefined', {timeout: kTimeoutMs, polling: 100});
const untilEnded = page =>
  page.waitForFunction('window.velmoriaExit !== undefined || window.velmoriaFailure !== undefined',
                       {timeout: kTimeoutMs, polling: 100});

// Loads the page with the game's arguments and waits for the run to end; the page's timings.
async function playPage(browser, url, args, files) {
  const page = await browser.newPage();
  const messages = [];
  page.on('console', message => messages.push(message.text()));
  page.on('pageerror', error => messages.push(String(error)));
  const started = Date.now();
  await page.goto(pageAddress(url, args, files));
  try {
    await untilEnded(page);
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
  return {page, result, messages};
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
  await page.goto(pageAddress(url, ['--window', '--scale', String(kScale), '--frames', '300', '--record-input',
    '/tmp/devices.txt']));
  await untilStarted(page);
  const pause = () => sleep(300);
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
  await pause();
  await page.keyboard.down('KeyS');
  await pause();
  await page.keyboard.up('KeyS');
  events.push('keydown S', 'keyup S');
  await untilEnded(page);
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

// A pad reaches the game through the browser's Gamepad API: one of standard layout, made up
// before the page loads, pushes its left stick to the right and presses A, which the game turns
// into the pointer and its button, as it does on the desktop.
async function checkGamepad(browser, url) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    const buttons = Array.from({length: 17}, () => ({pressed: false, touched: false, value: 0}));
    const pad = {id: 'web check pad', index: 0, connected: true, mapping: 'standard', timestamp: 1,
      axes: [0, 0, 0, 0], buttons};
    navigator.getGamepads = () => [pad, null, null, null];
    window.velmoriaCheckPad = {
      button: (button, down) => {
        buttons[button] = {pressed: down, touched: down, value: down ? 1 : 0};
        pad.timestamp += 1;
      },
      axis: (axis, value) => {
        pad.axes[axis] = value;
        pad.timestamp += 1;
      },
    };
  });
  await page.goto(pageAddress(url, ['--window', '--scale', '1', '--frames', '300', '--record-input', '/tmp/pad.txt']));
  await untilStarted(page);
  const pause = () => sleep(400);
  const kLeftStickX = 0;
  const kA = 0;
  await pause();
  await page.evaluate(axis => window.velmoriaCheckPad.axis(axis, 1), kLeftStickX);
  await pause();
  await page.evaluate(axis => window.velmoriaCheckPad.axis(axis, 0), kLeftStickX);
  await page.evaluate(button => window.velmoriaCheckPad.button(button, true), kA);
  await pause();
  await page.evaluate(button => window.velmoriaCheckPad.button(button, false), kA);
  await untilEnded(page);
  const trace = (await readFile(page, '/tmp/pad.txt')).toString('utf8').split('\n')
      .filter(line => /^\d+ /.test(line)).map(line => line.replace(/^\d+ /, ''));
  const moved = trace.filter(line => line.startsWith('move '));
  const pressed = trace.indexOf('press left');
  if (moved.length > 0 && pressed >= 0 && trace.indexOf('release left', pressed) >= 0) {
    console.log(`web check: the browser's gamepad reached the game: the stick moved the pointer ` +
                `${moved.length} times, to ${moved[moved.length - 1].slice(5)}, and A clicked`);
  } else {
    fail(`the browser's gamepad did not move the pointer and click (the game saw: ${trace.join('; ')})`);
  }
  await page.close();
}

// The title's music reaches the browser's audio output: what SDL sends to the page's audio
// destination is listened to as well, a few times a second, once the title has come.
async function checkSound(browser, url) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(() => {
    const connect = AudioNode.prototype.connect;
    AudioNode.prototype.connect = function (target, ...rest) {
      if (target instanceof AudioDestinationNode && !window.velmoriaListener) {
        window.velmoriaListener = target.context.createAnalyser();
        window.velmoriaListener.fftSize = 2048;
        connect.call(this, window.velmoriaListener);
      }
      return connect.call(this, target, ...rest);
    };
  });
  await page.goto(`${url}?arg=--window&arg=--frames&arg=900`);
  await untilStarted(page);
  await sleep(6000);
  const heard = await page.evaluate(async () => {
    const listener = window.velmoriaListener;
    if (!listener) return {state: 'no output', loud: 0, samples: 0};
    const wave = new Float32Array(listener.fftSize);
    let loud = 0;
    const samples = 30;
    for (let i = 0; i < samples; ++i) {
      listener.getFloatTimeDomainData(wave);
      const power = wave.reduce((sum, x) => sum + x * x, 0) / wave.length;
      if (Math.sqrt(power) > 0.001) ++loud;
      await new Promise(done => setTimeout(done, 100));  // in the page, which has no sleep
    }
    return {state: listener.context.state, rate: listener.context.sampleRate, loud, samples};
  });
  if (heard.loud >= heard.samples * 0.9) {
    console.log(`web check: the title's music plays (${heard.loud} of ${heard.samples} listens heard it; audio ` +
                `${heard.state} at ${heard.rate} Hz)`);
  } else {
    fail(`the title's music was heard in ${heard.loud} of ${heard.samples} listens (audio ${heard.state})`);
  }
  await page.close();
}

// The page as a player opens it: the frame enlarged by the largest whole multiple that fits,
// following the browser's window when it is resized.
async function checkResize(browser, url) {
  const page = await browser.newPage();
  await page.setViewport({width: 1300, height: 1100});
  await page.goto(url);
  await untilStarted(page);
  const sizes = [];
  for (const viewport of [{width: 1300, height: 1100}, {width: 800, height: 700}, {width: 2000, height: 1600}]) {
    await page.setViewport(viewport);
    const bar = await page.evaluate(() => document.getElementById('bar').offsetHeight);
    const expected = Math.max(1, Math.floor(Math.min(viewport.width / 640, (viewport.height - bar) / 480)));
    try {
      await page.waitForFunction(width => document.getElementById('canvas').width === width,
                                 {timeout: 10000, polling: 100}, 640 * expected);
      sizes.push(`${viewport.width} x ${viewport.height}: ${640 * expected} x ${480 * expected}`);
      if (sizes.length === 1) {
        // The title, a little after its menu has come.
        await sleep(6000);
        await page.screenshot({path: join(options.out, 'page.png')});
      }
    } catch {
      const width = await page.evaluate(() => document.getElementById('canvas').width);
      fail(`in a ${viewport.width} x ${viewport.height} page the canvas is ${width} wide, not ${640 * expected}`);
    }
  }
  console.log(`web check: the frame follows the page's size (${sizes.join('; ')}); the page playing: ` +
              'out/page.png');
  // Full screen gives the frame the whole screen, the buttons left out: on a screen just short
  // of twice the frame's height beside them, the frame doubles. (A headless browser's screen is
  // its viewport.)
  await page.setViewport({width: 1300, height: 980});
  await page.waitForFunction(() => document.getElementById('canvas').width === 640, {timeout: 10000, polling: 100});
  await page.click('#full-screen');
  try {
    await page.waitForFunction(() => document.fullscreenElement !== null, {timeout: 10000, polling: 100});
    const screen = await page.evaluate(() => ({width: window.innerWidth, height: window.innerHeight}));
    const scale = Math.max(1, Math.floor(Math.min(screen.width / 640, screen.height / 480)));
    await page.waitForFunction(width => document.getElementById('canvas').width === width,
                               {timeout: 10000, polling: 100}, 640 * scale);
    await page.screenshot({path: join(options.out, 'page-full-screen.png')});
    console.log(`web check: full screen (${screen.width} x ${screen.height}) shows the frame ${640 * scale} x ` +
                `${480 * scale}, where the page beside the buttons showed it 640 x 480`);
  } catch {
    const state = await page.evaluate(() => ({full: document.fullscreenElement !== null,
      width: document.getElementById('canvas').width, screen: `${window.innerWidth} x ${window.innerHeight}`}));
    fail(`full screen ${state.full ? `(${state.screen}) left the canvas ${state.width} wide` : 'did not come'}`);
  }
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

// The browser's frames against the reference's, pixel for pixel; the browser's are kept beside
// them in out/browser/NAME.
async function compareShots(name, page, reference, shots) {
  const folder = join(options.out, 'browser', name);
  mkdirSync(folder, {recursive: true});
  for (const shot of shots) {
    const file = `frame-${shot.frame}.png`;
    const bytes = await readFile(page, `/tmp/${file}`);
    writeFileSync(join(folder, file), bytes);
    const difference = compareFrames(decodePng(readFileSync(join(reference, file))), decodePng(bytes));
    if (difference.count === 0) {
      console.log(`web check: ${name}, frame ${shot.frame} (${shot.what}): identical`);
    } else if (difference.count < 0) {
      fail(`${name}, frame ${shot.frame} (${shot.what}): the sizes differ`);
    } else {
      fail(`${name}, frame ${shot.frame} (${shot.what}): ${difference.count} pixels differ, the first at ` +
           `(${difference.first.x}, ${difference.first.y})`);
    }
  }
}

// The page stores the player's folder when the run ends; a page closes once it has.
async function closeWhenStored(page) {
  await page.waitForFunction('window.velmoriaTimes.stored > window.velmoriaTimes.ended',
                             {timeout: kTimeoutMs, polling: 100});
  await page.close();
}

// The title and the option screen in a window, played by an input script.
async function checkTitle(browser, url) {
  offerToPage('web-check-title.txt', kTitleScript);
  const args = ['--seed', String(kSeed), '--frames', String(kTitleFrames)];
  const reference = runNative('title', [...args, '--input', join(options.out, 'web-check-title.txt')], kTitleShots);
  const {page, result} = await playPage(browser, url, ['--window', '--scale', '1', ...args, '--input',
    '/velmoria/web-check-title.txt', ...shotArguments(kTitleShots, '/tmp')], ['web-check-title.txt']);
  const t = result.times;
  console.log(`web check: page: packs ${Math.round(t.packs)} ms, game started ${Math.round(t.started)} ms, ` +
              `${kTitleFrames} frames ended ${Math.round(t.ended)} ms; cross-origin isolated: ${result.isolated}`);
  await page.screenshot({path: join(options.out, 'page-ended.png')});
  await compareShots('title', page, reference.folder, kTitleShots);
  await closeWhenStored(page);
}

// The 99th percentile of values, the k-th smallest of n for k = ceil(0.99 n).
function percentile99(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.ceil(0.99 * sorted.length) - 1];
}

// The full-flow battle, the busiest the game draws: played back headless in the page (its frames
// against the reference at fractions of the replay and at its end), then in a window paced by the
// browser's animation frames, where every frame must be made within a sixtieth of a second.
async function checkFullFlowBattle(browser, url) {
  const replay = botReplay(['--full-flow', 'battle', '--character', '0', '--seed', '11']);
  offerToPage('web-check-full-flow.replay', replay);
  const frames = Number(/^frames (\d+)$/m.exec(replay)[1]);
  const shots = [
    {frame: Math.floor(frames / 4), what: 'a quarter into the battle'},
    {frame: Math.floor(frames / 2), what: 'half way'},
    {frame: Math.floor(frames * 3 / 4), what: 'three quarters'},
    {frame: 'last', what: 'full flow, the replay\'s last frame'},
  ];
  const reference = runNative('full-flow', ['--replay', join(options.out, 'web-check-full-flow.replay')], shots);
  const headless = await playPage(browser, url, ['--headless', '--replay', '/velmoria/web-check-full-flow.replay',
    ...shotArguments(shots, '/tmp')], ['web-check-full-flow.replay']);
  await compareShots('full-flow', headless.page, reference.folder, shots);
  await headless.page.close();

  const last = [shots[3]];
  const window = await playPage(browser, url, ['--window', '--scale', '1', '--replay',
    '/velmoria/web-check-full-flow.replay', '--frame-times', '/tmp/frame-times.txt', ...shotArguments(last, '/tmp')],
  ['web-check-full-flow.replay']);
  await compareShots('full-flow-window', window.page, reference.folder, last);
  const rows = (await readFile(window.page, '/tmp/frame-times.txt')).toString('utf8').split('\n')
      .filter(line => line && !line.startsWith('#')).map(line => line.trim().split(/\s+/).map(Number));
  await window.page.close();
  // The battle's frames: the last ones shown, one a battle frame.
  const battle = rows.slice(-frames);
  const intervals = battle.map(row => row[1]);
  const busy = battle.map(row => row[1] - row[6]);
  const mean = values => values.reduce((sum, value) => sum + value, 0) / values.length;
  const phases = ['input', 'simulation', 'drawing', 'present'].map(
      (phase, i) => `${phase} ${mean(battle.map(row => row[2 + i])).toFixed(2)}`).join(', ');
  const p99 = percentile99(busy);
  console.log(`web check: the full-flow battle in a window, ${battle.length} frames: made in ` +
              `${mean(busy).toFixed(2)} ms a frame on average, ${p99.toFixed(2)} ms at the 99th percentile ` +
              `(${phases} ms); shown every ${mean(intervals).toFixed(2)} ms, ` +
              `${percentile99(intervals).toFixed(2)} ms at the 99th percentile`);
  if (p99 >= kFrameBudgetMs) {
    console.log(`web check: WARNING: the 99th percentile misses the ${kFrameBudgetMs.toFixed(1)} ms of sixty ` +
                'frames a second on this machine');
  }
}

// A stage cleared from the title in a fresh browser: the page prints the result as Linux does,
// stores save.dat, and a reload finds the very save Linux wrote, the new best score in it.
async function checkBestScore(url) {
  const plan = botReplay(['--stage', '0', '--difficulty', '0', '--character', '0', '--strategy', 'maze',
    '--seed', String(kSeed)]);
  const frames = Number(/^frames (\d+)$/m.exec(plan)[1]);
  const input = plan.slice(plan.indexOf('\ninput\n') + '\ninput\n'.length).split('\n')
      .filter(line => /^\d+ /.test(line))
      .map(line => line.replace(/^\d+/, frame => String(Number(frame) + kBattleFrameOne - 1)));
  // At four times the speed (the battle plays the same, a quarter of its frames drawn), closed a
  // while after the clear.
  const closing = kBattleFrameOne + frames + 300;
  offerToPage('web-check-clear.txt', kIntoTheBattle + input.join('\n') + '\n455 key Tab\n457 key Tab\n' +
              `${closing} close\n`);
  const args = ['--seed', String(kSeed), '--frames', String(closing + 10)];
  const reference = runNative('clear', [...args, '--input', join(options.out, 'web-check-clear.txt')], []);
  const result = /^score \d+, lives \d+, wave \d+/m.exec(reference.printed);
  if (result === null) {
    throw new Error(`the headless run on Linux printed no result: ${reference.printed}`);
  }

  const profile = mkdtempSync(join(tmpdir(), 'velmoria-web-profile-'));
  const browser = await launchBrowser(profile);
  try {
    const run = await playPage(browser, url, ['--headless', ...args, '--input', '/velmoria/web-check-clear.txt'],
                               ['web-check-clear.txt']);
    if (run.messages.some(line => line.startsWith(result[0]))) {
      console.log(`web check: the stage cleared in the browser as on Linux: ${result[0]}`);
    } else {
      fail(`the browser's battle did not end with "${result[0]}" (it printed: ${run.messages.join(' / ')})`);
    }
    await closeWhenStored(run.page);

    const again = await browser.newPage();
    await again.goto(`${url}?arg=--headless&arg=--frames&arg=1`);
    await again.waitForFunction('window.velmoriaRestored !== undefined', {timeout: kTimeoutMs, polling: 100});
    const kept = Buffer.from(await again.evaluate(() => Array.from(Module.FS.readFile('/home/web_user/velmoria/save.dat'))));
    if (kept.equals(reference.save)) {
      console.log(`web check: after a reload save.dat is the one Linux wrote, best score and all ` +
                  `(${kept.length} bytes)`);
    } else {
      fail('after a reload save.dat is not the one Linux wrote for the same play');
    }
    await again.close();
  } finally {
    await browser.close();
    rmSync(profile, {recursive: true, force: true});
  }
}

// The page while the packs come, over a slowed connection: the progress bar and its words.
async function checkLoadingScreen(browser, url) {
  const page = await browser.newPage();
  await page.emulateNetworkConditions({download: 16 << 20, upload: 1 << 20, latency: 5});
  await page.goto(url);
  await page.waitForFunction(() => document.getElementById('progress').value > 0.3, {timeout: kTimeoutMs, polling: 50});
  const words = await page.evaluate(() => document.getElementById('status').textContent);
  await page.screenshot({path: join(options.out, 'page-loading.png')});
  console.log(`web check: while loading the page says "${words}" (out/page-loading.png)`);
  await page.close();
}

// The battles' recorded frames (bench/frames) drawn by bench_frames on the benchmark page, beside
// the same program's figures on this machine.
const kBenchFilter = '^RecordedFrame/battle_(ardel|sovia)/';

function benchFigures(json) {
  const figures = new Map();
  for (const run of JSON.parse(json).benchmarks) {
    figures.set(run.name.replace(/^RecordedFrame\//, '').replace(/\/real_time$/, ''), run.real_time);
  }
  return figures;
}

async function checkBenchmark(browser) {
  const frames = join(options['bench-page'], 'frames');
  const native = benchFigures(runProgram(options['native-bench'], [`--benchmark_filter=${kBenchFilter}`,
    '--benchmark_format=json', frames]));
  const {server, url} = await startServer(options['bench-page']);
  try {
    const page = await browser.newPage();
    await page.goto(pageAddress(url, [`--benchmark_filter=${kBenchFilter}`, '--benchmark_format=json', '/frames']));
    await page.waitForFunction('window.benchExit !== undefined || window.benchFailure !== undefined',
                               {timeout: kTimeoutMs, polling: 200});
    const run = await page.evaluate(() => ({exit: window.benchExit, failure: window.benchFailure,
                                            output: window.benchOutput}));
    await page.close();
    if (run.exit !== 0) {
      fail(`the benchmark page failed: ${run.failure || `exit code ${run.exit}`}`);
      return;
    }
    console.log('web check: the recorded battle frames, milliseconds a frame in the browser and on Linux:');
    for (const [name, ms] of benchFigures(run.output)) {
      const same = name.replace('/simd128/', '/sse2/');
      const linux = native.get(same);
      console.log(`web check:   ${name.padEnd(36)} ${ms.toFixed(2).padStart(7)} ms   Linux (${same.split('/')[1]}) ` +
                  `${linux === undefined ? '-' : linux.toFixed(2)} ms`);
    }
    for (const [name, ms] of native) {
      if (name.includes('/avx2/')) {
        console.log(`web check:   Linux only: ${name.padEnd(24)} ${ms.toFixed(2).padStart(7)} ms`);
      }
    }
  } finally {
    server.kill();
  }
}

async function main() {
  const {server, url} = await startServer(options.page);
  const profile = mkdtempSync(join(tmpdir(), 'velmoria-web-profile-'));
  const browser = await launchBrowser(profile);
  const checks = {
    title: checkTitle, battle: checkFullFlowBattle, devices: checkDevices, resize: checkResize,
    gamepad: checkGamepad, sound: checkSound, failure: checkDownloadFailure, loading: checkLoadingScreen,
    score: () => checkBestScore(url), bench: () => checkBenchmark(browser),
  };
  try {
    for (const [name, check] of Object.entries(checks)) {
      if (options.only === undefined || options.only.split(',').includes(name)) {
        await check(browser, url);
      }
    }
  } finally {
    await browser.close();
    server.kill();
    rmSync(profile, {recursive: true, force: true});
    for (const name of offered) rmSync(join(options.page, name), {force: true});
  }
}

main().then(() => {
  console.log(process.exitCode ? 'web check: FAILED' : 'web check: passed');
}, error => {
  fail(error.message);
});
