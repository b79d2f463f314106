#include "PropUiFixture.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/window/Screen.h"
#include "propui/ColorButton.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/ParameterListPage.h"
#include "propui/PropertiesPanel.h"
#include "propui/PropertyListCtrl.h"

namespace {

class PanelTest : public PropUiTest {
protected:
    void SetUp() override
    {
        PropUiTest::SetUp();
        chart = Shipped("KVColumnChartSymbol");
        slider = Shipped("KVSliderHSymbol");
        first.SetContext(&context);
        second.SetContext(&context);
    }
    static void Dpi(int x, int y)
    {
        ScreenMetrics metrics;
        metrics.dpiX = x;
        metrics.dpiY = y;
        SetScreenMetrics(metrics);
    }
    static CRect Rect(const CPropertiesPanel& panel)
    {
        CRect r;
        panel.GetSheet()->GetWindowRect(&r);
        return r;
    }
    // The sheet as the person sees it, kept for looking at.
    void Keep(CPropertiesPanel& panel, const std::string& name)
    {
        PumpUntilIdle();
        CBitmap picture = raster->Snapshot(*panel.GetSheet());
        EXPECT_TRUE(WritePng(artefacts / name, picture));
    }

    ComponentDefaults chart;
    ComponentDefaults slider;
    CPropertiesPanel first;
    CPropertiesPanel second{"Slider"};
};

TEST_F(PanelTest, WidthAndHeightLimitFollowTheScreenResolution)
{
    const struct {
        int dpi, width, height;
    } cases[] = {{96, 310, 641}, {120, 408, 785}, {72, 237, 482}, {144, 475, 964}, {100, 330, 670}};
    for (const auto& c : cases) {
        Dpi(c.dpi, c.dpi);
        EXPECT_EQ(CPropertiesPanel::GetDefaultWidth(), c.width) << c.dpi;
        EXPECT_EQ(CPropertiesPanel::GetMaxHeight(), c.height) << c.dpi;
    }
    Dpi(120, 96); // across and down are separate
    EXPECT_EQ(CPropertiesPanel::GetDefaultWidth(), 408);
    EXPECT_EQ(CPropertiesPanel::GetMaxHeight(), 641);
}

TEST_F(PanelTest, ANewSheetDocksAtTheRightAndATakeOverKeepsThePlaceOfTheOldOne)
{
    owner.title = "Column Chart 1";
    ASSERT_EQ(first.ShowProperties(chart.parameters.get(), false, &owner, false), 1);
    ASSERT_TRUE(first.IsOpen());
    EXPECT_EQ(first.ShowProperties(chart.parameters.get(), false, &owner, false), 1); // already open
    CRect docked = Rect(first);
    // Docked at the right, 310 wide, or wider where the pages are: none of them is cut off.
    EXPECT_EQ(docked.right, 1024);
    EXPECT_EQ(docked.top, 74);
    EXPECT_GE(docked.Width(), 310);
    CRect tabs;
    first.GetSheet()->GetTabControl()->GetWindowRect(&tabs);
    EXPECT_LE(tabs.right, docked.right) << "the pages are cut off";
    EXPECT_LE(docked.Height(), 641);
    EXPECT_EQ(first.GetSheet()->GetWindowText(), "Column Chart 1 Properties");
    EXPECT_EQ(first.GetSheet()->GetParent(), nullptr);
    EXPECT_EQ(first.GetSheet()->GetOwner(), &main);
    Keep(first, "sheet-on-chart.png");

    // The person moves and narrows the sheet, then opens a slider: the new sheet stands there.
    first.GetSheet()->MoveWindow(CRect(100, 120, 380, 120 + docked.Height()));
    first.GetSheet()->ShowWindow(SW_MINIMIZE);
    RecordingOwner sliderOwner;
    sliderOwner.title = "Slider 1";
    sliderOwner.type = "KVSliderHSymbol";
    second.SaveWindowRect(first);
    first.Close(false);
    EXPECT_FALSE(first.IsOpen());
    ASSERT_EQ(second.ShowProperties(slider.parameters.get(), false, &sliderOwner, true), 1);
    CRect taken = Rect(second);
    EXPECT_EQ(taken.left, 100);
    EXPECT_EQ(taken.top, 120);
    EXPECT_EQ(taken.Width(), 280);
    EXPECT_EQ(second.GetSheet()->GetShowState(), ShowState::Normal);
    Keep(second, "sheet-on-slider.png");
    second.Close(false);

    // A panel that never saw another sheet has no place to take: it docks.
    CPropertiesPanel third;
    third.SetContext(&context);
    ASSERT_EQ(third.ShowProperties(slider.parameters.get(), false, &sliderOwner, true), 1);
    EXPECT_EQ(Rect(third).right, 1024);
    EXPECT_GE(Rect(third).Width(), 310);
    third.Close(true);
}

TEST_F(PanelTest, ATallSheetIsCutToTheLimitAndAnEmptySetOpensNothing)
{
    Dpi(72, 72);
    ASSERT_EQ(first.ShowProperties(chart.parameters.get(), false, &owner, false), 1);
    first.Close(true);
    CParameterSet empty;
    EXPECT_EQ(first.ShowProperties(&empty, false, &owner, false), 0);
    EXPECT_EQ(first.ShowProperties(nullptr, false, &owner, false), 0);
    EXPECT_FALSE(first.IsOpen());

    // A sheet taller than the limit.
    auto tall = std::make_unique<CParameterSet>();
    auto group = std::make_unique<CParameter>("General", model::ParamType::Group);
    group->GetSet()->Add(std::make_unique<CParameter>("title", model::ParamType::Text));
    tall->Add(std::move(group));
    ASSERT_EQ(first.ShowProperties(tall.get(), false, &owner, false), 1);
    CRect before = Rect(first);
    first.GetSheet()->MoveWindow(CRect(0, 0, 300, 2000));
    first.Close(true);
    EXPECT_LE(before.Height(), 482);
    ASSERT_EQ(first.ShowProperties(tall.get(), false, &owner, false), 1);
    EXPECT_LE(Rect(first).Height(), 482);
    EXPECT_GE(Rect(first).Width(), 237); // or the pages' own width, where wider
    first.Hide();
    EXPECT_FALSE(first.GetSheet()->IsWindowVisible());
    first.Show();
    EXPECT_TRUE(first.GetSheet()->IsWindowVisible());
    first.DestroySheet();
    EXPECT_FALSE(first.IsOpen());
}

TEST_F(PanelTest, ToggleButtonsFlipOnEveryReleaseAndTellTheirParent)
{
    DialogTemplate t;
    t.caption = "Toggle";
    t.style = WS_CHILD | WS_VISIBLE | DS_CONTROL;
    t.cx = 100;
    t.cy = 60;
    t.Add("ToggleButton", "Bold", 10, 5, 5, 40, 30, WS_VISIBLE | WS_TABSTOP);
    CDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(t, &main));
    CToggleButton toggle;
    ASSERT_TRUE(toggle.SubclassDlgItem(10, &dlg));
    toggle.SetChecked(5);
    EXPECT_EQ(toggle.GetChecked(), 1);
    toggle.SetChecked(-3);
    EXPECT_EQ(toggle.GetChecked(), 0);
    CUserInput::Click(toggle, CPoint(3, 3));
    EXPECT_EQ(toggle.GetChecked(), 1);
    // A release without a press still flips it.
    CUserInput::Release(toggle, CPoint(3, 3));
    EXPECT_EQ(toggle.GetChecked(), 0);

    // A disabled colour button on white draws a black-and-white halftone and no arrow.
    CColorButton colour;
    ASSERT_TRUE(colour.Create("", WS_CHILD | WS_VISIBLE, CRect(5, 40, 60, 60), &dlg, 11, RGB(255, 255, 255), 0x010101,
                              0x808080, 2));
    colour.EnableWindow(FALSE);
    PumpUntilIdle();
    raster->Snapshot(dlg);
    bool halftone = false;
    bool arrow = false;
    for (const DrawOp& op : raster->LastPaint(colour)) {
        halftone = halftone || (op.kind == DrawOp::Kind::FillRect && op.brush.IsHalftone() &&
                                op.brush.GetColour() == RGB(255, 255, 255) && op.brush.GetBackground() == RGB(0, 0, 0));
        arrow = arrow || op.kind == DrawOp::Kind::StretchBlt;
    }
    EXPECT_TRUE(halftone);
    EXPECT_FALSE(arrow);
    dlg.DestroyWindow();
}

} // namespace
