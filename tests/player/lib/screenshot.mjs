// Writes a PNG of a movie as Ruffle draws it at its stage size after its first second:
//   node tests/player/lib/screenshot.mjs <movie.swf> <picture.png>
import fs from "node:fs";
import path from "node:path";
import { withPlayer } from "./ruffle.mjs";
import { inflateMovie } from "./swfcheck.mjs";

const [movie, picture] = process.argv.slice(2);
if (!movie || !picture) {
  console.error("usage: node screenshot.mjs <movie.swf> <picture.png>");
  process.exit(2);
}

// The stage rectangle of the header, in pixels: 5-bit field size, then xmin, xmax, ymin, ymax.
function stageSize(file) {
  const bytes = inflateMovie(fs.readFileSync(file));
  const bits = bytes[8] >> 3;
  let at = 5;
  const field = () => {
    let value = 0;
    for (let i = 0; i < bits; ++i, ++at) value = value * 2 + ((bytes[8 + (at >> 3)] >> (7 - (at & 7))) & 1);
    return value;
  };
  const [xmin, xmax, ymin, ymax] = [field(), field(), field(), field()];
  return [Math.round((xmax - xmin) / 20), Math.round((ymax - ymin) / 20)];
}

await withPlayer(path.dirname(path.resolve(movie)), async (run) => {
  await run(path.basename(movie), { until: "never", timeoutMs: 1500, screenshot: path.resolve(picture),
    size: stageSize(movie) });
});
