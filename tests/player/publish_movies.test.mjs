// Publishes every shipped document and the all-formulas movie of every shipped sample workbook
// (publish_movies.cpp), checks each movie with the independent readers and plays it in
// Ruffle through a probe that loads it into level 1: no AVM1 error may show, and every formula
// variable must equal the value the workbook cached for its cell.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "publish-movies-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

// Ruffle has no device fonts of its own and draws such text in its own font: not a fault of
// the movie.
const problemsOf = (result) => playerProblems(result).filter((p) => !p.includes("Unknown device font"));

let failures = 0;
let checked = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };

// The player prints numbers with 15 significant digits; the workbook caches up to 17.
function same(got, [cached, type]) {
  if (got === undefined) return false;
  if (type === "number" || type === "n") {
    const a = Number(got), b = Number(cached);
    return Number.isFinite(a) && Math.abs(a - b) <= 1e-9 * Math.max(1, Math.abs(b));
  }
  if (type === "boolean" || type === "b") return String(got).toLowerCase() === (cached === "1" || cached.toLowerCase() === "true" ? "true" : "false");
  return got === cached;
}

try {
  const movies = fs.readdirSync(out).filter((f) => f.endsWith(".swf") && !f.startsWith("probe-"));
  if (movies.length === 0) fail("no movie was published");
  for (const movie of movies) {
    const { problems } = checkMovie(fs.readFileSync(path.join(out, movie)));
    for (const p of problems) fail(`${movie} structure: ${p}`);
  }
  await withPlayer(out, async (run) => {
    for (const movie of movies) {
      const name = movie.replace(/\.swf$/, "");
      const expected = JSON.parse(fs.readFileSync(path.join(out, `${name}.expected.json`), "utf8"));
      const result = await run(`probe-${name}.swf`, { until: "done", timeoutMs: 20000 });
      for (const p of problemsOf(result)) fail(`player: ${p}`);
      const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
      let ok = 0;
      for (const [variable, want] of Object.entries(expected)) {
        if (same(got[variable], want)) ++ok;
        else fail(`${movie} ${want[2]} (${variable}) = ${JSON.stringify(got[variable])}, workbook has ${want[0]}`);
      }
      checked += ok;
      console.log(`ok   ${movie}: ${ok} of ${Object.keys(expected).length} formula values as the workbook has them`);

      // An input raised by 100 and the calculation run again: a SUM over it rises by 100, a
      // product with it scales with it.
      const inputFile = path.join(out, `${name}.input.json`);
      if (!fs.existsSync(inputFile)) continue;
      const input = JSON.parse(fs.readFileSync(inputFile, "utf8"));
      const changed = await run(`probe-input-${name}.swf`, { until: "done", timeoutMs: 20000 });
      for (const p of problemsOf(changed)) fail(`player: ${p}`);
      const after = Object.fromEntries(changed.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
      const [sheet, cell] = input.cell.split("!");
      const column = cell.replace(/[0-9]+$/, "");
      let recalculated = 0;
      for (const [variable, [cached, type, where, want]] of Object.entries(expected)) {
        if (type !== "number") continue;
        const formulaText = where; // Sheet!Cell of the formula
        const sum = `SUM(${column}`;
        const expect = want.startsWith(sum) ? Number(cached) + (input.to - input.from)
          : want.includes(`${cell}*`) ? Number(cached) * input.to / input.from : undefined;
        if (expect === undefined || !formulaText.startsWith(`${sheet}!`)) continue;
        if (Math.abs(Number(after[variable]) - expect) <= 1e-9 * Math.max(1, Math.abs(expect))) ++recalculated;
        else fail(`${movie} after ${input.cell} = ${input.to}: ${formulaText} = ${after[variable]}, expected ${expect}`);
      }
      if (recalculated === 0) fail(`${movie}: no formula over ${input.cell} was checked after the input changed`);
      else console.log(`ok   ${movie}: ${recalculated} formulas over ${input.cell} recalculated after it changed`);
    }
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : `all ${checked} values as expected`);
process.exit(failures ? 1 : 0);
