// A title typed into the Component Properties sheet (propui_published.cpp) shows in the published
// movie: Ruffle plays the dashboard and the value display draws the typed title over its value;
// the URL button's label takes the font set in the font chooser of its Appearance page.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "propui-published-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

const { fail, expect, failures } = expectations();

try {
  for (const p of checkMovie(fs.readFileSync(path.join(out, "edited.swf"))).problems) fail(`edited.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const result = await run("edited.swf", { until: "done", timeoutMs: 20000 });
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    const state = reports(result, "state").at(-1);
    if (!state) {
      fail("the probe reported nothing");
      return;
    }
    const [title, , cell] = state.split("|");
    expect("the display's title", title, "Typed in the sheet");
    expect("the bound cell", cell, "1234.5");
    const [bold, size, colour] = (reports(result, "font").at(-1) || "").split("|");
    expect("the URL label is bold", bold, "true");
    expect("the URL label's size", size, "18");
    expect("the URL label's colour", Number(colour), 0xcc2211);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
process.exit(failures() ? 1 : 0);
