// Plays the stage movie that the stage control writes in the program's player page (the bridge
// of docs/player-bridge.md) and replays, step by step, the calls the control made on the
// recording player in app_stage.cpp; checks each reply the movie gives and what it shows:
// - start-up: one "GetBounds" per symbol of the catalogue, holding every pixel the symbol draws;
// - five components added (a PNG of them goes to <build>/test-output/stage-five.png);
// - a chart updated with new data answers "UpdateComp" with its placed and natural bounds and
//   shows the new data; a move, a resize, a table's resize ("ResizeComp" with its new bounds),
//   a swap of depths, a component disabled, enabled and disabled again, one deleted;
// - texts of every kind set through the page's packed runs of sets;
// - the movie shown whole at a declared size, scaled and centred, and at its own size again;
// - a load of a missing movie tried again, then reported, and the stage loaded again after it;
// - a movie whose first request is never answered asked for again and played;
// - a host that fails while the player logs leaves the player playing, and a player that dies is
//   replaced by one sent again what the stage was sent.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { guard } from "./lib/patience.mjs";
import { startPlayerHost } from "./lib/player-host.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "stage-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const install = process.env.VANTOREL_INSTALL_DIR || path.join(process.env.VANTOREL_BINARY_DIR || "build", "install");
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });
const { symbols, steps } = JSON.parse(fs.readFileSync(path.join(out, "calls.json"), "utf8"));

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const ok = (message) => console.log(`ok   ${message}`);
const expect = (what, got, wanted) => {
  if (got === wanted) ok(`${what} = ${JSON.stringify(got)}`);
  else fail(`${what} = ${JSON.stringify(got)}, expected ${JSON.stringify(wanted)}`);
};
const near = (what, got, wanted, tolerance) => {
  const bad = got.length !== wanted.length || got.some((g, i) => !(Math.abs(g - wanted[i]) <= tolerance));
  if (bad) fail(`${what} = ${JSON.stringify(got)}, expected ${JSON.stringify(wanted)} within ${tolerance}`);
  else ok(`${what} = ${JSON.stringify(got)}`);
};
const numbers = (args) => args.split(" ").slice(1).map(Number);
// Waits until test() holds, looking every step milliseconds, for at most ms.
const until = async (test, ms, step = 100) => {
  for (let waited = 0; waited < ms && !(await test()); waited += step) await new Promise((r) => setTimeout(r, step));
};

let events = [];
const host = await startPlayerHost({ installDir: install, width: 800, height: 600, onEvent: (e) => events.push(e) });
const get = (name) => host.page.evaluate((n) => window.vantorel.get(n), name);
const replay = async (calls) => {
  for (const c of calls) host.send(c);
  await host.send(["sync"]);
  const got = events.filter((e) => e[0] === "fscommand");
  for (const e of events)
    if (e[0] === "error" || (e[0] === "log" && !/Unknown device font/.test(e[2]))) fail(`player: ${e.slice(1).join(" ")}`);
  events = [];
  return got;
};
// The bounding box of the drawn pixels of the player (not white, not transparent), in pixels.
const drawnBox = () => host.page.evaluate(() => {
  const canvas = document.querySelector("#player > *").shadowRoot.querySelector("canvas");
  const { width, height } = canvas;
  const data = canvas.getContext("2d").getImageData(0, 0, width, height).data;
  let box = null;
  for (let y = 0; y < height; ++y)
    for (let x = 0; x < width; ++x) {
      const i = (y * width + x) * 4;
      if (data[i + 3] === 0 || (data[i] === 255 && data[i + 1] === 255 && data[i + 2] === 255)) continue;
      if (!box) box = [x, x + 1, y, y + 1];
      box = [Math.min(box[0], x), Math.max(box[1], x + 1), Math.min(box[2], y), Math.max(box[3], y + 1)];
    }
  return box;
});

try {
  const step = (name) => steps.find((s) => s.step === name);

  // Start-up: every symbol measured.
  const init = await replay(step("init").calls);
  const bounds = {};
  for (const e of init) if (e[1] === "GetBounds") bounds[e[2].split(" ")[0]] = numbers(e[2]);
  expect("symbols measured", Object.keys(bounds).length, Object.keys(symbols).length);
  expect("replies at start-up", init.length, Object.keys(symbols).length);
  for (const symbol of Object.keys(symbols)) {
    const b = bounds[symbol];
    if (!b || b.length !== 4 || !(b[0] < b[1] && b[2] < b[3])) fail(`${symbol} bounds ${JSON.stringify(b)}`);
  }
  await replay(step("size").calls);

  // Each symbol drawn alone where its bounds say, with the tree the control sent to measure it:
  // its pixels lie inside the bounds it reported.
  const trees = {};
  let current = null;
  for (const c of step("init").calls) {
    if (c[0] === "set" && c[1] === "_root.__compType") { current = c[2]; trees[current] = []; continue; }
    if (current && !(c[0] === "call" && c[2] === "GetComponentBounds")) trees[current].push(c);
  }
  const originX = 40, originY = 40;
  for (const symbol of Object.keys(symbols)) {
    const b = bounds[symbol];
    if (!b) continue;
    await replay([["set", "_root.__compName", "Probe"], ["set", "_root.__compType", symbol], ...trees[symbol],
      ["set", "_root.obj0._x", String(originX - b[0])], ["set", "_root.obj0._y", String(originY - b[2])],
      ["set", "_root.obj0._xscale", "100"], ["set", "_root.obj0._yscale", "100"], ["call", "/", "AddComponent"]]);
    // Frames come late on a busy machine: wait for the first pixels, then one frame more for the rest.
    let drawn = null;
    await until(async () => (drawn = await drawnBox()) !== null, guard(3000), 50);
    if (drawn) {
      await new Promise((r) => setTimeout(r, 80));
      drawn = await drawnBox();
    }
    await replay([["set", "_root.__compName", "Probe"], ["call", "/", "DeleteComponent"]]);
    if (!drawn) { fail(`${symbol} draws nothing`); continue; }
    // The bounds' top left corner was placed at the origin: back in the symbol's own coordinates.
    const box = [drawn[0] - originX + b[0], drawn[1] - originX + b[0], drawn[2] - originY + b[2], drawn[3] - originY + b[2]];
    // Two pixels for the smoothing of edges that lie between pixels (a circle's outline at 0.95).
    const inside = box[0] >= b[0] - 2 && box[1] <= b[1] + 2 && box[2] >= b[2] - 2 && box[3] <= b[3] + 2;
    // Nor do the bounds stray far beyond the symbol's own box (parts drawn hidden, no bounds).
    const own = symbols[symbol];
    const far = Math.max(...b.map((v, i) => Math.abs(v - own[i])));
    if (far > 60) fail(`${symbol} reports ${JSON.stringify(b)}, ${far} pixels off its box ${JSON.stringify(own)}`);
    const slack = [box[0] - b[0], b[1] - box[1], box[2] - b[2], b[3] - box[3]];
    if (inside) ok(`${symbol} draws ${JSON.stringify(box)} inside its bounds ${JSON.stringify(b)} (slack ${slack})`);
    else fail(`${symbol} draws ${JSON.stringify(box)} outside its bounds ${JSON.stringify(b)}`);
  }

  // Five components.
  const added = await replay(step("add").calls);
  expect("replies to AddComponent", added.length, 0);
  const five = path.join(pictures, "stage-five.png");
  await host.send(["screenshot", five]);
  console.log(`picture: ${five}`);
  expect("the display's title", await get("_root.Value_4.title"), "Revenue");
  for (const [name, rect] of Object.entries(step("add").components)) {
    const shown = [Number(await get(`_root.${name}._x`)), Number(await get(`_root.${name}._y`))];
    near(`${name} placed at`, shown, [rect[0], rect[1]], 0.5);
  }

  // The chart with new data.
  const updated = await replay(step("update").calls);
  expect("replies to UpdateComponent", updated.map((e) => `${e[1]} ${e[2].split(" ")[0]}`).join(), "UpdateComp Colum_2");
  const chartRect = step("update").components.Colum_2;
  if (updated[0]) {
    const n = numbers(updated[0][2]);
    expect("numbers of UpdateComp", n.length, 8);
    near("the chart's bounds on the stage", n.slice(0, 4), [chartRect[0], chartRect[2], chartRect[1], chartRect[3]], 1);
    near("the chart's natural bounds", n.slice(4), bounds.KVColumnChartSymbol, 1);
  }
  expect("the chart's data", await get("_root.Colum_2.dataValues"), "35,80,55,120");
  expect("the chart's categories", await get("_root.Colum_2.categoryLabels"), "A,B,C,D");
  expect("the chart's title", await get("_root.Colum_2.kvTitle.text"), "Quarterly revenue");

  const moved = await replay(step("move").calls);
  expect("reply to MoveComp", moved.map((e) => e.slice(1).join(" ")).join(), "Refresh Gauge_1");
  const gaugeRect = step("move").components.Gauge_1;
  near("the gauge moved to", [Number(await get("_root.Gauge_1._x")), Number(await get("_root.Gauge_1._y"))],
    [gaugeRect[0], gaugeRect[1]], 0.5);

  const resized = await replay(step("resize").calls);
  expect("reply to FastResizeComp", resized.map((e) => e.slice(1).join(" ")).join(), "Refresh Slide_3");
  const sliderRect = step("resize").components.Slide_3;
  expect("the slider drawn wide", Number(await get("_root.Slide_3.kvW")), sliderRect[2] - sliderRect[0]);

  const table = await replay(step("resizetable").calls);
  expect("reply to the table's ResizeComp", table.map((e) => `${e[1]} ${e[2].split(" ")[0]}`).join(), "ResizeComp Table_5");
  const tableRect = step("resizetable").components.Table_5;
  if (table[0]) near("the table's new bounds", numbers(table[0][2]), [tableRect[0], tableRect[2], tableRect[1], tableRect[3]], 1);

  const depths = [Number(await get("_root.Gauge_1.getDepth()")), Number(await get("_root.Colum_2.getDepth()"))];
  const swapped = await replay(step("swap").calls);
  expect("reply to SwapDepths", swapped.map((e) => e.slice(1).join(" ")).join(), "Refresh Gauge_1 Colum_2");
  expect("depths swapped", [Number(await get("_root.Gauge_1.getDepth()")), Number(await get("_root.Colum_2.getDepth()"))].join(),
    [depths[1], depths[0]].join());

  for (const [name, visible] of [["disable", "false"], ["enable", "true"], ["disableagain", "false"]]) {
    const replies = await replay(step(name).calls);
    expect(`reply to ${name}`, replies.map((e) => e.slice(1).join(" ")).join(), "Refresh Value_4");
    expect(`the display shown after ${name}`, await get("_root.Value_4._visible"), visible);
  }
  const deleted = await replay(step("delete").calls);
  expect("reply to DeleteComponent", deleted.map((e) => e.slice(1).join(" ")).join(), "Refresh Slide_3");
  expect("the slider is gone", await get("_root.Slide_3"), "");
  await host.send(["screenshot", path.join(pictures, "stage-after.png")]);

  // The page packs runs of sets into one text for the bridge: every text arrives as sent,
  // whatever characters it holds (the packing's separators among them), the last of two sets
  // of a member wins, and runs it cannot pack (a text holding every separator, a name of no
  // object, a set of an object that a later path goes through) go one by one, as before.
  const texts = {
    "_root.obj0.kvEmpty": "", "_root.obj0.kvLine": "two\rlines", "_root.obj0.kvControl": "a\u0001b\u0002c\u001f",
    "_root.obj0.kvWide": "\u00fcn\u00ef\u00e7\u00f8d\u00e9 \u{1F600}", "_root.obj0.kvEquals": "=x=", "_root.obj0.kvNull": "null",
    "_root.obj0t.kvEmpty": "s", "_root.kvTop": "top", "_root.obj0.kvTwice": "first",
  };
  await replay([...Object.entries(texts).map(([n, v]) => ["set", n, v]), ["set", "_root.obj0.kvTwice", "second"],
    ["set", "_root.kvMissing.member", "lost"]]);
  for (const [name, value] of Object.entries(texts)) if (name !== "_root.obj0.kvTwice") expect(name, await get(name), value);
  expect("a member set twice", await get("_root.obj0.kvTwice"), "second");
  expect("a set of a missing object", await get("_root.kvMissing.member"), "");
  let every = "";
  for (let c = 1; c < 32; c++) every += String.fromCharCode(c);
  await replay([["set", "_root.obj0.kvEvery", every], ["set", "_root.obj0.kvAfter", "after"], ["set", "kvNoDot", "level"],
    ["set", "_root.kvHolder", "held"], ["set", "_root.kvHolder.member", "lost"]]);
  expect("a text of every control character", await get("_root.obj0.kvEvery"), every);
  expect("a set after it", await get("_root.obj0.kvAfter"), "after");
  expect("a name of no object", await get("kvNoDot"), "level");
  expect("a set through a text", await get("_root.kvHolder"), "held");

  // Shown whole: a movie declared twice the player's size at half scale; one smaller, scaled
  // up by the smaller ratio and centred the other way; then at its own size again.
  const placement = async () => ["_xscale", "_yscale", "_x", "_y"].map(async (m) => get(`_root.${m}`));
  await replay([["zoom", "1600", "1200"]]);
  expect("a movie twice as large shown whole", (await Promise.all(await placement())).join(","), "50,50,0,0");
  await replay([["zoom", "400", "200"]]);
  expect("a small movie shown whole", (await Promise.all(await placement())).join(","), "200,200,0,100");
  await replay([["zoom", "0", "0"]]);
  expect("the movie at its own size", (await Promise.all(await placement())).join(","), "100,100,0,0");

  // A movie that never arrives (here a missing file) holds nothing back: the page says so and
  // takes what follows, so the stage can be loaded again.
  events = [];
  host.send(["load", "0", path.join(out, "missing.swf")]);
  await host.send(["sync"]);
  // It is tried once more before the page gives up and tells the host, which tells the person.
  expect("a failed load tried again", events.filter((e) => e[0] === "log" && e[1] === "WARN" && /did not load/.test(e[2])).length, 1);
  expect("a failed load reported", events.filter((e) => e[0] === "log" && e[1] === "ERROR" && /did not load/.test(e[2])).length, 1);
  expect("the host told of the failed load", events.filter((e) => e[0] === "failed").length, 1);
  events = [];
  const reload = step("init").calls.filter((c) => c[0] === "load");
  await replay(reload);
  expect("the stage plays again after a failed load", await get("_root.kvMeasureDepth"), "1048000");

  // A movie whose file is slow to come (a machine busy with other work): the page waits, asks
  // for it again once, and plays it when the second request is answered; nothing is reported
  // as failed and what was sent after the load reaches the movie.
  let held = 0;
  await host.page.route("**/movie/**", (route) => {
    if (++held === 1) return; // never answered
    route.continue();
  });
  events = [];
  host.send(reload[reload.length - 1]);
  host.send(["set", "_root.kvAfterSlowLoad", "arrived"]);
  await host.send(["sync"]);
  await host.page.unroute("**/movie/**");
  expect("a slow movie asked for twice", held, 2);
  expect("a slow movie tried again", events.filter((e) => e[0] === "log" && e[1] === "WARN" && /did not load/.test(e[2])).length, 1);
  expect("a slow movie not reported as failed", events.filter((e) => e[0] === "failed" || (e[0] === "log" && e[1] === "ERROR")).length, 0);
  expect("a slow movie loaded", events.filter((e) => e[0] === "loaded").length, 1);
  expect("what followed a slow movie", await get("_root.kvAfterSlowLoad"), "arrived");
  events = [];
  await replay(reload);

  // The player calls the page's log from inside its work: a host that fails there must not
  // leave the player's core locked (the movie would take nothing more, for good).
  await host.page.evaluate(() => {
    window.kvRealHost = window.vantorelHost;
    window.vantorelHost = (kind, a, b) => {
      if (kind === "log") throw new Error("the host failed");
      return window.kvRealHost(kind, a, b);
    };
  });
  events = [];
  host.send(["load", "0", path.join(out, "missing.swf")]);
  const inTime = (promise) => Promise.race([promise, new Promise((r) => setTimeout(() => r("late"), guard(15000)))]);
  await inTime(host.send(["sync"]));
  await host.page.evaluate(() => { window.vantorelHost = window.kvRealHost; });
  await inTime(replay(reload));
  expect("the stage plays after its host failed a report", await inTime(get("_root.kvMeasureDepth")), "1048000");

  // A player that dies in its work (made to here by a drawing call that throws) is replaced by
  // a new one, sent again what the stage was sent since its load; the replies it gives again
  // are held back.
  const measured = await replay(step("init").calls);
  expect("replies before the player died", measured.length, Object.keys(symbols).length);
  await replay(step("add").calls);
  await host.page.evaluate(() => {
    const proto = CanvasRenderingContext2D.prototype;
    const kept = {};
    const restore = () => { for (const [name, f] of Object.entries(kept)) proto[name] = f; };
    for (const name of ["setTransform", "fillRect", "clearRect", "drawImage", "fill"]) {
      kept[name] = proto[name];
      proto[name] = function () { restore(); throw new Error("the drawing failed"); };
    }
  });
  events = [];
  host.send(["set", "_root.Value_4._x", "321"]);
  await inTime(host.send(["sync"]));
  const deaths = () => events.filter((e) => e[0] === "log" && /player stopped/.test(e[2])).length;
  await until(() => deaths() > 0, guard(15000));
  expect("the player's death reported", deaths(), 1);
  await until(async () => (await host.page.evaluate(() => window.vantorel.pending())) === 0, guard(30000));
  await inTime(host.send(["sync"]));
  expect("replies given again", events.filter((e) => e[0] === "fscommand").length, 0);
  expect("the display's title after the new player", await inTime(get("_root.Value_4.title")), "Revenue");
  expect("the display's place after the new player", await inTime(get("_root.Value_4._x")), "321");
} catch (e) {
  fail(String(e && e.stack || e));
} finally {
  await host.close();
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : "all passed");
process.exit(failures ? 1 : 0);
