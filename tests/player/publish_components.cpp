// Writes two dashboards of the installed component movies, taken from the catalogue with their
// default parameters and bound to cells of a small model, assembled the way a published movie
// is. A probe clip in each reports through fscommand what the components show; the test drives
// the inputs with the player's mouse.
//
// components.swf: A1 = 40 (a slider), B1 = A1*2.5 (a value display), C1 = IF(B1>150,"High","Low")
// (that display's title), and a second display bound to A1 itself.
// selectors.swf: A1 = 1 (a combo box inserts the position chosen), A2 = 0 (a check box inserts 0
// or 1), A3 = 0 (a push button inserts 1); a column chart of B1 = A1*10, C1 = A2*20+5,
// D1 = A3*30+15 and a bar chart of the same with alerts against the target F1 = 40; a label
// showing E1 = "Total: "&(B1+C1+D1).
// inputs.swf: A1 = 20 (a dial), A2 = 1 (a list box), A3 = 1 (radio buttons), A4 = 5 (an input
// text); a gauge and a progress bar of B1 = A1+0, a line and a pie chart of B1, C1 = A2*10 and
// D1 = A3*10+A4, on a background.
// tables.swf: a grid of A1:C2 with D1 = SUM(A1:C2); a table showing E1:F3 that inserts the row
// chosen into G1:H1, with I1 = G1*H1.
// panels.swf: A1 = 30 (a vertical slider), B1 = A1*2 (a value display shown while A2 = 2,
// growing in), A2 = 1 (radio buttons), C1 = IF(A1>50,"show","hide"); a coloured background placed
// smaller than its natural size that fades in while C1 is "show", a scroll edit and a scroll box;
// alerts on the slider and on a progress bar of A1 (of their range), and on the display (middle
// values good, target D1 = 200); the progress bar grows in, its width first, as the movie starts.
// <sample>.swf: each shipped sample document, opened and written as a movie.

#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/DocData.h"
#include "publish/ModelLink.h"
#include "publish/ComponentScripts.h"
#include "publish/FunctionLibrary.h"
#include "swf/ActionEmitter.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfOutputMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfTags.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/InitClip.h"
#include "tests/player/OutputFolder.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/actionscript/ActionCheck.h"
#include "tools/actionscript/Compiler.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

namespace {

// Reports, whenever it changes, what each component shows: the slider's value, thumb position on
// the stage and value text; each display's title and value text. "params" shows parameters of
// each kind as the slider received them; "ready" carries the slider's track on the stage once the
// first frame has drawn everything.
const char* kSliderProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var s = _root.KVSliderHSymbol_1, d = _root.KVValueDisplaySymbol_1, e = _root.KVValueDisplaySymbol_2;
    if (++this.kvFrames == 2) {
        fscommand("params", s.orientation + "|" + s.titleTextFormat.size + "|" + s.titleTextFormat.bold + "|"
                  + s.snapEnabled + "|" + s.borderColor + "|" + s.incSize);
        fscommand("ready", (s._x + s.kvTrackStart) + "," + (s._x + s.kvTrackStart + s.kvTrackLength) + ","
                  + (s._y + s.kvTrackAcross) + "," + (s._x + s.kvThumb._x));
    }
    var state = _root.CELL + "|" + s.mv + "|" + s.kvFields.kvValue + "|" + d.kvFields.kvTitle + "|"
                + d.kvFields.kvValue + "|" + e.kvFields.kvTitle + "|" + e.kvFields.kvValue + "|" + d.kvW + "x" + d.kvH;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Reports the cells, the column chart's bar heights, the label, the check box, the combo box
// and the bar chart's bar widths and centres on the stage whenever they change; "ready" carries
// where to click: the check box, the combo box, its third item once open, and the push button.
const char* kSelectorProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var chart = _root.KVColumnChartSymbol_1, label = _root.KVLabelCompSymbol_1, check = _root.KVCheckBoxSymbol_1;
    var combo = _root.KVComboBoxSymbol_1, button = _root.KVPushButtonSymbol_1;
    var centre = function (c) { return Math.round(c._x + c.kvW / 2) + "," + Math.round(c._y + c.kvH / 2); };
    if (++this.kvFrames == 2) {
        fscommand("ready", centre(check) + "," + centre(combo) + "," + Math.round(combo._x + 20) + ","
                  + Math.round(combo._y + combo.kvH + 2.5 * 18) + "," + centre(button));
    }
    var heights = [], widths = [], centres = [], across = _root.KVBarChartSymbol_1, bars = across.kvBars;
    for (var i = 0; i < chart.kvBars.length; i++)
        heights.push(Math.round(chart.kvBars[i][3] * 100) / 100);
    for (var b = 0; b < bars.length; b++)
        widths.push(Math.round(bars[b][2] * 100) / 100);
    for (var c = 0; c < bars.length; c++)
        centres.push(Math.round(across._x + bars[c][0] + bars[c][2] / 2) + "," + Math.round(across._y + bars[c][1] + bars[c][3] / 2));
    var state = _root.CELL1 + "," + _root.CELL2 + "," + _root.CELL3 + "|" + heights.join(",") + "|"
                + label.kvFields.kvLabel + "|" + check.selectIdx + "|" + combo.kvFields.kvChosen + "|" + widths.join(",")
                + "|" + centres.join(",");
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Reports the cells, the gauge's needle angle, the progress bar's fill, the line chart's point
// heights over its plot's bottom, the pie's slices and what the inputs show whenever they change;
// "ready" carries where to press: the dial at 45 degrees right of up, the list box's third row,
// the second radio button and the input field; then the pie's centre on the stage and radius.
const char* kInputProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var dial = _root.KVDialSymbol_1, gauge = _root.KVGaugeSymbol_1, bar = _root.KVProgressBarHSymbol_1;
    var list = _root.KVListBoxSymbol_1, radio = _root.KVRadioButtonSetSymbol_1, input = _root.KVInputTextSymbol_1;
    var line = _root.KVLineChartSymbol_1, pie = _root.KVPieChartSymbol_1;
    if (++this.kvFrames == 2) {
        var r = dial.kvCentre[1] - 30;
        var at = [dial._x + dial.kvCentre[0] + r * 0.7071, dial._y + dial.kvCentre[1] - r * 0.7071];
        var row = [list._x + list.kvW / 2, list._y + 1 + 2.5 * 18];
        var cell = radio.kvCells[1];
        var button = [radio._x + cell[0] + 9, radio._y + cell[1] + cell[3] / 2];
        var field = [input._x + input.kvW / 2, input._y + input.kvEdit._y + input.kvEdit._height / 2];
        fscommand("ready", [at[0], at[1], row[0], row[1], button[0], button[1], field[0], field[1],
                            pie._x + pie.kvPieCentre[0], pie._y + pie.kvPieCentre[1], pie.kvPieCentre[2]].join(","));
    }
    var heights = [];
    var plot = line.kvPlotArea;
    for (var i = 0; i < line.kvPoints.length; i++)
        heights.push(Math.round((plot[1] + plot[3] - line.kvPoints[i][1]) * 100) / 100);
    var slices = [];
    for (var j = 0; j < pie.kvSlices.length; j++)
        slices.push(pie.kvSlices[j][1]);
    var state = _root.CELL1 + "," + _root.CELL2 + "," + _root.CELL3 + "," + _root.CELL4 + "|" + Math.round(gauge.kvNeedleAngle)
                + "|" + Math.round(bar.kvFillW / (bar.kvW - 3) * 100) + "|" + heights.join(",") + "|" + slices.join(",")
                + "|" + list.selectIdx + "," + radio.selectIdx + "," + input.kvFields.kvEdit;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Reports the grid's and the table's cells and what they show whenever they change; "ready"
// carries the grid's first cell and the table's third row.
const char* kTableProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var grid = _root.KVGridSymbol_1, table = _root.KVTableNewSymbol_1;
    if (++this.kvFrames == 2) {
        var size = grid.kvCellSize;
        fscommand("ready", Math.round(grid._x + size[0] / 2) + "," + Math.round(grid._y + size[2] + size[1] / 2) + ","
                  + Math.round(table._x + table.kvW / 2) + "," + Math.round(table._y + 2.5 * 20));
    }
    var state = _root.CELL1 + "," + _root.CELL2 + "," + _root.CELL3 + "," + _root.CELL4 + "," + _root.CELL5 + "|"
                + grid.kvFields.kvCell0 + "|" + table.selectIdx + "," + table.kvFields.kvCell4;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Gives the scroll box a content clip three times its height (a red band over a blue one) on
// the first frame; reports the cells, the vertical slider's value and value text, the display of
// its double, what the scroll edit holds, the scroll box's content and knob offsets, the
// background's drawing size, whether the display and the background show (and how opaque the
// background is) and the alert bands of the progress bar and the display, with the colour of
// the display's value, and the slider's band and value colour, whenever they change. While the
// display or the progress bar grows in, each frame's scale is kept with the fraction of the
// effect it stands for, and sent as "grow" when the effect is over. "ready" carries the slider's
// thumb and track ends,
// the scroll edit's centre, the scroll box knob's centre and the second radio button; "alerts" the
// bands a bare component finds for a table of alert settings (type, minimum, maximum, target,
// value), and for a value when it has fewer than two colours.
const char* kPanelProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var s = _root.KVSliderVSymbol_1, d = _root.KVValueDisplaySymbol_1, e = _root.FScrollEditSymbol_1;
    var box = _root.FScrollBoxSymbol_1, bg = _root.KVBackgroundSymbol_1, radio = _root.KVRadioButtonSetSymbol_1;
    var bar = _root.KVProgressBarHSymbol_1;
    var growing = [d, bar];
    for (var g = 0; g < growing.length; g++) {
        var clip = growing[g];
        if (clip.kvGrowth == undefined)
            clip.kvGrowth = [];
        if (clip.kvIntroStart != undefined) {
            clip.kvGrowth.push(Math.round(clip.kvIntroAt * 1000) / 1000 + ":" + clip._xscale + ":" + clip._yscale);
        } else if (clip.kvGrowth.length > 0) {
            fscommand("grow", clip._name + "|" + clip.kvGrowth.join(",") + "|" + clip._xscale + ":" + clip._yscale + ":" + clip.kvH);
            clip.kvGrowth = [];
        }
    }
    if (++this.kvFrames == 1) {
        box.createEmptyMovieClip("content", 0);
        kvRect(box.content, 0, 0, 80, box.kvH * 1.5, 0xCC0000, undefined);
        kvRect(box.content, 0, box.kvH * 1.5, 80, box.kvH * 1.5, 0x0000CC, undefined);
        box.mc();
        return;
    }
    if (this.kvFrames == 2) {
        var c = new KVComponent(), bands = [];
        c.alertsEnabled = true;
        c.alertPcts = [30, 70];
        c.alertColors = [0x00FF00, 0xFFFF00, 0xFF0000];
        var cases = [["high", 0, 100, "", 29.9], ["high", 0, 100, "", 30], ["low", 0, 100, "", 10], ["low", 0, 100, "", 90],
                     ["mid", 0, 100, "", 50], ["mid", 0, 100, "", 95], ["mid", 0, 100, "", 10], ["high", 0, 100, "", "n/a"],
                     ["high", 50, 150, "", 120], ["high", 0, 100, 200, 100]];
        for (var i = 0; i < cases.length; i++) {
            c.alertType = cases[i][0];
            c.minValue = cases[i][1];
            c.maxValue = cases[i][2];
            c.target = cases[i][3];
            bands.push(c.kvAlertIndex(cases[i][4]));
        }
        c.alertColors = [0x00FF00];
        fscommand("alerts", bands.join(",") + "|" + (c.kvAlertIndex(50) == undefined));
        var knob = box.kvKnob;
        fscommand("ready", [s._x + s.kvTrackAcross, s._y + s.kvThumb._y, s._y + s.kvTrackStart,
                            s._y + s.kvTrackStart - s.kvTrackLength, e._x + e.kvW / 2, e._y + e.kvH / 2,
                            box._x + box.kvW - 7, box._y + knob._y + knob._height / 2,
                            radio._x + radio.kvCells[1][0] + 9, radio._y + radio.kvCells[1][1] + radio.kvCells[1][3] / 2].join(","));
    }
    var state = _root.CELL1 + "," + _root.CELL2 + "," + _root.CELL3 + "|" + s.mv + "|" + s.kvFields.kvValue + "|" + d.kvFields.kvValue
                + "|" + e.text + "|" + Math.round(box.content._y * 10) / 10 + "," + Math.round(box.kvKnob._y * 10) / 10 + "," + (box.kvW - box.kvKnob._height)
                + "|" + bg.kvW + "x" + bg.kvH + "|" + d._visible + "," + bg._visible + "," + bg._alpha
                + "|" + bar.kvAlertBand + "," + d.kvAlertBand + "," + d.kvValue.getTextFormat().color
                + "|" + s.kvAlertBand + "," + s.kvValue.getTextFormat().color;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Tells, three frames in, how many component clips drew themselves, of how many the document
// holds, and how many of their texts show a value that went wrong ("[object ...]", "undefined",
// "NaN"), which are listed first.
const std::string kSampleProbe = dashboardtest::ThirdFrameProbe(R"(
    var drawn = 0, wrong = [];
    for (var k in _root) {
        var clip = _root[k];
        if (typeof clip != "movieclip" || clip.kvW == undefined)
            continue;
        drawn++;
        for (var f in clip.kvFields) {
            var text = clip.kvFields[f];
            if (text.indexOf("[object") >= 0 || text.indexOf("undefined") >= 0 || text.indexOf("NaN") >= 0)
                wrong.push(k + "." + f + "=" + text);
        }
    }
    fscommand("wrong", wrong.join("; "));
    fscommand("drawn", drawn + "/" + TOTAL + "/" + wrong.length);
)");

} // namespace

using namespace dashboardtest;

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;

    try {
        dashboardtest::Installation installed(testsupport::InstallDir());
        {
            Dashboard d(installed);
            d.model.Number("A1", 40);
            d.model.Formula("B1", "A1*2.5");
            d.model.Formula("C1", "IF(B1>150,\"High\",\"Low\")");
            // Twips; the stage is 400 x 300 pixels. The slider is drawn at twice its natural width.
            CComponent& slider = d.Add("KVSliderHSymbol", 400, 400, 8000 - 800, 1000);
            CComponent& display = d.Add("KVValueDisplaySymbol", 400, 2000, 3000, 1000);
            CComponent& echo = d.Add("KVValueDisplaySymbol", 4000, 2000, 3000, 1000);
            d.Bind(slider, "General", "mv", "A1", "A1");
            d.Bind(display, "General", "mv", "B1", "B1");
            d.Bind(display, "General", "title", "C1", "C1");
            d.Bind(echo, "General", "mv", "A1", "A1");
            Find(echo, "Appearance", "formatValue").GetSet()->FindParameter("numFormat")->SetString("0.0");
            d.Write(folder / "components.swf", kSliderProbe, {{"CELL", d.Cell("A1")}});
        }
        {
            Dashboard d(installed);
            d.model.Number("A1", 1);
            d.model.Number("A2", 0);
            d.model.Number("A3", 0);
            d.model.Formula("B1", "A1*10");
            d.model.Formula("C1", "A2*20+5");
            d.model.Formula("D1", "A3*30+15");
            d.model.Formula("E1", "\"Total: \"&(B1+C1+D1)");
            CComponent& chart = d.Add("KVColumnChartSymbol", 200, 200, 4600, 3400);
            CComponent& label = d.Add("KVLabelCompSymbol", 200, 3800, 4600, 600);
            CComponent& check = d.Add("KVCheckBoxSymbol", 5000, 400, 2800, 480);
            CComponent& combo = d.Add("KVComboBoxSymbol", 5000, 1200, 2800, 480);
            CComponent& button = d.Add("KVPushButtonSymbol", 5000, 4600, 2000, 600);
            d.Bind(chart, "General", "dataValues", "B1", "D1");
            CComponent& across = d.Add("KVBarChartSymbol", 2600, 4600, 2400, 1400);
            d.Bind(across, "General", "dataValues", "B1", "D1");
            d.model.Number("F1", 40);
            Find(across, "Alerts", "alertsEnabled").SetBool(true);
            d.Bind(across, "Alerts", "target", "F1", "F1");
            d.Bind(label, "General", "labelValue", "E1", "E1");
            d.Bind(check, "General", "dataValues", "A2", "A2");
            d.Bind(combo, "General", "dataValues", "A1", "A1");
            d.Bind(button, "General", "dataValues", "A3", "A3");
            d.Write(folder / "selectors.swf", kSelectorProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("A2")}, {"CELL3", d.Cell("A3")}});
        }
        {
            Dashboard d(installed);
            d.model.Number("A1", 20);
            d.model.Number("A2", 1);
            d.model.Number("A3", 1);
            d.model.Number("A4", 5);
            d.model.Formula("B1", "A1+0");
            d.model.Formula("C1", "A2*10");
            d.model.Formula("D1", "A3*10+A4");
            d.Add("KVBackgroundSymbol", 0, 0, 8000, 6000);
            CComponent& dial = d.Add("KVDialSymbol", 100, 100, 2400, 2700);
            CComponent& gauge = d.Add("KVGaugeSymbol", 2700, 100, 2400, 2700);
            CComponent& bar = d.Add("KVProgressBarHSymbol", 5300, 100, 2500, 800);
            CComponent& list = d.Add("KVListBoxSymbol", 5300, 1100, 2500, 1600);
            CComponent& radio = d.Add("KVRadioButtonSetSymbol", 5300, 2900, 2500, 1200);
            CComponent& input = d.Add("KVInputTextSymbol", 5300, 4300, 2500, 800);
            CComponent& line = d.Add("KVLineChartSymbol", 100, 3000, 2600, 2900);
            CComponent& pie = d.Add("KVPieChartSymbol", 2800, 3000, 2400, 2900);
            d.Bind(dial, "General", "mv", "A1", "A1");
            d.Bind(gauge, "General", "mv", "B1", "B1");
            d.Bind(bar, "General", "mv", "B1", "B1");
            d.Bind(list, "General", "dataValues", "A2", "A2");
            d.Bind(radio, "General", "dataValues", "A3", "A3");
            d.Bind(input, "General", "insertInto", "A4", "A4");
            d.Bind(line, "General", "dataValues", "B1", "D1");
            d.Bind(pie, "General", "dataValues", "B1", "D1");
            d.Write(folder / "inputs.swf", kInputProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("A2")}, {"CELL3", d.Cell("A3")}, {"CELL4", d.Cell("A4")}});
        }
        {
            Dashboard d(installed);
            const char* grid[] = {"A1", "B1", "C1", "A2", "B2", "C2"};
            for (int i = 0; i < 6; ++i)
                d.model.Number(grid[i], i + 1);
            d.model.Formula("D1", "SUM(A1:C2)");
            const char* shown[] = {"E1", "F1", "E2", "F2", "E3", "F3"};
            for (int i = 0; i < 6; ++i)
                d.model.Number(shown[i], (i + 1) * 10);
            d.model.Number("G1", 0);
            d.model.Number("H1", 0);
            d.model.Formula("I1", "G1*H1");
            CComponent& table = d.Add("KVTableNewSymbol", 200, 3000, 6000, 2000);
            CComponent& cells = d.Add("KVGridSymbol", 200, 200, 4800, 2400);
            d.Bind(cells, "General", "mv", "A1", "C2");
            d.Bind(table, "General", "dataValues_ary", "E1", "F3");
            d.Bind(table, "General", "targetCells_ary", "G1", "H1");
            // The formulas over the inputs take part in the model by being shown.
            d.Bind(d.Add("KVValueDisplaySymbol", 5200, 200, 2600, 1000), "General", "mv", "D1", "D1");
            d.Bind(d.Add("KVValueDisplaySymbol", 5200, 1400, 2600, 1000), "General", "mv", "I1", "I1");
            d.Write(folder / "tables.swf", kTableProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("D1")}, {"CELL3", d.Cell("G1")}, {"CELL4", d.Cell("H1")},
                     {"CELL5", d.Cell("I1")}});
        }
        {
            Dashboard d(installed);
            d.model.Number("A1", 30);
            d.model.Formula("B1", "A1*2");
            d.model.Number("A2", 1);
            d.model.Formula("C1", "IF(A1>50,\"show\",\"hide\")");
            // Twips; the background is placed at three quarters of its natural 200 x 150 pixels.
            CComponent& background = d.Add("KVBackgroundSymbol", 200, 200, 3000, 2000);
            Find(background, "Appearance", "backColor").SetColor(0x336699);
            d.Bind(background, "Behavior", "displayStatus", "C1", "C1");
            Find(background, "Behavior", "displayKey").GetBinding()->GetValue().SetString("show", true);
            Find(background, "Behavior", "introStyle").SetString("Fade-in");
            Find(background, "Behavior", "introTime").SetDouble(0.5);
            CComponent& slider = d.Add("KVSliderVSymbol", 3600, 200, 1200, 5000);
            d.Bind(slider, "General", "mv", "A1", "A1");
            Find(slider, "Alerts", "alertsEnabled").SetBool(true);
            Find(slider, "Alerts", "valueAlertsEnabled").SetBool(true);
            CComponent& display = d.Add("KVValueDisplaySymbol", 5000, 200, 2600, 1000);
            Find(display, "Behavior", "introStyle").SetString("Grow");
            Find(display, "Behavior", "introTime").SetDouble(0.5);
            d.Bind(display, "General", "mv", "B1", "B1");
            d.Bind(display, "Behavior", "displayStatus", "A2", "A2");
            Find(display, "Behavior", "displayKey").GetBinding()->GetValue().SetString("2", true);
            d.Bind(d.Add("KVRadioButtonSetSymbol", 200, 3400, 3000, 1200), "General", "dataValues", "A2", "A2");
            d.model.Number("D1", 200);
            Find(display, "Alerts", "alertsEnabled").SetBool(true);
            Find(display, "Alerts", "alertType").SetString("mid");
            Find(display, "Alerts", "valueAlertsEnabled").SetBool(true);
            d.Bind(display, "Alerts", "target", "D1", "D1");
            CComponent& bar = d.Add("KVProgressBarHSymbol", 5000, 3800, 2800, 800);
            d.Bind(bar, "General", "mv", "A1", "A1");
            Find(bar, "Alerts", "alertsEnabled").SetBool(true);
            Find(bar, "Behavior", "introStyle").SetString("Grow X first");
            Find(bar, "Behavior", "introTime").SetDouble(1);
            d.Add("FScrollEditSymbol", 200, 2600, 2600, 440);
            d.Add("FScrollBoxSymbol", 5000, 1600, 2000, 2000);
            d.Write(folder / "panels.swf", kPanelProbe,
                    {{"CELL1", d.Cell("A1")}, {"CELL2", d.Cell("B1")}, {"CELL3", d.Cell("A2")}});
        }
        // Every shipped sample, opened as the program opens a document and written as a movie.
        // The data files shipped beside them go beside the movies.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(installed.folder / "samples")) {
            if (entry.path().extension() == ".vtd")
                WriteDocumentMovie(entry.path(), folder / (entry.path().stem().string() + ".swf"),
                                   installed.library, installed.folder, kSampleProbe.c_str());
            else if (entry.path().extension() == ".xml")
                std::filesystem::copy_file(entry.path(), folder / entry.path().filename(),
                                           std::filesystem::copy_options::overwrite_existing);
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "components: %s\n", e.what());
        return 1;
    }
    return 0;
}
