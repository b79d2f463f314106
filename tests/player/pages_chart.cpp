// Writes a dashboard of every chart, each changed through its property pages as a person would
// change it, so that the player check can see the changes reach the published movie:
// - the column chart "Sales" of B1:D1 = 10, 20, A1 (A1 = 10, typed into an input): its title
//   "Quarterly sales" typed on its General page; on its Alerts page alerts switched on, the
//   target 100 typed and the top band's fill made blue (#0000FF);
// - the stacked column chart of B2:D3: "Manual Scale" chosen on its Behavior page and the
//   Y-axis maximum set to 200;
// - the line chart of B1:D1: the vertical axis's label colour made red (#CC0000) on the Y-Axis
//   sub-page of its Appearance page;
// - the bar chart of D1:D3 (D1 = A1): a second series added on its General page, named but
//   without cells, which leaves the chart one series of D1:D3, still linked to A1;
// - every other chart: its title (the chart's kind) typed on its General page.
// The probe reports the titles, the column chart's alert bands, the stacked chart's scale and
// the line chart's label colour; "ready" carries the input and the column chart's third bar.

#include "model/Parameter.h"
#include "pages/AlertsPage.h"
#include "pages/ChartAppearancePage.h"
#include "pages/ChartAxisPage.h"
#include "pages/ChartBehaviorPage.h"
#include "pages/ChartGeneralPage.h"
#include "platform/controls/SpinEdit.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <memory>

namespace {

using dashboardtest::Dashboard;
using pagedriving::Click;
using pagedriving::Edit;
using pagedriving::Type;

const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var sales = _root.Sales, stack = _root.KVStackColumnChartSymbol_1, line = _root.KVLineChartSymbol_1;
    var input = _root.Input;
    var names = ["Sales", "KVStackColumnChartSymbol_1", "KVLineChartSymbol_1", "KVBarChartSymbol_1", "KVPieChartSymbol_1",
                 "KVXYChartSymbol_1", "KVBubbleChartSymbol_1", "KVStackBarChartSymbol_1", "KVComboChartSymbol_1"];
    var i;
    if (++this.kvFrames == 3) {
        var boxes = [];
        for (i = 0; i < names.length; i++) {
            var c = _root[names[i]];
            boxes.push(names[i] + ":" + Math.round(c._x) + ":" + Math.round(c._y) + ":" + c.kvW + ":" + c.kvH);
        }
        fscommand("boxes", boxes.join(","));
        var bar = sales.kvBars[2];
        fscommand("ready", (input._x + input.kvW / 2) + "," + (input._y + input.kvEdit._y + input.kvEdit._height / 2) + ","
                  + Math.round(sales._x + bar[0] + bar[2] / 2) + "," + Math.round(sales._y + bar[1] + bar[3] - 2));
    }
    if (this.kvFrames < 3)
        return;
    var titles = [];
    for (i = 0; i < names.length; i++)
        titles.push(_root[names[i]].kvFields.kvTitle);
    var values = kvChartSeries(sales.dataValues, sales.seriesNames)[0], bands = [];
    for (i = 0; i < values.length; i++)
        bands.push(sales.kvAlertIndex(values[i], i));
    var bar = kvChartSeries(_root.KVBarChartSymbol_1.dataValues, _root.KVBarChartSymbol_1.seriesNames);
    var state = _root.CELL + "|" + titles.join(",") + "|" + bands.join(",") + "|" + sales.alertColors[2] + "|"
                + stack.autofocus + "," + stack.kvScale[0] + "," + stack.kvScale[1] + "|" + line.kvTick0.getTextFormat().color
                + "|" + bar.length + ":" + bar[0].join(",");
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Types a number into a spin edit's field and commits it with Enter.
void TypeSpin(CChartBehaviorPage& page, int id, const std::string& text)
{
    CEdit* field = page.Spin(id)->EditPart();
    field->SetFocus();
    field->SetSel(0, -1);
    CUserInput::PressKey(VK_DELETE);
    field->Type(text);
    CUserInput::PressKey(VK_RETURN);
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.model.Number("A1", 10);
        d.model.Number("B1", 10);
        d.model.Number("C1", 20);
        d.model.Formula("D1", "A1+0");
        const char* cells[] = {"B2", "C2", "D2", "B3", "C3", "D3"};
        for (int i = 0; i < 6; ++i)
            d.model.Number(cells[i], 10 * (i + 1));

        CComponent& input = d.Add("KVInputTextSymbol", 200, 0, 2400, 600);
        input.SetName("Input");
        d.Bind(input, "General", "insertInto", "A1", "A1");
        struct Placed {
            const char* symbol;
            const char* title;
        };
        const Placed charts[] = {{"KVColumnChartSymbol", nullptr}, {"KVStackColumnChartSymbol", "Stacked columns"},
                                 {"KVLineChartSymbol", "Line"},     {"KVBarChartSymbol", "Bar"},
                                 {"KVPieChartSymbol", "Pie"},       {"KVXYChartSymbol", "XY"},
                                 {"KVBubbleChartSymbol", "Bubble"}, {"KVStackBarChartSymbol", "Stacked bars"},
                                 {"KVComboChartSymbol", "Combination"}};
        std::vector<CComponent*> placed;
        for (int i = 0; i < 9; ++i)
            placed.push_back(&d.Add(charts[i].symbol, 20 + (i % 3) * 2660, 650 + (i / 3) * 1780, 2600, 1740));
        CComponent& sales = *placed[0];
        sales.SetName("Sales");
        d.Bind(sales, "General", "dataValues", "B1", "D1");
        d.Bind(*placed[1], "General", "dataValues", "B2", "D3");
        d.Bind(*placed[2], "General", "dataValues", "B1", "D1");
        d.Bind(*placed[3], "General", "dataValues", "D1", "D3");

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 420), nullptr, 0);

        Edit<CChartGeneralPage>(parent, sales, "General", [](CWnd& page) {
            Type(page, CChartGeneralPage::IDC_TITLE, "Quarterly sales", true);
        });
        for (int i = 1; i < 9; ++i) {
            const std::string title = charts[i].title;
            Edit<CChartGeneralPage>(parent, *placed[i], "General", [&title, i](CWnd& page) {
                Type(page, CChartGeneralPage::IDC_TITLE, title, true);
                // The bar chart gets a second series, named but without cells yet.
                if (i == 3)
                    Click(page, CChartGeneralPage::IDC_ADD);
            });
        }
        dialogs.AnswerColour(RGB(0x00, 0x00, 0xFF));
        Edit<CAlertsPage>(parent, sales, "Alerts", [](CWnd& page) {
            auto& alerts = static_cast<CAlertsPage&>(page);
            Click(page, CAlertsPage::IDC_ENABLE);
            Type(page, CAlertsPage::IDC_TARGET, "100", true);
            // The top band: from the last threshold to the bar's right end.
            CAlertControl& control = alerts.Control();
            const CRect bar = control.GetBarRect();
            const int left = control.GetMarkerX(control.GetMarkerCount() - 1);
            CUserInput::Click(control, CPoint((left + bar.right) / 2, (bar.top + bar.bottom) / 2));
            Click(page, CAlertsPage::IDC_FILL);
        });
        Edit<CChartBehaviorPage>(parent, *placed[1], "Behavior", [](CWnd& page) {
            auto& behavior = static_cast<CChartBehaviorPage&>(page);
            Click(page, CChartBehaviorPage::IDC_MANUAL);
            TypeSpin(behavior, CChartBehaviorPage::IDC_MAX_Y, "200");
        });
        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        Edit<CChartAppearancePage>(parent, *placed[2], "Appearance", [](CWnd& page) {
            auto& appearance = static_cast<CChartAppearancePage&>(page);
            Click(page, CChartAppearancePage::IDC_YAXIS);
            auto* axis = static_cast<CChartAxisPage*>(appearance.SubPage(CChartAppearancePage::kYAxis));
            CUserInput::Click(axis->LabelFont().ColorButton(), CPoint(3, 3));
        });
        parent.DestroyWindow();
        d.Write(folder / "charts.swf", kProbe, {{"CELL", d.Cell("A1")}});
    });
}
