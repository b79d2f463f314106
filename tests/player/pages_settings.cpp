// Writes a dashboard whose settings were changed through their property pages, as a person
// changes them, so the player check can find each change in the published movie:
// - a horizontal slider on A1 (300) switched to "Vertical" on its General page and to the
//   initial limits "auto" on its Behavior page;
// - a dial on A2 (50) whose start angle was typed as "-120" into its Appearance page's spin edit;
// - a combo box whose title ("Region") was typed on its General page and whose "Open Animation"
//   was checked on its Behavior page.
// The probe reports what the components hold and where the dial's knob is.

#include "pages/SelectorBehaviorPage.h"
#include "pages/SelectorGeneralPage.h"
#include "pages/SingleValueAppearancePage.h"
#include "pages/SingleValueBehaviorPage.h"
#include "pages/SingleValueGeneralPage.h"
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
using pagedriving::Type;
using pagedriving::TypeSpin;

const char* kProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var combo = _root.KVComboBoxSymbol_1;
    ++this.kvFrames;
    // The combo box opened on frame 3: its rows unfold one a frame.
    if (this.kvFrames == 4 || this.kvFrames == 5)
        fscommand("unfold", combo.kvReveal + "|" + combo.kvItem0._visible + "|" + combo.kvItem1._visible);
    if (this.kvFrames == 9)
        fscommand("unfolded", combo.kvReveal + "|" + combo.kvItem1._visible + "|" + combo.kvItem2._visible);
    if (this.kvFrames != 3)
        return;
    var slider = _root.KVSliderHSymbol_1, dial = _root.KVDialSymbol_1, combo = _root.KVComboBoxSymbol_1;
    fscommand("state", slider.kvVertical + "|" + slider.minValue + "|" + slider.maxValue + "|" + dial.minAngle + "|"
              + dial.kvNeedle._rotation + "|" + dial.kvKnob._rotation + "|" + combo.kvFields.kvTitle + "|"
              + combo.kvFace._y + "|" + slider.kvThumb._y + "|" + slider.kvThumb._x);
    fscommand("ready", (dial._x + dial.kvCentre[0]) + "," + (dial._y + dial.kvCentre[1]));
    combo.kvFace.onRelease();
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        Dashboard d(installed);
        d.model.Number("A1", 300);
        d.model.Number("A2", 50);
        CComponent& slider = d.Add("KVSliderHSymbol", 200, 200, 1600, 4400);
        CComponent& dial = d.Add("KVDialSymbol", 2400, 200, 3200, 3600);
        CComponent& combo = d.Add("KVComboBoxSymbol", 2400, 4200, 3000, 1000);
        d.Bind(slider, "General", "mv", "A1", "A1");
        d.Bind(dial, "General", "mv", "A2", "A2");

        UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 400), nullptr, 0);

        Edit<CSingleValueGeneralPage>(parent, slider, "General",
                                      [](CWnd& page) { Click(page, CSingleValueGeneralPage::IDC_VERTICAL); });
        Edit<CSingleValueBehaviorPage>(parent, slider, "Behavior", [](CWnd& page) {
            auto& limits = *static_cast<CComboBox*>(page.GetDlgItem(CSingleValueBehaviorPage::IDC_INITIAL));
            Choose(page, CSingleValueBehaviorPage::IDC_INITIAL, IndexOf(limits, "auto"));
        });
        Edit<CSingleValueAppearancePage>(parent, dial, "Appearance", [](CWnd& page) {
            TypeSpin(page, CSingleValueAppearancePage::IDC_MIN_ANGLE, "-120");
        });
        Edit<CSelectorGeneralPage>(parent, combo, "General",
                                   [](CWnd& page) { Type(page, CSelectorGeneralPage::IDC_TITLE, "Region", true); });
        Edit<CSelectorBehaviorPage>(parent, combo, "Behavior",
                                    [](CWnd& page) { Click(page, CSelectorBehaviorPage::IDC_ANIMATION); });
        parent.DestroyWindow();
        d.Write(folder / "settings.swf", kProbe, {});
    });
}
