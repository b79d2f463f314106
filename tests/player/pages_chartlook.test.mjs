// Runs the dashboards of pages_chartlook.cpp in Ruffle: each chart draws what its page changed
// (bar width, transparency and values; a diamond marker and its size; a pie's values; a
// combination chart's third series as columns; a red, wide axis line; green minor gridlines; a
// filled legend box; the run-time scale buttons; the alert level display).
// A third movie: a filled title box, a manual scale's divisions, labels shortened by their units
// and an XY chart's marker colour; a fourth: background and bar art, a pie without slice lines.
// PNGs of the movies go into <build>/test-output for a person to look at.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "chartlook-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

// How far apart two "#rrggbb" colours are, channel by channel.
function distance(a, b) {
  let most = 0;
  for (let i = 1; i < 7; i += 2) most = Math.max(most, Math.abs(parseInt(a.substr(i, 2), 16) - parseInt(b.substr(i, 2), 16)));
  return most;
}
function near(what, got, wanted, within = 6) {
  if (typeof got !== "string" || distance(got, wanted) > within) fail(`${what}: got ${got}, wanted about ${wanted}`);
}

try {
  for (const name of ["chartlook-series.swf", "chartlook-layout.swf", "chartlook-more.swf", "chartlook-art.swf"])
    for (const p of checkMovie(fs.readFileSync(path.join(out, name))).problems) fail(`${name} structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let series = [];
    const shown = await drive("chartlook-series.swf", async (page, [bx, by, mx, my, ox, oy], at) => {
      series = [await pixelAt(page, ...at(bx, by)), await pixelAt(page, ...at(mx, my)), await pixelAt(page, ...at(ox, oy))];
    }, "ready", [400, 300], { picture: "pages-chartlook-series.png" });
    const state = (reports(shown, "state")[0] || "").split("|");
    expect("bars 40 % of their category wide", Number(state[0]), 40);
    expect("a value over each bar", Number(state[1]), 3);
    expect("the first bar's value", state[2], "10");
    expect("the line's first marker", state[3], "diamond");
    expect("the marker reaches half its size left of its point", Number(state[4]), 7);
    expect("the third combination series is columns", state[5], "column");
    expect("two column series of three categories", Number(state[6]), 6);
    expect("a value on each slice", Number(state[7]), 3);
    // #3366cc at half transparency over the plot's #fafafa.
    near("the bar is half transparent", series[0], "#96b0e3", 8);
    if (series[1] === series[2]) fail(`the diamond's corner shows its colour (${series[2]}) as a circle would`);

    let layout = [];
    const shownLayout = await drive("chartlook-layout.swf", async (page, [ax, ay, gx, gy, lx, ly, sx, sy, bx, by], at) => {
      layout = [await pixelAt(page, ...at(ax, ay)), await pixelAt(page, ...at(gx, gy)), await pixelAt(page, ...at(lx, ly)),
                await pixelAt(page, ...at(sx, sy)), await pixelAt(page, ...at(bx, by))];
    }, "ready", [400, 300], { picture: "pages-chartlook-layout.png" });
    const kept = (reports(shownLayout, "state")[0] || "").split("|");
    expect("the axis colour stored", Number(kept[0]), 0xcc0000);
    expect("the scale button names the behaviour", kept[1], "Auto Scale");
    expect("the scale button steps to manual scale", kept[2], "Manual Scale");
    expect("the scale behaviour changed by the button", kept[3], "off");
    expect("the focus button", kept[4], "Focus");
    if (!(Number(kept[5]) > 0)) fail(`no alert level display drawn (${kept[5]})`);
    expect("alert level display on", kept[6], "true");
    near("the vertical axis drawn red", layout[0], "#cc0000", 20);
    near("a minor gridline drawn green", layout[1], "#00aa00", 40);
    near("the bars stand over the gridlines", layout[4], "#3366cc", 8);
    near("the legend box filled yellow", layout[2], "#ffcc00", 8);
    near("the alert level display in its band colour", layout[3], "#" + Number(kept[7]).toString(16).padStart(6, "0"), 8);

    let more = [];
    const shownMore = await drive("chartlook-more.swf", async (page, [tx, ty, px, py], at) => {
      more = [await pixelAt(page, ...at(tx, ty)), await pixelAt(page, ...at(px, py))];
    }, "ready", [400, 300], { picture: "pages-chartlook-more.png" });
    const also = (reports(shownMore, "state")[0] || "").split("|");
    expect("a manual scale of four divisions labels five values", Number(also[0]), 5);
    expect("its step", Number(also[1]), 25);
    expect("fixed-width labels shortened by their unit", also[2], "1K");
    expect("the largest label", also[3], "5K");
    expect("the XY marker colour stored", Number(also[4]), 0xaa00aa);
    expect("the title border weight stored", Number(also[5]), 2);
    near("the title box filled", more[0], "#99ccff", 8);
    near("the XY marker drawn in its colour", more[1], "#aa00aa", 8);

    let art = [];
    const shownArt = await drive("chartlook-art.swf", async (page, [lx, ly, rx, ry, tx, ty, bx, by, sx, sy], at) => {
      art = [await pixelAt(page, ...at(lx, ly)), await pixelAt(page, ...at(rx, ry)), await pixelAt(page, ...at(tx, ty)),
             await pixelAt(page, ...at(bx, by)), await pixelAt(page, ...at(sx, sy))];
    }, "ready", [400, 300], { picture: "pages-chartlook-art.png" });
    const set = (reports(shownArt, "state")[0] || "").split("|");
    expect("background art on", set[0], "true");
    expect("bar art on", set[1], "true");
    expect("slice lines off", set[2], "false");
    // Bar art lights the bar's left half; background art shades the back from white at the top.
    if (!(distance(art[0], "#ffffff") < distance(art[1], "#ffffff"))) fail(`the bar's lit half ${art[0]} is no lighter than ${art[1]}`);
    near("the back's top", art[2], "#ffffff", 12);
    if (!(distance(art[3], "#ffffff") > 30)) fail(`the back's bottom is not shaded: ${art[3]}`);
    if (!(distance(art[4], "#ffffff") > 60)) fail(`a slice line shows between the slices: ${art[4]}`);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
