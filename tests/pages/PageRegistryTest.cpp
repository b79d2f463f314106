// The Component Properties sheet with this library's pages: which tabs real components get,
// and the generic tab of a group without a page of its own.

#include "pages/BackgroundGeneralPage.h"
#include "pages/CommonBehaviorPage.h"
#include "pages/FillBorderAppearancePage.h"
#include "pages/InputTextGeneralPages.h"
#include "pages/LabelGeneralPage.h"
#include "pages/LineGeneralPage.h"
#include "pages/NameValuePage.h"
#include "pages/PageRegistry.h"
#include "pages/ScenarioGeneralPage.h"
#include "pages/TextFormatPage.h"
#include "pages/TrendIconGeneralPage.h"
#include "pages/UrlButtonPages.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/PageFactory.h"
#include "propui/PropertyListCtrl.h"
#include "publish/TempFiles.h"
#include "tests/pages/PageFixture.h"

#include <functional>
#include <typeinfo>

namespace {

class PageRegistryTest : public pagetest::PageTest {
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
    // The tabs of a component's sheet, by class.
    std::vector<const std::type_info*> Tabs(const std::string& symbol)
    {
        CParameterSet* root = Load(symbol, "");
        sheet = std::make_unique<CComponentPropertySheet>("Component Properties");
        sheet->SetContext(&context);
        sheet->BuildPages(root, false, &owner);
        std::vector<const std::type_info*> tabs;
        for (int i = 0; i < sheet->GetComponentPageCount(); ++i) {
            const CComponentPage& tab = *sheet->GetComponentPage(i);
            tabs.push_back(&typeid(tab));
        }
        return tabs;
    }

    CPageClassRegistry registry;
    publish::CDefaultTempFiles temporaries;
    pages::SwfImportTip tip;
    std::unique_ptr<CComponentPropertySheet> sheet;
};

TEST_F(PageRegistryTest, RealComponentsGetTheirPages)
{
    struct Case {
        const char* symbol;
        std::vector<const std::type_info*> tabs;
    };
    const Case cases[] = {
        {"KVLineSymbol", {&typeid(CLineGeneralPage), &typeid(CCommonBehaviorPage)}},
        {"KVTrendIconSymbol", {&typeid(CTrendIconGeneralPage), &typeid(CCommonBehaviorPage)}},
        {"KVScenarioSymbol", {&typeid(CScenarioGeneralPage), &typeid(CCommonBehaviorPage)}},
        {"KVUrlButtonSymbol",
         {&typeid(CUrlButtonGeneralPage), &typeid(CCommonBehaviorPage), &typeid(CUrlButtonAppearancePage)}},
        {"KVBackground2Symbol",
         {&typeid(CBackgroundGeneralPage), &typeid(CFillBorderAppearancePage), &typeid(CCommonBehaviorPage)}},
        {"KVInputTextSymbol", {&typeid(CInputTextGeneralPage)}},
        {"KVTextAreaInputSymbol", {&typeid(CTextAreaGeneralPage)}},
        {"KVLabelCompSymbol", {&typeid(CLabelGeneralPage)}},
    };
    for (const Case& c : cases) {
        const auto tabs = Tabs(c.symbol);
        ASSERT_GE(tabs.size(), c.tabs.size()) << c.symbol;
        for (std::size_t i = 0; i < c.tabs.size(); ++i)
            EXPECT_EQ(*tabs[i], *c.tabs[i]) << c.symbol << " tab " << i << ": " << tabs[i]->name();
    }
}

TEST_F(PageRegistryTest, EveryTabOfASheetOpensOnTheComponent)
{
    for (const char* symbol : {"KVUrlButtonSymbol", "KVBackground2Symbol", "KVTextAreaInputSymbol"}) {
        Tabs(symbol);
        sheet->Create(&parent, WS_CHILD | WS_VISIBLE);
        for (int i = 0; i < sheet->GetComponentPageCount(); ++i) {
            sheet->SetActivePage(i);
            EXPECT_TRUE(sheet->GetComponentPage(i)->IsCreated()) << symbol << " tab " << i;
        }
        if (std::string(symbol) == "KVUrlButtonSymbol")
            Picture("sheet-url-button");
        sheet->DestroyWindow();
    }
}

TEST_F(PageRegistryTest, TheGenericTabCutsLongTitles)
{
    CParameterSet* group = Load("KVLineSymbol", "General");
    const std::string title(70, 'x');
    Open<CNameValuePage>(group, title);
    EXPECT_EQ(page->GetTitle(), std::string(63, 'x'));
    auto* list = static_cast<CNameValuePage*>(page.get())->GetList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetRowCount(), group->GetCount());
    // Two rows fit: the columns share the width less 5 pixels, a third for the names.
    CRect client;
    page->GetClientRect(&client);
    EXPECT_EQ(list->GetColumnWidth(0), (client.Width() - 5) / 3);
}

} // namespace
