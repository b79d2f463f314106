// Runs the dashboard of pages_chartsub.cpp in Ruffle: each chart shows what its Appearance
// sub-page set (a bar colour of the Series sub-page, the legend and title alignment of the
// Titles sub-page, the chart area's fill of the Layout sub-page, a combination chart's series
// turned into columns), and the colours are on the stage where the charts draw them.
// The other five charts show the colours chosen on their Series sub-pages.
// PNGs of both movies go into <build>/test-output for a person to look at.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "chartsub-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "chartsub.swf"))).problems) fail(`chartsub.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let colours = [];
    const shown = await drive("chartsub.swf", async (page, [cx, cy, bx, by, kx, ky], at) => {
      colours = [await pixelAt(page, ...at(cx, cy)), await pixelAt(page, ...at(bx, by)), await pixelAt(page, ...at(kx, ky))];
    }, "ready", [400, 300], { picture: "pages-chartsub.png" });
    const state = (reports(shown, "state")[0] || "").split("|");
    expect("column bar colour stored", Number(state[0]), 0xcc0000);
    expect("line chart legend on", state[1], "true");
    expect("line chart legend names the series", state[2], "Series1");
    expect("line chart title aligned left", state[3], "left");
    expect("bar chart area fill", Number(state[4]), 0x3366cc);
    expect("combination series 2 is a column", state[5], "column");
    expect("combination chart draws two columns a category", Number(state[6]), 6);
    expect("first column bar drawn in its colour", colours[0], "#cc0000");
    expect("bar chart area filled with its colour", colours[1], "#3366cc");
    const comboColour = "#" + Number(state[7]).toString(16).padStart(6, "0");
    expect("the new column drawn in its own colour", colours[2], comboColour);
    let others = [];
    const shownOthers = await drive("chartsub-others.swf", async (page, [cx, cy, bx, by], at) => {
      others = [await pixelAt(page, ...at(cx, cy)), await pixelAt(page, ...at(bx, by))];
    }, "ready", [400, 300], { picture: "pages-chartsub-others.png" });
    const kept = (reports(shownOthers, "state")[0] || "").split("|").map(Number);
    expect("pie slice 2 colour", kept[0], 0x222222);
    expect("xy line colour", kept[1], 0xcc0000);
    expect("bubble colour", kept[2], 0xff9900);
    expect("stacked column colour", kept[3], 0x008000);
    expect("stacked bar colour", kept[4], 0x800080);
    expect("stacked column drawn in its colour", others[0], "#008000");
    expect("stacked bar drawn in its colour", others[1], "#800080");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
