#!/usr/bin/env python3
"""Writes the sample workbooks as they stand after the published-movie check moves their inputs
(publish_movies.test.mjs, MOVES), computed by LibreOffice Calc: the inputs are set, every
formula's cached value is dropped, and Calc (headless) loads the workbook, calculates it and
saves it as <sample>-moved.xlsx. The check compares what the movie shows after the moves with
these cached values.

Usage: make_moved_samples.py [output folder]   (needs soffice; CI does not run this)
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SAMPLES = os.path.join(HERE, "..", "..", "..", "assets", "samples")

# Where the mouse leaves the inputs: the amount slider dragged past its end, the rate slider to
# 30 % of its track (snapped to 0.25 %), the years dial turned to 90 degrees left of up; the
# growth slider dragged to 10 % of its track.
MOVED = {
    "loan-planner": {"B1": "1000000", "B2": "0.0375", "B3": "11"},
    "regional-sales": {"B8": "-0.13"},
}


def with_inputs(source, target, inputs):
    """A copy of the workbook with the inputs set and no cached formula values."""
    with zipfile.ZipFile(source) as zin, zipfile.ZipFile(target, "w", zipfile.ZIP_DEFLATED) as zout:
        for item in zin.infolist():
            data = zin.read(item.filename)
            if item.filename == "xl/worksheets/sheet1.xml":
                text = data.decode("utf-8")
                for cell, value in inputs.items():
                    text, count = re.subn(r'(<c r="%s"[^>]*>\s*<v>)[^<]*(</v>)' % cell, r"\g<1>%s\g<2>" % value, text)
                    if count != 1:
                        sys.exit("%s: no number in %s" % (source, cell))
                text = re.sub(r"(</f>)\s*<v>[^<]*</v>", r"\1", text)
                data = text.encode("utf-8")
            zout.writestr(item, data)


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else HERE
    with tempfile.TemporaryDirectory() as work:
        for sample, inputs in MOVED.items():
            staged = os.path.join(work, sample + "-moved.xlsx")
            with_inputs(os.path.join(SAMPLES, sample + ".xlsx"), staged, inputs)
            computed = os.path.join(work, "computed")
            subprocess.run(["soffice", "--headless", "--calc", "--convert-to", "xlsx", "--outdir", computed, staged],
                           check=True, stdout=subprocess.DEVNULL)
            shutil.copy(os.path.join(computed, sample + "-moved.xlsx"), os.path.join(out, sample + "-moved.xlsx"))
            print("wrote", os.path.join(out, sample + "-moved.xlsx"))


if __name__ == "__main__":
    main()
