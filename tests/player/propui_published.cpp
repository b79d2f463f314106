// Writes a dashboard whose value display a person has edited in the Component Properties sheet:
// the display's General group is shown in the plain parameter list (no page class is registered
// here), the person clicks the Title row, types a title and presses Enter; then the component is
// published as a movie is assembled.
//
// edited.swf: a value display of A1 = 1234.5 with the title typed in the sheet; a probe reports
// "state" with the title and the value text the display shows, then "done".
// It also holds a URL button whose label font was set in the font chooser of its Appearance
// page (bold, 18 points, colour #CC2211); the probe reports the label's text format as "font".
// It fails (exit 1) when an edit did not reach the component's parameters.

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/UrlButtonPages.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/window/UserInput.h"
#include "platform/window/Wnd.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/ParameterListPage.h"
#include "propui/PropertyListCtrl.h"
#include "propui/PropertyOwner.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/TestSupport.h"

#include <cstdio>
#include <stdexcept>

namespace {

const char* kTitleProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var d = _root.KVValueDisplaySymbol_1;
    if (++this.kvFrames == 10) {
        fscommand("state", d.kvFields.kvTitle + "|" + d.kvFields.kvValue + "|" + _root.CELL + "");
        var u = _root.URL ;
        var f = u.kvLabel.getTextFormat();
        fscommand("font", f.bold + "|" + f.size + "|" + f.color + "|" + f.font);
        fscommand("done", "");
    }
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

const char* kTypedTitle = "Typed in the sheet";

// The canvas object the sheet edits for: it only counts what it is told.
class Owner : public IPropertyOwner {
public:
    void Refresh(int) override { ++refreshes; }
    void MarkDocumentChanged() override {}
    std::string GetTitleName() const override { return "Value 1"; }
    std::string GetComponentTypeName() const override { return "KVValueDisplaySymbol"; }
    CPropertyMap* GetFirstPropertyMap() override { return nullptr; }
    int GetComponentCount() const override { return 1; }
    int refreshes = 0;
};

// The person's edit, through the window layer's input.
void EditTitle(CComponent& display)
{
    CWnd main;
    if (!main.CreateEx(0, "Main", "Vantorel", WS_POPUP | WS_VISIBLE, CRect(0, 0, 1024, 768), nullptr, 0))
        throw std::runtime_error("no main window");
    CPropertyPageContext context;
    context.mainWindow = &main;
    Owner owner;
    CComponentPropertySheet sheet;
    sheet.SetContext(&context);
    if (sheet.BuildPages(display.GetParameters(), false, &owner) == 0 ||
        !sheet.Create(&main, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0))
        throw std::runtime_error("the sheet did not open");
    auto* page = dynamic_cast<CParameterListPage*>(sheet.GetComponentPage(0));
    CPropertyListCtrl* list = page != nullptr ? page->GetList() : nullptr;
    if (list == nullptr)
        throw std::runtime_error("the General page is no parameter list");
    int row = -1;
    for (int i = 0; i < list->GetRowCount(); ++i)
        if (list->GetRowInfo(i)->name == "Title")
            row = i;
    if (row < 0)
        throw std::runtime_error("no Title row");
    const CRect cell = list->GetCellRect(row, 1);
    CUserInput::Click(*list, CPoint(cell.left + 8, cell.CenterPoint().y));
    CUserInput::TypeText(kTypedTitle);
    CUserInput::PressKey(VK_RETURN);
    sheet.DestroyWindow();
    main.DestroyWindow();
    if (owner.refreshes != 1)
        throw std::runtime_error("the owner was told " + std::to_string(owner.refreshes) + " times");
}

// The person sets the label's font on the URL button's Appearance page: bold, 18 points and a
// colour picked in the colour dialog.
void EditLabelFont(CComponent& button)
{
    CWnd parent;
    if (!parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 360), nullptr, 0))
        throw std::runtime_error("no window for the page");
    UseScriptedCommonDialogs().AnswerColour(RGB(0xCC, 0x22, 0x11));
    pagedriving::Edit<CUrlButtonAppearancePage>(parent, button, "Appearance", [](CWnd& page) {
        CFontDataCtrl& font = static_cast<CUrlButtonAppearancePage&>(page).FontChooser();
        CUserInput::Click(font.Toggle(CFontChooserBase::IdBold), CPoint(3, 3));
        font.SizeBox().UserSelect(font.SizeBox().FindStringExact(-1, "18"));
        CUserInput::Click(font.ColorButton(), CPoint(3, 3));
    });
    parent.DestroyWindow();
    ResetCommonDialogService();
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        dashboardtest::Dashboard d(installed);
        d.model.Number("A1", 1234.5);
        CComponent& display = d.Add("KVValueDisplaySymbol", 400, 400, 3000, 1000);
        d.Bind(display, "General", "mv", "A1", "A1");
        EditTitle(display);
        const std::string stored = dashboardtest::Find(display, "General", "title").GetValueText();
        if (stored != kTypedTitle)
            throw std::runtime_error("the title parameter holds \"" + stored + "\"");
        CComponent& url = d.Add("KVUrlButtonSymbol", 400, 1800, 3000, 700);
        EditLabelFont(url);
        const CParameter& size = dashboardtest::Find(url, "Appearance", "labelTextFormat");
        if (size.GetSet() == nullptr || size.GetSet()->FindParameter("size")->GetInt() != 18)
            throw std::runtime_error("the label font did not reach the URL button's parameters");
        d.Write(folder / "edited.swf", kTitleProbe, {{"CELL", d.Cell("A1")}, {"URL", url.GetName()}});
    });
}
