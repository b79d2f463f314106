// Plays the dashboard that app_layout.cpp arranged in the designer (aligned, spaced and
// reordered through the Format menu) in the program's player page, and checks that the
// published movie shows each component where the canvas had it and stacks them in the canvas's
// order. A PNG of the movie goes to <build>/test-output/layout.png.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { startPlayerHost } from "./lib/player-host.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "layout-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const install = process.env.VANTOREL_INSTALL_DIR || path.join(process.env.VANTOREL_BINARY_DIR || "build", "install");
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });
const layout = JSON.parse(fs.readFileSync(path.join(out, "layout.json"), "utf8"));
const movie = path.join(out, "layout.swf");

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const ok = (message) => console.log(`ok   ${message}`);

for (const p of checkMovie(fs.readFileSync(movie)).problems) fail(`structure: ${p}`);

let events = [];
const host = await startPlayerHost({ installDir: install, width: layout.width, height: layout.height,
  onEvent: (e) => events.push(e) });
const get = (name) => host.page.evaluate((n) => window.vantorel.get(n), name);
try {
  host.send(["load", 0, movie]);
  await host.send(["sync"]);
  // A few frames for the components to build themselves.
  await new Promise((r) => setTimeout(r, 1500));
  await host.send(["sync"]);
  for (const e of events)
    if (e[0] === "error" || (e[0] === "log" && !/Unknown device font/.test(e[2]))) fail(`player: ${e.slice(1).join(" ")}`);

  const names = layout.components.map((c) => c.name);
  if (names.length !== 3) fail(`${names.length} components written, expected 3`);
  // The canvas after the commands: the chart at the back, the gauge on top, all three with the
  // gauge's left edge.
  const lefts = new Set(layout.components.map((c) => c.rect[0]));
  if (lefts.size !== 1) fail(`the canvas's components do not share their left edge: ${JSON.stringify(layout.components)}`);
  if (!/Colum/i.test(names[0]) || !/Gauge/i.test(names[2])) fail(`canvas order ${names.join(", ")}`);

  const depths = [];
  for (const c of layout.components) {
    const shown = [Number(await get(`_root.${c.name}._x`)), Number(await get(`_root.${c.name}._y`))];
    const wanted = [c.rect[0], c.rect[1]];
    if (shown.some((v, i) => !(Math.abs(v - wanted[i]) <= 0.5)))
      fail(`${c.name} stands at ${JSON.stringify(shown)}, expected ${JSON.stringify(wanted)}`);
    else ok(`${c.name} stands at ${JSON.stringify(shown)}`);
    depths.push(Number(await get(`_root.${c.name}.getDepth()`)));
  }
  const rising = depths.every((d, i) => Number.isFinite(d) && (i === 0 || d > depths[i - 1]));
  if (rising) ok(`depths bottom to top ${depths.join(", ")}`);
  else fail(`depths ${depths.join(", ")} do not rise in the canvas's order ${names.join(", ")}`);

  const picture = path.join(pictures, "layout.png");
  await host.send(["screenshot", picture]);
  console.log(`picture: ${picture}`);
} catch (e) {
  fail(String(e && e.stack || e));
} finally {
  await host.close();
}
console.log(failures ? `${failures} failed` : "all passed");
process.exit(failures ? 1 : 0);
