// Runs the dashboard of pages_selector.cpp in Ruffle: the list box shows the labels typed on its
// General page, inserts the chosen label into its Insert In cell and starts on the default chosen
// on its Behavior page; the map fills its regions with the colour chosen on its Appearance page
// and marks the default region chosen on its Behavior page; the play selector has no slider and
// starts on the item chosen on its play-options page. A PNG of the movie goes into
// <build>/test-output for a person to look at.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-selector-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "selectors.swf"))).problems) fail(`selectors.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    const shown = await drive("selectors.swf", async () => {}, "ready", [400, 300], { picture: "pages-selector.png" });
    const state = (reports(shown, "state")[0] || "").split("|");
    expect("list labels", state[0], "North,South,East");
    expect("list insert option", state[1], "label");
    expect("list default selection", Number(state[2]), 2);
    expect("map default fill", Number(state[3]), 0xcc3300);
    expect("map region without a value in the default fill", Number(state[4]), 0xcc3300);
    expect("map default region stored without blanks", state[5], "NewYork");
    expect("map default region drawn in the selected fill", Number(state[6]), 0x3366cc);
    expect("play selector slider", state[7], "false");
    expect("play selector default item", Number(state[8]), 1);
    expect("play selector shows its default item", state[9], "Item 2");
    expect("list inserted the chosen label into its cell", reports(shown, "ready")[0], "North");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
