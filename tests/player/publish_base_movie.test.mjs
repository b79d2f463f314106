// Runs the movie of publish_base_movie.cpp in Ruffle: the base movie's init code computes the
// model before the first frame's script reads it, and the manager clip is placed as "mgr".
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "base-movie-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

const expected = {
  B1: "0.125", // 1 / SUM of the column, the range read through its array
  B2: "0.25",
  B3: "0.625",
  C1: "1", // listed first, computed after the shares it adds
  mgr: "_level0.mgr", // the manager clip, placed under its instance name
};

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
try {
  const { problems } = checkMovie(fs.readFileSync(path.join(out, "base_movie.swf")));
  for (const p of problems) fail(`structure: ${p}`);
  await withPlayer(out, async (run) => {
    const result = await run("base_movie.swf", { until: "done", timeoutMs: 15000 });
    // Our asset movies carry their marker tag, which the player does not know.
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
    for (const [name, value] of Object.entries(expected)) {
      if (got[name] === value) console.log(`ok   ${name} = ${value}`);
      else fail(`${name} = ${JSON.stringify(got[name])}, expected ${value}`);
    }
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : `all ${Object.keys(expected).length} values as expected`);
process.exit(failures ? 1 : 0);
