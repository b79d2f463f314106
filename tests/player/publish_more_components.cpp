// Writes dashboards of the charts, maps, lines, art backgrounds, vertical progress bar and text
// area among the installed component movies, taken from the catalogue with their default
// parameters and bound to cells of a small model. A probe clip in each reports through fscommand
// what the components show; the test types into the inputs and clicks the maps.
//
// charts.swf: A1 = 10 (an input text). An XY chart of X B1:E1 = 1..4 and Y B2:E2 = 10, 20, A1*3,
// 5 with alerts against the target F1 = 40, titled H1 = "Points of "&A1; a bubble chart of X
// 1..3, Y 10, 20, 30 and sizes B6:D6 = 10, 40, A1*9; stacked columns and stacked bars of
// B8:D8 = 10, 20, 30 over B9:D9 = 5, -10, A1, the bars shown while G1 = IF(A1>7,"show","hide")
// is "show"; a combination chart of columns B11:D11 = 10, 20, 30 and a line B12:D12 = 100, 200,
// A1*30 on a second axis, with a fixed first scale of 0..50.
// shapes.swf: A1 = 30 (a text area inserts into it); a vertical progress bar of A1 with alerts;
// a horizontal and a vertical line; the art backgrounds 2 to 5, the fifth without its art and
// shown while B1 = IF(A1>50,1,2) is 1.
// maps.swf: the US map of A1:A3 = "CA", "tx", "New York" with the values B1:B3 = 90, 40, C1*1
// (C1 = 10), inserting the chosen region's name into D1; the Europe map of E1:E2 = "DE", "FR"
// with F1:F2 = 20, 80, inserting the chosen country's position into D2.

#include "model/ValueList.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <filesystem>
#include <stdexcept>

using dashboardtest::Dashboard;
using dashboardtest::Find;

namespace {

// Chooses one of a choice parameter's allowed texts.
void SetChoice(CParameter& choice, const std::string& text)
{
    CValueList* list = choice.GetValueList();
    if (!list || !model::StoreChoiceText(list->GetPrototype(), text, false))
        throw std::runtime_error(choice.GetName() + " takes no choice " + text);
}

// What every probe reports once: the box of each component on the stage ("boxes", name:x:y:w:h),
// for the test's pictures of one component each.
const char* kBoxes = R"(
_global.kvProbeBoxes = function () {
    var boxes = [];
    for (var k in _root) {
        var c = _root[k];
        if (typeof c == "movieclip" && c.kvW != undefined)
            boxes.push(k + ":" + Math.round(c._x) + ":" + Math.round(c._y) + ":" + c.kvW + ":" + c.kvH);
    }
    fscommand("boxes", boxes.join(","));
};
_global.kvProbeRound = function (v) { return Math.round(v * 100) / 100; };
)";

// Reports the cell, the XY chart's point heights over its plot's bottom and its alert bands (by
// point), the bubbles' areas (squared radii, times 100), the stacked columns' totals and bar
// heights, the stacked bars' widths and whether they show, the combination chart's column
// heights, line heights and both scales, the XY chart's points on the stage and its title.
// "ready" carries
// the input field and the XY chart's points on the stage.
const char* kChartProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var xy = _root.Chart, bubble = _root.KVBubbleChartSymbol_1, cols = _root.KVStackColumnChartSymbol_1;
    var bars = _root.KVStackBarChartSymbol_1, combo = _root.KVComboChartSymbol_1, input = _root.Input;
    var i;
    if (++this.kvFrames == 2) {
        kvProbeBoxes();
        var at = [input._x + input.kvW / 2, input._y + input.kvEdit._y + input.kvEdit._height / 2];
        for (i = 0; i < xy.kvPoints.length; i++)
            at.push(Math.round(xy._x + xy.kvPoints[i][0]), Math.round(xy._y + xy.kvPoints[i][1]));
        fscommand("ready", at.join(","));
    }
    if (this.kvFrames < 2)
        return;
    var plot = xy.kvPlotArea, heights = [], bands = [], onStage = [], areas = [], stacks = [], colH = [], barW = [], comboH = [], lineH = [];
    for (i = 0; i < xy.kvPoints.length; i++) {
        heights.push(kvProbeRound(plot[1] + plot[3] - xy.kvPoints[i][1]));
        bands.push(xy.kvAlertIndex(xy.dataValues[1][i], i));
        onStage.push(Math.round(xy._x + xy.kvPoints[i][0]), Math.round(xy._y + xy.kvPoints[i][1]));
    }
    for (i = 0; i < bubble.kvBubbles.length; i++)
        areas.push(kvProbeRound(bubble.kvBubbles[i][2] * bubble.kvBubbles[i][2] * 100));
    for (i = 0; i < cols.kvStacks.length; i++)
        stacks.push(cols.kvStacks[i].join(":"));
    for (i = 0; i < cols.kvBars.length; i++)
        colH.push(kvProbeRound(cols.kvBars[i][3]));
    for (i = 0; i < bars.kvBars.length; i++)
        barW.push(kvProbeRound(bars.kvBars[i][2]));
    for (i = 0; i < combo.kvBars.length; i++)
        comboH.push(kvProbeRound(combo.kvBars[i][3]));
    var cplot = combo.kvPlotArea;
    for (i = 0; i < combo.kvPoints.length; i++)
        lineH.push(kvProbeRound(cplot[1] + cplot[3] - combo.kvPoints[i][1]));
    var state = _root.CELL + "|" + heights.join(",") + "|" + bands.join(",") + "|" + areas.join(",") + "|" + stacks.join(",")
                + "|" + colH.join(",") + "|" + barW.join(",") + "," + bars._visible + "|" + comboH.join(",") + "|" + lineH.join(",")
                + "|" + combo.kvScale.join(",") + ";" + combo.kvScale2.join(",") + "|" + cplot[3] + "|" + onStage.join(",") + "|" + xy.kvFields.kvTitle;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Reports the cell, the vertical progress bar's fill as a percentage of its bar and its alert
// band, the lines' ends, the art each background drew, whether the fifth shows and what the text
// area shows; "ready" carries the text area's centre and a point of the stage outside every
// component, then the centres of the progress bar's fill, the lines and the backgrounds.
const char* kShapeProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var bar = _root.KVProgressBarVSymbol_1, h = _root.KVLineSymbol_1, v = _root.KVLineSymbolV_1, area = _root.KVTextAreaInputSymbol_1;
    var bgs = [_root.Panel, _root.KVBackground3Symbol_1, _root.KVBackground4Symbol_1, _root.KVBackground5Symbol_1];
    var i;
    if (++this.kvFrames == 2) {
        kvProbeBoxes();
        var at = [area._x + area.kvW / 2, area._y + area.kvH / 2, 395, 295,
                  bar._x + bar.kvW / 2, bar._y + bar.kvH - 25, h._x + h.kvW / 2, h._y + h.kvH / 2, v._x + v.kvW / 2, v._y + v.kvH / 2];
        for (i = 0; i < bgs.length; i++)
            at.push(bgs[i]._x + bgs[i].kvW / 2, bgs[i]._y + bgs[i].kvH / 2 + 10);
        fscommand("ready", at.join(","));
    }
    if (this.kvFrames < 2)
        return;
    var arts = [];
    for (i = 0; i < bgs.length; i++)
        arts.push(bgs[i].kvArt);
    var state = _root.CELL + "|" + Math.round(bar.kvFillH / (bar.kvH - 40) * 100) + "," + bar.kvAlertBand
                + "|" + h.kvLine.join(",") + ";" + v.kvLine.join(",") + "|" + arts.join(",") + "," + bgs[3]._visible
                + "|" + area.kvFields.kvEdit;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Reports the cells the maps insert into and the colours of some of their regions; "ready"
// carries the centres of Texas and France on the stage.
const char* kMapProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var usa = _root.KVMapUSASymbol_1, europe = _root.KVMapEuropeSymbol_1;
    var centre = function (clip) {
        var b = clip.getBounds(_root);
        return Math.round((b.xMin + b.xMax) / 2) + "," + Math.round((b.yMin + b.yMax) / 2);
    };
    if (++this.kvFrames == 2) {
        kvProbeBoxes();
        fscommand("ready", centre(usa.kvRegion_TX) + "," + centre(europe.kvRegion_FR) + "," + centre(usa.kvRegion_CA) + ","
                  + centre(usa.kvRegion_NE) + "," + centre(europe.kvRegion_DE));
    }
    if (this.kvFrames < 2)
        return;
    var c = usa.kvRegionColours, e = europe.kvRegionColours;
    var state = _root.CELL1 + "," + _root.CELL2 + "|" + [c.CA, c.TX, c.NY, c.FL].join(",") + "|" + [e.DE, e.FR].join(",");
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

} // namespace

int main(int argc, char** argv)
{
    std::filesystem::path folder;
    if (!playertest::OutputFolder(argc, argv, folder))
        return 2;

    try {
        dashboardtest::Installation installed(testsupport::InstallDir());
        {
            Dashboard d(installed);
            d.model.Number("A1", 10);
            const char* xs[] = {"B1", "C1", "D1", "E1"};
            for (int i = 0; i < 4; ++i)
                d.model.Number(xs[i], i + 1);
            d.model.Number("B2", 10);
            d.model.Number("C2", 20);
            d.model.Formula("D2", "A1*3");
            d.model.Number("E2", 5);
            d.model.Number("F1", 40);
            const char* row4[] = {"B4", "C4", "D4"};
            const char* row5[] = {"B5", "C5", "D5"};
            for (int i = 0; i < 3; ++i) {
                d.model.Number(row4[i], i + 1);
                d.model.Number(row5[i], (i + 1) * 10);
            }
            d.model.Number("B6", 10);
            d.model.Number("C6", 40);
            d.model.Formula("D6", "A1*9");
            d.model.Number("B8", 10);
            d.model.Number("C8", 20);
            d.model.Number("D8", 30);
            d.model.Number("B9", 5);
            d.model.Number("C9", -10);
            d.model.Formula("D9", "A1+0");
            d.model.Formula("G1", "IF(A1>7,\"show\",\"hide\")");
            d.model.Formula("H1", "\"Points of \"&A1");
            d.model.Number("B11", 10);
            d.model.Number("C11", 20);
            d.model.Number("D11", 30);
            d.model.Number("B12", 100);
            d.model.Number("C12", 200);
            d.model.Formula("D12", "A1*30");
            // Twips; the stage is 400 x 300 pixels.
            // Named like the variables component scripts once left on the main timeline, which
            // hid clips of those names.
            CComponent& input = d.Add("KVInputTextSymbol", 200, 100, 2400, 800);
            input.SetName("Input");
            d.Bind(input, "General", "insertInto", "A1", "A1");
            CComponent& xy = d.Add("KVXYChartSymbol", 2800, 100, 2600, 1900);
            xy.SetName("Chart");
            d.Bind(xy, "General", "dataValues", "B1", "E2");
            Find(xy, "Alerts", "alertsEnabled").SetBool(true);
            d.Bind(xy, "General", "chartTitle", "H1", "H1");
            d.Bind(xy, "Alerts", "target", "F1", "F1");
            CComponent& bubble = d.Add("KVBubbleChartSymbol", 5400, 100, 2600, 1900);
            d.Bind(bubble, "General", "dataValues", "B4", "D6");
            CComponent& cols = d.Add("KVStackColumnChartSymbol", 0, 2000, 2600, 2000);
            d.Bind(cols, "General", "dataValues", "B8", "D9");
            CComponent& bars = d.Add("KVStackBarChartSymbol", 2700, 2000, 2600, 2000);
            d.Bind(bars, "General", "dataValues", "B8", "D9");
            d.Bind(bars, "Behavior", "displayStatus", "G1", "G1");
            Find(bars, "Behavior", "displayKey").GetBinding()->GetValue().SetString("show", true);
            CComponent& combo = d.Add("KVComboChartSymbol", 1000, 4000, 5000, 2000);
            d.Bind(combo, "General", "dataValues", "B11", "D12");
            Find(combo, "Appearance", "showSecondAxis").SetBool(true);
            SetChoice(Find(combo, "Behavior", "autofocus"), "off");
            Find(combo, "Behavior", "maxY").SetDouble(50);
            d.Write(folder / "charts.swf", (std::string(kBoxes) + kChartProbe).c_str(), {{"CELL", d.Cell("A1")}});
        }
        {
            Dashboard d(installed);
            d.model.Number("A1", 30);
            d.model.Formula("B1", "IF(A1>50,1,2)");
            CComponent& bar = d.Add("KVProgressBarVSymbol", 200, 200, 1200, 4000);
            d.Bind(bar, "General", "mv", "A1", "A1");
            Find(bar, "Alerts", "alertsEnabled").SetBool(true);
            d.Add("KVLineSymbol", 1600, 200, 3000, 200);
            d.Add("KVLineSymbolV", 4800, 200, 200, 2000);
            d.Add("KVBackground2Symbol", 1600, 600, 1500, 1200).SetName("Panel");
            d.Add("KVBackground3Symbol", 3200, 600, 1500, 1200);
            d.Add("KVBackground4Symbol", 1600, 2000, 1500, 1200);
            CComponent& plain = d.Add("KVBackground5Symbol", 3200, 2000, 1500, 1200);
            Find(plain, "General", "artEnabled").SetBool(false);
            Find(plain, "Appearance", "backColor").SetColor(0x336699);
            d.Bind(plain, "Behavior", "displayStatus", "B1", "B1");
            CComponent& area = d.Add("KVTextAreaInputSymbol", 5200, 200, 2600, 2000);
            d.Bind(area, "General", "insertInto", "A1", "A1");
            d.Write(folder / "shapes.swf", (std::string(kBoxes) + kShapeProbe).c_str(), {{"CELL", d.Cell("A1")}});
        }
        {
            Dashboard d(installed);
            d.model.Text("A1", "CA");
            d.model.Text("A2", "tx");
            d.model.Text("A3", "New York");
            d.model.Number("B1", 90);
            d.model.Number("B2", 40);
            d.model.Formula("B3", "C1*1");
            d.model.Number("C1", 10);
            d.model.Text("D1", "");
            d.model.Number("D2", 0);
            d.model.Text("E1", "DE");
            d.model.Text("E2", "FR");
            d.model.Number("F1", 20);
            d.model.Number("F2", 80);
            CComponent& usa = d.Add("KVMapUSASymbol", 0, 0, 4800, 3000);
            d.Bind(usa, "General", "values", "A1", "A3");
            d.Bind(usa, "General", "mv", "B1", "B3");
            d.Bind(usa, "General", "dataValues", "D1", "D1");
            CComponent& europe = d.Add("KVMapEuropeSymbol", 4800, 0, 3200, 2968);
            d.Bind(europe, "General", "values", "E1", "E2");
            d.Bind(europe, "General", "mv", "F1", "F2");
            d.Bind(europe, "General", "dataValues", "D2", "D2");
            SetChoice(Find(europe, "General", "retInfo"), "position");
            d.Write(folder / "maps.swf", (std::string(kBoxes) + kMapProbe).c_str(),
                    {{"CELL1", d.Cell("D1")}, {"CELL2", d.Cell("D2")}});
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "more components: %s\n", e.what());
        return 1;
    }
    return 0;
}
