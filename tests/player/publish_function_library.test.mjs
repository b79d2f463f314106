// Runs the movies of publish_function_library.cpp in Ruffle: the formulas call functions whose
// code the library read from an enciphered library movie (one made by the maker, and the one
// the build installs), and each movie carries exactly the functions that its formulas use.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { checkMovie, inflateMovie } from "./lib/swfcheck.mjs";

const out = fs.mkdtempSync(path.join(os.tmpdir(), "function-library-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

const movies = {
  "function_library.swf": {
    // The maker's two scripts and one DoAction per used function (LEN, SQRT, kvAdd); PI is in
    // the library but no formula calls it.
    doActions: 5,
    cells: {
      C1: "5.5", // kvAdd, the operator's function
      C2: "4", // SQRT
      C3: "4", // LEN: the later of two clips exported as LEN
      C4: "5", // LEN(3.5) + 2
    },
  },
  "function_library_installed.swf": {
    // The shared code, the calculation and ABS, AVERAGE, IF, ROUND, SUM, kvAdd, kvConcat,
    // kvDiv, kvGT, kvSub.
    doActions: 12,
    cells: { C1: "5.5", C2: "9.5", C3: "2.75", C4: "2", C5: "x2", C6: "1.17", C7: "less" },
  },
};

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
  await withPlayer(out, async (run) => {
    for (const [name, { doActions, cells }] of Object.entries(movies)) {
      if (!fs.existsSync(path.join(out, name))) {
        fail(`${name} was not written`);
        continue;
      }
      const file = fs.readFileSync(path.join(out, name));
      const { problems } = checkMovie(file);
      for (const p of problems) fail(`${name} structure: ${p}`);
      const count = tagCodes(file).filter((code) => code === 12).length;
      if (count === doActions) console.log(`ok   ${name}: ${count} DoAction tags`);
      else fail(`${name}: ${count} DoAction tags, expected ${doActions}`);
      const result = await run(name, { until: "done", timeoutMs: 15000 });
      for (const p of playerProblems(result)) fail(`${name} player: ${p}`);
      const got = Object.fromEntries(result.events.filter((e) => e.kind === "fscommand").map((e) => [e.cmd, e.args]));
      for (const [cell, value] of Object.entries(cells)) {
        if (got[cell] === value) console.log(`ok   ${name}: ${cell} = ${value}`);
        else fail(`${name}: ${cell} = ${JSON.stringify(got[cell])}, expected ${value}`);
      }
      if (got.probe === "PI was written") fail(`${name}: the code of the unused function PI ran`);
    }
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : "all checks passed");
process.exit(failures ? 1 : 0);
