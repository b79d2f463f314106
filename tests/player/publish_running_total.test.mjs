// The running total B{r} = SUM($A$2:A{r}) of tools/bench-workbook.py, published as an
// all-formulas movie: its ranges are views on one shared band, so the movie stays under 1 MB,
// and its SUMs extend one running sum, so the first calculation ends well inside the player's
// script limit with the workbook's values. Prints how much longer its loading and first
// calculation took than those of a running total of ten rows played in the same run; the time
// is reported, not asserted.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const rows = 3000;
const source = process.env.VANTOREL_SOURCE_DIR;
const out = fs.mkdtempSync(path.join(os.tmpdir(), "running-total-"));
for (const [stem, count] of [["running", rows], ["small", 10]]) {
  const workbook = path.join(out, `${stem}.xlsx`);
  execFileSync("python3", [path.join(source, "tools", "bench-workbook.py"), "running", String(count), workbook]);
  execFileSync(process.env.MOVIE_MAKER, [out, workbook], { stdio: "inherit" });
}

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };

const name = "running-formulas";
const bytes = fs.readFileSync(path.join(out, `${name}.swf`));
console.log(`${name}.swf: ${bytes.length} bytes for ${rows} rows`);
if (bytes.length >= 1 << 20) fail(`${name}.swf is ${bytes.length} bytes, not under 1 MB`);
for (const p of checkMovie(bytes).problems) fail(`${name}.swf structure: ${p}`);

const expected = JSON.parse(fs.readFileSync(path.join(out, `${name}.expected.json`), "utf8"));
const last = `Data!B${rows + 1}`;
if (!Object.values(expected).some((e) => e[2] === last)) fail(`the movie does not calculate ${last}`);
await withPlayer(out, async (run) => {
  // the first movie played also pays for starting the page: the small one is played again
  await run("probe-small-formulas.swf", { until: "done", timeoutMs: 120000 });
  const result = await run(`probe-${name}.swf`, { until: "done", timeoutMs: 120000 });
  const small = await run("probe-small-formulas.swf", { until: "done", timeoutMs: 120000 });
  for (const p of playerProblems(result).filter((p) => !p.includes("Unknown device font"))) fail(p);
  const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
  const reported = Object.keys(got).filter((k) => k in expected);
  if (reported.length === 0) fail("the probe reported no formula");
  for (const k of reported) {
    const [want, , cell] = expected[k];
    if (Number(got[k]) !== Number(want)) fail(`${cell} = ${got[k]}, expected ${want}`);
    else console.log(`ok ${cell} = ${got[k]}`);
  }
  console.log(`loading and first calculation of ${rows} rows in Ruffle: ${result.ms - small.ms} ms more than of 10 ` +
    `rows (${result.ms} ms against ${small.ms} ms, each with the probe's wait of 1.5 s)`);
});
fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failure(s)` : "running total ok");
process.exit(failures ? 1 : 0);
