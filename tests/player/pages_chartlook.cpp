// Writes dashboards of charts whose look was changed through their pages as a person changes it
// (typing into spin edits, ticking boxes, choosing list items and colours), so the player check
// can find each change in the published picture or in what the chart reports:
// - series: a column chart's bars narrowed to 40 % and half transparent, with values shown; a
//   line chart's first marker a diamond of 14 pixels; a pie with its values shown;
// - combination series: a chart of three series whose third was made columns;
// - axis: a column chart's vertical axis drawn red and 3 pixels wide;
// - layout: a column chart's minor horizontal gridlines shown, green and 2 pixels wide;
// - titles: a line chart's legend shown with a yellow fill and a border;
// - behaviour and alerts: a column chart with its focus and scale-behaviour buttons and, with
//   alerts on, the alert level display.
// A third dashboard holds a column chart whose title box was filled and bordered, one under a
// manual scale of four major divisions, a bar chart of thousands with fixed label width (its
// labels shortened to "1K" and so on) and an XY chart whose markers were coloured; a fourth a
// column chart with background and bar art and a pie without slice lines.

#include "model/ValueList.h"
#include "pages/AlertsPage.h"
#include "pages/ChartAxisPage.h"
#include "pages/ChartBehaviorPage.h"
#include "pages/ChartLayoutPage.h"
#include "pages/ChartSeriesPage.h"
#include "pages/ChartSubPages.h"
#include "pages/ChartTitlesPage.h"
#include "pages/ComboSeriesPage.h"
#include "pages/PageBlocks.h"
#include "platform/controls/SpinEdit.h"
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
using pagedriving::Choose;
using pagedriving::Click;
using pagedriving::EditSub;
using pagedriving::Spin;

const std::string kSeriesProbe = dashboardtest::ThirdFrameProbe(R"(
    var column = _root.KVColumnChartSymbol_1, line = _root.KVLineChartSymbol_1;
    var combo = _root.KVComboChartSymbol_1, pie = _root.KVPieChartSymbol_1;
    var bar0 = column.kvBars[0], span = column.kvPlotArea[2] / 3;
    var marks = line.kvMarksClip.getBounds(line), first = line.kvPoints[0];
    fscommand("state", Math.round(bar0[2] / span * 100) + "|" + column.kvValues.length + "|" + column.kvValue0.text + "|"
              + line.seriesMarkers[0] + "|" + Math.round(first[0] - marks.xMin) + "|"
              + combo.seriesTypes[2] + "|" + combo.kvBars.length + "|" + pie.kvValues.length);
    fscommand("ready", (column._x + bar0[0] + bar0[2] / 2) + "," + (column._y + bar0[1] + bar0[3] - 2) + ","
              + (line._x + first[0]) + "," + (line._y + first[1]) + ","
              + (line._x + first[0] + 4) + "," + (line._y + first[1] + 4));
)");

const std::string kLayoutProbe = dashboardtest::ThirdFrameProbe(R"(
    var axis = _root.KVColumnChartSymbol_1, grid = _root.KVColumnChartSymbol_2;
    var legend = _root.KVLineChartSymbol_1, buttons = _root.KVColumnChartSymbol_3;
    var a = axis.kvPlotArea, g = grid.kvPlotArea, s = grid.kvScale;
    var minorY = g[1] + g[3] - s[2] / (s[1] - s[0]) / 2 * g[3];
    var box = legend.kvLegendBox.getBounds(legend), level = buttons.kvAlertLevels;
    var before = buttons.kvButtonText2.text;
    buttons.kvScaleButton(2);
    fscommand("state", axis.YAxisColor + "|" + before + "|" + buttons.kvButtonText2.text + "|" + buttons.autofocus + "|"
              + buttons.kvButtonText0.text + "|" + level.length + "|" + buttons.alertDisplayEnabled + "|" + level[level.length - 1]);
    fscommand("ready", (axis._x + a[0]) + "," + (axis._y + a[1] + a[3] / 2) + ","
              + (grid._x + g[0] + 3) + "," + (grid._y + minorY) + ","
              + (legend._x + box.xMin + 2) + "," + (legend._y + box.yMin + 2) + ","
              + (buttons._x + buttons.kvPlotArea[0] + buttons.kvPlotArea[2] + 5) + "," + (buttons._y + buttons.kvPlotArea[1] + 3) + ","
              + (grid._x + grid.kvBars[0][0] + grid.kvBars[0][2] / 2) + "," + (grid._y + minorY));
)");

const std::string kMoreProbe = dashboardtest::ThirdFrameProbe(R"(
    var title = _root.KVColumnChartSymbol_1, manual = _root.KVColumnChartSymbol_2;
    var units = _root.KVBarChartSymbol_1, xy = _root.KVXYChartSymbol_1;
    var labels = 0;
    while (manual["kvTick" + labels] != undefined && manual["kvTick" + labels].text != "")
        labels++;
    var box = title.kvTitleBox.getBounds(title), point = xy.kvPoints[0];
    fscommand("state", labels + "|" + manual.kvScale[2] + "|" + units.kvTick1.text + "|" + units.kvTick5.text + "|"
              + xy.markerColors[0] + "|" + title.chartTitleProps.borderWeight);
    fscommand("ready", (title._x + box.xMin + 4) + "," + (title._y + box.yMin + 4) + ","
              + (xy._x + point[0]) + "," + (xy._y + point[1]));
)");

const std::string kArtProbe = dashboardtest::ThirdFrameProbe(R"(
    var art = _root.KVColumnChartSymbol_1, pie = _root.KVPieChartSymbol_1;
    var bar = art.kvBars[2], c = pie.kvPieCentre, a = pie.kvSlices[1][0] * Math.PI / 180;
    fscommand("state", art.useBackgroundArt + "|" + art.useMarkerArt + "|" + pie.showLines);
    fscommand("ready", (art._x + bar[0] + bar[2] * 0.25) + "," + (art._y + bar[1] + bar[3] / 2) + ","
              + (art._x + bar[0] + bar[2] * 0.75) + "," + (art._y + bar[1] + bar[3] / 2) + ","
              + (art._x + 3) + "," + (art._y + 3) + "," + (art._x + 3) + "," + (art._y + art.kvH - 4) + ","
              + (pie._x + c[0] + c[2] / 2 * Math.sin(a)) + "," + (pie._y + c[1] - c[2] / 2 * Math.cos(a)));
)");

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 520), nullptr, 0);

        Dashboard d(installed);
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                d.model.Number(std::string(1, static_cast<char>('A' + c)) + std::to_string(r + 1), 10.0 * (r + c + 1));
        CComponent& column = d.Add("KVColumnChartSymbol", 200, 200, 3700, 2700);
        CComponent& line = d.Add("KVLineChartSymbol", 4100, 200, 3700, 2700);
        CComponent& combo = d.Add("KVComboChartSymbol", 200, 3100, 3700, 2700);
        CComponent& pie = d.Add("KVPieChartSymbol", 4100, 3100, 3700, 2700);
        EditSub(parent, column, pages::MakeChartSeriesSubPage(), pages::kChartColumn, [](CWnd& page) {
            Spin(page, CChartSeriesPage::IDC_SIZE, "40");
            Spin(page, CChartSeriesPage::IDC_TRANS, "50");
            Click(page, CChartSeriesPage::IDC_SHOW_VALUES);
        });
        EditSub(parent, line, pages::MakeChartSeriesSubPage(), pages::kChartLine, [](CWnd& page) {
            Choose(page, CChartSeriesPage::IDC_MARKER, 1);
            Spin(page, CChartSeriesPage::IDC_SIZE, "14");
        });
        // The combination chart's data grows to three series, as a new range on its General
        // page makes it; its listed types stay two.
        d.Bind(combo, "General", "dataValues", "A1", "C3");
        CParameter* names = pages::ListValue(pages::FindInComponent(combo.GetParameters(), "seriesNames"));
        CParameter third(*names->GetElement(0));
        third.SetString("Series3");
        names->InsertElementCopy(third, names->GetElementCount());
        EditSub(parent, combo, pages::MakeComboSeriesSubPage(), pages::kChartCombo, [](CWnd& page) {
            Choose(page, CComboSeriesPage::IDC_SERIES, 2);
            Choose(page, CComboSeriesPage::IDC_TYPE, 0);
        });
        EditSub(parent, pie, pages::MakeChartSeriesSubPage(), pages::kChartPie,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_SHOW_VALUES); });
        d.Write(folder / "chartlook-series.swf", kSeriesProbe, {});

        Dashboard l(installed);
        l.model.Number("A1", 1);
        CComponent& axis = l.Add("KVColumnChartSymbol", 200, 200, 3700, 2700);
        CComponent& grid = l.Add("KVColumnChartSymbol", 4100, 200, 3700, 2700);
        CComponent& legend = l.Add("KVLineChartSymbol", 200, 3100, 3700, 2700);
        CComponent& buttons = l.Add("KVColumnChartSymbol", 4100, 3100, 3700, 2700);
        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        EditSub(parent, axis, pages::MakeChartAxisSubPage(1), pages::kChartColumn, [](CWnd& page) {
            Click(page, CChartAxisPage::IDC_COLOR);
            Spin(page, CChartAxisPage::IDC_WEIGHT, "3");
        });
        dialogs.AnswerColour(RGB(0x00, 0xAA, 0x00));
        EditSub(parent, grid, pages::MakeChartLayoutSubPage(), pages::kChartColumn, [](CWnd& page) {
            Click(page, CChartLayoutPage::IDC_HMINOR + CChartLayoutPage::kFamilyCheck);
            Click(page, CChartLayoutPage::IDC_HMINOR + CChartLayoutPage::kFamilyColour);
            Spin(page, CChartLayoutPage::IDC_HMINOR + CChartLayoutPage::kFamilyWeight, "2");
        });
        dialogs.AnswerColour(RGB(0xFF, 0xCC, 0x00));
        EditSub(parent, legend, pages::MakeChartTitlesSubPage(), pages::kChartLine, [](CWnd& page) {
            Click(page, CChartTitlesPage::IDC_SHOW_LEGEND);
            Click(page, CChartTitlesPage::IDC_LEGEND_FILL);
            Click(page, CChartTitlesPage::IDC_LEGEND_FILL_COLOR);
            Click(page, CChartTitlesPage::IDC_LEGEND_BORDER);
        });
        pagedriving::Edit<CChartBehaviorPage>(parent, buttons, "Behavior", [](CWnd& page) {
            Click(page, CChartBehaviorPage::IDC_SHOW_FOCUS);
            Click(page, CChartBehaviorPage::IDC_SHOW_SCALE);
        });
        pagedriving::Edit<CAlertsPage>(parent, buttons, "Alerts", [](CWnd& page) {
            Click(page, CAlertsPage::IDC_ENABLE);
            Click(page, CAlertsPage::IDC_LEVEL_DISPLAY);
        });
        l.Write(folder / "chartlook-layout.swf", kLayoutProbe, {});

        Dashboard m(installed);
        m.model.Number("A1", 5000);
        m.model.Number("B1", 2500);
        m.model.Number("C1", 4000);
        CComponent& title = m.Add("KVColumnChartSymbol", 200, 200, 3700, 2700);
        CComponent& manual = m.Add("KVColumnChartSymbol", 4100, 200, 3700, 2700);
        CComponent& units = m.Add("KVBarChartSymbol", 200, 3100, 3700, 2700);
        CComponent& xy = m.Add("KVXYChartSymbol", 4100, 3100, 3700, 2700);
        dialogs.AnswerColour(RGB(0x99, 0xCC, 0xFF));
        EditSub(parent, title, pages::MakeChartTitlesSubPage(), pages::kChartColumn, [](CWnd& page) {
            Click(page, CChartTitlesPage::IDC_TITLE_FILL);
            Click(page, CChartTitlesPage::IDC_TITLE_FILL_COLOR);
            Click(page, CChartTitlesPage::IDC_TITLE_BORDER);
            Spin(page, CChartTitlesPage::IDC_TITLE_WEIGHT, "2");
        });
        pagedriving::Edit<CChartBehaviorPage>(parent, manual, "Behavior",
                                              [](CWnd& page) { Click(page, CChartBehaviorPage::IDC_MANUAL); });
        EditSub(parent, manual, pages::MakeChartLayoutSubPage(), pages::kChartColumn,
                [](CWnd& page) { Spin(page, CChartLayoutPage::IDC_MAJOR, "4"); });
        m.Bind(units, "General", "dataValues", "A1", "C1");
        pagedriving::Edit<CChartBehaviorPage>(parent, units, "Behavior",
                                              [](CWnd& page) { Click(page, CChartBehaviorPage::IDC_FIXED_WIDTH); });
        dialogs.AnswerColour(RGB(0xAA, 0x00, 0xAA));
        EditSub(parent, xy, pages::MakeChartSeriesSubPage(), pages::kChartXY,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_MARKER_COLOR); });
        m.Write(folder / "chartlook-more.swf", kMoreProbe, {});

        Dashboard a(installed);
        a.model.Number("A1", 1);
        CComponent& art = a.Add("KVColumnChartSymbol", 200, 200, 3700, 2700);
        CComponent& lines = a.Add("KVPieChartSymbol", 4100, 200, 3700, 2700);
        EditSub(parent, art, pages::MakeChartLayoutSubPage(), pages::kChartColumn,
                [](CWnd& page) { Click(page, CChartLayoutPage::IDC_USE_ART); });
        EditSub(parent, art, pages::MakeChartSeriesSubPage(), pages::kChartColumn,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_USE_ART); });
        EditSub(parent, lines, pages::MakeChartSeriesSubPage(), pages::kChartPie,
                [](CWnd& page) { Click(page, CChartSeriesPage::IDC_HIGHLIGHTS); });
        parent.DestroyWindow();
        a.Write(folder / "chartlook-art.swf", kArtProbe, {});
    });
}
