// Runs movies in Ruffle 0.6.0 inside headless Chromium and collects what they report.
//
// Usage (from a tests/player/<name>.test.mjs):
//   import { withPlayer, playerProblems, reportedValues, checkValues } from "./lib/ruffle.mjs";
//   await withPlayer(folderWithMovies, async (run) => {
//     const r = await run("movie.swf", { until: "done", vars: "V1=2", timeoutMs: 10000,
//                                        onCommand: { ready: async (page, args) => page.mouse.click(10, 10) } });
//     // r.state: "finished" | "timeout" | "error"; r.events: [{kind: "fscommand", cmd, args},
//     //   {kind: "trace", msg}, {kind: "ruffle-log", level, where, msg}, {kind: "loaderror", msg}]
//     const problems = playerProblems(r);   // [] when no ERROR/WARN log, no load error, no timeout
//     checkValues(reportedValues(r), { C1: "5.5" }, fail);   // fscommand values against expected ones
//   });
// The folder is served from node itself on a free 127.0.0.1 port, together with the Ruffle
// package; the movie ends the run by sending fscommand(until) (default "done"). A file asked for
// as /held/<name> is the folder's <name>, answered once the body has called run.release(), so a
// movie's state before a load's answer can be seen however fast the answer would come. Set
// CHROMIUM to use another browser binary than /usr/bin/chromium.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import http from "node:http";
import { fileURLToPath } from "node:url";
import { launchBrowser } from "./browser.mjs";
import { guard } from "./patience.mjs";

const here = path.dirname(fileURLToPath(import.meta.url));
const ruffleDir = path.join(here, "..", "node_modules", "@ruffle-rs", "ruffle");

// Ruffle ends a script that runs longer than maxExecutionDuration seconds (a player's usual 15);
// a busy machine runs a movie's first calculation slower and is given its patience's multiple.
const HARNESS = `<!doctype html><html><head><meta charset="utf-8"><title>running</title>
<script>
  const q = new URLSearchParams(location.search);
  window.__events = [];
  function record(e) {
    window.__events.push(e);
    if ((e.kind === "fscommand" && e.cmd === (q.get("until") || "done")) || e.kind === "loaderror") document.title = "FINISHED";
  }
  for (const level of ["log", "warn", "error"]) {
    const orig = console[level].bind(console);
    console[level] = (...a) => {
      const t = a.map(String).join(" ");
      const m = /^%c(ERROR|WARN|INFO|DEBUG|TRACE)%c (\\S*)%c (.*?)(?: color:|$)/s.exec(t);
      if (m && (m[1] === "ERROR" || m[1] === "WARN")) record({ kind: "ruffle-log", level: m[1], where: m[2], msg: m[3] });
      orig(...a);
    };
  }
  window.RufflePlayer = { config: {
    publicPath: "/ruffle/", polyfills: false, autoplay: "on", unmuteOverlay: "hidden",
    splashScreen: false, preferredRenderer: "canvas", letterbox: "off", contextMenu: "off",
    warnOnUnsupportedContent: false, allowScriptAccess: true,
    // As the program's player page and exported pages do: device fonts in the platform's faces.
    deviceFontRenderer: "canvas",
    logLevel: "warn", maxExecutionDuration: ${guard(15)} } };
</script>
<script src="/ruffle/ruffle.js"></script>
<script>
  addEventListener("DOMContentLoaded", async () => {
    const player = window.RufflePlayer.newest().createPlayer();
    document.getElementById("c").appendChild(player);
    const api = player.ruffle();
    api.addFSCommandHandler((cmd, args) => record({ kind: "fscommand", cmd, args }));
    try {
      await api.load({ url: q.get("swf"), parameters: q.get("vars") || undefined });
      api.traceObserver = (msg) => record({ kind: "trace", msg });
    } catch (e) { record({ kind: "loaderror", msg: String(e) }); }
  });
</script></head><body><div id="c" style="width:400px;height:300px"></div></body></html>`;

const TYPES = { ".js": "text/javascript", ".wasm": "application/wasm", ".swf": "application/x-shockwave-flash",
  ".map": "application/json", ".html": "text/html" };

function serve(folder) {
  const held = [];
  let released = false;
  const server = http.createServer((req, res) => {
    const url = new URL(req.url, "http://127.0.0.1");
    let file = null;
    if (url.pathname === "/" || url.pathname === "/harness.html") {
      res.writeHead(200, { "content-type": "text/html" });
      res.end(HARNESS);
      return;
    }
    const name = decodeURIComponent(url.pathname);
    if (name.startsWith("/ruffle/")) file = path.join(ruffleDir, name.slice(8));
    else if (name.startsWith("/movies/")) file = path.join(folder, name.slice(8));
    else if (name.startsWith("/held/")) file = path.join(folder, name.slice(6));
    // The page stands beside the movies, as a published page does: a movie's address relative
    // to it (a data file shipped beside a sample) is a file of the folder.
    else if (name.lastIndexOf("/") === 0 && name !== "/harness.html") file = path.join(folder, name.slice(1));
    const root = file && (name.startsWith("/ruffle/") ? ruffleDir : folder);
    if (!file || !path.resolve(file).startsWith(path.resolve(root)) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      res.writeHead(404);
      res.end();
      return;
    }
    const answer = () => {
      res.writeHead(200, { "content-type": TYPES[path.extname(file)] || "application/octet-stream" });
      fs.createReadStream(file).pipe(res);
    };
    if (name.startsWith("/held/") && !released) held.push(answer);
    else answer();
  });
  server.release = () => {
    released = true;
    for (const answer of held.splice(0)) answer();
  };
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve(server)));
}

export async function withPlayer(folder, body) {
  const server = await serve(folder);
  const base = `http://127.0.0.1:${server.address().port}`;
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "vantorel-ruffle-"));
  let context = null;
  try {
    context = await launchBrowser(profile);
    // onCommand maps an fscommand name to async (page, args) => {...}, run when the movie sends it,
    // so a test can answer with the page's mouse and keyboard. screenshot: a PNG file to write of
    // the page as it stands when the run ends; size: [width, height] of the player in pixels;
    // act: async (page) => {...}, run once actAtMs after the start, for movies that say nothing.
    const run = async (movie, { until = "done", vars = "", timeoutMs = 10000, onCommand = {}, screenshot = "",
      size = null, act = null, actAtMs = 1500 } = {}) => {
      const page = await context.newPage();
      let state = "timeout";
      try {
        const query = new URLSearchParams({ swf: `/movies/${movie}`, until, vars });
        await page.goto(`${base}/harness.html?${query}`);
        if (size) {
          await page.setViewportSize({ width: size[0] + 40, height: size[1] + 40 });
          await page.evaluate(([w, h]) => Object.assign(document.getElementById("c").style, { width: `${w}px`, height: `${h}px` }), size);
          // The player element has a size of its own; it fills the frame instead.
          await page.addStyleTag({ content: "#c > * { width: 100%; height: 100%; }" });
        }
        // The movie's time counts from here: on a busy machine loading the page alone may take
        // seconds, and a run that ran out before its act would have nothing to show.
        const started = Date.now();
        // A run that waits for its movie's word only guards against a hang; one that never
        // ends by itself plays for the time asked.
        const limit = until === "never" ? timeoutMs : guard(timeoutMs);
        let errorSeenAt = 0;
        let handled = 0;
        let acted = !act;
        while (Date.now() - started < limit || !acted) {
          if (!acted && Date.now() - started >= actAtMs) {
            acted = true;
            await act(page);
          }
          const [title, events] = await page.evaluate(() => [document.title, window.__events]);
          if (title === "FINISHED") { state = "finished"; break; }
          for (; handled < events.length; ++handled) {
            const e = events[handled];
            if (e.kind === "fscommand" && onCommand[e.cmd]) await onCommand[e.cmd](page, e.args);
          }
          if (!errorSeenAt && events.some((e) => e.kind === "ruffle-log" && e.level === "ERROR")) errorSeenAt = Date.now();
          if (errorSeenAt && Date.now() - errorSeenAt > 500) { state = "error"; break; }
          await new Promise((r) => setTimeout(r, 25));
        }
        const events = await page.evaluate(() => window.__events);
        if (screenshot) await page.locator("#c").screenshot({ path: screenshot });
        return { movie, state, events, ms: Date.now() - started };
      } finally {
        await page.close();
      }
    };
    run.release = () => server.release();
    return await body(run);
  } finally {
    if (context) await context.close();
    server.release();
    server.close();
    fs.rmSync(profile, { recursive: true, force: true });
  }
}

export function playerProblems(result) {
  const problems = [];
  if (result.state !== "finished") problems.push(`${result.movie}: ${result.state} after ${result.ms} ms`);
  for (const e of result.events) {
    // Movies made from our assets carry our marker tag, which the player rightly skips; the
    // browser player has no device fonts and draws text fields in its own.
    const known = e.kind === "ruffle-log" && (e.msg.includes("Unknown tag code: 666") || e.msg.includes("Unknown device font"));
    if (e.kind === "ruffle-log" && !known)
      problems.push(`${result.movie}: Ruffle ${e.level} ${e.where} ${e.msg}`);
    if (e.kind === "loaderror") problems.push(`${result.movie}: load error ${e.msg}`);
  }
  return problems;
}

// The values a run reported through fscommand(name, value), by name (the last report wins).
export function reportedValues(result) {
  return Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
}

// Prints "ok" for every expected value the run reported, and calls fail(message) for each other.
export function checkValues(got, expected, fail) {
  for (const [name, value] of Object.entries(expected)) {
    if (got[name] === value) console.log(`ok   ${name} = ${JSON.stringify(value)}`);
    else fail(`${name} = ${JSON.stringify(got[name])}, expected ${JSON.stringify(value)}`);
  }
}
