// The Component Properties sheet of every chart: the chart pages and the Alerts page come in
// the order of the chart's groups (General, Behavior, Appearance, then Alerts) and each opens on the chart's shipped parameters.

#include "pages/AlertsPage.h"
#include "pages/ChartAppearancePage.h"
#include "pages/ChartBehaviorPage.h"
#include "pages/ChartGeneralPage.h"
#include "pages/ExternalFileImport.h"
#include "pages/PageRegistry.h"
#include "propui/PageFactory.h"
#include "propui/ComponentPropertySheet.h"
#include "publish/TempFiles.h"
#include "tests/pages/PageFixture.h"

#include <typeinfo>

namespace {

class ChartSheetTest : public pagetest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        pages::RegisterComponentPages(registry, temporaries, tip);
        context.pages = &registry;
    }
    void TearDown() override
    {
        sheet.reset();
        PageTest::TearDown();
    }

    CPageClassRegistry registry;
    publish::CDefaultTempFiles temporaries;
    pages::SwfImportTip tip;
    std::unique_ptr<CComponentPropertySheet> sheet;
};

TEST_F(ChartSheetTest, EveryChartGetsItsPagesAndEachOpens)
{
    const std::vector<const std::type_info*> expected = {&typeid(CChartGeneralPage), &typeid(CChartBehaviorPage),
                                                         &typeid(CChartAppearancePage), &typeid(CAlertsPage)};
    for (const char* symbol : {"KVColumnChartSymbol", "KVBarChartSymbol", "KVLineChartSymbol", "KVPieChartSymbol",
                               "KVXYChartSymbol", "KVBubbleChartSymbol", "KVStackColumnChartSymbol",
                               "KVStackBarChartSymbol", "KVComboChartSymbol"}) {
        sheet.reset();
        CParameterSet* root = Load(symbol, "");
        sheet = std::make_unique<CComponentPropertySheet>("Component Properties");
        sheet->SetContext(&context);
        sheet->BuildPages(root, false, &owner);
        ASSERT_EQ(sheet->GetComponentPageCount(), 4) << symbol;
        for (int i = 0; i < 4; ++i) {
            const CComponentPage& tab = *sheet->GetComponentPage(i);
            EXPECT_EQ(typeid(tab), *expected[static_cast<std::size_t>(i)]) << symbol << " tab " << i;
        }
        sheet->Create(&parent, WS_CHILD | WS_VISIBLE);
        for (int i = 0; i < 4; ++i) {
            sheet->SetActivePage(i);
            EXPECT_TRUE(sheet->GetComponentPage(i)->IsCreated()) << symbol << " tab " << i;
        }
        sheet->SetActivePage(2);
        if (std::string(symbol) == "KVComboChartSymbol")
            Picture("sheet-combo-chart-appearance");
        // Leaving the sheet keeps every page's state in the component's property map.
        sheet->DestroyWindow();
        int subPage = -1;
        EXPECT_TRUE(owner.properties.GetProperty("Chart App SubPage", &subPage, 4)) << symbol;
    }
}

} // namespace
