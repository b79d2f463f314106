// Plays the probe of tools/bench-recalc-probe.py and prints how long the dashboard it loads
// took to be ready and to recalculate after one input change, and the value of the dependent
// it reports:
//   node tests/player/lib/recalc.mjs <folder> <probe.swf>
import { withPlayer, playerProblems } from "./ruffle.mjs";

const [folder, probe] = process.argv.slice(2);
let status = 1;
await withPlayer(folder, async (run) => {
  const result = await run(probe, { until: "done", timeoutMs: 300000 });
  const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
  console.log(`ready after ${got.ready} ms; one input changed: ${got.recalc} ms, ${got.finished}, ended after ${got.over} ms, ` +
    `longest call ${got.longest} ms; dependent now ${got.value}` +
    (got.untouched !== undefined ? `; an unrelated formula ${got.untouched}` : "") +
    (got.changing !== undefined ? `; RAND() ${got.changing}` : "") +
    (got.full !== undefined ? `; full recalculation: ${got.full} ms of calls, ended after ${got.fullOver} ms, ` +
      `longest call ${got.fullLongest} ms, dependent ${got.fullValue}` : "") +
    (got.parts !== undefined ? `; parts over 100 ms:${got.parts || " none"}; the slowest again: ${got.again} ms` : ""));
  for (const p of playerProblems(result).filter((p) => !p.includes("Unknown device font"))) console.log(`  ${p}`);
  status = result.state === "finished" && got.recalc !== undefined ? 0 : 1;
});
process.exit(status);
