// Runs the dashboard of pages_chart.cpp in Ruffle: every chart shows the title typed on its
// General page, the stacked columns keep the Y-axis maximum fixed on their Behavior page, the
// line chart's value labels take the colour chosen on its Y-Axis sub-page, and the column
// chart's third bar turns the alert colour chosen on its Alerts page once the value typed into
// the input crosses the top threshold. The bar chart, given a second series without cells on
// its General page, stays one series of its cells and follows the input. PNGs of the movie and of each chart go into
// <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, click, pictureEach, reports, settle } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-chart-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "charts.swf"))).problems) fail(`charts.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    const colours = [];
    const shown = await drive("charts.swf", async (page, [ix, iy, bx, by], at) => {
      colours.push(await pixelAt(page, ...at(bx, by)));
      await pictureEach(page, at, pictures, "pages-chart");
      await click(page, at, ix, iy);
      await page.keyboard.press("End");
      for (let i = 0; i < 4; i++) await page.keyboard.press("Backspace");
      await page.keyboard.type("80");
      await page.keyboard.press("Enter");
      await settle(page);
      colours.push(await pixelAt(page, ...at(bx, by)));
    }, "ready", [400, 300], { picture: "pages-chart.png" });
    const states = reports(shown, "state");
    const first = (states[0] || "").split("|");
    const last = (states.at(-1) || "").split("|");
    expect("titles typed on the General pages", first[1],
      "Quarterly sales,Stacked columns,Line,Bar,Pie,XY,Bubble,Stacked bars,Combination");
    expect("alert bands before the input", first[2], "0,0,0");
    expect("top band's colour chosen on the Alerts page", Number(first[3]), 0x0000ff);
    expect("manual scale with the maximum set on the Behavior page", first[4], "off,0,200");
    expect("value label colour chosen on the Y-Axis sub-page", Number(first[5]), 0xcc0000);
    expect("input typed", last[0], "80");
    expect("alert bands after the input", last[2], "0,0,2");
    expect("bar chart with a series added without cells", first[6], "1:10,30,60");
    expect("the bar chart's first value after the input", last[6], "1:80,30,60");
    expect("third bar before the input (the lowest band's green)", colours[0], "#339933");
    expect("third bar after the input (the chosen blue)", colours[1], "#0000ff");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
