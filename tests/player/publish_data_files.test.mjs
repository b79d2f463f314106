// Runs the movie of publish_data_files.cpp in Ruffle: the player's own variable loading reads
// the sample data file and gets every value back, whatever characters it holds.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems, reportedValues, checkValues } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "data-files-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

const expected = {
  V1: "0.10000000000000001", // 17 significant digits
  V2: "-1.0000000000000001e+300", // the exponent's "+" is not read as a space
  V3: "42",
  V4: "1",
  V5: "undefined",
  V6: "R&D = 50% + x", // the pair separators and the escape character inside a value
  V7: "Zürich €", // UTF-8
};

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
try {
  const { problems } = checkMovie(fs.readFileSync(path.join(out, "data_files.swf")));
  for (const p of problems) fail(`structure: ${p}`);
  await withPlayer(out, async (run) => {
    const result = await run("data_files.swf", { until: "done", timeoutMs: 15000 });
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    checkValues(reportedValues(result), expected, fail);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : "all values read back");
process.exit(failures ? 1 : 0);
