// The border and fill tab of the backgrounds, driven through its controls.

#include "pages/FillBorderAppearancePage.h"
#include "pages/PageBlocks.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CFillBorderAppearancePage;

class FillBorderAppearancePageTest : public pagetest::PageTest {};

TEST_F(FillBorderAppearancePageTest, APlainPanelEditsItsColoursAndHidingTheFillGreysItsControls)
{
    CParameterSet* group = Load("KVBackgroundSymbol", "Appearance");
    Open<Page>(group, "Appearance");
    EXPECT_TRUE(Checked(Page::IDC_SHOW_BORDER));
    EXPECT_TRUE(Enabled(Page::IDC_BORDER_COLOR));
    EXPECT_TRUE(Enabled(Page::IDC_FILL_COLOR));
    EXPECT_EQ(Text(Page::IDC_WEIGHT), "1");
    Picture("fill-border-appearance");

    Click(Page::IDC_SHOW_FILL);
    EXPECT_FALSE(Param(group, "showFill")->GetBool());
    for (int id : {Page::IDC_FILL_COLOR, Page::IDC_FILL_TRANS, Page::IDC_FILL_TRANS_LABEL})
        EXPECT_FALSE(Enabled(id)) << id;
    EXPECT_EQ(Notified(), 1);

    // A cancelled colour dialog changes nothing; a chosen colour is stored as 0xRRGGBB.
    files->AnswerColour(std::nullopt);
    Click(Page::IDC_BORDER_COLOR);
    EXPECT_EQ(Param(group, "borderColor")->GetColor(), 0x999999u);
    EXPECT_EQ(Notified(), 1);
    files->AnswerColour(RGB(0x12, 0x34, 0x56));
    Click(Page::IDC_BORDER_COLOR);
    EXPECT_EQ(Param(group, "borderColor")->GetColor(), 0x123456u);
    EXPECT_EQ(Notified(), 2);

    TypeInto(Page::IDC_WEIGHT, "35"); // the weight goes up to 20
    EXPECT_EQ(Param(group, "borderThickness")->GetInt(), 20);
}

TEST_F(FillBorderAppearancePageTest, BackgroundArtKeepsTheColoursFromBeingChosen)
{
    CParameterSet* group = Load("KVBackground2Symbol", "Appearance");
    Open<Page>(group, "Appearance");
    EXPECT_FALSE(Enabled(Page::IDC_BORDER_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_FILL_COLOR));
    EXPECT_TRUE(Enabled(Page::IDC_WEIGHT));
    // Turning the art off (on the General tab) frees them on the next activation.
    pages::FindInComponent(defaults.parameters.get(), "artEnabled")->SetBool(false);
    page->OnSetActive();
    EXPECT_TRUE(Enabled(Page::IDC_BORDER_COLOR));
    EXPECT_TRUE(Enabled(Page::IDC_FILL_COLOR));
}

TEST_F(FillBorderAppearancePageTest, ThePlayLayoutShowsOneTransparency)
{
    CParameterSet* group = Load("KVPlaySelectorSymbol", "Appearance");
    auto made = std::make_unique<Page>(true);
    made->SetContext(&context);
    made->Create(group, "Appearance", false, &owner, defaults.parameters.get());
    ASSERT_TRUE(made->CreatePage(&parent));
    made->ShowWindow(SW_SHOW);
    made->OnSetActive();
    page = std::move(made);
    EXPECT_TRUE(Visible(Page::IDC_BORDER_TRANS));
    // The play selector ships what the layout edits: its transparency and the two switches.
    EXPECT_TRUE(Enabled(Page::IDC_BORDER_TRANS));
    EXPECT_TRUE(Visible(Page::IDC_SHOW_BORDER));
    EXPECT_TRUE(Visible(Page::IDC_SHOW_FILL));
    for (int id : {Page::IDC_WEIGHT, Page::IDC_FILL_TRANS})
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_EQ(Text(Page::IDC_BORDER_GROUP), "Display");
    Click(Page::IDC_SHOW_BORDER);
    EXPECT_FALSE(Param(group, "borderEnabled")->GetBool());
    EXPECT_FALSE(Enabled(Page::IDC_BORDER_TRANS));
}

TEST_F(FillBorderAppearancePageTest, HelpTopics)
{
    Open<Page>(Load("KVBackgroundSymbol", "Appearance"), "Appearance");
    const std::pair<int, int> cases[] = {
        {Page::IDC_SHOW_FILL, 915}, {Page::IDC_FILL_TRANS, 915}, {Page::IDC_WEIGHT, 920},
        {Page::IDC_BORDER_COLOR, 920}, {Page::IDC_BORDER_GROUP, 900},
    };
    for (auto [focus, topic] : cases) {
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
}

} // namespace
