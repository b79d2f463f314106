#!/usr/bin/env python3
"""Writes the probe movie of tools/bench-scale.sh: it loads a published dashboard into level 1,
waits until the dashboard's manager is ready (its first calculation done), then changes one
input as a component does and times the recalculation the manager runs for it (outputs
included); it reports that time, how long the dashboard took to be ready and the value of a
formula that depends on the input through fscommand ("recalc", "ready", "value", "finished":
whether the recalculation ended within the call, then "untouched" and "changing" when asked
for, and "done").

  tools/bench-recalc-probe.py [--full] ASC MOVIE INPUT OUTPUT probe.swf [UNTOUCHED [CHANGING]]
    --full     then also times a full recalculation in one call ("full", in ms)
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
if (_level1.mgr.kvRun != undefined) {
    var untouched = "%(untouched)s";
    if (untouched != "")
        _level1[untouched] = "untouched";
    var changing = "%(changing)s";
    var was = _level1[changing];
    var before = getTimer();
    _level1.%(input)s = 5;
    _level1.mgr.kvRun(false);
    var recalc = getTimer() - before;
    fscommand("recalc", recalc);
    fscommand("ready", before - kvLoaded);
    fscommand("value", _level1.%(output)s);
    fscommand("finished", _level1.mgr.kvCalcRun == undefined ? "within the call" : "going on over frames");
    if (untouched != "")
        fscommand("untouched", _level1[untouched]);
    if (changing != "")
        fscommand("changing", _level1[changing] !== was ? "recalculated" : "kept");
    if (%(full)s) {
        // everything again, as one pass in one call
        kvLib.kvPass++;
        var start = getTimer();
        _level1.kvCalc();
        fscommand("full", getTimer() - start);
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
    args = [a for a in sys.argv if a != "--full"]
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
                                      "full": "true" if full else "false"})
    again = compile_actions(asc, "gotoAndPlay(2);")
    tags = (tag(12, load) + tag(1) + tag(12, measure) + tag(1) + tag(12, again) + tag(1) + tag(0))
    body = stage_rect(8000, 6000) + struct.pack("<HH", 30 << 8, 3) + tags
    with open(out, "wb") as probe:
        probe.write(b"FWS\x06" + struct.pack("<I", 8 + len(body)) + body)


if __name__ == "__main__":
    main()
