// Runs the dashboard of publish_titles.cpp in Ruffle and reads the titles' pixels: a title
// with descenders ("Revenue by region", "Gauge") shows ink below its baseline inside its field,
// ending above the field's bottom edge rather than cut off by it, and the slider's bar stays
// below the ink of its title; a list box's title set below its rows stays under them and inside
// the list box, with whole letters. A PNG of the movie goes into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { readPng } from "./lib/png.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "publish-titles-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

// The dark pixels of a title (its text is #333333 on light backs) inside the stage rectangle
// x, y, w, h of the picture (the 400 x 300 stage shown whole and centred in it): for each column
// with ink, its lowest inked row in stage pixels.
function inkBottoms(picture, [x, y, w, h]) {
  const scale = Math.min(picture.width / 400, picture.height / 300);
  const ox = (picture.width - 400 * scale) / 2, oy = (picture.height - 300 * scale) / 2;
  const bottoms = [];
  for (let px = Math.ceil(ox + x * scale); px < Math.floor(ox + (x + w) * scale); ++px) {
    let lowest = -1;
    for (let py = Math.ceil(oy + y * scale); py < Math.floor(oy + (y + h) * scale); ++py) {
      const at = (py * picture.width + px) * picture.channels;
      const light = (picture.pixels[at] + picture.pixels[at + 1] + picture.pixels[at + 2]) / 3;
      if (light < 150) lowest = py;
    }
    if (lowest >= 0) bottoms.push((lowest + 1 - oy) / scale);
  }
  return bottoms;
}

// The baseline: the row most inked columns end on (every letter without a descender sits on it).
function baseline(bottoms) {
  const counts = new Map();
  for (const b of bottoms) counts.set(Math.round(b), (counts.get(Math.round(b)) || 0) + 1);
  return [...counts.entries()].sort((a, b) => b[1] - a[1] || a[0] - b[0])[0][0];
}

function checkDescenders(what, picture, rect) {
  const bottoms = inkBottoms(picture, rect);
  if (bottoms.length < 10) return fail(`${what}: no title drawn in its field ${rect}`);
  const line = baseline(bottoms), lowest = Math.max(...bottoms), edge = rect[1] + rect[3];
  console.log(`${what}: field ${rect}, baseline ${line}, lowest ink ${lowest}`);
  if (!(lowest - line >= 2)) fail(`${what}: no ink below the baseline ${line} (lowest ${lowest}): descenders cut off`);
  if (!(lowest < edge - 1)) fail(`${what}: the ink reaches the field's bottom edge ${edge}: letters cut off`);
}

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "titles.swf"))).problems) fail(`titles.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let picture = null, places = [];
    const shown = await drive("titles.swf", async (page, numbers) => {
      places = numbers;
      const box = await page.locator("#c > *").first().boundingBox();
      picture = readPng(await page.screenshot({ clip: { ...box } }));
    }, "ready", [400, 300], { picture: "publish-titles.png" });
    const texts = (reports(shown, "texts")[0] || "").split("|");
    expect("the chart's title", texts[0], "Revenue by region");
    expect("the gauge's title", texts[1], "Gauge");
    expect("the slider's title", texts[2], "Slider");
    const list = (reports(shown, "list")[0] || "").split("|");
    expect("the list box's title", list[0], "Grouping");
    expect("the list box's title set below", list[2], "bottom");
    if (!picture || places.length < 19) return fail(`the movie reported no places (${places})`);
    checkDescenders("the chart's title", picture, places.slice(0, 4));
    checkDescenders("the gauge's title", picture, places.slice(4, 8));
    const slider = places.slice(8, 12), barTop = places[12];
    // The word's left part only: the thumb (dark-edged) stands further right on the track.
    const bottoms = inkBottoms(picture, [slider[0], slider[1], Math.min(slider[2], 40), Math.max(barTop - slider[1], 1)]);
    if (bottoms.length < 10) fail(`the slider's title: no ink above its bar at ${barTop}`);
    const lowest = Math.max(...bottoms);
    console.log(`the slider's title: field ${slider}, lowest ink ${lowest}, bar from ${barTop}`);
    if (!(lowest < barTop - 1)) fail(`the slider's bar (from ${barTop}) runs through its title (ink down to ${lowest})`);
    if (!(lowest < slider[1] + slider[3] - 1)) fail(`the slider's title ink reaches its field's bottom edge: letters cut off`);
    if (!(slider[1] + slider[3] <= barTop)) fail(`the slider's title field (${slider}) reaches over its bar at ${barTop}`);
    const below = places.slice(13, 17), [rowsBottom, listBottom] = places.slice(17, 19);
    checkDescenders("the list box's title below its rows", picture, below);
    if (!(below[1] >= rowsBottom)) fail(`the list box's title (${below}) overlaps its rows ending at ${rowsBottom}`);
    if (!(below[1] + below[3] <= listBottom)) fail(`the list box's title (${below}) reaches below the list box (${listBottom})`);

    // A narrow chart of two series: category labels are never cut (a label that does not fit
    // its category gives way to its neighbour's room or is left out), value labels never print
    // over each other, and the run-time buttons stay clear of the title.
    let faces = null;
    const labelled = await drive("labels.swf", async (page) => {
      const box = await page.locator("#c > *").first().boundingBox();
      faces = readPng(await page.screenshot({ clip: { ...box } }));
    }, "ready", [400, 300], { picture: "publish-chart-labels.png" });
    // Bold text in a device font is drawn in a bold face: its ink runs wider than the same line's.
    if (!faces) fail("no picture of the labels' chart");
    else {
      const inkWidth = (x0) => {
        const scale = Math.min(faces.width / 400, faces.height / 300);
        const ox = (faces.width - 400 * scale) / 2, oy = (faces.height - 300 * scale) / 2;
        let first = -1, last = -1;
        for (let px = Math.ceil(ox + x0 * scale); px < Math.floor(ox + (x0 + 180) * scale); ++px)
          for (let py = Math.ceil(oy + 250 * scale); py < Math.floor(oy + 280 * scale); ++py) {
            const at = (py * faces.width + px) * faces.channels;
            if ((faces.pixels[at] + faces.pixels[at + 1] + faces.pixels[at + 2]) / 3 < 128) {
              if (first < 0) first = px;
              last = px;
              break;
            }
          }
        return first < 0 ? 0 : (last - first + 1) / scale;
      };
      const regular = inkWidth(10), bold = inkWidth(210);
      console.log(`a line of Verdana 14: ${regular} pixels regular, ${bold} bold`);
      if (!(regular > 50)) fail(`the regular line shows no text (${regular} pixels of ink)`);
      if (!(bold > regular + 4)) fail(`the bold line (${bold}) is no wider than the regular one (${regular}): no bold face`);
    }
    const cats = (reports(labelled, "categories")[0] || "").split("|").filter((c) => c).map((c) => c.split(":"));
    if (cats.length !== 4) fail(`the chart reported ${cats.length} category labels, not 4`);
    let shownCats = 0;
    for (const [name, shown, textWidth, width] of cats) {
      if (shown === "") continue;
      ++shownCats;
      expect(`a shown category label`, shown, name);
      if (!(Number(textWidth) <= Number(width))) fail(`"${name}" is ${textWidth} wide in a field of ${width}: cut`);
    }
    if (shownCats < 2) fail(`only ${shownCats} category labels shown`);
    const boxes = (reports(labelled, "values")[0] || "").split("|").filter((b) => b).map((b) => b.split(",").map(Number));
    if (boxes.length < 2) fail(`only ${boxes.length} value labels shown`);
    const overlap = (a, b) => a[0] < b[0] + b[2] && b[0] < a[0] + a[2] && a[1] < b[1] + b[3] && b[1] < a[1] + a[3];
    for (let i = 0; i < boxes.length; ++i)
      for (let j = i + 1; j < boxes.length; ++j)
        if (overlap(boxes[i], boxes[j])) fail(`value labels ${boxes[i]} and ${boxes[j]} print over each other`);
    const title = (reports(labelled, "ready")[0] || "").split(",").map(Number);
    for (const button of (reports(labelled, "buttons")[0] || "").split("|").map((b) => b.split(",").map(Number)))
      if (overlap(button, title)) fail(`a run-time button ${button} covers the title ${title}`);
    console.log(`labels: ${shownCats} of 4 categories shown, ${boxes.length} value labels, title ${title}`);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
