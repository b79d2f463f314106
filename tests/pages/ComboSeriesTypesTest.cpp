// A combination chart that gained series after its types were listed (three series, two types)
// still lets each series be given its type on its Series sub-page.

#include "model/ValueList.h"
#include "pages/ChartSubPageKit.h"
#include "pages/ChartSubPages.h"
#include "pages/ComboSeriesPage.h"
#include "pages/PageBlocks.h"
#include "tests/pages/PageFixture.h"

namespace {

using pages::ElementAt;
using pages::FindInComponent;
using pages::ListValue;

class ComboSeriesTypesTest : public pagetest::PageTest {
protected:
    // The shipped combination chart (two series, two types) with a third series name.
    void OpenWithThreeSeries()
    {
        appearance = Load("KVComboChartSymbol", "Appearance");
        CParameter* names = ListValue(FindInComponent(defaults.parameters.get(), "seriesNames"));
        CParameter third(*names->GetElement(0));
        third.SetString("Third");
        names->InsertElementCopy(third, names->GetElementCount());
        auto made = pages::MakeComboSeriesSubPage();
        made->SetContext(&context);
        made->CreateForChart(pages::kChartCombo, appearance, "Appearance", false, &owner, defaults.parameters.get());
        ASSERT_TRUE(made->CreatePage(&parent));
        made->ShowWindow(SW_SHOW);
        made->OnSetActive();
        page = std::move(made);
    }
    int Count(const char* key) { return ListValue(appearance->FindParameter(key))->GetElementCount(); }
    std::string Type(int series) { return ElementAt(appearance, "seriesTypes", series)->GetString(); }
    void Choose(int id, int index) { static_cast<CComboBox*>(Item(id))->UserSelect(index); }

    CParameterSet* appearance = nullptr;
};

TEST_F(ComboSeriesTypesTest, AThirdSeriesPastTheListedTypesBecomesColumns)
{
    OpenWithThreeSeries();
    ASSERT_EQ(Count("seriesTypes"), 2);
    const int columns = Count("markerColorsColumn");
    const std::string first = Type(0), second = Type(1);
    Choose(CComboSeriesPage::IDC_SERIES, 2);
    Choose(CComboSeriesPage::IDC_TYPE, 0);
    ASSERT_EQ(Count("seriesTypes"), 3);
    EXPECT_EQ(Type(2), "column");
    // The other series keep their types, and the new column has a colour of its own.
    EXPECT_EQ(Type(0), first);
    EXPECT_EQ(Type(1), second);
    EXPECT_EQ(Count("markerColorsColumn"), columns + 1);
    EXPECT_EQ(Notified(), 1);
    // Shown again, the third series is a column.
    Choose(CComboSeriesPage::IDC_SERIES, 0);
    Choose(CComboSeriesPage::IDC_SERIES, 2);
    EXPECT_EQ(static_cast<CComboBox*>(Item(CComboSeriesPage::IDC_TYPE))->GetCurSel(), 0);
}

TEST_F(ComboSeriesTypesTest, ListingANewSeriesAsTheLineItIsDrawnAsStillTellsTheOwner)
{
    OpenWithThreeSeries();
    Choose(CComboSeriesPage::IDC_SERIES, 2);
    Choose(CComboSeriesPage::IDC_TYPE, 1);
    ASSERT_EQ(Count("seriesTypes"), 3);
    EXPECT_EQ(Type(2), "line");
    EXPECT_EQ(Notified(), 1);
    // Nothing new the second time.
    Choose(CComboSeriesPage::IDC_TYPE, 1);
    EXPECT_EQ(Notified(), 1);
}

} // namespace
