// The General tabs of the lines, the trend icon and the scenario components. These components
// have hand-made page sets, so their pages get the whole parameter set.

#include "model/CellBinding.h"
#include "pages/LineGeneralPage.h"
#include "pages/PageBlocks.h"
#include "pages/ScenarioGeneralPage.h"
#include "pages/TrendIconGeneralPage.h"
#include "tests/pages/PageFixture.h"

namespace {

using sheet::RangePickOutcome;

class SmallGeneralPagesTest : public pagetest::PageTest {
protected:
    CParameter* General(const char* key) { return pages::FindInComponent(defaults.parameters.get(), key); }
};

TEST_F(SmallGeneralPagesTest, LineColourAndWeight)
{
    using Page = CLineGeneralPage;
    Open<Page>(Load("KVLineSymbol", ""));
    EXPECT_EQ(Text(Page::IDC_WEIGHT), "2");
    EXPECT_EQ(static_cast<CColorButton*>(Item(Page::IDC_COLOR))->GetColor(), RGB(0x66, 0x66, 0x66));
    Picture("line-general");

    files->AnswerColour(RGB(0xFF, 0x00, 0x00));
    Click(Page::IDC_COLOR);
    EXPECT_EQ(General("lineColor")->GetColor(), 0xFF0000u);
    TypeInto(Page::IDC_WEIGHT, "0"); // the weight starts at 1
    EXPECT_EQ(General("lineThickness")->GetInt(), 1);
    EXPECT_EQ(Notified(), 2);
    EXPECT_EQ(page->GetHelpContextId(), 930);
}

TEST_F(SmallGeneralPagesTest, TrendIconTypedValueUnlinksAndKeepsItsType)
{
    using Page = CTrendIconGeneralPage;
    ImportWorkbook();
    Open<Page>(Load("KVTrendIconSymbol", ""));
    EXPECT_EQ(Text(Page::IDC_DATA), "0");
    EXPECT_FALSE(Enabled(Page::IDC_COLOR)); // "Show Custom Color" is off
    Picture("trend-icon-general");

    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$2");
    Click(Page::IDC_DATA_LINK);
    CCellBinding& mv = *General("mv")->GetBinding();
    ASSERT_TRUE(mv.IsBound());
    EXPECT_EQ(Text(Page::IDC_DATA), "'Inputs'!$B$2");
    mv.GetValue().SetDouble(1234.5, true); // what the number cell holds

    TypeInto(Page::IDC_DATA, "12.5");
    EXPECT_FALSE(mv.IsBound());
    EXPECT_EQ(mv.GetValue().GetType(), model::ParamType::Number);
    EXPECT_DOUBLE_EQ(mv.GetValue().GetDouble(), 12.5);

    Click(Page::IDC_USE_COLOR);
    EXPECT_TRUE(General("useCustomColor")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_COLOR));
    Click(Page::IDC_USE_COLOR);
    EXPECT_FALSE(Enabled(Page::IDC_COLOR));
    EXPECT_EQ(General("customColor")->GetColor(), 0xFFFFFFu); // kept while unused
}

TEST_F(SmallGeneralPagesTest, ScenarioCustomColoursFollowTheirBoxes)
{
    using Page = CScenarioGeneralPage;
    Open<Page>(Load("KVScenarioSymbol", ""));
    EXPECT_FALSE(Enabled(Page::IDC_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_FONT_COLOR));
    Click(Page::IDC_USE_FONT_COLOR);
    EXPECT_TRUE(General("useCustomFontColor")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_FONT_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_COLOR));
    files->AnswerColour(std::nullopt);
    Click(Page::IDC_FONT_COLOR);
    EXPECT_EQ(General("customFontColor")->GetColor(), 0x333333u);
    EXPECT_EQ(Notified(), 1); // the check, not the cancelled colour
    Picture("scenario-general");
}

} // namespace
