// Runs the dashboard of pages_published.cpp in Ruffle: each component shows what its property
// page set (the line's colour and weight, the URL button's label and window, the label's text,
// the background's fill colour), and the colours are on the stage where the components draw.
// A PNG of the movie goes into <build>/test-output for a person to look at.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "pages.swf"))).problems) fail(`pages.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let colours = [];
    const shown = await drive("pages.swf", async (page, [lx, ly, bx, by], at) => {
      colours = [await pixelAt(page, ...at(lx, ly)), await pixelAt(page, ...at(bx, by))];
    }, "ready", [400, 300], { picture: "pages-published.png" });
    const state = (reports(shown, "state")[0] || "").split("|");
    expect("line colour", Number(state[0]), 0xcc0000);
    expect("line weight", Number(state[1]), 6);
    expect("URL button label", state[2], "Open report");
    expect("URL button window", state[3], "_self");
    expect("label text", state[4], "Hello from the page");
    expect("background fill", Number(state[5]), 0x3366cc);
    expect("line drawn in its colour", colours[0], "#cc0000");
    expect("background filled with its colour", colours[1], "#3366cc");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
