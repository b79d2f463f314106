// A selector dashboard whose formulas fetch a row by place (tests/data/workbooks/selector.xlsx:
// Calc!K1 picks a row of Data, which OFFSET, INDIRECT (of an address and of a defined name) and
// INDEX:INDEX fetch, and formulas go on from what they fetched), published and played in Ruffle:
// - every formula cell shows the value LibreOffice cached once the first calculation is done;
// - a slider moving K1 to 5 recalculates the fetches and what reads them within the call:
//   A8 = OFFSET(Data!A1,K1,1)*2 + SUM(Data!B1:INDEX(Data!B1:B10,K1)) + 1 = 60*2 + 150 + 1.
// A chain of fetches by place (tests/data/workbooks/fetch-chain.xlsx: cells that fetch cells that
// themselves fetch, some ahead of them in the calculation) takes LibreOffice's values in the first
// calculation and after its input Chain!K1 moves from 3 to 5, where LibreOffice gives H1 = 14596.
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { publishDashboard, sliderDashboard, writeRecalcProbe } from "./lib/dashboard.mjs";
import { withPlayer, playerProblems, reportedValues } from "./lib/ruffle.mjs";

const source = process.env.VANTOREL_SOURCE_DIR;
const build = process.env.VANTOREL_BINARY_DIR;
const publish = path.join(build, "tools", "vantorel-publish", "vantorel-publish");
const workbook = path.join(source, "tests", "data", "workbooks", "selector.xlsx");
const out = fs.mkdtempSync(path.join(os.tmpdir(), "references-"));

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };

const chain = path.join(source, "tests", "data", "workbooks", "fetch-chain.xlsx");
for (const book of [workbook, chain]) {
  const checked = spawnSync(publish, ["-q", "--all-formulas", "--check-values", "--differences-only", book,
    path.join(out, "all.swf")], { encoding: "utf8" });
  if (checked.status !== 0) fail(`${path.basename(book)}: the movie's first calculation differs from the workbook's (exit ${checked.status}):\n${checked.stdout}${checked.stderr}`);
}

const display = (name, cell, y) => ({ symbol: "KVValueDisplaySymbol", name, x: 10, y, width: 360, height: 40,
  parameters: { General: { mv: `Calc!${cell}` } } });
const dashboard = sliderDashboard("selector.xlsx", "Calc!K1", 10, [display("Fetched", "A1", 80),
  display("Name", "A2", 130), display("Total", "A8", 180)], 1);
fs.copyFileSync(workbook, path.join(out, "selector.xlsx"));
const variable = publishDashboard(build, out, "dashboard", dashboard);
for (const cell of ["K1", "A8"]) if (!variable(cell)) fail(`the map names no variable of ${cell}`);
writeRecalcProbe(source, build, out, "dashboard", variable("K1"), variable("A8"), "probe.swf");
fs.copyFileSync(chain, path.join(out, "fetch-chain.xlsx"));
const chained = publishDashboard(build, out, "chain", sliderDashboard("fetch-chain.xlsx", "Chain!K1", 10,
  [{ ...display("Last", "H1", 80), parameters: { General: { mv: "Chain!H1" } } }], 1));
writeRecalcProbe(source, build, out, "chain", chained("K1"), chained("H1"), "chain-probe.swf");

await withPlayer(out, async (run) => {
  const result = await run("probe.swf", { until: "done", timeoutMs: 120000 });
  for (const p of playerProblems(result).filter((p) => !p.includes("Unknown device font"))) fail(p);
  const got = reportedValues(result);
  if (got.value !== "271") fail(`A8 = ${got.value} after K1 = 5, expected 271`);
  if (got.finished !== "within the call") fail(`the recalculation is ${got.finished}`);
  const again = await run("chain-probe.swf", { until: "done", timeoutMs: 120000 });
  for (const p of playerProblems(again).filter((p) => !p.includes("Unknown device font"))) fail(`chain: ${p}`);
  const fetched = reportedValues(again);
  if (fetched.value !== "14596") fail(`chain: H1 = ${fetched.value} after K1 = 5, expected 14596`);
});
fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failure(s)` : "references by place in a published dashboard ok");
process.exit(failures ? 1 : 0);
