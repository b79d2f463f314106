// Runs the movie of sheet_functions.cpp in Ruffle: every case formula of the reference
// workbooks, computed by the function library and the base movie of the installation folder,
// must give the value that the spreadsheet program cached (or, where that program departs from
// the desktop spreadsheet's documented rule, the value the workbook names with its reason).
// Numbers agree to a relative 1e-12 (1e-9 for functions that iterate, 1e-10 for LINEST, or the
// tolerance a case names: the digits the spreadsheet program itself reaches on hard regression
// data), texts exactly, errors by kind. A function the library lacks is listed and fails its cases.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const source = process.env.VANTOREL_SOURCE_DIR ?? path.resolve(path.dirname(new URL(import.meta.url).pathname), "../..");
const install = process.env.VANTOREL_INSTALL_DIR;
if (!install) {
  console.log("FAIL VANTOREL_INSTALL_DIR is not set: the test needs the built installation folder");
  process.exit(1);
}
const out = fs.mkdtempSync(path.join(os.tmpdir(), "sheet-functions-"));
execFileSync(process.env.MOVIE_MAKER, [out, path.join(source, "tests/player/workbooks"), install], { stdio: "inherit" });
const { cases, missing } = JSON.parse(fs.readFileSync(path.join(out, "sheet_functions.json"), "utf8"));

// Functions found by iteration (rates, the inverses of distributions), and least squares,
// where two sound decompositions of ill-conditioned data part in the eleventh digit (normal
// equations lose half the digits).
const iterative = /(IRR|RATE|INV)[.A-Z0-9]*\(/i;
const leastSquares = /LINEST\(/i;

// got: "<typeof>:<value>" from the movie; expected: "n:5", "s:x", "b:TRUE", "e:#N/A".
function verdict(c, got) {
  if (got === undefined) return "no value reported";
  const split = got.indexOf(":");
  const type = got.slice(0, split);
  const value = got.slice(split + 1);
  const kind = c.expected.slice(0, 1);
  const want = c.expected.slice(2);
  const shown = `${got} (expected ${c.expected})`;
  if (kind === "n") {
    const x = Number(want);
    // The computing program stores some logical results of formulas as numbers.
    if (type === "boolean") return (value === "true" ? 1 : 0) === x ? null : shown;
    if (type !== "number") return shown;
    const y = Number(value);
    const tolerance = c.tolerance ?? (iterative.test(c.formula) ? 1e-9 : leastSquares.test(c.formula) ? 1e-10 : 1e-12);
    if (x === y || Math.abs(x - y) <= tolerance * Math.max(Math.abs(x), Math.abs(y)) || Math.abs(x - y) < 1e-300) return null;
    return shown;
  }
  if (kind === "b") return type === "boolean" && value === (want === "TRUE" ? "true" : "false") ? null : shown;
  if (kind === "e") return type === "object" && value === want ? null : shown;
  return type === "string" && value === want ? null : shown;
}

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
try {
  const { problems } = checkMovie(fs.readFileSync(path.join(out, "sheet_functions.swf")));
  for (const p of problems) fail(`structure: ${p}`);
  if (missing.length) fail(`functions the library lacks: ${missing.join(", ")}`);
  await withPlayer(out, async (run) => {
    const result = await run("sheet_functions.swf", { until: "done", timeoutMs: 60000 });
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
    for (const c of cases) {
      const label = `${c.id} =${c.formula}`;
      if (c.unparsed) { fail(`${label}: does not compile: ${c.unparsed}`); continue; }
      if (c.missing.length) { fail(`${label}: the library lacks ${c.missing.join(", ")}`); continue; }
      const problem = verdict(c, got[c.id]);
      if (problem) fail(`${label} gives ${problem}${c.note ? ` [${c.note}]` : ""}`);
    }
    // The same cases over bands without the cells that hold nothing (undefined names and rows,
    // bands ending before their ranges do) give the same values.
    const trimmed = await run("sheet_functions_trimmed.swf", { until: "done", timeoutMs: 60000 });
    for (const p of playerProblems(trimmed)) fail(`trimmed bands: player: ${p}`);
    const gotTrimmed = Object.fromEntries(trimmed.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
    if (!(Number(gotTrimmed.trimmed) > 0)) fail(`trimmed bands: no row was trimmed (${gotTrimmed.trimmed})`);
    for (const c of cases) {
      if (c.unparsed || c.missing.length) continue;
      if (gotTrimmed[c.id] !== got[c.id]) fail(`trimmed bands: ${c.id} =${c.formula} gives ${gotTrimmed[c.id]}, over full bands ${got[c.id]}`);
    }

    // Speed: 5,000 SUMIF calls over 5,000-row ranges, a 5,000-deep running total, 5,000 exact
    // VLOOKUP calls into 5,000 rows, 5,000 RANK calls over them and 1,000 each of SUMIFS and
    // COUNTIFS.
    const speed = await run("sheet_speed.swf", { until: "done", timeoutMs: 60000 });
    for (const p of playerProblems(speed)) fail(`speed movie: ${p}`);
    const values = Object.fromEntries(speed.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
    // Rows whose key is 0 (mod 100): 100 + 200 + ... + 5000 = 50 * 2550; the total of 1..5000.
    // The first row whose key is 0 is row 100. The 4,950 keys above 0 rank the last row's 0
    // 4,951st. The amounts are the row numbers, each once: row 4,999 alone has its amount
    // (SUMIFS 4,999, COUNTIFS 1), its key 99 at most 99.
    const want = { sumif: "127500", total: "12502500", lookup: "100", rank: "4951", sumifs: "4999", countifs: "1" };
    for (const [name, value] of Object.entries(want))
      if (values[name] !== value) fail(`speed movie computes ${name} ${values[name]}, expected ${value}`);
    console.log(`first calculation of 5,000 SUMIF over 5,000 rows, a 5,000-deep running total, 5,000 VLOOKUP and RANK, 1,000 SUMIFS and COUNTIFS: ${values.elapsed} ms`);

    // An array expression over 10,000 rows against SUMIF over the same rows, each less the time
    // of a movie that only sets the 20,000 cells: the array path must stay linear, within the
    // same order of time as SUMIF's.
    const times = {};
    for (const name of ["cells", "sumif", "array"]) {
      const r = await run(`array_speed_${name}.swf`, { until: "done", timeoutMs: 60000 });
      for (const p of playerProblems(r)) fail(`array speed movie ${name}: ${p}`);
      const v = Object.fromEntries(r.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
      times[name] = Number(v.elapsed);
      if (name !== "cells" && v.value !== "5000000") fail(`array speed movie ${name} computes ${v.value} (expected 5000000)`);
    }
    const sumif = Math.max(1, times.sumif - times.cells);
    const array = Math.max(1, times.array - times.cells);
    console.log(`10,000 rows: SUMIF ${sumif} ms, SUMPRODUCT((A=5)*B) ${array} ms, ratio ${(array / sumif).toFixed(1)} (setting the cells alone ${times.cells} ms)`);
    if (array > 20 * sumif) fail(`the array expression takes ${(array / sumif).toFixed(1)} times as long as SUMIF over the same rows`);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed of ${cases.length} cases` : `all ${cases.length} cases as the spreadsheet computes them`);
process.exit(failures ? 1 : 0);
