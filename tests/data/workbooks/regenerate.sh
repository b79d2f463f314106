#!/bin/sh
# The workbooks here are written by Gnumeric from the hand-written sources beside them, so the
# import is tested against what a real spreadsheet program puts into a package.
set -e
cd "$(dirname "$0")"
ssconvert -T Gnumeric_Excel:xlsx2 model.gnumeric model.xlsx
ssconvert -T Gnumeric_Excel:xlsx2 extras.gnumeric extras.xlsx
