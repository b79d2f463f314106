// The Alerts tab, driven through its controls on the shipped alert groups of a chart and a
// gauge.

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "pages/AlertsPage.h"
#include "pages/ChartPageKit.h"
#include "pages/PageBlocks.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CAlertsPage;
using model::ParamType;

class AlertsPageTest : public pagetest::PageTest {
protected:
    Page& OpenAlerts(const std::string& symbol)
    {
        page.reset();
        group = Load(symbol, "Alerts");
        return Open<Page>(group, "Alerts");
    }
    CParameter* Whole(const char* key) { return pages::FindInComponent(defaults.parameters.get(), key); }
    // Clicks the middle of a band of the alert control's bar.
    void ClickBand(Page& alerts, int band)
    {
        CAlertControl& control = alerts.Control();
        const CRect bar = control.GetBarRect();
        const int left = band == 0 ? bar.left : control.GetMarkerX(band - 1);
        const int right = band == control.GetMarkerCount() ? bar.right : control.GetMarkerX(band);
        CUserInput::Click(control, CPoint((left + right) / 2, (bar.top + bar.bottom) / 2));
    }

    CParameterSet* group = nullptr;
};

TEST_F(AlertsPageTest, TheTypeRadiosStoreTheWordOfTheValuesThatAlert)
{
    OpenAlerts("KVColumnChartSymbol");
    EXPECT_EQ(page->GetTitle(), "Alerts");
    EXPECT_TRUE(Checked(Page::IDC_LOW_GOOD)); // "high"
    EXPECT_FALSE(Checked(Page::IDC_ENABLE));
    EXPECT_FALSE(Enabled(Page::IDC_LOW_GOOD)); // alerts are off
    Click(Page::IDC_ENABLE);
    EXPECT_TRUE(Param(group, "alertsEnabled")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_HIGH_GOOD));
    Click(Page::IDC_HIGH_GOOD);
    EXPECT_EQ(Param(group, "alertType")->GetString(), "low");
    Click(Page::IDC_MID_GOOD);
    EXPECT_EQ(Param(group, "alertType")->GetString(), "mid");
    Click(Page::IDC_LOW_GOOD);
    EXPECT_EQ(Param(group, "alertType")->GetString(), "high");
    EXPECT_EQ(Notified(), 4);
}

TEST_F(AlertsPageTest, TheNumberOfColoursAndTheBandColours)
{
    Page& alerts = OpenAlerts("KVColumnChartSymbol");
    Click(Page::IDC_ENABLE);
    EXPECT_EQ(Text(Page::IDC_COUNT), "3"); // two thresholds
    // No band chosen yet: there is no colour to change.
    EXPECT_FALSE(Enabled(Page::IDC_FILL));
    Click(Page::IDC_UP);
    EXPECT_EQ(Text(Page::IDC_COUNT), "4");
    EXPECT_EQ(Param(group, "alertPcts")->GetElementCount(), 3);
    Click(Page::IDC_DOWN);
    EXPECT_EQ(Text(Page::IDC_COUNT), "3");

    ClickBand(alerts, 2);
    EXPECT_TRUE(Enabled(Page::IDC_FILL));
    // The chart has no font colours per band.
    EXPECT_FALSE(Enabled(Page::IDC_FONT));
    files->AnswerColour(RGB(0x11, 0x22, 0x33));
    Click(Page::IDC_FILL);
    EXPECT_EQ(Param(group, "alertColors")->GetElement(2)->GetColor(), 0x112233u);
    Picture("alerts");
}

TEST_F(AlertsPageTest, SwitchingAlertsOffFreesTheLimitsAndClearsTheLegend)
{
    group = Load("KVColumnChartSymbol", "Alerts");
    Param(group, "alertsEnabled")->SetBool(true);
    CParameterSet* behavior = Param(defaults.parameters.get(), "Behavior")->GetSet();
    auto limits = std::make_unique<CParameter>("initialMinMax", ParamType::Text);
    limits->SetString("alertBased");
    behavior->Add(std::move(limits));
    Whole("showLegend")->SetBool(true);
    Open<Page>(group, "Alerts");
    Click(Page::IDC_ENABLE);
    EXPECT_FALSE(Param(group, "alertsEnabled")->GetBool());
    EXPECT_EQ(Whole("initialMinMax")->GetString(), "manual");
    EXPECT_FALSE(Whole("showLegend")->GetBool());
    // Switching on again leaves the limits alone but still clears the legend.
    Whole("initialMinMax")->SetString("alertBased");
    Whole("showLegend")->SetBool(true);
    Click(Page::IDC_ENABLE);
    EXPECT_EQ(Whole("initialMinMax")->GetString(), "alertBased");
    EXPECT_FALSE(Whole("showLegend")->GetBool());
}

TEST_F(AlertsPageTest, TypedTargetsUnlinkAndANumberTargetRefusesText)
{
    group = Load("KVColumnChartSymbol", "Alerts");
    Param(group, "alertsEnabled")->SetBool(true);
    Open<Page>(group, "Alerts");
    CCellBinding& target = *Param(group, "target")->GetBinding();
    TypeInto(Page::IDC_TARGET, "120");
    EXPECT_EQ(target.GetValue().GetString(), "120");
    TypeInto(Page::IDC_TARGET, "");
    EXPECT_TRUE(target.GetValue().IsUndefined());
    EXPECT_EQ(Notified(), 2);

    target.GetValue().SetDouble(50, true);
    page.reset();
    Open<Page>(group, "Alerts");
    EXPECT_EQ(Text(Page::IDC_TARGET), "50");
    TypeInto(Page::IDC_TARGET, "lots");
    EXPECT_DOUBLE_EQ(target.GetValue().GetDouble(), 50);
    EXPECT_EQ(Text(Page::IDC_TARGET), "50");
    TypeInto(Page::IDC_TARGET, "75.5");
    EXPECT_DOUBLE_EQ(target.GetValue().GetDouble(), 75.5);
}

TEST_F(AlertsPageTest, TheLimitsAreKeptOnlyByAPageThatWasShown)
{
    group = Load("KVGaugeSymbol", "Alerts");
    pages::WriteStateInt(&owner.properties, "Alert Maximum", 250);
    {
        Page unopened;
        unopened.SetContext(&context);
        unopened.Create(group, "Alerts", false, &owner, defaults.parameters.get());
    }
    int maximum = 0;
    owner.properties.GetProperty("Alert Maximum", &maximum, 4);
    EXPECT_EQ(maximum, 250);
    Page& alerts = Open<Page>(group, "Alerts");
    EXPECT_EQ(alerts.Control().GetMaximum(), 250);
    page.reset();
    owner.properties.GetProperty("Alert Maximum", &maximum, 4);
    EXPECT_EQ(maximum, 250);
}

// Switching alerts on once gave a switched-off "Enable Object Alerts" a box that could be
// ticked, and the click was written.
TEST_F(AlertsPageTest, ObjectAlertsSwitchedOffByTheComponentStayOffWithAlertsOn)
{
    group = Load("KVGaugeSymbol", "Alerts");
    CParameter& objects = *Param(group, "objectAlertsEnabled");
    objects.SetEnabled(false);
    Open<Page>(group, "Alerts");
    Click(Page::IDC_ENABLE);
    ASSERT_TRUE(Param(group, "alertsEnabled")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_LOW_GOOD));
    EXPECT_FALSE(Enabled(Page::IDC_OBJECT_ALERTS));
    const bool before = objects.GetBool();
    Click(Page::IDC_OBJECT_ALERTS);
    EXPECT_EQ(objects.GetBool(), before);
}

TEST_F(AlertsPageTest, HelpTopics)
{
    OpenAlerts("KVColumnChartSymbol");
    Click(Page::IDC_ENABLE);
    const std::pair<int, int> cases[] = {
        {Page::IDC_ENABLE, 215}, {Page::IDC_MID_GOOD, 205}, {Page::IDC_TARGET, 220}, {Page::IDC_COUNT, 210},
        {Page::IDC_DISPLAY_GROUP, 200}};
    for (auto [focus, topic] : cases) {
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
}

} // namespace
