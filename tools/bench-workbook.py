#!/usr/bin/env python3
"""Writes the generated workbooks of tools/bench-scale.sh straight as .xlsx (a spreadsheet
program takes minutes to convert a million cells from CSV), with the values a spreadsheet
caches for the formulas, computed here, so that a reader that trusts them need not calculate.

  tools/bench-workbook.py mixed ROWS out.xlsx     ten cells a row: eight values, a running
                                                 total and, in turn, a conditional sum, a
                                                 lookup, a text formula or the sum of a
                                                 sliding window of 100 rows, over blocks
                                                 of 5,000 rows; besides, an input K1 that a
                                                 hundred formulas L1:L100 depend on, and
                                                 M1 counting the numbers of I and J
                                                 (with --volatile also N1 = TODAY() and
                                                 N2 = RAND(); with --no-sumif sliding sums
                                                 in place of the conditional sums)
  tools/bench-workbook.py running ROWS out.xlsx  B{r} = SUM($A$2:A{r}) under a heading row
  tools/bench-workbook.py windows ROWS out.xlsx  A{r} = r, B{r} = SUM(A{r}:A{r+9}) (the last
                                                 windows reaching past the values) and
                                                 C{r} = SUM($A$1:A{r})
"""
import datetime
import sys
import zipfile
from xml.sax.saxutils import escape

CONTENT_TYPES = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
<Default Extension="xml" ContentType="application/xml"/>
<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
</Types>"""
ROOT_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>"""
WORKBOOK = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="Data" sheetId="1" r:id="rId1"/></sheets>
</workbook>"""
WORKBOOK_RELS = """<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
</Relationships>"""


def number(ref, value):
    return f'<c r="{ref}"><v>{value}</v></c>'


def text(ref, value):
    return f'<c r="{ref}" t="inlineStr"><is><t>{escape(value)}</t></is></c>'


def boolean(ref, value):
    return f'<c r="{ref}" t="b"><v>{1 if value else 0}</v></c>'


def formula(ref, source, value):
    if isinstance(value, str):
        return f'<c r="{ref}" t="str"><f>{escape(source)}</f><v>{escape(value)}</v></c>'
    return f"<c r=\"{ref}\"><f>{escape(source)}</f><v>{value}</v></c>"


def mixed_rows(rows, volatile=False, sumif=True):
    for block in range(1, rows + 1, 5000):
        first, last = block, block + 4999
        # What the block's conditional sums and lookups find for each key of column E.
        sums, rows_of = {}, {}
        for r in range(first, min(last, rows) + 1):
            key = r % 13 + 1
            sums[key] = sums.get(key, 0) + r
            rows_of.setdefault(key, r)
        running = 0
        for r in range(first, min(last, rows) + 1):
            key = r % 13 + 1
            running += r
            total = f"A{r}" if r == first else f"I{r - 1}+A{r}"
            kind = r % 4
            if not sumif and kind == 1:
                # the conditional sums are where the peer spends most of its time
                kind = 3
            if kind == 3:
                start = max(first, r - 99)
                other = f"SUM(A{start}:A{r})"
                value = (start + r) * (r - start + 1) // 2
            elif kind == 0:
                other = f"INDEX($B${first}:$B${last},MATCH(E{r},$E${first}:$E${last},0))"
                value = f"{rows_of[key] % 97}.25"
            elif kind == 1:
                other = f"SUMIF($E${first}:$E${last},E{r},$A${first}:$A${last})"
                value = sums[key]
            else:
                other = f'C{r}&" "&LEFT(UPPER(C{r}),4)'
                value = f"item {r} ITEM"
            cells = [number(f"A{r}", r), number(f"B{r}", f"{r % 97}.25"), text(f"C{r}", f"item {r}"),
                     boolean(f"D{r}", r % 2), number(f"E{r}", key), number(f"F{r}", repr(r / 7)),
                     number(f"G{r}", r * 3), number(f"H{r}", 100 - r % 50), formula(f"I{r}", total, running),
                     formula(f"J{r}", other, value)]
            # The input of tools/bench-scale.sh's slider: L{r} = L{r-1} + $K$1, L1 = $K$1 + I1.
            if r == 1:
                cells.append(number("K1", 1))
            if r <= 100:
                cells.append(formula(f"L{r}", "$K$1+I1" if r == 1 else f"L{r - 1}+$K$1", r + 1))
            if r == 1:
                # Text formulas are every fourth row of J; the rest of I and J are numbers.
                numbers = rows + sum(1 for k in range(1, rows + 1) if k % 4 != 2)
                cells.append(formula("M1", f"COUNT(I1:J{rows})", numbers))
            if r == 1 and volatile:
                # Cells whose values change by themselves: the movie recalculates them after
                # every change of an input.
                today = (datetime.date.today() - datetime.date(1899, 12, 30)).days
                cells += [formula("N1", "TODAY()", today), formula("N2", "RAND()", 0.5)]
            yield r, cells


def running_rows(rows):
    yield 1, [text("A1", "n"), text("B1", "total")]
    for r in range(2, rows + 2):
        n = r - 1
        yield r, [number(f"A{r}", n), formula(f"B{r}", f"SUM($A$2:A{r})", n * (n + 1) // 2)]


def windows_rows(rows):
    for r in range(1, rows + 1):
        last = min(r + 9, rows)
        yield r, [number(f"A{r}", r), formula(f"B{r}", f"SUM(A{r}:A{r + 9})", (r + last) * (last - r + 1) // 2),
                  formula(f"C{r}", f"SUM($A$1:A{r})", r * (r + 1) // 2)]


def main():
    args = [a for a in sys.argv[1:] if a not in ("--volatile", "--no-sumif")]
    volatile = "--volatile" in sys.argv
    sumif = "--no-sumif" not in sys.argv
    if len(args) != 3 or args[0] not in ("mixed", "running", "windows"):
        sys.exit(__doc__)
    kind, rows, out = args[0], int(args[1]), args[2]
    generate = {"mixed": lambda n: mixed_rows(n, volatile, sumif), "running": running_rows,
                "windows": windows_rows}[kind]
    with zipfile.ZipFile(out, "w", zipfile.ZIP_DEFLATED, compresslevel=1) as book:
        book.writestr("[Content_Types].xml", CONTENT_TYPES)
        book.writestr("_rels/.rels", ROOT_RELS)
        book.writestr("xl/workbook.xml", WORKBOOK)
        book.writestr("xl/_rels/workbook.xml.rels", WORKBOOK_RELS)
        with book.open("xl/worksheets/sheet1.xml", "w") as sheet:
            sheet.write(b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
                        b'<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
                        b"<sheetData>")
            for r, cells in generate(rows):
                sheet.write(f'<row r="{r}">{"".join(cells)}</row>'.encode())
            sheet.write(b"</sheetData></worksheet>")


if __name__ == "__main__":
    main()
