// Writes a dashboard of selectors and a map whose looks were changed through their Appearance
// pages, as a person changes them, so the player check can find each change in the movie:
// - a list box whose "Selected Text" colour was picked (red);
// - a check box whose title was moved down 6 pixels by typing "-6" into its Y shift (the page
//   shows the shift upwards);
// - a combo box whose "Show Labels" was cleared and whose border colour was picked (green);
// - a map whose title (from C1) was put at the bottom, whose region labels were switched on,
//   whose "Show Art" was cleared and whose "Show On/Off" was checked.
// The probe reports what the components drew and presses a region twice.

#include "pages/MapAppearancePage.h"
#include "pages/SelectorAppearancePage.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/TestSupport.h"

#include <cstdio>

namespace {

using dashboardtest::Dashboard;
using pagedriving::Choose;
using pagedriving::Click;
using pagedriving::Edit;
using pagedriving::IndexOf;
using pagedriving::TypeSpin;

const std::string kProbe = dashboardtest::ThirdFrameProbe(R"(
    var list = _root.KVListBoxSymbol_1, box = _root.KVCheckBoxSymbol_1, combo = _root.KVComboBoxSymbol_1;
    var map = _root.KVMapUSASymbol_1;
    fscommand("list", list.kvRow0.getTextFormat().color + "|" + list.kvRow1.getTextFormat().color);
    fscommand("box", (box.kvLabel._y - Math.round((box.kvH - 18) / 2)) + "|" + box.kvFields.kvLabel);
    fscommand("combo", "[" + combo.kvFields.kvChosen + "]|" + combo.borderColor);
    fscommand("map", map.kvFields.kvTitle + "|" + (map.kvH - map.kvTitle._y) + "|" + map.kvFields.kvLabel_TX + "|"
              + map.kvLabel_TX._visible);
    map.kvRegion_TX.onRollOver();
    fscommand("over", map.kvRegionColours.TX == map.regionHighlightColor);
    map.kvRegion_TX.onRelease();
    var first = map.selectedRegion;
    map.kvRegion_TX.onRelease();
    fscommand("onoff", first + "|[" + map.selectedRegion + "]");
)");

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.model.Text("C1", "Sales by state");
        CComponent& list = d.Add("KVListBoxSymbol", 200, 200, 2400, 1600);
        CComponent& box = d.Add("KVCheckBoxSymbol", 200, 2200, 2400, 800);
        CComponent& combo = d.Add("KVComboBoxSymbol", 200, 3400, 2400, 500);
        CComponent& map = d.Add("KVMapUSASymbol", 3000, 200, 5000, 3600);
        d.Bind(map, "General", "title", "C1", "C1");

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 400), nullptr, 0);

        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        Edit<CSelectorAppearancePage>(parent, list, "Appearance",
                                      [](CWnd& page) { Click(page, CSelectorAppearancePage::IDC_SELECTED_TEXT); });
        Edit<CSelectorAppearancePage>(parent, box, "Appearance",
                                      [](CWnd& page) { TypeSpin(page, CSelectorAppearancePage::IDC_TITLE_Y, "-6"); });
        dialogs.AnswerColour(RGB(0x00, 0xAA, 0x00));
        Edit<CSelectorAppearancePage>(parent, combo, "Appearance", [](CWnd& page) {
            Click(page, CSelectorAppearancePage::IDC_SHOW_LABELS);
            Click(page, CSelectorAppearancePage::IDC_BORDER_COLOR);
        });
        Edit<CMapAppearancePage>(parent, map, "Appearance", [](CWnd& page) {
            auto& position = *static_cast<CComboBox*>(page.GetDlgItem(CMapAppearancePage::IDC_POSITION));
            Choose(page, CMapAppearancePage::IDC_POSITION, IndexOf(position, "bottom"));
            Click(page, CMapAppearancePage::IDC_SHOW_LABELS);
            Click(page, CMapAppearancePage::IDC_SHOW_ART);
            Click(page, CMapAppearancePage::IDC_SHOW_ON_OFF);
        });
        parent.DestroyWindow();
        if (!dialogs.Unexpected().empty())
            throw std::runtime_error("a dialog the pages were not meant to open");
        d.Write(folder / "selector-look.swf", kProbe, {});
    });
}
