// Drives a movie with the player's mouse and keyboard once it tells where its inputs are.
//
// Usage (inside withPlayer):
//   const drive = driver(run, { pictures: folderForPngs, fail });
//   const result = await drive("movie.swf", async (page, numbers, at) => { await click(page, at, 10, 20); });
//   reports(result, "state")   // the texts the movie sent with fscommand("state", ...), in order
// The movie sends fscommand(command, "x,y,...") (default "ready") when it is drawn; act gets the
// numbers of that report and at(x, y), which maps a point of the stage (shown whole and centred
// in the player's element) to the page. Then a PNG of the player goes into pictures (named after
// the movie, or options.picture) and the run ends; the player's problems are failures. Options:
// vars (the movie's parameters), size (the player's [width, height]), picture.
import path from "node:path";
import { playerProblems } from "./ruffle.mjs";
import { guard } from "./patience.mjs";

export const reports = (result, cmd) =>
  result.events.filter((e) => e.kind === "fscommand" && e.cmd === cmd).map((e) => e.args);

export async function click(page, at, x, y) {
  await page.mouse.click(...at(x, y));
  await page.waitForTimeout(250);
}

// Waits until the movie has sent nothing for quietMs (at most timeoutMs): the model has
// recalculated and the components have drawn what an input changed, however slow the machine.
export async function settle(page, quietMs = 400, timeoutMs = 5000) {
  const started = Date.now();
  let seen = -1;
  for (;;) {
    const count = await page.evaluate(() => window.__events.length);
    if (count === seen || Date.now() - started > guard(timeoutMs)) return;
    seen = count;
    await page.waitForTimeout(quietMs);
  }
}

// A picture of each component the movie named in its "boxes" report ("name:x:y:w:h" joined by
// ","), as <folder>/<prefix>-<name>.png.
export async function pictureEach(page, at, folder, prefix) {
  const events = await page.evaluate(() => window.__events);
  const boxes = events.filter((e) => e.kind === "fscommand" && e.cmd === "boxes").map((e) => e.args)[0] || "";
  for (const box of boxes.split(",").filter(Boolean)) {
    const [name, x, y, w, h] = box.split(":");
    const [px, py] = at(Number(x), Number(y));
    const [qx, qy] = at(Number(x) + Number(w), Number(y) + Number(h));
    if (qx - px < 2 || qy - py < 2) continue;
    await page.screenshot({ path: path.join(folder, `${prefix}-${name}.png`), clip: { x: px, y: py, width: qx - px, height: qy - py } });
  }
}

export function driver(run, { pictures, fail }) {
  return async (movie, act, command = "ready", stage = [400, 300], options = {}) => {
    const result = await run(movie, {
      until: "done",
      timeoutMs: 20000,
      vars: options.vars || "",
      size: options.size || null,
      onCommand: {
        [command]: async (page, args) => {
          const box = await page.locator("#c > *").first().boundingBox();
          const scale = Math.min(box.width / stage[0], box.height / stage[1]);
          const at = (sx, sy) => [box.x + (box.width - stage[0] * scale) / 2 + sx * scale,
            box.y + (box.height - stage[1] * scale) / 2 + sy * scale];
          await act(page, args.split(/[,/]/).map(Number), at);
          await page.waitForTimeout(300);
          const picture = options.picture || movie.replace(".swf", ".png");
          await page.screenshot({ path: path.join(pictures, picture), clip: { ...box } });
          await page.evaluate(() => { document.title = "FINISHED"; });
        },
      },
    });
    for (const p of playerProblems(result)) fail(`player: ${p}`);
    return result;
  };
}
