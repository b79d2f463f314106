// Runs the styled list box and open combo box of publish_list_highlight.cpp in Ruffle and reads
// the chosen row of each: it stands on its fill (the bar is drawn) and holds pixels that differ
// plainly from that fill (its label is drawn readably on it, not in the fill's own colour). A PNG
// of the movie goes into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { readPng } from "./lib/png.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "publish-list-highlight-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, finish } = expectations();

// Of the pixels inside the stage rectangle x, y, w, h (the 400 x 300 stage shown whole and
// centred in the picture): how many are near the fill colour, and how many far from it.
function rowPixels(picture, [x, y, w, h], fill) {
  const scale = Math.min(picture.width / 400, picture.height / 300);
  const ox = (picture.width - 400 * scale) / 2, oy = (picture.height - 300 * scale) / 2;
  const want = [(fill >> 16) & 255, (fill >> 8) & 255, fill & 255];
  let near = 0, far = 0;
  for (let py = Math.ceil(oy + (y + 2) * scale); py < Math.floor(oy + (y + h - 2) * scale); ++py) {
    for (let px = Math.ceil(ox + (x + 2) * scale); px < Math.floor(ox + (x + w - 2) * scale); ++px) {
      const at = (py * picture.width + px) * picture.channels;
      const off = Math.max(...want.map((c, i) => Math.abs(picture.pixels[at + i] - c)));
      if (off < 24) ++near;
      else if (off > 110) ++far;
    }
  }
  return { near, far };
}

function checkRow(what, picture, rect, fill) {
  const { near, far } = rowPixels(picture, rect, fill);
  console.log(`${what}: row ${rect}, fill ${fill.toString(16)}: ${near} pixels of the fill, ${far} far from it`);
  if (!(near > 100)) fail(`${what}: the chosen row ${rect} is not on its fill ${fill.toString(16)}`);
  if (!(far >= 15)) fail(`${what}: the chosen row ${rect} shows no text on its fill (${far} pixels differ from it)`);
}

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "highlight.swf"))).problems) fail(`highlight.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let picture = null, places = [];
    const shown = await drive("highlight.swf", async (page, numbers) => {
      places = numbers;
      const box = await page.locator("#c > *").first().boundingBox();
      picture = readPng(await page.screenshot({ clip: { ...box } }));
    }, "ready", [400, 300], { picture: "publish-list-highlight.png" });
    const labels = (reports(shown, "labels")[0] || "").split("|");
    if (!labels[0] || !labels[1]) fail(`the chosen rows hold no labels (${labels})`);
    if (!picture || places.length < 10) return fail(`the movie reported no places (${places})`);
    checkRow("the list box", picture, places.slice(0, 4), places[4]);
    checkRow("the combo box's open list", picture, places.slice(5, 9), places[9]);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
