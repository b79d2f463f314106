// The movies of the SWF library (written by make_swf_movies) read strictly by the independent
// parsers and played in Ruffle.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { execFileSync } from "node:child_process";
import { checkMovie } from "./lib/swfcheck.mjs";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { tally } from "./lib/tally.mjs";

const { check, finish } = tally();

const folder = fs.mkdtempSync(path.join(os.tmpdir(), "vantorel-swf-movies-"));
try {
  execFileSync(process.env.MOVIE_MAKER, [folder], { stdio: "inherit" });
  const movies = ["library_fws.swf", "library_cws.swf", "reloaded_cws.swf", "embedded_cws.swf"];
  for (const name of movies) {
    const bytes = fs.readFileSync(path.join(folder, name));
    const { problems, movie } = checkMovie(bytes);
    if (movie) {
      if (movie.header.swfVersion !== 6) problems.push(`version ${movie.header.swfVersion}`);
      const { xMin, xMax, yMin, yMax } = movie.header.frameSize;
      if (xMin !== 0 || xMax !== 8000 || yMin !== 0 || yMax !== 6000) problems.push(`frame ${xMin}..${xMax} x ${yMin}..${yMax}`);
      if (movie.header.frameRate.epsilons !== 30 * 256) problems.push(`frame rate ${movie.header.frameRate.epsilons / 256}`);
      if ((bytes[0] === 0x43) !== name.includes("cws")) problems.push("wrong signature");
    }
    check(`strict reading of ${name}`, problems);
  }

  await withPlayer(folder, async (run) => {
    for (const name of ["library_cws.swf", "reloaded_cws.swf", "embedded_cws.swf"]) {
      const result = await run(name);
      const problems = playerProblems(result);
      const reported = result.events.find((e) => e.kind === "fscommand" && e.cmd === "result");
      // V1 = "2", obj.half = 3.5: Number("2") + 3.5 * 2
      if (!reported) problems.push("no result reported");
      else if (reported.args !== "9") problems.push(`result ${JSON.stringify(reported.args)}, expected "9"`);
      check(`${name} computes its value in Ruffle`, problems);
    }
  });
} catch (e) {
  check("movie checks ran", [String(e && e.stack || e)]);
} finally {
  fs.rmSync(folder, { recursive: true, force: true });
}
finish();
