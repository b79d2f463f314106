// The Behavior tab of the simple components, driven through its controls on the background's
// shipped parameters.

#include "model/CellBinding.h"
#include "pages/CommonBehaviorPage.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CCommonBehaviorPage;
using sheet::RangePickOutcome;

class CommonBehaviorPageTest : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        group = Load("KVBackgroundSymbol", "Behavior");
        ASSERT_NE(group, nullptr);
    }
    CCellBinding& Status() { return *Param(group, "displayStatus")->GetBinding(); }
    CCellBinding& Key() { return *Param(group, "displayKey")->GetBinding(); }

    CParameterSet* group = nullptr;
};

TEST_F(CommonBehaviorPageTest, AnUnlinkedStatusLeavesTheKeyUnusable)
{
    Open<Page>(group, "Behavior");
    EXPECT_EQ(page->GetTitle(), "Behavior");
    EXPECT_EQ(Text(Page::IDC_STATUS_RANGE), "");
    EXPECT_EQ(Text(Page::IDC_KEY), "1");
    for (int id : {Page::IDC_KEY, Page::IDC_KEY_LABEL, Page::IDC_KEY_LINK})
        EXPECT_FALSE(Enabled(id)) << id;
    // "None" is chosen, so there is no duration to set.
    EXPECT_EQ(Text(Page::IDC_EFFECT), "None");
    EXPECT_FALSE(Enabled(Page::IDC_DURATION));
    EXPECT_FALSE(Enabled(Page::IDC_DURATION_LABEL));
    Picture("common-behavior");
}

TEST_F(CommonBehaviorPageTest, LinkingClearingAndCancellingTheStatusCell)
{
    ImportWorkbook();
    Open<Page>(group, "Behavior");

    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1");
    Click(Page::IDC_STATUS_LINK);
    EXPECT_TRUE(Status().IsBound());
    EXPECT_EQ(Text(Page::IDC_STATUS_RANGE), "'Inputs'!$A$1");
    EXPECT_TRUE(Enabled(Page::IDC_KEY));
    EXPECT_TRUE(Enabled(Page::IDC_KEY_LINK));
    EXPECT_EQ(Notified(), 1);

    // Clearing the pick shows the component always: both values go back to 1.
    Key().GetValue().SetString("yes", true);
    picker->Answer(RangePickOutcome::Cleared);
    Click(Page::IDC_STATUS_LINK);
    EXPECT_FALSE(Status().IsBound());
    EXPECT_EQ(Status().GetValue().GetValueText(), "1");
    EXPECT_EQ(Key().GetValue().GetType(), model::ParamType::Integer);
    EXPECT_EQ(Text(Page::IDC_KEY), "1");
    EXPECT_FALSE(Enabled(Page::IDC_KEY));
    EXPECT_EQ(Notified(), 2);

    // A cancelled pick changes nothing, even while the status is unlinked.
    Key().GetValue().SetString("kept", true);
    picker->Answer(RangePickOutcome::Cancelled);
    Click(Page::IDC_STATUS_LINK);
    EXPECT_EQ(Key().GetValue().GetString(), "kept");
    EXPECT_EQ(Notified(), 2);
}

TEST_F(CommonBehaviorPageTest, TheEntryEffectIsStoredAsItsTextAndGatesTheDuration)
{
    Open<Page>(group, "Behavior");
    Choose(Page::IDC_EFFECT, 2);
    EXPECT_EQ(Param(group, "introStyle")->GetString(), "Grow");
    EXPECT_TRUE(Enabled(Page::IDC_DURATION));
    EXPECT_TRUE(Enabled(Page::IDC_DURATION_LABEL));
    // The stage shows no effect: nothing to republish, but the document must be saved.
    EXPECT_EQ(Notified(), 0);
    EXPECT_EQ(owner.marked, 1);

    TypeInto(Page::IDC_DURATION, "2.5");
    EXPECT_DOUBLE_EQ(Param(group, "introTime")->GetDouble(), 2.5);
    TypeInto(Page::IDC_DURATION, "40"); // beyond the parameter's range of 0 to 10
    EXPECT_DOUBLE_EQ(Param(group, "introTime")->GetDouble(), 10);
    EXPECT_EQ(Text(Page::IDC_DURATION), "10");
    EXPECT_EQ(Notified(), 2);

    Choose(Page::IDC_EFFECT, 0);
    EXPECT_EQ(Param(group, "introStyle")->GetString(), "None");
    EXPECT_FALSE(Enabled(Page::IDC_DURATION));
}

TEST_F(CommonBehaviorPageTest, AnEffectOfAnotherSpellingSelectsNothing)
{
    Param(group, "introStyle")->SetString("none");
    Open<Page>(group, "Behavior");
    EXPECT_EQ(static_cast<CComboBox*>(Item(Page::IDC_EFFECT))->GetCurSel(), -1);
    EXPECT_TRUE(Enabled(Page::IDC_DURATION));
}

TEST_F(CommonBehaviorPageTest, TypingAKeyOverALinkedKeyUnlinksIt)
{
    ImportWorkbook();
    Open<Page>(group, "Behavior");
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1");
    Click(Page::IDC_STATUS_LINK);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$2");
    Click(Page::IDC_KEY_LINK);
    ASSERT_TRUE(Key().IsBound());
    EXPECT_EQ(Text(Page::IDC_KEY), "'Inputs'!$A$2");

    TypeInto(Page::IDC_KEY, "North");
    EXPECT_FALSE(Key().IsBound());
    EXPECT_EQ(Key().GetValue().GetString(), "North");
    EXPECT_EQ(Key().GetValue().GetType(), model::ParamType::Text);
}

TEST_F(CommonBehaviorPageTest, HelpTopicsFollowTheFocusAndTheComponent)
{
    struct Case {
        const char* symbol;
        int focus;
        int topic;
    };
    const Case cases[] = {
        {"KVBackgroundSymbol", Page::IDC_EFFECT, 890},
        {"KVBackgroundSymbol", Page::IDC_STATUS_LINK, 890},
        {"KVBackgroundSymbol", Page::IDC_KEY, 875},
        {"KVLabelCompSymbol", Page::IDC_KEY, 1420},
        {"KVUrlButtonSymbol", Page::IDC_KEY, 2730},
        {"KVUrlButtonSymbol", Page::IDC_DURATION, 890},
    };
    Param(group, "introStyle")->SetString("Grow"); // so the duration can take the focus
    Open<Page>(group, "Behavior");
    for (const Case& c : cases) {
        owner.type = c.symbol;
        Item(c.focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), c.topic) << c.symbol << " " << c.focus;
    }
}

} // namespace
