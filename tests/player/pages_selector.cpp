// Writes a dashboard whose selectors, map and play selector were changed through their property
// pages, as a person would change them, so the player check can see the changes in the movie:
// - a list box whose labels ("North", "South", "East") were typed in the labels dialog of its
//   General page and whose insert option was set to "label" there; its Insert In cell is A1;
//   its default selection (the third item) was chosen on its Behavior page;
// - a map whose default fill (#CC3300) was chosen on its Appearance page and whose default region
//   ("New York", stored without blanks) was chosen on its Behavior page from the regions of its
//   source cells B1:B2 ("NY", "TX");
// - a play selector whose slider was switched off and whose default item (the second row) was
//   chosen on its play-options Behavior page.
// The probe reports what the components hold, then chooses the list's first item and reports
// the Insert In cell.

#include "pages/MapAppearancePage.h"
#include "pages/PlayOptionsBehaviorPage.h"
#include "pages/SelectorBehaviorPage.h"
#include "pages/SelectorGeneralPage.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "propui/EditingDialogs.h"
#include "propui/PropertyListCtrl.h"
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
using pagedriving::IndexOf;

const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var list = _root.KVListBoxSymbol_1, map = _root.KVMapUSASymbol_1, player = _root.KVPlaySelectorSymbol_1;
    ++this.kvFrames;
    if (this.kvFrames == 3) {
        fscommand("state", list.labels.join(",") + "|" + list.retInfo + "|" + list.selectIdx + "|"
                  + map.regionDftColor + "|" + map.kvRegionColours["OR"] + "|" + map.selectedRegion + "|"
                  + map.kvRegionColours["NY"] + "|" + player.sliderEnabled + "|" + player.selectIdx + "|"
                  + player.kvPlayLabel(player.kvPlayAt));
        kvSelectorInsert(list, 0);
    }
    if (this.kvFrames == 6)
        fscommand("ready", _root.CELL + "");
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

CComboBox& Combo(CWnd& page, int id)
{
    return *static_cast<CComboBox*>(page.GetDlgItem(id));
}

// Types the labels over the rows of the labels dialog, as a person would.
void TypeLabels(CDialog& dlg, const std::vector<std::string>& labels)
{
    auto& array = static_cast<CArrayDlg&>(dlg);
    CPropertyListCtrl& rows = *array.GetList();
    while (rows.GetRowCount() > static_cast<int>(labels.size()))
        CUserInput::Click(*dlg.GetDlgItem(CArrayDlg::kRemoveId), CPoint(3, 3));
    for (int row = 0; row < static_cast<int>(labels.size()); ++row) {
        const CRect cell = rows.GetCellRect(row, 1);
        CUserInput::Click(rows, CPoint(cell.left + 6, cell.CenterPoint().y));
        CUserInput::PressKey(VK_DELETE);
        CUserInput::TypeText(labels[static_cast<std::size_t>(row)]);
        CUserInput::PressKey(VK_RETURN);
    }
    CUserInput::Click(*dlg.GetDlgItem(IDOK), CPoint(3, 3));
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.model.Text("A1", "");
        d.model.Text("B1", "NY");
        d.model.Text("B2", "TX");
        CComponent& list = d.Add("KVListBoxSymbol", 200, 200, 2400, 1600);
        CComponent& map = d.Add("KVMapUSASymbol", 3000, 200, 4800, 3000);
        CComponent& player = d.Add("KVPlaySelectorSymbol", 200, 3600, 4000, 1000);
        d.Bind(list, "General", "dataValues", "A1", "A1");
        d.Bind(map, "General", "values", "B1", "B2");
        // The regions coloured by their alert bands would hide the default fill.
        dashboardtest::Find(map, "Alerts", "alertsEnabled").SetBool(false);

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 360), nullptr, 0);

        ui::SetDialogHookByCaption("Labels", [](CDialog& dlg) { TypeLabels(dlg, {"North", "South", "East"}); });
        Edit<CSelectorGeneralPage>(parent, list, "General", [](CWnd& page) {
            Click(page, CSelectorGeneralPage::IDC_LABELS_EDIT);
            Combo(page, CSelectorGeneralPage::IDC_OPTION).UserSelect(1);
        });
        Edit<CSelectorBehaviorPage>(parent, list, "Behavior", [](CWnd& page) {
            Combo(page, CSelectorBehaviorPage::IDC_DEFAULT).UserSelect(2);
        });

        dialogs.AnswerColour(RGB(0xCC, 0x33, 0x00));
        Edit<CMapAppearancePage>(parent, map, "Appearance",
                                 [](CWnd& page) { Click(page, CMapAppearancePage::IDC_DEFAULT_COLOR); });
        Edit<CSelectorBehaviorPage>(parent, map, "Behavior", [](CWnd& page) {
            CComboBox& regions = Combo(page, CSelectorBehaviorPage::IDC_DEFAULT_REGION);
            regions.UserSelect(IndexOf(regions, "New York"));
        });

        Edit<CPlayOptionsBehaviorPage>(parent, player, "Behavior", [](CWnd& page) {
            Click(page, CPlayOptionsBehaviorPage::IDC_SHOW_SLIDER);
            Combo(page, CPlayOptionsBehaviorPage::IDC_DEFAULT).UserSelect(1);
        });
        parent.DestroyWindow();
        d.Write(folder / "selectors.swf", kProbe, {{"CELL", d.Cell("A1")}});
    });
}
