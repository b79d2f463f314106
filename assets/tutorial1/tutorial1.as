// The main road: import a workbook, place a slider, a value and a gauge, bind them to cells,
// preview, save and publish.
#include "shared/tutorial/scenes.as"

var kvPalette = ["Slider", "Dial", "Gauge", "Value", "Progress Bar", "Column Chart", "Pie Chart", "Combo Box",
                 "Check Box", "Label", "Background", "Scenario"];

// The workbook: the price an input, the units and the revenue formulas over it.
function kvUnits(price) {
    return 1000 - 20 * price;
}

function kvMoney(n) {
    var s = String(Math.round(n));
    if (s.length > 3)
        s = s.substr(0, s.length - 3) + "," + s.substr(s.length - 3);
    return s;
}

function kvRows(price) {
    return [["Price", String(price)], ["Units", kvMoney(kvUnits(price))], ["Revenue", kvMoney(price * kvUnits(price))]];
}

// Where the components sit on the canvas.
var kvSliderX = 124, kvSliderY = 72, kvSliderW = 140;
var kvValueX = 282, kvValueY = 72, kvValueW = 100;
var kvGaugeX = 196, kvGaugeY = 178, kvGaugeR = 34;

// The canvas as far as the road has come: which components are placed, whether they are bound,
// the price the slider stands at and the component selected.
function kvDoc(clip, placed, bound, price, selected, money) {
    kvTutPaper(clip);
    if (placed >= 1) {
        var fraction = bound ? (price - 5) / 20 : 0.3;
        kvTutSlider(clip, kvSliderX, kvSliderY, kvSliderW, fraction, bound ? "Price" : "Slider", bound ? String(price) : "0");
    }
    if (placed >= 2) {
        var revenue = price * kvUnits(price);
        kvTutValue(clip, kvValueX, kvValueY, kvValueW, bound ? "Revenue" : "Value",
                   bound ? (money ? "$" + kvMoney(revenue) : String(revenue)) : "0");
    }
    if (placed >= 3)
        kvTutGauge(clip, kvGaugeX, kvGaugeY, kvGaugeR, bound ? kvUnits(price) / 1200 : 0, bound ? "Units" : "Gauge");
    if (selected == "slider")
        kvTutHandles(clip, kvSliderX - 4, kvSliderY - 2, kvSliderW + 8, 50);
    if (selected == "value")
        kvTutHandles(clip, kvValueX - 4, kvValueY - 2, kvValueW + 8, 44);
    if (selected == "gauge")
        kvTutHandles(clip, kvGaugeX - kvGaugeR - 4, kvGaugeY - kvGaugeR - 20, 2 * kvGaugeR + 8, 2 * kvGaugeR + 24);
}

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

// Picks a cell for a field: the pointer goes to the field's button, then to the cell.
function kvPick(p, button, cell) {
    if (p < 0.35)
        kvTutPoint(button.x, button.y);
    else
        kvTutPoint(cell.x, cell.y);
}

kvTutAdd("Welcome. This tutorial follows one dashboard from a workbook to a published movie, in five steps: import the workbook, place components, bind them to cells, preview the result and publish it.", 250, 130, function (clip, p, top) {
    kvRoad(top, 0, Math.min(Math.floor(p * 5), 4));
});
kvTutAdd("This is the designer. The menus and the tool bar run along the top. On the left, the Components window holds the palette of everything you can place.", 52, 120, function (clip, p, top) {
    if (p < 0.4)
        kvTutMark(top, 2, 1, 210, 34);
    else
        kvTutMark(top, 3, 39, 98, 258);
    kvTutPoint(p < 0.4 ? 100 : 52, p < 0.4 ? 26 : 120);
});
kvTutAdd("In the middle is the canvas, the movie's stage. Below it the workbook window shows the cells; on the right, the property sheet shows the selected component's pages.", 250, 140, function (clip, p, top) {
    if (p < 0.33) {
        kvTutMark(top, kvCanvasX - 1, kvCanvasY - 1, kvCanvasW + 2, kvCanvasH + 2);
        kvTutPoint(250, 140);
    } else if (p < 0.66) {
        kvTutMark(top, kvBookX - 1, kvBookY - 1, kvBookW + 2, kvBookH + 2);
        kvTutPoint(250, 262);
    } else {
        kvTutMark(top, kvPropsX - 1, kvPropsY - 17, kvPropsW + 2, kvPropsH + 18);
        kvTutPoint(470, 150);
    }
});
kvTutAdd("Start with File > New. The canvas is the size of the movie you will publish; File > Properties changes it.", 30, 45, function (clip, p, top) {
    if (p < 0.8) {
        var at = kvTutMenu(top, 0, ["New", "New From Template...", "Open...", "Samples...", "Save", "Save As...", "Properties..."], p < 0.4 ? -1 : 0);
        kvTutPoint(p < 0.4 ? 18 : at.x, p < 0.4 ? 10 : at.y);
    }
    kvDoc(clip, 0, false, 12, "", false);
});
kvTutAdd("Import the workbook: open the Data menu and choose Import Model...", 96, 45, function (clip, p, top) {
    if (p < 0.9) {
        var at = kvTutMenu(top, 2, ["Import Model...", "Replace Data Selection..."], p < 0.35 ? -1 : 0);
        kvTutPoint(p < 0.35 ? 78 : at.x, p < 0.35 ? 10 : at.y);
    }
});
kvTutAdd("In the Open dialog choose the workbook, here pricing.xlsx, and press Open. Workbooks of the spreadsheet program and of LibreOffice both open.", 330, 200, function (clip, p, top) {
    kvTutWindow(top, 150, 90, 250, 140, "Open");
    kvTutRect(top, 158, 112, 234, 76, 0xFFFFFF, 0x8A939C);
    var files = ["budget.xlsx", "pricing.xlsx", "regions.xlsx", "sales.xlsx"];
    for (var i = 0; i < files.length; i++) {
        if (i == 1 && p > 0.4)
            kvTutRect(top, 160, 115 + i * 16, 230, 16, 0x3A5F85, undefined);
        kvTutLabel(top, 164, 114 + i * 16, 200, files[i], 9, i == 1 && p > 0.4 ? 0xFFFFFF : 0x222222, false);
    }
    kvTutButton(top, 330, 198, 60, 20, "Open", p > 0.85);
    kvTutPoint(p < 0.5 ? 200 : 360, p < 0.5 ? 139 : 208);
});
kvTutAdd("Its sheets appear in the workbook window. The formulas come along: the published movie calculates them itself, with no spreadsheet behind it.", 250, 262, function (clip, p, top) {
    kvTutBook(clip, kvRows(12), undefined);
    kvTutStatus(clip, "Model Import Done");
});
kvTutAdd("B1 holds the price, an input a viewer will change. B2 and B3 are formulas over it: the units sold fall as the price rises, and the revenue is price times units.", 185, 262, function (clip, p, top) {
    if (p < 0.4) {
        kvTutBook(top, kvRows(12), [[0, 1]]);
        kvTutPoint(kvTutCell(0, 1).x, kvTutCell(0, 1).y);
    } else {
        kvTutBook(top, kvRows(12), [[1, 1], [2, 1]]);
        kvTutLabel(top, kvBookX + 160, kvBookY + 28, 130, "B2 = 1000-20*B1", 9, 0xE07020, true);
        kvTutLabel(top, kvBookX + 160, kvBookY + 44, 130, "B3 = B1*B2", 9, 0xE07020, true);
        kvTutPoint(kvTutCell(2, 1).x, kvTutCell(2, 1).y);
    }
});
kvTutAdd("Place: the palette lists the components by kind: single values, charts, selectors, maps, art and more. Click Slider.", 30, 68, function (clip, p, top) {
    kvTutMark(top, 6, 58, 92, 18);
});
kvTutAdd("Then drag a rectangle on the canvas where the slider goes. It appears with its handles around it, selected.", 270, 120, function (clip, p, top) {
    var t = kvTutPart(p, 0.1, 0.8);
    if (p < 0.85) {
        kvTutPaper(clip);
        top.lineStyle(1, 0x3A5F85, 100);
        kvTutMark(top, kvSliderX - 4, kvSliderY - 2, (kvSliderW + 8) * t, 50 * t);
        kvTutPoint(kvSliderX - 4 + (kvSliderW + 8) * t, kvSliderY - 2 + 50 * t);
    } else {
        kvDoc(clip, 1, false, 12, "slider", false);
        kvTutPoint(kvSliderX + kvSliderW + 4, kvSliderY + 48);
    }
});
kvTutAdd("Drag a component to move it, and a handle to size it. View > Grid... shows a grid and makes components snap to it.", 190, 96, function (clip, p, top) {
    kvDoc(clip, 1, false, 12, "slider", false);
    var t = kvTutPart(p, 0.2, 0.7);
    var wiggle = Math.sin(t * Math.PI) * 14;
    kvTutMark(top, kvSliderX - 4 + wiggle, kvSliderY - 2, kvSliderW + 8, 50);
    kvTutPoint(190 + wiggle, 96);
});
kvTutAdd("Place a Value the same way, to show the revenue. A value displays one cell in a number format of your choice.", 330, 100, function (clip, p, top) {
    kvTutMark(top, 6, 112, 92, 18);
    if (p < 0.4)
        kvTutPoint(30, 122);
    else
        kvTutPoint(330, 100);
    kvDoc(clip, p < 0.6 ? 1 : 2, false, 12, p < 0.6 ? "slider" : "value", false);
});
kvTutAdd("And a Gauge, to show the units sold. A gauge's needle points at its value between a minimum and a maximum.", 196, 180, function (clip, p, top) {
    kvTutMark(top, 6, 94, 92, 18);
    if (p < 0.4)
        kvTutPoint(30, 104);
    else
        kvTutPoint(196, 180);
    kvDoc(clip, p < 0.6 ? 2 : 3, false, 12, p < 0.6 ? "value" : "gauge", false);
});
kvTutAdd("To line components up, select them together (drag a frame round them) and choose Format > Align. Make Same Size and Space Evenly are there too.", 150, 45, function (clip, p, top) {
    kvDoc(clip, 3, false, 12, "", false);
    if (p < 0.8) {
        var at = kvTutMenu(top, 4, ["Align", "Make Same Size", "Space Evenly", "Center in Document", "Bring To Front", "Send To Back", "Group", "Ungroup", "Change Style..."], p < 0.3 ? -1 : 0);
        kvTutPoint(p < 0.3 ? 150 : at.x, p < 0.3 ? 10 : at.y);
    }
});
kvTutAdd("Bind: double-click the slider. The property sheet shows its pages: General for the cells it is bound to, Behavior and Appearance for how it acts and looks.", 190, 96, function (clip, p, top) {
    kvDoc(clip, 3, false, 12, "slider", false);
    if (p > 0.3) {
        kvTutProps(clip, "Slider", ["General", "Behavior", "Appearance"], 0);
        kvTutField(clip, 0, "Title", "", false);
        kvTutField(clip, 1, "Data", "", false);
        kvTutField(clip, 2, "Minimum", "0", false);
        kvTutField(clip, 3, "Maximum", "100", false);
    }
    if (p < 0.3 && p > 0.1)
        kvTutClick(top, 190, 96);
});
kvTutAdd("Press the small button beside Title, then click cell A1 in the workbook window. The title now reads 'Price' from that cell.", 530, 115, function (clip, p, top) {
    var button = kvTutField(clip, 0, "Title", p > 0.7 ? "'Sheet1'!$A$1" : "", p > 0.3 && p <= 0.7);
    kvPick(p, button, kvTutCell(0, 0));
    if (p > 0.4)
        kvTutBook(top, kvRows(12), [[0, 0]]);
});
kvTutAdd("Press the button beside Data and pick B1. The slider now writes the price into B1 whenever a viewer moves it.", 530, 149, function (clip, p, top) {
    var button = kvTutField(clip, 1, "Data", p > 0.7 ? "'Sheet1'!$B$1" : "", p > 0.3 && p <= 0.7);
    kvPick(p, button, kvTutCell(0, 1));
    if (p > 0.4)
        kvTutBook(top, kvRows(12), [[0, 1]]);
    if (p > 0.7)
        kvDoc(clip, 3, false, 12, "slider", false);
});
kvTutAdd("Type the Minimum and the Maximum: the prices a viewer may choose, here from 5 to 25.", 480, 200, function (clip, p, top) {
    kvTutField(clip, 2, "Minimum", p > 0.3 ? "5" : "0", false);
    kvTutField(clip, 3, "Maximum", p > 0.6 ? "25" : "100", false);
    kvTutPoint(470, p < 0.45 ? 172 : 206);
});
kvTutAdd("Select the value and bind it the same way: its Data to B3, the revenue, and its Title to A3.", 530, 149, function (clip, p, top) {
    kvDoc(clip, 3, p > 0.8, 12, "value", false);
    kvTutProps(clip, "Value", ["General", "Behavior", "Appearance", "Alerts"], 0);
    kvTutField(clip, 0, "Title", p > 0.4 ? "'Sheet1'!$A$3" : "", false);
    kvTutField(clip, 1, "Data", p > 0.8 ? "'Sheet1'!$B$3" : "", p > 0.45 && p <= 0.8);
    kvTutPoint(p < 0.2 ? 330 : p < 0.6 ? 530 : kvTutCell(2, 1).x, p < 0.2 ? 100 : p < 0.6 ? 149 : kvTutCell(2, 1).y);
    if (p > 0.5)
        kvTutBook(top, kvRows(12), [[2, 1]]);
});
kvTutAdd("On the value's Appearance page choose a number format: currency without decimals. The canvas shows $9,120 at once.", 460, 150, function (clip, p, top) {
    kvTutProps(clip, "Value", ["General", "Behavior", "Appearance", "Alerts"], 2);
    kvTutLabel(clip, kvPropsX + 8, kvPropsY + 40, 120, "Number Format", 8, 0x333333, false);
    var formats = ["General", "Number", "Currency", "Percent", "Date"];
    for (var i = 0; i < formats.length; i++) {
        if (i == 2 && p > 0.5)
            kvTutRect(clip, kvPropsX + 10, kvPropsY + 58 + i * 16, kvPropsW - 20, 16, 0x3A5F85, undefined);
        kvTutLabel(clip, kvPropsX + 14, kvPropsY + 57 + i * 16, 100, formats[i], 9, i == 2 && p > 0.5 ? 0xFFFFFF : 0x222222, false);
    }
    kvTutLabel(clip, kvPropsX + 8, kvPropsY + 150, 130, "Decimals: 0   Prefix: $", 8, 0x333333, false);
    kvDoc(clip, 3, true, 12, "value", p > 0.5);
    kvTutPoint(460, p < 0.5 ? 110 : 155);
});
kvTutAdd("Bind the gauge's Data to B2, the units, and set its Maximum to 1,200. Now every component reads or writes its cells.", 530, 149, function (clip, p, top) {
    kvTutProps(clip, "Gauge", ["General", "Behavior", "Appearance", "Alerts"], 0);
    kvTutField(clip, 0, "Title", "'Sheet1'!$A$2", false);
    kvTutField(clip, 1, "Data", p > 0.5 ? "'Sheet1'!$B$2" : "", p > 0.2 && p <= 0.5);
    kvTutField(clip, 2, "Minimum", "0", false);
    kvTutField(clip, 3, "Maximum", p > 0.8 ? "1200" : "100", false);
    kvDoc(clip, 3, true, 12, "gauge", true);
    kvTutPoint(p < 0.2 ? 196 : p < 0.5 ? kvTutCell(1, 1).x : 470, p < 0.2 ? 180 : p < 0.5 ? kvTutCell(1, 1).y : 206);
});
kvTutAdd("Save the document with File > Save. It keeps the components, their bindings and the workbook together in one file.", 30, 109, function (clip, p, top) {
    if (p < 0.7) {
        var at = kvTutMenu(top, 0, ["New", "New From Template...", "Open...", "Samples...", "Save", "Save As...", "Properties..."], p < 0.3 ? -1 : 4);
        kvTutPoint(p < 0.3 ? 18 : at.x, p < 0.3 ? 10 : at.y);
    } else {
        kvTutStatus(clip, "Saved pricing.vtd");
    }
});
kvTutAdd("Preview: press SWF Preview on the tool bar, or choose the preview mode in the View menu. The canvas plays the movie just as a viewer will see it.", 384, 27, function (clip, p, top) {
    kvTutMark(top, 362, 19, 54, 16);
    if (p > 0.5) {
        kvTutRect(clip, kvCanvasX, 40, kvCanvasW, 16, 0xE07020, undefined);
        kvTutLabel(clip, kvCanvasX + 4, 40, 280, "pricing.vtd - preview", 9, 0xFFFFFF, true);
        kvDoc(clip, 3, true, 12, "", true);
    }
});
kvTutAdd("Drag the slider. B1 changes, the workbook recalculates the units and the revenue, and the value and the gauge follow at once.", 200, 96, function (clip, p, top) {
    var t = kvTutPart(p, 0.1, 0.9);
    var price = Math.round(12 + 8 * Math.sin(t * Math.PI * 1.5));
    if (price < 5)
        price = 5;
    kvDoc(clip, 3, true, price, "", true);
    kvTutBook(clip, kvRows(price), [[0, 1]]);
    kvTutPoint(kvSliderX + 4 + (kvSliderW - 8) * (price - 5) / 20, kvSliderY + 24);
});
kvTutAdd("Press SWF Preview again to go back to designing. What a preview changes is not kept: the workbook holds its own values again.", 384, 27, function (clip, p, top) {
    kvTutMark(top, 362, 19, 54, 16);
    if (p > 0.4) {
        kvTutRect(clip, kvCanvasX, 40, kvCanvasW, 16, 0x3A5F85, undefined);
        kvTutLabel(clip, kvCanvasX + 4, 40, 280, "pricing.vtd", 9, 0xFFFFFF, true);
        kvDoc(clip, 3, true, 12, "", true);
        kvTutBook(clip, kvRows(12), undefined);
    }
});
kvTutAdd("File > Export Settings... decides where the movie's data comes from when it plays: the workbook's values as saved, or a connection to live data.", 270, 150, function (clip, p, top) {
    kvTutWindow(top, 140, 80, 270, 150, "Export Settings");
    kvTutCheck(top, 154, 104, "Use the workbook's values", true);
    kvTutCheck(top, 154, 124, "Load data from a connection", false);
    kvTutLabel(top, 154, 150, 240, "Movie: Flash Player 6, calculated in the movie", 8, 0x333333, false);
    kvTutButton(top, 270, 200, 60, 20, "OK", p > 0.85);
    kvTutButton(top, 338, 200, 60, 20, "Cancel", false);
    kvTutPoint(p < 0.6 ? 160 : 300, p < 0.6 ? 110 : 210);
});
kvTutAdd("Publish: choose File > Export > Macromedia Flash (SWF)..., give the movie a name, here dashboard.swf, and save it.", 200, 157, function (clip, p, top) {
    if (p < 0.55) {
        kvTutMenu(top, 0, ["New", "Open...", "Save", "Export Settings...", "Export Preview", "Export", "Snapshot"], 5);
        kvTutRect(top, 124, 136, 170, 56, 0xFFFFFF, 0x8A939C);
        var items = ["Macromedia Flash (SWF)...", "HTML...", "PowerPoint Slide..."];
        for (var i = 0; i < 3; i++) {
            if (i == 0 && p > 0.3)
                kvTutRect(top, 126, 138, 166, 16, 0x3A5F85, undefined);
            kvTutLabel(top, 132, 137 + i * 16, 160, items[i], 9, i == 0 && p > 0.3 ? 0xFFFFFF : 0x222222, false);
        }
        kvTutPoint(p < 0.3 ? 40 : 200, p < 0.3 ? 125 : 146);
    } else {
        kvTutWindow(top, 150, 100, 250, 100, "Export");
        kvTutLabel(top, 160, 124, 60, "File name:", 9, 0x222222, false);
        kvTutRect(top, 220, 124, 170, 18, 0xFFFFFF, 0x8A939C);
        kvTutLabel(top, 222, 124, 160, "dashboard.swf".substr(0, Math.round(13 * kvTutPart(p, 0.55, 0.85))), 9, 0x222222, false);
        kvTutButton(top, 330, 170, 60, 20, "Save", p > 0.9);
        kvTutPoint(p < 0.85 ? 300 : 360, p < 0.85 ? 133 : 180);
    }
});
kvTutAdd("The designer writes one movie. Its formulas were turned into the movie's own script, so the dashboard keeps calculating wherever it plays.", 270, 150, function (clip, p, top) {
    kvTutWindow(top, 150, 110, 250, 80, "Publishing");
    var t = kvTutPart(p, 0, 0.7);
    kvTutRect(top, 164, 140, 222, 14, 0xFFFFFF, 0x8A939C);
    kvTutRect(top, 165, 141, 220 * t, 12, 0x3A5F85, undefined);
    kvTutLabel(top, 164, 160, 222, t < 1 ? "Writing the formulas..." : "dashboard.swf written", 9, 0x222222, t >= 1);
    if (t >= 1)
        kvTutStatus(clip, "dashboard.swf written");
});
kvTutAdd("File > Export > HTML... writes the movie with a web page around it, ready for a site; PowerPoint Slide puts it on a slide of a presentation.", 270, 150, function (clip, p, top) {
    kvTutWindow(top, 120, 66, 310, 196, "dashboard.html - web browser");
    kvTutRect(top, 126, 86, 298, 14, 0xFFFFFF, 0x8A939C);
    kvTutLabel(top, 128, 85, 280, "file:///home/you/dashboard.html", 8, 0x555555, false);
    var price = Math.round(12 + 6 * kvTutPart(p, 0.3, 0.9));
    kvTutRect(top, 126, 104, 298, 152, 0xFFFFFF, undefined);
    kvTutSlider(top, 136, 114, 130, (price - 5) / 20, "Price", String(price));
    kvTutValue(top, 292, 114, 110, "Revenue", "$" + kvMoney(price * kvUnits(price)));
    kvTutGauge(top, 210, 214, 30, kvUnits(price) / 1200, "Units");
    kvTutPoint(140 + 122 * (price - 5) / 20, 138);
});
kvTutAdd("That is the whole road: import, place, bind, preview, publish. The second tutorial shows alerts, dynamic visibility and scenarios; File > Samples holds finished dashboards to learn from.", 250, 130, function (clip, p, top) {
    kvRoad(top, 5, -1);
});

kvTutStart("pricing.vtd", kvPalette);
