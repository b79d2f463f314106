// Dashboards published for the player checks: a description's movie with the map of its
// variables, and the recalculation probe of tools/bench-recalc-probe.py over it.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";

// A dashboard of 400 by 300 over workbook: a slider writing the cell mv (as "Sheet!A1") from
// 0 (or min) to max, then the displays given.
export function sliderDashboard(workbook, mv, max, displays, min = 0) {
  return {
    workbook,
    canvas: { width: 400, height: 300, paper: "#FFFFFF" },
    components: [
      { symbol: "KVSliderHSymbol", name: "Input", x: 10, y: 10, width: 360, height: 60,
        parameters: { General: { mv }, Behavior: { minValue: min, maxValue: max, incSize: 1 } } },
      ...displays,
    ],
  };
}

// Writes <name>.json of the dashboard into folder and publishes it over its workbook (in folder)
// as <name>.swf with <name>.map; gives the variable the map names for a cell ("K1"), undefined
// for a cell it does not name.
export function publishDashboard(build, folder, name, dashboard) {
  const publish = path.join(build, "tools", "vantorel-publish", "vantorel-publish");
  const json = path.join(folder, `${name}.json`);
  fs.writeFileSync(json, JSON.stringify(dashboard));
  execFileSync(publish, ["-q", "--map", path.join(folder, `${name}.map`), json, path.join(folder, dashboard.workbook),
    path.join(folder, `${name}.swf`)], { stdio: "inherit" });
  const map = fs.readFileSync(path.join(folder, `${name}.map`), "utf8").split("\n").map((line) => line.split("\t"));
  return (cell) => (map.find((fields) => fields[2] === cell) || [])[0];
}

// Writes probe (a file name in folder) that loads <name>.swf of the folder, sets the input
// variable to 5, recalculates and reports the output variable; rest: the probe's further
// arguments (the variables it must find untouched and changing).
export function writeRecalcProbe(source, build, folder, name, input, output, probe, ...rest) {
  const asc = path.join(build, "tools", "vantorel-asc", "vantorel-asc");
  execFileSync("python3", [path.join(source, "tools", "bench-recalc-probe.py"), asc, `movies/${name}.swf`, input, output,
    path.join(folder, probe), ...rest]);
}
