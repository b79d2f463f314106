// Plays a published movie under a probe that reports every cell variable the movie holds once
// it has calculated, and prints them as "V<id><TAB><value as JSON>" lines. The folder holds the
// probe (probe.swf) and the movie (movie.swf); vantorel-publish --check-values writes both.
//   node tests/player/lib/values.mjs <folder> [timeout in ms]
import { withPlayer, playerProblems, reportedValues } from "./ruffle.mjs";

const [folder, timeout = "30000"] = process.argv.slice(2);
if (!folder) {
  console.error("usage: node values.mjs <folder> [timeout in ms]");
  process.exit(2);
}
await withPlayer(folder, async (run) => {
  const result = await run("probe.swf", { until: "done", timeoutMs: Number(timeout), vars: "kvMovie=movies/movie.swf" });
  for (const problem of playerProblems(result)) console.error(`player: ${problem}`);
  for (const [name, value] of Object.entries(reportedValues(result)))
    if (/^V\d+$/.test(name)) console.log(`${name}\t${JSON.stringify(value)}`);
  if (result.state !== "finished") process.exitCode = 1;
});
