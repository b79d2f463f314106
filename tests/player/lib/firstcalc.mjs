// Plays a probe of publish_movies.cpp and prints how long the published movie took to load and
// finish its first calculation (the probe's fixed wait of 1.5 s included), and whether the
// values the probe reports equal the workbook's:
//   node tests/player/lib/firstcalc.mjs <folder> <name>
import fs from "node:fs";
import path from "node:path";
import { withPlayer, playerProblems } from "./ruffle.mjs";

const [folder, name] = process.argv.slice(2);
const expected = JSON.parse(fs.readFileSync(path.join(folder, `${name}.expected.json`), "utf8"));
let status = 1;
await withPlayer(folder, async (run) => {
  const result = await run(`probe-${name}.swf`, { until: "done", timeoutMs: 300000 });
  const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
  const reported = Object.keys(got).filter((k) => k in expected);
  const wrong = reported.filter((k) => Math.abs(Number(got[k]) - Number(expected[k][0])) > 1e-9 * Math.max(1, Math.abs(Number(expected[k][0]))));
  const problems = playerProblems(result).filter((p) => !p.includes("Unknown device font"));
  console.log(`first calculation in Ruffle: ${result.state} after ${result.ms} ms (1500 ms of it the probe's wait)`);
  for (const k of reported) console.log(`  ${expected[k][2]} = ${got[k]} (workbook ${expected[k][0]})`);
  for (const p of problems) console.log(`  ${p}`);
  status = result.state === "finished" && reported.length > 0 && wrong.length === 0 && problems.length === 0 ? 0 : 1;
});
process.exit(status);
