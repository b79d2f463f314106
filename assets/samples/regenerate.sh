#!/bin/sh
# The sample workbooks are written by Gnumeric from the hand-written sources beside them.
set -e
cd "$(dirname "$0")"
ssconvert -T Gnumeric_Excel:xlsx2 regional-sales.gnumeric regional-sales.xlsx
ssconvert -T Gnumeric_Excel:xlsx2 loan-planner.gnumeric loan-planner.xlsx
for sample in sales-dashboard what-if-planner europe-regions selector-report data-connection team-budget; do
    ssconvert -T Gnumeric_Excel:xlsx2 $sample.gnumeric $sample.xlsx
done
# The price plan's and the state markets' workbooks are written by LibreOffice from their flat
# OpenDocument sources.
libreoffice --headless --norestore --convert-to xlsx price-plan.fods
libreoffice --headless --norestore --convert-to xlsx state-markets.fods
