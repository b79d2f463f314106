#include "platform/controls/Button.h"
#include "platform/dialogs/CommonDialogs.h"
#include "platform/dialogs/Dialog.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/StyleSheet.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class StylesSheetTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        host = &InstallRasterWindowHost();
        files = &UseScriptedCommonDialogs();
        ui::ResetDialogHooks();
        root = fs::temp_directory_path() / ("vantorel-styles-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "styles");
        fs::create_directories(root / "elsewhere");
        folders.styles = (root / "styles").string() + "/";
        ASSERT_TRUE(owner.CreateEx(0, "Owner", "view", WS_POPUP | WS_VISIBLE, CRect(0, 0, 800, 600), nullptr, 0));
        // A blue style, a damaged file, a file of another program and one named default.
        CGlobalStyle blue;
        blue.SetFillColor(0x0000FF);
        blue.SetBorderColor(0x000080);
        ASSERT_TRUE(blue.Save(folders.styles + "Blue"));
        std::ofstream(folders.styles + "Broken.vgs") << "<VantorelStyle><GlobalColors><fill>0x12";
        std::ofstream(folders.styles + "Foreign.vgs") << "<?xml version=\"1.0\"?><workbook/>";
        ASSERT_TRUE(CGlobalStyle().Save(folders.styles + "default"));
    }
    void TearDown() override
    {
        owner.DestroyWindow();
        EXPECT_TRUE(files->Unexpected().empty()) << "a file dialog nobody expected";
        EXPECT_TRUE(ui::UnansweredDialogs().empty());
        ui::ResetDialogHooks();
        ResetCommonDialogService();
        fs::remove_all(root);
        UiTest::TearDown();
    }
    // Runs the sheet on `start`, `body` driving its Styles page; returns the sheet's result.
    INT_PTR Run(CGlobalStyle& style, const std::function<void(CStylesPage&, CPropertySheet&)>& body)
    {
        CStyleSheet sheet("Global Styles", &owner, 0, folders);
        sheet.SetStyle(style);
        ui::SetDialogHookByCaption("Global Styles", [&](CDialog& page) {
            auto& styles = static_cast<CStylesPage&>(page);
            body(styles, *styles.GetSheet());
        });
        INT_PTR result = sheet.DoModal();
        if (result == IDOK)
            sheet.GetStyle(style);
        return result;
    }
    static void Press(CPropertySheet& sheet, int id) { static_cast<CButton*>(sheet.GetDlgItem(id))->Click(); }
    static void Choose(CStylesPage& page, const std::string& entry)
    {
        int at = page.StyleList().FindStringExact(-1, entry.c_str());
        ASSERT_GE(at, 0) << entry;
        page.StyleList().UserSelect(at);
    }
    static std::vector<std::string> Entries(CStylesPage& page)
    {
        std::vector<std::string> out;
        for (int i = 0; i < page.StyleList().GetCount(); ++i)
            out.push_back(page.StyleList().GetLBText(i));
        return out;
    }

    CRasterWindowHost* host = nullptr;
    CScriptedCommonDialogs* files = nullptr;
    fs::path root;
    CStyleFolders folders;
    CWnd owner;
};

} // namespace

TEST_F(StylesSheetTest, AStyleMadeSavedAndLoadedAgainIsTheSameFileByteForByte)
{
    CGlobalStyle style;
    style.SetName("Default");
    INT_PTR result = Run(style, [&](CStylesPage& page, CPropertySheet& sheet) {
        EXPECT_EQ(Entries(page), (std::vector<std::string>{"Default", "Blue", "Broken", "Foreign", "Browse..."}));
        EXPECT_EQ(page.StyleList().GetCurSel(), 0);
        EXPECT_FALSE(page.GetDlgItem(CStylesPage::IdDelete)->IsWindowEnabled());
        WritePng(testsupport::ArtefactDir("propui") / "styles-page.png", host->Snapshot(sheet));

        // A person makes a new style: a fill colour, the custom-colour switch, a bold title.
        files->AnswerColour(RGB(0x20, 0xA0, 0x40));
        page.Swatch(CStylesPage::IdFill).Click();
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdShowCustom))->Click();
        ASSERT_TRUE(CUserInput::Click(page.TitleFont().Toggle(CFontChooserBase::IdBold), CPoint(3, 3)));
        EXPECT_EQ(page.GetStyle()->GetName(), "Default (Modified)");
        EXPECT_EQ(page.StyleList().GetLBText(page.StyleList().GetCurSel()), "Default (Modified)");
        EXPECT_TRUE(sheet.IsApplyEnabled());

        // "Default" may not be overwritten; the Save dialog comes again until another name.
        files->AnswerFile(folders.styles + "DEFAULT.vgs");
        boxes->Answer(IDOK);
        files->AnswerFile(folders.styles + "Green.vgs");
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdSaveAs))->Click();
        EXPECT_EQ(boxes->Log().back().text, "You cannot overwrite that style");
        EXPECT_EQ(page.GetStyle()->GetName(), "Green");
        EXPECT_FALSE(page.GetStyle()->modified);
        EXPECT_EQ(page.StyleList().GetLBText(page.StyleList().GetCurSel()), "Green");

        // Loaded again from the list, then saved under another name: the same bytes.
        Choose(page, "Blue");
        EXPECT_EQ(page.GetStyle()->GetFillColor(), 0x0000FFu);
        Choose(page, "Green");
        EXPECT_EQ(page.GetStyle()->GetFillColor(), 0x20A040u);
        EXPECT_TRUE(page.GetStyle()->globalColors.titleTextFormat.GetBold());
        EXPECT_EQ(page.TitleFont().Toggle(CFontChooserBase::IdBold).GetCheck(), BST_CHECKED);
        files->AnswerFile((root / "elsewhere" / "Green again.vgs").string());
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdSaveAs))->Click();
        EXPECT_EQ(folders.other, (root / "elsewhere").string() + "/") << "a folder outside the styles folder";
        EXPECT_EQ(page.StyleList().GetLBText(page.StyleList().GetCount() - 2), "Green again");
        Press(sheet, IDOK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(style.GetName(), "Green again");
    EXPECT_EQ(ReadFile(folders.styles + "Green.vgs"), ReadFile(root / "elsewhere" / "Green again.vgs"));
    EXPECT_EQ(style.customColors[0], 0xFFFFFFu);
}

TEST_F(StylesSheetTest, ADamagedOrForeignStyleFileIsNamedAndChangesNothing)
{
    CGlobalStyle style;
    ASSERT_TRUE(style.Load(folders.styles + "Blue"));
    style.SetName("Blue");
    Run(style, [&](CStylesPage& page, CPropertySheet& sheet) {
        const CGlobalStyle before = *page.GetStyle();
        for (const char* name : {"Broken", "Foreign"}) {
            boxes->Answer(IDOK);
            Choose(page, name);
            const std::string said = boxes->Log().back().text;
            EXPECT_NE(said.find("Selected style could not be loaded."), std::string::npos);
            EXPECT_NE(said.find(folders.styles + name + ".vgs"), std::string::npos) << said;
            EXPECT_TRUE(*page.GetStyle() == before);
            EXPECT_EQ(page.GetStyle()->GetName(), "Blue");
            EXPECT_EQ(page.StyleList().GetLBText(page.StyleList().GetCurSel()), "Blue");
        }
        // A file that cannot be written is reported, and the style stays unsaved.
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdShowCustom))->Click();
        files->AnswerFile((root / "no such folder" / "Lost.vgs").string());
        boxes->Answer(IDOK);
        files->AnswerFile(std::nullopt);
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdSaveAs))->Click();
        EXPECT_NE(boxes->Log().back().text.find("could not be saved"), std::string::npos);
        EXPECT_EQ(page.GetStyle()->GetName(), "Blue (Modified)");
        EXPECT_TRUE(page.GetStyle()->modified);

        // Choosing another style asks first; Cancel keeps both the record and the choice.
        boxes->Answer(IDCANCEL);
        Choose(page, "Default");
        EXPECT_EQ(boxes->Log().back().text, "Save changes to style Blue (Modified)");
        EXPECT_EQ(boxes->Log().back().flags & 0xF, static_cast<UINT>(MB_YESNOCANCEL));
        EXPECT_EQ(page.GetStyle()->GetName(), "Blue (Modified)");
        // Yes, then the Save dialog cancelled: the changes are still there to save.
        boxes->Answer(IDYES);
        files->AnswerFile(std::nullopt);
        Choose(page, "Default");
        EXPECT_EQ(page.GetStyle()->GetName(), "Blue (Modified)");
        boxes->Answer(IDNO);
        Choose(page, "Default");
        EXPECT_EQ(page.GetStyle()->GetName(), "Default");
        EXPECT_EQ(page.GetStyle()->GetFillColor(), CGlobalStyle().GetFillColor());

        // Blue is deleted from its file; the record becomes Default.
        Choose(page, "Blue");
        boxes->Answer(IDOK);
        static_cast<CButton*>(page.GetDlgItem(CStylesPage::IdDelete))->Click();
        EXPECT_FALSE(fs::exists(folders.styles + "Blue.vgs"));
        EXPECT_EQ(page.GetStyle()->GetName(), "Default");
        EXPECT_EQ(page.StyleList().FindStringExact(-1, "Blue"), -1);
        Press(sheet, IDCANCEL);
    });
    EXPECT_EQ(style.GetName(), "Blue") << "Cancel hands nothing back";
}

TEST_F(StylesSheetTest, ChangeStyleHandsTheEditedStyleBackOnlyOnOk)
{
    CGlobalStyle viewStyle;
    for (int answer : {IDCANCEL, IDOK}) {
        ui::SetDialogHookByCaption("Global Styles", [&](CDialog& page) {
            auto& styles = static_cast<CStylesPage&>(page);
            static_cast<CButton*>(styles.GetDlgItem(CStylesPage::IdBackgroundArt))->Click();
            if (answer == IDCANCEL)
                boxes->Answer(IDNO); // "Save changes to style Default (Modified)"
            Press(*styles.GetSheet(), answer);
        });
        bool changed = RunChangeStyle(viewStyle, folders, &owner, {});
        EXPECT_EQ(changed, answer == IDOK);
        EXPECT_EQ(viewStyle.modified, answer == IDOK);
    }
    EXPECT_EQ(viewStyle.GetName(), "Default (Modified)") << "the view asks to save it later";
    EXPECT_NE(viewStyle.globalColors.bgArt, CGlobalStyle().globalColors.bgArt);
}

TEST_F(StylesSheetTest, ApplyRestylesTheDocumentWithoutHandingTheStyleBack)
{
    CGlobalStyle style;
    std::vector<std::uint32_t> applied;
    CStyleSheet sheet("Global Styles", &owner, 0, folders);
    sheet.SetStyle(style);
    sheet.applyToDocument = [&](const CGlobalStyle& s) { applied.push_back(s.GetFillColor()); };
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog& page) {
        auto& styles = static_cast<CStylesPage&>(page);
        files->AnswerColour(RGB(0x11, 0x22, 0x33));
        styles.Swatch(CStylesPage::IdFill).Click();
        Press(*styles.GetSheet(), ID_APPLY_NOW);
        Press(*styles.GetSheet(), IDCANCEL);
        EXPECT_EQ(boxes->Log().back().flags & 0xF, static_cast<UINT>(MB_YESNO));
    });
    boxes->Answer(IDNO);
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    EXPECT_EQ(applied, std::vector<std::uint32_t>{0x112233u});
    EXPECT_EQ(style.GetFillColor(), CGlobalStyle().GetFillColor());
}

TEST_F(StylesSheetTest, SelectorAndSingleValuePagesEditTheirGroupsAndShowALoadedStyle)
{
    CGlobalStyle style;
    std::vector<std::uint32_t> previewed;
    CStyleSheet sheet("Global Styles", &owner, 0, folders);
    sheet.SetStyle(style);
    sheet.SetPreview([&](const CGlobalStyle& s) { previewed.push_back(s.selectors.borderColor); });
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog& first) {
        CPropertySheet& s = *static_cast<CPropertyPage&>(first).GetSheet();
        std::vector<std::string> tabs;
        for (int i = 0; i < s.GetTabControl()->GetItemCount(); ++i)
            tabs.push_back(s.GetTabControl()->GetItemText(i));
        EXPECT_EQ(tabs, (std::vector<std::string>{"Styles", "Charts", "Single Values", "Maps && Selectors"}));

        s.GetTabControl()->UserSelect(3);
        CFieldStylePage& maps = sheet.GetMapsSelectorsPage();
        auto check = [&](int id) { static_cast<CButton*>(maps.GetDlgItem(id))->Click(); };
        auto enabled = [&](int id) { return maps.GetDlgItem(id)->IsWindowEnabled() != FALSE; };
        // Label art turns off the border and fill switches and both colours.
        const bool border = enabled(423);
        check(437);
        EXPECT_TRUE(sheet.Style().selectors.useBGLabelArt);
        EXPECT_FALSE(enabled(436));
        EXPECT_FALSE(enabled(439));
        EXPECT_FALSE(enabled(423));
        EXPECT_FALSE(enabled(425));
        check(437);
        EXPECT_EQ(enabled(423), border) << "back as its own switch says";
        // Marker art turns the three marker colours off, with their labels, and back on.
        for (int i = 0; i < 2; ++i) {
            check(407);
            const bool art = sheet.Style().selectors.useDefaultArt;
            EXPECT_EQ(enabled(424), !art);
            EXPECT_EQ(enabled(1429), !art) << "with its label";
        }
        EXPECT_EQ(sheet.Style().GetName(), "Default (Modified)");
        WritePng(testsupport::ArtefactDir("propui") / "style-maps-selectors.png", host->Snapshot(s));

        // A cancelled colour dialog stores the unchanged colour and still refreshes the preview.
        const std::size_t before = previewed.size();
        files->AnswerColour(std::nullopt);
        maps.Swatch(431)->Click();
        EXPECT_EQ(previewed.size(), before + 1);
        files->AnswerColour(RGB(0x12, 0x34, 0x56));
        maps.Swatch(467)->Click();
        EXPECT_EQ(sheet.Style().selectors.mouseOverTextColor, 0x123456u);
        CEdit& alpha = *dynamic_cast<CSpinEdit&>(*maps.GetDlgItem(409)).EditPart();
        alpha.SetFocus();
        alpha.SetSel(0, -1);
        CUserInput::TypeText("40");
        CUserInput::PressKey(VK_RETURN);
        EXPECT_EQ(sheet.Style().selectors.labelAlpha, 40);

        s.GetTabControl()->UserSelect(2);
        CFieldStylePage& single = sheet.GetSingleValuesPage();
        EXPECT_EQ(single.GetDlgItem(435)->IsWindowEnabled(), sheet.Style().singleVals.useCustomColor);
        static_cast<CButton*>(single.GetDlgItem(327))->Click();
        EXPECT_EQ(single.GetDlgItem(435)->IsWindowEnabled() != FALSE, sheet.Style().singleVals.useCustomColor);
        ASSERT_TRUE(CUserInput::Click(single.Chooser(318)->Toggle(CFontChooserBase::IdItalic), CPoint(3, 3)));
        EXPECT_TRUE(sheet.Style().singleVals.valueTextFormat.GetItalic());
        WritePng(testsupport::ArtefactDir("propui") / "style-single-values.png", host->Snapshot(s));

        // Another style loaded on the Styles page shows on the others when they come back.
        s.GetTabControl()->UserSelect(0);
        boxes->Answer(IDNO);
        Choose(sheet.GetStylesPage(), "Blue");
        s.GetTabControl()->UserSelect(3);
        EXPECT_EQ(static_cast<CButton*>(maps.GetDlgItem(437))->GetCheck(), BST_UNCHECKED);
        EXPECT_EQ(maps.Swatch(467)->GetColor(), SwapRedBlue(CGlobalStyle().selectors.mouseOverTextColor));
        Press(s, IDOK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    CGlobalStyle out;
    sheet.GetStyle(out);
    EXPECT_EQ(out.GetName(), "Blue");
}

TEST_F(StylesSheetTest, TheChartsPageShowsOneSubPageAtATimeAndEditsTheChartGroup)
{
    CGlobalStyle style;
    CStyleSheet sheet("Global Styles", &owner, 1, folders);
    sheet.SetStyle(style);
    ui::SetDialogHookByCaption("Global Styles", [&](CDialog&) {
        CChartsStylePage& charts = sheet.GetChartsPage();
        CPropertySheet& s = *charts.GetSheet();
        auto pressed = [&] {
            std::vector<int> down;
            for (int i = 0; i < 5; ++i)
                if (charts.Toggle(i).GetCheck() == BST_CHECKED)
                    down.push_back(i);
            return down;
        };
        EXPECT_EQ(pressed(), std::vector<int>{0});
        const char* names[5] = {"series", "y-axis", "x-axis", "titles", "layout"};
        for (int i = 4; i >= 0; --i) {
            charts.Toggle(i).Click();
            EXPECT_EQ(pressed(), std::vector<int>{i});
            EXPECT_EQ(charts.Nested().GetActiveIndex(), i);
            WritePng(testsupport::ArtefactDir("propui") / (std::string("style-charts-") + names[i] + ".png"),
                     host->Snapshot(s));
        }

        // Series 12 gets a new line colour; series 13 keeps its own.
        CFieldStylePage& series = charts.SubPage(0);
        static_cast<CComboBox*>(series.GetDlgItem(320))->UserSelect(11);
        files->AnswerColour(RGB(0xAB, 0xCD, 0xEF));
        series.Swatch(412)->Click();
        EXPECT_EQ(sheet.Style().GetLineColor(11), 0xABCDEFu);
        EXPECT_NE(sheet.Style().GetLineColor(12), 0xABCDEFu);
        static_cast<CComboBox*>(series.GetDlgItem(320))->UserSelect(12);
        EXPECT_EQ(series.Swatch(412)->GetColor(), SwapRedBlue(sheet.Style().GetLineColor(12)));
        EXPECT_EQ(sheet.Style().GetName(), "Default (Modified)") << "a sub-page marks the style";
        EXPECT_TRUE(charts.IsModified());

        // Background art and the chart area's border and fill exclude each other.
        charts.Toggle(4).Click();
        CFieldStylePage& layout = charts.SubPage(4);
        if (sheet.Style().charts.useBackgroundArt) {
            EXPECT_FALSE(sheet.Style().charts.showChartFill) << "art leaves the chart area no fill of its own";
            EXPECT_FALSE(sheet.Style().charts.showChartBorder);
        }
        auto click = [&](int id) { static_cast<CButton*>(layout.GetDlgItem(id))->Click(); };
        if (sheet.Style().charts.useBackgroundArt)
            click(438);
        if (!sheet.Style().charts.showChartFill)
            click(442);
        click(438);
        EXPECT_TRUE(sheet.Style().charts.useBackgroundArt);
        EXPECT_FALSE(sheet.Style().charts.showChartFill);
        EXPECT_FALSE(layout.GetDlgItem(444)->IsWindowEnabled());
        click(442);
        EXPECT_TRUE(sheet.Style().charts.showChartFill);
        EXPECT_FALSE(sheet.Style().charts.useBackgroundArt);
        EXPECT_EQ(static_cast<CButton*>(layout.GetDlgItem(438))->GetCheck(), BST_UNCHECKED);
        EXPECT_TRUE(layout.GetDlgItem(444)->IsWindowEnabled());
        // Each gridline switch governs its own colour and weight; weights stay at least 1.
        const bool minor = sheet.Style().charts.showHMinGrid;
        click(455);
        EXPECT_EQ(layout.GetDlgItem(2)->IsWindowEnabled() != FALSE, !minor);
        EXPECT_EQ(layout.GetDlgItem(461)->IsWindowEnabled() != FALSE, !minor);
        EXPECT_EQ(layout.GetDlgItem(1461)->IsWindowEnabled() != FALSE, !minor);
        EXPECT_EQ(layout.GetDlgItem(460)->IsWindowEnabled() != FALSE, sheet.Style().charts.showHMajGrid);
        CEdit& margin = *dynamic_cast<CSpinEdit&>(*layout.GetDlgItem(447)).EditPart();
        margin.SetFocus();
        margin.SetSel(0, -1);
        CUserInput::TypeText("0");
        CUserInput::PressKey(VK_RETURN);
        EXPECT_EQ(sheet.Style().charts.plotMargin, 1);

        // Away to another tab and back: the same sub-page, one button pressed.
        s.GetTabControl()->UserSelect(2);
        s.GetTabControl()->UserSelect(1);
        EXPECT_EQ(pressed(), std::vector<int>{4});
        Press(s, IDOK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
}
