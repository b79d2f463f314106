// Runs the movie of publish_model_scripts.cpp in Ruffle: the generated model code computes the
// formulas before the first frame, the component scripts tie the clips to their cells, and an
// input written by one component recalculates the model and reaches the other component on the
// next frame.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "model-scripts-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const expect = (what, got, wanted) => {
  if (got === wanted) console.log(`ok   ${what} = ${JSON.stringify(got)}`);
  else fail(`${what} = ${JSON.stringify(got)}, expected ${JSON.stringify(wanted)}`);
};
try {
  const file = fs.readFileSync(path.join(out, "model_scripts.swf"));
  for (const p of checkMovie(file).problems) fail(`structure: ${p}`);
  await withPlayer(out, async (run) => {
    const result = await run("model_scripts.swf", { until: "done", timeoutMs: 15000 });
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    const events = result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]);
    const first = (cmd) => (events.find(([c]) => c === cmd) || [])[1];
    const all = (cmd) => events.filter(([c]) => c === cmd).map(([, a]) => a);
    // A1 = 10, A2 = 5, B1 = A1*2, B2 = B1+A2, C1 = IF(B2>30,"big","small"), D1 = A2*3.
    expect("input at start", first("input:start"), "10");
    expect("output at start (input|B2|C1|D1)", first("output:start"), "10|25|small|15");
    expect("input written", first("input:wrote"), "21");
    // The next frame recalculates what depends on A1: B2 = 21*2+5 = 47 and C1 = "big"; the
    // field bound to A1 itself took the new value at once. D1 reads no input and is not
    // recalculated: it keeps what the input component wrote over it.
    expect("output after the input", all("output:changed").at(-1), "21|47|big|-1");
    expect("recalculations shown", all("output:changed").length, 2);
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : "all checks passed");
process.exit(failures ? 1 : 0);
