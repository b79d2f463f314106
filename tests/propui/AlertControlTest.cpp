#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/drawing/Png.h"
#include "platform/window/RasterWindowHost.h"
#include "platform/window/UserInput.h"
#include "propui/AlertControl.h"
#include "tests/support/TestSupport.h"
#include "tests/support/UiTest.h"

#include <gtest/gtest.h>

using model::ParamType;

namespace {

// A gauge's alert group: thresholds, band colours and font colours.
std::unique_ptr<CParameterSet> AlertGroup(const std::vector<double>& pcts, int colours = -1)
{
    auto set = std::make_unique<CParameterSet>();
    set->Add(std::make_unique<CParameter>("alertType", ParamType::Text))->SetString("high");
    auto list = [&](const char* name, ParamType type, int count, auto fill) {
        auto p = std::make_unique<CParameter>(name, ParamType::List);
        for (int i = 0; i < count; ++i) {
            auto e = std::make_unique<CParameter>(std::to_string(i), type);
            fill(*e, i);
            p->GetSet()->Add(std::move(e));
        }
        set->Add(std::move(p));
    };
    int n = static_cast<int>(pcts.size());
    int bands = colours < 0 ? n + 1 : colours;
    list("alertPcts", ParamType::Number, n, [&](CParameter& e, int i) { e.SetDouble(pcts[static_cast<std::size_t>(i)]); });
    const std::uint32_t palette[] = {0x339933, 0xFFCC00, 0xCC3333, 0x3366CC};
    list("alertColors", ParamType::Color, bands, [&](CParameter& e, int i) { e.SetColor(palette[i % 4]); });
    list("customAlertFontColors", ParamType::Color, bands, [&](CParameter& e, int) { e.SetColor(0x006600); });
    return set;
}

class Parent : public CWnd {
public:
    std::vector<std::string> heard;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == CAlertControl::kDragEnded)
            heard.push_back("drag ended");
        else if (message == CAlertControl::kBandClicked)
            heard.push_back("band " + std::to_string(wParam));
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class AlertControlTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        host = &InstallRasterWindowHost();
        ASSERT_TRUE(parent.CreateEx(0, "Owner", "page", WS_POPUP | WS_VISIBLE, CRect(0, 0, 340, 110), nullptr, 0));
        ASSERT_TRUE(alert.CreateEx(0, CAlertControl::kClassName, "", WS_CHILD | WS_VISIBLE, CRect(10, 10, 330, 100),
                                   &parent, 1005));
    }
    void TearDown() override
    {
        alert.DestroyWindow();
        parent.DestroyWindow();
        UiTest::TearDown();
    }
    double Pct(CParameterSet& set, int i) { return set.FindParameter("alertPcts")->GetElement(i)->GetDouble(); }

    CRasterWindowHost* host = nullptr;
    Parent parent;
    CAlertControl alert;
};

} // namespace

TEST_F(AlertControlTest, PlacesMarkersByValueAndWidensLimitsToTheThresholds)
{
    auto set = AlertGroup({30, 70});
    ASSERT_TRUE(alert.Create(set.get(), 0, 100));
    CRect bar = alert.GetBarRect();
    EXPECT_EQ(alert.GetMarkerCount(), 2);
    EXPECT_EQ(alert.GetMarkerX(0), bar.left + bar.Width() * 30 / 100);
    EXPECT_EQ(alert.GetMarkerX(1), bar.left + bar.Width() * 70 / 100);
    WritePng(testsupport::ArtefactDir("propui") / "alert-control.png", host->Snapshot(parent));

    struct Case {
        std::vector<double> pcts;
        int min, max, wantMin, wantMax;
    } cases[] = {
        {{-5, 70}, 0, 100, -15, 100},
        {{30, 120}, 0, 100, 0, 130},
        {{50, 50}, 50, 50, 50, 51}, // equal limits from a document: the bar keeps a width
    };
    for (const auto& c : cases) {
        auto group = AlertGroup(c.pcts);
        ASSERT_TRUE(alert.Create(group.get(), c.min, c.max));
        EXPECT_EQ(alert.GetMinimum(), c.wantMin);
        EXPECT_EQ(alert.GetMaximum(), c.wantMax);
        EXPECT_GE(alert.GetMarkerX(1), alert.GetBarRect().left);
    }
    // Lists that disagree give as many bands as both allow; fewer than two disable the control.
    auto uneven = AlertGroup({30, 70}, 5);
    ASSERT_TRUE(alert.Create(uneven.get(), 0, 100));
    EXPECT_EQ(alert.GetMarkerCount(), 2);
    auto single = AlertGroup({30, 70}, 1);
    EXPECT_FALSE(alert.Create(single.get(), 0, 100));
    EXPECT_FALSE(alert.IsWindowEnabled());
}

TEST_F(AlertControlTest, DraggingAMarkerWritesItsThresholdAndPushesItsNeighbour)
{
    auto set = AlertGroup({30, 70});
    ASSERT_TRUE(alert.Create(set.get(), 0, 100));
    CRect bar = alert.GetBarRect();
    CPoint from(alert.GetMarkerX(0), bar.top - 5);
    CPoint to(bar.left + bar.Width() * 85 / 100, bar.top - 5);
    CUserInput::Drag(alert, from, to);
    EXPECT_NEAR(Pct(*set, 0), 85, 1);
    EXPECT_EQ(Pct(*set, 1), Pct(*set, 0)) << "the neighbour is pushed along";
    EXPECT_EQ(parent.heard, std::vector<std::string>{"drag ended"});

    // A click in the bar selects a band and tells the parent; its colours are then reachable.
    ASSERT_TRUE(CUserInput::Click(alert, CPoint(bar.right - 2, bar.top + 2)));
    EXPECT_EQ(parent.heard.back(), "band 2");
    ASSERT_NE(alert.GetSelectedFillColorParameter(), nullptr);
    EXPECT_EQ(alert.GetSelectedFillColorParameter()->GetColor(), 0xCC3333u);
    alert.SetMode(CAlertControl::LowGood);
    EXPECT_EQ(alert.GetSelectedFillColorParameter()->GetColor(), 0x339933u) << "counted from the other end";
    // Rebuilding forgets the selection instead of keeping a stale band.
    ASSERT_TRUE(alert.Create(set.get(), 0, 100));
    EXPECT_EQ(alert.GetSelectedFillColorParameter(), nullptr);
}

TEST_F(AlertControlTest, AddsAndRemovesBandsWithinTwoToTen)
{
    auto set = AlertGroup({30, 60});
    ASSERT_TRUE(alert.Create(set.get(), 0, 100));
    ASSERT_TRUE(alert.AddMarker());
    EXPECT_EQ(alert.GetMarkerCount(), 3);
    EXPECT_EQ(Pct(*set, 2), 80);
    CParameter* colours = set->FindParameter("alertColors");
    EXPECT_EQ(colours->GetElement(2)->GetColor(), 0x7F7F7Fu);
    EXPECT_EQ(colours->GetElement(3)->GetColor(), 0xCC3333u) << "the last band keeps its colour";
    EXPECT_EQ(set->FindParameter("customAlertFontColors")->GetElement(2)->GetColor(), 0u);
    while (alert.AddMarker()) {
    }
    EXPECT_EQ(alert.GetMarkerCount(), CAlertControl::kMaxBands - 1);
    for (int i = 1; i < alert.GetMarkerCount(); ++i)
        EXPECT_LE(alert.GetThreshold(i - 1), alert.GetThreshold(i)) << "thresholds keep ascending";

    // Past 100 a new threshold lies between the last one and the maximum.
    auto high = AlertGroup({50, 120});
    ASSERT_TRUE(alert.Create(high.get(), 0, 100));
    ASSERT_TRUE(alert.AddMarker());
    EXPECT_GE(alert.GetThreshold(2), 120);

    while (alert.RemoveMarker()) {
    }
    EXPECT_EQ(alert.GetMarkerCount(), 1);
    EXPECT_EQ(high->FindParameter("alertColors")->GetElementCount(), 2);
    EXPECT_EQ(high->FindParameter("alertPcts")->GetElementCount(), 1);
}

TEST_F(AlertControlTest, TheMiddleModeScalesThresholdsToAHundredAndLimitsComeFromTheDialog)
{
    auto set = AlertGroup({50, 200});
    ASSERT_TRUE(alert.Create(set.get(), 0, 100));
    alert.SetMode(CAlertControl::MiddleGood);
    EXPECT_EQ(Pct(*set, 0), 25);
    EXPECT_EQ(Pct(*set, 1), 100);
    EXPECT_EQ(alert.GetMaximum(), 100);

    bool maxFixed = false;
    alert.limitsDialog = [&](int& minimum, int& maximum, bool fixed) {
        maxFixed = fixed;
        minimum = 40; // above the first threshold: the threshold wins
        maximum = 150;
        return true;
    };
    static_cast<CButton*>(alert.GetDlgItem(CAlertControl::kLimitsButton))->Click();
    EXPECT_TRUE(maxFixed);
    EXPECT_EQ(alert.GetMinimum(), 25);
    EXPECT_EQ(alert.GetMaximum(), 150);
}
