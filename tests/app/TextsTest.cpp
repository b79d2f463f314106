#include "AppFixture.h"

#include "app/core/AppIds.h"
#include "app/shell/AppResources.h"
#include "app/shell/Help.h"
#include "platform/docview/Resources.h"

namespace {

// Every text and id the program shows, checked in one table each.
class TextsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        RegisterAppResources();
    }
};

TEST_F(TextsTest, StringsAndCommandPrompts)
{
    const std::pair<UINT, std::string> strings[] = {
        {3, "Vantorel\nUntitled\nVantorel Document\nVantorel Files (*.vtd)\n.vtd\nVantorel.Document\n"
            "Vantorel Document\nINFO\nVantorel Files"},
        {102, "OLE 2.0 initialization failed.  Make sure that the OLE libraries are the correct version."},
        {111, "Model Not Loaded"},
        {57664, "Display program information, version number and copyright\nAbout"},
        {32864, "Display help contents\nHelp"},
        {32854, "Open a template"},
        {32885, "Open Vantorel samples\nSamples"},
        {57600, "Create a new document\nNew"},
        {57601, "Open an existing document\nOpen"},
        {32852, "Decrease canvas size\nDecrease canvas"},
        {32853, "Increase canvas size\nIncrease canvas"},
        {33951, "Fit canvas size to components on stage\nFit canvas to components"},
        {33952, "Fit canvas size to current window size\nFit canvas to window"},
    };
    for (const auto& [id, text] : strings)
        EXPECT_EQ(GetResources().LoadString(id), text) << id;
    EXPECT_EQ(std::string(CKVApp::kFlashMessage),
              "Problem accessing Macromedia Flash Player.\nMacromedia Flash Player Version 6.0 or higher needed.\n"
              "Please reinstall Vantorel with the Flash Player option.");
    EXPECT_EQ(std::string(CKVApp::kExcelMessage),
              "Problem accessing Microsoft Office 2000 version of Excel.\nPlease consult your Microsoft Office help "
              "on how to install or fix your installation.\nPlease restart Vantorel after this problem has been "
              "fixed.");
}

TEST_F(TextsTest, ToolBars)
{
    const std::pair<UINT, std::vector<UINT>> bars[] = {
        {2, {57600, 57601, 57603, 0, 57635, 57634, 57637, 0, 32770, 0, 32772, 0, 32852, 32853, 33951, 33952, 0,
             32858, 32859, 0, 32864}},
        {297, {32824}},
        {319, {32855, 32879}},
        {320, {32848}},
    };
    for (const auto& [id, buttons] : bars) {
        const ToolBarTemplate* bar = GetResources().FindToolBar(id);
        ASSERT_NE(bar, nullptr) << id;
        EXPECT_EQ(bar->buttons, buttons) << id;
        // The buttons show icons now (one name per button), no longer short texts.
        ASSERT_NE(GetResources().FindToolBarIcons(id), nullptr) << id;
        EXPECT_EQ(GetResources().FindToolBarIcons(id)->size(), buttons.size()) << id;
    }
    EXPECT_EQ(GetResources().FindToolBar(297)->buttonWidth, 66);
    EXPECT_EQ(GetResources().FindToolBar(297)->buttonHeight, 16);
}

TEST_F(TextsTest, DialogsAndTheirControls)
{
    struct Dialog {
        int id;
        const char* caption;
        std::vector<std::pair<int, std::string>> controls; // id, text ("" for any)
    } dialogs[] = {
        {172,
         "New From Template",
         {{179, ""}, {180, ""}, {178, ""}, {146, ""}, {IDOK, "OK"}, {IDCANCEL, "Cancel"}}},
        {309,
         "Welcome to Vantorel",
         {{564, ""}, {321, ""}, {117, ""}, {118, ""}, {565, "Don't show me this again"}, {IDOK, "OK"}}},
        {271, "Tutorial", {{146, ""}, {320, "Close"}}},
        {169, "Please wait...", {{177, ""}}},
        {100, "About Vantorel", {{IDOK, "OK"}}},
        {330, "About Vantorel", {{IDOK, "OK"}}},
    };
    for (const Dialog& d : dialogs) {
        const DialogTemplate* t = GetDialogTemplates().Find(d.id);
        ASSERT_NE(t, nullptr) << d.id;
        EXPECT_EQ(t->caption, d.caption) << d.id;
        for (const auto& [id, text] : d.controls) {
            const DialogItemTemplate* item = t->FindItem(id);
            ASSERT_NE(item, nullptr) << d.id << " control " << id;
            if (!text.empty()) {
                EXPECT_EQ(item->text, text) << d.id << " control " << id;
            }
        }
    }
    // Labels, by dialog.
    const std::pair<int, std::vector<std::string>> labels[] = {
        {172, {"Category", "Items", "Preview", "Description"}},
        {309,
         {"What would you like to do?",
          "Watch a movie that will show you how to create your first interactive report",
          "Watch a movie that explains how Vantorel works", "Open a sample interactive report",
          "Start working on an interactive report based on a layout template"}},
    };
    for (const auto& [id, texts] : labels) {
        const DialogTemplate* t = GetDialogTemplates().Find(id);
        for (const std::string& text : texts) {
            bool found = false;
            for (const DialogItemTemplate& item : t->items)
                found = found || item.text == text;
            EXPECT_TRUE(found) << id << ": " << text;
        }
    }
    EXPECT_EQ(GetDialogTemplates().Find(172)->FindItem(146)->className, "ShockwaveFlash.ShockwaveFlash");
    EXPECT_EQ(GetDialogTemplates().Find(169)->FindItem(177)->className, "msctls_progress32");
}

TEST_F(TextsTest, HelpTopics)
{
    int count = 0;
    const HelpContextEntry* table = HelpContextTable(&count);
    EXPECT_EQ(count, 67);
    EXPECT_EQ(table[0].id, 57600u);
    EXPECT_EQ(table[count - 1].id, 337u);
    const std::pair<UINT, int> topics[] = {
        {57600, 1}, {32769, 19}, {165, 19}, {32813, 9}, {137, 9}, {32883, 49}, {57664, 40}, {337, 52}, {4242, -1},
    };
    for (const auto& [id, topic] : topics)
        EXPECT_EQ(FindHelpContext(id), topic) << id;
}

TEST_F(TextsTest, StatusBarAndBarIds)
{
    SkipWelcome();
    ASSERT_TRUE(Start());
    CMainFrame& frame = Frame();
    const UINT indicators[] = {ID_SEPARATOR, 111, ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
    ASSERT_EQ(frame.StatusBar().GetCount(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(frame.StatusBar().GetItemID(i), indicators[i]) << i;
    EXPECT_EQ(frame.StatusBar().GetDlgCtrlID(), 0xE801);
    UINT id = 0, style = 0;
    int width = 0;
    frame.StatusBar().GetPaneInfo(1, id, style, width);
    EXPECT_EQ(width, 200);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(frame.ToolBar(i).GetDlgCtrlID(), 0xE800) << i;
        EXPECT_NE(frame.ToolBar(i).GetToolBarCtrlStyle() & TBSTYLE_FLAT, 0u);
    }
    EXPECT_EQ(frame.Progress().GetDlgCtrlID(), 1);
    EXPECT_EQ(frame.Progress().GetParent(), &frame.StatusBar());
}

} // namespace
