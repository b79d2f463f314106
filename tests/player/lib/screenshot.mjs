// Writes a PNG of a movie as Ruffle draws it after its first second:
//   node tests/player/lib/screenshot.mjs <movie.swf> <picture.png>
import path from "node:path";
import { withPlayer } from "./ruffle.mjs";

const [movie, picture] = process.argv.slice(2);
if (!movie || !picture) {
  console.error("usage: node screenshot.mjs <movie.swf> <picture.png>");
  process.exit(2);
}
await withPlayer(path.dirname(path.resolve(movie)), async (run) => {
  await run(path.basename(movie), { until: "never", timeoutMs: 1500, screenshot: path.resolve(picture) });
});
