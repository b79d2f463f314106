// Plays every help movie of the installation (asset/help: the two tutorials and one movie per
// component and variant) in Ruffle: each loads and plays without a player error and draws
// something besides its background. Every component symbol and every choice of its insert
// option (or play order) has its movie. A PNG of each movie goes into <build>/test-output/help.
// A movie is a live dashboard: for some of them a person's drag or click on the component (or
// on the slider that drives a component which only shows its cells) changes what the bound
// cells show; pictures before and after go beside the others. A tutorial starts at the scene
// its variable kvStartAt names (pictures of some go beside the others too), and its buttons go
// on a scene, back a scene and pause it.
import fs from "node:fs";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { readPng } from "./lib/png.mjs";
import { tally } from "./lib/tally.mjs";
import { fileURLToPath } from "node:url";

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

  // Where a person acts on a movie, and which component is seen to change.
  const descriptions = path.join(path.dirname(fileURLToPath(import.meta.url)), "..", "..", "tools", "help", "movies");
  const slide = (part, from) => async (page, at) => {
    // A slider's thumb sits over its track at the value's share of 0 to 100.
    const [x, y] = [part.x + 8 + (part.width - 16) * from / 100, part.y + 26];
    await page.mouse.move(...at(x, y));
    await page.mouse.down();
    for (let i = 1; i <= 10; ++i) await page.mouse.move(...at(x + 10 * i, y));
    await page.mouse.up();
  };
  const press = (part, dx, dy) => async (page, at) => { await page.mouse.click(...at(part.x + dx, part.y + dy)); };
  const cases = [
    { movie: "KVSliderHSymbol", act: (p) => slide(p.Shown, 40), watch: "Effect" },
    { movie: "KVGaugeSymbol", act: (p) => slide(p.Driver, 40), watch: "Shown" },
    { movie: "KVProgressBarHSymbol", act: (p) => slide(p.Driver, 40), watch: "Shown" },
    { movie: "KVLabelCompSymbol", act: (p) => slide(p.Driver, 40), watch: "Shown" },
    { movie: "KVColumnChartSymbol", act: (p) => slide(p.Driver, 42), watch: "Shown" },
    { movie: "KVCheckBoxSymbol_value", act: (p) => press(p.Shown, 10, p.Shown.height / 2), watch: "Effect" },
    { movie: "KVComboBoxSymbol", act: (p) => async (page, at) => {
      await press(p.Shown, p.Shown.width / 2, p.Shown.height / 2)(page, at);
      await page.waitForTimeout(300);
      await press(p.Shown, p.Shown.width / 2, p.Shown.height + 48)(page, at);
    }, watch: "Effect" },
  ];
  const crop = (png, part) => {
    const { pixels, channels, width } = readPng(png);
    const out = [];
    for (let y = part.y; y < part.y + part.height; ++y)
      for (let x = part.x; x < part.x + part.width; ++x)
        for (let c = 0; c < 3; ++c) out.push(pixels[(y * width + x) * channels + c]);
    return out;
  };
  // The tutorials, started at some of their scenes: each draws, and differs from the others.
  // The two tutorials side by side, then the help movies four at a time.
  await Promise.all(["tutorial1", "tutorial2"].map(async (tutorial) => {
    // One start after another: five players at once on a busy machine may show a scene late,
    // when the picture has been taken.
    const seen = [];
    for (const step of [1, 7, 13, 19, 24]) seen.push(await (async () => {
      const picture = path.join(pictures, `${tutorial}-step${String(step).padStart(2, "0")}.png`);
      const result = await run(`${tutorial}.swf`, { until: "never", vars: `kvStartAt=${step}`, timeoutMs: 5000,
        size: [550, 400], screenshot: picture });
      check(`${tutorial}.swf started at scene ${step} plays without a player error`,
        result.events.filter((e) => e.kind === "loaderror" || (e.kind === "ruffle-log" && e.level === "ERROR")).map((e) => e.msg));
      return fs.existsSync(picture) ? fs.readFileSync(picture) : null;
    })());
    const captions = seen.map((png) => png && JSON.stringify(crop(png, { x: 0, y: 314, width: 440, height: 80 })));
    check(`${tutorial}.swf starts at the scene asked for`,
      new Set(captions.filter(Boolean)).size === captions.length ? [] : ["two starting scenes show the same caption"]);

    // Paused, nothing moves; Next shows another scene, Back the one before again.
    const shots = {};
    const result = await run(`${tutorial}.swf`, { until: "never", vars: "kvStartAt=4", timeoutMs: 12000, size: [550, 400],
      actAtMs: 2500, act: async (page) => {
        const player = page.locator("#c");
        const box = await player.boundingBox();
        const press = async (x) => { await page.mouse.click(box.x + x, box.y + 355); await page.waitForTimeout(1200); };
        // A screenshot on a busy machine may catch a frame half drawn: shots are taken until two
        // in a row agree (a paused tutorial stands still), the last of them kept.
        const shot = async (name) => {
          const file = path.join(pictures, `${tutorial}-${name}.png`);
          let last = await player.screenshot({ path: file });
          for (let tries = 0; tries < 8; ++tries) {
            await page.waitForTimeout(250);
            const next = await player.screenshot({ path: file });
            if (next.equals(last)) break;
            last = next;
          }
          shots[name] = last;
        };
        await press(498);
        await shot("paused");
        await page.waitForTimeout(1500);
        await shot("still-paused");
        await press(530);
        await shot("next");
        await press(466);
        await shot("back");
      } });
    check(`${tutorial}.swf plays on while its buttons are pressed`,
      result.events.filter((e) => e.kind === "ruffle-log" && e.level === "ERROR").map((e) => e.msg));
    if (Object.keys(shots).length < 4) { check(`${tutorial}.swf's buttons were pressed`, ["the player never got that far"]); return; }
    const whole = { x: 0, y: 0, width: 550, height: 400 }, caption = { x: 0, y: 314, width: 550, height: 80 };
    const same = (a, b, part) => JSON.stringify(crop(shots[a], part)) === JSON.stringify(crop(shots[b], part));
    check(`${tutorial}.swf stands still while paused`, same("paused", "still-paused", whole) ? [] : ["the picture changed while paused"]);
    check(`${tutorial}.swf goes on a scene`, same("paused", "next", caption) ? ["the caption stayed after Next"] : []);
    check(`${tutorial}.swf goes back a scene`, same("paused", "back", caption) ? [] : ["Back did not return to the scene before Next"]);
  }));

  const actOn = async ({ movie, act, watch }) => {
    const description = JSON.parse(fs.readFileSync(path.join(descriptions, `${movie}.json`), "utf8"));
    const parts = Object.fromEntries(description.components.map((c) => [c.name, c]));
    let before = null, after = null;
    const result = await run(`${movie}.swf`, { until: "never", timeoutMs: 5000, size: [400, 300], actAtMs: 2000,
      act: async (page) => {
        const player = page.locator("#c");
        const box = await player.boundingBox();
        before = await player.screenshot({ path: path.join(pictures, `${movie}-before.png`) });
        await act(parts)(page, (x, y) => [box.x + x, box.y + y]);
        await page.waitForTimeout(1000);
        after = await player.screenshot({ path: path.join(pictures, `${movie}-after.png`) });
      } });
    check(`${movie}.swf plays on while a person acts on it`,
      result.events.filter((e) => e.kind === "ruffle-log" && e.level === "ERROR").map((e) => e.msg));
    if (!before || !after) { check(`${movie}.swf was acted on`, ["the player never got that far"]); return; }
    const [a, b] = [crop(before, parts[watch]), crop(after, parts[watch])];
    const changed = a.filter((v, i) => Math.abs(v - b[i]) > 24).length / a.length;
    check(`${movie}.swf: ${watch} follows the person's move`,
      changed > 0.002 ? [] : [`${watch} looks the same after the move (${(changed * 100).toFixed(2)}% changed)`]);
  };
  for (let at = 0; at < cases.length; at += 4) await Promise.all(cases.slice(at, at + 4).map(actOn));
});
finish();
