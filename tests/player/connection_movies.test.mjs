// Movies that load their data at run time through the loader asset, and one that answers the
// designer's data query through the scenario asset (written by make_connection_movies), played
// in Ruffle. The data come from the folder the player serves and from a web service of our
// own on 127.0.0.1.
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import http from "node:http";
import { execFileSync } from "node:child_process";
import { checkMovie } from "./lib/swfcheck.mjs";
import { withPlayer, playerProblems } from "./lib/ruffle.mjs";
import { tally } from "./lib/tally.mjs";

const { check, finish } = tally();

// A web service answering in the text form; every request gets the next answer (the last one
// repeats), so a refresh shows.
function startService(answers) {
  const requests = [];
  const server = http.createServer((req, res) => {
    requests.push(req.url);
    const body = answers[Math.min(requests.length - 1, answers.length - 1)];
    res.writeHead(200, { "content-type": "text/plain", "access-control-allow-origin": "*" });
    res.end(body);
  });
  return new Promise((resolve) => server.listen(0, "127.0.0.1", () => resolve({ server, requests })));
}

// Our assets' marker tag goes out with them by design; players skip it with a warning.
function problemsOf(result) {
  return playerProblems(result).filter((p) => !p.includes("Unknown tag code: 666"));
}

function fscommands(result, cmd) {
  return result.events.filter((e) => e.kind === "fscommand" && (cmd === undefined || e.cmd === cmd));
}

const folder = fs.mkdtempSync(path.join(os.tmpdir(), "vantorel-connection-"));
const service = await startService(["V1=10&V2=0.5&kvCalc=1", "V1=20&V2=0.5"]);
try {
  execFileSync(process.env.MOVIE_MAKER, [folder], { stdio: "inherit" });
  fs.writeFileSync(path.join(folder, "prices.xml"),
    "<data>\r\n <variable name=\"prices\">\r\n  <row>\r\n   <column>2</column>\r\n   <column>3.5</column>\r\n" +
    "  </row>\r\n </variable>\r\n <variable name=\"names\">\r\n  <row>\r\n   <column>a &amp; b</column>\r\n  </row>\r\n" +
    "  <row>\r\n   <column>010</column>\r\n  </row>\r\n </variable>\r\n</data>");
  fs.writeFileSync(path.join(folder, "quotes.xml"),
    "<x:book xmlns:x=\"urn:quotes\"><x:quote price=\"2\"><name>alpha</name></x:quote>" +
    "<o:quote xmlns:o=\"urn:other\" price=\"100\"><name>other</name></o:quote>" +
    "<x:quote price=\"3.5\"><name>beta</name></x:quote></x:book>");

  for (const name of ["service_xml.swf", "service_pairs.swf", "xml_maps.swf", "scenario_query.swf", "collab.swf"]) {
    const { problems } = checkMovie(fs.readFileSync(path.join(folder, name)));
    check(`strict reading of ${name}`, problems);
  }

  await withPlayer(folder, async (run) => {
    // Each recalculation reports "V3=<value>" with V4|V5|V6; the first one runs before any answer.
    const reported = (r, cmd) => fscommands(r, cmd).map((e) => e.args);

    // XML answer by range entry; "010" is ten, never octal eight.
    let r = await run("service_xml.swf", { until: "V3=5.5" });
    let problems = problemsOf(r);
    if (reported(r, "V3=5.5")[0] !== "a & b|10|") problems.push(`names ${JSON.stringify(reported(r, "V3=5.5"))}`);
    check("a web service's XML answer fills the range entries and recalculates", problems);

    // Text answer from the URL in cell V9, reloaded after a second; only cells are written.
    const url = `http://127.0.0.1:${service.server.address().port}/feed`;
    r = await run("service_pairs.swf", { until: "V3=20.5", vars: `V9=${encodeURIComponent(url)}`, timeoutMs: 8000 });
    problems = problemsOf(r);
    if (reported(r, "V3=10.5").length === 0) problems.push("the first answer (V3=10.5) was never calculated");
    if (service.requests.length < 2) problems.push(`${service.requests.length} requests to the service`);
    check("a web service at a cell's URL is read and refreshed", problems);

    // XPaths with a prefix bound through kvXMLNS, whatever prefix the document uses; a
    // position counts the matches among one parent's children.
    r = await run("xml_maps.swf", { until: "V3=5.5" });
    problems = problemsOf(r);
    if (reported(r, "V3=5.5")[0] !== "alpha|beta|beta") problems.push(`names ${JSON.stringify(reported(r, "V3=5.5"))}`);
    check("an XML map fills its ranges through its XPaths", problems);

    r = await run("scenario_query.swf", { until: "end" });
    problems = problemsOf(r);
    const replies = fscommands(r).filter((e) => e.cmd !== "end").map((e) => `${e.cmd} ${e.args}`.trimEnd());
    const done = replies.indexOf("done");
    const cells = ["data V1 number 3.5", "data V2 string abc def", "data V3 boolean true", "data V4 undefined"];
    const full = new Set(["cmp Chart_1 title Sales by region", "cmp2 Chart_1 General min 5", ...cells]);
    const answer1 = replies.slice(0, done);
    const answer2 = replies.slice(done + 1, replies.length - 1);
    if (done < 0 || replies[replies.length - 1] !== "done") problems.push(`replies ${JSON.stringify(replies)}`);
    else {
      if (answer1.length !== full.size || !answer1.every((x) => full.has(x))) problems.push(`GetData ${JSON.stringify(answer1)}`);
      if (answer2.length !== cells.length || !answer2.every((x) => cells.includes(x))) problems.push(`GetData2 ${JSON.stringify(answer2)}`);
    }
    check("the scenario frames answer the data query", problems);

    r = await run("collab.swf", { until: "collab" });
    problems = problemsOf(r);
    const collab = fscommands(r, "collab")[0];
    const expected = "function rtmp://gw.test/app movieclip";
    if (!collab || collab.args !== expected) problems.push(`collab ${JSON.stringify(collab && collab.args)}, expected "${expected}"`);
    check("the collaboration clip makes the connection the first frame sets up", problems);
  });
} catch (e) {
  check("connection movie checks ran", [String(e && e.stack || e)]);
} finally {
  service.server.close();
  fs.rmSync(folder, { recursive: true, force: true });
}
finish();
