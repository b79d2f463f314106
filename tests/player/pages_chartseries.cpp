// Writes a dashboard whose charts were given their data series by series on their General
// pages, as a person picks cells in the workbook, with a few frames set on their Appearance
// pages, so the player check can see each reach the movie:
// - the column chart "Picked": "Series" chosen, two series added and each given its values,
//   B1:B3 (5, 15, 25) and D1:D3 (D1 = A1 * 2, A1 = 10 typed into an input; 20, 30);
// - the line chart "Repicked": its data range B1:B3 picked (one series), then, in "Series", the
//   series' values picked again as C1:C3 (7, 8, 9);
// - the XY chart "Scatter": one series added with its X values B1:B3 and Y values C1:C3;
// - the pie "Pie" of B1:B3: its plot area's fill made amber (#FFCC00) on its Layout sub-page;
// - the play selector "Player": its transparency typed as 60 and its border switched off on its
//   Appearance page;
// - the background "Back", placed under a style whose fill is green (#33CC99).
// The probe reports each chart's series as it draws them, the pie's plot area and the play
// selector's panel; "ready" carries where to click the input and where to look.

#include "pages/ChartGeneralPage.h"
#include "pages/ChartLayoutPage.h"
#include "model/GlobalStyle.h"
#include "pages/FillBorderAppearancePage.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "sheet/host/ExcelHost.h"
#include "tests/player/ChartSubDriving.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/ScriptedRangePicker.h"
#include "tests/support/TestSupport.h"

#include <memory>
#include <vector>

namespace {

using dashboardtest::Dashboard;
using pagedriving::Click;
using pagedriving::Drive;
using pagedriving::EditSub;
using pagedriving::GroupSet;

const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var picked = _root.Picked, repicked = _root.Repicked, scatter = _root.Scatter, pie = _root.Pie;
    var player = _root.Player, input = _root.Input, back = _root.Back;
    if (++this.kvFrames == 3) {
        var plot = pie.kvPlotArea;
        fscommand("ready", (input._x + input.kvW / 2) + "," + (input._y + input.kvEdit._y + input.kvEdit._height / 2) + ","
                  + Math.round(pie._x + plot[0] + 3) + "," + Math.round(pie._y + plot[1] + 3) + ","
                  + Math.round(player._x) + "," + Math.round(player._y + player.kvH / 2) + ","
                  + Math.round(back._x + back.kvW / 2) + "," + Math.round(back._y + back.kvH / 2));
        var boxes = [];
        var names = ["Picked", "Repicked", "Scatter", "Pie", "Player", "Back"];
        for (var i = 0; i < names.length; i++) {
            var c = _root[names[i]];
            boxes.push(names[i] + ":" + Math.round(c._x) + ":" + Math.round(c._y) + ":" + c.kvW + ":" + c.kvH);
        }
        fscommand("boxes", boxes.join(","));
    }
    if (this.kvFrames < 3)
        return;
    var lines = function (series) {
        var out = [];
        for (var s = 0; s < series.length; s++)
            out.push(series[s].join(" "));
        return out.join(";");
    };
    var xy = kvXYSeries(scatter.dataValues, false);
    var state = _root.CELL + "|" + lines(kvChartSeries(picked.dataValues, picked.seriesNames)) + "|"
                + lines(kvChartSeries(repicked.dataValues, repicked.seriesNames)) + "|"
                + (xy.length > 0 ? xy[0][0].join(" ") + ";" + xy[0][1].join(" ") : "") + "|"
                + picked.kvBars.length + "," + scatter.kvPoints.length + "|"
                + (pie.kvPlotArea == undefined ? "none" : "plot") + "|" + Math.round(player.kvBack._alpha);
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Opens a chart's General page as the sheet does, with a workbook, and clicks the controls in
// turn, its link buttons picking the ranges given, in order.
void ClickThrough(CWnd& parent, Dashboard& d, CComponent& chart, CExcelHost& host, const std::vector<const char*>& picks,
                  const std::vector<int>& clicks)
{
    auto& picker = static_cast<sheet::CScriptedRangePicker&>(*host.GetRangePicker());
    for (const char* range : picks)
        picker.Answer(sheet::RangePickOutcome::Picked, range);
    CPropertyPageContext context;
    context.currentHost = [&host]() { return &host; };
    context.cellModel = [&d]() -> const CCellModel* { return &d.model.cells(); };
    context.variableTable = [&d]() { return &d.model.table(); };
    Drive<CChartGeneralPage>(parent, chart, GroupSet(chart, "General"), "General", context, true, [&clicks](CWnd& page) {
        for (int id : clicks)
            Click(page, id);
    });
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.model.Number("A1", 10);
        const double b[] = {5, 15, 25};
        const double c[] = {7, 8, 9};
        for (int i = 0; i < 3; ++i) {
            const std::string row = std::to_string(i + 1);
            d.model.Number(("B" + row).c_str(), b[i]);
            d.model.Number(("C" + row).c_str(), c[i]);
        }
        d.model.Formula("D1", "A1*2");
        d.model.Number("D2", 20);
        d.model.Number("D3", 30);

        CComponent& input = d.Add("KVInputTextSymbol", 200, 0, 2400, 600);
        input.SetName("Input");
        d.Bind(input, "General", "insertInto", "A1", "A1");
        CComponent& picked = d.Add("KVColumnChartSymbol", 20, 650, 2600, 1740);
        picked.SetName("Picked");
        CComponent& repicked = d.Add("KVLineChartSymbol", 2680, 650, 2600, 1740);
        repicked.SetName("Repicked");
        CComponent& scatter = d.Add("KVXYChartSymbol", 5340, 650, 2600, 1740);
        scatter.SetName("Scatter");
        CComponent& pie = d.Add("KVPieChartSymbol", 20, 2430, 2600, 1740);
        pie.SetName("Pie");
        d.Bind(pie, "General", "dataValues", "B1", "B3");
        CComponent& player = d.Add("KVPlaySelectorSymbol", 2680, 2430, 4000, 1000);
        player.SetName("Player");
        CComponent& back = d.Add("KVBackgroundSymbol", 6740, 2430, 1200, 1000);
        back.SetName("Back");
        CGlobalStyle style;
        style.SetFillColor(0x33CC99);
        back.GetParameters()->ApplyGlobalStyle(style);

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 420), nullptr, 0);

        CExcelHost host(nullptr, "");
        host.SetRangePicker(std::make_unique<sheet::CScriptedRangePicker>());
        using Page = CChartGeneralPage;
        ClickThrough(parent, d, picked, host, {"S!$B$1:$B$3", "S!$D$1:$D$3"},
                     {Page::IDC_MODE_SERIES, Page::IDC_ADD, Page::IDC_VALUES_LINK, Page::IDC_ADD, Page::IDC_VALUES_LINK});
        ClickThrough(parent, d, repicked, host, {"S!$B$1:$B$3", "S!$C$1:$C$3"},
                     {Page::IDC_RANGE_LINK, Page::IDC_MODE_SERIES, Page::IDC_VALUES_LINK});
        ClickThrough(parent, d, scatter, host, {"S!$B$1:$B$3", "S!$C$1:$C$3"},
                     {Page::IDC_MODE_SERIES, Page::IDC_ADD, Page::IDC_VALUES_LINK, Page::IDC_YVALUES_LINK});

        dialogs.AnswerColour(RGB(0xFF, 0xCC, 0x00));
        EditSub(parent, pie, pages::MakeChartLayoutSubPage(), pages::kChartPie,
                [](CWnd& page) { Click(page, CChartLayoutPage::IDC_PLOT_FILL_COLOR); });
        Drive<CFillBorderAppearancePage>(
            parent, player, GroupSet(player, "Appearance"), "Appearance", {}, true,
            [](CWnd& page) {
                pagedriving::Type(page, CFillBorderAppearancePage::IDC_BORDER_TRANS, "60", true);
                Click(page, CFillBorderAppearancePage::IDC_SHOW_BORDER);
            },
            true);
        parent.DestroyWindow();
        d.Write(folder / "series.swf", kProbe, {{"CELL", d.Cell("A1")}});
    });
}
