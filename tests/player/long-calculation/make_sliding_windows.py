#!/usr/bin/env python3
"""Writes sliding-windows.xlsx, the workbook of the windows check (publish_first_calculation):
ranges of one column read by many formulas that start on different rows, computed by
LibreOffice Calc. Column A holds ROWS values: decimals, one huge number, a text, a blank, an
error (=1/0) and, from row 31 on, formulas reading the windows above; B{r} = SUM(A{r}:A{r+4}),
C{r} = AVERAGE of the same, D{r} = COUNT of the same, E{r} = SUM($A$1:A{r}), F{r} =
SUM(A{r}:A{r+4},1); the last windows reach past the column's last value.

Usage: make_sliding_windows.py [rows] [output folder]   (needs soffice; CI does not run this)
"""
from make_long_calculation import make

NAME = "sliding-windows.xlsx"


def value(r):
    if r == 5:
        return "<v>1e15</v>"
    if r == 7:
        return None
    if r == 12:
        return "text"
    if r == 25:
        return "<f>1/0</f>"
    if r > 30:
        return f"<f>B{r - 30}/10</f>"
    return f"<v>{r * 0.37:.2f}</v>"


def sheet(rows):
    out = ['<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\n'
           '<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>']
    for r in range(1, rows + 1):
        a = value(r)
        if a == "text":
            cells = [f'<c r="A{r}" t="inlineStr"><is><t>seven</t></is></c>']
        elif a is None:
            cells = []
        else:
            cells = [f'<c r="A{r}">{a}</c>']
        window = f"A{r}:A{r + 4}"
        for column, source in (("B", f"SUM({window})"), ("C", f"AVERAGE({window})"), ("D", f"COUNT({window})"),
                               ("E", f"SUM($A$1:A{r})"), ("F", f"SUM({window},1)")):
            cells.append(f'<c r="{column}{r}"><f>{source}</f></c>')
        out.append(f'<row r="{r}">{"".join(cells)}</row>')
    out.append("</sheetData></worksheet>")
    return "".join(out)


def main():
    make(NAME, sheet, 40)


if __name__ == "__main__":
    main()
