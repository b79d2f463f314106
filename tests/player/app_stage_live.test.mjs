// Runs app_stage_live.cpp: the stage control itself on the real player (CPagePlayer, the page
// in headless Chromium). Checks that the replies reached the control: every symbol's bounds
// taken into the catalogue as the movie measured them, the chart's update answered with its
// placed rectangle (the busy state on while the update was out, off after it), the table's
// resize answered with its new rectangle, and no player error. The PNG of the stage goes to
// <build>/test-output/stage-live.png.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "stage-live-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
const facts = JSON.parse(fs.readFileSync(path.join(out, "facts.json"), "utf8"));
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });
if (fs.existsSync(path.join(out, "stage-live.png"))) fs.copyFileSync(path.join(out, "stage-live.png"), path.join(pictures, "stage-live.png"));

let failures = 0;
const expect = (name, wanted) => {
  const got = facts[name];
  if (got === wanted) console.log(`ok   ${name} = ${JSON.stringify(got)}`);
  else { console.log(`FAIL ${name} = ${JSON.stringify(got)}, expected ${JSON.stringify(wanted)}`); ++failures; }
};
expect("error", undefined);
expect("problems", "");
for (const name of ["synced after start-up", "synced after adding", "synced after the update", "synced after the resize", "screenshot"])
  expect(name, "yes");
// Measured by the movie (pixels x 20), not the catalogue's declared sizes: the gauge fills its
// box, and so does the column chart.
expect("bounds KVGaugeSymbol", "0 3200 0 3600");
expect("bounds KVColumnChartSymbol", "0 6000 0 4000");
expect("prototype rect KVColumnChartSymbol", "0 0 6000 4000");
const measured = Object.keys(facts).filter((k) => k.startsWith("bounds ")).length;
if (measured < 22 || String(measured) !== facts.definitions) {
  console.log(`FAIL ${measured} symbols measured, expected every one of the ${facts.definitions} definitions`);
  ++failures;
}
expect("busy while the update is out", "yes");
expect("busy after the update", "no");
expect("chart pending", "no");
expect("chart position", "4400 400 10400 4400");
expect("chart natural size", "6000 4000");
expect("table position", "400 4800 8400 7800");
expect("busy after the resize", "no");
expect("busy states", "2 2");
fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failed` : "all passed");
process.exit(failures ? 1 : 0);
