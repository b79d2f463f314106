// What an input change recalculates in a published dashboard, in Ruffle: over a workbook of
// tools/bench-workbook.py (a hundred formulas L1:L100 reading the slider's cell K1, thousands of
// others that do not, and TODAY() and RAND() cells), a change of K1 recalculates its dependents
// and the cells whose values change by themselves within the call, leaving the rest alone:
// - L100 takes the new value (100 * 5 + 1);
// - RAND() takes a new value, as after every change in the spreadsheet;
// - M1, which K1 does not feed, is not recalculated (the probe set it aside before);
// - the recalculation does not go on over frames.
// Then the same over sums of sliding windows and running totals of a column of values, and over
// 100,000 cells a change that thousands of formulas depend on, which goes on over frames, no
// call into the movie longer than 300 ms (times the patience on a busy machine), to the right
// value.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { publishDashboard, sliderDashboard, writeRecalcProbe } from "./lib/dashboard.mjs";
import { guard } from "./lib/patience.mjs";
import { withPlayer, playerProblems, reportedValues } from "./lib/ruffle.mjs";

const source = process.env.VANTOREL_SOURCE_DIR;
const build = process.env.VANTOREL_BINARY_DIR;
const out = fs.mkdtempSync(path.join(os.tmpdir(), "recalculation-"));

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };

execFileSync("python3", [path.join(source, "tools", "bench-workbook.py"), "mixed", "3000",
  path.join(out, "volatile.xlsx"), "--volatile"]);
const display = (name, cell, y) => ({ symbol: "KVValueDisplaySymbol", name, x: 10, y, width: 360, height: 40,
  parameters: { General: { mv: `Data!${cell}` } } });
const dashboard = sliderDashboard("volatile.xlsx", "Data!K1", 100, [display("Last", "L100", 80),
  display("Count", "M1", 130), display("Today", "N1", 180), display("Random", "N2", 230)]);
const variable = publishDashboard(build, out, "dashboard", dashboard);
for (const cell of ["K1", "L100", "M1", "N2"]) if (!variable(cell)) fail(`the map names no variable of ${cell}`);
writeRecalcProbe(source, build, out, "dashboard", variable("K1"), variable("L100"), "probe.swf", variable("M1"),
  variable("N2"));

await withPlayer(out, async (run) => {
  const result = await run("probe.swf", { until: "done", timeoutMs: 120000 });
  for (const p of playerProblems(result).filter((p) => !p.includes("Unknown device font"))) fail(p);
  const got = reportedValues(result);
  console.log(`K1 changed: ${got.recalc} ms, ${got.finished}; L100 = ${got.value}; M1 ${got.untouched}; RAND() ${got.changing}`);
  if (got.value !== "501") fail(`L100 = ${got.value} after K1 = 5, expected 501`);
  if (got.finished !== "within the call") fail(`the recalculation is ${got.finished}`);
  if (got.untouched !== "untouched") fail(`M1, which K1 does not feed, was recalculated (${got.untouched})`);
  if (got.changing !== "recalculated") fail(`RAND() was ${got.changing} by the change`);
});
// Sums of a column of values only, which the movie reads ahead of the windows asking: after the
// slider writes A150 = 5, the windows and running totals over it read the new value, and a
// running total ending before it is left alone.
execFileSync("python3", [path.join(source, "tools", "bench-workbook.py"), "windows", "300", path.join(out, "windows.xlsx")]);
const windowVariable = publishDashboard(build, out, "windows", sliderDashboard("windows.xlsx", "Data!A150", 300,
  [display("Window", "B150", 80), display("Before", "B141", 130), display("Total", "C300", 180),
    display("Early", "C100", 230)]));
const expected = { B150: "1400", B141: "1310", C300: "45005" };
for (const [cell, value] of Object.entries(expected)) {
  writeRecalcProbe(source, build, out, "windows", windowVariable("A150"), windowVariable(cell), `probe-${cell}.swf`,
    windowVariable("C100"));
  await withPlayer(out, async (run) => {
    const result = await run(`probe-${cell}.swf`, { until: "done", timeoutMs: 120000 });
    for (const p of playerProblems(result).filter((p) => !p.includes("Unknown device font"))) fail(p);
    const got = reportedValues(result);
    console.log(`A150 changed: ${cell} = ${got.value}; C100 ${got.untouched}`);
    if (got.value !== value) fail(`${cell} = ${got.value} after A150 = 5, expected ${value}`);
    if (got.untouched !== "untouched") fail(`C100, which A150 does not feed, was recalculated (${got.untouched})`);
  });
}
// A1 starts the first block of 5,000 rows: its running totals, conditional sums, sliding sums and
// the count M1 depend on it. I5000 = 1 + 2 + ... + 5000 + 4 once A1 = 5.
execFileSync("python3", [path.join(source, "tools", "bench-workbook.py"), "mixed", "10000", path.join(out, "mixed.xlsx")]);
const mixedVariable = publishDashboard(build, out, "mixed", sliderDashboard("mixed.xlsx", "Data!A1", 100,
  [display("Total", "I5000", 80), display("Count", "M1", 130)]));
writeRecalcProbe(source, build, out, "mixed", mixedVariable("A1"), mixedVariable("I5000"), "probe-mixed.swf");
await withPlayer(out, async (run) => {
  const result = await run("probe-mixed.swf", { until: "done", timeoutMs: 120000 });
  for (const p of playerProblems(result).filter((p) => !p.includes("Unknown device font"))) fail(p);
  const got = reportedValues(result);
  console.log(`A1 changed: first call ${got.recalc} ms, ${got.finished}, ended after ${got.over} ms, longest call ` +
    `${got.longest} ms; I5000 = ${got.value}`);
  if (got.value !== "12502504") fail(`I5000 = ${got.value} after A1 = 5, expected 12502504`);
  if (!(Number(got.longest) <= guard(300))) fail(`a call into the movie took ${got.longest} ms`);
});
fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failure(s)` : "recalculation after an input change ok");
process.exit(failures ? 1 : 0);
