// The General tab of the single-value components, driven through its controls on the shipped
// parameters of the slider, the gauge and the grid.

#include "model/CellBinding.h"
#include "model/ValueList.h"
#include "pages/HelpMovieDialog.h"
#include "pages/SingleValueGeneralPage.h"
#include "tests/pages/FixtureModelLink.h"
#include "tests/pages/PageFixture.h"
#include "tests/support/FlashPlayerFake.h"

namespace {

using Page = CSingleValueGeneralPage;
using sheet::RangePickOutcome;

class SingleValueGeneralPageTest : public pagetest::PageTest {
protected:
    // Imports the test workbook and lets bindings read its cells.
    void Import()
    {
        ImportWorkbook();
        link = std::make_unique<pagetest::FixtureModelLink>(cells, table);
    }
    std::unique_ptr<pagetest::FixtureModelLink> link;
    CParameterSet* Open(const std::string& symbol)
    {
        page.reset(); // the page of the last set goes before the set it edits
        CParameterSet* group = Load(symbol, "General");
        PageTest::Open<Page>(group);
        return group;
    }
    CCellBinding& Value(CParameterSet* group) { return *Param(group, "mv")->GetBinding(); }
};

TEST_F(SingleValueGeneralPageTest, ASliderShowsItsTitleValueAndOrientation)
{
    CParameterSet* group = Open("KVSliderHSymbol");
    EXPECT_EQ(page->GetTitle(), "General");
    EXPECT_EQ(Text(Page::IDC_TITLE), "Slider");
    EXPECT_EQ(Text(Page::IDC_DATA), "0");
    EXPECT_TRUE(Enabled(Page::IDC_TITLE_LINK));
    EXPECT_TRUE(Checked(Page::IDC_HORIZONTAL));
    EXPECT_FALSE(Checked(Page::IDC_VERTICAL));
    Picture("single-value-general-slider");

    Click(Page::IDC_VERTICAL);
    EXPECT_EQ(Param(group, "orientation")->GetValueList()->GetCurrentText(), "Vertical");
    EXPECT_EQ(Notified(), 1);
}

TEST_F(SingleValueGeneralPageTest, UnlinkedNumbersShowFiveSignificantDigits)
{
    struct Case {
        double value;
        const char* shown;
    };
    for (const Case& c : {Case{0.123456789, "0.12346"}, Case{12345, "12345"}, Case{-2.5, "-2.5"}, Case{1234567, "1.2346e+06"}}) {
        page.reset();
        CParameterSet* group = Load("KVGaugeSymbol", "General");
        Value(group).GetValue().SetDouble(c.value, true);
        PageTest::Open<Page>(group);
        EXPECT_EQ(Text(Page::IDC_DATA), c.shown) << c.value;
    }
}

TEST_F(SingleValueGeneralPageTest, TypingReplacesALinkAndAnEmptyTextLeavesNoValue)
{
    Import();
    CParameterSet* group = Open("KVSliderHSymbol");
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$2");
    Click(Page::IDC_DATA_LINK);
    ASSERT_TRUE(Value(group).IsBound());
    EXPECT_EQ(Text(Page::IDC_DATA), "'Inputs'!$B$2");
    EXPECT_DOUBLE_EQ(Value(group).GetValue().GetDouble(), 1234.5);

    TypeInto(Page::IDC_DATA, "42.5");
    EXPECT_FALSE(Value(group).IsBound());
    EXPECT_DOUBLE_EQ(Value(group).GetValue().GetDouble(), 42.5);

    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$2");
    Click(Page::IDC_DATA_LINK);
    TypeInto(Page::IDC_DATA, "");
    EXPECT_FALSE(Value(group).IsBound());
    EXPECT_TRUE(Value(group).GetValue().IsUndefined());
    EXPECT_EQ(Text(Page::IDC_DATA), "");
    EXPECT_EQ(Notified(), 4);
}

TEST_F(SingleValueGeneralPageTest, ATypedTitleReplacesItsLinkAndAPlainTitleCannotBeLinked)
{
    Import();
    CParameterSet* group = Open("KVSliderHSymbol");
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1");
    Click(Page::IDC_TITLE_LINK);
    CCellBinding& title = *Param(group, "title")->GetBinding();
    EXPECT_EQ(title.GetValue().GetString(), "Rate");
    TypeInto(Page::IDC_TITLE, "Interest");
    EXPECT_FALSE(title.IsBound());
    EXPECT_EQ(title.GetValue().GetString(), "Interest");

    // A component whose title is plain text.
    page.reset();
    CParameterSet* plain = Load("KVSliderHSymbol", "General");
    for (int i = 0; i < plain->GetCount(); ++i)
        if (plain->GetAt(i)->GetName() == "title")
            plain->RemoveAt(i);
    plain->Add(std::make_unique<CParameter>("title", model::ParamType::Text))->SetString("Fixed");
    PageTest::Open<Page>(plain);
    EXPECT_EQ(Text(Page::IDC_TITLE), "Fixed");
    EXPECT_FALSE(Enabled(Page::IDC_TITLE_LINK));
    TypeInto(Page::IDC_TITLE, "Typed");
    EXPECT_EQ(Param(plain, "title")->GetString(), "Typed");
}

TEST_F(SingleValueGeneralPageTest, AGridAsksBeforeLinkingMoreThan81Cells)
{
    Import();
    CParameterSet* group = Open("KVGridSymbol");
    // A list of values can only be linked.
    EXPECT_FALSE(Enabled(Page::IDC_DATA));
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$I$9");
    Click(Page::IDC_DATA_LINK);
    EXPECT_TRUE(boxes->Log().empty());
    EXPECT_EQ(Value(group).GetTexts().GetRangeText(), "'Inputs'!$A$1:$I$9");

    boxes->Answer(IDNO);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$B$41");
    Click(Page::IDC_DATA_LINK);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, std::string(Page::kLargeRangeTip) + CComponentPage::kContinueText);
    EXPECT_EQ(boxes->Log()[0].caption, "Warning");
    EXPECT_EQ(Value(group).GetTexts().GetRangeText(), "'Inputs'!$A$1:$I$9");
    EXPECT_EQ(Text(Page::IDC_DATA), "'Inputs'!$A$1:$I$9");
    EXPECT_EQ(Notified(), 1);
}

TEST_F(SingleValueGeneralPageTest, OrientationControlsFollowTheParameter)
{
    Open("KVGaugeSymbol");
    for (int id : {Page::IDC_HORIZONTAL, Page::IDC_VERTICAL, Page::IDC_ORIENTATION_GROUP})
        EXPECT_FALSE(Visible(id)) << id;

    page.reset();
    CParameterSet* odd = Load("KVProgressBarVSymbol", "General");
    Param(odd, "orientation")->GetValueList()->GetPrototype().SetString("Diagonal");
    PageTest::Open<Page>(odd);
    EXPECT_TRUE(Visible(Page::IDC_HORIZONTAL));
    EXPECT_FALSE(Checked(Page::IDC_HORIZONTAL));
    EXPECT_FALSE(Checked(Page::IDC_VERTICAL));
}

TEST_F(SingleValueGeneralPageTest, HelpTopicsFollowTheFocusAndTheSymbol)
{
    struct Case {
        const char* symbol;
        int focus;
        int topic;
    };
    const Case cases[] = {
        {"KVSliderHSymbol", Page::IDC_DATA, 1060},      {"KVSliderVSymbol", Page::IDC_TITLE_LINK, 1055},
        {"KVProgressBarHSymbol", Page::IDC_HELP_MOVIE, 1110}, {"KVDialSymbol", Page::IDC_DATA_LINK, 1180},
        {"KVGaugeSymbol", Page::IDC_TITLE, 1245},       {"KVValueDisplaySymbol", Page::IDC_DATA, 1315},
        {"KVPlayNormalSymbol", Page::IDC_HELP_MOVIE, 1350}, {"KVGridSymbol", Page::IDC_DATA_LINK, -1},
    };
    for (const Case& c : cases) {
        Open(c.symbol);
        Item(c.focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), c.topic) << c.symbol << " " << c.focus;
    }
}

TEST_F(SingleValueGeneralPageTest, TheHelpButtonPlaysTheComponentsMovie)
{
    SetFlashPlayerFactory([] { return std::make_unique<CFakeFlashPlayer>(); });
    Open("KVDialSymbol");
    std::string shown;
    ui::SetDialogHookByCaption("Help", [&](CDialog& dialog) {
        shown = static_cast<CHelpMovieDialog&>(dialog).GetMoviePath();
        dialog.EndDialog(IDCANCEL);
    });
    Click(Page::IDC_HELP_MOVIE);
    EXPECT_EQ(shown, "asset/help/KVDialSymbol.swf");
    ResetFlashPlayerFactory();
}

} // namespace
