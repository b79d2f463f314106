// Plays the movie of propui_numeric_formats.cpp in Ruffle: every number format the numeric
// format control writes shows, through the components' formatting and through TEXT, the text
// the control's table promises for it.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { tally } from "./lib/tally.mjs";

const { check, finish } = tally();
const out = fs.mkdtempSync(path.join(os.tmpdir(), "numeric-formats-"));
try {
  execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
  const file = fs.readFileSync(path.join(out, "numeric_formats.swf"));
  check("strict reading of numeric_formats.swf", checkMovie(file).problems);
  const cases = JSON.parse(fs.readFileSync(path.join(out, "cases.json"), "utf8"));
  await withPlayer(out, async (run) => {
    const result = await run("numeric_formats.swf", { until: "done", timeoutMs: 20000 });
    check("the movie plays without player errors", playerProblems(result));
    const shown = new Map();
    for (const e of result.events) if (e.kind === "fscommand" && e.cmd.startsWith("case:")) shown.set(e.cmd.slice(5), e.args);
    for (const c of cases) {
      const problems = [];
      if (!shown.has(c.name)) problems.push("nothing shown");
      else {
        const [component, text] = shown.get(c.name).split("|");
        if (component !== c.text) problems.push(`kvShowNumber gave ${JSON.stringify(component)}`);
        if (text !== c.text) problems.push(`TEXT gave ${JSON.stringify(text)}`);
      }
      check(`${c.name} (${c.code}) shows ${JSON.stringify(c.text)}`, problems);
    }
  });
} catch (e) {
  check("numeric format checks ran", [String(e && e.stack || e)]);
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
