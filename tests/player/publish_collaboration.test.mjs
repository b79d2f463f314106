// Collaboration in movies published as the program publishes them, in Ruffle: with and without
// real time the movie makes the connection "nc" with the gateway of the export settings, the
// connection light sees it, and the login opens it with the user's name and password; only the
// real-time movie places the "collab" clip.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { expectations } from "./lib/tally.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "collaboration-"));
const { fail, expect, finish } = expectations();
try {
  execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });
  await withPlayer(out, async (run) => {
    for (const [name, placed] of [["live", "movieclip"], ["saved", "undefined"]]) {
      const result = await run("probe.swf", { vars: `kvMovie=movies/${name}.swf`, until: "done", size: [400, 300] });
      // The player speaks no collaboration protocol and says so when the login connects.
      for (const p of playerProblems(result))
        if (p.includes("NetConnection.connect() with non-null, non-http command")) console.log(`known ${name}: ${p}`);
        else fail(`${name}: ${p}`);
      const state = (result.events.find((e) => e.cmd === "state") || {}).args || "";
      const [nc, collab, gateway, light, calls, login] = state.split("|");
      expect(`${name}: the connection`, nc, "object");
      expect(`${name}: the collab clip`, collab, placed);
      expect(`${name}: the gateway`, gateway, "rtmp://gateway.test/app");
      expect(`${name}: the light before the login`, light, "default");
      expect(`${name}: the login connects`, calls, "rtmp://gateway.test/app,ann,secret");
      expect(`${name}: the login's status`, login === "Connecting..." || login === "Login failed", true);
    }
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
