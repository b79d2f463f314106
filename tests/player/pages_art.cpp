// Writes a dashboard whose art was switched through the property pages, as a person switches it,
// so the player check can find each change in the published movie:
// - two bevelled backgrounds: one as shipped (its middle tiled), one whose General page chose an
//   external file and, opened again, went back to the art (the tiling it then had: none);
// - a list box whose Appearance page checked "Use Label Art", typed a separation of 6, centred
//   its labels and moved them 5 pixels right and 2 down ("-2", the page shows shifts upwards);
// - a radio button set whose Appearance page checked "Use Marker Art" and "Use Background Art"
//   and typed an x margin of 10, and whose title ("Pick", typed on its General page) was put at
//   the bottom;
// - a check box whose marker "Default Fill" was picked (amber);
// - a combo box whose Appearance page checked "Use Marker Art", and one whose "Rows Displayed"
//   was typed as 2 and whose "Thumb Color" was picked (red) (the probe opens it);
// - a push button whose "Off Fill" was picked (teal) and a menu whose "Use Label Art" was
//   checked (the probe opens it);
// - an input whose Appearance page centred its text;
// - a list box and a table whose Behavior pages checked "Sound Enabled", and a radio button set
//   without it: the probe chooses an item of each, which clicks where the sound is on.
// The probe reports what the components hold and where to look at their pictures.

#include "pages/BackgroundGeneralPage.h"
#include "pages/InputTextAppearancePage.h"
#include "pages/SelectorAppearancePage.h"
#include "pages/SelectorBehaviorPage.h"
#include "pages/SelectorGeneralPage.h"
#include "pages/TableSelectorPages.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "publish/TempFiles.h"
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
    var tiled = _root.KVBackground4Symbol_1, whole = _root.KVBackground4Symbol_2;
    var list = _root.KVListBoxSymbol_1, radio = _root.KVRadioButtonSetSymbol_1, box = _root.KVCheckBoxSymbol_1;
    var combo = _root.KVComboBoxSymbol_1, input = _root.KVInputTextSymbol_1;
    var button = _root.KVPushButtonSymbol_1, menu = _root.KVMenuSymbol_1;
    menu.kvToggle(true);
    var rows = _root.KVComboBoxSymbol_2;
    rows.kvFace.onRelease();
    fscommand("rows", rows.rowCnt + "|" + rows.kvItem0._visible + "," + rows.kvItem1._visible + "," + rows.kvItem2._visible);
    fscommand("backgrounds", tiled.kvArt + "|" + tiled.kvPieces + "|" + whole.kvArt + "|" + whole.kvPieces);
    fscommand("list", (list.kvRow1._y - list.kvRow0._y) + "|" + list.kvRow0.getTextFormat().align + "|" + list.kvRow0._x + ","
              + list.kvRow0._y);
    var format = input.kvEdit.getNewTextFormat();
    fscommand("input", format.align + "|" + format.bold + "|" + input.kvEdit._y);
    var table = _root.KVTableNewSymbol_1;
    kvSelectorInsert(list, 2);
    kvSelectorInsert(radio, 0);
    table.kvChoose(1);
    fscommand("sounds", list.kvSounds + "|" + Math.round(list.kvSound.duration) + "|" + table.kvSounds + "|"
              + Math.round(table.kvSound.duration) + "|" + radio.kvSounds);
    var cell = radio.kvCells[0];
    fscommand("radio", cell[0] + "|" + radio.useBackgroundArt + "|" + radio.kvFields.kvTitle + "|" + (radio.kvH - radio.kvTitle._y)
              + "|" + cell[1]);
    var face = combo.kvFace, side = combo.kvH - face._y;
    fscommand("ready", [tiled._x + 68, tiled._y + 30, whole._x + 68, whole._y + 30,
                        list._x + list.kvW - 8, list._y + list.kvRow1._y + 14,
                        radio._x + cell[0] + 9, radio._y + cell[1] + cell[3] / 2,
                        box._x + 9, box._y + 12,
                        combo._x + face._x + combo.kvW - face._x - side * 0.15, combo._y + face._y + side * 0.85,
                        radio._x + radio.kvW - 2, radio._y + radio.kvH - 30,
                        button._x + button.kvW - 6, button._y + 4,
                        menu._x + menu.kvW - 8, menu._y + menu.kvItems[1][1] + 15,
                        rows._x + rows.kvW - 6, rows._y + rows.kvFace._y + rows.kvThumb[0] + 4].join(","));
)");

// Opens a page on a group of a component, lets act change it and closes it again; for the
// settings the stage does not show, so the page tells its owner nothing.
template <class Page, class Act>
void EditQuietly(CWnd& parent, CComponent& component, const char* group, Act act)
{
    pagedriving::Drive<Page>(parent, component, pagedriving::GroupSet(component, group), group, {}, false, act);
}

// Opens the General page of a background, lets act click it and closes it again.
template <class Act>
void EditBackground(CWnd& parent, CComponent& background, publish::ITempFileMaker& temporaries, Act act)
{
    pages::SwfImportTip tip;
    pagedriving::Drive<CBackgroundGeneralPage>(parent, background, pagedriving::GroupSet(background, "General"),
                                               "General", {}, true, act, temporaries, tip);
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.Add("KVBackground4Symbol", 200, 200, 3000, 2000);
        CComponent& whole = d.Add("KVBackground4Symbol", 3400, 200, 3000, 2000);
        CComponent& list = d.Add("KVListBoxSymbol", 200, 2400, 2400, 2000);
        CComponent& radio = d.Add("KVRadioButtonSetSymbol", 2800, 2400, 2400, 1600);
        CComponent& box = d.Add("KVCheckBoxSymbol", 5400, 2400, 2400, 480);
        CComponent& combo = d.Add("KVComboBoxSymbol", 5400, 3200, 2400, 480);
        CComponent& input = d.Add("KVInputTextSymbol", 200, 4800, 3000, 600);
        CComponent& table = d.Add("KVTableNewSymbol", 3400, 4400, 4400, 1400);
        CComponent& button = d.Add("KVPushButtonSymbol", 6600, 200, 1200, 500);
        CComponent& menu = d.Add("KVMenuSymbol", 6600, 800, 1200, 400);
        CComponent& rows = d.Add("KVComboBoxSymbol", 5400, 4000, 2400, 480);

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        publish::CDefaultTempFiles temporaries;
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 400), nullptr, 0);

        EditBackground(parent, whole, temporaries, [](CWnd& page) { Click(page, CBackgroundGeneralPage::IDC_USE_FILE); });
        EditBackground(parent, whole, temporaries, [](CWnd& page) { Click(page, CBackgroundGeneralPage::IDC_USE_ART); });
        Edit<CSelectorAppearancePage>(parent, list, "Appearance", [](CWnd& page) {
            Click(page, CSelectorAppearancePage::IDC_USE_LABEL_ART);
            TypeSpin(page, CSelectorAppearancePage::IDC_SEPARATION, "6");
            TypeSpin(page, CSelectorAppearancePage::IDC_LABEL_X, "5");
            TypeSpin(page, CSelectorAppearancePage::IDC_LABEL_Y, "-2");
            auto& align = *static_cast<CComboBox*>(page.GetDlgItem(CSelectorAppearancePage::IDC_ALIGN));
            Choose(page, CSelectorAppearancePage::IDC_ALIGN, IndexOf(align, "center"));
        });
        Edit<CSelectorAppearancePage>(parent, radio, "Appearance", [](CWnd& page) {
            Click(page, CSelectorAppearancePage::IDC_USE_MARKER_ART);
            Click(page, CSelectorAppearancePage::IDC_USE_BACKGROUND_ART);
            TypeSpin(page, CSelectorAppearancePage::IDC_X_MARGIN, "10");
            auto& position = *static_cast<CComboBox*>(page.GetDlgItem(CSelectorAppearancePage::IDC_TITLE_POSITION));
            Choose(page, CSelectorAppearancePage::IDC_TITLE_POSITION, IndexOf(position, "bottom"));
        });
        Edit<CSelectorGeneralPage>(parent, radio, "General",
                                   [](CWnd& page) { pagedriving::Type(page, CSelectorGeneralPage::IDC_TITLE, "Pick", true); });
        dialogs.AnswerColour(RGB(0xFF, 0xCC, 0x00));
        Edit<CSelectorAppearancePage>(parent, box, "Appearance",
                                      [](CWnd& page) { Click(page, CSelectorAppearancePage::IDC_MARKER_DEFAULT); });
        dialogs.AnswerColour(RGB(0x00, 0x99, 0x99));
        Edit<CSelectorAppearancePage>(parent, button, "Appearance",
                                      [](CWnd& page) { Click(page, CSelectorAppearancePage::IDC_MARKER_DEFAULT); });
        Edit<CSelectorAppearancePage>(parent, menu, "Appearance",
                                      [](CWnd& page) { Click(page, CSelectorAppearancePage::IDC_USE_LABEL_ART); });
        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        Edit<CSelectorAppearancePage>(parent, rows, "Appearance", [](CWnd& page) {
            TypeSpin(page, CSelectorAppearancePage::IDC_ROWS, "2");
            Click(page, CSelectorAppearancePage::IDC_THUMB);
        });
        Edit<CSelectorAppearancePage>(parent, combo, "Appearance",
                                      [](CWnd& page) { Click(page, CSelectorAppearancePage::IDC_USE_MARKER_ART); });
        Edit<CInputTextAppearancePage>(parent, input, "Appearance", [](CWnd& page) {
            auto& align = *static_cast<CComboBox*>(page.GetDlgItem(CInputTextAppearancePage::IDC_ALIGNMENT));
            Choose(page, CInputTextAppearancePage::IDC_ALIGNMENT, IndexOf(align, "center"));
        });
        EditQuietly<CSelectorBehaviorPage>(parent, list, "Behavior",
                                           [](CWnd& page) { Click(page, CSelectorBehaviorPage::IDC_SOUND); });
        Edit<CTableSelectorBehaviorPage>(parent, table, "Behavior",
                                         [](CWnd& page) { Click(page, CTableSelectorBehaviorPage::IDC_SOUND); });
        parent.DestroyWindow();
        if (!dialogs.Unexpected().empty())
            throw std::runtime_error("a dialog the pages were not meant to open");
        d.Write(folder / "art.swf", kProbe, {});
    });
}
