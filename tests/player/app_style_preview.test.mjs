// Runs app_style_preview.cpp: the Styles sheet's preview on the real player. Checks that the
// samples show whole: the frame scaled into the control with the room above and below it, where
// the chart's top and the progress bar reach past the frame, drawn into (the samples' light
// backgrounds leave most of it pale). The PNG goes to <build>/test-output/style-preview.png.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { readPng } from "./lib/png.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "style-preview-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const facts = JSON.parse(fs.readFileSync(path.join(out, "facts.json"), "utf8"));
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const ok = (message) => console.log(`ok   ${message}`);
for (const [name, wanted] of [["error", undefined], ["problems", ""], ["stage synced", "yes"], ["synced", "yes"], ["screenshot", "yes"]]) {
  if (facts[name] === wanted) ok(`${name} = ${JSON.stringify(wanted)}`);
  else fail(`${name} = ${JSON.stringify(facts[name])}, expected ${JSON.stringify(wanted)}`);
}
const png = path.join(out, "style-preview.png");
if (fs.existsSync(png)) {
  fs.copyFileSync(png, path.join(pictures, "style-preview.png"));
  const shot = readPng(fs.readFileSync(png));
  if (shot.width === 300 && shot.height === 320) ok("the preview is 300 by 320");
  else fail(`the preview is ${shot.width} by ${shot.height}`);
  // The bands above and below the scaled frame (each about 47 pixels) are drawn into.
  const inked = (top, bottom) => {
    let n = 0;
    for (let y = top; y < bottom; ++y)
      for (let x = 0; x < shot.width; ++x) {
        const i = (y * shot.width + x) * shot.channels;
        if (shot.pixels[i] < 245 || shot.pixels[i + 1] < 245 || shot.pixels[i + 2] < 245) ++n;
      }
    return n / ((bottom - top) * shot.width);
  };
  const above = inked(4, 40), below = inked(shot.height - 40, shot.height - 4);
  if (above > 0.03 && below > 0.03) ok(`the samples reach into the room above and below the frame (${above.toFixed(2)}, ${below.toFixed(2)})`);
  else fail(`the room above and below the frame is empty (${above.toFixed(2)}, ${below.toFixed(2)})`);
}
fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failed` : "all passed");
process.exit(failures ? 1 : 0);
