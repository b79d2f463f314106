// Runs the dashboard of pages_people.cpp in Ruffle: the XML data file that the connection's
// "Preview XML" wrote is checked byte for byte and then loaded by both connections of the movie
// from the player's server, which answers once the movie has shown its cells (cells 0 in the
// movie become the previewed values), and the collaboration components show what their pages
// set (the light's default colour, the login's kind and button caption, the people list's label
// colour). A PNG of the movie goes into <build>/test-output for a person to look at.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, reports } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "pages-people-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

const { fail, expect, finish } = expectations();
const loaded = "4,5,6,7,6,7";

try {
  expect("preview file", fs.readFileSync(path.join(out, "kv0.xml"), "latin1"),
    "<data>\r\n" +
    " <variable name=\"prices\">\r\n  <row>\r\n   <column>4</column>\r\n   <column>5</column>\r\n  </row>\r\n </variable>\r\n" +
    " <variable name=\"counts\">\r\n  <row>\r\n   <column>6</column>\r\n  </row>\r\n  <row>\r\n   <column>7</column>\r\n" +
    "  </row>\r\n </variable>\r\n" +
    "</data>");
  for (const p of checkMovie(fs.readFileSync(path.join(out, "people.swf"))).problems) fail(`people.swf structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    let colours = [];
    const shown = await drive("people.swf", async (page, [lx, ly, px, py], at) => {
      // The connections asked for their file when the movie started; the server holds it until
      // now, so the first state seen is the movie's own. Wait for both answers.
      run.release();
      for (let i = 0; i < 150; i++) {
        const states = await page.evaluate(() => window.__events.filter((e) => e.cmd === "state").map((e) => e.args));
        if (states.some((s) => s.startsWith(loaded) && s.split("|")[2].startsWith("Loaded"))) break;
        await page.waitForTimeout(100);
      }
      colours = [await pixelAt(page, ...at(lx, ly)), await pixelAt(page, ...at(px, py))];
    }, "ready", [400, 300], { picture: "pages-people.png" });
    const states = reports(shown, "state");
    expect("cells before the answer", (states[0] || "").split("|")[0], "0,0,0,0,0,0");
    const last = (states[states.length - 1] || "").split("|");
    expect("cells after loading the preview file", last[0], loaded);
    expect("first connection", last[1], "Loaded 2 ranges");
    expect("second connection", last[2], "Loaded 1 range");
    const look = (reports(shown, "look")[0] || "").split("|");
    expect("light colour", Number(look[0]), 0x3366cc);
    expect("login button caption", look[1], "Sign in");
    expect("login asks no user name", look[2], "true");
    expect("login asks the password", look[3], "true");
    expect("people list label colour", Number(look[4]), 0xffee99);
    expect("light drawn in its colour", colours[0], "#3366cc");
    expect("people list filled with its colour", colours[1], "#ffee99");
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
