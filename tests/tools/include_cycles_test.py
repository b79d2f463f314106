#!/usr/bin/env python3
"""Checks tools/include-cycles.py on small trees made for it: a pair that includes itself
through its .cpp is a circle, an arrow to a later part is an arrow back up, and a tree in order
passes."""
import os
import subprocess
import sys
import tempfile

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "include-cycles.py")


def make_tree(root, files):
    for path, text in files.items():
        full = os.path.join(root, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "w", encoding="utf-8") as f:
            f.write(text)


def run(files):
    with tempfile.TemporaryDirectory() as root:
        make_tree(root, files)
        done = subprocess.run([sys.executable, SCRIPT, "app", "--root=" + root], capture_output=True, text=True)
        return done.returncode, done.stdout


def expect(condition, message):
    if not condition:
        print("FAILED: " + message)
        sys.exit(1)


# A header that includes nothing of the folder, and a .cpp that closes the circle.
code, out = run({
    "app/canvas/View.h": '#include "app/canvas/Tool.h"\n',
    "app/canvas/View.cpp": '#include "app/canvas/View.h"\n',
    "app/canvas/Tool.h": "#pragma once\n",
    "app/canvas/Tool.cpp": '#include "app/canvas/View.h"\n#include <vector>\n',
    "app/core/Context.h": "#pragma once\n",
})
expect(code == 1, "a circle fails the check")
expect("circle of 2 files, 2 arrows" in out, "the circle is counted by pair: " + out)
expect("1 circles (2 files, 2 arrows)" in out, "the summary names the circle: " + out)
expect("0 between parts" in out, "no arrow goes up between parts: " + out)

# The core reaching the canvas goes up the parts' order.
code, out = run({
    "app/core/Context.cpp": '#include "app/canvas/View.h"\n',
    "app/canvas/View.h": '#include "app/core/Context.h"\n',
    "app/core/Context.h": "#pragma once\n",
})
expect(code == 1, "an arrow back up fails the check")
expect("up: app/core/Context -> app/canvas/View" in out, "the arrow back up is named: " + out)

# Includes of other folders and of the file itself do not count.
code, out = run({
    "app/canvas/View.h": '#include "platform/Wnd.h"\n#include "app/canvas/View.h"\n',
    "app/canvas/View.cpp": '#include "app/canvas/View.h"\n#include "app/core/Context.h"\n',
    "app/core/Context.h": "#pragma once\n",
})
expect(code == 0, "a tree in order passes: " + out)
expect("0 circles (0 files, 0 arrows)" in out, "no circle is reported: " + out)
print("include cycles: ok")
