// Runs the component dashboards of publish_components.cpp in Ruffle. components.swf: the
// components start with their cells' values, the displays show formulas of the slider's cell in
// their number formats, and dragging the slider's thumb with the mouse writes the cell, which
// recalculates the displays. selectors.swf: clicks on a check box, a combo box item and a push
// button write their cells; the column chart's bars and a label follow. inputs.swf: the dial
// turned, a list row and a radio button clicked and a number typed write their cells; a gauge, a
// progress bar, a line and a pie chart follow. A PNG of each dashboard after the input goes into
// the test output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "components-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const expect = (what, got, wanted) => {
  if (got === wanted) console.log(`ok   ${what} = ${JSON.stringify(got)}`);
  else fail(`${what} = ${JSON.stringify(got)}, expected ${JSON.stringify(wanted)}`);
};
try {
  const file = fs.readFileSync(path.join(out, "components.swf"));
  for (const p of checkMovie(file).problems) fail(`structure: ${p}`);
  await withPlayer(out, async (run) => {
    // Maps a stage point to the page: the player shows the 400 x 300 stage whole and centred in
    // its element.
    const stageToPage = async (page) => {
      const box = await page.locator("#c > *").first().boundingBox();
      const scale = Math.min(box.width / 400, box.height / 300);
      return [box, (sx, sy) => [box.x + (box.width - 400 * scale) / 2 + sx * scale,
        box.y + (box.height - 300 * scale) / 2 + sy * scale]];
    };
    const finish = (page) => page.evaluate(() => { document.title = "FINISHED"; });
    let track = null;
    const result = await run("components.swf", {
      until: "done",
      timeoutMs: 20000,
      onCommand: {
        // Drag the thumb three quarters along the track (0..100 in steps of 1: 75), let the next
        // frames recalculate, take the picture and end the run.
        ready: async (page, args) => {
          track = args.split(",").map(Number);
          const [x0, x1, y, thumb] = track;
          const [box, at] = await stageToPage(page);
          await page.mouse.move(...at(thumb, y));
          await page.mouse.down();
          await page.mouse.move(...at(x0 + (x1 - x0) * 0.6, y), { steps: 4 });
          await page.mouse.move(...at(x0 + (x1 - x0) * 0.75, y + 3), { steps: 4 });
          await page.mouse.up();
          await page.waitForTimeout(300);
          await page.screenshot({ path: path.join(pictures, "components.png"), clip: { ...box } });
          await finish(page);
        },
      },
    });
    // The assets carry our marker tag, which the player does not know; the browser player has no
    // device fonts and draws text in its own.
    const known = (p) => p.includes("Unknown tag code: 666") || p.includes("Unknown device font");
    for (const p of playerProblems(result).filter((p) => !known(p))) fail(`player: ${p}`);
    const params = result.events.find((e) => e.kind === "fscommand" && e.cmd === "params");
    // A choice, a text format's size and flag, a boolean, a colour and a number.
    expect("slider parameters", params && params.args, "Horizontal|12|true|true|6710886|1");
    const states = result.events.filter((e) => e.kind === "fscommand" && e.cmd === "state").map((e) => e.args);
    // A1 | slider value | slider text | display title | display value | echo title | echo value | display size
    expect("first state", states[0], "40|40|40|Low|100|Value|40.0|150x50");
    expect("track reported", Array.isArray(track) && track.length === 4 && track[1] > track[0], true);
    expect("state after the drag", states.at(-1), "75|75|75|High|187.5|Value|75.0|150x50");

    const selectors = await run("selectors.swf", {
      until: "done",
      timeoutMs: 20000,
      onCommand: {
        ready: async (page, args) => {
          const [cx, cy, ox, oy, ix, iy, bx, by] = args.split(",").map(Number);
          const [box, at] = await stageToPage(page);
          const click = async (x, y) => {
            await page.mouse.click(...at(x, y));
            await page.waitForTimeout(250);
          };
          await click(cx, cy);
          await click(ox, oy);
          await click(ix, iy);
          await click(bx, by);
          await page.screenshot({ path: path.join(pictures, "selectors.png"), clip: { ...box } });
          await finish(page);
        },
      },
    });
    for (const p of playerProblems(selectors).filter((p) => !known(p))) fail(`player: ${p}`);
    const chosen = selectors.events.filter((e) => e.kind === "fscommand" && e.cmd === "state").map((e) => e.args);
    // A1,A2,A3 | bar heights (B1, C1, D1 in proportion) | label | check box | combo box.
    const [first, last] = [chosen[0], chosen.at(-1)];
    expect("cells at start", first && first.split("|")[0], "1,0,0");
    expect("label at start", first && first.split("|")[2], "Total: 30");
    expect("check box and combo box at start", first && first.split("|").slice(3).join("|"), "0|Item 1");
    expect("cells after the clicks", last && last.split("|")[0], "3,1,1");
    expect("label after the clicks", last && last.split("|")[2], "Total: 100");
    expect("check box and combo box after the clicks", last && last.split("|").slice(3).join("|"), "1|Item 3");
    const ratios = (state) => {
      const h = state.split("|")[1].split(",").map(Number);
      return h.map((x) => Math.round((x / h[0]) * 100) / 100).join(",");
    };
    // 10 : 5 : 15 before, 30 : 25 : 45 after.
    expect("bar heights at start", first && ratios(first), "1,0.5,1.5");
    expect("bar heights after the clicks", last && ratios(last), "1,0.83,1.5");

    const inputs = await run("inputs.swf", {
      until: "done",
      timeoutMs: 20000,
      onCommand: {
        ready: async (page, args) => {
          const [dx, dy, lx, ly, rx, ry, ix, iy] = args.split(",").map(Number);
          const [box, at] = await stageToPage(page);
          const click = async (x, y) => {
            await page.mouse.click(...at(x, y));
            await page.waitForTimeout(250);
          };
          await click(dx, dy);
          await click(lx, ly);
          await click(rx, ry);
          await click(ix, iy);
          await page.keyboard.press("End");
          await page.keyboard.press("Backspace");
          await page.keyboard.type("12");
          await page.keyboard.press("Enter");
          await page.waitForTimeout(300);
          await page.screenshot({ path: path.join(pictures, "inputs.png"), clip: { ...box } });
          await finish(page);
        },
      },
    });
    for (const p of playerProblems(inputs).filter((p) => !known(p))) fail(`player: ${p}`);
    const seen = inputs.events.filter((e) => e.kind === "fscommand" && e.cmd === "state").map((e) => e.args);
    // A1..A4 | gauge angle | progress % | line point heights | pie sweeps | list, radio, input.
    const part = (state, i) => state && state.split("|")[i];
    const proportions = (text) => {
      const h = text.split(",").map(Number);
      return h.map((x) => Math.round((x / h[0]) * 100) / 100).join(",");
    };
    const [before, after] = [seen[0], seen.at(-1)];
    expect("cells at start", part(before, 0), "20,1,1,5");
    expect("gauge and progress at start", [part(before, 1), part(before, 2)].join("|"), "-81|20");
    expect("line heights at start (20 : 10 : 15)", before && proportions(part(before, 3)), "1,0.5,0.75");
    expect("pie sweeps at start", part(before, 4), "160,80,120");
    expect("inputs at start", part(before, 5), "0,0,5");
    // The dial pressed about 45 degrees right of up: near 66.7, snapped to a whole number; the
    // gauge, the progress bar and the charts follow whatever it took.
    const turned = Number(part(after, 0).split(",")[0]);
    expect("dial turned to about 67", turned >= 65 && turned <= 68, true);
    expect("cells after the input", part(after, 0), `${turned},3,2,12`);
    expect("gauge and progress after", [part(after, 1), part(after, 2)].join("|"),
      `${Math.round(-135 + (turned / 100) * 270)}|${turned}`);
    const r2 = (x) => Math.round(x * 100) / 100;
    expect("line heights after", after && proportions(part(after, 3)), `1,${r2(30 / turned)},${r2(32 / turned)}`);
    const total = turned + 30 + 32;
    expect("pie sweeps after", part(after, 4), [turned, 30, 32].map((v) => r2((v / total) * 360)).join(","));
    expect("inputs after", part(after, 5), "2,1,12");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : "all checks passed");
process.exit(failures ? 1 : 0);
