// Writes a dashboard whose components were changed through their property pages, as a person
// would change them (typing, clicking, choosing a colour), so the player check can see that a
// page's change reaches the published movie:
// - a line whose colour (red) and weight (6) were set on its General page;
// - a URL button whose label ("Open report") was typed on its General page;
// - a label whose text ("Hello from the page") was typed on its General page;
// - a background whose fill colour (#3366CC) was chosen on its Appearance page.
// The probe reports what the components show and where to look at their colours.

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "pages/FillBorderAppearancePage.h"
#include "pages/LabelGeneralPage.h"
#include "pages/LineGeneralPage.h"
#include "pages/UrlButtonPages.h"
#include "platform/controls/Edit.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/window/UserInput.h"
#include "propui/PropertyOwner.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <memory>

namespace {

using dashboardtest::Dashboard;

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

class Owner : public IPropertyOwner {
public:
    void Refresh(int) override { ++refreshes; }
    void MarkDocumentChanged() override {}
    std::string GetTitleName() const override { return type; }
    std::string GetComponentTypeName() const override { return type; }
    CPropertyMap* GetFirstPropertyMap() override { return nullptr; }
    int GetComponentCount() const override { return 1; }
    int refreshes = 0;
    std::string type;
};

// The in-place edit standing in for a dialog item.
CWnd* EditFor(CWnd& page, int id)
{
    for (CWnd* child : page.GetChildren())
        if (auto* edit = dynamic_cast<CInPlaceEdit*>(child); edit != nullptr && edit->GetStandsFor() == id)
            return edit;
    return page.GetDlgItem(id);
}

void Type(CWnd& page, int id, const std::string& text, bool enter)
{
    auto* edit = static_cast<CEdit*>(EditFor(page, id));
    edit->SetFocus();
    edit->SetSel(0, -1);
    CUserInput::PressKey(VK_DELETE);
    edit->Type(text);
    if (enter)
        CUserInput::PressKey(VK_RETURN);
}

void Click(CWnd& page, int id)
{
    CUserInput::Click(*page.GetDlgItem(id), CPoint(3, 3));
}

// Opens a page on a component as the sheet does and lets act change it through its controls.
template <class Page, class Act>
void Edit(CWnd& parent, CComponent& component, const char* group, Act act, Page page = Page())
{
    Owner owner;
    owner.type = component.GetTypeName();
    CParameterSet* root = component.GetParameters();
    CParameterSet* set = root;
    if (group != nullptr)
        set = root->FindParameter(group)->GetSet();
    CPropertyPageContext context;
    context.mainWindow = &parent;
    page.SetContext(&context);
    page.Create(set, group != nullptr ? group : "General", false, &owner, root);
    if (!page.CreatePage(&parent))
        throw std::runtime_error("the page of " + owner.type + " did not open");
    page.ShowWindow(SW_SHOW);
    page.OnSetActive();
    act(page);
    if (owner.refreshes == 0)
        throw std::runtime_error("the page of " + owner.type + " told its owner nothing");
    page.DestroyWindow();
}

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
