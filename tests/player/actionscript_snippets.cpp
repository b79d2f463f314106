// Writes the movies that actionscript_snippets.test.mjs reads strictly and plays: one movie of
// compiled source snippets, each reporting its value, with the values the language defines
// (cases.json); a movie that drives the manager clip of the built base asset; and a plain copy
// of every built asset movie, for the independent readers.
#include "swf/AssetCipher.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfError.h"
#include "swf/SwfMovie.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"
#include "tests/player/InitClip.h"
#include "tests/player/JsonText.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Snippet {
    const char* name;
    const char* body; // a function body; its return value is reported
    const char* expected;
};

// Statements, operators and the values SWF 6 gives them.
const Snippet kSnippets[] = {
    {"precedence", "return 2 + 3 * 4 % 5 - (1 - 2) * -3;", "1"},
    {"arithmetic", "return [1 + 2 * 3 - 4 / 2, -7 % 3, 0x1F + 1e3 + 2.5e-1].join();", "5,-1,1031.25"},
    {"concatenation", "return (\"a\" + 1 + 2) + (1 + 2 + \"a\");", "a123a"},
    {"escapes", "return \"a\\tb\".charCodeAt(1) + \",\" + \"\\x41\\u0042\" + \",\" + 'it\\'s' + \",\" + \"q\\\"\\\\\".length + \"\\u00e9\\u20ac\".length;",
     "9,AB,it's,32"},
    {"comparison", "return [1 < 2, 2 > 1, 2 <= 2, 3 >= 4, \"10\" < \"9\", 10 < \"9\", \"abc\" < \"abd\"].join();",
     "true,true,true,false,true,false,true"},
    {"equality", "return [1 == \"1\", 1 === \"1\", null == undefined, null === undefined, \"a\" != \"A\", 1 !== 1].join();",
     "true,false,true,false,true,false"},
    {"bitwise", "return [5 & 3, 5 | 3, 5 ^ 3, ~5, 1 << 4, -16 >> 2, -16 >>> 28].join();", "1,7,6,-6,16,-4,15"},
    {"short_circuit", "var n = 0; function bump() { n++; return true; } var r = (false && bump()) || (true || bump()); return r + \":\" + n + \":\" + ((0 || \"x\") + (1 && 2));",
     "true:0:x2"},
    {"conditional", "var a = 5; return (a > 3 ? (a > 4 ? \"big\" : \"mid\") : \"small\") + (a < 0 ? 1 : 2);", "big2"},
    {"unary", "var s = \"5\"; return [-s, +s + 1, !s, !0, -(-3)].join();", "-5,6,false,true,3"},
    {"typeof", "return [typeof 1, typeof \"s\", typeof true, typeof undefined, typeof null, typeof {}, typeof function () {}, typeof _root, typeof getTimer()].join();",
     "number,string,boolean,undefined,null,object,function,movieclip,number"},
    {"instanceof", "var d = []; return (d instanceof Array) + \",\" + ({} instanceof Array);", "true,false"},
    {"delete", "var o = {a: 1, b: 2}; delete o.a; var k = \"b\"; var r = delete o[k]; kvScratch = 1; var g = delete kvScratch; return [typeof o.a, typeof o.b, r, g, typeof kvScratch].join();",
     "undefined,undefined,true,true,undefined"},
    {"new", "function P(x) { this.x = x; } P.prototype.twice = function () { return this.x * 2; }; var ns = {}; ns.C = function (v) { this.v = v; }; var p = new P(21); return p.twice() + \",\" + new ns.C(7).v + \",\" + new Array(3).length;",
     "42,7,3"},
    {"compound", "var a = 10; a += 5; a -= 3; a *= 2; a /= 4; a %= 4; var b = 1; b <<= 5; b |= 3; b &= 0x1E; b ^= 0xFF; b >>= 1; b >>>= 1; return a + \",\" + b;",
     "2,63"},
    {"compound_members", "var o = {n: 1, list: [1, 2]}; o.n += 41; o.list[1] *= 10; o[\"n\"] -= 2; var i = 0; var arr = [5, 5]; arr[i++] += 1; return o.n + \",\" + o.list + \",\" + arr + \",\" + i;",
     "40,1,20,6,5,1"},
    {"increments", "var i = 5; var a = i++; var b = ++i; var c = i--; var d = --i; return [a, b, c, d, i].join();", "5,7,7,5,5"},
    {"member_increments", "var o = {v: \"5\"}; var a = o.v++; var b = ++o.v; var arr = [1]; arr[0]--; return [a, b, o.v, arr[0]].join();",
     "5,7,7,0"},
    {"assignment_value", "var a, b, o = {}; a = b = o.x = 3; var c; if ((c = 5) > 3) a += c; return a + b + o.x;", "14"},
    {"if_else", "function grade(s) { if (s >= 90) return \"A\"; else if (s >= 80) return \"B\"; else return \"C\"; } return grade(95) + grade(85) + grade(10);",
     "ABC"},
    {"while", "var i = 0, s = 0; while (i < 10) { i++; if (i == 3) continue; if (i == 8) break; s += i; } return s;", "25"},
    {"do_while_continue", "var i = 0, s = 0; do { i++; if (i == 2) continue; s += i; } while (i < 5); return s;", "13"},
    {"switch_in_loop", "var s = \"\"; for (var i = 0; i < 4; i++) { switch (i) { case 1: continue; case 2: s += \"two\"; break; default: s += i; } s += \";\"; } return s;",
     "0;two;3;"},
    {"nested_scopes", "var x = 1; function outer() { var x = 2; function inner() { return x; } return inner(); } return outer() + x;", "3"},
    {"do_while", "var i = 0; do { i += 3; } while (i < 10); var j = 0; do j++; while (false); return i + \",\" + j;", "12,1"},
    {"for", "var s = \"\"; for (var i = 0; i < 5; i++) { if (i == 1) continue; s += i; } var n = 0; for (;;) { if (++n >= 3) break; } return s + \",\" + n;",
     "0234,3"},
    {"for_in", "var o = {a: 1, b: 2, c: 3}; var sum = 0, keys = []; for (var k in o) { sum += o[k]; keys.push(k); } keys.sort(); return sum + \":\" + keys.join(\"\");",
     "6:abc"},
    // A for-in left by break or return must take its names off the shared stack: a leftover
    // would be what the subtraction takes instead of 100.
    {"for_in_break", "function g(o) { var n = 0; for (var k in o) { for (var j in o) { n++; break; } if (n == 2) break; } return n; } return 100 - g({a: 1, b: 2, c: 3});",
     "98"},
    {"for_in_return", "function f(o) { for (var k in o) { for (var j in o) { return 1; } } } return 100 - f({a: 1, b: 2});", "99"},
    {"for_in_continue", "function h(o) { var n = 0; for (var k in o) { for (var j in o) { if (j) continue; } n++; } return n; } return 100 - h({a: 1, b: 2});",
     "98"},
    {"switch", "function s(v) { var r = \"\"; switch (v) { case 1: r += \"one\"; case 2: r += \"two\"; break; case \"1\": r += \"str\"; break; default: r += \"def\"; } return r; } return s(1) + \"|\" + s(2) + \"|\" + s(\"1\") + \"|\" + s(9);",
     "onetwo|two|str|def"},
    {"switch_default_first", "function t(v) { var r = \"\"; switch (v) { case 1: r = \"a\"; break; default: r = \"d\"; case 2: r += \"b\"; } return r; } return t(1) + t(2) + t(3);",
     "abdb"},
    {"switch_calls", "function k() { return 2; } function u(v) { switch (v) { case k(): return \"two\"; case 3: return \"three\"; } return \"none\"; } return 10 - (u(2) == \"two\" ? 1 : 0) + u(3) + u(4);",
     "9threenone"},
    {"closures", "function counter() { var c = 0; return function () { return ++c; }; } var a = counter(), b = counter(); a(); a(); b(); function adder(x) { return function (y) { return x + y; }; } return a() + \",\" + b() + \",\" + adder(40)(2);",
     "3,2,42"},
    {"recursion", "function fib(n) { return n < 2 ? n : fib(n - 1) + fib(n - 2); } function fact(n) { if (n <= 1) return 1; return n * fact(n - 1); } return fib(15) + \",\" + fact(10);",
     "610,3628800"},
    {"long_loops", "var s = 0; for (var i = 0; i < 100000; i++) s += i; var n = 0; while (n < 100000) n++; var d = 0; do d += 2; while (d < 200000); return s + \",\" + n + \",\" + d;",
     "4999950000,100000,200000"},
    {"literals", "var a = [1, \"2\", [3, 4], {k: 5, \"quoted key\": 6}]; return a.length + \":\" + a[2][1] + \":\" + a[3].k + \":\" + a[3][\"quoted key\"] + \":\" + a[1] + \":\" + [].length;",
     "4:4:5:6:2:0"},
    {"methods", "var a = [3, 1, 2]; a.sort(); var o = {f: function (x, y) { return x * y; }, v: 3, get: function () { return this.v; }}; return a.join(\"-\") + \",\" + \"abc\".toUpperCase() + \",\" + o[\"f\"](6, 7) + \",\" + o.get();",
     "1-2-3,ABC,42,3"},
    {"timelines", "_root.kvRootValue = 7; _global.kvGlobalValue = 5; return kvRootValue + kvGlobalValue + \",\" + typeof _parent + \",\" + (this == undefined);",
     "12,undefined,true"},
    {"sequence_void", "var a = (1, 2, 3); return a + \",\" + typeof void 0;", "3,undefined"},
    {"case_insensitive_names", "var Total = 1; total += 1; return TOTAL;", "2"},
    {"hoisting_arguments", "function n() { return arguments.length; } function m(a, b) { return typeof b; } return h() + n(1, 2, 3) + n() + m(1); function h() { return \"hoisted\"; }",
     "hoisted30undefined"},
    {"semicolons_optional", "var a = 1\nvar b = 2\nreturn a + b", "3"},
};

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

void AddScript(CSwfMovie& movie, const std::string& source, const std::string& name)
{
    movie.AddTag(std::make_unique<CSwfDoAction>(CSwfRawData(playertest::CompileChecked(source, name))));
}

void WriteSnippets(const fs::path& folder)
{
    CSwfMovie movie;
    std::string cases = "[\n";
    for (const auto& s : kSnippets) {
        std::string source = std::string("fscommand(\"case:") + s.name + "\", (function () {\n" + s.body + "\n})());\n";
        AddScript(movie, source, s.name);
        cases += std::string(&s == kSnippets ? "" : ",\n") + "{\"name\": " + playertest::JsonText(s.name) + ", \"expected\": " + playertest::JsonText(s.expected) + "}";
    }
    AddScript(movie, "fscommand(\"done\");\nstop();\n", "done");
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    WriteText(folder / "cases.json", cases + "\n]\n");
    testsupport::WriteBytes(folder / "snippets.swf", movie.WriteBytes(400, 300, 12, true));
}

// The manager as a published movie uses it: the model's start-up asks for web-service data and
// static fields, the frame script calls kvInitData (the static fields are filled then); new data
// (mgr.recalculate, as the loader calls it) recalculate and fill the static fields again;
// components register as outputs and mark the model dirty; each recalculation runs kvCalc once,
// then the outputs in the order they registered (each once); when two inputs changed, each
// input's function runs in a pass of its own.
const char* kManagerScript = R"(
log = "";
V1 = 21;
V7 = 3.5;
function kvCalc() { V2 = V1 * 2; log += "calc" + V2 + ";"; }
chart = {data: {}};
STATIC = {};
STATIC["7"] = [["chart.data", "values"], ["chart", "title"], ["nothing.here", "x"]];
STATIC["11"] = [["chart", "first"]];
xmlToModel();
initStaticDataSources();
kvInitData(0);
fscommand("static", chart.data.values + "," + chart.title + "," + typeof chart.first);
V11 = 10;
V7 = 4;
mgr.recalculate();
fscommand("refill", chart.data.values + "," + chart.first + "," + log);
log = "";
first = {updateCalc: function () { log += "a;"; }};
second = {updateCalc: function () {
    log += "b;";
    fscommand("manager", log);
    if (V1 == 21) {
        V1 = 5;
        V7 = 9;
        mgr.calcDirty = true;
    } else {
        fscommand("kept", chart.data.values);
        INP = ["V1", "V7"];
        passes = "";
        kvCalcIn1x = function () { passes += kvLib.kvPass + ","; };
        kvCalcIn7x = function () { passes += kvLib.kvPass + ","; };
        var before = [V1, V7];
        V1 = 6;
        V7 = 10;
        kvMgrCalcChanged(before);
        fscommand("passes", passes);
        fscommand("done");
    }
}};
mgr.addOutputComponent(first);
mgr.addOutputComponent(second);
mgr.addOutputComponent(first);
mgr.calcDirty = true;
mgr.calcDirty = true;
stop();
)";

void WriteManager(const fs::path& folder, const fs::path& install)
{
    CSwfMovie movie;
    movie.LoadFile(install / "asset/kvbase.dat");
    if (movie.GetClipEntries().empty())
        throw swf::SwfError("the base movie exports no clip");
    uint16_t mgr = movie.GetClipEntries()[0].GetId();
    // The player warns about our marker tag; a published movie's own checks deal with it.
    for (size_t i = movie.GetTagCount(); i-- > 0;)
        if (movie.GetTag(i)->GetTagCode() == swf::TagCode::Marker)
            movie.RemoveTag(movie.GetTag(i));
    AddScript(movie, kManagerScript, "manager");
    swf::Writer place; // PlaceObject2: character, matrix and name at depth 1
    place.U8(0x02 | 0x04 | 0x20);
    place.U16(1);
    place.U16(mgr);
    place.U8(0); // identity matrix
    place.String("mgr");
    movie.AddTag(std::make_unique<CSwfRawTag>(static_cast<uint16_t>(swf::TagCode::PlaceObject2), place.Take()));
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    testsupport::WriteBytes(folder / "manager.swf", movie.WriteBytes(400, 300, 12, false));
}

// Plain copies of the built assets, for the independent readers.
void CopyAssets(const fs::path& folder, const fs::path& install)
{
    std::string list = "[";
    for (const auto& entry : fs::recursive_directory_iterator(install)) {
        if (entry.path().extension() != ".dat")
            continue;
        std::string name = "asset_" + entry.path().stem().string() + ".swf";
        testsupport::WriteBytes(folder / name, swf::DecipherAsset(testsupport::ReadBytes(entry.path())));
        list += std::string(list.size() > 1 ? ", " : "") + playertest::JsonText(name);
    }
    WriteText(folder / "assets.json", list + "]\n");
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_actionscript_snippets FOLDER\n");
        return 2;
    }
    fs::path install = testsupport::InstallDir();
    try {
        WriteSnippets(argv[1]);
        WriteManager(argv[1], install);
        CopyAssets(argv[1], install);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
