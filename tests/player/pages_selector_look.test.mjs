// Runs the dashboard of pages_selector_look.cpp in Ruffle: the list box draws its chosen row in
// the "Selected Text" colour picked on its Appearance page and the other rows in the label
// colour, the check box's title sits 6 pixels lower, the combo box shows no label and its border
// takes the picked colour, and the map draws its title at the bottom and its region codes,
// keeps a region under the mouse in its own colour without "Show Art", and lets a chosen region
// go when it is pressed again with "Show On/Off". A PNG of the movie goes into
// <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-selector-look-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "selector-look.swf"))).problems) fail(`selector-look.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    const shown = await drive("selector-look.swf", async () => {}, "onoff", [600, 300], { picture: "pages-selector-look.png" });
    const list = (reports(shown, "list")[0] || "").split("|");
    expect("list box's chosen row in the picked colour", Number(list[0]), 0xcc0000);
    expect("list box's other rows in the label colour", Number(list[1]), 0x333333);
    const box = (reports(shown, "box")[0] || "").split("|");
    expect("check box's title moved down", Number(box[0]), 6);
    const combo = (reports(shown, "combo")[0] || "").split("|");
    expect("combo box without labels", combo[0], "[]");
    expect("combo box's picked border colour", Number(combo[1]), 0x00aa00);
    const map = (reports(shown, "map")[0] || "").split("|");
    expect("map's title", map[0], "Sales by state");
    expect("map's title at the bottom", Number(map[1]), 20);
    expect("map's region code", map[2], "TX");
    expect("map's region code shown", map[3], "true");
    expect("map without mouse effects", reports(shown, "over")[0], "false");
    expect("map's region pressed twice", reports(shown, "onoff")[0], "TX|[]");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
