#!/usr/bin/env python3
"""Writes the designer's help pages into assets/help/ and the map from help context ids to them
(assets/help/topics.txt): the program's command and dialog topics by the groups below, and every
id a property page asks help for, found in the page's source, to the page written for it.

Run from the repository's root after a page gains a help id: python3 tools/help/make-help.py
"""
import html
import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
OUT = os.path.join(ROOT, "assets", "help")

# The program's topics (the second number of each pair in app/Help.cpp) by the page that
# describes them.
COMMAND_PAGES = {
    "file.html": [1, 2, 3, 4, 6, 7, 41, 45],
    "templates.html": [5],
    "edit.html": [10, 11, 12, 13, 14, 15, 16, 17],
    "workbook.html": [18, 19],
    "view.html": [9, 20, 21, 29, 30, 31, 32, 33, 34, 52],
    "arrange.html": [22, 23, 24, 25, 26, 27, 28],
    "export.html": [8, 36, 37, 42, 43, 44, 46, 47, 48, 49],
    "help.html": [38, 39, 40],
}

COMMANDS = {
    "file.html": ("The File menu", """
<p>The File menu makes, opens and keeps your dashboards. A dashboard is saved as one document
(<code>.vtd</code>) that holds its canvas, its components and the workbook they are bound to.</p>
<ul>
<li><b>New</b> starts an empty canvas; <b>New from Template</b> starts from a layout of the
<a href="templates.html">Templates</a> browser.</li>
<li><b>Open</b> and <b>Samples</b> open a document; the samples are finished dashboards to take
apart and learn from.</li>
<li><b>Save</b> and <b>Save As</b> write the document; nothing is published until you export it
(see <a href="export.html">Export</a>).</li>
<li><b>Document Properties</b> shows the document's description, canvas size and the workbook it
came from.</li>
</ul>"""),
    "templates.html": ("Templates and samples", """
<p>The browser lists categories on the left and their documents beside them. Choose one to see
its preview movie play and read its description; <b>OK</b> opens a copy, so the shipped file
stays as it was.</p>
<p>The samples show every component at work: a sales dashboard, a what-if planner, a map of
European regions, a report driven by selectors, a dashboard that loads XML data and a budget a
team plans together over a collaboration server.</p>"""),
    "edit.html": ("The Edit menu", """
<p><b>Undo</b> and <b>Redo</b> step through your changes to the canvas. <b>Cut</b>, <b>Copy</b>
and <b>Paste</b> move components with their bindings; a pasted component keeps its cells.
<b>Delete</b> removes the selected components and <b>Select All</b> selects every component on
the canvas.</p>"""),
    "workbook.html": ("The workbook", """
<p><b>Data &gt; Import Model</b> reads a spreadsheet workbook (<code>.xlsx</code>) into the
document. Its cells are the model: components show their values and write into them, and the
formulas keep calculating in the published movie.</p>
<p>The workbook window shows the imported sheets. When you bind a parameter, pick its cells here
by dragging over them; the range is written into the parameter's field.</p>"""),
    "view.html": ("The View menu and the canvas", """
<p>The <b>palette</b> lists the components by category; choose one and drag a rectangle on the
canvas to place it. The <b>Object Browser</b> lists everything on the canvas, so you can select
a component hidden under another.</p>
<p><b>Preview</b> plays the dashboard as it will be published, with the workbook calculating.
The canvas commands make the canvas smaller or larger, fit it to the components or to the
window.</p>"""),
    "arrange.html": ("The Format menu: aligning and arranging", """
<p>Select two or more components, then align their edges or centres, make them the same width
or height, space them evenly down or across, or centre them on the canvas. <b>Bring to Front</b>
and <b>Send to Back</b> change which component lies on top. <b>Group</b> makes several components
move as one; <b>Ungroup</b> parts them again.</p>"""),
    "export.html": ("Export: publishing the dashboard", """
<p><b>Export</b> writes the dashboard as one SWF movie in which the workbook keeps calculating.
<b>Export to HTML</b> writes the movie with a web page that shows it; the other exports put the
movie into a presentation or a mail. <b>Snapshot</b> exports keep the values as they are now.</p>
<p><b>Export Settings</b> choose where the data comes from when the movie plays: the workbook as
it was imported, another workbook, a web service, or a collaboration server (its gateway address
and how people log in).</p>"""),
    "help.html": ("Help", """
<p><b>Help Contents</b> opens these pages; <b>F1</b> on a dialog or a property page opens the
page about it. <b>About</b> shows the program's version.</p>"""),
}

# One page for each property page, named after its source file.
PAGES = {
    "AlertsPage": ("Alerts", "Colours a component by how its value compares with a target: switch alerts on, choose whether high or low values are good, set the thresholds as percentages of the target (or as values) and the colour of each band. An alert button can watch the component and light in its worst colour."),
    "BackgroundGeneralPage": ("Background: General", "Chooses the background's art: the built-in shape or an image file of your own that is embedded in the movie."),
    "ChartAppearancePage": ("Chart: Appearance", "Sets the chart's look: its layout, series colours and markers, axes, titles and text formats. The sub-pages show the parts of the chart one by one."),
    "ChartAxisPage": ("Chart: Axes", "Sets each axis's scale (automatic or fixed minimum and maximum), its divisions, tick marks, labels and their number format."),
    "ChartBehaviorPage": ("Chart: Behavior", "Sets how the chart responds: whether the viewer may zoom its scale, how the scale grows with the data, which rows or columns are series, and when the chart is shown (dynamic visibility)."),
    "ChartGeneralPage": ("Chart: General", "Binds the chart to its cells: the title and subtitle, the data range, the series names and the category labels. Pick each range in the workbook window."),
    "ChartLayoutPage": ("Chart: Layout", "Places the chart's areas: the chart and plot areas' fills and borders, and the space kept for the axes."),
    "ChartSeriesPage": ("Chart: Series", "Sets each series' colour, line weight, markers, transparency and value labels."),
    "ChartTitlesPage": ("Chart: Titles and legend", "Sets the fonts of the titles and the legend's place, box and text."),
    "CollaborationPages": ("Collaboration components", "The login, people list and shared scenario components work with a collaboration server: give its gateway address in Export Settings and choose that people log in with the login component."),
    "ComboSeriesPage": ("Combination chart: Series", "Chooses how each series of a combination chart is drawn (columns or a line) and on which axis."),
    "CommonBehaviorPage": ("Behavior", "Sets when the component is shown (a status cell and the key that shows it) and its entry effect with its duration."),
    "FillBorderAppearancePage": ("Appearance: Fill and border", "Sets the fill colour and its transparency, and the border's colour, weight and transparency."),
    "InputTextAppearancePage": ("Text input: Appearance", "Sets the text input's font, alignment, fill and border."),
    "InputTextBehaviorPage": ("Text input: Behavior", "Sets whether the text is inserted as typed or on Enter, the maximum number of characters, scroll bars and when the component is shown."),
    "InputTextGeneralPages": ("Text input: General", "Binds the label and the cell the typed text goes into, and the default text the field starts with."),
    "LabelAppearancePage": ("Label: Appearance", "Sets the label's font, size, colour, alignment and number format."),
    "LabelBehaviorPage": ("Label: Behavior", "Sets when the label is shown and its entry effect."),
    "LabelGeneralPage": ("Label: General", "Binds the label's text to a cell, or types it; a bound label shows the cell's value as it changes."),
    "LineGeneralPage": ("Line: General", "Sets the line's colour and weight."),
    "MapAppearancePage": ("Map: Appearance", "Sets the regions' colours, the colour of the selected region and the map's border."),
    "PlayOptionsBehaviorPage": ("Play control: Behavior", "Sets the range the control plays through, its step and play time, and whether it rewinds or replays."),
    "ScenarioGeneralPage": ("Scenario: General", "Binds the cells a scenario keeps; the viewer saves their values under a name and loads them back."),
    "SelectorAppearancePage": ("Selector: Appearance", "Sets the selector's fonts, colours and the look of the chosen item."),
    "SelectorBehaviorPage": ("Selector: Behavior", "Sets the item chosen at start, when the selection is inserted (on click or mouse over), sounds, and when the selector is shown."),
    "SelectorGeneralPage": ("Selector: General", "Binds the labels the selector lists, the source data and the cells the choice is inserted into, and what is inserted: the position, the label, a value, or a whole row or column."),
    "SingleValueAppearancePage": ("Single value: Appearance", "Sets the title and value fonts, the number format, and the colours of the slider, gauge, dial or progress bar."),
    "SingleValueBehaviorPage": ("Single value: Behavior", "Sets the minimum, maximum and step, whether the scale follows the value, mouse sensitivity, and when the component is shown."),
    "SingleValueGeneralPage": ("Single value: General", "Binds the title and the value's cell. An input such as a slider writes into the cell; a display shows it."),
    "TableSelectorPages": ("List view", "Binds the rows the list view shows, the source rows and the cells a clicked row is inserted into."),
    "TrendIconGeneralPage": ("Trend icon: General", "Binds the cell whose change the icon shows: up, down or level."),
    "UrlButtonPages": ("URL button", "Binds the button's label and the web address it opens, and the window it opens in."),
    "XmlDataGeneralPage": ("XML data: General", "Sets the address the data is loaded from or sent to, and the named ranges that are sent and loaded."),
    "XmlDataPages": ("XML data: Behavior and appearance", "Sets when the data is loaded (on start, on an interval) and the component's look."),
}


# Pictures of the designer (tools/help/take-screenshots.sh) shown on a page, with what they show.
PICTURES = {
    "ChartGeneralPage": ("designer-map.png", "The map sample in the designer: the column chart is selected and its "
                         "General page, on the right, names the cells of its title and labels."),
}


def page_name(stem):
    return re.sub(r"(?<!^)(?=[A-Z])", "-", stem).lower().replace("-pages", "").replace("-page", "") + ".html"


def help_ids(text):
    """The ids a page asks help for: numbers of 100 and more in its GetHelpContextId and its
    tables of help topics."""
    found = []
    for m in re.finditer(r"GetHelpContextId\(\)[^;{]*\{", text):
        depth, i = 1, m.end()
        while depth and i < len(text):
            depth += {"{": 1, "}": -1}.get(text[i], 0)
            i += 1
        found += re.findall(r"\b(\d{3,5})\b", text[m.end():i])
    for m in re.finditer(r"ChartHelpRow\s+\w+\s*=\s*\{([^}]*)\}", text):
        found += re.findall(r"\b(\d{3,5})\b", m.group(1))
    return sorted({int(n) for n in found})


def write_page(name, title, body, extra=""):
    with open(os.path.join(OUT, name), "w") as f:
        f.write(f"""<!DOCTYPE html>
<html lang="en"><head><meta charset="utf-8"><title>{html.escape(title)} - Vantorel Help</title>
<link rel="stylesheet" href="help.css"></head>
<body><p class="nav"><a href="index.html">Contents</a> | <a href="main-road.html">From a workbook to a published dashboard</a></p>
<h1>{html.escape(title)}</h1>
{body}{extra}
</body></html>
""")


def main():
    os.makedirs(OUT, exist_ok=True)
    lines = ["# help context id, then the page that describes it (written by tools/help/make-help.py)"]
    for page, topics in COMMAND_PAGES.items():
        lines += [f"{t} {page}" for t in topics]
    page_ids = {}
    folder = os.path.join(ROOT, "pages")
    for file in sorted(os.listdir(folder)):
        stem, ext = os.path.splitext(file)
        if ext not in (".cpp", ".h") or stem not in PAGES:
            continue
        for n in help_ids(open(os.path.join(folder, file)).read()):
            page_ids.setdefault(n, page_name(stem))
    lines += [f"{n} {page}" for n, page in sorted(page_ids.items())]
    with open(os.path.join(OUT, "topics.txt"), "w") as f:
        f.write("\n".join(lines) + "\n")
    for page, (title, body) in COMMANDS.items():
        write_page(page, title, body)
    for stem, (title, text) in PAGES.items():
        picture = ""
        if stem in PICTURES:
            file, caption = PICTURES[stem]
            picture = f'<p><img src="{file}" alt="{html.escape(caption)}" style="max-width:100%"><br><i>{html.escape(caption)}</i></p>\n'
        write_page(page_name(stem), title, f"<p>{html.escape(text)}</p>\n" + picture,
                   "<p>Every parameter that takes cells has a button beside it: press it and pick the cells in the "
                   "workbook window. Changes show on the canvas at once and in the movie when you preview or "
                   "publish.</p>\n")
    contents = ["<h2>Getting started</h2>", "<ul><li><a href=\"main-road.html\">From a workbook to a published dashboard</a></li>",
                "<li><a href=\"templates.html\">Templates and samples</a></li></ul>", "<h2>Menus and windows</h2><ul>"]
    contents += [f"<li><a href=\"{p}\">{html.escape(t)}</a></li>" for p, (t, _) in COMMANDS.items() if p != "templates.html"]
    contents += ["</ul>", "<h2>Property pages</h2><ul>"]
    contents += [f"<li><a href=\"{page_name(s)}\">{html.escape(t)}</a></li>" for s, (t, _) in sorted(PAGES.items(), key=lambda kv: kv[1][0])]
    contents += ["</ul>"]
    write_page("index.html", "Vantorel Help", "<p>Vantorel turns a spreadsheet workbook into an interactive dashboard published as one movie.</p>\n" + "\n".join(contents) + "\n")


if __name__ == "__main__":
    main()
