// The main road: import a workbook, place components, bind them to cells, preview, save and
// publish, over pictures of the designer taken on that road (tools/tutorial-pictures.sh).
#include "shared/tutorial/scenes.as"

var kvPalette = ["Slider", "Dial", "Gauge", "Value", "Progress Bar", "Column Chart", "Pie Chart", "Combo Box",
                 "Check Box", "Label", "Background", "Scenario"];

// The road's five steps, the first n of them done and step "at" lit.
function kvRoad(clip, done, at) {
    var steps = ["Import", "Place", "Bind", "Preview", "Publish"];
    kvTutRect(clip, kvCanvasX + 4, kvCanvasY + 40, kvCanvasW - 8, 70, 0xF7F9FB, 0x8A939C);
    for (var i = 0; i < 5; i++) {
        var x = kvCanvasX + 12 + i * 56;
        kvTutRect(clip, x, kvCanvasY + 60, 46, 28, i == at ? 0xE07020 : i < done ? 0x3A5F85 : 0xE4E8EC, 0x555555);
        kvTutCentre(kvTutLabel(clip, x, kvCanvasY + 65, 46, steps[i], 8, i == at || i < done ? 0xFFFFFF : 0x222222, true));
        if (i < 4)
            kvTutArrow(clip, x + 47, kvCanvasY + 74, x + 55, kvCanvasY + 74, 0x555555);
    }
}

// The pointer visits the points one after another as the scene plays; the first is where the
// scene starts it.
function kvPath(p, points) {
    var i = Math.min(Math.floor(p * points.length), points.length - 1);
    kvTutPoint(points[i][0], points[i][1]);
}

// A scene over a picture whose pointer only visits places.
function kvVisit(caption, picture, points) {
    kvTutAdd(caption, points[0][0], points[0][1], function (clip, p, top) {
        kvPath(p, points);
    }, picture);
}

kvTutAdd("Welcome. This tutorial follows one dashboard from a workbook to a published movie, in five steps: import the workbook, place components, bind them to cells, preview the result and publish it.", 250, 130, function (clip, p, top) {
    kvRoad(top, 0, Math.min(Math.floor(p * 5), 4));
}, "kvTut1_designer");
kvTutAdd("This is the designer. The menus and the tool bar run along the top. On the left, the Components window holds the palette of everything you can place; the Object Browser below it lists what the document holds.", 32, 10, function (clip, p, top) {
    if (p < 0.4) {
        kvTutMark(top, 26, 4, 120, 20);
        kvTutPoint(32, 10);
    } else if (p < 0.7) {
        kvTutMark(top, 26, 22, 94, 166);
        kvTutPoint(79, 106);
    } else {
        kvTutMark(top, 26, 190, 94, 86);
        kvTutPoint(79, 234);
    }
}, "kvTut1_designer");
kvTutAdd("In the middle is the canvas, the movie's stage: what you place on it is what the published movie shows. A component's properties open in a window of their own.", 326, 156, function (clip, p, top) {
    kvTutMark(top, 122, 26, 372, 272);
}, "kvTut1_designer");
kvVisit("Start with File > New. The canvas is the size of the movie you will publish; File > Properties changes it.", "kvTut1_designer",
        [[32, 10]]);
kvVisit("Import the workbook: open the Data menu, choose Import Model..., name the workbook, here regional-sales.xlsx, and press OK. Workbooks of the spreadsheet program and of LibreOffice both open.", "kvTut1_designer",
        [[58, 10]]);
kvVisit("The status bar says Model Import Done. The formulas come along: the published movie calculates them itself, with no spreadsheet behind it.", "kvTut1_imported",
        [[446, 305]]);
kvVisit("Place: the palette lists the components by kind. Open its drop-down and choose a kind: single values, charts, selectors, maps, art and more.", "kvTut1_categories",
        [[107, 72], [38, 123], [50, 154]]);
kvVisit("Click a component in the palette, here Horizontal Slider from Single Value, then click the canvas where it goes. It appears there, selected, and the Object Browser lists it.", "kvTut1_placed",
        [[90, 89], [281, 78]]);
kvVisit("Place a Column Chart from Charts, a Gauge from Single Value, a Label from Art and Background and a Combo Box from Selectors the same way.", "kvTut1_placed",
        [[427, 187], [271, 235], [359, 59], [268, 299]]);
kvTutAdd("Drag a component to move it, and a handle to size it. View > Grid... shows a grid and makes components snap to it.", 268, 299, function (clip, p, top) {
    var wiggle = Math.sin(kvTutPart(p, 0.2, 0.7) * Math.PI) * 14;
    kvTutPoint(268 + wiggle, 299);
}, "kvTut1_placed");
kvVisit("To line components up, select them together (drag a frame round them) and choose Format > Align. Make Same Size and Space Evenly are there too.", "kvTut1_placed",
        [[200, 40], [107, 6]]);
kvVisit("Bind: double-click the slider. Its properties open in a window of their own: General for the cells it is bound to, Behavior, Alerts and Appearance for how it acts and looks.", "kvTut1_slider-sheet",
        [[57, 52], [294, 22]]);
kvVisit("Press the small button beside Link to Cell: the Select Cells window shows the workbook.", "kvTut1_slider-sheet",
        [[434, 98], [520, 98]]);
kvVisit("Click the cell the slider writes, here B2, the units of the North region, and press OK. The slider now writes into B2 whenever a viewer moves it.", "kvTut1_cells",
        [[124, 63], [412, 295]]);
kvVisit("On the Behavior page type the Minimum Value and the Maximum Value: the values a viewer may choose, here from 0 to 300.", "kvTut1_slider-limit",
        [[326, 22], [378, 88], [495, 88]]);
kvVisit("Select the chart. On its General page type the chart's title, and press the button beside a series' Values to pick its cells, here the revenues D2:D5.", "kvTut1_chart-sheet",
        [[189, 152], [461, 44], [537, 165]]);
kvVisit("Bind the gauge, the label and the combo box the same way. Now every component reads or writes its cells, and the canvas shows their values.", "kvTut1_bound",
        [[271, 235], [359, 59], [268, 299]]);
kvVisit("Save the document with File > Save. It keeps the components, their bindings and the workbook together in one file.", "kvTut1_file-menu",
        [[10, 16], [24, 81]]);
kvVisit("Preview: press Preview on the tool bar. The canvas plays the movie just as a viewer will see it.", "kvTut1_preview",
        [[242, 29]]);
kvTutAdd("Drag the slider. Its cell changes, the workbook recalculates, and the gauge and the chart follow at once.", 250, 89, function (clip, p, top) {
    kvTutPoint(kvTutMix(250, 328, kvTutPart(p, 0.1, 0.8)), 89);
}, "kvTut1_preview");
kvVisit("Press Preview again to go back to designing. What a preview changes is not kept: the workbook holds its own values again.", "kvTut1_bound",
        [[242, 18]]);
kvVisit("File > Export Settings... decides where the movie's data comes from when it plays: the workbook's values as saved, or a connection to live data.", "kvTut1_file-menu",
        [[10, 16], [45, 147]]);
kvVisit("Publish: choose File > Export > Macromedia Flash (SWF)..., give the movie a name, here first-dashboard.swf, and save it.", "kvTut1_file-menu",
        [[27, 173], [171, 173]]);
kvVisit("The designer writes one movie. Its formulas were turned into the movie's own script, so the dashboard keeps calculating wherever it plays.", "kvTut1_played",
        [[267, 61], [422, 172]]);
kvVisit("File > Export > HTML... writes the movie with a web page around it, ready for a site; PowerPoint Slide puts it on a slide of a presentation.", "kvTut1_file-menu",
        [[27, 173], [139, 186]]);
kvTutAdd("That is the whole road: import, place, bind, preview, publish. The second tutorial shows alerts, dynamic visibility and scenarios; File > Samples holds finished dashboards to learn from.", 250, 130, function (clip, p, top) {
    kvRoad(top, 5, -1);
}, "kvTut1_played");

kvTutStart("regional-sales.xlsx", kvPalette);
