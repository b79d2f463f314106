// Opens the exported web page (app_html_page.cpp) in headless Chromium from a web server, as a
// visitor would: the player script beside the page takes the page's OBJECT/EMBED in hand, loads
// the movie the page names and draws the dashboard at the page's size. Checks: the page and
// every file it needs are served from its own folder, the player element stands where the
// OBJECT was at WIDTH x HEIGHT, the movie loads without a player error, and the dashboard is
// drawn (most of its pixels are not the white page). A PNG of the page goes to
// <build>/test-output/html-page.png.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import http from "node:http";
import os from "node:os";
import path from "node:path";
import { launchBrowser } from "./lib/browser.mjs";
import { guard } from "./lib/patience.mjs";
import { readPng } from "./lib/png.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "html-page-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });
const { width, height } = JSON.parse(fs.readFileSync(path.join(out, "page.json"), "utf8"));

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const ok = (message) => console.log(`ok   ${message}`);

const TYPES = { ".js": "text/javascript", ".wasm": "application/wasm", ".swf": "application/x-shockwave-flash",
  ".html": "text/html" };
const served = [];
const server = http.createServer((req, res) => {
  const name = decodeURIComponent(new URL(req.url, "http://127.0.0.1").pathname);
  const file = path.join(out, path.normalize(name));
  served.push(name);
  if (!path.resolve(file).startsWith(path.resolve(out)) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
    res.writeHead(404);
    res.end();
    return;
  }
  res.writeHead(200, { "content-type": TYPES[path.extname(file)] || "application/octet-stream" });
  fs.createReadStream(file).pipe(res);
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));
const base = `http://127.0.0.1:${server.address().port}`;

const profile = fs.mkdtempSync(path.join(os.tmpdir(), "vantorel-page-"));
const context = await launchBrowser(profile);
try {
  const page = await context.newPage();
  await page.setViewportSize({ width: width + 40, height: height + 40 });
  const problems = [];
  page.on("console", (m) => { if (/%c(ERROR)/.test(m.text())) problems.push(m.text()); });
  const missing = [];
  page.on("response", (r) => { if (r.status() >= 400) missing.push(`${r.status()} ${r.url()}`); });
  await page.goto(`${base}/dash.html`);
  const player = page.locator("ruffle-object, ruffle-embed").first();
  await player.waitFor({ timeout: guard(20000) });
  // The movie has loaded once the player has fetched it and drawn a few frames.
  const started = Date.now();
  while (!served.includes("/dash.swf") && Date.now() - started < guard(20000)) await page.waitForTimeout(100);
  await page.waitForTimeout(3000);
  const box = await player.boundingBox();
  if (!box || Math.round(box.width) !== width || Math.round(box.height) !== height)
    fail(`the player stands at ${box && `${box.width} x ${box.height}`}, the page asks for ${width} x ${height}`);
  else ok(`the player stands in the page at ${width} x ${height}`);
  if (served.includes("/dash.swf")) ok("the page's player fetched dash.swf beside the page");
  else fail("the movie was never asked for");
  for (const m of missing) fail(`not served: ${m}`);
  for (const p of problems) fail(`player: ${p}`);
  const shot = path.join(pictures, "html-page.png");
  // A grid of samples over the player, read from its picture: the white page shows through
  // where nothing is drawn.
  const picture = readPng(await player.screenshot({ path: shot }));
  let drawn = 0, samples = 0;
  for (let gy = 0; gy < 9; ++gy) {
    for (let gx = 0; gx < 12; ++gx) {
      const x = Math.floor(((gx + 0.5) * picture.width) / 12), y = Math.floor(((gy + 0.5) * picture.height) / 9);
      const at = (y * picture.width + x) * picture.channels;
      ++samples;
      if (picture.pixels[at] !== 255 || picture.pixels[at + 1] !== 255 || picture.pixels[at + 2] !== 255) ++drawn;
    }
  }
  const share = drawn / samples;
  if (share > 0.2) ok(`the dashboard is drawn: ${(share * 100).toFixed(0)}% of the player is not white (${shot})`);
  else fail(`only ${(share * 100).toFixed(1)}% of the player is drawn (${shot})`);
} finally {
  await context.close();
  server.close();
  fs.rmSync(profile, { recursive: true, force: true });
  fs.rmSync(out, { recursive: true, force: true });
}
if (failures > 0) {
  console.log(`${failures} failure(s)`);
  process.exit(1);
}
