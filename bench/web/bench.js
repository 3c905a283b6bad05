// The benchmark page: fetches the recorded frames that frames.txt names into /frames in the
// page's file system, then runs bench_frames.js on them. ?arg=... replaces the benchmark's own
// arguments (--benchmark_filter=battle, say). The output goes on the page as it comes; when the
// run ends, window.benchOutput holds what it printed (without its warnings) and window.benchExit
// the exit code (read by scripts/web --check).
(function () {
'use strict';

const status = document.getElementById('status');
const output = document.getElementById('output');
const query = new URLSearchParams(location.search);
const printed = [];

function fail(words) {
  status.classList.add('failed');
  status.textContent = words;
  window.benchFailure = words;
}

async function fetchBytes(name) {
  const response = await fetch(name);
  if (!response.ok) {
    throw new Error(`${name}: HTTP ${response.status}`);
  }
  return new Uint8Array(await response.arrayBuffer());
}

async function fetchFrames() {
  const list = new TextDecoder().decode(await fetchBytes('frames/frames.txt'));
  const names = list.split('\n').filter(name => /^[\w.-]+\.frame$/.test(name));
  return Promise.all(names.map(async name => [name, await fetchBytes(`frames/${name}`)]));
}

fetchFrames().then(frames => {
  status.textContent = `Drawing ${frames.length} recorded frames…`;
  window.Module = {
    arguments: query.getAll('arg').length > 0 ? query.getAll('arg') : ['/frames'],
    preRun: [() => {
      Module.FS.mkdir('/frames');
      for (const [name, bytes] of frames) {
        Module.FS.writeFile(`/frames/${name}`, bytes);
      }
    }],
    print: text => {
      printed.push(text);
      output.textContent += text + '\n';
    },
    printErr: text => {
      output.textContent += text + '\n';
    },
    onExit: code => {
      window.benchOutput = printed.join('\n');
      window.benchExit = code;
      status.textContent = code === 0 ? 'Done.' : `The benchmark ended with exit code ${code}.`;
    },
    onAbort: what => fail(`The benchmark stopped: ${what}`),
  };
  const program = document.createElement('script');
  program.src = 'bench_frames.js';
  program.onerror = () => fail('Download failed: bench_frames.js');
  document.body.append(program);
}, error => fail(`Download failed: ${error.message}`));
})();
