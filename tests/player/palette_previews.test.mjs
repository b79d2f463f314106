// The palette's previews: the installation ships asset/<symbol><look>.swf for every component
// (a default file under component/default) in every look (a folder under component/ but the
// defaults, numbered in name order as the catalogue reads them). A few of them, of different
// kinds, play in Ruffle at the preview box's size without a player error and draw the
// component; their PNGs go into <build>/test-output/palette.
import fs from "node:fs";
import path from "node:path";
import { withPlayer } from "./lib/ruffle.mjs";
import { guard } from "./lib/patience.mjs";
import { readPng } from "./lib/png.mjs";
import { tally } from "./lib/tally.mjs";

const { check, finish } = tally();
const install = process.env.VANTOREL_INSTALL_DIR;
const folder = path.join(install, "asset");
const pictures = path.join(process.env.VANTOREL_BINARY_DIR || ".", "test-output", "palette");
fs.mkdirSync(pictures, { recursive: true });

const components = path.join(install, "component");
const looks = fs.readdirSync(components).filter((f) => f !== "default" && fs.statSync(path.join(components, f)).isDirectory());
const symbols = fs.readdirSync(path.join(components, "default")).filter((f) => f.endsWith(".xml")).map((f) => f.slice(0, -4));
check("the catalogue has a look and components", looks.length > 0 && symbols.length > 40 ? [] : [`${looks.length} looks, ${symbols.length} components`]);
const missing = [];
for (let look = 0; look < looks.length; ++look)
  for (const symbol of symbols) if (!fs.existsSync(path.join(folder, `${symbol}${look}.swf`))) missing.push(`${symbol}${look}.swf`);
check("every component has its preview in every look", missing);

// Pixels that differ from white, the previews' paper, by more than a shade.
function drawnShare(picture) {
  const { pixels, channels } = picture;
  let drawn = 0;
  for (let i = 0; i < pixels.length; i += channels)
    if (765 - pixels[i] - pixels[i + 1] - pixels[i + 2] > 24) ++drawn;
  return drawn / (pixels.length / channels);
}

const played = ["KVGaugeSymbol0", "KVColumnChartSymbol0", "KVSliderHSymbol0", "KVComboBoxSymbol0", "KVMapUSASymbol0", "KVGridSymbol0", "KVDialSymbol0"];
await withPlayer(folder, async (run) => {
  const play = async (name, wait) => {
    const picture = path.join(pictures, `${name}.png`);
    const result = await run(`${name}.swf`, { until: "never", timeoutMs: wait, screenshot: picture, size: [210, 100] });
    const problems = result.events.filter((e) => e.kind === "loaderror" || (e.kind === "ruffle-log" && e.level === "ERROR"))
      .map((e) => e.msg);
    return { problems, share: fs.existsSync(picture) ? drawnShare(readPng(fs.readFileSync(picture))) : 0 };
  };
  for (let at = 0; at < played.length; at += 3) await Promise.all(played.slice(at, at + 3).map(async (name) => {
    // On a busy machine a movie may not have drawn yet: it is played again, for longer each time,
    // up to the patience a busy machine is given. A small gauge in the platform's thin faces
    // inks about 3 % of its picture; a movie that drew nothing inks none.
    let seen = await play(name, 1500);
    for (const wait of [6000, guard(6000)])
      if (seen.problems.length === 0 && seen.share <= 0.015) seen = await play(name, wait);
    check(`${name}.swf plays without a player error`, seen.problems);
    check(`${name}.swf draws its component`, seen.share > 0.015 ? [] : [`only ${(seen.share * 100).toFixed(1)}% of it is drawn`]);
  }));
});
finish();
