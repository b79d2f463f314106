// The first calculation of a published movie, in Ruffle:
// - a workbook whose first calculation takes seconds (tests/player/long-calculation) is
//   calculated over many frames under the "Calculating..." notice, none of them near the
//   player's script time limit, and ends, the notice gone, with the values LibreOffice cached;
// - a shipped sample is calculated in the first frame, without the notice, to its cached values;
// - a later recalculation of everything in the long workbook goes over frames under the notice
//   too, to the same values, none of its frames near the script limit;
// - SUM, AVERAGE and COUNT of windows starting on every row of a column (decimals, a huge
//   number, text, a blank, an error, formulas) give LibreOffice's values;
// - a full recalculation of a generated workbook of 100,000 cells and 20,000 formulas
//   (tools/bench-workbook.py: running totals, conditional sums, lookups, text and sliding sums)
//   goes over frames, no frame's call of the manager longer than 300 ms (times the patience on a
//   busy machine), and ends with the workbook's values.
// A PNG of the notice goes into <build>/test-output/first-calculation-notice.png.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { guard } from "./lib/patience.mjs";
import { withPlayer, playerProblems, reportedValues } from "./lib/ruffle.mjs";

const build = process.env.VANTOREL_BINARY_DIR || os.tmpdir();
const pictures = path.join(build, "test-output");
fs.mkdirSync(pictures, { recursive: true });
const out = fs.mkdtempSync(path.join(os.tmpdir(), "first-calculation-"));
execFileSync("python3", [path.join(process.env.VANTOREL_SOURCE_DIR, "tools", "bench-workbook.py"), "mixed", "10000",
  path.join(out, "mixed.xlsx")]);
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const near = (a, b) => Number.isFinite(a) && Math.abs(a - b) <= 1e-9 * Math.max(1, Math.abs(b));

// The formula cells to compare: a few from the start, the middle and the end of the model, and
// every cell of a small one.
function sampleOf(expected) {
  const names = Object.keys(expected);
  if (names.length <= 250) return names;
  const step = Math.floor(names.length / 20);
  return [...names.slice(0, 5), ...names.filter((_, i) => i % step === 0), ...names.slice(-5)];
}

async function firstCalculation(run, name, picture, recalc = false) {
  const expected = JSON.parse(fs.readFileSync(path.join(out, `${name}.expected.json`), "utf8"));
  const names = sampleOf(expected);
  const shot = picture ? path.join(pictures, picture) : "";
  const result = await run("probe.swf", {
    vars: `kvMovie=movies/${name}.swf&kvNames=${names.join(",")}${recalc ? "&kvRecalc=1" : ""}`, timeoutMs: 120000, size: [400, 300],
    onCommand: shot ? { busy: async (page) => { await page.locator("#c").screenshot({ path: shot }); } } : {},
  });
  for (const p of playerProblems(result)) fail(`${name}: ${p}`);
  const got = reportedValues(result);
  let same = 0;
  for (const variable of names) {
    const [value, type, cell] = expected[variable];
    const ok = type === "number" ? near(Number(got[variable]), Number(value)) : String(got[variable]) === value;
    if (ok) ++same;
    else fail(`${name}: ${cell} (${variable}) = ${JSON.stringify(got[variable])}, LibreOffice ${value}`);
  }
  console.log(`${name}: first seen ${got.first}, ${got.frames} frames calculating, at most ${got.longest} ms a frame, notice ${got.notice}, ` +
    `${same} of ${names.length} cells as cached, ${result.ms} ms`);
  return got;
}

await withPlayer(out, async (run) => {
  const long = await firstCalculation(run, "long", "first-calculation-notice.png");
  if (long.first !== "calculating notice") fail(`long: first seen ${long.first}, expected the notice up`);
  if (!(Number(long.frames) >= 5)) fail(`long: calculated during ${long.frames} frames, expected it spread over many`);
  // The player's script limit is 15 s; the calculation leaves it a frame every second or so.
  if (!(Number(long.longest) < 2500)) fail(`long: ${long.longest} ms without a frame`);
  if (long.notice !== "gone") fail(`long: the notice is ${long.notice} once calculated`);
  if (!fs.existsSync(path.join(pictures, "first-calculation-notice.png"))) fail("long: no picture of the notice");

  const again = await firstCalculation(run, "long", "", true);
  if (again.recalcNotice !== "seen") fail(`long again: the notice was ${again.recalcNotice} while recalculating`);
  if (!(Number(again.frames) >= 3)) fail(`long again: recalculated during ${again.frames} frames, expected it spread`);
  if (!(Number(again.longest) < 2500)) fail(`long again: ${again.longest} ms without a frame`);
  if (again.notice !== "gone") fail(`long again: the notice is ${again.notice} once recalculated`);

  const mixed = await firstCalculation(run, "mixed", "", true);
  console.log(`mixed again: the longest call of the manager took ${mixed.longestCall} ms`);
  if (!(Number(mixed.frames) >= 3)) fail(`mixed again: recalculated during ${mixed.frames} frames, expected it spread`);
  if (!(Number(mixed.longestCall) <= guard(300))) fail(`mixed again: one call took ${mixed.longestCall} ms`);
  if (mixed.notice !== "gone") fail(`mixed again: the notice is ${mixed.notice} once recalculated`);

  const windows = await firstCalculation(run, "windows", "");
  if (windows.notice !== "gone") fail(`windows: the notice is ${windows.notice}`);

  const short = await firstCalculation(run, "short", "");
  if (short.first !== "ready") fail(`short: first seen ${short.first}, expected calculated in its first frame`);
  if (short.frames !== "0") fail(`short: calculated during ${short.frames} frames`);
  if (short.notice !== "gone") fail(`short: the notice is ${short.notice}`);
});

fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failures` : "all first calculations as expected");
process.exit(failures ? 1 : 0);
