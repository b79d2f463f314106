// Writes a dashboard of charts changed through the chart sub-pages of the Appearance page, as a
// person would change them (clicking boxes, choosing colours and list items), so the player
// check can see that each sub-page's change reaches the published movie:
// - a column chart whose first series' bar colour (#CC0000) was chosen on its Series sub-page;
// - a line chart whose legend was switched on and title aligned left on its Titles sub-page;
// - a bar chart whose chart area was filled (#3366CC) on its Layout sub-page;
// - a combination chart whose line series was turned into columns on its Series sub-page.
// A second dashboard holds the other five charts, each with a colour chosen on its Series
// sub-page: a pie's second slice, an XY chart's line, a bubble chart's bubbles, and the first
// series of the stacked column and bar charts.
// The probes report what the charts hold and draw, and where to look at their colours.

#include "pages/ChartLayoutPage.h"
#include "pages/ChartSeriesPage.h"
#include "pages/ChartSubPages.h"
#include "pages/ChartTitlesPage.h"
#include "pages/ComboSeriesPage.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "tests/player/ChartSubDriving.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <stdexcept>

namespace {

using dashboardtest::Dashboard;
using pagedriving::Click;
using pagedriving::EditSub;

const std::string kProbe = dashboardtest::ThirdFrameProbe(R"(
    var column = _root.KVColumnChartSymbol_1, line = _root.KVLineChartSymbol_1;
    var bar = _root.KVBarChartSymbol_1, combo = _root.KVComboChartSymbol_1;
    var bar0 = column.kvBars[0], comboBar = combo.kvBars[combo.kvBars.length - 1];
    fscommand("state", column.markerColors[0] + "|" + line.showLegend + "|" + line.kvLegend0.text + "|"
              + line.kvTitle.getTextFormat().align + "|" + bar.backgroundProps.fillColor + "|"
              + combo.seriesTypes[1] + "|" + combo.kvBars.length + "|" + combo.markerColorsColumn[1]);
    fscommand("ready", (column._x + bar0[0] + bar0[2] / 2) + "," + (column._y + bar0[1] + bar0[3] / 2) + ","
              + (bar._x + 3) + "," + (bar._y + bar.kvH - 3) + ","
              + (combo._x + comboBar[0] + comboBar[2] / 2) + "," + (combo._y + comboBar[1] + comboBar[3] - 2));
)");

const std::string kOthersProbe = dashboardtest::ThirdFrameProbe(R"(
    var pie = _root.KVPieChartSymbol_1, xy = _root.KVXYChartSymbol_1, bubble = _root.KVBubbleChartSymbol_1;
    var cols = _root.KVStackColumnChartSymbol_1, bars = _root.KVStackBarChartSymbol_1;
    var col0 = cols.kvBars[0], bar0 = bars.kvBars[0];
    fscommand("state", pie.markerColors[1] + "|" + xy.lineColors[0] + "|" + bubble.markerColors[0] + "|"
              + cols.markerColors[0] + "|" + bars.markerColors[0]);
    fscommand("ready", (cols._x + col0[0] + col0[2] / 2) + "," + (cols._y + col0[1] + col0[3] / 2) + ","
              + (bars._x + bar0[0] + bar0[2] / 2) + "," + (bars._y + bar0[1] + bar0[3] / 2));
)");

void Choose(CWnd& page, int id, int index)
{
    static_cast<CComboBox*>(page.GetDlgItem(id))->UserSelect(index);
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.model.Number("A1", 1);
        CComponent& column = d.Add("KVColumnChartSymbol", 200, 200, 3700, 2700);
        CComponent& line = d.Add("KVLineChartSymbol", 4100, 200, 3700, 2700);
        CComponent& bar = d.Add("KVBarChartSymbol", 200, 3100, 3700, 2700);
        CComponent& combo = d.Add("KVComboChartSymbol", 4100, 3100, 3700, 2700);

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 420), nullptr, 0);

        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        EditSub(parent, column, pages::MakeChartSeriesSubPage(), pages::kChartColumn,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_MARKER_COLOR); });
        EditSub(parent, line, pages::MakeChartTitlesSubPage(), pages::kChartLine, [](CWnd& page) {
            Click(page, CChartTitlesPage::IDC_SHOW_LEGEND);
            Choose(page, CChartTitlesPage::IDC_ALIGN, 1);
        });
        dialogs.AnswerColour(RGB(0x33, 0x66, 0xCC));
        EditSub(parent, bar, pages::MakeChartLayoutSubPage(), pages::kChartBar,
                [](CWnd& page) { Click(page, CChartLayoutPage::IDC_CHART_FILL_COLOR); });
        EditSub(parent, combo, pages::MakeComboSeriesSubPage(), pages::kChartCombo, [](CWnd& page) {
            Choose(page, CComboSeriesPage::IDC_SERIES, 1);
            Choose(page, CComboSeriesPage::IDC_TYPE, 0);
        });
        d.Write(folder / "chartsub.swf", kProbe, {});

        Dashboard others(installed);
        others.model.Number("A1", 1);
        CComponent& pie = others.Add("KVPieChartSymbol", 200, 200, 2500, 2700);
        CComponent& xy = others.Add("KVXYChartSymbol", 2800, 200, 2500, 2700);
        CComponent& bubble = others.Add("KVBubbleChartSymbol", 5400, 200, 2500, 2700);
        CComponent& stackColumn = others.Add("KVStackColumnChartSymbol", 200, 3100, 3700, 2700);
        CComponent& stackBar = others.Add("KVStackBarChartSymbol", 4100, 3100, 3700, 2700);
        dialogs.AnswerColour(RGB(0x22, 0x22, 0x22));
        EditSub(parent, pie, pages::MakeChartSeriesSubPage(), pages::kChartPie, [](CWnd& page) {
            Choose(page, CChartSeriesPage::IDC_SERIES, 1);
            Click(page, CChartSeriesPage::IDC_MARKER_COLOR);
        });
        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        EditSub(parent, xy, pages::MakeChartSeriesSubPage(), pages::kChartXY,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_LINE_COLOR); });
        dialogs.AnswerColour(RGB(0xFF, 0x99, 0x00));
        EditSub(parent, bubble, pages::MakeChartSeriesSubPage(), pages::kChartBubble,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_MARKER_COLOR); });
        dialogs.AnswerColour(RGB(0x00, 0x80, 0x00));
        EditSub(parent, stackColumn, pages::MakeChartSeriesSubPage(), pages::kChartStackColumn,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_MARKER_COLOR); });
        dialogs.AnswerColour(RGB(0x80, 0x00, 0x80));
        EditSub(parent, stackBar, pages::MakeChartSeriesSubPage(), pages::kChartStackBar,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_MARKER_COLOR); });
        parent.DestroyWindow();
        others.Write(folder / "chartsub-others.swf", kOthersProbe, {});
    });
}
