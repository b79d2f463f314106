// Runs the movie of publish_function_library.cpp in Ruffle: the formulas call functions whose
// code the library read from the installed library movie, and the movie carries exactly the
// functions that its formulas use.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems, reportedValues, checkValues } from "./lib/ruffle.mjs";
import { checkMovie, inflateMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "function-library-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

const expected = { C1: "5.5", C2: "9.5", C3: "2.75", C4: "2", C5: "x2", C6: "1.17", C7: "less" };
// The shared code, the calculation and one per function used: ABS, AVERAGE, IF, ROUND, SUM,
// kvAdd, kvConcat, kvDiv, kvGT, kvSub.
const expectedDoActions = 12;

// Top-level tag codes of a movie file, in order.
function tagCodes(file) {
  const buf = inflateMovie(file);
  let at = 8 + Math.ceil((5 + 4 * (buf[8] >> 3)) / 8) + 4;
  const codes = [];
  while (at + 2 <= buf.length) {
    const head = buf.readUInt16LE(at);
    let length = head & 0x3f;
    at += 2;
    if (length === 0x3f) { length = buf.readUInt32LE(at); at += 4; }
    codes.push(head >> 6);
    at += length;
  }
  return codes;
}

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
try {
  const file = fs.readFileSync(path.join(out, "function_library.swf"));
  const { problems } = checkMovie(file);
  for (const p of problems) fail(`structure: ${p}`);
  const doActions = tagCodes(file).filter((code) => code === 12).length;
  if (doActions === expectedDoActions) console.log(`ok   ${doActions} DoAction tags`);
  else fail(`${doActions} DoAction tags, expected ${expectedDoActions}`);
  await withPlayer(out, async (run) => {
    const result = await run("function_library.swf", { until: "done", timeoutMs: 15000 });
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    checkValues(reportedValues(result), expected, fail);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : "all checks passed");
process.exit(failures ? 1 : 0);
