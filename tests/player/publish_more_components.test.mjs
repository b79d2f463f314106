// Runs the dashboards of publish_more_components.cpp in Ruffle and types into their inputs:
// - charts.swf: an XY chart (points in proportion, alert colours against a target), a bubble
//   chart (areas in proportion to the sizes), stacked columns and bars (negative values below the
//   axis, category totals), a combination chart (columns on a fixed scale, a line on its second
//   axis) follow a cell typed into an input; the stacked bars hide when their status cell says so;
// - shapes.swf: a vertical progress bar (fill and alert colour), two lines, the art backgrounds
//   and a text area that writes its cell; the plain fifth background shows when the cell allows;
// - maps.swf: the US and Europe maps colour their regions by their cells' values and write the
//   region clicked into their cells.
// A PNG of each movie, and of each component in it, goes into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, click, pictureEach, reports, settle } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "more-components-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();
const part = (state, i) => state && state.split("|")[i];
const r2 = (x) => Math.round(x * 100) / 100;
// Each value over the first, to two places.
const proportions = (text, f = (x) => x) => {
  const h = text.split(",").map(Number).map(f);
  return h.map((x) => r2(x / h[0])).join(",");
};

// Clicks a field, types a value over its text and leaves it with Enter.
async function typeInto(page, at, x, y, text) {
  await click(page, at, x, y);
  await page.keyboard.press("End");
  for (let i = 0; i < 6; i++) await page.keyboard.press("Backspace");
  await page.keyboard.type(text);
}

try {
  for (const movie of fs.readdirSync(out))
    for (const p of checkMovie(fs.readFileSync(path.join(out, movie))).problems) fail(`${movie} structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });

    let pointColours = [];
    const charts = await drive("charts.swf", async (page, [ix, iy, ...start], at) => {
      // The points where the latest state puts them.
      const colours = async () => {
        const events = await page.evaluate(() => window.__events);
        const latest = events.filter((e) => e.kind === "fscommand" && e.cmd === "state").at(-1);
        const points = latest ? part(latest.args, 11).split(",").map(Number) : start;
        const found = [];
        for (let i = 0; i + 1 < points.length; i += 2) found.push(await pixelAt(page, ...at(points[i], points[i + 1])));
        return found.join(",");
      };
      pointColours.push(await colours());
      await pictureEach(page, at, pictures, "charts");
      await typeInto(page, at, ix, iy, "5");
      await page.keyboard.press("Enter");
      await settle(page);
      pointColours.push(await colours());
    });
    // A1 | XY heights | XY bands | bubble areas | stacks | stacked column heights | stacked bar
    // widths, shown | combo column heights | combo line heights | combo scales | combo plot height
    // | XY points on the stage | XY title
    const states = reports(charts, "state");
    const [first, last] = [states[0], states.at(-1)];
    expect("cell at start and after typing", [part(first, 0), part(last, 0)].join(" then "), "10 then 5");
    expect("title from a formula cell", [part(first, 12), part(last, 12)].join(" then "), "Points of 10 then Points of 5");
    // Y values 10, 20, 30, 5; then 10, 20, 15, 5.
    expect("XY point heights at start", first && proportions(part(first, 1)), "1,2,3,0.5");
    expect("XY point heights after", last && proportions(part(last, 1)), "1,2,1.5,0.5");
    // Against the target 40 at 30 and 70 %: 25, 50, 75 and 12.5 % (green, amber, red, green);
    // then 37.5 % for the third (amber).
    expect("XY alert bands", [part(first, 2), part(last, 2)].join(" then "), "0,1,2,0 then 0,1,1,0");
    expect("XY alert colours", pointColours.join(" then "),
      "#339933,#ffcc00,#cc3333,#339933 then #339933,#ffcc00,#ffcc00,#339933");
    // Sizes 10, 40, 90: areas 1 : 4 : 9 (radii 1 : 2 : 3); then 10, 40, 45.
    expect("bubble areas at start", first && proportions(part(first, 3)), "1,4,9");
    expect("bubble areas after", last && proportions(part(last, 3)), "1,4,4.5");
    expect("bubble radii at start", first && proportions(part(first, 3), Math.sqrt), "1,2,3");
    // Categories 10 + 5, 20 - 10, 30 + A1: positive and negative totals.
    expect("stacked totals", [part(first, 4), part(last, 4)].join(" then "), "15:0,20:-10,40:0 then 15:0,20:-10,35:0");
    expect("stacked column heights at start", first && proportions(part(first, 5)), "1,2,3,0.5,1,1");
    expect("stacked column heights after", last && proportions(part(last, 5)), "1,2,3,0.5,1,0.5");
    const widths = (s) => s.split(",").slice(0, -1).join(",");
    expect("stacked bar widths at start", first && proportions(widths(part(first, 6))), "1,2,3,0.5,1,1");
    expect("stacked bars shown while A1 > 7", [part(first, 6), part(last, 6)].map((s) => s && s.split(",").at(-1)).join(" then "), "true then false");
    // Columns 10, 20, 30 on the fixed 0..50; the line 100, 200, 300 on 0..300, then 100, 200,
    // 150 on 0..200.
    expect("combination scales", [part(first, 9), part(last, 9)].join(" then "), "0,50,10;0,300,100 then 0,50,10;0,200,50");
    const share = (state, i) => state && part(state, i).split(",").map((v) => r2(Number(v) / Number(part(state, 10)))).join(",");
    expect("combination columns over the plot", share(first, 7), "0.2,0.4,0.6");
    expect("combination line over the plot", [share(first, 8), share(last, 8)].join(" then "), "0.33,0.67,1 then 0.5,1,0.75");

    let colours = [];
    const shapes = await drive("shapes.swf", async (page, [ax, ay, sx, sy, ...spots], at) => {
      const look = async () => {
        const found = [];
        for (let i = 0; i + 1 < spots.length; i += 2) found.push(await pixelAt(page, ...at(spots[i], spots[i + 1])));
        return found.join(",");
      };
      colours.push(await look());
      await pictureEach(page, at, pictures, "shapes");
      await click(page, at, ax, ay);
      await page.keyboard.press("End");
      for (let i = 0; i < 4; i++) await page.keyboard.press("Backspace");
      await page.keyboard.type("80");
      // Leaving the field inserts the text.
      await click(page, at, sx, sy);
      await settle(page);
      colours.push(await look());
    });
    // A1 | progress %, band | line ends | arts, fifth shown | text area
    const shown = reports(shapes, "state");
    const [before, after] = [shown[0], shown.at(-1)];
    expect("shapes at start", before, "30|30,1|0,5,150,5;5,0,5,100|2,3,4,0,false|30");
    expect("shapes after typing 80 into the text area", after, "80|80,2|0,5,150,5;5,0,5,100|2,3,4,0,true|80");
    // The progress bar's fill near its bottom in its band's colour (amber, then red); the lines;
    // the art backgrounds' own colours; the plain fifth shows its fill once A1 > 50.
    const [fillBefore, , , ...bgBefore] = (colours[0] || "").split(",");
    const [fillAfter, lineH, lineV, ...bgAfter] = (colours[1] || "").split(",");
    expect("progress bar alert colours", `${fillBefore} then ${fillAfter}`, "#ffcc00 then #cc3333");
    expect("lines drawn in their colour", [lineH, lineV].every((c) => c && c !== "#ffffff"), true);
    expect("backgrounds at start", bgBefore.join(","), "#f7f9fb,#ffffff,#d9dde2,#ffffff");
    expect("backgrounds after", bgAfter.join(","), "#f7f9fb,#ffffff,#d9dde2,#336699");

    let regionColours = [];
    const maps = await drive("maps.swf", async (page, [tx, ty, fx, fy, ...more], at) => {
      const spots = [tx, ty, fx, fy, ...more];
      const look = async () => {
        const found = [];
        for (let i = 0; i + 1 < spots.length; i += 2) found.push(await pixelAt(page, ...at(spots[i], spots[i + 1])));
        return found.join(",");
      };
      regionColours.push(await look());
      await pictureEach(page, at, pictures, "maps");
      await click(page, at, tx, ty);
      await click(page, at, fx, fy);
      // Away from the maps, so that no region shows the mouse over it.
      await page.mouse.move(...at(395, 295));
      await settle(page);
      regionColours.push(await look());
    });
    // D1, D2 | CA, TX, NY, FL | DE, FR. High values are good ("low" alerts) over 0 to the
    // largest value, at 30 and 70 %: 90 of 90 green, 40 amber, 10 red; FL has no value. In
    // Europe 20 of 80 is red, 80 green. A chosen region takes the selected fill.
    const mapStates = reports(maps, "state");
    const colour = (n) => String(n);
    expect("maps at start", mapStates[0],
      `,0|${[0x339933, 0xffcc00, 0xcc3333, 0xd5dbe3].map(colour).join(",")}|${[0xcc3333, 0x339933].map(colour).join(",")}`);
    expect("maps after choosing Texas and France", mapStates.at(-1),
      `tx,2|${[0x339933, 0x3366cc, 0xcc3333, 0xd5dbe3].map(colour).join(",")}|${[0xcc3333, 0x3366cc].map(colour).join(",")}`);
    // Texas, France, California, Nebraska (no value), Germany on the screen.
    expect("map colours on the screen", regionColours.join(" then "),
      "#ffcc00,#339933,#339933,#d5dbe3,#cc3333 then #3366cc,#3366cc,#339933,#d5dbe3,#cc3333");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
