// Runs the movie of sheet_formulas.cpp in Ruffle (headless Chromium) and checks that the
// compiled formulas, calling the hand-written library by our calling convention, compute
// what the spreadsheet computes despite the player's own coercions.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { chromium } from "playwright-core";

const maker = process.env.MOVIE_MAKER;
const modules = process.env.NODE_PATH || path.join(process.env.VANTOREL_SOURCE_DIR, "tests/player/node_modules");
const out = fs.mkdtempSync(path.join(os.tmpdir(), "sheet-formulas-"));
execFileSync(maker, [out], { stdio: "inherit" });

const expected = {
  C1: "5.5",   // "2" + "3.5": numbers, not "23.5"
  C2: "10",    // "010" + 0: decimal, not octal 8
  C3: "true",  // "abc" = "ABC": text compares without case
  C4: "9",     // SUM over a range arrives as rows of variable names
  C5: "11",    // a range and a text cell in one call
  C6: "-3.5",  // unary minus as 0 - x
  C7: "x2",    // & joins texts
  C8: "14.5",  // C4 + C1, computed after both
  C9: "3",     // a left-out argument still counts
  C10: "undefined", // ... and arrives as undefined
  C11: "number", // a cell argument arrives as its value
};

const page = `<!doctype html><html><body><div id="c"></div><script>
  window.__events = [];
  const record = (e) => { window.__events.push(e); if (e.cmd === "done" || e.kind !== "fscommand") document.title = "FINISHED"; };
  for (const level of ["log", "warn", "error"]) { const orig = console[level].bind(console);
    console[level] = (...a) => { const t = a.map(String).join(" ");
      if (/^%c(ERROR|WARN)%c/.test(t)) record({ kind: "ruffle-log", msg: t.slice(0, 300) }); orig(...a); }; }
  window.RufflePlayer = { config: { publicPath: "/ruffle/", polyfills: false, autoplay: "on", splashScreen: false,
    unmuteOverlay: "hidden", preferredRenderer: "canvas", allowScriptAccess: true, logLevel: "warn",
    warnOnUnsupportedContent: false, contextMenu: "off" } };
</script><script src="/ruffle/ruffle.js"></script><script>
  addEventListener("DOMContentLoaded", async () => {
    const player = window.RufflePlayer.newest().createPlayer();
    document.getElementById("c").appendChild(player);
    player.ruffle().addFSCommandHandler((cmd, args) => record({ kind: "fscommand", cmd, args }));
    try { await player.ruffle().load({ url: "/movie.swf" }); } catch (e) { record({ kind: "loaderror", msg: String(e) }); }
  });
</script></body></html>`;

const executablePath = process.env.CHROMIUM || "/usr/bin/chromium";
const profile = fs.mkdtempSync(path.join(os.tmpdir(), "sheet-profile-"));
const context = await chromium.launchPersistentContext(profile, { executablePath, headless: true,
  args: ["--no-sandbox", "--disable-gpu", "--no-first-run", "--autoplay-policy=no-user-gesture-required"] });
let failures = 0;
try {
  const tab = await context.newPage();
  await tab.route("http://sheet.test/**", (route) => {
    const url = new URL(route.request().url());
    if (url.pathname === "/") return route.fulfill({ body: page, contentType: "text/html" });
    if (url.pathname === "/movie.swf")
      return route.fulfill({ body: fs.readFileSync(path.join(out, "sheet_formulas.swf")), contentType: "application/x-shockwave-flash" });
    if (url.pathname.startsWith("/ruffle/")) {
      const file = path.join(modules, "@ruffle-rs/ruffle", path.basename(url.pathname));
      if (!fs.existsSync(file)) return route.fulfill({ status: 404, body: "" });
      const type = file.endsWith(".wasm") ? "application/wasm" : "text/javascript";
      return route.fulfill({ body: fs.readFileSync(file), contentType: type });
    }
    return route.fulfill({ status: 404, body: "" });
  });
  await tab.goto("http://sheet.test/");
  const deadline = Date.now() + 20000;
  while (Date.now() < deadline && (await tab.title()) !== "FINISHED") await new Promise((r) => setTimeout(r, 50));
  const events = await tab.evaluate(() => window.__events);
  const got = Object.fromEntries(events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
  for (const e of events.filter((e) => e.kind !== "fscommand")) { console.log(`player: ${e.msg}`); ++failures; }
  if (!("done" in got)) { console.log("the movie never reported done"); ++failures; }
  for (const [cell, value] of Object.entries(expected)) {
    const ok = got[cell] === value;
    if (!ok) ++failures;
    console.log(`${ok ? "ok  " : "FAIL"} ${cell} = ${JSON.stringify(got[cell])} (expected ${value})`);
  }
} finally {
  await context.close();
  fs.rmSync(profile, { recursive: true, force: true });
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(`${Object.keys(expected).length - Math.min(failures, Object.keys(expected).length)} passed, ${failures} failed`);
process.exit(failures ? 1 : 0);
