// Beyond the main road: inputs and outputs, alerts, showing components by a cell, scenarios.
#include "shared/tutorial/scenes.as"

var rows = [["Target", "9,000"], ["Revenue", "8,640"], ["Show", "yes"]];

kvTutAdd("This tutorial goes beyond the first dashboard: how bindings read and write, alerts, dynamic visibility and scenarios.", 270, 150, 60, function (clip, p) {
    if (clip.kvDone == undefined) {
        clip.kvDone = true;
        kvTutCells(clip, rows);
    }
});
kvTutAdd("Binding: an input such as a slider writes into its cell; a display such as a gauge or a chart reads from it. A formula between them joins the two.", 215, 268, 84, function (clip, p) {
    clip.clear();
    kvTutSlider(clip, 130, 70, p, "Input writes B1");
    kvTutValue(clip, 290, 150, "Display reads B2", String(Math.round(8640 * (0.8 + 0.4 * p))));
});
kvTutAdd("Alerts: on a value's Alerts page switch alerts on, bind the target to B1 and set the thresholds. The value is coloured by how it compares with the target.", 460, 90, 96, function (clip, p) {
    clip.clear();
    var colours = [0xCC3333, 0xFFCC00, 0x339933];
    var band = Math.min(Math.floor(p * 3), 2);
    kvTutRect(clip, 290, 168, 120, 24, colours[band], 0x555555);
    kvTutText(clip, "kvAlert", 294, 171, 112, 20, ["85% of target", "96% of target", "104% of target"][band], 11, 0xFFFFFF, true);
    kvTutRect(clip, 432, 70, 108, 60, 0xF4F6F8, 0xA0A8B0);
    kvTutText(clip, "kvPage", 436, 74, 100, 56, "Alerts\nTarget: B1\n50% 90% 100%", 9, 0x222222, false);
});
kvTutAdd("An alert button watches components and lights in their worst colour, so a busy dashboard shows at a glance where to look.", 320, 100, 72, function (clip, p) {
    clip.clear();
    kvTutRect(clip, 300, 80, 100, 26, 0xF4F6F8, 0x8A939C);
    kvTutRect(clip, 306, 86, 14, 14, p < 0.5 ? 0xCC3333 : 0x339933, 0x555555);
    kvTutText(clip, "kvButton", 324, 84, 70, 18, "Alerts", 10, 0x222222, false);
});
kvTutAdd("Dynamic visibility: on the Behavior page bind Display Status to C3 and give the key \"yes\". The component shows only while the cell holds the key.", 460, 120, 96, function (clip, p) {
    clip.clear();
    var shown = p < 0.5;
    kvTutMark(clip, 188, 292, 70, 16);
    kvTutText(clip, "kvKey", 190, 292, 66, 16, shown ? "yes" : "no", 9, 0xE07020, true);
    if (shown)
        kvTutValue(clip, 140, 150, "Shown while C3 = yes", "8,640");
});
kvTutAdd("Scenarios: a scenario component keeps the values of its cells under a name. Type a name and press Save.", 250, 120, 84, function (clip, p) {
    clip.clear();
    kvTutRect(clip, 150, 70, 200, 130, 0xFFFFFF, 0x8A939C);
    kvTutText(clip, "kvName", 156, 76, 120, 18, p >= 0.5 ? "High price" : "", 10, 0x222222, false);
    kvTutRect(clip, 290, 74, 52, 20, 0xF4F6F8, 0x8A939C);
    kvTutText(clip, "kvSave", 298, 76, 40, 18, "Save", 10, 0x222222, false);
    if (p >= 1)
        kvTutText(clip, "kvSaved", 156, 100, 180, 18, "High price", 10, 0x3A5F85, true);
});
kvTutAdd("Later, choose a saved plan and press Load: its values go back into the cells and everything recalculates. A shared scenario does the same for a whole team over a collaboration server.", 250, 110, 108, function (clip, p) {
    clip.clear();
    kvTutRect(clip, 150, 70, 200, 130, 0xFFFFFF, 0x8A939C);
    kvTutRect(clip, 152, 98, 196, 18, 0xCCDDFF, undefined);
    kvTutText(clip, "kvSaved", 156, 100, 180, 18, "High price", 10, 0x3A5F85, true);
    kvTutRect(clip, 160, 176, 52, 20, 0xF4F6F8, 0x8A939C);
    kvTutText(clip, "kvLoad", 168, 178, 40, 18, "Load", 10, 0x222222, false);
});
kvTutAdd("The samples under File > Samples use every component this way; open one and look at its pages to see how it is bound.", 270, 150, 96, undefined);

kvTutStart();
