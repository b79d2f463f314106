// Plays the movies of styled_sample.cpp in Ruffle and looks at their pictures: the sample
// published with the style shows the style's chart and plot fills, the plain one shows neither.
// The pictures are kept in build/artefacts/propui.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { tally } from "./lib/tally.mjs";
import { readPng } from "./lib/png.mjs";

const { check, finish } = tally();

function count(picture, rgb) {
  const r = (rgb >> 16) & 0xff, g = (rgb >> 8) & 0xff, b = rgb & 0xff;
  let n = 0;
  for (let i = 0; i < picture.pixels.length; i += picture.channels)
    if (Math.abs(picture.pixels[i] - r) <= 3 && Math.abs(picture.pixels[i + 1] - g) <= 3 && Math.abs(picture.pixels[i + 2] - b) <= 3) ++n;
  return n;
}

const out = fs.mkdtempSync(path.join(os.tmpdir(), "styled-sample-"));
const kept = path.join(process.env.VANTOREL_BINARY_DIR || ".", "artefacts", "propui");
try {
  execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
  const colors = JSON.parse(fs.readFileSync(path.join(out, "colors.json"), "utf8"));
  fs.mkdirSync(kept, { recursive: true });
  const pictures = {};
  await withPlayer(out, async (run) => {
    for (const name of ["plain", "styled"]) {
      const picture = path.join(kept, `sample-${name}.png`);
      const result = await run(`${name}.swf`, { until: "never", timeoutMs: 2500, screenshot: picture, size: [800, 600] });
      // It runs until the picture is taken, so its end by time is no fault.
      check(`${name}.swf plays without player errors`, playerProblems(result).filter((p) => !p.includes(": timeout after")));
      pictures[name] = readPng(fs.readFileSync(picture));
    }
  });
  for (const [what, rgb] of Object.entries(colors)) {
    const styled = count(pictures.styled, rgb), plain = count(pictures.plain, rgb);
    const problems = [];
    if (styled < 500) problems.push(`${styled} pixels of it in the styled movie`);
    if (plain > 0) problems.push(`${plain} pixels of it in the plain movie`);
    check(`the style's ${what} 0x${rgb.toString(16)} shows in the styled sample only`, problems);
  }
} catch (e) {
  check("styled sample checks ran", [String(e && e.stack || e)]);
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
