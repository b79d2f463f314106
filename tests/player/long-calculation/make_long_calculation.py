#!/usr/bin/env python3
"""Writes long-calculation.xlsx, the workbook of the first-calculation check
(publish_first_calculation.test.mjs): a sheet whose first calculation takes the movie several
seconds, computed by LibreOffice Calc. Column A holds ROWS numbers; B{r} counts the numbers of A
above A{r} (a COUNTIF over the whole column for every row: a spreadsheet's work grows with the
square of the rows, the movie's counts with one index of the column); C{r} is the running total of B; E1 and E2 sum B and take the largest of C. The
workbook is written with its formulas and no cached values, then Calc (headless) loads it,
calculates it and saves it.

Usage: make_long_calculation.py [rows] [output folder]   (needs soffice; CI does not run this)
"""
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
NAME = "long-calculation.xlsx"

PARTS = {
    "[Content_Types].xml": """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
</Types>""",
    "_rels/.rels": """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>""",
    "xl/workbook.xml": """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="Data" sheetId="1" r:id="rId1"/></sheets>
</workbook>""",
    "xl/_rels/workbook.xml.rels": """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
</Relationships>""",
}


def sheet(rows):
    def formula(ref, source):
        return f"<c r=\"{ref}\"><f>{escape(source)}</f></c>"

    out = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
           '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>']
    for r in range(1, rows + 1):
        cells = [f'<c r="A{r}"><v>{r * 7919 % 1000}</v></c>',
                 formula(f"B{r}", f'COUNTIF($A$1:$A${rows},">"&A{r})'),
                 formula(f"C{r}", "B1" if r == 1 else f"C{r - 1}+B{r}")]
        if r == 1:
            cells.append(formula("E1", f"SUM(B1:B{rows})"))
        if r == 2:
            cells.append(formula("E2", f"MAX(C1:C{rows})"))
        out.append(f'<row r="{r}">{"".join(cells)}</row>')
    out.append("</sheetData></worksheet>")
    return "".join(out)


def compute(name, sheet_xml, out):
    """Writes the workbook name of the given sheet into the folder out, as Calc computed it."""
    with tempfile.TemporaryDirectory() as work:
        staged = os.path.join(work, name)
        with zipfile.ZipFile(staged, "w", zipfile.ZIP_DEFLATED) as book:
            for part, text in PARTS.items():
                book.writestr(part, text)
            book.writestr("xl/worksheets/sheet1.xml", sheet_xml)
        computed = os.path.join(work, "computed")
        subprocess.run(["soffice", "--headless", "--calc", "--convert-to", "xlsx", "--outdir", computed, staged],
                       check=True, stdout=subprocess.DEVNULL)
        shutil.copy(os.path.join(computed, name), os.path.join(out, name))
        print("wrote", os.path.join(out, name))


def make(name, sheet_of_rows, default_rows):
    """The command line of a maker: [rows] [output folder]."""
    rows = int(sys.argv[1]) if len(sys.argv) > 1 else default_rows
    out = sys.argv[2] if len(sys.argv) > 2 else HERE
    compute(name, sheet_of_rows(rows), out)


def main():
    # Enough rows that the indexed counts still take seconds on a fast machine and a quiet one.
    make(NAME, sheet, 5000)


if __name__ == "__main__":
    main()
