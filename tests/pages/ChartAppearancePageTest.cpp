// The chart Appearance tab with its sub-page sheet, and the axis sub-pages it hosts.

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "pages/ChartAppearancePage.h"
#include "pages/ChartAxisPage.h"
#include "pages/ChartPageKit.h"
#include "pages/PageBlocks.h"
#include "platform/controls/SpinEdit.h"
#include "platform/drawing/IconTheme.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CChartAppearancePage;
using Axis = CChartAxisPage;
using model::ParamType;

class ChartAppearancePageTest : public pagetest::PageTest {
protected:
    Page& OpenChart(const std::string& symbol)
    {
        page.reset();
        group = Load(symbol, "Appearance");
        return Open<Page>(group, "Appearance");
    }
    static int FirstMade(Page& appearance)
    {
        for (int which = 0; which < Page::kSubPages; ++which)
            if (appearance.SubPage(which) != nullptr)
                return which;
        return -1;
    }
    void Press(Page& appearance, int id) { CUserInput::Click(*appearance.GetDlgItem(id), CPoint(5, 5)); }
    CWnd* SubItem(Page& appearance, int sub, int id) { return appearance.SubPage(sub)->GetDlgItem(id); }
    bool SubEnabled(Page& appearance, int sub, int id) { return SubItem(appearance, sub, id)->IsWindowEnabled() != FALSE; }

    CParameterSet* group = nullptr;
};

TEST_F(ChartAppearancePageTest, TheButtonsSwitchSubPagesAndTheLastOneShownIsRemembered)
{
    Page& appearance = OpenChart("KVColumnChartSymbol");
    EXPECT_EQ(page->GetTitle(), "Appearance");
    // The first sub-page there is opens first (the Series sub-page once it is built).
    EXPECT_EQ(appearance.GetActiveSubPage(), FirstMade(appearance));
    for (int which : {Page::kSeries, Page::kTitles, Page::kLayout})
        EXPECT_EQ(Enabled(Page::IDC_SERIES + which), appearance.SubPage(which) != nullptr) << which;
    Press(appearance, Page::IDC_XAXIS);
    EXPECT_EQ(appearance.GetActiveSubPage(), Page::kXAxis);
    EXPECT_EQ(SubItem(appearance, Page::kXAxis, Axis::IDC_AXIS_GROUP)->GetWindowText(), "Horizontal Axis");
    Picture("chart-appearance-x-axis");
    // A sub-page's window is made when it is first shown.
    Press(appearance, Page::IDC_YAXIS);
    EXPECT_EQ(SubItem(appearance, Page::kYAxis, Axis::IDC_AXIS_GROUP)->GetWindowText(), "Vertical Axis");
    Press(appearance, Page::IDC_XAXIS);
    page->DestroyWindow();
    int stored = -1;
    ASSERT_TRUE(owner.properties.GetProperty("Chart App SubPage", &stored, 4));
    EXPECT_EQ(stored, Page::kXAxis);

    page.reset();
    Page& again = Open<Page>(group, "Appearance");
    EXPECT_EQ(again.GetActiveSubPage(), Page::kXAxis);
}

TEST_F(ChartAppearancePageTest, TheSubPageButtonsShowTheirPictureAboveTheirCaption)
{
    GetIconTheme().SetFolders({testsupport::InstallDir() / "icons"}, {});
    Page& appearance = OpenChart("KVPieChartSymbol");
    parent.UpdateWindow();
    PumpPaint();
    const CBitmap shot = host->Snapshot(parent);
    CRect origin;
    parent.GetWindowRect(&origin);
    // Dark pixels in the upper half of a button: its picture; the caption lies below.
    auto ink = [&](int id) {
        CRect r;
        appearance.GetDlgItem(id)->GetWindowRect(&r);
        r.OffsetRect(-origin.left, -origin.top);
        int dark = 0;
        for (int y = r.top + 2; y < r.top + r.Height() / 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x)
                if (const COLORREF c = shot.GetPixel(x, y); GetRValue(c) + GetGValue(c) + GetBValue(c) < 200)
                    ++dark;
        return dark;
    };
    EXPECT_GT(ink(Page::IDC_SERIES), 30);
    EXPECT_GT(ink(Page::IDC_LAYOUT), 30);
    // A pie has no axes: their buttons' pictures are faded with them.
    EXPECT_LT(ink(Page::IDC_XAXIS), 10);
    Picture("chart-appearance-pictures");
    GetIconTheme().SetFolders({}, {});
}

TEST_F(ChartAppearancePageTest, APieHasNoAxisButtonsAndADamagedIndexFallsBack)
{
    Page& pie = OpenChart("KVPieChartSymbol");
    EXPECT_EQ(pie.GetChartIndex(), 0);
    EXPECT_FALSE(Enabled(Page::IDC_XAXIS));
    EXPECT_FALSE(Enabled(Page::IDC_YAXIS));

    page.reset();
    pages::WriteStateInt(&owner.properties, "Chart App SubPage", 77);
    Page& column = OpenChart("KVColumnChartSymbol");
    EXPECT_EQ(column.GetActiveSubPage(), FirstMade(column));
    EXPECT_EQ(column.GetHelpContextId(), 1660);
}

TEST_F(ChartAppearancePageTest, TheAxisColourIsChosenAndMissingKeysLeaveTheirControlsOff)
{
    Page& appearance = OpenChart("KVLineChartSymbol");
    Press(appearance, Page::IDC_YAXIS);
    files->AnswerColour(RGB(0x12, 0x34, 0x56));
    CUserInput::Click(*SubItem(appearance, Page::kYAxis, Axis::IDC_COLOR), CPoint(3, 3));
    EXPECT_EQ(Param(group, "YAxisColor")->GetColor(), 0x123456u);
    EXPECT_EQ(Notified(), 1);
    // The shipped line chart carries the show flags, weights and number formats of its axes.
    for (int id : {Axis::IDC_SHOW_TITLE, Axis::IDC_SHOW_MINOR, Axis::IDC_WEIGHT, Axis::IDC_FORMAT})
        EXPECT_TRUE(SubEnabled(appearance, Page::kYAxis, id)) << id;
    // An older chart without them leaves their controls off.
    page.reset();
    group = Load("KVLineChartSymbol", "Appearance");
    for (const char* key : {"showYAxisTitle", "showYAxisMajorTicks", "showYAxisMinorTicks", "YAxisWeight", "YAxisFormat"})
        for (int i = 0; i < group->GetCount(); ++i)
            if (group->GetAt(i)->GetName() == key)
                group->RemoveAt(i--);
    Page& older = Open<Page>(group, "Appearance");
    Press(older, Page::IDC_YAXIS);
    for (int id : {Axis::IDC_SHOW_TITLE, Axis::IDC_SHOW_MINOR, Axis::IDC_WEIGHT, Axis::IDC_FORMAT})
        EXPECT_FALSE(SubEnabled(older, Page::kYAxis, id)) << id;
}

// The axis sub-page on a chart that carries every axis key.
class ChartAxisPageTest : public ChartAppearancePageTest {
protected:
    Axis& OpenAxis(const std::string& symbol, int axis, bool rows, bool fixedWidth)
    {
        page.reset();
        group = Load(symbol, "Appearance");
        const char* xy = axis == Axis::kHorizontal ? "X" : "Y";
        for (const char* pattern : {"show%sAxisTitle", "show%sAxis", "show%sAxisMajorTicks", "show%sAxisMinorTicks",
                                    "show%sAxisLabels"}) {
            char key[64];
            std::snprintf(key, sizeof key, pattern, xy);
            // The shipped charts carry them; a chart that does not gets them.
            CParameter* flag = group->FindParameter(key);
            if (flag == nullptr)
                flag = group->Add(std::make_unique<CParameter>(key, ParamType::Boolean));
            flag->SetBool(true);
        }
        if (group->FindParameter(std::string(xy) + "AxisWeight") == nullptr) {
            auto weight = std::make_unique<CParameter>(std::string(xy) + "AxisWeight", ParamType::Number);
            weight->SetDouble(1);
            group->Add(std::move(weight));
        }
        if (group->FindParameter(std::string(xy) + "AxisFormat") == nullptr) {
            auto format = std::make_unique<CParameter>(std::string(xy) + "AxisFormat", ParamType::Group);
            format->GetSet()->Add(std::make_unique<CParameter>("numFormat", ParamType::Text));
            group->Add(std::move(format));
        }
        CParameterSet* behavior = Param(defaults.parameters.get(), "Behavior")->GetSet();
        CParameter* fixed = behavior->FindParameter("fixedLabelWidth");
        if (fixed == nullptr)
            fixed = behavior->Add(std::make_unique<CParameter>("fixedLabelWidth", ParamType::Boolean));
        fixed->SetBool(fixedWidth);
        CParameter& data = *pages::FindInComponent(defaults.parameters.get(), "dataValues");
        if (!rows) {
            data.GetBinding()->GetValue().ClearElements();
            CParameter plain("0", ParamType::Number);
            data.GetBinding()->GetValue().InsertElementCopy(plain, -1);
        }
        auto made = pages::MakeChartAxisSubPage(axis);
        made->SetContext(&context);
        made->CreateForChart(pages::AppearanceChartIndex(pages::ChartTypeOf(defaults.parameters.get())), group,
                             "Appearance", false, &owner, defaults.parameters.get());
        auto* axisPage = static_cast<Axis*>(made.release());
        return Show(std::unique_ptr<Axis>(axisPage), group, "Appearance", defaults.parameters.get());
    }
};

TEST_F(ChartAxisPageTest, ShowAxisGreysTheColourAndWeightAndTheFormatFollowsTheLabels)
{
    Axis& y = OpenAxis("KVLineChartSymbol", Axis::kVertical, true, false);
    EXPECT_TRUE(Checked(Axis::IDC_SHOW_AXIS));
    EXPECT_TRUE(Enabled(Axis::IDC_WEIGHT));
    EXPECT_TRUE(Enabled(Axis::IDC_FORMAT));
    Picture("chart-axis-y");
    Click(Axis::IDC_SHOW_AXIS);
    EXPECT_FALSE(Param(group, "showYAxis")->GetBool());
    EXPECT_FALSE(Enabled(Axis::IDC_COLOR));
    EXPECT_FALSE(Enabled(Axis::IDC_WEIGHT));
    EXPECT_TRUE(Enabled(Axis::IDC_SHOW_MAJOR));
    y.OnSetActive();
    EXPECT_FALSE(Enabled(Axis::IDC_WEIGHT));
    Click(Axis::IDC_SHOW_LABELS);
    EXPECT_FALSE(Enabled(Axis::IDC_FORMAT));
    EXPECT_EQ(Notified(), 2);
}

TEST_F(ChartAxisPageTest, TheNumberFormatRuleByChartAxisDataAndFixedWidth)
{
    struct Case {
        const char* symbol;
        int axis;
        bool rows, fixedWidth, enabled;
    };
    const Case cases[] = {
        {"KVLineChartSymbol", Axis::kHorizontal, true, false, false}, // the category axis
        {"KVLineChartSymbol", Axis::kVertical, true, false, true},
        {"KVBarChartSymbol", Axis::kVertical, true, false, false},
        {"KVBarChartSymbol", Axis::kHorizontal, true, false, true},
        {"KVXYChartSymbol", Axis::kHorizontal, true, false, true},
        {"KVXYChartSymbol", Axis::kVertical, true, true, false},     // fixed label width
        {"KVColumnChartSymbol", Axis::kVertical, false, false, false}, // plain values, not rows
    };
    for (const Case& c : cases) {
        OpenAxis(c.symbol, c.axis, c.rows, c.fixedWidth);
        EXPECT_EQ(Enabled(Axis::IDC_FORMAT), c.enabled) << c.symbol << " axis " << c.axis;
    }
}

TEST_F(ChartAxisPageTest, HelpTopics)
{
    OpenAxis("KVBubbleChartSymbol", Axis::kHorizontal, true, false);
    Item(Axis::IDC_SHOW_AXIS)->SetFocus();
    EXPECT_EQ(page->GetHelpContextId(), 1600);
    Item(Axis::IDC_SHOW_TITLE)->SetFocus();
    EXPECT_EQ(page->GetHelpContextId(), 1590);
    OpenAxis("KVPieChartSymbol", Axis::kVertical, true, false);
    Item(Axis::IDC_SHOW_AXIS)->SetFocus();
    EXPECT_EQ(page->GetHelpContextId(), -1);
}

} // namespace
