// Runs the dashboard of pages_value.cpp in Ruffle: the slider shows the title and limits typed
// on its General and Behavior pages, the gauge the tick colour and hidden title of its
// Appearance page, and the table the data and default row of its General and Behavior pages,
// filled in the colour of its Appearance page; a click on another row inserts that row into the
// cells picked on the General page. A PNG of the movie goes into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { click, driver, reports, settle } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-value-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "value.swf"))).problems) fail(`value.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let selected = "";
    const shown = await drive("value.swf", async (page, [sx, sy, rx, ry], at) => {
      selected = await pixelAt(page, ...at(sx, sy));
      await click(page, at, rx, ry);
      await settle(page);
    }, "ready", [400, 300], { picture: "pages-value.png" });
    const states = reports(shown, "state").map((s) => s.split("|"));
    const first = states[0] || [];
    const last = states[states.length - 1] || [];
    expect("slider title", first[0], "Rate");
    expect("slider minimum", Number(first[1]), 20);
    expect("slider maximum", Number(first[2]), 80);
    expect("gauge tick colour", Number(first[3]), 0xcc0000);
    expect("gauge title switched off", first[4], "false");
    expect("gauge shows no title", first[5], "");
    expect("table default row", Number(first[6]), 1);
    expect("table selected-row colour", Number(first[7]), 0x33cc33);
    expect("table shows the picked data", first[8], "10");
    expect("default row filled in its colour", selected, "#33cc33");
    expect("clicked row chosen", Number(last[6]), 2);
    expect("clicked row inserted into the picked cells", Number(last[9]), 50 * 60);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
