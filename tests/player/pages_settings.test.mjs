// Runs the dashboard of pages_settings.cpp in Ruffle: the slider stands upright with limits
// found from its first value (0 to 1000 for 300), the dial starts at the angle typed into its
// spin edit and carries a knob that turns with its needle, and the combo box draws the title
// typed on its General page above its box and, opened, unfolds its rows one a frame by the
// "Open Animation" of its Behavior page. A PNG of the movie goes into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-settings-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "settings.swf"))).problems) fail(`settings.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let knob = "";
    const shown = await drive("settings.swf", async (page, [kx, ky], at) => {
      knob = await pixelAt(page, ...at(kx + 4, ky + 4));
    }, "ready", [400, 300], { picture: "pages-settings.png" });
    const state = (reports(shown, "state")[0] || "").split("|");
    expect("slider upright by its General page", state[0], "true");
    expect("slider's automatic minimum", Number(state[1]), 0);
    expect("slider's automatic maximum", Number(state[2]), 1000);
    expect("dial's typed start angle", Number(state[3]), -120);
    expect("dial's knob turns with its needle", Number(state[5]), Number(state[4]));
    expect("dial's knob drawn on its centre", knob, "#e4e4e4");
    expect("combo box's title", state[6], "Region");
    expect("combo box's box below its title", Number(state[7]), 18);
    expect("upright slider's thumb on its track's middle", Number(state[9]), 40);
    const unfold = reports(shown, "unfold").map((r) => r.split("|"));
    expect("combo box's first row shown first", (unfold[0] || [])[1], "true");
    expect("combo box's second row not yet", (unfold[0] || [])[2], "false");
    const unfolded = (reports(shown, "unfolded")[0] || "").split("|");
    expect("combo box unfolded", unfolded[0], "");
    expect("combo box's rows all shown", `${unfolded[1]}|${unfolded[2]}`, "true|true");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
