// Independent, strict reading of SWF files for the player checks.
//
// Usage (from a tests/player/<name>.test.mjs):
//   import { checkMovie } from "./lib/swfcheck.mjs";
//   const { problems, movie } = checkMovie(fs.readFileSync(file));
//   // problems: [] when the file is sound; movie: swf-parser's reading ({header, tags}).
// checkMovie parses with swf-parser (and every DoAction/DoInitAction with avm1-parser), then
// applies the checks those lenient parsers skip: the header length against the real length,
// tags that fit, the End tag at the very last byte, ShowFrame count against the frame count,
// actions that use exactly their declared length, an End action at the last byte of each
// action block, function bodies that end inside their block on an action boundary, jump
// targets that are action starts, no unknown action codes. Sprites are checked the same way.
import zlib from "node:zlib";
import { parseSwf } from "swf-parser";
import { Avm1Parser } from "avm1-parser";
import { ActionType } from "avm1-types/action-type";

const TAG_SHOW_FRAME = 1;
const TAG_DO_ACTION = 12;
const TAG_DEFINE_SPRITE = 39;
const TAG_DO_INIT_ACTION = 59;

// The uncompressed file (header included) or throws.
export function inflateMovie(bytes) {
  const sig = String.fromCharCode(bytes[0], bytes[1], bytes[2]);
  if (sig === "FWS") return Buffer.from(bytes);
  if (sig !== "CWS") throw new Error(`bad signature ${JSON.stringify(sig)}`);
  const body = zlib.inflateSync(Buffer.from(bytes.subarray(8)));
  return Buffer.concat([Buffer.from("FWS"), Buffer.from(bytes.subarray(3, 8)), body]);
}

function rectSize(buf, at) {
  const nbits = buf[at] >> 3;
  return Math.ceil((5 + 4 * nbits) / 8);
}

// Checks one action block (a DoAction body, or what follows a DoInitAction's sprite id).
export function strictActions(code, where, problems) {
  const starts = new Set();
  const jumps = [];
  const functionEnds = [];
  const parser = new Avm1Parser(code);
  let pos = 0;
  let sawEnd = false;
  while (pos < code.length) {
    const op = code[pos];
    let size = 1;
    if (op >= 0x80) {
      if (pos + 3 > code.length) { problems.push(`${where}: action 0x${op.toString(16)} at ${pos} cut off`); return; }
      size = 3 + (code[pos + 1] | (code[pos + 2] << 8));
    }
    if (pos + size > code.length) { problems.push(`${where}: action 0x${op.toString(16)} at ${pos} runs past the block`); return; }
    starts.add(pos);
    let action;
    try {
      if (parser.getBytePos() !== pos) problems.push(`${where}: avm1-parser is at ${parser.getBytePos()}, expected ${pos}`);
      action = parser.readNext();
    } catch (e) {
      problems.push(`${where}: avm1-parser failed at ${pos}: ${e.message}`);
      return;
    }
    if (parser.getBytePos() !== pos + size)
      problems.push(`${where}: ${ActionType[action.action]} at ${pos} declares ${size} bytes, reads ${parser.getBytePos() - pos}`);
    if (action.action === ActionType.Raw) problems.push(`${where}: unknown action code 0x${op.toString(16)} at ${pos}`);
    if (op === 0x00) {
      if (pos !== code.length - 1) problems.push(`${where}: End before the last byte (at ${pos} of ${code.length})`);
      sawEnd = true;
      break;
    }
    if (op === 0x9b) {
      const end = pos + size + action.bodySize;
      if (end > code.length - 1) problems.push(`${where}: function ${action.name || "(anonymous)"} body (${action.bodySize}) runs past the block`);
      functionEnds.push({ name: action.name, end });
    }
    if (op === 0x99 || op === 0x9d) jumps.push({ from: pos, target: pos + size + action.offset });
    pos += size;
  }
  if (!sawEnd) problems.push(`${where}: no End action`);
  for (const f of functionEnds)
    if (!starts.has(f.end) && f.end !== code.length) problems.push(`${where}: function ${f.name} body ends inside an action`);
  for (const j of jumps)
    if (!starts.has(j.target)) problems.push(`${where}: jump at ${j.from} to ${j.target}, not an action start`);
}

// Walks a tag stream from `at` to `end`; returns the ShowFrame count.
function strictTags(buf, at, end, where, problems, depth) {
  let frames = 0;
  let pos = at;
  for (;;) {
    if (pos + 2 > end) { problems.push(`${where}: no End tag`); return frames; }
    const header = buf.readUInt16LE(pos);
    const code = header >> 6;
    let length = header & 0x3f;
    let bodyAt = pos + 2;
    if (length === 0x3f) {
      if (pos + 6 > end) { problems.push(`${where}: long tag header cut off at ${pos}`); return frames; }
      length = buf.readUInt32LE(pos + 2);
      bodyAt = pos + 6;
    }
    if (bodyAt + length > end) { problems.push(`${where}: tag ${code} at ${pos} (${length} bytes) overruns`); return frames; }
    const body = buf.subarray(bodyAt, bodyAt + length);
    if (code === 0) {
      if (bodyAt + length !== end) problems.push(`${where}: bytes after the End tag (${end - bodyAt - length})`);
      return frames;
    }
    if (code === TAG_SHOW_FRAME) frames++;
    if (code === TAG_DO_ACTION) strictActions(body, `${where} DoAction@${pos}`, problems);
    if (code === TAG_DO_INIT_ACTION) strictActions(body.subarray(2), `${where} DoInitAction@${pos}`, problems);
    if (code === TAG_DEFINE_SPRITE) {
      if (depth > 0) problems.push(`${where}: sprite inside a sprite at ${pos}`);
      const declared = body.readUInt16LE(2);
      const spriteFrames = strictTags(buf, bodyAt + 4, bodyAt + length, `${where} sprite@${pos}`, problems, depth + 1);
      if (spriteFrames !== declared) problems.push(`${where} sprite@${pos}: says ${declared} frames, has ${spriteFrames} ShowFrame tags`);
    }
    pos = bodyAt + length;
  }
}

export function strictFile(bytes) {
  const problems = [];
  let buf;
  try { buf = inflateMovie(bytes); } catch (e) { return [`cannot inflate: ${e.message}`]; }
  const declared = buf.readUInt32LE(4);
  if (declared !== buf.length) problems.push(`header length ${declared}, actual ${buf.length}`);
  const rectEnd = 8 + rectSize(buf, 8);
  const frameCount = buf.readUInt16LE(rectEnd + 2);
  const frames = strictTags(buf, rectEnd + 4, buf.length, "movie", problems, 0);
  if (frames !== frameCount) problems.push(`header says ${frameCount} frames, ${frames} ShowFrame tags`);
  return problems;
}

export function checkMovie(bytes) {
  const data = new Uint8Array(bytes);
  let movie = null;
  const problems = [];
  try { movie = parseSwf(data); } catch (e) { problems.push(`swf-parser: ${e.message}`); }
  problems.push(...strictFile(data));
  return { problems, movie };
}
