// End to end: the vantorel-publish command writes every shipped document (plain, as its preview
// and from the description it was written from, each with --strict) and the all-formulas movie of every shipped
// sample workbook, each with its variable map (--map).
// Each movie passes the independent readers and plays in Ruffle without a player error:
// - every formula variable equals the value the workbook cached for its cell;
// - every text and drawing a document's components show is the cached value of the cells they
//   are bound to, formatted as the component formats it;
// - the sliders and the dial of the samples are dragged and turned with the player's mouse: the
//   input's cell takes the value, and what depends on it shows what the samples' formulas give
//   for it, calculated here from what they mean and by LibreOffice (tests/player/moved-samples);
// - an input of each all-formulas movie is raised and the formulas over it recalculated.
// - every shipped document has its preview movie and its description file, and every component
//   of the palette appears in some shipped sample.
// A PNG of each published sample after its inputs were moved goes into <build>/test-output.
// An argument "K/N" runs the K-th of N parts of the movies (CTest runs the parts side by side,
// each well inside its time limit on a busy machine); without it, all of them.
import { execFileSync, spawnSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { withPlayer, playerProblems, reportedValues } from "./lib/ruffle.mjs";
import { driver, reports, settle } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";

const install = process.env.VANTOREL_INSTALL_DIR;
const source = process.env.VANTOREL_SOURCE_DIR;
const build = process.env.VANTOREL_BINARY_DIR || os.tmpdir();
const command = process.env.VANTOREL_PUBLISH || path.join(build, "tools", "vantorel-publish", "vantorel-publish");
const pictures = path.join(build, "test-output");
fs.mkdirSync(pictures, { recursive: true });
const [part, parts] = (/^(\d+)\/(\d+)$/.exec(process.argv[2] || "1/1") || [0, 0, 0]).slice(1).map(Number);
if (!(part >= 1 && part <= parts)) { console.log(`bad part ${process.argv[2]}: expected K/N`); process.exit(2); }
const out = fs.mkdtempSync(path.join(os.tmpdir(), "publish-movies-"));
execFileSync(process.env.MOVIE_MAKER, [out], { stdio: "inherit" });

let failures = 0;
let checked = 0;
const fail = (message) => { console.log(`FAIL ${message}`); ++failures; };
const near = (a, b, tolerance = 1e-9) => Number.isFinite(a) && Math.abs(a - b) <= tolerance * Math.max(1, Math.abs(b));
const readJson = (file) => JSON.parse(fs.readFileSync(file, "utf8"));

// The player prints numbers with 15 significant digits; the workbook caches up to 17.
function same(got, [cached, type]) {
  if (got === undefined) return false;
  if (type === "number") return near(Number(got), Number(cached));
  if (type === "boolean") return String(got).toLowerCase() === String(cached).toLowerCase();
  return got === cached;
}

// A cell's cached value as the movie holds it: a number or a text.
const cellValue = ([text, type]) => (type === "number" ? Number(text) : text);

// Runs the command; the movie goes into the served folder and its map is read back as
// {V<id>: "Sheet!A1"}.
function publish(input, name, options = []) {
  const map = path.join(out, `${name}.map`);
  const movie = path.join(out, `${name}.swf`);
  const run = spawnSync(command, ["--install", install, ...options, "--map", map, input, movie], { encoding: "utf8" });
  if (run.status !== 0 || !run.stdout.startsWith(`wrote ${movie}: `)) {
    fail(`vantorel-publish ${name}: exit ${run.status}, ${run.stdout}${run.stderr}`);
    return null;
  }
  for (const p of checkMovie(fs.readFileSync(movie)).problems) fail(`${name}.swf structure: ${p}`);
  const variables = {};
  for (const line of fs.readFileSync(map, "utf8").split("\n").filter(Boolean)) {
    const [variable, sheet, cell] = line.split("\t");
    if (!/^V\d+$/.test(variable) || !sheet || !/^[A-Z]+\d+$/.test(cell)) fail(`${name}.map: bad line ${JSON.stringify(line)}`);
    variables[variable] = `${sheet}!${cell}`;
  }
  return variables;
}

// Every formula variable against the cell's value; returns how many were compared.
function checkFormulas(what, got, variables, cells) {
  let ok = 0;
  for (const [variable, cell] of Object.entries(variables)) {
    const want = cells[cell];
    if (!want || !want[2]) continue;
    if (same(got[variable], want)) ++ok;
    else fail(`${what}: ${cell} (${variable}) = ${JSON.stringify(got[variable])}, expected ${want[0]}`);
  }
  checked += ok;
  return ok;
}

// A number in a format such as "0", "0.00%", "$#,##0.00": digits rounded half away from zero,
// "," groups thousands, "%" multiplies by 100, text around the digits stays.
function showNumber(value, format = "#,##0.##") {
  // A number-format group holds its code as "numFormat".
  if (format !== null && typeof format === "object") format = format.numFormat || "#,##0.##";
  if (typeof value !== "number") return value === undefined ? "" : String(value);
  const [, prefix, body, suffix] = /^([^0#,.]*)([0#,.]*)(.*)$/.exec(format);
  if (!body) return String(value);
  const v = suffix.includes("%") ? value * 100 : value;
  const fraction = body.split(".")[1] || "";
  const fixed = (fraction.match(/0/g) || []).length;
  const text = new Intl.NumberFormat("en-US", {
    minimumFractionDigits: fixed, maximumFractionDigits: fraction.length, useGrouping: body.includes(","),
  }).format(Math.abs(v));
  return (v < 0 && /[1-9]/.test(text) ? "-" : "") + prefix + text + suffix;
}

// "Sheet!B2:C3" as its cells, row by row.
function cellsOf(reference) {
  const [sheet, range] = reference.split("!");
  const [from, to = from] = range.replace(/\$/g, "").split(":");
  const split = (a1) => {
    const [, letters, row] = /^([A-Z]+)(\d+)$/.exec(a1);
    return [[...letters].reduce((n, l) => n * 26 + l.charCodeAt(0) - 64, 0), Number(row)];
  };
  const letters = (n) => (n > 0 ? letters(Math.floor((n - 1) / 26)) + String.fromCharCode(65 + ((n - 1) % 26)) : "");
  const [c0, r0] = split(from), [c1, r1] = split(to);
  const list = [];
  for (let r = r0; r <= r1; ++r) for (let c = c0; c <= c1; ++c) list.push(`${sheet}!${letters(c)}${r}`);
  return list;
}
// The lines of a chart's data range as its series: rows, unless the series names match the
// columns and not the rows (names > 0), or, for the XY and bubble charts (byShape), unless the
// range has more rows than columns.
function seriesOf(reference, names, byShape = false) {
  const cells = cellsOf(reference).map((c) => Number(values_[c]) || 0);
  const [, range] = reference.split("!");
  const [from, to = from] = range.replace(/\$/g, "").split(":");
  const rowOf = (a1) => Number(/\d+$/.exec(a1)[0]);
  const rows = rowOf(to) - rowOf(from) + 1, columns = cells.length / rows;
  const byRows = byShape ? columns >= rows : !(names > 0 && names !== rows && (names === columns || columns < rows));
  const lines = [];
  for (let i = 0; i < (byRows ? rows : columns); ++i) {
    const line = [];
    for (let j = 0; j < (byRows ? columns : rows); ++j) line.push(byRows ? cells[i * columns + j] : cells[j * columns + i]);
    lines.push(line);
  }
  return lines;
}
let values_ = {};
const isReference = (v) => typeof v === "string" && /^[A-Za-z][\w ]*!\$?[A-Z]+\$?\d+(:\$?[A-Z]+\$?\d+)?$/.test(v);

// What a component shows, from its parameters in the document's description and the values of
// the cells ("Sheet!A1" to a number or text): texts by field name, drawings as numbers.
function shows(component, values) {
  values_ = values;
  const p = component.parameters || {};
  const general = p.General || {}, behavior = p.Behavior || {}, appearance = p.Appearance || {};
  const one = (v) => (isReference(v) ? values[cellsOf(v)[0]] : v);
  const all = (v) => (isReference(v) ? cellsOf(v).map((c) => values[c]) : []);
  const text = (v) => (v === undefined ? "" : String(v));
  const fields = {}, drawn = {};
  const labels = (prefix) => all(general.categoryLabels).forEach((v, i) => { fields[`${prefix}${i}`] = text(v); });
  switch (component.symbol) {
  case "KVValueDisplaySymbol":
  case "KVSliderHSymbol":
  case "KVSliderVSymbol":
  case "KVProgressBarHSymbol":
  case "KVPlayNormalSymbol":
    fields.kvTitle = text(one(general.title));
    fields.kvValue = showNumber(one(general.mv), appearance.formatValue);
    drawn.mv = [one(general.mv)];
    break;
  case "KVGaugeSymbol":
  case "KVDialSymbol": {
    fields.kvTitle = text(one(general.title));
    fields.kvValue = showNumber(one(general.mv), appearance.formatValue);
    const lo = behavior.minValue ?? 0, hi = behavior.maxValue ?? 100;
    const f = Math.min(Math.max((one(general.mv) - lo) / (hi - lo), 0), 1);
    drawn.needle = [-135 + f * 270];
    break;
  }
  case "KVLabelCompSymbol":
    fields.kvLabel = showNumber(one(general.labelValue), (appearance.formatValue || {}).numFormat);
    break;
  case "KVColumnChartSymbol":
  case "KVLineChartSymbol": {
    fields.kvTitle = text(one(general.chartTitle));
    labels("kvCat");
    // Heights over the plot's bottom in proportion to the data (a scale from 0 for positive data).
    const data = all(general.dataValues);
    const top = Math.max(...data);
    drawn[component.symbol === "KVLineChartSymbol" ? "points" : "bars"] = data.map((v) => (top > 0 ? v / top : v));
    break;
  }
  case "KVPieChartSymbol": {
    fields.kvTitle = text(one(general.chartTitle));
    labels("kvLegend");
    const data = all(general.dataValues);
    const total = data.reduce((a, v) => a + Math.max(v, 0), 0);
    drawn.slices = data.map((v) => Math.round((Math.max(v, 0) / total) * 36000) / 100);
    break;
  }
  case "KVProgressBarVSymbol":
    fields.kvTitle = text(one(general.title));
    fields.kvValue = showNumber(one(general.mv), appearance.formatValue);
    drawn.mv = [one(general.mv)];
    break;
  case "KVMapUSASymbol":
  case "KVMapEuropeSymbol":
    drawn.mv = all(general.mv);
    break;
  case "KVStackColumnChartSymbol":
  case "KVComboChartSymbol": {
    fields.kvTitle = text(one(general.chartTitle));
    labels("kvCat");
    // Each piece of a stack (each column) as tall as its value, series after series; the line
    // series of a combination chart (all but the first) on a scale of their own.
    const series = seriesOf(general.dataValues, all(general.seriesNames).length);
    const columns = component.symbol === "KVComboChartSymbol" ? series.slice(0, 1) : series;
    const scaled = (list) => { const top = Math.max(...list.map(Math.abs)); return list.map((v) => Math.abs(v) / top); };
    drawn.bars = scaled(columns.flat());
    if (component.symbol === "KVComboChartSymbol") drawn.points = scaled(series.slice(1).flat());
    break;
  }
  case "KVXYChartSymbol":
  case "KVBubbleChartSymbol": {
    fields.kvTitle = text(one(general.chartTitle));
    // The Y values over a scale from 0: the second line of the data (XY: X then Y; bubble: X,
    // Y, sizes).
    const ys = seriesOf(general.dataValues, 0, true)[1];
    drawn.points = ys.map((v) => v / Math.max(...ys));
    break;
  }
  case "KVPlaySelectorSymbol":
    // The first item's label, until it plays.
    fields.kvLabel = text(all(general.labels_ary)[0]);
    break;
  case "KVGridSymbol":
    fields.kvTitle = text(one(general.title));
    all(general.mv).forEach((v, i) => { fields[`kvCell${i}`] = showNumber(v, appearance.formatValue); });
    drawn.mv = all(general.mv);
    break;
  case "KVTableNewSymbol":
    all(general.dataValues_ary).forEach((v, i) => { fields[`kvCell${i}`] = showNumber(v, appearance.formatValue); });
    break;
  case "KVBarChartSymbol":
  case "KVStackBarChartSymbol": {
    // Bars run across: their lengths are in proportion to the data, a stack piece by piece,
    // series after series.
    fields.kvTitle = text(one(general.chartTitle));
    labels("kvCat");
    all(general.seriesNames).forEach((v, i) => { fields[`kvLegend${i}`] = text(v); });
    const data = component.symbol === "KVBarChartSymbol" ? all(general.dataValues)
      : seriesOf(general.dataValues, all(general.seriesNames).length).flat();
    const top = Math.max(...data.map(Math.abs));
    drawn.widths = data.map((v) => Math.abs(v) / top);
    break;
  }
  case "KVUrlButtonSymbol":
  case "KVXMLDataSymbol":
    fields.kvLabel = text(one(general.label));
    break;
  case "KVAlertButtonSymbol":
  case "KVPushButtonSymbol":
  case "KVCheckBoxSymbol":
    // Without a title of its cells a button keeps the label of its default file.
    if (general.title !== undefined) fields.kvLabel = text(one(general.title));
    break;
  case "KVInputTextSymbol":
    fields.kvLabel = text(one(general.labelValue));
    fields.kvEdit = text(one(general.insertInto));
    break;
  case "KVTextAreaInputSymbol":
    fields.kvEdit = text(one(general.defaultText));
    break;
  case "KVRadioButtonSetSymbol":
  case "KVListBoxSymbol": {
    fields.kvTitle = text(one(general.title));
    const row = component.symbol === "KVListBoxSymbol" ? "kvRow" : "kvLabel";
    all(general.labels).forEach((v, i) => { fields[`${row}${i}`] = text(v); });
    break;
  }
  case "KVComboBoxSymbol":
    // Closed, it shows the first item.
    fields.kvChosen = text(all(general.labels)[0]);
    break;
  case "KVMenuSymbol":
    fields.kvTitle = text(one(general.title));
    break;
  case "KVFilterSymbol": {
    // Each list shows the distinct values of its column among the rows the lists before it
    // leave, the first of each chosen; a list has as many rows as fit under its title.
    const across = cellsOf(general.values.replace(/\d+:/, "1:").replace(/\d+$/, "1")).length;
    const cells = all(general.values);
    let rows = [];
    for (let r = 0; r < cells.length; r += across) rows.push(cells.slice(r, r + across).map(text));
    const slots = Math.max(Math.floor((component.height - 20) / 18), 1);
    all(general.labels).forEach((head, j) => {
      fields[`kvHead${j}`] = text(head);
      const distinct = [...new Set(rows.map((r) => r[j]))];
      for (let i = 0; i < slots; ++i) fields[`kvCell${j * slots + i}`] = distinct[i] ?? "";
      rows = rows.filter((r) => r[j] === distinct[0]);
    });
    break;
  }
  case "KVTrendIconSymbol":
  case "KVScenarioSymbol":
  case "KVRemoteScenarioSymbol":
    // No text of their cells: the trend stays level until a value changes, and a scenario list
    // holds what the viewer saved.
    break;
  default:
    // A sample may place a component this check cannot read yet; it must show no cells then.
    if (Object.values(general).some(isReference)) fail(`the check does not know what ${component.symbol} shows`);
  }
  return { fields, drawn };
}

// The probe's state: {cells: {V<id>: text}, components: {name: {fields, drawn}}}.
function parseState(state) {
  const [cellLine, ...lines] = state.split("\n");
  const cells = Object.fromEntries(cellLine.split("\t").slice(1).map((kv) => [kv.slice(0, kv.indexOf("=")), kv.slice(kv.indexOf("=") + 1)]));
  const components = {};
  for (const line of lines) {
    const [name, ...parts] = line.split("\t");
    const fields = {}, drawn = {};
    for (const part of parts) {
      const at = part.indexOf("=");
      if (part.startsWith("@")) drawn[part.slice(1, at)] = part.slice(at + 1).split(",").map(Number);
      else if (part.startsWith("#")) drawn[part.slice(1, at)] = part.slice(at + 1).split(",");
      else fields[part.slice(0, at)] = part.slice(at + 1);
    }
    components[name] = { fields, drawn };
  }
  return { cells, components };
}

// Compares what the components show with what the cells' values give; returns the count.
function checkShown(what, description, values, shown) {
  let ok = 0;
  for (const component of description.components || []) {
    const want = shows(component, values);
    const got = shown.components[component.name];
    if (!got) { fail(`${what}: ${component.name} reported nothing`); continue; }
    for (const field of got.drawn.clipped || []) fail(`${what}: ${component.name}.${field} is cut off: ${got.fields[field]}`);
    // A layout's placeholder, linked to nothing yet, shows its own defaults.
    if (!(component.parameters || {}).General) continue;
    for (const [field, text] of Object.entries(want.fields)) {
      if (got.fields[field] === text) ++ok;
      else fail(`${what}: ${component.name}.${field} shows ${JSON.stringify(got.fields[field])}, expected ${JSON.stringify(text)}`);
    }
    for (const [kind, numbers] of Object.entries(want.drawn)) {
      let g = got.drawn[kind] || [];
      if ((kind === "bars" || kind === "points" || kind === "widths") && Math.max(...g) > 0) g = g.map((v) => v / Math.max(...g));
      const tolerance = kind === "mv" ? 1e-9 : kind === "slices" ? 0.011 : 0.005;
      if (g.length === numbers.length && numbers.every((v, i) => near(g[i], v, tolerance))) ++ok;
      else fail(`${what}: ${component.name} draws ${kind} ${g.join(",")}, expected ${numbers.join(",")}`);
    }
  }
  checked += ok;
  return ok;
}

// The samples' formulas over their inputs, written out from what they mean: given the cells'
// values, those of the formula cells that the inputs reach.
const roundTo = (v, places) => Math.sign(v) * Math.round(Math.abs(v) * 10 ** places + 1e-9) / 10 ** places;
const RECALCULATED = {
  "loan-planner": (c) => {
    const amount = c["Loan!B1"], rate = c["Loan!B2"], years = c["Loan!B3"], monthly = rate / 12;
    // A level payment that pays the amount back with interest in years * 12 months.
    const growth = (months) => (1 + monthly) ** months;
    const payment = roundTo((amount * monthly * growth(years * 12)) / (growth(years * 12) - 1), 2);
    const total = payment * years * 12;
    const r = { "Loan!B4": payment, "Loan!B5": total, "Loan!B6": total - amount, "Loan!B7": rate * amount,
      "Loan!B15": total > 0 ? (total - amount) / total : 0,
      "Loan!B17": `Pay ${showNumber(payment, "$#,##0.00")} a month for ${years} years` };
    // The balance left after the years in column A: the amount grown, less the payments grown.
    for (let row = 9; row <= 13; ++row) {
      const months = c[`Loan!A${row}`] * 12;
      r[`Loan!B${row}`] = roundTo(Math.max(0, amount * growth(months) - (payment * (growth(months) - 1)) / monthly), 0);
    }
    return r;
  },
  "regional-sales": (c) => ({
    "Sales!B9": roundTo(c["Sales!B6"] * (1 + c["Sales!B8"]), 0),
    "Sales!D9": c["Sales!D6"] * (1 + c["Sales!B8"]),
  }),
};

// How the samples' inputs are moved, in order: a slider's thumb dragged to a fraction of its
// track, a dial's needle turned round its centre to an angle (degrees clockwise from up).
const MOVES = {
  "loan-planner": [["Amount", 1.1], ["Rate", 0.3], ["Years", -90]],
  "regional-sales": [["GrowthSlider", 0.8], ["GrowthSlider", 0.1]],
};

// The value a move aims at, and how far from it the mouse's rounding may land.
function aimed(component, to) {
  const b = component.parameters.Behavior || {};
  const lo = b.minValue ?? 0, hi = b.maxValue ?? 100, step = b.incSize ?? 1;
  const f = Math.min(Math.max(component.symbol === "KVDialSymbol" ? (to + 135) / 270 : to, 0), 1);
  return [lo + f * (hi - lo), 2 * step];
}

async function moveInputs(page, numbers, at, description, moves) {
  const needles = {};
  for (const [name, to] of moves) {
    const index = description.components.findIndex((c) => c.name === name);
    const [a, b, c, d] = numbers.slice(index * 4, index * 4 + 4);
    if (description.components[index].symbol === "KVDialSymbol") {
      const on = (angle) => at(a + 40 * Math.sin((angle * Math.PI) / 180), b - 40 * Math.cos((angle * Math.PI) / 180));
      const from = needles[name] ?? c;
      await page.mouse.move(...on(from));
      await page.mouse.down();
      for (let step = 1; step <= 3; ++step) await page.mouse.move(...on(from + ((to - from) * step) / 3));
      await page.mouse.up();
      needles[name] = to;
    } else {
      // The thumb is where the last drag left it.
      const thumb = needles[name] ?? d;
      await page.mouse.move(...at(thumb, c));
      await page.mouse.down();
      await page.mouse.move(...at((thumb + a + (b - a) * to) / 2, c), { steps: 4 });
      await page.mouse.move(...at(a + (b - a) * to, c + 3), { steps: 4 });
      await page.mouse.up();
      needles[name] = a + (b - a) * to;
    }
    await settle(page);
  }
}

// A shipped document published plain, as its preview and from its description: in each movie
// the cells and components as the workbook has them, then the inputs moved and everything over
// them recalculated.
async function checkDocument(drive, file) {
  const stem = path.basename(file, ".vtd");
  // A document lies in a category folder; its description beside that folder.
  const descriptionFile = path.join(path.dirname(path.dirname(file)), `${stem}.json`);
  const description = readJson(descriptionFile);
  description.components = description.components || [];
  // The browsers show the document's preview movie beside it and its description from asset/.
  const shippedPreview = file.replace(/\.vtd$/, ".swf");
  if (!fs.existsSync(shippedPreview)) fail(`${stem}: no preview movie beside the document`);
  else for (const p of checkMovie(fs.readFileSync(shippedPreview)).problems) fail(`${stem}.swf (shipped preview): ${p}`);
  const textFile = path.join(install, "asset", `${stem}.txt`);
  const text = fs.existsSync(textFile) ? fs.readFileSync(textFile) : Buffer.alloc(0);
  const said = text.length >= 4 ? text.subarray(4, 4 + text.readUInt32LE(0)).toString("utf8") : undefined;
  if (said !== (description.description || "") || text.length !== 4 + Buffer.byteLength(said))
    fail(`${stem}: asset/${stem}.txt says ${JSON.stringify(said)}, the description ${JSON.stringify(description.description)}`);
  const cells = readJson(path.join(out, `${stem}.cells.json`));
  const cached = Object.fromEntries(Object.entries(cells).map(([k, v]) => [k, cellValue(v)]));
  const [width, height] = [description.canvas.width, description.canvas.height];
  const names = description.components.map((c) => c.name).join(",");
  // The preview, the movie of the description the document was written from, and the document's.
  // Shipped documents calculate every formula of their workbooks, so they publish with --strict.
  const variants = { [`${stem}-preview`]: [file, ["--strict", "--preview"]], [`${stem}-description`]: [descriptionFile, ["--strict"]],
    [stem]: [file, ["--strict"]] };
  for (const [name, [input, options]] of Object.entries(variants)) {
    const variables = publish(input, name, options);
    if (!variables) continue;
    const moves = MOVES[stem] || [];
    const result = await drive(`probe-${stem}.swf`, async (page, numbers, at) => {
      await moveInputs(page, numbers, at, description, moves);
    }, "ready", [width, height], { vars: `kvMovie=movies/${name}.swf&kvNames=${names}`, size: [width, height],
      picture: `${name}-published.png` });
    const states = reports(result, "state").map(parseState);
    if (states.length === 0) { fail(`${name}: the probe reported nothing`); continue; }
    const first = states[0];
    const formulas = checkFormulas(name, first.cells, variables, cells);
    const shown = checkShown(name, description, cached, first);
    console.log(`ok   ${name}.swf: ${formulas} formula values and ${shown} shown values as the workbook has them`);
    if (moves.length === 0) continue;

    // The inputs' cells as the movie holds them now; what depends on them, recalculated here.
    const last = states.at(-1);
    const now = { ...cached };
    const cellOf = Object.fromEntries(Object.entries(variables).map(([v, c]) => [c, v]));
    for (const [inputName, to] of Object.entries(Object.fromEntries(moves))) {
      const component = description.components.find((c) => c.name === inputName);
      const cell = cellsOf(component.parameters.General.mv)[0];
      now[cell] = Number(last.cells[cellOf[cell]]);
      const [aim, slack] = aimed(component, to);
      if (!near(now[cell], aim, slack / Math.max(1, Math.abs(aim))) || now[cell] === cached[cell])
        fail(`${name}: ${inputName} moved ${cell} to ${now[cell]}, aimed at ${aim} from ${cached[cell]}`);
    }
    const recalculate = RECALCULATED[stem];
    // The written-out formulas first give the workbook's own values from its own inputs.
    for (const [cell, value] of Object.entries(recalculate(cached)))
      if (!same(typeof value === "number" ? String(value) : value, cells[cell]))
        fail(`${stem}: the written-out ${cell} = ${value}, the workbook has ${cells[cell][0]}`);
    Object.assign(now, recalculate(now));
    const after = Object.fromEntries(Object.entries(now).map(([k, v]) => [k, [String(v), typeof v === "number" ? "number" : "string", cells[k]?.[2]]]));
    const recalculated = checkFormulas(`${name} after the inputs moved`, last.cells, variables, after);
    const redrawn = checkShown(`${name} after the inputs moved`, description, now, last);
    console.log(`ok   ${name}.swf: ${[...new Set(moves.map(([n]) => n))].join(", ")} moved; ${recalculated} formula values and ${redrawn} shown values follow`);

    // Where the moves land is fixed, so LibreOffice calculated the sample for those inputs too.
    const referenceFile = path.join(out, `${stem}-moved.cells.json`);
    if (!fs.existsSync(referenceFile)) continue;
    const reference = readJson(referenceFile);
    for (const [inputName] of moves) {
      const cell = cellsOf(description.components.find((c) => c.name === inputName).parameters.General.mv)[0];
      if (!same(String(now[cell]), reference[cell])) fail(`${name}: ${cell} = ${now[cell]} after the moves, ${stem}-moved.xlsx has ${reference[cell][0]}`);
    }
    const asCalculated = checkFormulas(`${name} against ${stem}-moved.xlsx`, last.cells, variables, reference);
    const asShown = checkShown(`${name} against ${stem}-moved.xlsx`, description,
      Object.fromEntries(Object.entries(reference).map(([k, v]) => [k, cellValue(v)])), last);
    console.log(`ok   ${name}.swf: ${asCalculated} formula values and ${asShown} shown values as LibreOffice calculated them`);
  }
}

// The all-formulas movie of a sample workbook: every formula as the workbook cached it; then a
// number that formulas read raised by 100 and the calculation run again: a SUM over it rises by
// 100, a product with it scales with it.
async function checkAllFormulas(run, workbook) {
  const name = `${path.basename(workbook, ".xlsx")}-formulas`;
  const variables = publish(workbook, name, ["--all-formulas"]);
  if (!variables) return;
  const cells = readJson(path.join(out, `${name}.cells.json`));
  const result = await run("probe-values.swf", { until: "done", timeoutMs: 20000, vars: `kvMovie=movies/${name}.swf` });
  for (const p of playerProblems(result)) fail(`player: ${p}`);
  const ok = checkFormulas(name, reportedValues(result), variables, cells);
  console.log(`ok   ${name}.swf: ${ok} formula values as the workbook has them`);

  const formulas = Object.entries(variables).filter(([, c]) => cells[c]?.[2] && cells[c][1] === "number");
  const follows = (input, formula) => {
    const [sheet, cell] = input.split("!");
    const [where, text] = [formula[1].split("!")[0], cells[formula[1]][2].replace(/\$/g, "")];
    if (where !== sheet) return undefined;
    const summed = /^SUM\(([A-Z]+\d+:[A-Z]+\d+)\)$/.exec(text);
    if (summed) return cellsOf(`${sheet}!${summed[1]}`).includes(input) ? "sum" : undefined;
    // A rounded product does not scale with its input.
    return new RegExp(`(^|[^A-Z])${cell}\\*`).test(text) && !text.includes("ROUND(") ? "product" : undefined;
  };
  const input = Object.entries(variables).find(([, c]) => cells[c] && !cells[c][2] && cells[c][1] === "number" &&
    formulas.some((f) => follows(c, f)));
  if (!input) { fail(`${name}: no number that a formula sums or multiplies`); return; }
  const from = Number(cells[input[1]][0]), to = from + 100;
  const changed = await run("probe-values.swf", { until: "done", timeoutMs: 20000,
    vars: `kvMovie=movies/${name}.swf&kvInput=${input[0]}&kvTo=${to}` });
  for (const p of playerProblems(changed)) fail(`player: ${p}`);
  const after = reportedValues(changed);
  let recalculated = 0;
  for (const formula of formulas) {
    const kind = follows(input[1], formula);
    if (!kind) continue;
    const cached = Number(cells[formula[1]][0]);
    const expect = kind === "sum" ? cached + (to - from) : (cached * to) / from;
    if (near(Number(after[formula[0]]), expect)) ++recalculated;
    else fail(`${name} after ${input[1]} = ${to}: ${formula[1]} = ${after[formula[0]]}, expected ${expect}`);
  }
  console.log(`ok   ${name}.swf: ${recalculated} formulas over ${input[1]} recalculated after it changed`);
}

// The command's failures: each has its exit code and a message on one line that names what
// failed without echoing a file's control characters, and leaves no movie behind.
function checkFailures(sample) {
  const damaged = path.join(out, "damaged.vtd");
  fs.writeFileSync(damaged, Buffer.from("\x1b[2J\x07 not a document at all", "latin1"));
  const notWorkbook = path.join(out, "not-a-workbook.xlsx");
  fs.writeFileSync(notWorkbook, "plain text");
  const cases = [
    ["a missing document", [path.join(out, "absent.vtd")], 3, "absent.vtd"],
    ["a damaged document", [damaged], 4, "damaged.vtd"],
    ["a file that is no workbook", ["--all-formulas", notWorkbook], 5, "not-a-workbook.xlsx"],
    ["a description over a file that is no workbook", [path.join(path.dirname(path.dirname(sample)), path.basename(sample, ".vtd") + ".json"), notWorkbook], 5, "not-a-workbook.xlsx"],
    ["an installation without the function library", ["--install", out, sample], 6, "func.dat"],
    ["an output folder that does not exist", [sample], 1, "missing", path.join(out, "missing", "movie.swf")],
    ["no movie named", ["--map"], 2, "usage"],
  ];
  for (const [what, args, status, named, movie = path.join(out, "failed.swf")] of cases) {
    const run = spawnSync(command, ["--install", install, ...args, movie], { encoding: "latin1" });
    const message = run.stderr.trim();
    if (run.status === status && message.includes(named) && !/[\x00-\x09\x0b-\x1f\x7f]/.test(message) && !fs.existsSync(movie))
      console.log(`ok   ${what}: exit ${status}, ${message.split("\n")[0]}`);
    else fail(`${what}: exit ${run.status} (expected ${status}), ${JSON.stringify(message)}, movie left: ${fs.existsSync(movie)}`);
  }
}

// A dashboard of more components than one frame builds: each shows its own cell, none meets the
// player's time limit, and the last one is built too.
async function checkManyComponents(drive) {
  const count = 450; // the rows of column H that the maker filled
  const components = Array.from({ length: count }, (_, i) => ({ symbol: "KVValueDisplaySymbol", name: `Many${i}`,
    x: (i % 30) * 26, y: Math.floor(i / 30) * 38, width: 100, height: 40,
    parameters: { General: { mv: `Sales!H${i + 1}` } } }));
  const description = path.join(out, "many.json");
  fs.writeFileSync(description, JSON.stringify({ workbook: "many.xlsx", canvas: { width: 800, height: 600 }, components }));
  if (!publish(description, "many")) return;
  const watched = [0, 199, 200, 399, 400, count - 1];
  const result = await drive("probe-many.swf", async () => {}, "ready", [800, 600], {
    vars: `kvMovie=movies/many.swf&kvNames=${watched.map((i) => `Many${i}`).join(",")}`, size: [800, 600], picture: "many-published.png" });
  const states = reports(result, "state").map(parseState);
  if (states.length === 0) { fail("many.swf: the probe reported nothing"); return; }
  let ok = 0;
  for (const i of watched) {
    const shown = states[0].components[`Many${i}`]?.drawn.mv?.[0];
    if (shown === i * 3 + 1) ++ok;
    else fail(`many.swf: Many${i} shows ${shown}, its cell holds ${i * 3 + 1}`);
  }
  console.log(`ok   many.swf: ${count} components over ${Math.ceil(count / 200)} frames; ${ok} watched ones show their cells`);
}

// A list box bound to 2,000 cells, whose scripts take several functions of the movie: it holds
// every item, the first and the last as the movie calculated them (the workbook stores none of
// them), its rows show the first ones, and its title, the sum of the values, is calculated too.
async function checkLongList(drive) {
  const rows = 2000; // the rows the maker filled
  const description = path.join(out, "longlist.json");
  fs.writeFileSync(description, JSON.stringify({ workbook: "longlist.xlsx", canvas: { width: 400, height: 300 },
    components: [{ symbol: "KVListBoxSymbol", name: "LongList", x: 10, y: 10, width: 200, height: 200,
      parameters: { General: { title: "S!C1", labels: `S!A1:A${rows}`, values: `S!B1:B${rows}` } } }] }));
  const variables = publish(description, "longlist");
  if (!variables) return;
  const result = await drive("probe-many.swf", async () => {}, "ready", [400, 300], {
    vars: "kvMovie=movies/longlist.swf&kvNames=LongList", size: [400, 300], picture: "longlist-published.png" });
  const states = reports(result, "state").map(parseState);
  if (states.length === 0) { fail("longlist.swf: the probe reported nothing"); return; }
  const shown = states[0].components.LongList;
  const [count, first, last] = (shown?.drawn.labels || []).map((v) => decodeURIComponent(v));
  const want = [String(rows), "Item 1", `Item ${rows}`];
  if (count !== want[0] || first !== want[1] || last !== want[2])
    fail(`longlist.swf: the list holds ${count} items from ${JSON.stringify(first)} to ${JSON.stringify(last)}, expected ${want.join(", ")}`);
  for (let i = 0; i < 3; ++i)
    if (shown?.fields[`kvRow${i}`] !== `Item ${i + 1}`) fail(`longlist.swf: row ${i} shows ${JSON.stringify(shown?.fields[`kvRow${i}`])}`);
  const sum = Object.entries(variables).find(([, cell]) => cell === "S!C1");
  if (!sum || Number(states[0].cells[sum[0]]) !== (rows * (rows + 1)) / 2)
    fail(`longlist.swf: S!C1 = ${sum && states[0].cells[sum[0]]}, expected ${(rows * (rows + 1)) / 2}`);
  const labels = Object.entries(variables).filter(([, cell]) => /^S!A\d+$/.test(cell));
  const wrong = labels.filter(([v, cell]) => states[0].cells[v] !== `Item ${cell.slice(3)}`);
  if (labels.length !== rows || wrong.length > 0)
    fail(`longlist.swf: ${labels.length} label cells in the movie, ${wrong.length} wrong (${wrong.slice(0, 3).map(([v, c]) => `${c}=${states[0].cells[v]}`).join(", ")})`);
  else console.log(`ok   longlist.swf: a list box over ${rows} cells holds "${first}" to "${last}", calculated`);
}

try {
  const documents = ["samples", "template"].flatMap((folder) =>
    fs.readdirSync(path.join(install, folder), { withFileTypes: true }).filter((entry) => entry.isDirectory())
      .flatMap((category) => fs.readdirSync(path.join(install, folder, category.name))
        .filter((f) => f.endsWith(".vtd")).map((f) => path.join(install, folder, category.name, f))));
  if (documents.length < 3) fail(`only ${documents.length} shipped documents`);
  const workbooks = fs.readdirSync(path.join(source, "assets", "samples")).filter((f) => f.endsWith(".xlsx"))
    .map((f) => path.join(source, "assets", "samples", f));
  // The movies dealt out to the parts in turn, the longest (the documents, three movies each) first.
  const work = [...documents.map((file) => ["document", file]), ["many"], ["longlist"],
    ...workbooks.map((workbook) => ["formulas", workbook])].filter((_, i) => i % parts === part - 1);
  if (part === 1) {
    // Every component of the palette is shown at work in some shipped sample, but for the
    // helpers of the "Hidden" category (the scroll box and scroll edit that other components
    // fill), which every movie carries and which have nothing to show on their own.
    const used = new Set(fs.readdirSync(path.join(source, "assets", "samples")).filter((f) => f.endsWith(".json"))
      .flatMap((f) => (readJson(path.join(source, "assets", "samples", f)).components || []).map((c) => c.symbol)));
    const defaults = path.join(install, "component", "default");
    const palette = fs.readdirSync(defaults).filter((f) => f.endsWith(".xml"))
      .filter((f) => !/<component\b[^>]*\bcategory="Hidden"/.test(fs.readFileSync(path.join(defaults, f), "utf8")))
      .map((f) => f.slice(0, -4));
    if (palette.length < 40) fail(`only ${palette.length} components of the palette found`);
    const unused = palette.filter((symbol) => !used.has(symbol));
    if (unused.length > 0) fail(`components in no shipped sample: ${unused.join(", ")}`);
    else console.log(`ok   all ${palette.length} components appear in the shipped samples`);
    checkFailures(documents.find((f) => f.endsWith("loan-planner.vtd")) || documents[0]);
  }
  // The data-connection sample loads prices.xml from beside it as it starts: here the file holds
  // the workbook's own prices, so that its values stay those the workbook caches.
  const stock = readJson(path.join(out, "data-connection.cells.json"));
  const rows = ["B5", "B6", "B7", "B8"].map((c) => `<row><column>${stock[`Stock!${c}`][0]}</column></row>`);
  fs.writeFileSync(path.join(out, "prices.xml"), `<data><variable name="prices">${rows.join("")}</variable></data>`);
  await withPlayer(out, async (run) => {
    const drive = driver(run, { pictures, fail });
    for (const [kind, file] of work) {
      if (kind === "document") await checkDocument(drive, file);
      else if (kind === "many") await checkManyComponents(drive);
      else if (kind === "longlist") await checkLongList(drive);
      else await checkAllFormulas(run, file);
    }
  });
} finally {
  fs.rmSync(out, { recursive: true, force: true });
}
console.log(failures ? `${failures} failed` : `all ${checked} values as expected`);
process.exit(failures ? 1 : 0);
