// Writes dashboards whose components were changed through their property pages, as a person
// would change them (typing, clicking, choosing a colour or an item), so the player check can
// see that each page's change reaches the published movie.
//
// pages.swf, the common pages:
// - a line whose colour (red) and weight (6) were set on its General page;
// - a URL button whose label ("Open report") was typed on its General page and whose face was
//   given a colour (#33AA55) on its Appearance page;
// - a label whose text ("Hello from the page") was typed on its General page;
// - a background whose fill colour (#3366CC) was chosen on its Appearance page;
// - a second background that grows into view over 5 seconds (its Behavior page);
// - a second line whose weight (9) was typed into its parameter list (the Name/Value page);
// - a second URL button whose label font size (20) was typed on a Text format page;
// - a trend icon and a scenario whose background colours (#FF8800, #AA00AA) were chosen on
//   their General pages;
// - an input text whose default text ("Type here") was typed on its General page;
// - an art background that was given a JPEG picture on its General page (its art goes; the
//   published movie names the imported copy).
//
// text.swf, the Behavior and Appearance pages of the text components:
// - an input text that echoes a password, takes at most 8 characters and only digits;
// - a text area whose vertical scroll bar was enabled and whose fill (#FFCC00) was chosen;
// - a label with a red 4-pixel border on all sides and a blue fill;
// - a second label whose vertical scroll bar was enabled and that fades in over 5 seconds.
//
// The probes report what the components hold and show, and where to look at their colours.

#include "model/ValueList.h"
#include "pages/BackgroundGeneralPage.h"
#include "pages/CommonBehaviorPage.h"
#include "pages/ExternalFileImport.h"
#include "pages/FillBorderAppearancePage.h"
#include "pages/InputTextAppearancePage.h"
#include "pages/InputTextBehaviorPage.h"
#include "pages/InputTextGeneralPages.h"
#include "pages/LabelAppearancePage.h"
#include "pages/LabelBehaviorPage.h"
#include "pages/LabelGeneralPage.h"
#include "pages/LineGeneralPage.h"
#include "pages/NameValuePage.h"
#include "pages/ScenarioGeneralPage.h"
#include "pages/TextFormatPage.h"
#include "pages/TrendIconGeneralPage.h"
#include "pages/UrlButtonPages.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/MessageBox.h"
#include "propui/PropertyListCtrl.h"
#include "publish/TempFiles.h"
#include "tests/player/ComponentDashboard.h"
#include "tests/player/OutputFolder.h"
#include "tests/player/PageDriving.h"
#include "tests/support/TestSupport.h"
#include "tests/swf/JpegSamples.h"

#include <cstdio>
#include <memory>

namespace {

using dashboardtest::Dashboard;
using pagedriving::Choose;
using pagedriving::Click;
using pagedriving::Edit;
using pagedriving::EditSet;
using pagedriving::Type;

// The picture of the background loads on its own time: the probe reports what the pages set on
// the third frame, then waits for the picture (120 frames at most) before it says it is ready.
const char* kPagesProbe = R"(
_global.KVProbe = function () { this.kvFrames = 0; };
KVProbe.prototype = new MovieClip();
KVProbe.prototype.onEnterFrame = function () {
    var line = _root.KVLineSymbol_1, url = _root.KVUrlButtonSymbol_1, label = _root.KVLabelCompSymbol_1;
    var back = _root.KVBackgroundSymbol_1, grown = _root.KVBackgroundSymbol_2, line2 = _root.KVLineSymbol_2;
    var url2 = _root.KVUrlButtonSymbol_2, trend = _root.KVTrendIconSymbol_1, scenario = _root.KVScenarioSymbol_1;
    var input = _root.KVInputTextSymbol_1, card = _root.KVBackground2Symbol_1;
    if (++this.kvFrames == 3) {
        fscommand("state", line.lineColor + "|" + line.lineThickness + "|" + url.kvFields.kvLabel + "|"
                  + url.windowName + "|" + label.kvFields.kvLabel + "|" + back.backColor);
        fscommand("more", grown.introStyle + "|" + grown.introTime + "|" + grown._xscale + "|" + line2.lineThickness
                  + "|" + url2.kvLabel.getTextFormat().size + "|" + url.customColor + "|" + trend.customColor
                  + "|" + scenario.customColor + "|" + input.kvEdit.text);
    }
    if (this.kvFrames < 3 || this.kvDone || (!(card.kvPicture._width > 0) && this.kvFrames < 120))
        return;
    this.kvDone = true;
    fscommand("picture", card.useExternalFile + "|" + card.artEnabled + "|" + card.kvArt + "|"
              + card.externalFile.bgType + "|" + (card.externalFile.fileName != "") + "|" + card.externalFile.pathName
              + "|" + card.kvPicture._width + "|" + card.kvPicture._height + "|" + card.kvW + "|" + card.kvH);
    fscommand("ready", (line._x + line.kvW / 2) + "," + (line._y + line.kvH / 2) + ","
              + (back._x + 10) + "," + (back._y + 10) + "," + (trend._x + 3) + "," + (trend._y + 3));
};
Object.registerClass("KVProbeSymbol", KVProbe);
)";

const std::string kTextProbe = dashboardtest::ThirdFrameProbe(R"(
    var input = _root.KVInputTextSymbol_1, area = _root.KVTextAreaInputSymbol_1;
    var label = _root.KVLabelCompSymbol_1, fading = _root.KVLabelCompSymbol_2, f = label.formatValue;
    fscommand("input", input.kvEdit.password + "|" + input.kvEdit.maxChars + "|" + input.kvEdit.restrict);
    fscommand("area", area.vScrollBarBehavior + "|" + (area.kvScrollBar != undefined) + "|"
              + area.kvEdit.backgroundColor);
    fscommand("label", f.BEdgeTopLineStyle + "|" + f.BEdgeBotLineStyle + "|" + f.BEdgeLtLineStyle + "|"
              + f.BEdgeRtLineStyle + "|" + f.BEdgeLtColor + "|" + f.BEdgeTopWeight + "|" + f.InteriorColor);
    fscommand("fading", fading.vScrollBarBehavior + "|" + fading.introStyle + "|" + fading.introTime + "|"
              + fading._alpha);
    fscommand("ready", (area._x + 20) + "," + (area._y + area.kvH - 10) + "," + (label._x + 1) + ","
              + (label._y + label.kvH / 2) + "," + (label._x + label.kvW - 12) + "," + (label._y + label.kvH / 2));
)");

CParameterSet* NestedSet(CComponent& component, const char* group, const char* name)
{
    return dashboardtest::Find(component, group, name).GetSet();
}

// Types into the value cell of a parameter's row in the parameter list, as a person does.
void TypeInRow(CNameValuePage& page, const char* key, const std::string& text)
{
    page.OnSheetSize();
    CPropertyListCtrl* list = page.GetList();
    for (int row = 0; row < list->GetRowCount(); ++row) {
        if (list->GetRowInfo(row)->parameter == nullptr || list->GetRowInfo(row)->parameter->GetName() != key)
            continue;
        const CRect cell = list->GetCellRect(row, 1);
        CUserInput::Click(*list, CPoint(cell.left + 10, cell.CenterPoint().y));
        CUserInput::TypeText(text);
        CUserInput::PressKey(VK_RETURN);
        return;
    }
    throw std::runtime_error(std::string("the parameter list shows no ") + key);
}

// Chooses a JPEG picture on the General page of a background, as a person does: the file is
// named in the file dialog that "Import" opens.
void ChoosePicture(CWnd& parent, CScriptedCommonDialogs& dialogs, CComponent& background,
                   const std::filesystem::path& picture, publish::ITempFileMaker& temporaries)
{
    pages::SwfImportTip tip;
    pagedriving::Drive<CBackgroundGeneralPage>(
        parent, background, pagedriving::GroupSet(background, "General"), "General", {}, true,
        [&](CWnd& page) {
            dialogs.AnswerFile(picture.string());
            Click(page, CBackgroundGeneralPage::IDC_USE_FILE);
            Click(page, CBackgroundGeneralPage::IDC_IMPORT);
        },
        temporaries, tip);
}

void WriteCommonPagesMovie(dashboardtest::Installation& installed, CWnd& parent,
                           CScriptedCommonDialogs& dialogs, const std::filesystem::path& file)
{
    Dashboard d(installed);
    d.model.Number("A1", 1);
    CComponent& back = d.Add("KVBackgroundSymbol", 200, 2600, 3600, 3000);
    CComponent& line = d.Add("KVLineSymbol", 200, 200, 7600, 400);
    CComponent& url = d.Add("KVUrlButtonSymbol", 200, 1000, 3000, 700);
    CComponent& label = d.Add("KVLabelCompSymbol", 4000, 1000, 3800, 600);
    CComponent& grown = d.Add("KVBackgroundSymbol", 4000, 2600, 1600, 1200);
    CComponent& line2 = d.Add("KVLineSymbol", 200, 5800, 7600, 100);
    CComponent& url2 = d.Add("KVUrlButtonSymbol", 200, 1800, 3000, 700);
    CComponent& trend = d.Add("KVTrendIconSymbol", 6000, 2600, 600, 600);
    CComponent& scenario = d.Add("KVScenarioSymbol", 4000, 4000, 3600, 1400);
    CComponent& input = d.Add("KVInputTextSymbol", 4000, 1800, 3000, 700);
    CComponent& card = d.Add("KVBackground2Symbol", 200, 4200, 1400, 1000);

    publish::CDefaultTempFiles temporaries;
    const std::filesystem::path picture = file.parent_path() / "picture.jpg";
    testsupport::WriteBytes(picture, testsupport::MakeJpeg(40, 30));
    ChoosePicture(parent, dialogs, card, picture, temporaries);
    // Not embedded, the file is named relative to the page holding the player, as publishing
    // leaves it once it has copied it beside the movie (the player check serves movies and their
    // files below "movies/").
    CParameterSet& imported = *dashboardtest::Find(card, "General", "externalFile").GetSet();
    imported.FindParameter("embed")->SetBool(false);
    imported.FindParameter("fileName")->SetString("movies/picture.jpg");

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
    Edit<CCommonBehaviorPage>(parent, grown, "Behavior", [](CWnd& page) {
        Choose(page, CCommonBehaviorPage::IDC_EFFECT, 2); // "Grow"
        Type(page, CCommonBehaviorPage::IDC_DURATION, "5", true);
    });
    Edit<CNameValuePage>(parent, line2, "General", [](CWnd& page) {
        TypeInRow(static_cast<CNameValuePage&>(page), "lineThickness", "9");
    });
    EditSet<CTextFormatPage>(parent, url2, NestedSet(url2, "Appearance", "labelTextFormat"), "Label Font",
                             [](CWnd& page) { Type(page, CTextFormatPage::IDC_SIZE, "20", true); });
    dialogs.AnswerColour(RGB(0x33, 0xAA, 0x55));
    Edit<CUrlButtonAppearancePage>(parent, url, nullptr, [](CWnd& page) {
        Click(page, CUrlButtonAppearancePage::IDC_USE_COLOR);
        Click(page, CUrlButtonAppearancePage::IDC_COLOR);
    });
    dialogs.AnswerColour(RGB(0xFF, 0x88, 0x00));
    Edit<CTrendIconGeneralPage>(parent, trend, nullptr, [](CWnd& page) {
        Click(page, CTrendIconGeneralPage::IDC_USE_COLOR);
        Click(page, CTrendIconGeneralPage::IDC_COLOR);
    });
    dialogs.AnswerColour(RGB(0xAA, 0x00, 0xAA));
    Edit<CScenarioGeneralPage>(parent, scenario, nullptr, [](CWnd& page) {
        Click(page, CScenarioGeneralPage::IDC_USE_COLOR);
        Click(page, CScenarioGeneralPage::IDC_COLOR);
    });
    Edit<CInputTextGeneralPage>(parent, input, "General", [](CWnd& page) {
        Type(page, CInputTextGeneralPage::IDC_DEFAULT, "Type here", true);
    });
    d.Write(file, kPagesProbe, {});
}

void WriteTextPagesMovie(dashboardtest::Installation& installed, CWnd& parent,
                         CScriptedCommonDialogs& dialogs, const std::filesystem::path& file)
{
    Dashboard d(installed);
    d.model.Number("A1", 1);
    CComponent& input = d.Add("KVInputTextSymbol", 200, 200, 3000, 700);
    CComponent& area = d.Add("KVTextAreaInputSymbol", 200, 1200, 3000, 2000);
    CComponent& label = d.Add("KVLabelCompSymbol", 4000, 200, 3600, 800);
    CComponent& fading = d.Add("KVLabelCompSymbol", 4000, 1400, 3600, 600);

    using Behavior = CInputTextBehaviorPage;
    Edit<Behavior>(parent, input, "Behavior", [](CWnd& page) {
        Click(page, Behavior::IDC_PASSWORD);
        Click(page, Behavior::IDC_USE_MAX_CHARS);
        Type(page, Behavior::IDC_MAX_CHARS, "8", true);
        Type(page, Behavior::IDC_RESTRICT, "0-9", true);
    });
    Edit<Behavior>(parent, area, "Behavior", [](CWnd& page) { Click(page, Behavior::IDC_V_ENABLE); });
    dialogs.AnswerColour(RGB(0xFF, 0xCC, 0x00));
    Edit<CInputTextAppearancePage>(parent, area, "Appearance",
                                   [](CWnd& page) { Click(page, CInputTextAppearancePage::IDC_FILL_COLOR); });

    using Appearance = CLabelAppearancePage;
    dialogs.AnswerColour(RGB(0xFF, 0x00, 0x00));
    dialogs.AnswerColour(RGB(0x00, 0x00, 0xFF));
    Edit<Appearance>(parent, label, "Appearance", [](CWnd& page) {
        Click(page, Appearance::IDC_SHOW_BORDER);
        Click(page, Appearance::IDC_BORDER_COLOR);
        Type(page, Appearance::IDC_WEIGHT, "4", true);
        Click(page, Appearance::IDC_SHOW_FILL);
        Click(page, Appearance::IDC_FILL_COLOR);
    });
    Edit<CLabelBehaviorPage>(parent, fading, "Behavior", [](CWnd& page) {
        Click(page, CLabelBehaviorPage::IDC_V_ENABLE);
        Choose(page, CLabelBehaviorPage::IDC_EFFECT, 1); // "Fade-in"
        Type(page, CLabelBehaviorPage::IDC_DURATION, "5", true);
    });
    d.Write(file, kTextProbe, {});
}

} // namespace

int main(int argc, char** argv)
{
    return dashboardtest::WriteMovies(argc, argv, [](dashboardtest::Installation& installed,
                                                    const std::filesystem::path& folder) {
        CScriptedCommonDialogs& dialogs = UseScriptedCommonDialogs();
        UseScriptedMessageBoxes();
        CWnd parent;
        parent.CreateEx(0, "Sheet", "Component Properties", WS_POPUP | WS_VISIBLE, CRect(0, 0, 420, 360),
                        nullptr, 0);
        WriteCommonPagesMovie(installed, parent, dialogs, folder / "pages.swf");
        WriteTextPagesMovie(installed, parent, dialogs, folder / "text.swf");
        parent.DestroyWindow();
    });
}
