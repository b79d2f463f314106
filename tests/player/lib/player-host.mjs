// The program's player page (install/player/index.html, docs/player-bridge.md) in headless
// Chromium, driven by lines. Used in two ways:
// - as a process: `node player-host.mjs INSTALL_DIR [WIDTH HEIGHT]` reads one JSON array a line
//   on stdin and writes one a line on stdout (the protocol of platform/controls/PagePlayer);
// - as a module: startPlayerHost({installDir, width, height, onEvent}) for the player checks.
// Requests:  ["load", layer, url]  ["set", name, value]  ["call", target, label]
//            ["sync"]  (answered with ["synced"] once every earlier request reached the movie
//                      and every answer it gave was written)
//            ["screenshot", pngPath]  (answered with ["screenshot", pngPath])  ["quit"]
// Events:    ["ready"] once the bridge runs; ["loaded", url]; ["fscommand", command, args];
//            ["log", level, text] for the player's errors and warnings; ["error", text].
// A url is a file path (or "loadblank"); the host serves the file to the page.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import http from "node:http";
import readline from "node:readline";
import { fileURLToPath } from "node:url";
import { launchBrowser } from "./browser.mjs";
import { guard } from "./patience.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const ruffleDir = path.join(here, "..", "node_modules", "@ruffle-rs", "ruffle");
const TYPES = { ".js": "text/javascript", ".wasm": "application/wasm", ".swf": "application/x-shockwave-flash",
  ".map": "application/json", ".html": "text/html" };

function serve(pageDir, movies) {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, "http://127.0.0.1").pathname);
    let file = null;
    if (name.startsWith("/player/ruffle/")) file = path.join(ruffleDir, path.normalize(name.slice(15)));
    else if (name.startsWith("/player/")) file = path.join(pageDir, path.normalize(name.slice(8)));
    else if (name.startsWith("/movie/")) file = movies.get(name.split("/")[2]) || null;
    const inside = file && (name.startsWith("/movie/") || path.resolve(file).startsWith(path.resolve(
      name.startsWith("/player/ruffle/") ? ruffleDir : pageDir)));
    if (!inside || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404);
      res.end();
      return;
    }
    // The program rewrites its movie files in place: never serve an old copy.
    res.writeHead(200, { "content-type": TYPES[path.extname(file)] || "application/octet-stream",
      "cache-control": "no-store" });
    fs.createReadStream(file).pipe(res);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

export async function startPlayerHost({ installDir, width = 800, height = 600, onEvent = () => {} }) {
  const movies = new Map();
  const server = await serve(path.join(installDir, "player"), movies);
  const base = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "vantorel-player-"));
  const context = await launchBrowser(profile, { viewport: { width, height } });
  const page = context.pages()[0] || await context.newPage();
  let synced = null;
  let readyResolve;
  const ready = new Promise((resolve) => { readyResolve = resolve; });
  await page.exposeFunction("__vantorelEvent", (kind, a, b) => {
    if (kind === "idle") return;
    if (kind === "synced") { if (synced) synced(); return; }
    if (kind === "ready") readyResolve();
    onEvent(kind === "ready" ? [kind] : kind === "loaded" ? [kind, a] : [kind, a, b]);
  });
  await page.addInitScript(() => {
    window.vantorelHost = (kind, a, b) => window.__vantorelEvent(kind, a, b);
  });
  await page.goto(`${base}/player/index.html`);
  await page.waitForFunction(() => window.vantorel && window.vantorel.pending() < 2 &&
    document.querySelector("#player > *"), null, { timeout: guard(20000) });
  // The bridge says it runs through its own command, which the page keeps; ask the page.
  await page.waitForFunction(() => window.vantorel.pending() === 0, null, { timeout: guard(20000) });
  onEvent(["ready"]);

  let count = 0;
  const urlOf = (url) => {
    if (url === "loadblank" || url === "") return "loadblank";
    const id = String(++count);
    movies.set(id, path.resolve(url));
    return `${base}/movie/${id}/${encodeURIComponent(path.basename(url))}`;
  };
  // Requests go to the page one after another, in the order they came; variables, labels and
  // loads that come together go in one call of the page.
  let chain = Promise.resolve();
  let batch = [];
  const flushBatch = async () => {
    const list = batch;
    batch = [];
    if (list.length) await page.evaluate((l) => window.vantorel.batch(l), list);
  };
  const queueOn = (work) => {
    chain = chain.then(work).catch((e) => onEvent(["error", String(e && e.message || e)]));
    return chain;
  };
  const send = (request) => {
    const [op, a = "", b = ""] = request;
    if (op === "load" || op === "set" || op === "call" || op === "zoom") {
      batch.push(op === "load" ? [op, String(a), urlOf(String(b))] : [op, String(a), String(b)]);
      return batch.length === 1 ? queueOn(flushBatch) : chain;
    }
    return queueOn(() => handle(request));
  };
  const handle = async (request) => {
    const [op, a = "", b = ""] = request;
    if (op === "sync") {
      await page.waitForFunction(() => window.vantorel.pending() === 0, null, { timeout: guard(20000) });
      const done = new Promise((resolve) => { synced = resolve; });
      await page.evaluate(() => window.vantorelHost("synced", "", ""));
      await done;
      onEvent(["synced"]);
    } else if (op === "screenshot") {
      await page.locator("#player").screenshot({ path: String(a) });
      onEvent(["screenshot", String(a)]);
    }
  };
  const close = async () => {
    await chain.catch(() => {});
    await context.close();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  };
  return { send, close, page, ready };
}

// The process form: lines in, lines out.
if (process.argv[1] && path.resolve(process.argv[1]) === fileURLToPath(import.meta.url)) {
  const [installDir, width, height] = process.argv.slice(2);
  const write = (event) => process.stdout.write(`${JSON.stringify(event)}\n`);
  let host = null;
  try {
    host = await startPlayerHost({ installDir, width: Number(width) || 800, height: Number(height) || 600,
      onEvent: write });
  } catch (e) {
    write(["error", String(e && e.message || e)]);
    process.exit(1);
  }
  const lines = readline.createInterface({ input: process.stdin });
  for await (const line of lines) {
    if (!line.trim()) continue;
    let request;
    try { request = JSON.parse(line); } catch { write(["error", `not a request: ${line}`]); continue; }
    if (request[0] === "quit") break;
    host.send(request);
  }
  await host.close();
  process.exit(0);
}
