#!/usr/bin/env python3
"""Writes the sources of the components' help movies into tools/help/movies/: one description
per movie (docs/document-description.md), each the component at work over the cells of
help-cells.gnumeric with a caption saying what it is for and how it is bound. Each is a live
dashboard: an input moves its cells and a label shows a formula over them; a component that only
shows its cells has a slider beside it that moves them. A movie is named
after its symbol, and for a component whose insert option (or play order) picks what it does,
after its symbol and that choice too: <symbol>.swf and <symbol>_<choice>.swf. The build
publishes them into asset/help/ of the installation.

It also writes the palette's previews into tools/help/previews/: for every component and every
look of the catalogue (its folders under assets/component, in the catalogue's order), the
component as placed, with its default parameters, in that look, fitted to the palette's preview
box. They are named as the palette asks for them, <symbol><look number>, and the build publishes
them into asset/ of the installation.

Run from the repository's root, then remake the workbook:
    python3 tools/help/make-help-movies.py
    ssconvert -T Gnumeric_Excel:xlsx2 tools/help/movies/help-cells.gnumeric tools/help/movies/help-cells.xlsx
"""
import html
import json
import os
import textwrap
import xml.etree.ElementTree as ET

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "tools", "help", "movies")

# Sheet "Cells": regions with this and last year's numbers and a size; the single value in J1
# and a formula over it in J2; where selectors insert (E to G); texts the components show.
CELLS = [("A1", "North"), ("A2", "South"), ("A3", "East"), ("A4", "West"), ("A5", "Central"),
         ("B1", 42), ("B2", 35), ("B3", 58), ("B4", 27), ("B5", 31),
         ("C1", 30), ("C2", 28), ("C3", 45), ("C4", 33), ("C5", 24),
         ("D1", 5), ("D2", 9), ("D3", 7), ("D4", 4), ("D5", 6),
         ("B6", "This year"), ("C6", "Last year"),
         ("A7", "Sales by region"), ("A8", "Value"), ("A9", "Pick a region"), ("A6", "Twice the value"),
         ("A10", "CA"), ("A11", "TX"), ("A12", "NY"), ("A13", "FL"), ("A14", "IL"),
         ("A15", "DE"), ("A16", "FR"), ("A17", "GB"), ("A18", "IT"), ("A19", "ES"),
         ("A20", "Type a note here."), ("A21", "Open the site"), ("B21", "https://www.example.com/"),
         ("A22", "Load data"), ("B22", "data.xml"), ("A23", "Region"), ("B23", "Year"),
         ("J1", 40), ("J2", "=J1*2"), ("J3", '="Twice the value (J2 = J1*2): "&J2'),
         ("E1", "-"), ("F1", "-"), ("G1", "-"), ("E2", "-"), ("E3", "-"), ("E4", "-"), ("E5", "-"),
         ("H1", '="Inserted: "&E1'), ("H2", '="Inserted: "&E1&", "&F1&", "&G1'),
         ("H3", '="Inserted: "&E1&", "&E2&", "&E3&", "&E4&", "&E5'),
         ("A24", "Drag me: I write J1"), ("A25", "Drag me: I write North's value, B1"),
         ("J4", '="Total of B1:C5: "&SUM(B1:C5)')]

PURPOSE = {
    "FScrollBoxSymbol": "A scroll box holds content larger than its frame and scrolls it.",
    "FScrollEditSymbol": "A scroll edit is a field to type text into.",
    "KVAlertButtonSymbol": "An alert button lights in the worst alert colour of the components it watches.",
    "KVBackgroundSymbol": "A background groups components on a panel of its own colour.",
    "KVBackground2Symbol": "A rounded card with a shadow to group components on.",
    "KVBackground3Symbol": "A background panel to group components on.",
    "KVBackground4Symbol": "A background panel to group components on.",
    "KVBackground5Symbol": "A background frame to group components on.",
    "KVBarChartSymbol": "A bar chart compares values with bars across.",
    "KVBubbleChartSymbol": "A bubble chart shows X, Y and a size for each point.",
    "KVCheckBoxSymbol": "A check box inserts one value while checked and another while not.",
    "KVColumnChartSymbol": "A column chart compares values with upright columns.",
    "KVComboBoxSymbol": "A combo box chooses one item of a drop-down list.",
    "KVComboChartSymbol": "A combination chart draws one series as columns and the others as lines.",
    "KVConnectionLightSymbol": "A connection light shows whether the movie reaches its server.",
    "KVDialSymbol": "A dial is turned to set a value.",
    "KVFilterSymbol": "A filter narrows the rows of a table list by list.",
    "KVGaugeSymbol": "A gauge shows a value with a needle.",
    "KVGridSymbol": "A grid shows a table of values; drag a number up or down to change it.",
    "KVInputTextSymbol": "A text input takes what the viewer types.",
    "KVLabelCompSymbol": "A label shows a text or a cell's value.",
    "KVLineChartSymbol": "A line chart shows values as a line over the categories.",
    "KVLineSymbol": "A horizontal line divides a dashboard.",
    "KVLineSymbolV": "A vertical line divides a dashboard.",
    "KVListBoxSymbol": "A list box chooses one item of a list.",
    "KVLoginSymbol": "A login asks for a name and a password for the collaboration server.",
    "KVMapEuropeSymbol": "A map of Europe colours countries by their values; a click chooses one.",
    "KVMapUSASymbol": "A map of the states colours them by their values; a click chooses one.",
    "KVMenuSymbol": "A menu chooses one item of a list that opens.",
    "KVPeopleListSymbol": "A people list shows who is connected to the collaboration server.",
    "KVPieChartSymbol": "A pie chart shows each value's share of the whole.",
    "KVPlayNormalSymbol": "A play control steps a value from a minimum to a maximum.",
    "KVPlaySelectorSymbol": "A play selector plays rows or columns of data into cells, one after another.",
    "KVProgressBarHSymbol": "A progress bar shows a value as a filled bar.",
    "KVProgressBarVSymbol": "A vertical progress bar shows a value as a filled bar.",
    "KVPushButtonSymbol": "A push button inserts its value when pressed.",
    "KVRadioButtonSetSymbol": "Radio buttons choose one item of a short list.",
    "KVRemoteScenarioSymbol": "A shared scenario keeps cells' values on the collaboration server for everyone.",
    "KVScenarioSymbol": "A scenario saves the values of cells under a name and loads them back.",
    "KVSliderHSymbol": "A slider is dragged to set a value.",
    "KVSliderVSymbol": "A vertical slider is dragged to set a value.",
    "KVStackBarChartSymbol": "A stacked bar chart adds the series up, piece by piece, across.",
    "KVStackColumnChartSymbol": "A stacked column chart adds the series up, piece by piece.",
    "KVTableNewSymbol": "A list view shows rows of a table; a click inserts a row into cells.",
    "KVTextAreaInputSymbol": "A text area takes several lines of text.",
    "KVTrendIconSymbol": "A trend icon shows whether a value went up or down.",
    "KVUrlButtonSymbol": "A URL button opens a web address.",
    "KVValueDisplaySymbol": "A value display shows a cell's value in its number format.",
    "KVXMLDataSymbol": "An XML data connection loads ranges of cells from a web address.",
    "KVXYChartSymbol": "An XY chart plots points by their X and Y values.",
}

VARIANT = {
    "position": "inserts the position of the chosen item (1, 2, ...)",
    "label": "inserts the label of the chosen item",
    "value": "inserts the chosen item's value from the source data",
    "rows": "inserts the chosen item's whole row of the source data",
    "columns": "inserts the chosen column of the source data",
    "code": "inserts the region's code",
    "row": "plays the source data row by row",
    "column": "plays the source data column by column",
}

SINGLE = {"KVSliderHSymbol", "KVSliderVSymbol", "KVDialSymbol", "KVGaugeSymbol", "KVProgressBarHSymbol",
          "KVProgressBarVSymbol", "KVValueDisplaySymbol", "KVPlayNormalSymbol"}
INPUTS = {"KVSliderHSymbol", "KVSliderVSymbol", "KVDialSymbol", "KVPlayNormalSymbol", "KVInputTextSymbol",
          "KVGridSymbol", "KVScenarioSymbol", "KVTrendIconSymbol"}
CHARTS = {"KVColumnChartSymbol", "KVBarChartSymbol", "KVLineChartSymbol", "KVPieChartSymbol"}
SERIES_CHARTS = {"KVStackBarChartSymbol", "KVStackColumnChartSymbol", "KVComboChartSymbol"}
SELECTORS = {"KVComboBoxSymbol", "KVListBoxSymbol", "KVRadioButtonSetSymbol", "KVMenuSymbol", "KVPushButtonSymbol",
             "KVCheckBoxSymbol", "KVAlertButtonSymbol"}


# A component that only shows its cells is driven by a slider beside it, so the person moves the
# value and watches the component follow: the slider's cell and the cell of its title.
DRIVEN_BY_J1 = {"KVGaugeSymbol", "KVProgressBarHSymbol", "KVProgressBarVSymbol", "KVValueDisplaySymbol",
                "KVTrendIconSymbol", "KVLabelCompSymbol", "KVScenarioSymbol", "KVRemoteScenarioSymbol"}
DRIVEN_BY_B1 = CHARTS | SERIES_CHARTS | {"KVXYChartSymbol", "KVBubbleChartSymbol"}


def driver(symbol):
    """The slider that drives a component which only shows its cells: (its cell, its title's cell,
    the sentence the caption adds), or None."""
    if symbol in DRIVEN_BY_J1:
        return "Cells!J1", "Cells!A24", "Drag the slider below to change J1."
    if symbol in DRIVEN_BY_B1:
        return "Cells!B1", "Cells!A25", "Drag the slider below to change B1."
    return None


def component(symbol, variant):
    """The component's General parameters, its size, how its binding reads in the caption, and
    the cell a label shows its effect from (or None)."""
    if symbol == "KVSliderVSymbol":
        return {"title": "Cells!A8", "mv": "Cells!J1"}, (80, 180), "Its value is bound to cell J1.", "J3"
    if symbol == "KVDialSymbol":
        return {"title": "Cells!A8", "mv": "Cells!J1"}, (300, 150), "Its value is bound to cell J1.", "J3"
    if symbol == "KVProgressBarVSymbol":
        return {"title": "Cells!A8", "mv": "Cells!J1"}, (80, 130), "Its value is bound to cell J1.", None
    if symbol in SINGLE:
        return {"title": "Cells!A8", "mv": "Cells!J1"}, (300, 90), "Its value is bound to cell J1.", "J3" if symbol in INPUTS else None
    if symbol == "KVTrendIconSymbol":
        return {"mv": "Cells!J1"}, (40, 40), "It watches cell J1.", None
    if symbol == "KVGridSymbol":
        return {"title": "Cells!A7", "mv": "Cells!B1:C5"}, (300, 150), "Its numbers are bound to cells B1:C5.", "J4"
    if symbol in CHARTS:
        return ({"chartTitle": "Cells!A7", "dataValues": "Cells!B1:B5", "categoryLabels": "Cells!A1:A5"}, (360, 190),
                "Its data is bound to B1:B5, its labels to A1:A5.", None)
    if symbol in SERIES_CHARTS:
        return ({"chartTitle": "Cells!A7", "dataValues": "Cells!B1:C5", "seriesNames": "Cells!B6:C6",
                 "categoryLabels": "Cells!A1:A5"}, (360, 190), "Two series in B1:C5, named in B6:C6.", None)
    if symbol == "KVXYChartSymbol":
        return {"chartTitle": "Cells!A7", "dataValues": "Cells!B1:C5"}, (360, 190), "X values in B1:B5, Y values in C1:C5.", None
    if symbol == "KVBubbleChartSymbol":
        return {"chartTitle": "Cells!A7", "dataValues": "Cells!B1:D5"}, (360, 190), "X, Y and sizes in B1:D5.", None
    if symbol in SELECTORS or symbol == "KVFilterSymbol":
        general = {"labels": "Cells!A1:A5", "values": "Cells!B1:B5", "dataValues": "Cells!E1", "retInfo": variant}
        shown = "H1"
        if variant == "rows":
            general.update(values="Cells!A1:C5", dataValues="Cells!E1:G1")
            shown = "H2"
        elif variant == "columns":
            general.update(labels="Cells!B6:C6", values="Cells!B1:C5", dataValues="Cells!E1:E5")
            shown = "H3"
        if symbol == "KVFilterSymbol":
            general.update(labels="Cells!A23:B23", values="Cells!A1:C5", numFilters=2)
        else:
            general["title"] = "Cells!A9"
        size = {"KVComboBoxSymbol": (200, 24), "KVMenuSymbol": (200, 24), "KVPushButtonSymbol": (160, 30),
                "KVCheckBoxSymbol": (200, 24), "KVAlertButtonSymbol": (160, 30), "KVFilterSymbol": (300, 120)}.get(symbol, (200, 120))
        return general, size, f"It {VARIANT[variant]} into {general['dataValues'].split('!')[1]}.", shown
    if symbol in ("KVMapUSASymbol", "KVMapEuropeSymbol"):
        codes = "Cells!A10:A14" if symbol == "KVMapUSASymbol" else "Cells!A15:A19"
        return ({"title": "Cells!A7", "values": codes, "mv": "Cells!B1:B5", "dataValues": "Cells!E1", "retInfo": variant},
                (300, 190), f"Colours from B1:B5; it {VARIANT[variant]} into E1.", "H1")
    if symbol == "KVTableNewSymbol":
        return ({"dataValues_ary": "Cells!A1:C5", "sourceCells_ary": "Cells!A1:C5", "targetCells_ary": "Cells!E1:G1"},
                (300, 120), "It shows A1:C5 and inserts the clicked row into E1:G1.", "H2")
    if symbol == "KVPlaySelectorSymbol":
        if variant == "column":
            return ({"labels_ary": "Cells!B6:C6", "sourceCells_ary": "Cells!B1:C5", "targetCells_ary": "Cells!E1:E5",
                     "playBy": "column"}, (300, 56), "It plays B1:C5 column by column into E1:E5.", "H3")
        return ({"labels_ary": "Cells!A1:A5", "sourceCells_ary": "Cells!A1:C5", "targetCells_ary": "Cells!E1:G1",
                 "playBy": "row"}, (300, 56), "It plays A1:C5 row by row into E1:G1.", "H2")
    if symbol == "KVLabelCompSymbol":
        return {"labelValue": "Cells!J3"}, (300, 30), "Its text is bound to J3, a formula over J1.", None
    if symbol == "KVInputTextSymbol":
        return {"labelValue": "Cells!A8", "insertInto": "Cells!J1"}, (250, 40), "What is typed goes into cell J1.", "J3"
    if symbol == "KVTextAreaInputSymbol":
        return {"defaultText": "Cells!A20", "insertInto": "Cells!E1"}, (300, 100), "It starts with A20 and writes into E1.", "H1"
    if symbol == "KVUrlButtonSymbol":
        return {"label": "Cells!A21", "url": "Cells!B21"}, (160, 30), "Its label is A21, its address B21.", None
    if symbol == "KVXMLDataSymbol":
        return ({"label": "Cells!A22", "url": "Cells!B22", "loadNames_ary": ["values"], "loadRanges_ary": "Cells!B1:B5"},
                (240, 40), "Pressed, it loads the range named values into B1:B5.", None)
    if symbol in ("KVScenarioSymbol", "KVRemoteScenarioSymbol"):
        return {"scenarioCells": "Cells!J1"}, (300, 150), "It keeps the value of cell J1.", None
    if symbol in ("KVLoginSymbol", "KVPeopleListSymbol", "KVConnectionLightSymbol"):
        return {}, {"KVConnectionLightSymbol": (30, 30), "KVLoginSymbol": (300, 130)}.get(symbol, (300, 130)), \
            "It needs a collaboration server in Export Settings.", None
    if symbol in ("KVLineSymbol",):
        return {}, (300, 10), "It has no cells; set its colour and weight.", None
    if symbol in ("KVLineSymbolV",):
        return {}, (10, 180), "It has no cells; set its colour and weight.", None
    return {}, (300, 180) if symbol.startswith("KVBackground") else (200, 100), "It has no cells of its own.", None


def variants():
    import glob
    for file in sorted(glob.glob(os.path.join(ROOT, "assets", "component", "default", "*.xml"))):
        root = ET.parse(file).getroot()
        symbol = root.get("symbol")
        yield symbol, None
        for name in ("retInfo", "playBy"):
            choice = next((p for p in root.iter("param") if p.get("name") == name and p.get("type") == "6"), None)
            if choice is not None:
                for c in choice.findall("choice"):
                    yield symbol, c.text
                break


def default_variant(symbol):
    root = ET.parse(os.path.join(ROOT, "assets", "component", "default", symbol + ".xml")).getroot()
    for name in ("retInfo", "playBy"):
        p = next((p for p in root.iter("param") if p.get("name") == name and p.get("type") == "6"), None)
        if p is not None:
            return p.get("value")
    return None


def main():
    captions = []
    for symbol, variant in variants():
        name = symbol if variant is None else f"{symbol}_{variant}"
        general, (w, h), binding, shown = component(symbol, variant or default_variant(symbol))
        drive = driver(symbol)
        sentence = f"{PURPOSE[symbol]} {binding}" + (f" {drive[2]}" if drive else "")
        lines = textwrap.wrap(sentence, 60)
        if len(lines) > 4:
            raise SystemExit(f"{name}: the caption takes {len(lines)} lines, four fit: {sentence}")
        captions.append(lines)
        row = len(captions)
        parts = [{"symbol": "KVBackgroundSymbol", "name": "Panel", "x": 0, "y": 0, "width": 400, "height": 300,
                  "parameters": {"Appearance": {"backColor": "#F7F9FB", "borderColor": "#C8CED6"}}}]
        if drive:
            # The component above, its slider below it.
            w, h = (300, 130) if symbol == "KVGaugeSymbol" else (w, min(h, 130))
            place = {"symbol": symbol, "name": "Shown", "x": (400 - w) // 2, "y": 5 + (130 - h) // 2, "width": w, "height": h}
        else:
            place = {"symbol": symbol, "name": "Shown", "x": (400 - w) // 2, "y": max(10, (200 - h) // 2), "width": w, "height": h}
        if general:
            place["parameters"] = {"General": general}
        if symbol == "KVXMLDataSymbol":
            # No server answers in the help window, so the data is loaded only when asked for.
            place["parameters"]["Behavior"] = {"refreshLoad": False}
        parts.append(place)
        if drive:
            parts.append({"symbol": "KVSliderHSymbol", "name": "Driver", "x": 50, "y": 140, "width": 300, "height": 55,
                          "parameters": {"General": {"title": drive[1], "mv": drive[0]}}})
        if shown:
            parts.append({"symbol": "KVLabelCompSymbol", "name": "Effect", "x": 20, "y": 198, "width": 360, "height": 24,
                          "parameters": {"General": {"labelValue": f"Cells!{shown}"}}})
        # A label keeps to one line, so the caption is wrapped here, a label a line, from the
        # bottom up.
        top = 296 - 18 * len(lines)
        for i in range(len(lines)):
            parts.append({"symbol": "KVLabelCompSymbol", "name": f"Caption{i + 1}", "x": 10, "y": top + 18 * i,
                          "width": 380, "height": 20,
                          "parameters": {"General": {"labelValue": f"Captions!{'ABCD'[i]}{row}"},
                                         "Appearance": {"formatValue": {"FontSize": 11, "FontColor": "#33475B"}}}})
        description = {"workbook": "help-cells.xlsx", "description": " ".join(captions[-1]),
                       "canvas": {"width": 400, "height": 300, "paper": "#F7F9FB"}, "components": parts}
        if symbol in ("KVLoginSymbol", "KVPeopleListSymbol", "KVConnectionLightSymbol", "KVRemoteScenarioSymbol"):
            description["exportSettings"] = {"mode": "currentExcel", "collaboration": True,
                                             "gatewayUrl": "https://collaboration.example.com/gateway",
                                             "connectionMethod": "loginComponent"}
        with open(os.path.join(OUT, name + ".json"), "w") as f:
            f.write(json.dumps(description, indent=1) + "\n")
    write_workbook(captions)
    write_previews()


# The palette's preview box, in pixels at the usual dialog font.
PREVIEW_WIDTH, PREVIEW_HEIGHT, PREVIEW_MARGIN = 210, 100, 6
ROUND_FACES = {"KVGaugeSymbol": (120, 100), "KVDialSymbol": (120, 100)}


def looks():
    """The catalogue's looks: its component folders but the defaults, sorted as it reads them."""
    folder = os.path.join(ROOT, "assets", "component")
    return sorted(n for n in os.listdir(folder) if n != "default" and os.path.isdir(os.path.join(folder, n)))


def write_previews():
    out = os.path.join(ROOT, "tools", "help", "previews")
    os.makedirs(out, exist_ok=True)
    for old in os.listdir(out):
        if old.endswith(".json"):
            os.remove(os.path.join(out, old))
    symbols = sorted({symbol for symbol, _ in variants()})
    for look in range(len(looks())):
        for symbol in symbols:
            _, (w, h), _, _ = component(symbol, default_variant(symbol))
            # A round face is drawn as large as the smaller side allows: square, it fills the box.
            w, h = ROUND_FACES.get(symbol, (w, h))
            # The component keeps its proportions, at most its size, within the box's margins.
            scale = min(1.0, (PREVIEW_WIDTH - 2 * PREVIEW_MARGIN) / w, (PREVIEW_HEIGHT - 2 * PREVIEW_MARGIN) / h)
            w, h = max(1, round(w * scale)), max(1, round(h * scale))
            description = {"catalogVariant": look,
                           "canvas": {"width": PREVIEW_WIDTH, "height": PREVIEW_HEIGHT, "paper": "#FFFFFF"},
                           "components": [{"symbol": symbol, "name": "Preview", "x": (PREVIEW_WIDTH - w) // 2,
                                           "y": (PREVIEW_HEIGHT - h) // 2, "width": w, "height": h}]}
            with open(os.path.join(out, f"{symbol}{look}.json"), "w") as f:
                f.write(json.dumps(description, indent=1) + "\n")


def write_workbook(captions):
    def cell(sheet_cells):
        out = []
        for a1, v in sheet_cells:
            col = ord(a1[0]) - 65
            row = int(a1[1:]) - 1
            if isinstance(v, str) and v.startswith("="):
                out.append(f'<gnm:Cell Row="{row}" Col="{col}">{html.escape(v, quote=False)}</gnm:Cell>')
            elif isinstance(v, str):
                out.append(f'<gnm:Cell Row="{row}" Col="{col}" ValueType="60">{html.escape(v, quote=False)}</gnm:Cell>')
            else:
                out.append(f'<gnm:Cell Row="{row}" Col="{col}" ValueType="40">{v}</gnm:Cell>')
        return "\n".join(out)
    sheets = {"Cells": CELLS,
              "Captions": [(f"{'ABCD'[j]}{i + 1}", line) for i, lines in enumerate(captions) for j, line in enumerate(lines)]}
    body = ['<?xml version="1.0" encoding="UTF-8"?>', '<gnm:Workbook xmlns:gnm="http://www.gnumeric.org/v10.dtd">',
            "<gnm:SheetNameIndex>"] + [f"<gnm:SheetName>{n}</gnm:SheetName>" for n in sheets] + ["</gnm:SheetNameIndex>", "<gnm:Sheets>"]
    for name, cells in sheets.items():
        body += [f"<gnm:Sheet><gnm:Name>{name}</gnm:Name><gnm:MaxCol>11</gnm:MaxCol><gnm:MaxRow>{max(len(cells), 30)}</gnm:MaxRow>",
                 "<gnm:Cells>", cell(cells), "</gnm:Cells></gnm:Sheet>"]
    body += ["</gnm:Sheets>", "</gnm:Workbook>", ""]
    with open(os.path.join(OUT, "help-cells.gnumeric"), "w") as f:
        f.write("\n".join(body))


if __name__ == "__main__":
    main()
