// Runs the dashboards of pages_published.cpp in Ruffle: each component shows what its property
// page set, and the colours are on the stage where the components draw. PNGs of the movies go
// into <build>/test-output for a person to look at.
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
const fields = (result, command) => (reports(result, command)[0] || "").split("|");
// Whether a pixel is within 32 of a colour on every channel: the stage is scaled into the
// player, so a thin line's pixels blend with what lies beside them.
const near = (pixel, colour) => [1, 3, 5].every((i) =>
  Math.abs(parseInt(pixel.slice(i, i + 2), 16) - parseInt(colour.slice(i, i + 2), 16)) <= 32);

try {
  for (const movie of ["pages.swf", "text.swf"])
    for (const p of checkMovie(fs.readFileSync(path.join(out, movie))).problems) fail(`${movie} structure: ${p}`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });

    let colours = [];
    const shown = await drive("pages.swf", async (page, [lx, ly, bx, by, tx, ty], at) => {
      colours = [await pixelAt(page, ...at(lx, ly)), await pixelAt(page, ...at(bx, by)),
        await pixelAt(page, ...at(tx, ty))];
    }, "ready", [400, 300], { picture: "pages-published.png" });
    const state = fields(shown, "state");
    expect("line colour", Number(state[0]), 0xcc0000);
    expect("line weight", Number(state[1]), 6);
    expect("URL button label", state[2], "Open report");
    expect("URL button window", state[3], "_self");
    expect("label text", state[4], "Hello from the page");
    expect("background fill", Number(state[5]), 0x3366cc);
    expect("line drawn in its colour", colours[0], "#cc0000");
    expect("background filled with its colour", colours[1], "#3366cc");
    const more = fields(shown, "more");
    expect("entry effect of the Behavior page", more[0], "Grow");
    expect("effect duration of the Behavior page", Number(more[1]), 5);
    expect("the background still growing into view", Number(more[2]) < 100, true);
    expect("weight typed into the parameter list", Number(more[3]), 9);
    expect("label size of the Text format page", Number(more[4]), 20);
    expect("URL button face colour", Number(more[5]), 0x33aa55);
    expect("trend icon background colour", Number(more[6]), 0xff8800);
    expect("scenario colour", Number(more[7]), 0xaa00aa);
    expect("input text default text", more[8], "Type here");
    expect("trend icon drawn in its colour", colours[2], "#ff8800");
    const picture = fields(shown, "picture");
    expect("background shows the chosen file", picture[0], "true");
    expect("background's art is off", picture[1], "false");
    expect("background draws no art", Number(picture[2]), 0);
    expect("chosen file is a JPEG", picture[3], "jpg");
    expect("chosen file was copied for the movie", picture[4], "true");
    expect("chosen file's name", path.basename(picture[5] || ""), "picture.jpg");
    expect("the picture is drawn over the whole background", `${Math.round(picture[6])}x${Math.round(picture[7])}`,
      `${picture[8]}x${picture[9]}`);

    const text = await drive("text.swf", async (page, [ax, ay, ex, ey, fx, fy], at) => {
      colours = [await pixelAt(page, ...at(ax, ay)), await pixelAt(page, ...at(ex, ey)),
        await pixelAt(page, ...at(fx, fy))];
    }, "ready", [400, 300], { picture: "pages-text.png" });
    const input = fields(text, "input");
    expect("input echoes a password", input[0], "true");
    expect("input takes at most 8 characters", Number(input[1]), 8);
    expect("input takes only digits", input[2], "0-9");
    const area = fields(text, "area");
    expect("text area's vertical scroll behaviour", area[0], "enabled");
    expect("text area shows its scroll bar", area[1], "true");
    expect("text area's fill colour", Number(area[2]), 0xffcc00);
    expect("text area filled with its colour", colours[0], "#ffcc00");
    const label = fields(text, "label");
    expect("label's border drawn on every side", label.slice(0, 4).join(","), "true,true,true,true");
    expect("label's border colour", Number(label[4]), 0xff0000);
    expect("label's border weight", Number(label[5]), 4);
    expect("label's fill colour", Number(label[6]), 0x0000ff);
    expect(`label's left border in its colour (${colours[1]})`, near(colours[1], "#ff0000"), true);
    expect("label filled with its colour", colours[2], "#0000ff");
    const fading = fields(text, "fading");
    expect("label's vertical scroll behaviour", fading[0], "enabled");
    expect("label's entry effect", fading[1], "Fade-in");
    expect("label's effect duration", Number(fading[2]), 5);
    expect("the label still fading in", Number(fading[3]) < 100, true);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
