// Runs app_slide.cpp (the slide of Send to PowerPoint, its picture drawn by the real player) and
// has LibreOffice Impress draw the presentation's slide as PNG, as a person opening it sees it.
// Checks: the player drew the movie at the canvas size, the slide shows it (most of the picture's
// place on the slide is not the white slide) and the picture links to the movie beside the
// presentation. The slide's PNG goes to <build>/test-output/slide.png.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { readPng } from "./lib/png.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "slide-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const facts = JSON.parse(fs.readFileSync(path.join(out, "facts.json"), "utf8"));
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const ok = (message) => console.log(`ok   ${message}`);
const expect = (name, wanted) => {
  if (facts[name] === wanted) ok(`${name} = ${JSON.stringify(wanted)}`);
  else fail(`${name} = ${JSON.stringify(facts[name])}, expected ${JSON.stringify(wanted)}`);
};
expect("error", undefined);
expect("drawn", "yes");
expect("picture", facts.canvas);

// The slide's relationships: the picture and the link out to the movie's file.
const rels = execFileSync("unzip", ["-p", path.join(out, "dash.pptx"), "ppt/slides/_rels/slide1.xml.rels"], { encoding: "utf8" });
if (/Target="dash\.swf" TargetMode="External"/.test(rels)) ok("the slide links to dash.swf beside it");
else fail(`no link to the movie: ${rels}`);

let office = null;
for (const name of ["libreoffice", "soffice"]) {
  try { execFileSync("sh", ["-c", `command -v ${name}`]); office = name; break; } catch { /* next */ }
}
if (office === null) {
  console.log("skip: LibreOffice is not installed");
} else {
  execFileSync("timeout", ["180", office, "--headless", "--convert-to", "png", "--outdir", out, path.join(out, "dash.pptx")],
    { stdio: "ignore", env: { ...process.env, HOME: out } });
  const png = path.join(out, "dash.png");
  if (!fs.existsSync(png)) fail("LibreOffice drew no slide");
  else {
    fs.copyFileSync(png, path.join(pictures, "slide.png"));
    const slide = readPng(fs.readFileSync(png));
    // The picture stands centred on the slide at the canvas's proportions; its middle half is
    // where the dashboard is drawn.
    let inked = 0, seen = 0;
    const c = slide.channels;
    for (let y = Math.floor(slide.height * 0.3); y < slide.height * 0.7; ++y)
      for (let x = Math.floor(slide.width * 0.3); x < slide.width * 0.7; ++x, ++seen) {
        const i = (y * slide.width + x) * c;
        if (slide.pixels[i] < 240 || slide.pixels[i + 1] < 240 || slide.pixels[i + 2] < 240) ++inked;
      }
    if (inked > seen * 0.2) ok(`the slide shows the dashboard (${inked} of ${seen} pixels inked)`);
    else fail(`the slide is empty (${inked} of ${seen} pixels inked)`);
  }
}
fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failed` : "all passed");
process.exit(failures ? 1 : 0);
