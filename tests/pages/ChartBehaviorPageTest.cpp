// The chart Behavior tab: the scale, the zoom-out sensitivity, the run-time options and the
// entry effect, driven through its controls.

#include "model/Parameter.h"
#include "pages/ChartBehaviorPage.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/SliderCtrl.h"
#include "platform/controls/SpinEdit.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CChartBehaviorPage;
using model::ParamType;

class ChartBehaviorPageTest : public pagetest::PageTest {
protected:
    Page& OpenChart(const std::string& symbol)
    {
        group = Load(symbol, "Behavior");
        return Open<Page>(group, "Behavior");
    }
    // Types a value into a spin edit's field and commits it with Enter, as a person would.
    void TypeSpin(Page& behavior, int id, const std::string& text)
    {
        CEdit* field = behavior.Spin(id)->EditPart();
        field->SetFocus();
        field->SetSel(0, -1);
        CUserInput::PressKey(VK_DELETE);
        field->Type(text);
        CUserInput::PressKey(VK_RETURN);
    }
    CParameterSet* group = nullptr;
};

TEST_F(ChartBehaviorPageTest, AManualScaleStoresOffAndOpensTheLimits)
{
    Page& behavior = OpenChart("KVXYChartSymbol");
    EXPECT_TRUE(Checked(Page::IDC_AUTO_SCALE));
    for (int id : {Page::IDC_MIN_Y, Page::IDC_MAX_X_LABEL})
        EXPECT_FALSE(Enabled(id)) << id;
    Click(Page::IDC_MANUAL);
    EXPECT_EQ(Param(group, "autofocus")->GetValueText(), "off");
    for (int id : {Page::IDC_MIN_Y, Page::IDC_MAX_Y, Page::IDC_MIN_X, Page::IDC_MAX_X, Page::IDC_MAX_X_LABEL})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_EQ(Notified(), 1);

    TypeSpin(behavior, Page::IDC_MAX_Y, "250");
    EXPECT_DOUBLE_EQ(Param(group, "maxY")->GetDouble(), 250);
    Picture("chart-behavior");

    Click(Page::IDC_ZOOM_OUT);
    EXPECT_EQ(Param(group, "autofocus")->GetValueText(), "growth");
    EXPECT_FALSE(Enabled(Page::IDC_MAX_Y));
}

TEST_F(ChartBehaviorPageTest, AMinimumAtOrOverTheMaximumIsPutJustBelowIt)
{
    Page& behavior = OpenChart("KVXYChartSymbol");
    Click(Page::IDC_MANUAL);
    TypeSpin(behavior, Page::IDC_MIN_Y, "150"); // over the maximum of 100
    EXPECT_DOUBLE_EQ(Param(group, "minY")->GetDouble(), 99.9);
    TypeSpin(behavior, Page::IDC_MAX_Y, "50"); // under the minimum: put just above it
    EXPECT_NEAR(Param(group, "maxY")->GetDouble(), 100, 1e-9);
    TypeSpin(behavior, Page::IDC_MAX_X, "7"); // a pair in order stays as typed
    EXPECT_DOUBLE_EQ(Param(group, "maxX")->GetDouble(), 7);

    // Integer limits step by one.
    Param(group, "minY")->SetInt(0, true);
    Param(group, "maxY")->SetInt(5, true);
    behavior.OnSetActive();
    TypeSpin(behavior, Page::IDC_MIN_Y, "10");
    EXPECT_EQ(Param(group, "minY")->GetInt(), 4);
}

TEST_F(ChartBehaviorPageTest, AChartWithoutLimitsKeepsThemDisabledAndTheZoomFollowsTheScale)
{
    group = Load("KVPieChartSymbol", "Behavior");
    auto zoom = std::make_unique<CParameter>("zoomOut", ParamType::Number);
    zoom->SetDouble(0.6);
    group->Add(std::move(zoom));
    Page& behavior = Open<Page>(group, "Behavior");
    EXPECT_EQ(behavior.Slider()->GetPos(), 2);
    EXPECT_FALSE(Enabled(Page::IDC_SENSITIVITY)); // "full" fits the data: no zooming out
    Click(Page::IDC_MANUAL);
    EXPECT_FALSE(Enabled(Page::IDC_MIN_Y));
    EXPECT_FALSE(Enabled(Page::IDC_MAX_X));
    Click(Page::IDC_ZOOM_OUT);
    EXPECT_TRUE(Enabled(Page::IDC_SENSITIVITY));
    behavior.Slider()->UserDrag({1, 3});
    EXPECT_DOUBLE_EQ(Param(group, "zoomOut")->GetDouble(), 0.75);
    // A chart without the run-time keys cannot set them.
    for (int id : {Page::IDC_SHOW_FOCUS, Page::IDC_FIXED_WIDTH, Page::IDC_UNITS})
        EXPECT_FALSE(Enabled(id)) << id;
}

TEST_F(ChartBehaviorPageTest, TheEntryEffectIsFoundByItsBeginningInAnyCase)
{
    group = Load("KVLineChartSymbol", "Behavior");
    Param(group, "introStyle")->SetString("grow");
    Open<Page>(group, "Behavior");
    EXPECT_EQ(Text(Page::IDC_EFFECT), "Grow");
    EXPECT_TRUE(Enabled(Page::IDC_DURATION));
    Choose(Page::IDC_EFFECT, 0);
    EXPECT_EQ(Param(group, "introStyle")->GetString(), "None");
    EXPECT_FALSE(Enabled(Page::IDC_DURATION));
    EXPECT_EQ(Notified(), 1);
}

TEST_F(ChartBehaviorPageTest, HelpTopics)
{
    OpenChart("KVPieChartSymbol");
    const std::pair<int, int> cases[] = {
        {Page::IDC_MANUAL, -1}, {Page::IDC_EFFECT, 2245}, {Page::IDC_SCALE_GROUP, 2240}};
    for (auto [focus, topic] : cases) {
        Item(focus)->EnableWindow(TRUE);
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
}

} // namespace
