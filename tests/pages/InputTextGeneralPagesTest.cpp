// The General tabs of the single-line input and the text area on their shipped parameters.

#include "model/CellBinding.h"
#include "pages/InputTextGeneralPages.h"
#include "tests/pages/PageFixture.h"

namespace {

using sheet::RangePickOutcome;

class InputTextGeneralPagesTest : public pagetest::PageTest {};

TEST_F(InputTextGeneralPagesTest, TheInputInsertsWhereItShowsAndTypesItsDefault)
{
    using Page = CInputTextGeneralPage;
    ImportWorkbook();
    CParameterSet* group = Load("KVInputTextSymbol", "General");
    Open<Page>(group);
    EXPECT_EQ(Text(Page::IDC_INSERT_RANGE), "");
    EXPECT_FALSE(Enabled(Page::IDC_INSERT_ON_LOAD)); // this input has no "insertLoad"
    Picture("input-text-general");

    // The label's binding is left alone: the pick goes to the insert cell, and shows there.
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$5");
    Click(Page::IDC_INSERT_LINK);
    EXPECT_TRUE(Param(group, "insertInto")->GetBinding()->IsBound());
    EXPECT_FALSE(Param(group, "labelValue")->GetBinding()->IsBound());
    EXPECT_EQ(Text(Page::IDC_INSERT_RANGE), "'Inputs'!$A$5");
    EXPECT_EQ(Notified(), 1);

    TypeInto(Page::IDC_DEFAULT, "Type here");
    EXPECT_EQ(Param(group, "defaultText")->GetString(), "Type here");
    EXPECT_EQ(Notified(), 2);

    const std::pair<int, int> help[] = {{Page::IDC_INSERT_LINK, 2820}, {Page::IDC_DEFAULT, 2815}};
    for (auto [focus, topic] : help) {
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic);
    }
}

TEST_F(InputTextGeneralPagesTest, TheTextAreaSwitchesBetweenCellAndTypedText)
{
    using Page = CTextAreaGeneralPage;
    ImportWorkbook();
    CParameterSet* group = Load("KVTextAreaInputSymbol", "General");
    CCellBinding& text = *Param(group, "defaultText")->GetBinding();
    Open<Page>(group);
    EXPECT_TRUE(Checked(Page::IDC_ENTER_TEXT));
    EXPECT_TRUE(Enabled(Page::IDC_DEFAULT_TEXT));
    EXPECT_FALSE(Enabled(Page::IDC_DEFAULT_LINK));
    Picture("text-area-general");

    Click(Page::IDC_FROM_CELL);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$4");
    Click(Page::IDC_DEFAULT_LINK);
    EXPECT_TRUE(text.IsBound());
    EXPECT_EQ(Text(Page::IDC_DEFAULT_RANGE), "'Inputs'!$B$4");

    Click(Page::IDC_ENTER_TEXT);
    Item(Page::IDC_DEFAULT_TEXT)->SetFocus();
    CUserInput::TypeText("Hi");
    EXPECT_FALSE(text.IsBound());
    EXPECT_EQ(text.GetValue().GetString(), "Hi");
    EXPECT_EQ(Text(Page::IDC_DEFAULT_RANGE), "");

    // "Insert on Load" is saved with the document but does not change the stage.
    const int before = Notified();
    Click(Page::IDC_INSERT_ON_LOAD);
    EXPECT_TRUE(Param(group, "insertLoad")->GetBool());
    EXPECT_EQ(Notified(), before);
    EXPECT_EQ(owner.marked, 1);
}

} // namespace
