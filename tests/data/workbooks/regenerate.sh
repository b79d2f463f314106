#!/bin/sh
# The workbooks here are written by Gnumeric from the hand-written sources beside them, so the
# import is tested against what a real spreadsheet program puts into a package.
set -e
cd "$(dirname "$0")"
ssconvert -T Gnumeric_Excel:xlsx2 model.gnumeric model.xlsx
ssconvert -T Gnumeric_Excel:xlsx2 extras.gnumeric extras.xlsx
# The selector workbook is written and computed by LibreOffice from its flat source.
HOME=$(mktemp -d) soffice --headless --calc --convert-to "xlsx:Calc MS Excel 2007 XML" selector.fods
# Fetches by place of cells that themselves fetch by place, computed by LibreOffice.
HOME=$(mktemp -d) soffice --headless --calc --convert-to "xlsx:Calc MS Excel 2007 XML" fetch-chain.fods
# The workbooks set to iterate, computed by LibreOffice.
HOME=$(mktemp -d) soffice --headless --calc --convert-to "xlsx:Calc MS Excel 2007 XML" iteration.fods
HOME=$(mktemp -d) soffice --headless --calc --convert-to "xlsx:Calc MS Excel 2007 XML" iteration-count.fods
