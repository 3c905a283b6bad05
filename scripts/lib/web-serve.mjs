// Serves a folder on 127.0.0.1 for the web build: node web-serve.mjs FOLDER [PORT]
// The answers carry the headers that make the page cross-origin isolated, without which a
// browser gives a page no shared memory and so the game no threads. Prints "serving URL" once
// listening (PORT 0 takes a free port).
import {createServer} from 'node:http';
import {createReadStream, statSync} from 'node:fs';
import {extname, join, normalize, sep} from 'node:path';

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
};

const folder = normalize(process.argv[2] || '.');
const port = Number(process.argv[3] || 8765);

function fileFor(root, url) {
  const path = decodeURIComponent(new URL(url, 'http://host').pathname);
  const file = normalize(join(root, path.endsWith('/') ? path + 'index.html' : path));
  return file === root || file.startsWith(root.endsWith(sep) ? root : root + sep) ? file : null;
}

const server = createServer((request, response) => {
  response.setHeader('Cross-Origin-Opener-Policy', 'same-origin');
  response.setHeader('Cross-Origin-Embedder-Policy', 'require-corp');
  response.setHeader('Cross-Origin-Resource-Policy', 'same-origin');
  response.setHeader('Cache-Control', 'no-cache');
  const file = request.method === 'GET' || request.method === 'HEAD' ? fileFor(folder, request.url) : null;
  let size = -1;
  try {
    const stat = file === null ? null : statSync(file);
    size = stat !== null && stat.isFile() ? stat.size : -1;
  } catch {
    size = -1;
  }
  if (size < 0) {
    response.writeHead(404, {'Content-Type': 'text/plain'});
    response.end('not found\n');
    return;
  }
  response.writeHead(200, {
    'Content-Type': kTypes[extname(file)] || 'application/octet-stream',
    'Content-Length': size,
  });
  if (request.method === 'HEAD') {
    response.end();
    return;
  }
  createReadStream(file).pipe(response);
});
server.listen(port, '127.0.0.1', () => {
  console.log(`serving http://127.0.0.1:${server.address().port}/`);
});
