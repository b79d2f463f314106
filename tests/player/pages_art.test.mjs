// Runs the dashboard of pages_art.cpp in Ruffle: the shipped bevelled background tiles its
// middle and the one taken back from an external file draws it whole; the list box stands its
// rows apart on plates with centred labels; the radio buttons' chosen marker is a green bead, on
// an art panel with its shadow, 10 pixels in from its edge; the
// check box's box takes the picked fill; the combo box's arrow button is shaded, and the other
// combo box opens two rows of three beside a thumb in the picked colour; the push button
// takes its picked off fill and the open menu's items stand on plates; the input
// centres its text with no label above it; the list box and the table, whose "Sound Enabled" was
// checked, start the movie's click of 30 ms when an item is chosen, and the radio buttons do not. A PNG of the movie goes into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-art-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();
const rgb = (hex) => [1, 3, 5].map((i) => parseInt((hex || "#000000").slice(i, i + 2), 16));

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "art.swf"))).problems) fail(`art.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    const seen = {};
    const shown = await drive("art.swf", async (page, n, at) => {
      const names = ["tiled", "whole", "plate", "bead", "box", "arrow", "shadow", "button", "menu", "thumb"];
      for (let i = 0; i < names.length; i++) seen[names[i]] = await pixelAt(page, ...at(n[2 * i], n[2 * i + 1]));
    }, "ready", [400, 300], { picture: "pages-art.png" });
    const backgrounds = (reports(shown, "backgrounds")[0] || "").split("|");
    expect("shipped bevel tiles its middle", `${backgrounds[0]}|${backgrounds[1]}`, "4|6");
    expect("bevel back from a file draws its middle whole", `${backgrounds[2]}|${backgrounds[3]}`, "4|1");
    expect("a tile's edge where the whole middle is plain", seen.tiled !== seen.whole && seen.whole === "#d9dde2", true);
    const list = (reports(shown, "list")[0] || "").split("|");
    expect("list rows 6 pixels apart", Number(list[0]), 24);
    expect("list labels centred", list[1], "center");
    expect("list labels shifted right and down", list[2], "8,3");
    expect("list row on its plate", !["#f4f4f4", "#ffffff"].includes(seen.plate), true);
    const [r, g, b] = rgb(seen.bead);
    expect("chosen radio button a green bead", g > r + 40 && g > b + 40, true);
    const radio = (reports(shown, "radio")[0] || "").split("|");
    expect("radio buttons inside the typed margin", `${radio[0]}|${radio[1]}`, "10|true");
    expect("radio buttons' title at the bottom", `${radio[2]}|${radio[3]}|${radio[4]}`, "Pick|18|0");
    expect("radio buttons' art panel casts a shadow", seen.shadow !== "#ffffff" && rgb(seen.shadow)[0] < 240, true);
    expect("check box filled as picked", seen.box, "#ffcc00");
    expect("push button in its picked off fill", seen.button, "#009999");
    expect("open menu's item on its plate", !["#ffffff", "#f4f4f4"].includes(seen.menu), true);
    const rows = (reports(shown, "rows")[0] || "").split("|");
    expect("combo box opens the rows typed", rows.join("|"), "2|true,true,false");
    expect("combo box's thumb in its picked colour", seen.thumb, "#cc0000");
    expect("combo box's arrow button shaded", seen.arrow !== "#eeeeee", true);
    const input = (reports(shown, "input")[0] || "").split("|");
    expect("input's text centred", input[0], "center");
    expect("input's text in its Appearance font", input[1], "false");
    expect("input's field at its top (no label)", Number(input[2]), 0);
    const sounds = (reports(shown, "sounds")[0] || "").split("|");
    expect("list box clicks once, the movie's click", `${sounds[0]}|${sounds[1]}`, "1|30");
    expect("table clicks once, the movie's click", `${sounds[2]}|${sounds[3]}`, "1|30");
    expect("radio buttons without sound stay silent", sounds[4], "");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
