// Runs the movie of sheet_formulas.cpp in Ruffle and checks that the compiled formulas, calling
// the hand-written library by our calling convention, compute what the spreadsheet computes
// despite the player's own coercions.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "sheet-formulas-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

const expected = {
  C1: "5.5", // "2" + "3.5": numbers, not "23.5"
  C2: "10", // "010" + 0: decimal, not octal 8
  C3: "true", // "abc" = "ABC": text compares without case
  C4: "9", // SUM over a range arrives as rows of variable names
  C5: "11", // a range and a text cell in one call
  C6: "-3.5", // unary minus as 0 - x
  C7: "x2", // & joins texts
  C8: "14.5", // C4 + C1, computed after both
  C9: "3", // a left-out argument still counts
  C10: "undefined", // ... and arrives as undefined
  C11: "number", // a cell argument arrives as its value
  C12: "1", // DATE is kvLib.DATE and still reaches the player's Date class (30 Feb is 1 Mar)
  C13: "t2", // T is kvLib.T, apart from any variable t
  C14: "15.5", // a range of formulas is read after they are computed, though C14 comes first
  dateClass: "function", // Date is still the player's class after the library is set up
};

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
try {
  const { problems } = checkMovie(fs.readFileSync(path.join(out, "sheet_formulas.swf")));
  for (const p of problems) fail(`structure: ${p}`);
  await withPlayer(out, async (run) => {
    const result = await run("sheet_formulas.swf", { until: "done", timeoutMs: 15000 });
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
    for (const [cell, value] of Object.entries(expected)) {
      if (got[cell] === value) console.log(`ok   ${cell} = ${value}`);
      else fail(`${cell} = ${JSON.stringify(got[cell])}, expected ${value}`);
    }
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : `all ${Object.keys(expected).length} cells as expected`);
process.exit(failures ? 1 : 0);
