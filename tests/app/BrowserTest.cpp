#include "AppFixture.h"

#include "app/core/AppIds.h"
#include "app/dialogs/TemplateDlg.h"
#include "app/dialogs/WelcomeDlg.h"
#include "platform/controls/ListBox.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/window/UserInput.h"

namespace {

namespace fs = std::filesystem;

class BrowserTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        SkipWelcome();
        ASSERT_TRUE(Start());
        for (const char* folder : {"template/Charts", "template/Gauges", "template/CVS", "template/.hidden"})
            fs::create_directories(base / folder);
        for (const char* file : {"template/Charts/bars.vtd", "template/Charts/lines.vtd", "template/Charts/notes.txt",
                                 "template/Gauges/dial.vtd", "template/CVS/old.vtd"})
            testsupport::WriteBytes(base / file, {});
        fs::create_directories(base / "asset");
    }
    // A description file: a 32-bit length, then the text.
    void Describe(const std::string& item, const std::string& text, std::uint32_t length)
    {
        std::vector<unsigned char> bytes;
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>(length >> shift));
        for (char c : text)
            bytes.push_back(static_cast<unsigned char>(c));
        testsupport::WriteBytes(base / "asset" / (item + ".txt"), bytes);
    }
    std::vector<std::string> Texts(CListBox& list)
    {
        std::vector<std::string> texts;
        for (int i = 0; i < list.GetCount(); ++i)
            texts.push_back(list.GetText(i));
        return texts;
    }
    testsupport::TempDir base;
};

TEST_F(BrowserTest, CategoriesItemsDescriptionsAndPreviews)
{
    Describe("bars", std::string("Bars by region") + '\0', 15);
    Describe("lines", "Lines", 0x7FFFFFFF); // a length the file cannot hold
    CFakeFlashPlayer* player = nullptr;
    ui::SetDialogHook(IDD_TEMPLATE, [&](CDialog& dlg) {
        auto& browser = dynamic_cast<CTemplateDlg&>(dlg);
        EXPECT_EQ(browser.GetWindowText(), "New From Template");
        EXPECT_EQ(Texts(browser.Categories()), (std::vector<std::string>{"Charts", "Gauges"}));
        EXPECT_EQ(browser.Categories().GetCurSel(), 0) << "with several categories the first is chosen";
        EXPECT_EQ(Texts(browser.Items()), (std::vector<std::string>{"bars", "lines"}));
        EXPECT_EQ(browser.GetDlgItemText(IDC_DESCRIPTION), "Bars by region");
        player = dynamic_cast<CFakeFlashPlayer*>(
            dynamic_cast<CShockwaveFlash*>(browser.GetDlgItem(IDC_FLASH))->GetPlayer());
        ASSERT_NE(player, nullptr);
        const std::vector<CFakeFlashPlayer::Call> loads = player->CallsOf("LoadMovie");
        ASSERT_EQ(loads.size(), 2u);
        EXPECT_EQ(loads[0].args, (std::vector<std::string>{"0", "loadblank"}));
        EXPECT_EQ(loads[1].args[1], (base / "template" / "Charts" / "bars.swf").string());

        browser.Items().UserSelect(1);
        EXPECT_EQ(browser.GetDlgItemText(IDC_DESCRIPTION), "No Description Available");
        // The item's place is kept when another category is chosen, where it fits.
        browser.Categories().UserSelect(1);
        EXPECT_EQ(Texts(browser.Items()), (std::vector<std::string>{"dial"}));
        EXPECT_EQ(browser.Items().GetCurSel(), -1) << "the second place does not exist here";
        browser.Items().UserSelect(0);
        CUserInput::Click(*browser.GetDlgItem(IDOK), CPoint(3, 3));
    });
    CTemplateDlg browser(base.path(), CTemplateDlg::kTemplates, &Frame());
    EXPECT_EQ(browser.DoModal(), IDOK);
    EXPECT_EQ(browser.GetPath(), (base / "template" / "Gauges" / "dial.vtd").string());
}

TEST_F(BrowserTest, MissingFoldersGiveEmptyListsAndNoWayToOk)
{
    ui::SetDialogHook(IDD_TEMPLATE, [&](CDialog& dlg) {
        auto& browser = dynamic_cast<CTemplateDlg&>(dlg);
        EXPECT_EQ(browser.Categories().GetCount(), 0);
        EXPECT_EQ(browser.Items().GetCount(), 0);
        EXPECT_FALSE(browser.GetDlgItem(IDOK)->IsWindowEnabled());
        CUserInput::PressKey(VK_RETURN);
        EXPECT_FALSE(browser.IsEnded()) << "Enter does nothing without a choice";
        CUserInput::PressKey(VK_ESCAPE);
    });
    CTemplateDlg browser(base.path(), CTemplateDlg::kSamples, &Frame());
    EXPECT_EQ(browser.DoModal(), IDCANCEL);
    EXPECT_EQ(browser.GetPath(), "");
}

TEST_F(BrowserTest, AChosenFileThatIsNoDocumentLeavesTheDocumentAsItWas)
{
    testsupport::WriteBytes(base / "template" / "Charts" / "bars.vtd", {'P', 'K', 3, 4});
    ui::SetDialogHook(IDD_TEMPLATE, [&](CDialog& dlg) {
        dlg.SendMessage(WM_COMMAND, IDOK); // bars, the first item
    });
    boxes->Answer(IDOK);
    CTemplateDlg browser(base.path(), CTemplateDlg::kTemplates, &Frame());
    ASSERT_EQ(browser.DoModal(), IDOK);
    EXPECT_FALSE(Doc().OpenTemplateAsNew(browser.GetPath()));
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, "The file " + (base / "template" / "Charts" / "bars.vtd").string() +
                                        " cannot be opened: it is not a Vantorel document, or its beginning is damaged.");
    EXPECT_EQ(Doc().GetTitle(), "Untitled");
    EXPECT_EQ(testsupport::ReadBytes(base / "template" / "Charts" / "bars.vtd"),
              (std::vector<unsigned char>{'P', 'K', 3, 4}));
}

TEST_F(BrowserTest, TheWelcomePlaysTheTutorialsAndItsCheckBoxTurnsItselfOff)
{
    std::vector<std::string> movies;
    ui::SetDialogHook(IDD_TUTORIAL, [&](CDialog& dlg) {
        auto* flash = dynamic_cast<CShockwaveFlash*>(dlg.GetDlgItem(IDC_FLASH));
        auto* player = dynamic_cast<CFakeFlashPlayer*>(flash->GetPlayer());
        movies.push_back(player->LayerMovie(0));
        EXPECT_EQ(player->ZoomFactor(), 0) << "zoomed in and back out";
        CUserInput::Click(*dlg.GetDlgItem(IDC_TUTORIAL_CLOSE), CPoint(3, 3));
    });
    std::uint8_t showWelcome = 1;
    ui::SetDialogHook(IDD_WELCOME, [&](CDialog& dlg) {
        CUserInput::Click(*dlg.GetDlgItem(IDC_WELCOME_TUTORIAL1), CPoint(3, 3));
        CUserInput::Click(*dlg.GetDlgItem(IDC_WELCOME_TUTORIAL2), CPoint(3, 3));
        CUserInput::Click(*dlg.GetDlgItem(IDC_WELCOME_DONT_SHOW), CPoint(3, 3));
        EXPECT_EQ(showWelcome, 0);
        CUserInput::Click(*dlg.GetDlgItem(IDC_WELCOME_DONT_SHOW), CPoint(3, 3));
        EXPECT_EQ(showWelcome, 1);
        dlg.EndDialog(IDOK);
    });
    CWelcomeDlg welcome(&Frame(), showWelcome, [](int) { return false; });
    welcome.DoModal();
    EXPECT_EQ(movies, (std::vector<std::string>{"asset/help/tutorial1.swf", "asset/help/tutorial2.swf"}));
    EXPECT_TRUE(ui::UnansweredDialogs().empty());

    // About shows the version, from the larger template on a large-fonts display.
    ScreenMetrics large;
    large.dpiX = large.dpiY = 120;
    SetScreenMetrics(large);
    ui::SetDialogHook(IDD_ABOUTBOX_LARGE, [](CDialog& dlg) {
        EXPECT_EQ(dlg.GetDlgItemText(1000), "Version 1.0.9.7");
        dlg.EndDialog(IDOK);
    });
    EXPECT_TRUE(CUserInput::ChooseMenuItem(Frame(), ID_APP_ABOUT));
    EXPECT_EQ(ui::OpenedDialogs().back(), "330");
}

} // namespace
