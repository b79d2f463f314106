// Plays every help movie of the installation (asset/help: the two tutorials and one movie per
// component and variant) in Ruffle: each loads and plays without a player error and draws
// something besides its background. Every component symbol and every choice of its insert
// option (or play order) has its movie. A PNG of each movie goes into <build>/test-output/help.
import fs from "node:fs";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { readPng } from "./lib/png.mjs";
import { tally } from "./lib/tally.mjs";

const { check, finish } = tally();
const install = process.env.VANTOREL_INSTALL_DIR;
const folder = path.join(install, "asset", "help");
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || ".", "test-output", "help");
fs.mkdirSync(pictures, { recursive: true });

// The movies the designer asks for: <symbol>.swf, and <symbol>_<choice>.swf for each choice of
// a choice-typed "retInfo" (else "playBy") in the component's default file.
function expectedMovies() {
  const names = ["tutorial1", "tutorial2"];
  const defaults = path.join(install, "component", "default");
  for (const file of fs.readdirSync(defaults).filter((f) => f.endsWith(".xml"))) {
    const symbol = file.slice(0, -4);
    names.push(symbol);
    const text = fs.readFileSync(path.join(defaults, file), "utf8");
    for (const key of ["retInfo", "playBy"]) {
      const param = new RegExp(`<param name="${key}" type="6"[^>]*>(.*?)</param>`).exec(text);
      if (!param) continue;
      for (const [, choice] of param[1].matchAll(/<choice>([^<]*)<\/choice>/g)) names.push(`${symbol}_${choice}`);
      break;
    }
  }
  return names;
}

// Pixels that differ from the most common colour (the background) by more than a shade.
function drawnShare(picture) {
  const { pixels, channels } = picture;
  const counts = new Map();
  for (let i = 0; i < pixels.length; i += channels) {
    const key = (pixels[i] << 16) | (pixels[i + 1] << 8) | pixels[i + 2];
    counts.set(key, (counts.get(key) || 0) + 1);
  }
  const background = [...counts.entries()].sort((a, b) => b[1] - a[1])[0][0];
  const [r, g, b] = [background >> 16, (background >> 8) & 0xff, background & 0xff];
  let drawn = 0;
  for (let i = 0; i < pixels.length; i += channels)
    if (Math.abs(pixels[i] - r) + Math.abs(pixels[i + 1] - g) + Math.abs(pixels[i + 2] - b) > 24) ++drawn;
  return drawn / (pixels.length / channels);
}

const expected = expectedMovies();
const shipped = new Set(fs.existsSync(folder) ? fs.readdirSync(folder).filter((f) => f.endsWith(".swf")).map((f) => f.slice(0, -4)) : []);
check("every help movie is shipped", expected.filter((name) => !shipped.has(name)).map((name) => `${name}.swf is missing`));

// Four pages at a time: most of a movie's time is the wait before its picture is taken. On a
// busy machine a movie may not have drawn yet when its picture is taken: it is played once more,
// alone and for longer, before it is judged.
await withPlayer(folder, async (run) => {
  const play = async (name, wait) => {
    const picture = path.join(pictures, `${name}.png`);
    const result = await run(`${name}.swf`, { until: "never", timeoutMs: wait, screenshot: picture,
      size: name.startsWith("tutorial") ? [640, 480] : [400, 300] });
    const problems = result.events.filter((e) => e.kind === "loaderror" || (e.kind === "ruffle-log" && e.level === "ERROR"))
      .map((e) => e.msg);
    const share = fs.existsSync(picture) ? drawnShare(readPng(fs.readFileSync(picture))) : 0;
    return { problems, share };
  };
  const judge = (name, { problems, share }) => {
    check(`${name}.swf plays without a player error`, problems);
    check(`${name}.swf draws something`, share > 0.02 ? [] : [`only ${(share * 100).toFixed(1)}% of it differs from its background`]);
  };
  const names = expected.filter((n) => shipped.has(n));
  const again = [];
  for (let at = 0; at < names.length; at += 4) await Promise.all(names.slice(at, at + 4).map(async (name) => {
    // A tutorial is looked at a few seconds in, once its first scenes have been drawn.
    const seen = await play(name, name.startsWith("tutorial") ? 4000 : 1500);
    if (seen.problems.length === 0 && seen.share <= 0.02) again.push(name);
    else judge(name, seen);
  }));
  for (const name of again) judge(name, await play(name, 6000));
});
finish();
