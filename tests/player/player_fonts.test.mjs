// Reads the player page's device fonts (install/player/fonts, drawn by the build from the
// Liberation faces) with the independent SWF reader: each file is a sound movie holding one
// font under the common family's name the page's defaultFonts give, flagged bold and italic as
// its face is, with the glyphs of the Latin letters, digits and signs a dashboard prints; a
// bold face's line of text runs wider than the regular one's, which is what a person sees.
import fs from "node:fs";
import path from "node:path";
import { checkMovie } from "./lib/swfcheck.mjs";
import { tally } from "./lib/tally.mjs";

const folder = path.join(process.env.VANTOREL_INSTALL_DIR || "install", "player", "fonts");
const { check, finish } = tally();
const names = { Sans: "Arial", Serif: "Times New Roman", Mono: "Courier New" };
const needed = [..."AZaz09 .,%$€£¥éüßñçÅØ-+()/:"].map((c) => c.codePointAt(0));

const fonts = {};
for (const [family, name] of Object.entries(names)) {
  for (const style of ["Regular", "Bold", "Italic", "BoldItalic"]) {
    const file = `Liberation${family}-${style}.swf`;
    const problems = [];
    let font = null;
    if (!fs.existsSync(path.join(folder, file))) problems.push(`${file} is missing from ${folder}`);
    else {
      const read = checkMovie(fs.readFileSync(path.join(folder, file)));
      problems.push(...read.problems);
      const tags = (read.movie?.tags || []).filter((t) => t.fontName !== undefined);
      if (tags.length !== 1) problems.push(`${tags.length} fonts, not one`);
      font = tags[0] || null;
    }
    if (font) {
      if (font.fontName !== name) problems.push(`named ${JSON.stringify(font.fontName)}, not ${JSON.stringify(name)}`);
      if (font.isBold !== style.includes("Bold")) problems.push(`bold flag ${font.isBold}`);
      if (font.isItalic !== style.includes("Italic")) problems.push(`italic flag ${font.isItalic}`);
      const missing = needed.filter((c) => !font.codeUnits.includes(c)).map((c) => String.fromCodePoint(c));
      if (missing.length) problems.push(`no glyphs for ${missing.join(" ")}`);
      const a = font.codeUnits.indexOf(65);
      if (a >= 0 && !(font.glyphs[a].records.length > 3)) problems.push(`"A" has no outline`);
      if (!font.layout || !(font.layout.ascent > 0 && font.layout.descent > 0)) problems.push("no ascent and descent");
      const sorted = font.codeUnits.every((c, i) => i === 0 || font.codeUnits[i - 1] < c);
      if (!sorted) problems.push("the code table is not in ascending order");
      fonts[`${family}-${style}`] = font;
    }
    check(`${file}: ${name}${style === "Regular" ? "" : ` ${style}`}`, problems);
  }
}

// The width of a line in a font, in its em square's units.
function lineWidth(font, text) {
  let width = 0;
  for (const c of text) width += font.layout.advances[font.codeUnits.indexOf(c.codePointAt(0))] || 0;
  return width;
}
for (const family of ["Sans", "Serif"]) {
  const regular = fonts[`${family}-Regular`], bold = fonts[`${family}-Bold`];
  if (!regular || !bold) continue;
  const text = "Revenue by region 1,250";
  const [r, b] = [lineWidth(regular, text), lineWidth(bold, text)];
  check(`Liberation ${family}: a bold line (${b}) is wider than the regular one (${r})`,
    b > r * 1.03 ? [] : [`bold ${b}, regular ${r}`]);
}
finish();
