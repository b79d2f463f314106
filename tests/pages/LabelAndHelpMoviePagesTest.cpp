// The label's General tab, the help window it opens and the Tutorial tab: typed or linked text,
// and which help movie plays.

#include "model/CellBinding.h"
#include "model/ValueList.h"
#include "pages/HelpMovieDialog.h"
#include "pages/LabelGeneralPage.h"
#include "pages/TutorialPage.h"
#include "tests/pages/PageFixture.h"
#include "tests/support/FlashPlayerFake.h"

namespace {

using sheet::RangePickOutcome;

class LabelAndHelpMoviePagesTest : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        SetFlashPlayerFactory([this] {
            auto made = std::make_unique<CFakeFlashPlayer>();
            players.push_back(made.get());
            return made;
        });
    }
    void TearDown() override
    {
        PageTest::TearDown();
        ResetFlashPlayerFactory();
    }
    // The last movie a player loaded into its layer 0.
    std::string LastMovie(std::size_t player)
    {
        return player < players.size() ? players[player]->LayerMovie(0) : std::string();
    }

    std::vector<CFakeFlashPlayer*> players;
};

TEST_F(LabelAndHelpMoviePagesTest, TypingUnlinksAndPickingEmptiesTheText)
{
    using Page = CLabelGeneralPage;
    ImportWorkbook();
    CParameterSet* group = Load("KVLabelCompSymbol", "General");
    CCellBinding& value = *Param(group, "labelValue")->GetBinding();
    Open<Page>(group);
    EXPECT_TRUE(Checked(Page::IDC_TEXT_MODE));
    EXPECT_EQ(Text(Page::IDC_TEXT), "Label");
    EXPECT_FALSE(Enabled(Page::IDC_LINK));
    EXPECT_EQ(Notified(), 0); // showing the text is no change
    Picture("label-general");

    Click(Page::IDC_LINK_MODE);
    EXPECT_TRUE(Enabled(Page::IDC_LINK));
    EXPECT_FALSE(Enabled(Page::IDC_TEXT));
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$2");
    Click(Page::IDC_LINK);
    EXPECT_TRUE(value.IsBound());
    EXPECT_EQ(Text(Page::IDC_RANGE), "'Inputs'!$A$2");
    EXPECT_EQ(Text(Page::IDC_TEXT), "");
    EXPECT_EQ(Notified(), 1);

    // One keystroke in the text box removes the link and republishes.
    Click(Page::IDC_TEXT_MODE);
    Item(Page::IDC_TEXT)->SetFocus();
    CUserInput::TypeText("T");
    EXPECT_FALSE(value.IsBound());
    EXPECT_EQ(value.GetValue().GetString(), "T");
    EXPECT_EQ(Text(Page::IDC_RANGE), "");
    EXPECT_EQ(Notified(), 2);

    // Clearing the pick goes back to typed text, empty.
    Click(Page::IDC_LINK_MODE);
    picker->Answer(RangePickOutcome::Cleared);
    Click(Page::IDC_LINK);
    EXPECT_TRUE(Checked(Page::IDC_TEXT_MODE));
    EXPECT_EQ(value.GetValue().GetString(), "");
    EXPECT_EQ(value.GetValue().GetType(), model::ParamType::Text);
}

TEST_F(LabelAndHelpMoviePagesTest, TheHelpButtonPlaysTheLabelMovieWhateverTheLabel)
{
    using Page = CLabelGeneralPage;
    Open<Page>(Load("KVLabelCompSymbol", "General"));
    std::string shown;
    std::string playing;
    ui::SetDialogHookByCaption("Help", [&](CDialog& dialog) {
        shown = static_cast<CHelpMovieDialog&>(dialog).GetMoviePath();
        auto* control = static_cast<CShockwaveFlash*>(dialog.GetDlgItem(CHelpMovieDialog::IDC_PLAYER));
        playing = static_cast<CFakeFlashPlayer*>(control->GetPlayer())->LayerMovie(0);
        dialog.EndDialog(IDCANCEL);
    });
    Click(Page::IDC_HELP_MOVIE);
    EXPECT_EQ(shown, "asset/help/KVLabelCompSymbol.swf");
    EXPECT_EQ(playing, shown);
    // The movie is one the installation has: the build publishes one per description.
    const std::string stem = std::filesystem::path(shown).stem().string();
    EXPECT_TRUE(
        std::filesystem::exists(testsupport::SourceDir() / "tools" / "help" / "movies" / (stem + ".json")))
        << stem;
}

TEST_F(LabelAndHelpMoviePagesTest, TheTutorialKeepsTheWholeVariantAndTheWindowItsFirstWord)
{
    CParameterSet root;
    root.SetName("KVDialSymbol_2");
    auto help = std::make_unique<CParameter>("Help", model::ParamType::Group);
    CParameter choice("retInfo", model::ParamType::Choice);
    choice.GetValueList()->GetPrototype().SetString("by row", true);
    help->GetSet()->Add(std::make_unique<CParameter>(choice));
    CParameterSet* group = help->GetSet();
    root.Add(std::move(help));

    auto made = std::make_unique<CTutorialPage>();
    made->SetContext(&context);
    made->Create(group, "Help", false, &owner, &root);
    ASSERT_TRUE(made->CreatePage(&parent));
    made->OnSetActive();
    EXPECT_EQ(made->GetMoviePath(), "asset/help/KVDialSymbol_by row.swf");
    EXPECT_EQ(LastMovie(0), "asset/help/KVDialSymbol_by row.swf");
    EXPECT_EQ(made->GetTitle(), "Tutorial");
    page = std::move(made);

    CHelpMovieDialog window(&parent);
    window.SetComponent(&root, "KVDialSymbol");
    ui::SetDialogHookByCaption("Help", [](CDialog& dialog) { dialog.EndDialog(IDOK); });
    window.DoModal();
    EXPECT_EQ(window.GetMoviePath(), "asset/help/KVDialSymbol_by.swf");
}

} // namespace
