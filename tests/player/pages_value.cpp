// Writes a dashboard whose single-value components and table were changed through their
// property pages, as a person would change them, so the player check can see each page's
// change in the published movie:
// - a slider bound to A1 whose title ("Rate") was typed on its General page and whose limits
//   (20 to 80) were typed on its Behavior page;
// - a gauge whose tick colour (#CC0000) was chosen and whose title was switched off on its
//   Appearance page;
// - a table whose display data (E1:F3) and insert cells (G1:H1) were picked on its General
//   page, whose default row (row 2) was chosen on its Behavior page and whose selected-row
//   colour (#33CC33) was chosen on its Appearance page.
// A value display shows I1 = G1*H1, the product of the inserted row.
// The probe reports what the components hold and where the table's rows are.

#include "model/Parameter.h"
#include "pages/SingleValueAppearancePage.h"
#include "pages/SingleValueBehaviorPage.h"
#include "pages/SingleValueGeneralPage.h"
#include "pages/TableSelectorPages.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "sheet/host/ExcelHost.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/ScriptedRangePicker.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <memory>

namespace {

using dashboardtest::Dashboard;
using pagedriving::Click;
using pagedriving::Edit;
using pagedriving::Type;
using pagedriving::TypeSpin;

const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var slider = _root.KVSliderHSymbol_1, gauge = _root.KVGaugeSymbol_1, table = _root.KVTableNewSymbol_1;
    if (++this.kvFrames == 3)
        fscommand("ready", (table._x + 2) + "," + (table._y + 30) + "," + (table._x + table.kvW / 2) + ","
                  + (table._y + 50));
    var state = slider.kvFields.kvTitle + "|" + slider.minValue + "|" + slider.maxValue + "|" + gauge.tickColor
                + "|" + gauge.titleEnabled + "|" + gauge.kvFields.kvTitle + "|" + table.selectIdx + "|"
                + table.selectColor + "|" + table.kvFields.kvCell0 + "|" + _root.CELL1 ;
    if (state != this.kvState) {
        this.kvState = state;
        fscommand("state", state);
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

// Opens a page as the sheet does, with a workbook whose ranges the scripted picker picks.
template <class Page, class Act>
void EditWithWorkbook(CWnd& parent, Dashboard& d, CComponent& component, const char* group, CExcelHost& host, Act act)
{
    CPropertyPageContext context;
    context.currentHost = [&host]() { return &host; };
    context.cellModel = [&d]() -> const CCellModel* { return &d.model.cells(); };
    context.variableTable = [&d]() { return &d.model.table(); };
    pagedriving::Drive<Page>(parent, component, pagedriving::GroupSet(component, group), group, context, true, act);
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.model.Number("A1", 50);
        const char* shown[] = {"E1", "F1", "E2", "F2", "E3", "F3"};
        for (int i = 0; i < 6; ++i)
            d.model.Number(shown[i], (i + 1) * 10);
        d.model.Number("G1", 0);
        d.model.Number("H1", 0);
        // The inserted cells take part in the model by a formula that is shown.
        d.model.Formula("I1", "G1*H1");
        CComponent& slider = d.Add("KVSliderHSymbol", 200, 200, 4000, 1000);
        CComponent& gauge = d.Add("KVGaugeSymbol", 4400, 200, 3200, 3600);
        CComponent& table = d.Add("KVTableNewSymbol", 200, 1600, 4000, 1600);
        d.Bind(slider, "General", "mv", "A1", "A1");
        d.Bind(d.Add("KVValueDisplaySymbol", 4400, 4000, 3200, 1000), "General", "mv", "I1", "I1");

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 400), nullptr, 0);

        Edit<CSingleValueGeneralPage>(parent, slider, "General", [](CWnd& page) {
            Type(page, CSingleValueGeneralPage::IDC_TITLE, "Rate", true);
        });
        Edit<CSingleValueBehaviorPage>(parent, slider, "Behavior", [](CWnd& page) {
            TypeSpin(page, CSingleValueBehaviorPage::IDC_MAX, "80");
            TypeSpin(page, CSingleValueBehaviorPage::IDC_MIN, "20");
        });
        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        Edit<CSingleValueAppearancePage>(parent, gauge, "Appearance", [](CWnd& page) {
            Click(page, CSingleValueAppearancePage::IDC_TICK_COLOR);
            Click(page, CSingleValueAppearancePage::IDC_SHOW_TITLE);
        });

        CExcelHost host(nullptr, "");
        auto scripted = std::make_unique<sheet::CScriptedRangePicker>();
        sheet::CScriptedRangePicker& picker = *scripted;
        host.SetRangePicker(std::move(scripted));
        picker.Answer(sheet::RangePickOutcome::Picked, "S!$E$1:$F$3");
        picker.Answer(sheet::RangePickOutcome::Picked, "S!$G$1:$H$1");
        EditWithWorkbook<CTableSelectorGeneralPage>(parent, d, table, "General", host, [](CWnd& page) {
            Click(page, CTableSelectorGeneralPage::IDC_DATA_LINK);
            Click(page, CTableSelectorGeneralPage::IDC_TARGET_LINK);
        });
        Edit<CTableSelectorBehaviorPage>(parent, table, "Behavior", [](CWnd& page) {
            static_cast<CComboBox*>(page.GetDlgItem(CTableSelectorBehaviorPage::IDC_DEFAULT))->UserSelect(1);
        });
        dialogs.AnswerColour(RGB(0x33, 0xCC, 0x33));
        Edit<CTableSelectorAppearancePage>(parent, table, "Appearance", [](CWnd& page) {
            Click(page, CTableSelectorAppearancePage::IDC_SELECT_COLOR);
        });
        parent.DestroyWindow();
        d.Write(folder / "value.swf", kProbe, {{"CELL1", d.Cell("I1")}});
    });
}
