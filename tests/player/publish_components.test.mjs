// Runs the component dashboards of publish_components.cpp in Ruffle, driving their inputs with
// the player's mouse and keyboard:
// - components.swf: the components start with their cells' values, the displays show formulas
//   of the slider's cell in their number formats, and dragging the slider writes the cell;
// - selectors.swf: a check box, a combo box item and a push button write their cells; a column
//   chart's bars, a bar chart's bars with their alert colours and a label follow;
// - inputs.swf: a dial turned, a list row and a radio button clicked and a number typed write
//   their cells; a gauge, a progress bar, a line and a pie chart follow;
// - tables.swf: a grid cell dragged and a table row clicked write their cells;
// - panels.swf: a vertical slider dragged writes its cell, text typed reaches the scroll edit,
//   the scroll box scrolls its content inside its frame, the background fills its placed size;
//   a display and the background show only while their status cells hold their keys; a
//   progress bar, the slider and the display take their alert colours as the value crosses a
//   threshold; the progress bar grows in width first as the movie starts, the display grows in
//   as its status cell lets it show;
// - every shipped sample plays with all its components drawn.
// A PNG of each movie after the input goes into <build>/test-output for a person to look at.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, click, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "components-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });
const dashboards = ["components.swf", "selectors.swf", "inputs.swf", "tables.swf", "panels.swf"];

const { fail, expect, finish } = expectations();
const part = (state, i) => state && state.split("|")[i];
// Each value over the first, to two places: bar and point heights in proportion to the data.
const proportions = (text) => {
  const h = text.split(",").map(Number);
  return h.map((x) => Math.round((x / h[0]) * 100) / 100).join(",");
};
const r2 = (x) => Math.round(x * 100) / 100;

try {
  for (const movie of fs.readdirSync(out).filter((f) => f.endsWith(".swf")))
    for (const p of checkMovie(fs.readFileSync(path.join(out, movie))).problems) fail(`${movie} structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });

    // Drag the thumb three quarters along the track (0..100 in steps of 1: 75).
    let track = [];
    const slider = await drive("components.swf", async (page, [x0, x1, y, thumb], at) => {
      track = [x0, x1];
      await page.mouse.move(...at(thumb, y));
      await page.mouse.down();
      await page.mouse.move(...at(x0 + (x1 - x0) * 0.6, y), { steps: 4 });
      await page.mouse.move(...at(x0 + (x1 - x0) * 0.75, y + 3), { steps: 4 });
      await page.mouse.up();
    });
    // A choice, a text format's size and flag, a boolean, a colour and a number.
    expect("slider parameters", reports(slider, "params")[0], "Horizontal|12|true|true|6710886|1");
    const states = reports(slider, "state");
    // A1 | slider value | slider text | display title | display value | echo title | echo value | display size
    expect("first state", states[0], "40|40|40|Low|100|Value|40.0|150x50");
    expect("track reported", track[1] > track[0], true);
    expect("state after the drag", states.at(-1), "75|75|75|High|187.5|Value|75.0|150x50");

    // The bar chart's bar colours, at the bar centres the latest state names.
    const barColours = async (page, at) => {
      const events = await page.evaluate(() => window.__events);
      const state = events.filter((e) => e.kind === "fscommand" && e.cmd === "state").at(-1).args;
      const centres = part(state, 6).split(",").map(Number);
      const found = [];
      for (let i = 0; i + 1 < centres.length; i += 2) found.push(await pixelAt(page, ...at(centres[i], centres[i + 1])));
      return found.join(",");
    };
    let alertColours = [];
    const selectors = await drive("selectors.swf", async (page, [cx, cy, ox, oy, ix, iy, bx, by], at) => {
      alertColours.push(await barColours(page, at));
      await click(page, at, cx, cy);
      await click(page, at, ox, oy);
      await click(page, at, ix, iy);
      await click(page, at, bx, by);
      alertColours.push(await barColours(page, at));
    });
    // A1,A2,A3 | column heights (B1, C1, D1) | label | check box | combo box | bar widths.
    const chosen = reports(selectors, "state");
    const [first, last] = [chosen[0], chosen.at(-1)];
    expect("cells at start", part(first, 0), "1,0,0");
    expect("label at start", part(first, 2), "Total: 30");
    expect("check box and combo box at start", first && first.split("|").slice(3, 5).join("|"), "0|Item 1");
    expect("cells after the clicks", part(last, 0), "3,1,1");
    expect("label after the clicks", part(last, 2), "Total: 100");
    expect("check box and combo box after the clicks", last && last.split("|").slice(3, 5).join("|"), "1|Item 3");
    // 10 : 5 : 15 before, 30 : 25 : 45 after.
    expect("bar heights at start", first && proportions(part(first, 1)), "1,0.5,1.5");
    expect("bar heights after the clicks", last && proportions(part(last, 1)), "1,0.83,1.5");
    expect("bar chart widths at start", first && proportions(part(first, 5)), "1,0.5,1.5");
    expect("bar chart widths after the clicks", last && proportions(part(last, 5)), "1,0.83,1.5");
    // Alerts against the target 40 at 30 and 70 %: 10, 5, 15 are 25, 12.5 and 37.5 % (green,
    // green, amber); 30, 25, 45 are 75, 62.5 and 112.5 % (red, amber, red).
    expect("bar chart alert colours", alertColours.join(" then "),
      "#339933,#339933,#ffcc00 then #cc3333,#ffcc00,#cc3333");

    // Before the input, the pie's slices (160, 80 and 120 degrees from the top) at half their
    // radius: one colour each.
    let sliceColours = [];
    const inputs = await drive("inputs.swf", async (page, [dx, dy, lx, ly, rx, ry, ix, iy, px, py, pr], at) => {
      for (const a of [80, 200, 300])
        sliceColours.push(await pixelAt(page, ...at(px + (pr / 2) * Math.sin((a * Math.PI) / 180), py - (pr / 2) * Math.cos((a * Math.PI) / 180))));
      await click(page, at, dx, dy);
      await click(page, at, lx, ly);
      await click(page, at, rx, ry);
      await click(page, at, ix, iy);
      await page.keyboard.press("End");
      await page.keyboard.press("Backspace");
      await page.keyboard.type("12");
      await page.keyboard.press("Enter");
    });
    // A1..A4 | gauge angle | progress % | line point heights | pie sweeps | list, radio, input.
    const seen = reports(inputs, "state");
    const [before, after] = [seen[0], seen.at(-1)];
    expect("cells at start", part(before, 0), "20,1,1,5");
    expect("gauge and progress at start", [part(before, 1), part(before, 2)].join("|"), "-81|20");
    expect("line heights at start (20 : 10 : 15)", before && proportions(part(before, 3)), "1,0.5,0.75");
    expect("pie sweeps at start", part(before, 4), "160,80,120");
    expect("pie slices in three colours", new Set(sliceColours.filter((c) => c !== "#ffffff")).size, 3);
    expect("inputs at start", part(before, 5), "0,0,5");
    // The dial pressed about 45 degrees right of up: near 66.7, snapped to a whole number; the
    // gauge, the progress bar and the charts follow whatever it took.
    const turned = Number((part(after, 0) || "").split(",")[0]);
    expect("dial turned to about 67", turned >= 65 && turned <= 68, true);
    expect("cells after the input", part(after, 0), `${turned},3,2,12`);
    expect("gauge and progress after", [part(after, 1), part(after, 2)].join("|"),
      `${Math.round(-135 + (turned / 100) * 270)}|${turned}`);
    expect("line heights after", after && proportions(part(after, 3)), `1,${r2(30 / turned)},${r2(32 / turned)}`);
    const total = turned + 30 + 32;
    expect("pie sweeps after", part(after, 4), [turned, 30, 32].map((v) => r2((v / total) * 360)).join(","));
    expect("inputs after", part(after, 5), "2,1,12");

    // Up 30 pixels at 3 pixels a step: ten steps of 1; then the table's third row.
    const tables = await drive("tables.swf", async (page, [gx, gy, tx, ty], at) => {
      await page.mouse.move(...at(gx, gy));
      await page.mouse.down();
      await page.mouse.move(...at(gx, gy - 15), { steps: 3 });
      await page.mouse.move(...at(gx, gy - 30), { steps: 3 });
      await page.mouse.up();
      await page.waitForTimeout(250);
      await click(page, at, tx, ty);
    });
    // A1, D1 = SUM(A1:C2), G1, H1, I1 = G1*H1 | the grid's first cell | the table's row, its third row's first cell.
    const rows = reports(tables, "state");
    expect("grid and table at start", rows[0], "1,21,0,0,0|1|0,50");
    expect("grid and table after the drag and the click", rows.at(-1), "11,31,50,60,3000|11|2,50");

    // The slider's thumb dragged up to 80 % of its track (0..100): 80, and B1 = A1*2 follows;
    // "hello" typed into the scroll edit; the scroll box's knob dragged down by half its way; the
    // second radio button chosen (A2 = 2).
    // Pixels: inside and outside the background's placed rectangle, then inside the scroll box
    // and just under it, where the content would show if the box did not clip it.
    let colours = [];
    const panels = await drive("panels.swf", async (page, [sx, sy, bottom, top, ex, ey, kx, ky, rx, ry], at) => {
      await page.mouse.move(...at(sx, sy));
      await page.mouse.down();
      await page.mouse.move(...at(sx, bottom + (top - bottom) * 0.5), { steps: 4 });
      await page.mouse.move(...at(sx + 4, bottom + (top - bottom) * 0.8), { steps: 4 });
      await page.mouse.up();
      await click(page, at, ex, ey);
      await page.keyboard.type("hello");
      await page.mouse.move(...at(kx, ky));
      await page.mouse.down();
      await page.mouse.move(...at(kx, ky + 20), { steps: 3 });
      await page.mouse.move(...at(kx, ky + 33), { steps: 3 });
      await page.mouse.up();
      await page.waitForTimeout(250);
      await click(page, at, rx, ry);
      // The display's entry effect takes half a second.
      await page.waitForTimeout(700);
      colours = await Promise.all([[85, 60], [155, 105], [175, 60], [85, 120], [270, 120], [270, 190], [270, 217], [sx, bottom - 10]]
        .map(([x, y]) => pixelAt(page, ...at(x, y))));
    });
    // A1,B1,A2 | slider value | its text | display | scroll edit | content y, knob y, knob travel
    // | background size | display shown, background shown, background opacity | the alert bands
    // of the progress bar and the display, the display's value colour | the slider's band and
    // value colour
    const panelStates = reports(panels, "state");
    const [opened, moved] = [panelStates[0], panelStates.at(-1)];
    expect("panels at start", opened && opened.split("|").slice(0, 5).join("|"), "30,60,1|30|30|60|");
    expect("background drawn at its placed size", part(opened, 6), "150x100");
    expect("panels after the input", moved && moved.split("|").slice(0, 5).join("|"), "80,160,2|80|80|160|hello");
    // Dynamic visibility: the display waits for A2 = 2 (a cell an input writes), the background
    // for C1 = "show" (a formula), which the slider's drag makes true; the background fades in.
    expect("display and background hidden at start", part(opened, 7), "false,false,100");
    const dragged = panelStates.find((st) => st.startsWith("80,160,1|"));
    expect("background shown, display still hidden after the drag", dragged && part(dragged, 7).split(",").slice(0, 2).join(","), "false,true");
    expect("background faded in", panelStates.some((st) => { const a = Number(part(st, 7).split(",")[2]); return a > 0 && a < 100; }), true);
    expect("both shown at the end", part(moved, 7), "true,true,100");
    const [contentY, knobY, travel] = (part(moved, 5) || ",,").split(",").map(Number);
    expect("scroll box knob near half its travel", Math.abs(knobY - travel / 2) <= 3, true);
    // The content is twice the box's height longer than the box: 200 pixels to scroll.
    expect("scroll box content follows the knob", Math.abs(contentY + (200 * knobY) / travel) <= 1, true);
    expect("background fill inside, stage outside", colours.slice(0, 4).join(","), "#336699,#336699,#ffffff,#ffffff");
    // Scrolled by about 100 of its 300 pixels: the box shows the red band's lower part; below
    // the box the stage stays white.
    expect("scroll box clips its content", colours.slice(4, 6).join(","), "#cc0000,#ffffff");
    // Thresholds 30 and 70 % over green, amber, red. The bar (0..100, low values good): 30 in
    // the middle band, 80 in the last. The display (middle values good, target 200): 60 is
    // 30 %, the middle band; 160 is 80 %, the band nearest the target, in green.
    expect("alert bands at start", part(opened, 8), `1,1,${0x996600}`);
    expect("alert bands after the drag", part(moved, 8), `2,0,${0x006600}`);
    expect("progress bar filled in its alert colour", colours[6], "#cc3333");
    // Bands by colour index: a value at a threshold belongs to the band above it; "low" counts
    // the colours from the top, "mid" from the range's middle outwards; text has no band (-1);
    // a range of 50..150 and a target of 200 set the percentages; one colour is no alert at all.
    expect("alert bands of the settings table", reports(panels, "alerts")[0], "0,1,2,0,0,2,2,-1,2,1|true");
    // The slider (0..100, low values good) colours its value and its track: 30 in the middle
    // band, 80 in the last.
    expect("slider alerts at start and after the drag", [part(opened, 9), part(moved, 9)].join(" then "),
      `1,${0x996600} then 2,${0x990000}`);
    expect("slider track in its alert colour", colours[7], "#cc3333");

    // Entry effects, from the scale of each frame and the fraction of the effect it stands for:
    // "Grow" scales both ways with the time; "Grow X first" stretches a line of one pixel across
    // in the first half and opens it downwards in the second. Both end at full size, and both
    // were seen in each half (a busy machine draws few frames of the effect).
    const growth = {};
    for (const report of reports(panels, "grow")) {
      const [name, frames, end] = report.split("|");
      growth[name] = { frames: frames.split(",").map((f) => f.split(":").map(Number)), end };
    }
    const grown = (name, scale) => {
      const g = growth[name];
      if (!g) return fail(`${name} sent no growth`);
      const off = g.frames.filter(([f, x, y]) => { const [wx, wy] = scale(f); return Math.abs(x - wx) > 0.5 || Math.abs(y - wy) > 0.5; });
      expect(`${name} frames off the growth`, off.map((f) => f.join(":")).join(","), "");
      expect(`${name} seen before and after half-way`,
        g.frames.some(([f]) => f > 0 && f < 0.5) && g.frames.some(([f]) => f >= 0.5 && f < 1), true);
      return g.end;
    };
    expect("display grown", grown("KVValueDisplaySymbol_1", (f) => [100 * f, 100 * f]), "100:100:50");
    const line = 100 / 40;
    expect("progress bar grown", grown("KVProgressBarHSymbol_1",
      (f) => (f < 0.5 ? [200 * f, line] : [100, Math.max(200 * f - 100, line)])), "100:100:40");

    // The shipped samples, as documents open them: every component draws and shows values
    // that make sense.
    const samples = fs.readdirSync(out).filter((f) => f.endsWith(".swf") && !dashboards.includes(f));
    expect("samples written", samples.length >= 2, true);
    for (const movie of samples) {
      let counts = [0, -1];
      const shown = await drive(movie, async (page, numbers) => { counts = numbers; }, "drawn", [800, 600]);
      expect(`${movie}: every component drew itself`, counts[1] > 0 && counts[0] === counts[1], true);
      expect(`${movie}: texts showing a wrong value`, reports(shown, "wrong")[0], "");
    }
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
