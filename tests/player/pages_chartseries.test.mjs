// Runs the dashboard of pages_chartseries.cpp in Ruffle: the column chart given two series one
// by one draws both from their own cells and follows the input that feeds the second; the line
// chart whose series was picked again after its data range draws the new cells only; the XY
// series takes its own X and Y values; the pie stands on the plot area filled on its Layout
// sub-page; the play selector's panel lets 60 per cent through and has no border; the
// background placed under a style takes the style's fill. PNGs of the movie and of each
// component go into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, click, pictureEach, reports, settle } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-chartseries-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "series.swf"))).problems) fail(`series.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    const colours = [];
    const shown = await drive("series.swf", async (page, [ix, iy, plotX, plotY, edgeX, edgeY, backX, backY], at) => {
      colours.push(await pixelAt(page, ...at(plotX, plotY)));
      colours.push(await pixelAt(page, ...at(edgeX, edgeY)));
      colours.push(await pixelAt(page, ...at(backX, backY)));
      await pictureEach(page, at, pictures, "pages-chartseries");
      await click(page, at, ix, iy);
      await page.keyboard.press("End");
      for (let i = 0; i < 4; i++) await page.keyboard.press("Backspace");
      await page.keyboard.type("40");
      await page.keyboard.press("Enter");
      await settle(page);
    }, "ready", [400, 300], { picture: "pages-chartseries.png" });
    const states = reports(shown, "state");
    const first = (states[0] || "").split("|");
    const last = (states.at(-1) || "").split("|");
    expect("series given their cells one by one", first[1], "5 15 25;20 20 30");
    expect("a series picked again after the data range", first[2], "7 8 9");
    expect("an XY series' own X and Y values", first[3], "5 15 25;7 8 9");
    expect("bars and points drawn", first[4], "6,3");
    expect("the pie's plot area", first[5], "plot");
    expect("the pie's plot area filled as chosen on the Layout sub-page", colours[0], "#ffcc00");
    expect("the play selector's transparency", first[6], "40");
    expect("the play selector drawn without its border", colours[1], "#ffffff");
    expect("the background in the style's fill", colours[2], "#33cc99");
    expect("input typed", last[0], "40");
    expect("the second series follows the input", last[1], "5 15 25;80 20 30");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
