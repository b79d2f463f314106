// Writes a dashboard whose components were changed through their property pages, as a person
// would change them (typing, clicking, choosing a colour), so the player check can see that a
// page's change reaches the published movie:
// - a line whose colour (red) and weight (6) were set on its General page;
// - a URL button whose label ("Open report") was typed on its General page;
// - a label whose text ("Hello from the page") was typed on its General page;
// - a background whose fill colour (#3366CC) was chosen on its Appearance page.
// The probe reports what the components show and where to look at their colours.

#include "pages/FillBorderAppearancePage.h"
#include "pages/LabelGeneralPage.h"
#include "pages/LineGeneralPage.h"
#include "pages/UrlButtonPages.h"
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
    if (++this.kvFrames != 3)
        return;
    var line = _root.KVLineSymbol_1, url = _root.KVUrlButtonSymbol_1, label = _root.KVLabelCompSymbol_1;
    var back = _root.KVBackgroundSymbol_1;
    fscommand("state", line.lineColor + "|" + line.lineThickness + "|" + url.kvFields.kvLabel + "|"
              + url.windowName + "|" + label.kvFields.kvLabel + "|" + back.backColor);
    fscommand("ready", (line._x + line.kvW / 2) + "," + (line._y + line.kvH / 2) + ","
              + (back._x + 10) + "," + (back._y + 10));
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
        Dashboard d(installed);
        d.model.Number("A1", 1);
        CComponent& back = d.Add("KVBackgroundSymbol", 200, 2600, 3600, 3000);
        CComponent& line = d.Add("KVLineSymbol", 200, 200, 7600, 400);
        CComponent& url = d.Add("KVUrlButtonSymbol", 200, 1000, 3000, 700);
        CComponent& label = d.Add("KVLabelCompSymbol", 4000, 1000, 3800, 600);

        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 360), nullptr, 0);

        dialogs.AnswerColour(RGB(0xCC, 0x00, 0x00));
        Edit<CLineGeneralPage>(parent, line, nullptr, [](CWnd& page) {
            Click(page, CLineGeneralPage::IDC_COLOR);
            Type(page, CLineGeneralPage::IDC_WEIGHT, "6", true);
        });
        Edit<CUrlButtonGeneralPage>(parent, url, nullptr, [](CWnd& page) {
            Type(page, CUrlButtonGeneralPage::IDC_LABEL, "Open report", true);
            Click(page, CUrlButtonGeneralPage::IDC_THIS_WINDOW);
        });
        Edit<CLabelGeneralPage>(parent, label, "General", [](CWnd& page) {
            Type(page, CLabelGeneralPage::IDC_TEXT, "Hello from the page", false);
        });
        dialogs.AnswerColour(RGB(0x33, 0x66, 0xCC));
        Edit<CFillBorderAppearancePage>(parent, back, "Appearance", [](CWnd& page) {
            Click(page, CFillBorderAppearancePage::IDC_FILL_COLOR);
        });
        parent.DestroyWindow();
        d.Write(folder / "pages.swf", kProbe, {});
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
