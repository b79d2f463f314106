// Workbooks set to iterate their circular references, published with every formula and played
// in Ruffle (tests/data/workbooks/iteration*.fods, computed by LibreOffice):
// - a circle that settles (A1 = B1/2 + 1, B1 = A1, down to a change of 0.001) shows the values
//   LibreOffice cached, 2 - 2^-10, and so do a formula summing a range over the circle and a
//   circle of three cells;
// - circles that never settle stop after the workbook's count of 10: A1 = A1 + 1 shows 10 and
//   B1 = B1*0.5 + A1, calculated after A1 each time, 18.001953125 (LibreOffice stores an error
//   for them instead).
import { spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";

const source = process.env.VANTOREL_SOURCE_DIR;
const build = process.env.VANTOREL_BINARY_DIR;
const publish = path.join(build, "tools", "vantorel-publish", "vantorel-publish");
const workbooks = path.join(source, "tests", "data", "workbooks");
const out = fs.mkdtempSync(path.join(os.tmpdir(), "iteration-"));

let failures = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const check = (name) => spawnSync(publish, ["-q", "--all-formulas", "--check-values", path.join(workbooks, name),
  path.join(out, name.replace(".xlsx", ".swf"))], { encoding: "utf8" });

const settling = check("iteration.xlsx");
if (settling.status !== 0 || !settling.stdout.includes("6 of 6 formula cells"))
  fail(`the settling circle differs from LibreOffice's values (exit ${settling.status}):\n${settling.stdout}${settling.stderr}`);
if (settling.stderr.includes("#VALUE!")) fail(`the iterated circle is said to show #VALUE!:\n${settling.stderr}`);

const counted = check("iteration-count.xlsx");
const shown = (cell) => (counted.stdout.split("\n").find((line) => line.startsWith(`Loop!${cell}\t`)) || "").split("\t")[2];
if (shown("A1") !== "movie: 10") fail(`A1 = A1 + 1 iterated 10 times shows ${shown("A1")}:\n${counted.stdout}${counted.stderr}`);
if (shown("B1") !== "movie: 18.001953125") fail(`B1 = B1*0.5 + A1 iterated 10 times shows ${shown("B1")}`);

fs.rmSync(out, { recursive: true, force: true });
console.log(failures ? `${failures} failure(s)` : "iterated circular references ok");
process.exit(failures ? 1 : 0);
