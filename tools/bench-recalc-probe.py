#!/usr/bin/env python3
"""Writes the probe movie of tools/bench-scale.sh: it loads a published dashboard into level 1,
waits until the dashboard's manager is ready (its first calculation done), then changes one
input as a component does and times the recalculation the manager runs for it (outputs
included), over as many frames as it takes; it reports through fscommand "recalc" (the ms of
the call that made the change), "ready" (how long the dashboard took to be ready), "finished"
(whether the recalculation ended within that call), and once it has ended "over" (ms from the
change to its end), "longest" (the longest call into the movie meanwhile: the change's and the
manager's frames), "value" (a formula that depends on the input), "untouched" and "changing"
when asked for, then "done".

  tools/bench-recalc-probe.py [--full] [--parts] ASC MOVIE INPUT OUTPUT probe.swf [UNTOUCHED [CHANGING]]
    --full     then also clears OUTPUT and has the manager recalculate everything, as after
               new data, and reports "full" (the ms the movie's calls took), "fullOver" (ms
               until it ended), "fullLongest" (the longest call) and "fullValue" (OUTPUT)
    --parts    also times every part of kvCalc and of the input's function and reports
               "parts" (those over 100 ms, name=ms, in the order they ran) and, at the end,
               "again" (the slowest part called once more in the same pass, name=ms): a part
               fast the second time spent the first on what it keeps for the pass
    ASC        the ActionScript compiler (build/tools/vantorel-asc/vantorel-asc)
    MOVIE      the dashboard's file name, served beside the probe
    INPUT      the input's variable ("V0"), OUTPUT a dependent's variable ("V1")
    UNTOUCHED  a formula's variable the change must not recalculate: set to "untouched" before
    CHANGING   a variable whose value changes on every recalculation (RAND()): "recalculated"
               when the change gave it a new value, else "kept"
"""
import os
import struct
import subprocess
import sys
import tempfile

MEASURE = """
if (kvLoaded == undefined)
    kvLoaded = getTimer();
var mgr = _level1.mgr;
var untouched = "%(untouched)s";
var changing = "%(changing)s";
if (kvPhase == undefined && mgr.kvRun != undefined) {
    kvSlowParts = "";
    kvSlowest = 0;
    if (%(parts)s) {
        kvTimePart = function (name) {
            var part = _level1[name];
            _level1[name] = function () {
                var t = getTimer();
                part.apply(this, arguments);
                var ms = getTimer() - t;
                if (ms > 100)
                    _level0.kvSlowParts += " " + name + "=" + ms;
                if (ms > _level0.kvSlowest) {
                    _level0.kvSlowest = ms;
                    _level0.kvSlowestName = name;
                }
            };
        };
        var calls = ["kvCalc", "kvCalcIn" + "%(input)s".substr(1) + "x"];
        for (var c = 0; c < calls.length; c++) {
            for (var n = 1; typeof _level1[calls[c] + n] == "function"; n++)
                kvTimePart(calls[c] + n);
        }
    }
    // Every frame call of the manager is timed from now on.
    mgr.kvProbeTick = mgr.onEnterFrame;
    mgr.onEnterFrame = function () {
        var t = getTimer();
        this.kvProbeTick();
        _level0.kvTimed(getTimer() - t);
    };
    kvTimed = function (ms) {
        if (ms > kvLongest)
            kvLongest = ms;
        kvWork += ms;
    };
    if (untouched != "")
        _level1[untouched] = "untouched";
    kvWas = _level1[changing];
    kvLongest = 0;
    kvWork = 0;
    kvStart = getTimer();
    _level1.%(input)s = 5;
    mgr.kvRun(false);
    var recalc = getTimer() - kvStart;
    kvTimed(recalc);
    fscommand("recalc", recalc);
    fscommand("ready", kvStart - kvLoaded);
    fscommand("finished", mgr.kvCalcRun == undefined ? "within the call" : "going on over frames");
    kvPhase = "change";
}
if (kvPhase == "change" && mgr.kvCalcRun == undefined) {
    fscommand("over", getTimer() - kvStart);
    fscommand("longest", kvLongest);
    fscommand("value", _level1.%(output)s);
    if (untouched != "")
        fscommand("untouched", _level1[untouched]);
    if (changing != "")
        fscommand("changing", _level1[changing] !== kvWas ? "recalculated" : "kept");
    kvPhase = "end";
    if (%(full)s) {
        // everything again, as after new data, with the output cleared first
        _level1.%(output)s = undefined;
        kvLongest = 0;
        kvWork = 0;
        kvStart = getTimer();
        mgr.kvRun(true);
        kvTimed(getTimer() - kvStart);
        kvPhase = "full";
    }
}
if (kvPhase == "full" && mgr.kvCalcRun == undefined) {
    fscommand("full", kvWork);
    fscommand("fullOver", getTimer() - kvStart);
    fscommand("fullLongest", kvLongest);
    fscommand("fullValue", _level1.%(output)s);
    kvPhase = "end";
}
if (kvPhase == "end") {
    if (%(parts)s) {
        fscommand("parts", kvSlowParts);
        var t = getTimer();
        _level1[kvSlowestName]();
        fscommand("again", kvSlowestName + "=" + (getTimer() - t));
    }
    fscommand("done", "");
    stop();
}
"""


def tag(code, body=b""):
    if len(body) < 63:
        return struct.pack("<H", code << 6 | len(body)) + body
    return struct.pack("<HI", code << 6 | 0x3F, len(body)) + body


def compile_actions(asc, source):
    with tempfile.TemporaryDirectory() as folder:
        script = os.path.join(folder, "probe.as")
        actions = os.path.join(folder, "probe.bin")
        with open(script, "w") as out:
            out.write(source)
        subprocess.run([asc, script, "-o", actions], check=True)
        with open(actions, "rb") as compiled:
            return compiled.read()


def stage_rect(width, height):
    # Four signed fields of 15 bits each after a 5-bit size: 0, width, 0, height in twips.
    bits = "{:05b}".format(15) + "".join("{:015b}".format(v) for v in (0, width, 0, height))
    bits += "0" * (-len(bits) % 8)
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))


def main():
    full = "--full" in sys.argv
    parts = "--parts" in sys.argv
    args = [a for a in sys.argv if a not in ("--full", "--parts")]
    if len(args) not in (6, 7, 8):
        sys.exit(__doc__)
    asc, movie, input_name, output_name, out = args[1:6]
    untouched = args[6] if len(args) > 6 else ""
    changing = args[7] if len(args) > 7 else ""
    # getURL(movie, "_level1"): one Push of the two strings (type 0 each), GetURL2 with no
    # flags, End.
    strings = b"".join(b"\x00" + s.encode() + b"\x00" for s in (movie, "_level1"))
    load = b"\x96" + struct.pack("<H", len(strings)) + strings + b"\x9A\x01\x00\x00" + b"\x00"
    measure = compile_actions(asc, MEASURE % {"input": input_name, "output": output_name, "untouched": untouched, "changing": changing,
                                      "full": "true" if full else "false", "parts": "true" if parts else "false"})
    again = compile_actions(asc, "gotoAndPlay(2);")
    tags = (tag(12, load) + tag(1) + tag(12, measure) + tag(1) + tag(12, again) + tag(1) + tag(0))
    body = stage_rect(8000, 6000) + struct.pack("<HH", 30 << 8, 3) + tags
    with open(out, "wb") as probe:
        probe.write(b"FWS\x06" + struct.pack("<I", 8 + len(body)) + body)


if __name__ == "__main__":
    main()
