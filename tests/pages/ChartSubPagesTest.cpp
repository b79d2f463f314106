// The chart sub-pages of the Appearance page (Series, combination Series, Titles, Layout),
// made through their makers and opened in a plain window as the Appearance page opens them,
// each on the shipped default parameters of a chart.

#include "model/CellBinding.h"
#include "model/ValueList.h"
#include "pages/ChartLayoutPage.h"
#include "pages/ChartSeriesPage.h"
#include "pages/ChartSubPages.h"
#include "pages/ChartTitlesPage.h"
#include "pages/ComboSeriesPage.h"
#include "pages/PageBlocks.h"
#include "platform/services/Services.h"
#include "tests/pages/PageFixture.h"

#include <cstdint>

namespace {

using pages::ElementAt;
using pages::FindInComponent;
using pages::ListValue;

class ChartSubPagesTest : public pagetest::PageTest {
protected:
    // Opens a sub-page on the Appearance group of a chart, as its host does.
    // An empty symbol opens it on the chart loaded last.
    CComponentPage& OpenSub(std::unique_ptr<pages::CChartSubPage> made, const std::string& symbol, int chartType)
    {
        CParameterSet* group = symbol.empty() ? defaults.parameters->FindParameter("Appearance")->GetSet()
                                              : Load(symbol, "Appearance");
        appearance = group;
        made->SetContext(&context);
        made->CreateForChart(chartType, group, "Appearance", false, &owner, defaults.parameters.get());
        EXPECT_TRUE(made->CreatePage(&parent));
        parent.MoveWindow(CRect(0, 0, 420, 480));
        made->SetWindowPos(nullptr, 8, 8, 400, 460, SWP_NOZORDER);
        made->ShowWindow(SW_SHOW);
        made->OnSetActive();
        page = std::move(made);
        return *page;
    }
    static void RemoveKey(CParameterSet* set, const char* key)
    {
        for (int i = 0; i < set->GetCount(); ++i)
            if (set->GetAt(i)->GetName() == key)
                set->RemoveAt(i--);
    }
    CParameter* Element(const char* key, int index) { return ElementAt(appearance, key, index); }
    CParameter* Root(const char* key) { return FindInComponent(defaults.parameters.get(), key); }
    // Adds a series name, so the chart has one series more.
    void AddSeriesName(const std::string& name)
    {
        CParameter* names = ListValue(Root("seriesNames"));
        CParameter copy(*names->GetElement(0));
        copy.SetString(name);
        names->InsertElementCopy(copy, names->GetElementCount());
    }
    int ComboCount(int id) { return static_cast<CComboBox*>(Item(id))->GetCount(); }
    std::string ComboText(int id)
    {
        auto* combo = static_cast<CComboBox*>(Item(id));
        return combo->GetCurSel() < 0 ? std::string() : combo->GetLBText(combo->GetCurSel());
    }

    CParameterSet* appearance = nullptr;
};

// ---- Series ----

using Series = CChartSeriesPage;

TEST_F(ChartSubPagesTest, TheSeriesPageLabelsItsControlsByChartType)
{
    struct Case {
        const char* symbol;
        int type;
        const char* size;
        const char* colour;
        const char* series;
        const char* group;
        bool currentValue;
    };
    const Case cases[] = {
        {"KVPieChartSymbol", pages::kChartPie, "Weight", "Slice Color", "Data Point", "Slices", false},
        {"KVBarChartSymbol", pages::kChartBar, "Bar Width", "Bar Color", "Series", "Bars", false},
        {"KVColumnChartSymbol", pages::kChartColumn, "Bar Width", "Bar Color", "Series", "Bars", false},
        {"KVStackBarChartSymbol", pages::kChartStackBar, "Bar Width", "Bar Color", "Series", "Bars", false},
        {"KVStackColumnChartSymbol", pages::kChartStackColumn, "Bar Width", "Bar Color", "Series", "Bars", false},
        {"KVLineChartSymbol", pages::kChartLine, "Marker Size", "Line Color", "Series", "Lines && Markers", false},
        {"KVXYChartSymbol", pages::kChartXY, "Symbol Size", "Line Color", "Series", "Symbols", true},
        {"KVBubbleChartSymbol", pages::kChartBubble, "Bubble Size", "Color", "Series", "Bubble", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.symbol);
        OpenSub(pages::MakeChartSeriesSubPage(), c.symbol, c.type);
        EXPECT_EQ(Text(Series::IDC_SIZE_LABEL), c.size);
        EXPECT_EQ(Text(Series::IDC_LINE_COLOR_LABEL), c.colour);
        EXPECT_EQ(Text(Series::IDC_SERIES_LABEL), c.series);
        EXPECT_EQ(Text(Series::IDC_PLOT_GROUP), c.group);
        EXPECT_EQ(Visible(Series::IDC_CURRENT), c.currentValue);
        const bool stacked = c.type == pages::kChartStackBar || c.type == pages::kChartStackColumn;
        EXPECT_EQ(Visible(Series::IDC_OVERLAP_LABEL), stacked);
        EXPECT_EQ(Visible(Series::IDC_USE_ART), c.type != pages::kChartPie);
        Picture(std::string("chart-series-") + c.symbol);
        page.reset();
    }
}

TEST_F(ChartSubPagesTest, ABarChartsColourButtonWritesTheBarColourOfThePickedSeries)
{
    OpenSub(pages::MakeChartSeriesSubPage(), "KVColumnChartSymbol", pages::kChartColumn);
    EXPECT_FALSE(Visible(Series::IDC_LINE_COLOR));
    EXPECT_TRUE(Enabled(Series::IDC_MARKER_COLOR));
    // One series: nothing to pick.
    EXPECT_FALSE(Enabled(Series::IDC_SERIES));

    files->AnswerColour(RGB(0x12, 0x34, 0x56));
    Click(Series::IDC_MARKER_COLOR);
    EXPECT_EQ(Element("markerColors", 0)->GetColor(), 0x123456u);
    EXPECT_EQ(Notified(), 1);
    files->AnswerColour(std::nullopt);
    Click(Series::IDC_MARKER_COLOR);
    EXPECT_EQ(Element("markerColors", 0)->GetColor(), 0x123456u);
    EXPECT_EQ(Notified(), 1);

    AddSeriesName("North");
    page->OnSetActive();
    EXPECT_TRUE(Enabled(Series::IDC_SERIES));
    Choose(Series::IDC_SERIES, 1);
    files->AnswerColour(RGB(0xAA, 0x00, 0x11));
    Click(Series::IDC_MARKER_COLOR);
    EXPECT_EQ(Element("markerColors", 1)->GetColor(), 0xAA0011u);
    EXPECT_EQ(Element("markerColors", 0)->GetColor(), 0x123456u);
    Picture("chart-series-column-changed");
}

TEST_F(ChartSubPagesTest, APieListsItsCategoriesAndEditsItsSliceLines)
{
    OpenSub(pages::MakeChartSeriesSubPage(), "KVPieChartSymbol", pages::kChartPie);
    EXPECT_EQ(ComboCount(Series::IDC_SERIES), 3);
    EXPECT_EQ(ComboText(Series::IDC_SERIES), "A");
    EXPECT_EQ(Text(Series::IDC_HIGHLIGHTS), "Show Lines");
    EXPECT_TRUE(Enabled(Series::IDC_LINE_COLOR));

    Click(Series::IDC_HIGHLIGHTS);
    EXPECT_FALSE(Param(appearance, "showLines")->GetBool());
    EXPECT_FALSE(Enabled(Series::IDC_LINE_COLOR));
    Click(Series::IDC_HIGHLIGHTS);
    files->AnswerColour(RGB(0x00, 0x00, 0x80));
    Click(Series::IDC_LINE_COLOR);
    EXPECT_EQ(Param(appearance, "lineColor")->GetColor(), 0x000080u);

    // Each slice has its own colour.
    Choose(Series::IDC_SERIES, 2);
    files->AnswerColour(RGB(0x10, 0x20, 0x30));
    Click(Series::IDC_MARKER_COLOR);
    EXPECT_EQ(Element("markerColors", 2)->GetColor(), 0x102030u);
    EXPECT_EQ(Notified(), 4);
}

TEST_F(ChartSubPagesTest, LineMarkersValuesAndAlerts)
{
    OpenSub(pages::MakeChartSeriesSubPage(), "KVLineChartSymbol", pages::kChartLine);
    Choose(Series::IDC_MARKER, 1);
    EXPECT_EQ(Element("seriesMarkers", 0)->GetString(), "diamond");

    // Values sit on the markers: toggling the markers either way leaves them off.
    Param(appearance, "showValues")->SetBool(true);
    Click(Series::IDC_SHOW_MARKERS);
    EXPECT_FALSE(Param(appearance, "showMarkers")->GetBool());
    EXPECT_FALSE(Param(appearance, "showValues")->GetBool());
    EXPECT_FALSE(Enabled(Series::IDC_SHOW_VALUES));
    EXPECT_FALSE(Enabled(Series::IDC_MARKER));
    Click(Series::IDC_SHOW_MARKERS);
    EXPECT_TRUE(Enabled(Series::IDC_SHOW_VALUES));
    EXPECT_FALSE(Param(appearance, "showValues")->GetBool());

    // With alerts on, the alert colours paint the markers.
    Root("alertsEnabled")->SetBool(true);
    page->OnSetActive();
    EXPECT_FALSE(Enabled(Series::IDC_USE_ART));
    EXPECT_FALSE(Enabled(Series::IDC_MARKER_COLOR));
}

TEST_F(ChartSubPagesTest, ASeriesPastTheEndOfItsListsIsNeitherShownNorWritten)
{
    // A document whose colour lists are shorter than its series list.
    CParameterSet* group = Load("KVLineChartSymbol", "Appearance");
    ListValue(group->FindParameter("markerColors"))->ClearElements();
    pages::ResizeSeriesList(group->FindParameter("lineColors"), 2, true);
    AddSeriesName("Two");
    AddSeriesName("Three");
    OpenSub(pages::MakeChartSeriesSubPage(), "", pages::kChartLine);
    EXPECT_FALSE(Enabled(Series::IDC_MARKER_COLOR));
    Click(Series::IDC_MARKER_COLOR);
    EXPECT_EQ(Notified(), 0);
    const int lineColours = ListValue(group->FindParameter("lineColors"))->GetElementCount();
    Choose(Series::IDC_SERIES, 2);
    files->AnswerColour(RGB(1, 2, 3));
    Click(Series::IDC_LINE_COLOR);
    EXPECT_EQ(ListValue(group->FindParameter("lineColors"))->GetElementCount(), lineColours);

    // Without its series list the list is empty and cannot be opened.
    RemoveKey(defaults.parameters->FindParameter("General")->GetSet(), "seriesNames");
    page->OnSetActive();
    EXPECT_EQ(ComboCount(Series::IDC_SERIES), 0);
    EXPECT_FALSE(Enabled(Series::IDC_SERIES));
}

TEST_F(ChartSubPagesTest, TheFormatIndexIsKeptOnlyWhenTheChartHasSuchAValueKind)
{
    const std::int32_t stored = 1;
    owner.properties.SetProperty(Series::kFormatIndexKey, &stored, sizeof stored);
    auto& xy = static_cast<Series&>(OpenSub(pages::MakeChartSeriesSubPage(), "KVXYChartSymbol", pages::kChartXY));
    EXPECT_EQ(xy.GetFormatIndex(), 1);
    // Plain values have one format for every kind.
    EXPECT_FALSE(Enabled(Series::IDC_CURRENT));
    page.reset();
    std::int32_t kept = -1;
    ASSERT_TRUE(owner.properties.GetProperty(Series::kFormatIndexKey, &kept, sizeof kept));
    EXPECT_EQ(kept, 1);

    // A line chart has no value kinds: the stored index is not taken as one.
    auto& line = static_cast<Series&>(OpenSub(pages::MakeChartSeriesSubPage(), "KVLineChartSymbol", pages::kChartLine));
    EXPECT_EQ(line.GetFormatIndex(), 0);
    page.reset();

    // A sub-page that was made but never shown leaves the stored value alone.
    owner.properties.SetProperty(Series::kFormatIndexKey, &stored, sizeof stored);
    {
        auto unseen = pages::MakeChartSeriesSubPage();
        unseen->CreateForChart(pages::kChartXY, appearance, "Appearance", false, &owner, defaults.parameters.get());
    }
    ASSERT_TRUE(owner.properties.GetProperty(Series::kFormatIndexKey, &kept, sizeof kept));
    EXPECT_EQ(kept, 1);
}

TEST_F(ChartSubPagesTest, HelpTopicsFollowTheChartType)
{
    const struct {
        int type;
        int focus;
        int topic;
    } cases[] = {
        {pages::kChartPie, Series::IDC_SHOW_VALUES, 1860},
        {pages::kChartColumn, Series::IDC_SERIES, 1675},
        {pages::kChartStackColumn, Series::IDC_HIGHLIGHTS, 2554},
        {pages::kChartLine, Series::IDC_PLOT_GROUP, 1750},
        {-1, Series::IDC_SERIES, -1},
    };
    for (const auto& c : cases) {
        OpenSub(pages::MakeChartSeriesSubPage(), "KVLineChartSymbol", c.type);
        Item(c.focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), c.topic) << c.type;
        page.reset();
    }

    // F1 is the sub-page's own: a topic of its table, or the file's default topic for none.
    CRecordingShell& shell = UseRecordingShell();
    OpenSub(pages::MakeChartLayoutSubPage(), "KVLineChartSymbol", pages::kChartLine);
    Item(CChartLayoutPage::IDC_USE_ART)->SetFocus();
    MSG f1{};
    f1.message = WM_KEYDOWN;
    f1.wParam = VK_F1;
    EXPECT_TRUE(page->PreTranslateMessage(&f1));
    ASSERT_EQ(shell.requests.size(), 1u);
    EXPECT_EQ(shell.requests[0].detail, "context:1835");
    page.reset();
    OpenSub(pages::MakeChartTitlesSubPage(), "KVLineChartSymbol", -1);
    EXPECT_TRUE(page->PreTranslateMessage(&f1));
    ASSERT_EQ(shell.requests.size(), 2u);
    EXPECT_EQ(shell.requests[1].kind, "help");
    EXPECT_EQ(shell.requests[1].detail, "");
    ResetShellService();
}

// ---- combination chart ----

using Combo = CComboSeriesPage;

class ComboSeriesTest : public ChartSubPagesTest {
protected:
    // Gives the combination chart these series types, with one element per series of each
    // type in its lists (colours 0x100000 + position for columns, 0x200000 + position for lines).
    void Types(std::initializer_list<const char*> types)
    {
        Load("KVComboChartSymbol", "Appearance");
        appearance = defaults.parameters->FindParameter("Appearance")->GetSet();
        CParameter* list = ListValue(appearance->FindParameter("seriesTypes"));
        CParameter* names = ListValue(Root("seriesNames"));
        list->ClearElements();
        while (names->GetElementCount() > 1)
            names->RemoveElementAt(names->GetElementCount() - 1);
        int columns = 0;
        int lines = 0;
        for (const char* type : types) {
            CParameter* made = list->InsertTemplateElement(list->GetElementCount());
            made->SetString(type);
            ++(std::string(type) == "column" ? columns : lines);
        }
        for (std::size_t i = 1; i < types.size(); ++i)
            AddSeriesName("S" + std::to_string(i));
        auto fill = [&](const char* key, int count, std::uint32_t base) {
            CParameter* l = ListValue(appearance->FindParameter(key));
            pages::ResizeSeriesList(l, count, true);
            for (int i = 0; i < count; ++i)
                if (l->GetElement(i)->GetType() == model::ParamType::Color)
                    l->GetElement(i)->SetColor(base + static_cast<std::uint32_t>(i));
        };
        fill("markerColorsColumn", columns, 0x100000);
        fill("lineColors", lines, 0x200000);
        fill("markerColorsLine", lines, 0x300000);
        fill("lineWeights", lines, 0);
        fill("seriesMarkers", lines, 0);
    }
    void OpenCombo()
    {
        auto made = pages::MakeComboSeriesSubPage();
        made->SetContext(&context);
        made->CreateForChart(pages::kChartCombo, appearance, "Appearance", false, &owner, defaults.parameters.get());
        ASSERT_TRUE(made->CreatePage(&parent));
        parent.MoveWindow(CRect(0, 0, 420, 480));
        made->SetWindowPos(nullptr, 8, 8, 400, 460, SWP_NOZORDER);
        made->ShowWindow(SW_SHOW);
        made->OnSetActive();
        page = std::move(made);
    }
    std::uint32_t Colour(const char* key, int index) { return Element(key, index)->GetColor(); }
    int Count(const char* key) { return ListValue(appearance->FindParameter(key))->GetElementCount(); }
};

TEST_F(ComboSeriesTest, EachHalfIsUsableOnlyWithSeriesOfItsType)
{
    Types({"line", "line"});
    OpenCombo();
    EXPECT_FALSE(Enabled(Combo::IDC_COLUMN_GROUP));
    EXPECT_FALSE(Enabled(Combo::IDC_USE_BAR_ART));
    EXPECT_FALSE(Enabled(Combo::IDC_BAR_WIDTH));
    EXPECT_TRUE(Enabled(Combo::IDC_LINE_GROUP));
    EXPECT_TRUE(Enabled(Combo::IDC_SERIES));
    page.reset();

    Types({"column"});
    OpenCombo();
    EXPECT_FALSE(Enabled(Combo::IDC_LINE_GROUP));
    EXPECT_FALSE(Enabled(Combo::IDC_SHOW_MARKERS));
    EXPECT_FALSE(Enabled(Combo::IDC_USE_MARKER_ART));
    EXPECT_TRUE(Enabled(Combo::IDC_COLUMN_GROUP));
    EXPECT_FALSE(Enabled(Combo::IDC_SERIES));
    // A column series shows its bar colour alone.
    EXPECT_EQ(Text(Combo::IDC_SERIES_COLOR_LABEL), "Bar Color");
    for (int id : {Combo::IDC_WEIGHT, Combo::IDC_MARKER, Combo::IDC_MARKER_LABEL, Combo::IDC_MARKER_COLOR})
        EXPECT_FALSE(Visible(id)) << id;
}

TEST_F(ComboSeriesTest, PickingASeriesShowsTheControlsOfItsType)
{
    Types({"column", "line", "column", "line", "line"});
    OpenCombo();
    Picture("chart-combo-series");
    EXPECT_EQ(ComboText(Combo::IDC_TYPE), "column");
    Choose(Combo::IDC_SERIES, 3);
    EXPECT_EQ(ComboText(Combo::IDC_TYPE), "line");
    EXPECT_EQ(Text(Combo::IDC_SERIES_COLOR_LABEL), "Line Color");
    EXPECT_TRUE(Visible(Combo::IDC_MARKER_COLOR));
    auto& combo = static_cast<Combo&>(*page);
    EXPECT_EQ(combo.PositionInType(3), 1);
    EXPECT_EQ(combo.PositionInType(2), 1);
    // The colour goes to the series' place among the lines.
    files->AnswerColour(RGB(0xAB, 0xCD, 0xEF));
    Click(Combo::IDC_SERIES_COLOR);
    EXPECT_EQ(Colour("lineColors", 1), 0xABCDEFu);
    EXPECT_EQ(Colour("lineColors", 0), 0x200000u);
    Choose(Combo::IDC_SERIES, 2);
    files->AnswerColour(RGB(0x01, 0x02, 0x03));
    Click(Combo::IDC_SERIES_COLOR);
    EXPECT_EQ(Colour("markerColorsColumn", 1), 0x010203u);
}

TEST_F(ComboSeriesTest, ASeriesThatBecomesALineGetsItsOwnElementsAndTheOthersKeepTheirs)
{
    Types({"column", "line", "column", "column"});
    OpenCombo();
    Choose(Combo::IDC_SERIES, 3);
    Choose(Combo::IDC_TYPE, 1);
    EXPECT_EQ(Element("seriesTypes", 3)->GetString(), "line");
    EXPECT_EQ(Notified(), 1);
    for (const char* key : {"lineColors", "lineWeights", "seriesMarkers", "markerColorsLine"})
        EXPECT_EQ(Count(key), 2) << key;
    // The new colour is the generator's first value seeded with the last colour; the new
    // marker copies the first one's.
    pages::CSeriesColourGenerator generator(0x200000);
    EXPECT_EQ(Colour("lineColors", 1), generator.Next());
    EXPECT_EQ(Element("seriesMarkers", 1)->GetString(), Element("seriesMarkers", 0)->GetString());
    // The fourth series was the third column: the column colours close up.
    EXPECT_EQ(Count("markerColorsColumn"), 2);
    EXPECT_EQ(Colour("markerColorsColumn", 1), 0x100001u);

    // Choosing the type it already has writes nothing new.
    Choose(Combo::IDC_TYPE, 1);
    EXPECT_EQ(Notified(), 1);
}

TEST_F(ComboSeriesTest, TheFirstOfTwoLinesBecomingAColumnLeavesTheSecondItsColours)
{
    Types({"line", "line"});
    OpenCombo();
    Choose(Combo::IDC_TYPE, 0);
    EXPECT_EQ(Count("lineColors"), 1);
    EXPECT_EQ(Colour("lineColors", 0), 0x200001u);
    EXPECT_EQ(Colour("markerColorsLine", 0), 0x300001u);
    // The new column has a bar colour of its own to edit.
    EXPECT_EQ(Count("markerColorsColumn"), 1);
    EXPECT_TRUE(Enabled(Combo::IDC_SERIES_COLOR));
    EXPECT_EQ(Text(Combo::IDC_SERIES_COLOR_LABEL), "Bar Color");
    EXPECT_TRUE(Enabled(Combo::IDC_COLUMN_GROUP));
}

TEST_F(ComboSeriesTest, AlertsTakeTheArtAndColoursAway)
{
    Types({"column", "line"});
    Root("alertsEnabled")->SetBool(true);
    OpenCombo();
    EXPECT_FALSE(Enabled(Combo::IDC_USE_BAR_ART));
    EXPECT_FALSE(Enabled(Combo::IDC_USE_MARKER_ART));
    EXPECT_FALSE(Enabled(Combo::IDC_SERIES_COLOR));
    EXPECT_FALSE(Enabled(Combo::IDC_MARKER_COLOR));
}

TEST_F(ComboSeriesTest, TheFormatIndexSurvivesAVisit)
{
    Types({"column", "line"});
    const std::int32_t stored = 2;
    owner.properties.SetProperty(Combo::kFormatIndexKey, &stored, sizeof stored);
    OpenCombo();
    page.reset();
    std::int32_t kept = -1;
    ASSERT_TRUE(owner.properties.GetProperty(Combo::kFormatIndexKey, &kept, sizeof kept));
    EXPECT_EQ(kept, 2);
}

TEST(SeriesListResize, GrowsWithReproducibleColoursAndWrapsTextCopies)
{
    CParameter colours("c", model::ParamType::List);
    CParameter texts("t", model::ParamType::List);
    for (int i = 0; i < 2; ++i) {
        CParameter colour(std::to_string(i), model::ParamType::Color);
        colour.SetColor(0x102030u + static_cast<std::uint32_t>(i));
        colours.InsertElementCopy(colour, i);
        CParameter text(std::to_string(i), model::ParamType::Text);
        text.SetString(i == 0 ? "circle" : "star");
        texts.InsertElementCopy(text, i);
    }
    pages::ResizeSeriesList(&colours, 4, false);
    pages::CSeriesColourGenerator expected(0x102031u);
    EXPECT_EQ(colours.GetElement(2)->GetColor(), expected.Next());
    EXPECT_EQ(colours.GetElement(3)->GetColor(), expected.Next());
    EXPECT_EQ(colours.GetElement(3)->GetName(), "3");
    // More new texts than old ones: the copies go round the old ones.
    pages::ResizeSeriesList(&texts, 5, false);
    EXPECT_EQ(texts.GetElement(2)->GetString(), "circle");
    EXPECT_EQ(texts.GetElement(3)->GetString(), "star");
    EXPECT_EQ(texts.GetElement(4)->GetString(), "circle");
    // Shrinking only when allowed.
    pages::ResizeSeriesList(&texts, 1, false);
    EXPECT_EQ(texts.GetElementCount(), 5);
    pages::ResizeSeriesList(&texts, 1, true);
    EXPECT_EQ(texts.GetElementCount(), 1);
    // The classic generator's first values from seed 0.
    pages::CSeriesColourGenerator zero(0);
    EXPECT_EQ(zero.Next(), 38u);
    EXPECT_EQ(zero.Next(), 7719u);
}

// ---- Titles ----

using Titles = CChartTitlesPage;

TEST_F(ChartSubPagesTest, HidingTheTitleGreysEveryTitleControl)
{
    OpenSub(pages::MakeChartTitlesSubPage(), "KVColumnChartSymbol", pages::kChartColumn);
    Click(Titles::IDC_TITLE_BORDER);
    Click(Titles::IDC_TITLE_FILL);
    EXPECT_TRUE(pages::NestedSet(appearance, "chartTitleProps")->FindParameter("showBorder")->GetBool());
    EXPECT_TRUE(Enabled(Titles::IDC_TITLE_BORDER_COLOR));
    EXPECT_TRUE(Enabled(Titles::IDC_TITLE_WEIGHT));
    Picture("chart-titles-column");

    Click(Titles::IDC_SHOW_TITLE);
    EXPECT_FALSE(Param(appearance, "showTitles")->GetBool());
    for (int id : {Titles::IDC_TITLE_FONT_LABEL, Titles::IDC_ALIGN, Titles::IDC_TITLE_BORDER, Titles::IDC_TITLE_FILL,
                   Titles::IDC_TITLE_BORDER_COLOR, Titles::IDC_TITLE_FILL_COLOR, Titles::IDC_TITLE_WEIGHT})
        EXPECT_FALSE(Enabled(id)) << id;
    Click(Titles::IDC_SHOW_TITLE);
    EXPECT_TRUE(Enabled(Titles::IDC_TITLE_BORDER_COLOR));
    EXPECT_TRUE(Enabled(Titles::IDC_TITLE_FILL_COLOR));

    Choose(Titles::IDC_ALIGN, 1);
    EXPECT_EQ(Param(appearance, "chartTitleAlign")->GetString(), "left");
    EXPECT_EQ(Notified(), 5);
}

TEST_F(ChartSubPagesTest, TheLegendIsOffWhileAlertsAreOnButKeepsItsSetting)
{
    CParameterSet* group = Load("KVColumnChartSymbol", "Appearance");
    Param(group, "showLegend")->SetBool(true);
    Root("alertsEnabled")->SetBool(true);
    OpenSub(pages::MakeChartTitlesSubPage(), "", pages::kChartColumn);
    EXPECT_FALSE(Checked(Titles::IDC_SHOW_LEGEND));
    EXPECT_FALSE(Enabled(Titles::IDC_SHOW_LEGEND));
    EXPECT_FALSE(Enabled(Titles::IDC_LEGEND_BORDER));
    EXPECT_TRUE(Param(appearance, "showLegend")->GetBool());

    Root("alertsEnabled")->SetBool(false);
    page->OnSetActive();
    EXPECT_TRUE(Checked(Titles::IDC_SHOW_LEGEND));
    Click(Titles::IDC_LEGEND_FILL);
    files->AnswerColour(RGB(0x11, 0x22, 0x33));
    Click(Titles::IDC_LEGEND_FILL_COLOR);
    EXPECT_EQ(pages::NestedSet(appearance, "legendProps")->FindParameter("fillColor")->GetColor(), 0x112233u);
}

TEST_F(ChartSubPagesTest, ChartsWithoutTitleAndLegendBoxesOpenWithThoseControlsOff)
{
    CParameterSet* group = Load("KVPieChartSymbol", "Appearance");
    for (const char* key : {"chartTitleProps", "legendProps", "backgroundProps", "plotAreaProps"})
        RemoveKey(group, key);
    OpenSub(pages::MakeChartTitlesSubPage(), "", pages::kChartPie);
    EXPECT_FALSE(Enabled(Titles::IDC_TITLE_BORDER));
    EXPECT_FALSE(Enabled(Titles::IDC_LEGEND_FILL_COLOR));
    Click(Titles::IDC_TITLE_BORDER);
    EXPECT_EQ(Notified(), 0);
    page.reset();
    OpenSub(pages::MakeChartLayoutSubPage(), "", pages::kChartPie);
    EXPECT_FALSE(Enabled(CChartLayoutPage::IDC_CHART_BORDER));
    EXPECT_FALSE(Enabled(CChartLayoutPage::IDC_PLOT_FILL_COLOR));
    Click(CChartLayoutPage::IDC_CHART_FILL);
    EXPECT_EQ(Notified(), 0);
}

// ---- Layout ----

using Layout = CChartLayoutPage;

TEST_F(ChartSubPagesTest, BackgroundArtAndTheChartAreasBorderAndFillExcludeEachOther)
{
    OpenSub(pages::MakeChartLayoutSubPage(), "KVLineChartSymbol", pages::kChartLine);
    Picture("chart-layout-line");
    CParameterSet* area = pages::NestedSet(appearance, "backgroundProps");
    Click(Layout::IDC_USE_ART);
    EXPECT_TRUE(Param(appearance, "useBackgroundArt")->GetBool());
    EXPECT_FALSE(area->FindParameter("showBorder")->GetBool());
    EXPECT_FALSE(area->FindParameter("showFill")->GetBool());
    for (int id : {Layout::IDC_CHART_BORDER_COLOR, Layout::IDC_CHART_WEIGHT, Layout::IDC_CHART_WEIGHT_LABEL,
                   Layout::IDC_CHART_FILL_COLOR})
        EXPECT_FALSE(Enabled(id)) << id;
    Click(Layout::IDC_CHART_FILL);
    EXPECT_TRUE(area->FindParameter("showFill")->GetBool());
    EXPECT_FALSE(Param(appearance, "useBackgroundArt")->GetBool());
    EXPECT_FALSE(Checked(Layout::IDC_USE_ART));
    EXPECT_TRUE(Enabled(Layout::IDC_CHART_FILL_COLOR));

    files->AnswerColour(RGB(0xEE, 0xDD, 0xCC));
    Click(Layout::IDC_CHART_FILL_COLOR);
    EXPECT_EQ(area->FindParameter("fillColor")->GetColor(), 0xEEDDCCu);
    files->AnswerColour(RGB(0x80, 0x00, 0x00));
    Click(Layout::IDC_HMAJOR + Layout::kFamilyColour);
    EXPECT_EQ(Param(appearance, "YAxisMajorColor")->GetColor(), 0x800000u);
    Click(Layout::IDC_HMAJOR + Layout::kFamilyCheck);
    EXPECT_FALSE(Param(appearance, "showYAxisMajor")->GetBool());
    EXPECT_FALSE(Enabled(Layout::IDC_HMAJOR + Layout::kFamilyWeight));
    EXPECT_EQ(Notified(), 5);
}

TEST_F(ChartSubPagesTest, StoredArtAndBorderShowTheArtAloneWithoutWriting)
{
    CParameterSet* group = Load("KVColumnChartSymbol", "Appearance");
    Param(group, "useBackgroundArt")->SetBool(true);
    OpenSub(pages::MakeChartLayoutSubPage(), "", pages::kChartColumn);
    EXPECT_TRUE(Checked(Layout::IDC_USE_ART));
    EXPECT_FALSE(Checked(Layout::IDC_CHART_BORDER));
    EXPECT_FALSE(Enabled(Layout::IDC_CHART_BORDER_COLOR));
    EXPECT_TRUE(pages::NestedSet(appearance, "backgroundProps")->FindParameter("showBorder")->GetBool());
    EXPECT_EQ(Notified(), 0);
}

TEST_F(ChartSubPagesTest, GridlinesAndDivisionsFollowTheChartTypeAndScale)
{
    OpenSub(pages::MakeChartLayoutSubPage(), "KVPieChartSymbol", pages::kChartPie);
    for (int id : std::initializer_list<int>{Layout::IDC_HGRID_GROUP, Layout::IDC_VGRID_GROUP, Layout::IDC_HMAJOR, Layout::IDC_VMINOR + 1,
                   Layout::IDC_HMAJOR + Layout::kFamilyWeight, Layout::IDC_MAJOR_LABEL})
        EXPECT_FALSE(Visible(id)) << id;
    Picture("chart-layout-pie");
    page.reset();

    OpenSub(pages::MakeChartLayoutSubPage(), "KVBarChartSymbol", pages::kChartBar);
    EXPECT_EQ(Text(Layout::IDC_MAJOR_LABEL), "Number of Major Vertical Divisions");
    page.reset();

    const struct {
        const char* scale;
        bool major;
    } scales[] = {{"growth", false}, {"full", false}, {"off", true}, {nullptr, false}};
    for (const auto& s : scales) {
        Load("KVColumnChartSymbol", "Appearance");
        CParameterSet* behavior = defaults.parameters->FindParameter("Behavior")->GetSet();
        if (s.scale == nullptr)
            RemoveKey(behavior, "autofocus");
        else
            model::StoreChoiceText(behavior->FindParameter("autofocus")->GetValueList()->GetPrototype(), s.scale, false);
        OpenSub(pages::MakeChartLayoutSubPage(), "", pages::kChartColumn);
        EXPECT_EQ(Enabled(Layout::IDC_MAJOR), s.major) << (s.scale ? s.scale : "none");
        EXPECT_TRUE(Enabled(Layout::IDC_MINOR)) << (s.scale ? s.scale : "none");
        page.reset();
    }
}

} // namespace
