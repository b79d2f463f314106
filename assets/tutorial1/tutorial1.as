// The main road: import a workbook, place a slider and a value, bind them to cells, preview
// and publish.
#include "shared/tutorial/scenes.as"

var rows = [["Price", "12"], ["Units", "=1200-40*B1"], ["Revenue", "=B1*B2"]];
var shown = [["Price", "12"], ["Units", "720"], ["Revenue", "8,640"]];

kvTutAdd("Welcome. This tutorial follows one dashboard from a workbook to a published movie: import, place, bind, preview, publish.", 270, 150, 60, undefined);
kvTutAdd("Import: choose Data > Import Model and open your workbook. Its cells become the model; the formulas come along.", 150, 32, 60, function (clip, p) {
    if (p >= 1 && clip.kvDone == undefined) {
        clip.kvDone = true;
        kvTutCells(clip, shown);
    }
});
kvTutAdd("The price in B1 is an input; the units and the revenue are formulas over it.", 200, 280, 48, function (clip, p) {
    clip.clear();
    kvTutMark(clip, 188, 260, 70, 16);
});
kvTutAdd("Place: choose Slider in the palette, then drag a rectangle on the canvas.", 40, 72, 48, function (clip, p) {
    clip.clear();
    kvTutRect(clip, 130, 70, 160 * p, 50 * p, 0xF4F6F8, 0x3A5F85);
    if (p >= 1 && clip.kvDone == undefined) {
        clip.kvDone = true;
        kvTutSlider(clip, 138, 74, 0.3, "Slider");
    }
});
kvTutAdd("Place a Value the same way, to show the revenue.", 300, 150, 48, function (clip, p) {
    if (p >= 1 && clip.kvDone == undefined) {
        clip.kvDone = true;
        kvTutValue(clip, 290, 150, "Value", "0");
    }
});
kvTutAdd("Bind: double-click the slider; on its General page press the button beside Data and pick cell B1 in the workbook.", 215, 268, 72, function (clip, p) {
    clip.clear();
    kvTutRect(clip, 432, 70, 108, 60, 0xF4F6F8, 0xA0A8B0);
    kvTutText(clip, "kvField", 436, 74, 100, 50, "Title: Sheet1!A1\nData: " + (p >= 1 ? "Sheet1!B1" : ""), 9, 0x222222, false);
    kvTutMark(clip, 188, 260, 70, 16);
});
kvTutAdd("Bind the value to the revenue in B3 the same way. Each component now reads or writes its cells.", 215, 300, 60, function (clip, p) {
    clip.clear();
    kvTutMark(clip, 188, 292, 70, 16);
    if (p >= 1 && clip.kvDone == undefined) {
        clip.kvDone = true;
        kvTutValue(clip, 290, 150, "Revenue", "8,640");
    }
});
kvTutAdd("Preview: choose View > Preview and drag the slider. The workbook recalculates and the value follows.", 200, 96, 84, function (clip, p) {
    clip.clear();
    var price = 12 + Math.round(8 * p);
    var revenue = price * (1200 - 40 * price);
    kvTutRect(clip, 120, 60, 290, 170, 0xFFFFFF, 0x3A5F85);
    kvTutSlider(clip, 138, 74, 0.3 + 0.4 * p, "Price: $" + price);
    kvTutValue(clip, 290, 150, "Revenue", "$" + revenue);
});
kvTutAdd("Publish: choose File > Export. One movie is written in which the spreadsheet keeps working; put it on a web page or in a presentation.", 30, 32, 84, function (clip, p) {
    clip.clear();
    kvTutRect(clip, 170, 110, 220, 70, 0xFFFFFF, 0x3A5F85);
    kvTutText(clip, "kvWritten", 180, 120, 200, 50, p >= 1 ? "dashboard.swf written" : "Publishing...", 13, 0x3A5F85, true);
});
kvTutAdd("That is the whole road. The second tutorial shows alerts, dynamic visibility and scenarios; File > Samples holds finished dashboards.", 270, 150, 96, undefined);

kvTutStart();
