// Beyond the main road: bindings that read and write, ranges and selectors, alerts and the
// alert button, showing a component by a cell, and scenarios.
#include "shared/tutorial/scenes.as"

var kvPalette = ["Slider", "Gauge", "Value", "Combo Box", "Check Box", "Radio Buttons", "Alert Button", "Scenario",
                 "Shared Scenario", "Column Chart", "Label", "Background"];

function kvUnits(price) {
    return 1000 - 20 * price;
}

function kvMoney(n) {
    var s = String(Math.round(n));
    if (s.length > 3)
        s = s.substr(0, s.length - 3) + "," + s.substr(s.length - 3);
    return s;
}

function kvRows(price, show) {
    return [["Price", String(price), "Target", "10,000"], ["Units", kvMoney(kvUnits(price)), "Show units", show],
            ["Revenue", kvMoney(price * kvUnits(price)), "", ""]];
}

// The revenue's alert colour: red below 90% of the target, yellow below it, green from it on.
function kvBand(price) {
    var share = price * kvUnits(price) / 10000;
    return share < 0.9 ? 0xCC3333 : share < 1 ? 0xE0A000 : 0x339933;
}

var kvSliderX = 118, kvSliderY = 66, kvSliderW = 120;
var kvValueX = 272, kvValueY = 66, kvValueW = 110;
var kvGaugeX = 170, kvGaugeY = 170, kvGaugeR = 30;
var kvComboX = 252, kvComboY = 124, kvComboW = 130;
var kvAlertX = 252, kvAlertY = 148;
var kvCheckX = 118, kvCheckY = 206;
var kvPlanX = 252, kvPlanY = 170, kvPlanW = 136, kvPlanH = 54;

// The dashboard at a price, with the parts the tutorial has added so far: d.combo (its text),
// d.alerts, d.button (placed), d.check (placed) and d.show (its state), d.plans (the saved names),
// d.name (typed) and d.picked (the plan chosen), and d.selected.
function kvDoc(clip, price, d) {
    kvTutPaper(clip);
    kvTutSlider(clip, kvSliderX, kvSliderY, kvSliderW, (price - 5) / 20, "Price", String(price));
    var revenue = "$" + kvMoney(price * kvUnits(price));
    kvTutValue(clip, kvValueX, kvValueY, kvValueW, "Revenue", revenue, d.alerts ? kvBand(price) : undefined);
    if (d.show != false)
        kvTutGauge(clip, kvGaugeX, kvGaugeY, kvGaugeR, kvUnits(price) / 1200, "Units");
    if (d.combo != undefined) {
        kvTutLabel(clip, kvComboX, kvComboY - 16, 80, "Plan", 9, 0x222222, false);
        kvTutCombo(clip, kvComboX + 30, kvComboY - 16, kvComboW - 30, d.combo);
    }
    if (d.button) {
        kvTutRect(clip, kvAlertX, kvAlertY - 8, 80, 18, 0xF4F6F8, 0x8A939C);
        kvTutRect(clip, kvAlertX + 4, kvAlertY - 4, 10, 10, d.alerts ? kvBand(price) : 0xCCCCCC, 0x555555);
        kvTutLabel(clip, kvAlertX + 18, kvAlertY - 9, 60, "Alerts", 9, 0x222222, false);
    }
    if (d.check)
        kvTutCheck(clip, kvCheckX, kvCheckY, "Show units", d.show != false);
    if (d.plans != undefined) {
        kvTutRect(clip, kvPlanX, kvPlanY - 12, kvPlanW, kvPlanH + 12, 0xF7F9FB, 0x8A939C);
        kvTutRect(clip, kvPlanX + 3, kvPlanY - 9, 88, 14, 0xFFFFFF, 0x8A939C);
        kvTutLabel(clip, kvPlanX + 4, kvPlanY - 11, 86, d.name == undefined ? "" : d.name, 8, 0x222222, false);
        kvTutButton(clip, kvPlanX + 94, kvPlanY - 9, 38, 14, "Save", d.pressed == "Save");
        kvTutRect(clip, kvPlanX + 3, kvPlanY + 8, kvPlanW - 6, 26, 0xFFFFFF, 0x8A939C);
        for (var i = 0; i < d.plans.length; i++) {
            if (d.plans[i] == d.picked)
                kvTutRect(clip, kvPlanX + 4, kvPlanY + 9 + i * 12, kvPlanW - 8, 12, 0xCCDDFF, undefined);
            kvTutLabel(clip, kvPlanX + 6, kvPlanY + 7 + i * 12, 120, d.plans[i], 8, 0x222222, false);
        }
        kvTutButton(clip, kvPlanX + 3, kvPlanY + 37, 62, 14, "Load", d.pressed == "Load");
        kvTutButton(clip, kvPlanX + 70, kvPlanY + 37, 62, 14, "Delete", false);
    }
    if (d.selected == "value")
        kvTutHandles(clip, kvValueX - 4, kvValueY - 2, kvValueW + 8, 44);
    if (d.selected == "gauge")
        kvTutHandles(clip, kvGaugeX - kvGaugeR - 4, kvGaugeY - kvGaugeR - 20, 2 * kvGaugeR + 8, 2 * kvGaugeR + 24);
    if (d.selected == "combo")
        kvTutHandles(clip, kvComboX - 2, kvComboY - 20, kvComboW + 4, 26);
    if (d.selected == "button")
        kvTutHandles(clip, kvAlertX - 2, kvAlertY - 10, 84, 22);
    if (d.selected == "check")
        kvTutHandles(clip, kvCheckX - 2, kvCheckY - 2, 100, 20);
    if (d.selected == "plans")
        kvTutHandles(clip, kvPlanX - 2, kvPlanY - 14, kvPlanW + 4, kvPlanH + 16);
}

function kvPreview(clip, on) {
    kvTutRect(clip, kvCanvasX, 40, kvCanvasW, 16, on ? 0xE07020 : 0x3A5F85, undefined);
    kvTutLabel(clip, kvCanvasX + 4, 40, 280, on ? "pricing.vtd - preview" : "pricing.vtd", 9, 0xFFFFFF, true);
}

// The four subjects, one of them lit.
function kvTopics(clip, at) {
    var topics = ["Binding", "Alerts", "Visibility", "Scenarios"];
    kvTutRect(clip, kvCanvasX + 4, kvCanvasY + 40, kvCanvasW - 8, 70, 0xF7F9FB, 0x8A939C);
    for (var i = 0; i < 4; i++) {
        var x = kvCanvasX + 14 + i * 68;
        kvTutRect(clip, x, kvCanvasY + 60, 60, 28, i == at ? 0xE07020 : 0x3A5F85, 0x555555);
        kvTutCentre(kvTutLabel(clip, x, kvCanvasY + 65, 60, topics[i], 8, 0xFFFFFF, true));
    }
}

kvTutAdd("This tutorial goes beyond the first dashboard: how bindings read and write, selectors and ranges, alerts, showing a component by a cell, and scenarios.", 250, 130, function (clip, p, top) {
    kvTopics(top, Math.min(Math.floor(p * 4), 3));
});
kvTutAdd("Open the dashboard of the first tutorial with File > Open: a slider for the price in B1, a value for the revenue in B3 and a gauge for the units in B2.", 30, 77, function (clip, p, top) {
    if (p < 0.5) {
        var at = kvTutMenu(top, 0, ["New", "New From Template...", "Open...", "Samples..."], p < 0.25 ? -1 : 2);
        kvTutPoint(p < 0.25 ? 18 : at.x, p < 0.25 ? 10 : at.y);
    } else {
        kvPreview(clip, false);
        kvDoc(clip, 12, {});
        kvTutBook(clip, kvRows(12, "yes"), undefined);
        kvTutStatus(clip, "pricing.vtd");
        kvTutPoint(250, 140);
    }
});
kvTutAdd("Bindings go two ways. An input writes into its cell: a slider, a dial, a selector, a text input. A display reads its cells: a value, a gauge, a chart, a label.", 180, 90, function (clip, p, top) {
    var b1 = kvTutCell(0, 1), b2 = kvTutCell(1, 1), b3 = kvTutCell(2, 1);
    if (p > 0.15)
        kvTutArrow(top, kvSliderX + 60, kvSliderY + 30, b1.x - 10, b1.y - 4, 0xE07020);
    if (p > 0.5) {
        kvTutArrow(top, b3.x + 10, b3.y - 4, kvValueX + 50, kvValueY + 40, 0x3A5F85);
        kvTutArrow(top, b2.x - 10, b2.y - 4, kvGaugeX + 10, kvGaugeY + 20, 0x3A5F85);
    }
    kvTutPoint(p < 0.5 ? 180 : 330, p < 0.5 ? 90 : 110);
});
kvTutAdd("Formulas join the two. Move an input and every formula over its cell recalculates; then every display bound to those cells draws its new value.", 180, 90, function (clip, p, top) {
    var t = kvTutPart(p, 0.1, 0.9);
    var price = Math.round(12 + 6 * Math.sin(t * Math.PI * 2));
    kvPreview(clip, true);
    kvDoc(clip, price, {});
    kvTutBook(clip, kvRows(price, "yes"), [[0, 1], [1, 1], [2, 1]]);
    kvTutPoint(kvSliderX + 4 + (kvSliderW - 8) * (price - 5) / 20, kvSliderY + 24);
});
kvTutAdd("A parameter may be bound to a range as well as to one cell. Place a Combo Box: its labels come from a range, here the plan names in A1:A3 of the sheet Plans.", 530, 115, function (clip, p, top) {
    kvPreview(clip, false);
    kvDoc(clip, 12, {combo: "", selected: "combo"});
    kvTutBook(clip, kvRows(12, "yes"), undefined);
    kvTutProps(clip, "Combo Box", ["General", "Behavior", "Appearance"], 0);
    var button = kvTutField(clip, 0, "Labels", p > 0.75 ? "'Plans'!$A$1:$A$3" : "", p > 0.3 && p <= 0.75);
    kvTutField(clip, 1, "Source Data", "", false);
    kvTutField(clip, 2, "Destination", "", false);
    if (p > 0.35 && p <= 0.8) {
        kvTutBook(top, [["Low", "8"], ["Mid", "12"], ["High", "18"]], [[0, 0], [1, 0], [2, 0]]);
        kvTutLabel(top, kvBookX + 160, kvBookY + 44, 120, "sheet Plans", 9, 0xE07020, true);
        var from = kvTutCell(0, 0), to = kvTutCell(2, 0);
        var t = kvTutPart(p, 0.4, 0.7);
        kvTutPoint(from.x, kvTutMix(from.y, to.y, t));
    } else {
        kvTutPoint(button.x, button.y);
    }
});
kvTutAdd("Its Insertion Type says what it writes when a viewer picks an item: the position, the label, a value from the source data, or a whole row. Here the value, from B1:B3 of Plans, into B1.", 480, 235, function (clip, p, top) {
    kvTutField(clip, 1, "Source Data", p > 0.3 ? "'Plans'!$B$1:$B$3" : "", false);
    kvTutField(clip, 2, "Destination", p > 0.55 ? "'Sheet1'!$B$1" : "", false);
    kvTutLabel(clip, kvPropsX + 8, kvPropsY + 140, 120, "Insertion Type", 8, 0x333333, false);
    kvTutCombo(clip, kvPropsX + 8, kvPropsY + 154, kvPropsW - 20, p > 0.8 ? "Value" : "Position");
    kvTutPoint(p < 0.3 ? 530 : p < 0.55 ? 530 : 480, p < 0.3 ? 149 : p < 0.55 ? 183 : 218);
    kvDoc(clip, 12, {combo: "Mid", selected: "combo"});
});
kvTutAdd("In the preview, pick High: 18 goes into B1. The slider moves to 18 as well, since it is bound to the same cell, and the revenue and the gauge follow.", 330, 118, function (clip, p, top) {
    kvPreview(clip, true);
    var picked = p > 0.55;
    var price = picked ? 18 : 12;
    kvDoc(clip, price, {combo: picked ? "High" : "Mid"});
    kvTutBook(clip, kvRows(price, "yes"), [[0, 1]]);
    if (p > 0.2 && !picked) {
        kvTutRect(top, kvComboX + 30, kvComboY + 2, kvComboW - 30, 50, 0xFFFFFF, 0x8A939C);
        var names = ["Low", "Mid", "High"];
        for (var i = 0; i < 3; i++) {
            if (i == 2 && p > 0.4)
                kvTutRect(top, kvComboX + 31, kvComboY + 3 + i * 16, kvComboW - 32, 16, 0x3A5F85, undefined);
            kvTutLabel(top, kvComboX + 34, kvComboY + 2 + i * 16, 80, names[i], 9, i == 2 && p > 0.4 ? 0xFFFFFF : 0x222222, false);
        }
        kvTutPoint(kvComboX + 60, p > 0.4 ? kvComboY + 42 : kvComboY - 8);
    }
});
kvTutAdd("Alerts colour a value by how it compares with a target. Select the value, open its Alerts page and tick Enable Alerts.", 420, 110, function (clip, p, top) {
    kvPreview(clip, false);
    kvDoc(clip, 12, {combo: "Mid", selected: "value"});
    kvTutBook(clip, kvRows(12, "yes"), undefined);
    kvTutProps(clip, "Value", ["General", "Behavior", "Appearance", "Alerts"], p > 0.3 ? 3 : 0);
    if (p > 0.3) {
        var at = kvTutOption(clip, 0, "Enable Alerts", p > 0.6);
        kvTutPoint(at.x, at.y);
    } else {
        kvTutPoint(520, 82);
    }
});
kvTutAdd("Bind the Target to D1, the revenue you aim for: 10,000. The thresholds then compare the value with the target as a share of it.", 530, 149, function (clip, p, top) {
    var button = kvTutField(clip, 1, "Target", p > 0.7 ? "'Sheet1'!$D$1" : "", p > 0.3 && p <= 0.7);
    if (p < 0.35)
        kvTutPoint(button.x, button.y);
    else
        kvTutPoint(kvTutCell(0, 3).x, kvTutCell(0, 3).y);
    if (p > 0.4)
        kvTutBook(top, kvRows(12, "yes"), [[0, 3]]);
});
kvTutAdd("Set the thresholds, here 90% and 100%, and a colour for each band: red below 90% of the target, yellow up to it, green from the target on.", 470, 200, function (clip, p, top) {
    var y = kvPropsY + 110;
    kvTutLabel(clip, kvPropsX + 8, y, 120, "Thresholds", 8, 0x333333, false);
    var colours = [0xCC3333, 0xE0A000, 0x339933];
    var names = ["below 90%", "90% to 100%", "100% and more"];
    for (var i = 0; i < 3; i++) {
        if (p > 0.2 + i * 0.2) {
            kvTutRect(clip, kvPropsX + 10, y + 18 + i * 20, 16, 14, colours[i], 0x555555);
            kvTutLabel(clip, kvPropsX + 30, y + 16 + i * 20, 100, names[i], 8, 0x222222, false);
        }
    }
    kvTutPoint(kvPropsX + 18, y + 25 + 20 * Math.min(Math.floor(p * 4), 2));
});
kvTutAdd("In the preview the value takes its band's colour as the price moves: at 12 the revenue is 91% of the target, yellow; at 15 it passes it, green; at 8 it falls to red.", 180, 90, function (clip, p, top) {
    kvPreview(clip, true);
    var t = kvTutPart(p, 0.05, 0.95);
    var prices = [12, 15, 8, 12];
    var price = prices[Math.min(Math.floor(t * 4), 3)];
    kvDoc(clip, price, {combo: "Mid", alerts: true});
    kvTutBook(clip, kvRows(price, "yes"), [[2, 1]]);
    kvTutPoint(kvSliderX + 4 + (kvSliderW - 8) * (price - 5) / 20, kvSliderY + 24);
});
kvTutAdd("The Alerts page also says which way is good: for a revenue high values are good, for costs low ones are. Choose the alert type to match.", 470, 220, function (clip, p, top) {
    kvPreview(clip, false);
    kvTutProps(clip, "Value", ["General", "Behavior", "Appearance", "Alerts"], 3);
    kvTutOption(clip, 0, "Enable Alerts", true);
    kvTutField(clip, 1, "Target", "'Sheet1'!$D$1", false);
    kvTutOption(clip, 3, "High values are good", p < 0.5);
    kvTutOption(clip, 4, "Low values are good", p >= 0.5);
    kvTutPoint(kvPropsX + 13, p < 0.5 ? kvPropsY + 149 : kvPropsY + 183);
    kvDoc(clip, 12, {combo: "Mid", alerts: true, selected: "value"});
});
kvTutAdd("An alert button watches other components and lights in the worst colour among their alerts, so a busy dashboard tells at a glance where to look. Place one and tick the components it watches.", 290, 148, function (clip, p, top) {
    kvDoc(clip, 12, {combo: "Mid", alerts: true, button: p > 0.3, selected: p > 0.3 ? "button" : ""});
    if (p > 0.4) {
        kvTutProps(clip, "Alert Button", ["General", "Behavior", "Appearance"], 0);
        kvTutLabel(clip, kvPropsX + 8, kvPropsY + 40, 130, "Components to watch", 8, 0x333333, false);
        kvTutOption(clip, 1, "Revenue", p > 0.7);
        kvTutOption(clip, 2, "Units", false);
    }
    if (p < 0.3)
        kvTutPoint(30, 177);
    else if (p < 0.7)
        kvTutPoint(290, 148);
    else
        kvTutPoint(kvPropsX + 13, kvPropsY + 81);
});
kvTutAdd("In the preview the button goes red as soon as a value it watches falls into its red band, and back to green when all is well.", 180, 90, function (clip, p, top) {
    kvPreview(clip, true);
    var t = kvTutPart(p, 0.05, 0.95);
    var price = Math.round(12 - 4 * Math.sin(t * Math.PI));
    kvDoc(clip, price, {combo: "Mid", alerts: true, button: true});
    kvTutBook(clip, kvRows(price, "yes"), undefined);
    kvTutPoint(kvSliderX + 4 + (kvSliderW - 8) * (price - 5) / 20, kvSliderY + 24);
});
kvTutAdd("Dynamic visibility: a component can show only while a cell holds a key. Select the gauge and open its Behavior page.", 520, 82, function (clip, p, top) {
    kvPreview(clip, false);
    kvDoc(clip, 12, {combo: "Mid", alerts: true, button: true, selected: "gauge"});
    kvTutBook(clip, kvRows(12, "yes"), undefined);
    kvTutProps(clip, "Gauge", ["General", "Behavior", "Appearance", "Alerts"], p > 0.4 ? 1 : 0);
    if (p > 0.4) {
        kvTutField(clip, 0, "Display Status", "", false);
        kvTutField(clip, 1, "Display Status Key", "", false);
        kvTutLabel(clip, kvPropsX + 8, kvPropsY + 110, 130, "Entry Effect: None", 8, 0x333333, false);
    }
    kvTutPoint(p < 0.4 ? 170 : 456, p < 0.4 ? 170 : 82);
});
kvTutAdd("Bind Display Status to D2 and type the key yes. The gauge shows while D2 holds yes, and hides while it holds anything else.", 530, 115, function (clip, p, top) {
    var button = kvTutField(clip, 0, "Display Status", p > 0.5 ? "'Sheet1'!$D$2" : "", p > 0.2 && p <= 0.5);
    kvTutField(clip, 1, "Display Status Key", p > 0.8 ? "yes" : "", false);
    if (p < 0.25)
        kvTutPoint(button.x, button.y);
    else if (p < 0.55)
        kvTutPoint(kvTutCell(1, 3).x, kvTutCell(1, 3).y);
    else
        kvTutPoint(470, 149);
    if (p > 0.25 && p < 0.6)
        kvTutBook(top, kvRows(12, "yes"), [[1, 3]]);
});
kvTutAdd("Give the viewer a check box that writes into D2: on its General page its checked value is yes and its unchecked one no, inserted into D2.", 140, 214, function (clip, p, top) {
    kvDoc(clip, 12, {combo: "Mid", alerts: true, button: true, check: p > 0.3, selected: p > 0.3 ? "check" : ""});
    if (p > 0.4) {
        kvTutProps(clip, "Check Box", ["General", "Behavior", "Appearance"], 0);
        kvTutField(clip, 0, "Values", "yes, no", false);
        kvTutField(clip, 1, "Destination", p > 0.7 ? "'Sheet1'!$D$2" : "", p > 0.5 && p <= 0.7);
    }
    kvTutPoint(p < 0.3 ? 30 : p < 0.5 ? 140 : kvTutCell(1, 3).x, p < 0.3 ? 213 : p < 0.5 ? 214 : kvTutCell(1, 3).y);
});
kvTutAdd("In the preview, untick the box: D2 becomes no and the gauge goes away. Tick it again and the gauge comes back.", 124, 215, function (clip, p, top) {
    kvPreview(clip, true);
    var show = p < 0.3 || p > 0.75;
    kvDoc(clip, 12, {combo: "Mid", alerts: true, button: true, check: true, show: show});
    kvTutBook(clip, kvRows(12, show ? "yes" : "no"), [[1, 3]]);
    if ((p > 0.25 && p < 0.35) || (p > 0.7 && p < 0.8))
        kvTutClick(top, 124, 215);
});
kvTutAdd("While designing, View > Hide/Show Component hides a component that is in the way of others; the movie still shows it by its status.", 110, 125, function (clip, p, top) {
    kvPreview(clip, false);
    kvDoc(clip, 12, {combo: "Mid", alerts: true, button: true, check: true});
    kvTutBook(clip, kvRows(12, "yes"), undefined);
    if (p < 0.8) {
        var at = kvTutMenu(top, 3, ["Enable Macromedia Flash (SWF) preview mode", "Enable Edit mode", "Grid...", "Components", "Object Browser Window", "Hide/Show Component"], p < 0.3 ? -1 : 5);
        kvTutPoint(p < 0.3 ? 110 : at.x, p < 0.3 ? 10 : at.y);
    }
});
kvTutAdd("Scenarios: a scenario component saves the values of chosen cells under a name and loads them again later. Place one and bind its cells to B1, the price.", 530, 115, function (clip, p, top) {
    kvDoc(clip, 12, {combo: "Mid", alerts: true, button: true, check: true, plans: p > 0.3 ? [] : undefined,
                     selected: p > 0.3 ? "plans" : ""});
    if (p > 0.4) {
        kvTutProps(clip, "Scenario", ["General", "Behavior", "Appearance"], 0);
        var button = kvTutField(clip, 0, "Scenario Cells", p > 0.8 ? "'Sheet1'!$B$1" : "", p > 0.55 && p <= 0.8);
        kvTutPoint(p < 0.6 ? button.x : kvTutCell(0, 1).x, p < 0.6 ? button.y : kvTutCell(0, 1).y);
    } else {
        kvTutPoint(p < 0.3 ? 30 : 310, p < 0.3 ? 185 : 190);
    }
});
kvTutAdd("In the preview set the price to 18, type a name such as High price and press Save. The plan appears in the scenario's list.", 346, 166, function (clip, p, top) {
    kvPreview(clip, true);
    var price = p < 0.3 ? 12 : 18;
    var typed = "High price".substr(0, Math.round(10 * kvTutPart(p, 0.35, 0.65)));
    var saved = p > 0.8;
    kvDoc(clip, price, {combo: "Mid", alerts: true, button: true, check: true, plans: saved ? ["High price"] : [],
                        name: saved ? "" : typed, pressed: p > 0.7 && p < 0.8 ? "Save" : ""});
    kvTutBook(clip, kvRows(price, "yes"), undefined);
    if (p < 0.3)
        kvTutPoint(kvSliderX + 4 + (kvSliderW - 8) * (12 + 6 * p / 0.3 - 5) / 20, kvSliderY + 24);
    else if (p < 0.7)
        kvTutPoint(kvPlanX + 40, kvPlanY - 2);
    else
        kvTutPoint(kvPlanX + 112, kvPlanY - 2);
});
kvTutAdd("Set the price to 8 and save that as Low price. Each plan keeps its own values, however many cells it covers.", 346, 166, function (clip, p, top) {
    var price = p < 0.3 ? 18 : 8;
    var typed = "Low price".substr(0, Math.round(9 * kvTutPart(p, 0.35, 0.65)));
    var saved = p > 0.8;
    kvDoc(clip, price, {combo: "Mid", alerts: true, button: true, check: true,
                        plans: saved ? ["High price", "Low price"] : ["High price"], name: saved ? "" : typed,
                        pressed: p > 0.7 && p < 0.8 ? "Save" : ""});
    kvTutBook(clip, kvRows(price, "yes"), undefined);
    if (p < 0.3)
        kvTutPoint(kvSliderX + 4 + (kvSliderW - 8) * (18 - 10 * p / 0.3 - 5) / 20, kvSliderY + 24);
    else if (p < 0.7)
        kvTutPoint(kvPlanX + 40, kvPlanY - 2);
    else
        kvTutPoint(kvPlanX + 112, kvPlanY - 2);
});
kvTutAdd("Pick High price and press Load: 18 goes back into B1, the workbook recalculates and every component shows that plan again. Delete removes a plan from the list.", 290, 214, function (clip, p, top) {
    var loaded = p > 0.6;
    var price = loaded ? 18 : 8;
    kvDoc(clip, price, {combo: "Mid", alerts: true, button: true, check: true, plans: ["High price", "Low price"],
                        picked: p > 0.25 ? "High price" : "", pressed: p > 0.5 && p < 0.62 ? "Load" : ""});
    kvTutBook(clip, kvRows(price, "yes"), loaded ? [[0, 1]] : undefined);
    kvTutPoint(p < 0.4 ? kvPlanX + 40 : kvPlanX + 34, p < 0.4 ? kvPlanY + 14 : kvPlanY + 44);
});
kvTutAdd("A scenario keeps its plans in the viewer's own player. A shared scenario keeps them on a collaboration server instead, so a whole team sees and loads the same plans; Export Settings names the server.", 270, 150, function (clip, p, top) {
    kvTutWindow(top, 120, 80, 140, 120, "Anna's movie");
    kvTutWindow(top, 290, 80, 140, 120, "Ben's movie");
    var names = p > 0.5 ? ["High price", "Low price", "Ben's plan"] : ["High price", "Low price"];
    for (var w = 0; w < 2; w++) {
        var x = w == 0 ? 126 : 296;
        kvTutRect(top, x, 104, 128, 60, 0xFFFFFF, 0x8A939C);
        for (var i = 0; i < names.length; i++)
            kvTutLabel(top, x + 4, 104 + i * 16, 120, names[i], 9, 0x222222, false);
        kvTutButton(top, x, 172, 60, 18, "Load", false);
    }
    kvTutRect(top, 228, 214, 94, 22, 0x3A5F85, 0x555555);
    kvTutCentre(kvTutLabel(top, 228, 216, 94, "server", 9, 0xFFFFFF, true));
    kvTutArrow(top, 190, 200, 250, 214, 0x3A5F85);
    kvTutArrow(top, 360, 200, 300, 214, 0x3A5F85);
    kvTutPoint(p < 0.5 ? 340 : 190, p < 0.5 ? 184 : 150);
});
kvTutAdd("That is all four: bindings both ways, alerts, dynamic visibility and scenarios. The samples under File > Samples use every component this way; open one and look at its pages to see how it is bound.", 250, 130, function (clip, p, top) {
    kvTopics(top, -1);
});

kvTutStart("pricing.vtd", kvPalette);
