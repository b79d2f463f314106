// Writes the region shapes of the two map components (assets/shared/mapdata-usa.as and
// mapdata-europe.as) from public-domain boundary data, redistributed on the npm registry as
// TopoJSON:
// - the US states: us-atlas 3.0.1, states-albers-10m.json (the Census Bureau's cartographic
//   boundary files, 2017, already projected to a 975 x 610 frame);
// - the countries of Europe: world-atlas 2.0.2, countries-50m.json (Natural Earth's admin 0
//   boundaries, 1:50m), projected here with a Lambert azimuthal equal-area projection about
//   10 E 52 N and cut to the frame of the map.
// Usage: node tools/maps/make-map-shapes.mjs FOLDER_WITH_BOTH_PACKAGES
//   (npm pack us-atlas@3.0.1 world-atlas@2.0.2, then unpack each into FOLDER/<name>/)
// Each ring is simplified (Douglas-Peucker, about half a pixel at the map's natural size) and
// written as whole units of a frame 1000 wide: "x y x y ..." per ring, rings of a region joined
// by "|".
import fs from "node:fs";
import path from "node:path";

const [folder] = process.argv.slice(2);
if (!folder) {
  console.error("usage: make-map-shapes.mjs FOLDER");
  process.exit(2);
}
const root = path.resolve(path.dirname(new URL(import.meta.url).pathname), "../..");
const read = (pkg, file) => JSON.parse(fs.readFileSync(path.join(folder, pkg, "package", file), "utf8"));

// The arcs of a topology as absolute coordinates.
function decodeArcs(topology) {
  const [sx, sy] = topology.transform.scale, [tx, ty] = topology.transform.translate;
  return topology.arcs.map((arc) => {
    let x = 0, y = 0;
    return arc.map(([dx, dy]) => { x += dx; y += dy; return [x * sx + tx, y * sy + ty]; });
  });
}

// The rings of a geometry (arrays of points).
function rings(geometry, arcs) {
  const ring = (indexes) => {
    const points = [];
    for (const i of indexes) {
      const arc = i >= 0 ? arcs[i] : arcs[~i].slice().reverse();
      points.push(...(points.length ? arc.slice(1) : arc));
    }
    return points;
  };
  if (geometry.type === "Polygon") return geometry.arcs.map(ring);
  if (geometry.type === "MultiPolygon") return geometry.arcs.flatMap((polygon) => polygon.map(ring));
  return [];
}

function simplify(points, tolerance) {
  if (points.length < 4) return points;
  const keep = new Uint8Array(points.length);
  keep[0] = keep[points.length - 1] = 1;
  const stack = [[0, points.length - 1]];
  while (stack.length) {
    const [a, b] = stack.pop();
    const [ax, ay] = points[a], [bx, by] = points[b];
    const dx = bx - ax, dy = by - ay, len = Math.hypot(dx, dy);
    let worst = -1, far = 0;
    for (let i = a + 1; i < b; i++) {
      const [px, py] = points[i];
      // A closed ring starts and ends on one point: the distance to it then.
      const d = len > 0 ? Math.abs(dy * (px - ax) - dx * (py - ay)) / len : Math.hypot(px - ax, py - ay);
      if (d > far) { far = d; worst = i; }
    }
    if (far > tolerance && worst > 0) {
      keep[worst] = 1;
      stack.push([a, worst], [worst, b]);
    }
  }
  return points.filter((_, i) => keep[i]);
}

// Sutherland-Hodgman: the ring cut to the rectangle 0..w x 0..h.
function clip(points, w, h) {
  const edges = [
    (p) => p[0] >= 0, (p) => p[0] <= w, (p) => p[1] >= 0, (p) => p[1] <= h,
  ];
  const cross = [
    (a, b) => { const t = (0 - a[0]) / (b[0] - a[0]); return [0, a[1] + t * (b[1] - a[1])]; },
    (a, b) => { const t = (w - a[0]) / (b[0] - a[0]); return [w, a[1] + t * (b[1] - a[1])]; },
    (a, b) => { const t = (0 - a[1]) / (b[1] - a[1]); return [a[0] + t * (b[0] - a[0]), 0]; },
    (a, b) => { const t = (h - a[1]) / (b[1] - a[1]); return [a[0] + t * (b[0] - a[0]), h]; },
  ];
  let out = points;
  for (let e = 0; e < 4 && out.length; e++) {
    const input = out;
    out = [];
    for (let i = 0; i < input.length; i++) {
      const cur = input[i], prev = input[(i + input.length - 1) % input.length];
      const inCur = edges[e](cur), inPrev = edges[e](prev);
      if (inCur) {
        if (!inPrev) out.push(cross[e](prev, cur));
        out.push(cur);
      } else if (inPrev) {
        out.push(cross[e](prev, cur));
      }
    }
  }
  return out;
}

const area = (ring) => {
  let a = 0;
  for (let i = 0; i < ring.length; i++) {
    const [x0, y0] = ring[i], [x1, y1] = ring[(i + 1) % ring.length];
    a += x0 * y1 - x1 * y0;
  }
  return Math.abs(a) / 2;
};

// Regions as [code, name, rings] in a frame 1000 wide and height tall, written as ActionScript.
function write(file, comment, variable, height, regions, natural) {
  const unitsPerPixel = 1000 / natural;
  const lines = [];
  for (const [code, name, shape] of regions) {
    const simple = shape
      .map((ring) => simplify(ring, 0.5 * unitsPerPixel).map(([x, y]) => [Math.round(x), Math.round(y)]))
      .filter((ring) => ring.length >= 3);
    let kept = simple.filter((ring) => area(ring) >= 2 * unitsPerPixel * unitsPerPixel);
    // A region smaller than that (a city state) keeps its largest ring, unsimplified, so that it
    // can still be shown and chosen.
    if (!kept.length && shape.length) {
      const largest = shape.reduce((a, b) => (area(b) > area(a) ? b : a));
      kept = [largest.map(([x, y]) => [Math.round(x), Math.round(y)])];
    }
    if (!kept.length) continue;
    const text = kept.map((ring) => ring.map((p) => p.join(" ")).join(" ")).join("|");
    lines.push(`    [${JSON.stringify(code)}, ${JSON.stringify(name)}, ${JSON.stringify(text)}]`);
  }
  const body = `${comment}
// Written by tools/maps/make-map-shapes.mjs: do not edit by hand.
if (_global.${variable} == undefined) {
    _global.${variable} = {width: 1000, height: ${Math.round(height)}, regions: [
${lines.join(",\n")}
    ]};
}
`;
  fs.writeFileSync(path.join(root, file), body);
  console.log(`${file}: ${lines.length} regions, ${body.length} bytes`);
}

// US states by their FIPS code: the postal code.
const postal = {
  "01": "AL", "02": "AK", "04": "AZ", "05": "AR", "06": "CA", "08": "CO", "09": "CT", "10": "DE", "11": "DC",
  "12": "FL", "13": "GA", "15": "HI", "16": "ID", "17": "IL", "18": "IN", "19": "IA", "20": "KS", "21": "KY",
  "22": "LA", "23": "ME", "24": "MD", "25": "MA", "26": "MI", "27": "MN", "28": "MS", "29": "MO", "30": "MT",
  "31": "NE", "32": "NV", "33": "NH", "34": "NJ", "35": "NM", "36": "NY", "37": "NC", "38": "ND", "39": "OH",
  "40": "OK", "41": "OR", "42": "PA", "44": "RI", "45": "SC", "46": "SD", "47": "TN", "48": "TX", "49": "UT",
  "50": "VT", "51": "VA", "53": "WA", "54": "WV", "55": "WI", "56": "WY",
};
{
  const topology = read("us-atlas-3.0.1", "states-albers-10m.json");
  const arcs = decodeArcs(topology);
  const scale = 1000 / 975;
  const regions = topology.objects.states.geometries
    .filter((g) => postal[g.id])
    .map((g) => [postal[g.id], g.properties.name, rings(g, arcs).map((r) => r.map(([x, y]) => [x * scale, y * scale]))])
    .sort((a, b) => (a[0] < b[0] ? -1 : 1));
  write("assets/shared/mapdata-usa.as",
    "// The US states (and the District of Columbia) from the Census Bureau's cartographic boundary\n" +
    "// files (public domain), by postal code.", "kvMapUSA", 610 * scale, regions, 400);
}

// The countries of Europe by their ISO 3166 numeric code: the two-letter code.
const iso = {
  "008": "AL", "020": "AD", "040": "AT", "112": "BY", "056": "BE", "070": "BA", "100": "BG", "191": "HR",
  "196": "CY", "203": "CZ", "208": "DK", "233": "EE", "246": "FI", "250": "FR", "276": "DE", "300": "GR",
  "348": "HU", "352": "IS", "372": "IE", "380": "IT", "428": "LV", "438": "LI", "440": "LT", "442": "LU",
  "470": "MT", "498": "MD", "492": "MC", "499": "ME", "528": "NL", "807": "MK", "578": "NO", "616": "PL",
  "620": "PT", "642": "RO", "643": "RU", "674": "SM", "688": "RS", "703": "SK", "705": "SI", "724": "ES",
  "752": "SE", "756": "CH", "804": "UA", "826": "GB", "336": "VA", "-99": "XK", "792": "TR",
};
{
  const topology = read("world-atlas-2.0.2", "countries-50m.json");
  const arcs = decodeArcs(topology);
  const rad = Math.PI / 180, lon0 = 10 * rad, lat0 = 52 * rad;
  // Lambert azimuthal equal-area about lon0, lat0, north up.
  const project = ([lon, lat]) => {
    const l = lon * rad - lon0, p = lat * rad;
    const k = Math.sqrt(2 / (1 + Math.sin(lat0) * Math.sin(p) + Math.cos(lat0) * Math.cos(p) * Math.cos(l)));
    return [k * Math.cos(p) * Math.sin(l), k * (Math.cos(lat0) * Math.sin(p) - Math.sin(lat0) * Math.cos(p) * Math.cos(l))];
  };
  // The frame: from Iceland and Portugal in the west to the Urals in the east, from Crete and
  // Cyprus up to the North Cape.
  const [x0] = project([-25, 55]), [x1] = project([50, 55]);
  const [, yTop] = project([10, 72]), [, yBottom] = project([20, 33.5]);
  const scale = 1000 / (x1 - x0), height = (yTop - yBottom) * scale;
  const toFrame = (p) => { const [x, y] = project(p); return [(x - x0) * scale, (yTop - y) * scale]; };
  const regions = topology.objects.countries.geometries
    .filter((g) => iso[g.id] && g.id !== "792")
    .map((g) => [iso[g.id], g.properties.name,
      rings(g, arcs).map((r) => clip(r.map(toFrame), 1000, height)).filter((r) => r.length >= 3)])
    .sort((a, b) => (a[0] < b[0] ? -1 : 1));
  write("assets/shared/mapdata-europe.as",
    "// The countries of Europe from Natural Earth's admin 0 boundaries at 1:50m (public domain), by\n" +
    "// ISO 3166 two-letter code, cut to the frame of the map.", "kvMapEurope", height, regions, 400);
}
