// The colour of one page pixel as "#rrggbb", read from a 1 x 1 screenshot: a one-pixel PNG row
// decodes to its bytes whatever filter it names, since every predictor of a first pixel is 0.
import zlib from "node:zlib";

export async function pixelAt(page, x, y) {
  const png = await page.screenshot({ clip: { x: Math.round(x), y: Math.round(y), width: 1, height: 1 } });
  const chunks = [];
  let at = 8;
  while (at < png.length) {
    const length = png.readUInt32BE(at);
    const type = png.toString("latin1", at + 4, at + 8);
    if (type === "IDAT") chunks.push(png.subarray(at + 8, at + 8 + length));
    at += 12 + length;
  }
  const row = zlib.inflateSync(Buffer.concat(chunks));
  return "#" + [row[1], row[2], row[3]].map((b) => b.toString(16).padStart(2, "0")).join("");
}
