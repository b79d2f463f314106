// Runs the dashboards of publish_component_actions.cpp in Ruffle, driving them with the
// player's mouse and keyboard:
// - buttons.swf: a number typed into an input turns the trend icon up and the watched display's
//   alert red, which the alert buttons' lamps take; the alert button, a menu item and two filter
//   items clicked write their cells; a menu across opens under the mouse and an item chosen
//   writes its cell; the URL button opens its address in a new window;
// - play.swf: the play control plays its cell from 0 to 4 and stops; the play selector steps
//   with its buttons and plays its rows into two cells, rewinding at the end; another steps to
//   the next column of its source;
// - scenario.swf: a scenario saved, the cell changed, the scenario loaded back and, in a second
//   run that finds it still saved, deleted;
// - collab.swf: the connection light, the login, the people list and the remote scenario before
//   a connection, when the probe (standing in for the collaboration server) refuses the login
//   and when it accepts it;
// - data.swf: the XML data connections load a file into cells, exchange data with a web service
//   of our own on 127.0.0.1 every second, and say on their display that a page holds no data.
// - price-plan.swf: the shipped sample's play selector steps to the next month and its scenario
//   component saves and loads a plan;
// - selector-report.swf: the shipped sample's combo box inserts a product's row and its menu a
//   month's number;
// - what-if-planner.swf: the shipped sample's radio buttons and its Reset button set the growth;
// - data-connection.swf: the shipped sample loads the prices file shipped beside it.
// Most components carry names ("Menu", "Filter", "Login"...) that their scripts' variables once
// held on the main timeline, in another letter case, hiding them: they must draw and answer.
// A PNG of each movie after the input goes into <build>/test-output.
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import http from "node:http";
import { withPlayer } from "./lib/ruffle.mjs";
import { driver, click, reports, settle } from "./lib/drive.mjs";
import { checkMovie } from "./lib/swfcheck.mjs";
import { pixelAt } from "./lib/pixel.mjs";
import { expectations } from "./lib/tally.mjs";

const { fail, expect, finish } = expectations();
const part = (state, i) => state && state.split("|")[i];

// The web service of the XML data connection: it keeps what each request posted and answers
// "result" with the number of requests so far times ten.
const posted = [];
const server = http.createServer((req, res) => {
  let body = "";
  req.on("data", (chunk) => { body += chunk; });
  req.on("end", () => {
    posted.push(body);
    res.writeHead(200, { "content-type": "text/xml", "access-control-allow-origin": "*" });
    res.end(`<data>\r\n <variable name="result">\r\n  <row>\r\n   <column>${posted.length * 10}</column>\r\n  </row>\r\n </variable>\r\n</data>`);
  });
});
await new Promise((resolve) => server.listen(0, "127.0.0.1", resolve));

const out = fs.mkdtempSync(path.join(os.tmpdir(), "component-actions-"));
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || os.tmpdir(), "test-output");
fs.mkdirSync(pictures, { recursive: true });
try {
  execFileSync(process.env.MOVIE_MAKER, [out, `http://127.0.0.1:${server.address().port}/`], { stdio: "inherit" });
  for (const movie of fs.readdirSync(out).filter((f) => f.endsWith(".swf")))
    for (const p of checkMovie(fs.readFileSync(path.join(out, movie))).problems) fail(`${movie} structure: ${p}`);
  fs.writeFileSync(path.join(out, "opened.html"), "<!doctype html><title>opened</title>");
  fs.writeFileSync(path.join(out, "page.html"), "<html><body>no data here</body></html>");
  fs.writeFileSync(path.join(out, "data.xml"),
    "<data>\r\n <variable name=\"prices\">\r\n  <row>\r\n   <column>1.5</column>\r\n   <column>2</column>\r\n  </row>\r\n" +
    "  <row>\r\n   <column>010</column>\r\n  </row>\r\n </variable>\r\n</data>");

  await withPlayer(out, async (run) => {
    // The player has no remote shared objects: asking for one is a known stub, not a fault.
    const drive = driver(run, { pictures, fail: (m) => (m.includes("Encountered stub: AVM1 SharedObject.getRemote()") ? console.log(`known ${m}`) : fail(m)) });

    // Type 80 into the input (B1 = 160: up, and 160 % of the target: the last band, red); the
    // alert button, the menu's third item, then "West" and "Plums" in the filter and the URL
    // button.
    let popup = null;
    let acrossOpened = null;
    const buttons = await drive("buttons.swf", async (page, [ix, iy, mx, my, ox, oy, f1x, f1y, f2x, f2y, ux, uy, ax, ay, hx, hy, tx, ty], at) => {
      await click(page, at, ix, iy);
      await page.keyboard.press("End");
      await page.keyboard.press("Backspace");
      await page.keyboard.press("Backspace");
      await page.keyboard.type("80");
      await page.keyboard.press("Enter");
      await settle(page);
      await click(page, at, ax, ay);
      await click(page, at, mx, my);
      await click(page, at, ox, oy);
      await click(page, at, f1x, f1y);
      await click(page, at, f2x, f2y);
      // The menu across opens under the mouse and closes once an item is chosen.
      await page.mouse.move(...at(hx, hy), { steps: 3 });
      await settle(page);
      const events = await page.evaluate(() => window.__events);
      acrossOpened = part(events.filter((e) => e.kind === "fscommand" && e.cmd === "state").at(-1).args, 7);
      await page.mouse.move(...at(tx, ty), { steps: 3 });
      await click(page, at, tx, ty);
      const opened = page.context().waitForEvent("page", { timeout: 5000 }).catch(() => null);
      await click(page, at, ux, uy);
      popup = await opened;
      if (popup) await popup.waitForLoadState().catch(() => {});
      await settle(page);
    });
    // A1,A2,A3,G1,H1 | trend | display band | lamp colour, watched | menu title, open | filter lists | url opened
    const states = reports(buttons, "state");
    const [first, last] = [states[0], states.at(-1)];
    expect("cells at start", part(first, 0), "20,1,0,-,-");
    expect("trend, band and lamp at start", first && first.split("|").slice(1, 4).join("|"), `0|1|${0xFFCC00},KVValueDisplaySymbol_1`);
    expect("menu and filter at start", first && first.split("|").slice(4, 6).join("|"), "Menu,false|East/West:0;Apples/Pears:0");
    expect("cells after the input", part(last, 0), "80,3,1,West,Plums");
    expect("trend, band and lamp after the input", last && last.split("|").slice(1, 4).join("|"), `1|2|${0xCC3333},KVValueDisplaySymbol_1`);
    expect("menu closed after the choice", part(last, 4), "Menu,false");
    expect("filter narrowed by its first list", part(last, 5), "East/West:1;Apples/Plums:1");
    expect("filter row inserted before the second choice", states.some((s) => part(s, 0) === "80,3,1,West,Apples"), true);
    expect("URL button opened", part(last, 6), "/movies/opened.html");
    expect("menu across opened by the mouse over it", acrossOpened, "0,true");
    expect("menu across: the third item chosen, closed", part(last, 7), "3,false");
    expect("alert button watching every component", [part(first, 8), part(last, 8)].join(","), "KVValueDisplaySymbol_1,KVValueDisplaySymbol_1");
    expect("new window's address", popup ? new URL(popup.url()).pathname : "no window", "/movies/opened.html");

    // Play the control (one second, 0 to 4); then the selector: next, last, then play, which
    // starts again from the first row and rewinds after the last.
    const play = await drive("play.swf", async (page, [cx, cy, nx, ny, lx, ly, px, py, kx, ky], at) => {
      await click(page, at, kx, ky);
      await click(page, at, cx, cy);
      await page.waitForTimeout(1600);
      await click(page, at, nx, ny);
      await click(page, at, lx, ly);
      await click(page, at, px, py);
      await page.waitForTimeout(1500);
      await settle(page);
    });
    // A1,B1,G1,H1,H2 | control value, playing | selector label, playing
    const played = reports(play, "state");
    const values = [...new Set(played.map((s) => part(s, 0).split(",")[0]))].join(",");
    expect("play control's values", values, "0,1,2,3,4");
    expect("play control stopped at the end", played.find((s) => part(s, 1) === "4,false") !== undefined, true);
    const rows = [];
    for (const s of played) {
      const row = part(s, 0).split(",").slice(2, 5).join(",");
      if (rows.at(-1) !== row) rows.push(row);
    }
    expect("rows the selector inserted", rows.join(" "), "0,0,0 2,200,202 3,300,303 1,100,101 2,200,202 3,300,303 1,100,101");
    expect("selector rewound and stopped", part(played.at(-1), 2), "Item 1,false");
    expect("selector by column at start and after next", [part(played[0], 3), part(played.at(-1), 3)].join(" then "),
      "column 1:0,0,0 then column 2:100,200,300");
    expect("B1 follows the control", part(played.at(-1), 0).split(",").slice(0, 2).join(","), "4,40");

    // Save A1:A2 = 3, 7 as "low"; type 9 into A1; choose "low" and load it.
    const scenario = await drive("scenario.swf", async (page, [ix, iy, nx, ny, sx, sy, lx, ly, dx, dy, rx, ry], at) => {
      await click(page, at, nx, ny);
      await page.keyboard.type("low");
      await click(page, at, sx, sy);
      await click(page, at, ix, iy);
      await page.keyboard.press("End");
      await page.keyboard.press("Backspace");
      await page.keyboard.type("9");
      await page.keyboard.press("Enter");
      await settle(page);
      await click(page, at, rx, ry);
      await click(page, at, lx, ly);
      await settle(page);
    });
    // A1,A2,B1 | names listed | chosen | status
    const saved = reports(scenario, "state");
    expect("scenario at start", saved[0], "3,7,10|||");
    expect("scenario saved", saved.some((s) => s === "3,7,10|low||Saved low" || s.endsWith("|low|low|Saved low")), true);
    expect("cell changed after saving", saved.some((s) => s.startsWith("9,7,16|")), true);
    expect("scenario loaded", saved.at(-1), "3,7,10|low|low|Loaded low");
    // The scenario is still there when the movie plays again; delete it.
    const again = await drive("scenario.swf", async (page, [ix, iy, nx, ny, sx, sy, lx, ly, dx, dy, rx, ry], at) => {
      await click(page, at, rx, ry);
      await click(page, at, dx, dy);
      await settle(page);
    }, "ready", [400, 300], { picture: "scenario-deleted.png" });
    const kept = reports(again, "state");
    expect("scenario kept between plays", kept[0], "3,7,10|low||");
    expect("scenario deleted", kept.at(-1), "3,7,10|||Deleted low");

    // Loaded at the start; the exchange repeats every second.
    const data = await drive("data.swf", async (page) => {
      await page.waitForTimeout(2600);
      await settle(page);
    }, "ready", [400, 300]);
    // A1,B2,C1,F1,G1,D1 | statuses | failed | requests
    const loaded = reports(data, "state");
    const end = loaded.at(-1);
    expect("prices loaded, the cells beyond the values emptied", end && part(end, 0).split(",").slice(0, 3).join(","), "1.5,,13.5");
    const result = Number(part(end, 0).split(",")[3]);
    expect("exchanged at the start and every second", result >= 20 && Number(part(end, 3)) >= 2, true);
    expect("answer recalculated", Number(part(end, 0).split(",")[4]), result * 2);
    expect("statuses", part(end, 1), "Loaded 1 range,Loaded 1 range,Failed: no XML data in the answer");
    expect("only the missing file failed", part(end, 2), "false,false,true");
    expect("posted data", posted[0], "<data>\r\n <variable name=\"inputs\">\r\n  <row>\r\n   <column>4</column>\r\n" +
      "   <column>a&lt;b</column>\r\n  </row>\r\n </variable>\r\n</data>");

    // Before the login: connection there but not open. Saving a remote scenario needs the
    // server. Then log in with the web service as the gateway.
    const requestsBefore = posted.length;
    const collab = await drive("collab.swf", async (page, [ux, uy, px, py, bx, by, nx, ny, sx, sy], at) => {
      await click(page, at, nx, ny);
      await page.keyboard.type("mine");
      await click(page, at, sx, sy);
      await click(page, at, ux, uy);
      await page.keyboard.type("ann");
      await click(page, at, px, py);
      await page.keyboard.type("secret");
      await click(page, at, bx, by);
      await page.waitForTimeout(500);
      await click(page, at, bx, by);
      await page.waitForTimeout(500);
      await click(page, at, sx, sy);
      await settle(page);
    });
    // light state, colour | login | people list's first row | remote scenario | connections made
    const seen = reports(collab, "state");
    const gateway = `http://127.0.0.1:${server.address().port}/gateway,ann,secret`;
    expect("collaboration at start", seen[0], `default,${0xAAAAAA}||Not connected||`);
    expect("remote scenario without a connection", part(seen[1], 3), "Not connected");
    expect("login refused", seen.find((x) => part(x, 1) === "Login failed"), `error,${0xCC3333}|Login failed|Not connected|Not connected|${gateway}`);
    expect("logging in again", seen.some((x) => part(x, 1) === "Connecting..." && part(x, 4) === `${gateway};${gateway}`), true);
    expect("login accepted", seen.find((x) => part(x, 1) === "Connected as ann"),
      `good,${0x33AA33}|Connected as ann|No list on the server|Not connected|${gateway};${gateway}`);
    expect("remote scenario without a shared object", part(seen.at(-1), 3), "No shared scenarios");
    expect("nothing sent to the gateway over HTTP", posted.length, requestsBefore);

    // The sample: the next month (Feb: 11, 1100) saved as "feb", the month after it (Mar: 12,
    // 1000), then "feb" loaded back.
    const sample = await drive("price-plan.swf", async (page, [nx, ny, fx, fy, sx, sy, rx, ry, lx, ly], at) => {
      await click(page, at, nx, ny);
      await click(page, at, fx, fy);
      await page.keyboard.type("feb");
      await click(page, at, sx, sy);
      await click(page, at, nx, ny);
      await settle(page);
      await click(page, at, rx, ry);
      await click(page, at, lx, ly);
      await settle(page);
    }, "ready", [800, 600], { size: [800, 600], picture: "price-plan-driven.png" });
    // month | B1,B2 | profit | summary | trend | scenario status
    const planned = reports(sample, "state");
    expect("sample at start", planned[0], "Jan|12,1000|5000|Profit at $12.00 a unit: $5,000|0|");
    expect("sample after the next month", planned.find((x) => x.startsWith("Feb|") && x.endsWith("|")),
      "Feb|11,1100|4400|Profit at $11.00 a unit: $4,400|-1|");
    expect("sample's month after", planned.some((x) => x.startsWith("Mar|12,1000|5000|")), true);
    expect("sample's plan loaded back", planned.at(-1), "Mar|11,1100|4400|Profit at $11.00 a unit: $4,400|-1|Loaded feb");

    // The selectors' insert options: the combo box inserts Cocoa's whole row into the chosen
    // product's row, the menu the value beside Apr, its fourth month, into the month's cell.
    const selectors = await drive("selector-report.swf", async (page, [ax, ay, cx, cy, mx, my, ix, iy], at) => {
      await click(page, at, ax, ay);
      await settle(page);
      await click(page, at, cx, cy);
      await settle(page);
      await click(page, at, mx, my);
      await settle(page);
      await click(page, at, ix, iy);
      await settle(page);
    }, "ready", [800, 600], { size: [800, 600], picture: "selector-report-driven.png" });
    const chosen = reports(selectors, "state");
    expect("selector sample at start", chosen[0], "Coffee,120,132,128,141,150,158|1|Coffee in Jan: 120 units");
    expect("selector sample after Cocoa and Apr", chosen.at(-1), "Cocoa,60,55,48,40,35,31|4|Cocoa in Apr: 40 units");

    // The what-if sample: High puts 0.1 into the growth, Reset (its On value) 0.05 back.
    const whatIf = await drive("what-if-planner.swf", async (page, [hx, hy, rx, ry], at) => {
      await click(page, at, hx, hy);
      await settle(page);
      await click(page, at, rx, ry);
      await settle(page);
    }, "ready", [800, 600], { size: [800, 600] });
    // The connection sample loads the prices shipped beside it as it starts, on a page beside it.
    const prices = await drive("data-connection.swf", async (page) => { await page.waitForTimeout(1500); }, "ready",
      [800, 600], { size: [800, 600] });
    expect("connection sample's prices loaded", reports(prices, "state").at(-1),
      "Loaded 1 range|8.45,2.41,2.76,17.1|Stock worth $3,183");
    // A field of the states, each change once (the radio buttons redraw a frame after Reset).
    const whatIfSteps = (field) => reports(whatIf, "state").map((x) => x.split("|")[field])
      .filter((v, k, all) => k == 0 || v !== all[k - 1]).join(" ");
    expect("what-if growth at start, after High and after Reset", whatIfSteps(1), "0.05 0.1 0.05");
    // The radio buttons follow what Reset wrote into their cell: back on Medium.
    expect("what-if chosen growth at start, after High and after Reset", whatIfSteps(2), "1 2 1");
  });
} finally {
  server.close();
  fs.rmSync(out, { recursive: true, force: true });
}
finish();
