// The connection light, login and people list pages on their shipped parameters.

#include "model/CellBinding.h"
#include "pages/CollaborationPages.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "tests/pages/PageFixture.h"

namespace {

using sheet::RangePickOutcome;

class CollaborationPagesTest : public pagetest::PageTest {
protected:
    CParameter* Key(const char* key) { return pages::FindInComponent(defaults.parameters.get(), key); }
    template <class Page> Page& OpenWhole(const char* symbol, const char* title = "General")
    {
        return Open<Page>(Load(symbol, ""), title);
    }
};

TEST_F(CollaborationPagesTest, ConnectionLightColoursFollowTheirCheckBoxes)
{
    using Page = CConnectionLightGeneralPage;
    OpenWhole<Page>("KVConnectionLightSymbol");
    for (int id : {Page::IDC_ERROR_COLOR, Page::IDC_DEFAULT_COLOR, Page::IDC_GOOD_COLOR})
        EXPECT_FALSE(Enabled(id)) << id;
    Click(Page::IDC_USE_ERROR);
    Click(Page::IDC_USE_DEFAULT);
    EXPECT_TRUE(Enabled(Page::IDC_ERROR_COLOR));
    EXPECT_EQ(Notified(), 2);
    // The connected state never shows on the stage: stored and enabled, not republished.
    Click(Page::IDC_USE_GOOD);
    EXPECT_TRUE(Key("useCustomGoodColor")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_GOOD_COLOR));
    EXPECT_EQ(Notified(), 2);
    EXPECT_EQ(owner.marked, 1);
    files->AnswerColour(RGB(0x12, 0x34, 0x56));
    Click(Page::IDC_GOOD_COLOR);
    EXPECT_EQ(Key("customGoodColor")->GetColor(), 0x123456u);
    EXPECT_EQ(Notified(), 3);
    Picture("connection-light-general");

    Click(Page::IDC_USE_ERROR);
    EXPECT_FALSE(Enabled(Page::IDC_ERROR_COLOR));
    EXPECT_EQ(Key("customErrorColor")->GetColor(), 0xCC3333u);
}

TEST_F(CollaborationPagesTest, ConnectionLightWithoutAFlagKeepsItsColourOff)
{
    using Page = CConnectionLightGeneralPage;
    CParameterSet* root = Load("KVConnectionLightSymbol", "");
    for (int i = 0; i < root->GetCount(); ++i)
        if (root->GetAt(i)->GetName() == "useCustomDefaultColor")
            root->RemoveAt(i);
    Open<Page>(root);
    EXPECT_FALSE(Enabled(Page::IDC_USE_DEFAULT));
    EXPECT_FALSE(Enabled(Page::IDC_DEFAULT_COLOR));
}

TEST_F(CollaborationPagesTest, LoginKindIsComparedExactly)
{
    using Page = CLoginGeneralPage;
    Load("KVLoginSymbol", "");
    Key("loginType")->SetString("UserName");
    Open<Page>(defaults.parameters.get());
    for (int id : {Page::IDC_BOTH, Page::IDC_USERNAME, Page::IDC_PASSWORD})
        EXPECT_FALSE(Checked(id)) << id;
    Click(Page::IDC_PASSWORD);
    EXPECT_EQ(Key("loginType")->GetString(), "password");
    Click(Page::IDC_USERNAME);
    EXPECT_EQ(Key("loginType")->GetString(), "username");
    EXPECT_EQ(Notified(), 2);
}

TEST_F(CollaborationPagesTest, LoginButtonLabelIsTypedOrLinked)
{
    using Page = CLoginGeneralPage;
    ImportWorkbook();
    OpenWhole<Page>("KVLoginSymbol");
    EXPECT_TRUE(Checked(Page::IDC_BOTH));
    EXPECT_EQ(Text(Page::IDC_BUTTON_LABEL), "Login");
    Picture("login-general");

    CCellBinding& label = *Key("buttonLabel")->GetBinding();
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$4");
    Click(Page::IDC_BUTTON_LABEL_LINK);
    ASSERT_TRUE(label.IsBound());
    EXPECT_EQ(Text(Page::IDC_BUTTON_LABEL), "'Inputs'!$B$4");
    // Typing a caption removes the link.
    TypeInto(Page::IDC_BUTTON_LABEL, "Sign in");
    EXPECT_FALSE(label.IsBound());
    EXPECT_EQ(label.GetValue().GetString(), "Sign in");
    // A cancelled pick changes nothing; a cleared one leaves an empty caption.
    picker->Answer(RangePickOutcome::Cancelled);
    Click(Page::IDC_BUTTON_LABEL_LINK);
    EXPECT_EQ(label.GetValue().GetString(), "Sign in");
    picker->Answer(RangePickOutcome::Cleared);
    Click(Page::IDC_BUTTON_LABEL_LINK);
    EXPECT_EQ(label.GetValue().GetString(), "");
    EXPECT_EQ(Notified(), 3);
}

TEST_F(CollaborationPagesTest, LoginAppearanceColoursAndFonts)
{
    using Page = CLoginAppearancePage;
    OpenWhole<Page>("KVLoginSymbol", "Appearance");
    EXPECT_TRUE(Enabled(Page::IDC_INPUT_FONT));
    EXPECT_TRUE(Enabled(Page::IDC_BUTTON_FONT));
    EXPECT_FALSE(Enabled(Page::IDC_BUTTON_COLOR));
    Click(Page::IDC_USE_BUTTON_COLOR);
    EXPECT_TRUE(Enabled(Page::IDC_BUTTON_COLOR));
    Picture("login-appearance");
    Click(Page::IDC_USE_BUTTON_COLOR);
    EXPECT_FALSE(Enabled(Page::IDC_BUTTON_COLOR));
    EXPECT_EQ(Key("customButtonColor")->GetColor(), 0xF4F4F4u);
    EXPECT_EQ(Notified(), 2);
}

TEST_F(CollaborationPagesTest, PeopleListThumbColourIsForTheOwnThumbOnly)
{
    using Page = CPeopleListGeneralPage;
    OpenWhole<Page>("KVPeopleListSymbol");
    EXPECT_EQ(Text(Page::IDC_ALIGNMENT), "left");
    EXPECT_TRUE(Checked(Page::IDC_USE_DEFAULT_ART));
    EXPECT_FALSE(Enabled(Page::IDC_THUMB_COLOR));
    EXPECT_TRUE(Enabled(Page::IDC_FILL_COLOR));
    Click(Page::IDC_USE_DEFAULT_ART);
    EXPECT_FALSE(Key("useDefaultArt")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_THUMB_COLOR));

    // The swatch beside "Background Fill Color" sets the label colour.
    files->AnswerColour(RGB(0x20, 0x40, 0x60));
    Click(Page::IDC_FILL_COLOR);
    EXPECT_EQ(Key("labelColor")->GetColor(), 0x204060u);
    Choose(Page::IDC_ALIGNMENT, 1);
    EXPECT_EQ(pages::ChoiceText(Key("labelAlign")), "center");
    Picture("people-list-general");

    Click(Page::IDC_USE_DEFAULT_ART);
    EXPECT_FALSE(Enabled(Page::IDC_THUMB_COLOR));
    EXPECT_EQ(Key("thumbColor")->GetColor(), 0xBBBBBBu);
    EXPECT_EQ(Notified(), 4);
}

} // namespace
