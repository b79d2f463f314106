#include "PropUiFixture.h"

#include "model/Parameter.h"
#include "model/ParameterKinds.h"
#include "model/ParameterSet.h"
#include "platform/controls/TabCtrl.h"
#include "propui/ComponentPage.h"
#include "propui/ComponentPropertySheet.h"
#include "propui/PageFactory.h"
#include "propui/ParameterListPage.h"
#include "propui/PropertyListCtrl.h"

namespace {

// A registered page class: it records how the sheet made it.
class StubPage : public CComponentPage {
public:
    StubPage(std::string name, int variant, int* sizes) : className(std::move(name)), variant(variant), sizes(sizes) {}
    using CComponentPage::Create;
    BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                CParameterSet* root) override
    {
        CComponentPage::Create(group, title, modal, owner, root);
        DialogTemplate t;
        t.caption = title;
        t.style = WS_CHILD | DS_CONTROL | DS_SETFONT;
        t.cx = 180;
        t.cy = 200;
        Construct(t);
        return TRUE;
    }
    void OnSheetSize() override { ++*sizes; }

    std::string className;
    int variant;
    int* sizes;
};

std::vector<std::string> AllPageClasses()
{
    return {"CTextFormatPage", "CAlertsPage", "CChartGeneralPage", "CChartBehaviorPage", "CChartAppearancePage",
            "CSelectorGeneralPage", "CSelectorBehaviorPage", "CSelectorAppearancePage", "CMapAppearancePage",
            "CSingleValueGeneralPage", "CSingleValueBehaviorPage", "CSingleValueAppearancePage",
            "CBackgroundGeneralPage", "CCommonBehaviorPage", "CFillBorderAppearancePage", "CLabelGeneralPage",
            "CLabelBehaviorPage", "CLabelAppearancePage", "CPlayOptionsBehaviorPage", "CTutorialPage",
            "CNameValuePage", "CLineGeneralPage", "CInputTextGeneralPage", "CTextAreaGeneralPage",
            "CInputTextBehaviorPage", "CInputTextAppearancePage"};
}

class SheetTest : public PropUiTest {
protected:
    void SetUp() override
    {
        PropUiTest::SetUp();
        context.pages = &registry;
    }
    void RegisterAll()
    {
        for (const std::string& name : AllPageClasses())
            registry.Register(name, [this, name](int variant) {
                return std::make_unique<StubPage>(name, variant, &sheetSizes);
            });
    }
    // A root set with one group per (kind, name).
    static std::unique_ptr<CParameterSet> Groups(const std::vector<std::pair<int, std::string>>& groups)
    {
        auto root = std::make_unique<CParameterSet>();
        root->SetName("Root");
        for (const auto& [kind, name] : groups) {
            auto group = std::make_unique<CParameter>(name, model::ParamType::Group);
            group->GetSet()->SetPageKind(kind);
            group->GetSet()->Add(std::make_unique<CParameter>("title", model::ParamType::Text));
            root->Add(std::move(group));
        }
        return root;
    }
    static std::vector<std::string> Classes(const CComponentPropertySheet& sheet)
    {
        std::vector<std::string> out;
        for (int i = 0; i < sheet.GetComponentPageCount(); ++i) {
            auto* stub = dynamic_cast<StubPage*>(sheet.GetComponentPage(i));
            out.push_back(stub != nullptr ? stub->className + (stub->variant != 0 ? "/1" : "") : "plain");
        }
        return out;
    }

    CPageClassRegistry registry;
    int sheetSizes = 0;
};

TEST_F(SheetTest, GroupsGetThePageTheirKindAndNameCallFor)
{
    const struct {
        int kind;
        const char* group;
        const char* owner;
        const char* page; // "" for no page
        int variant;
    } cases[] = {
        {1, "Advanced", "", "CTextFormatPage", 0},
        {3, "Alerts", "", "CAlertsPage", 0},
        {5, "General", "", "CChartGeneralPage", 0},
        {5, "Appearance", "", "CChartAppearancePage", 0},
        {5, "Advanced", "", "", 0},
        {6, "Behavior", "", "CSelectorBehaviorPage", 0},
        {7, "Anything", "", "CMapAppearancePage", 0},
        {9, "Behavior", "", "CCommonBehaviorPage", 0},
        {9, "Appearance", "", "CFillBorderAppearancePage", 0},
        {12, "General", "", "", 0},
        {12, "Behavior", "", "CPlayOptionsBehaviorPage", 0},
        {12, "Appearance", "", "CFillBorderAppearancePage", 1},
        {13, "Advanced", "", "CTutorialPage", 0},
        {14, "Advanced", "", "CMapAppearancePage", 1},
        {15, "General", "KVInputTextSymbol", "CInputTextGeneralPage", 0},
        {15, "General", "KVTextAreaInputSymbol", "CTextAreaGeneralPage", 0},
        {15, "general", "KVInputTextSymbol", "", 0}, // names compare exactly
        {0, "Whatever", "", "CNameValuePage", 0},
        {2, "Media", "", "CNameValuePage", 0},
        {4, "General", "", "CNameValuePage", 0},
        {16, "General", "", "CNameValuePage", 0},
        {255, "X", "", "CNameValuePage", 0},
    };
    for (const auto& c : cases) {
        std::optional<PageChoice> choice = ChooseGroupPage(c.kind, c.group, c.owner);
        if (*c.page == '\0') {
            EXPECT_FALSE(choice) << c.kind << " " << c.group;
        } else {
            ASSERT_TRUE(choice) << c.kind << " " << c.group;
            EXPECT_EQ(*choice, (PageChoice{c.page, c.variant})) << c.kind << " " << c.group;
        }
    }
    // Special components match their whole name only.
    ASSERT_NE(SpecialComponentPages("KVLineSymbolV"), nullptr);
    EXPECT_EQ(SpecialComponentPages("KVLineSymbolV")->front(), "CLineGeneralPage");
    EXPECT_EQ(SpecialComponentPages("KVUrlButtonSymbol")->size(), 3u);
    EXPECT_EQ(SpecialComponentPages("KVLineSymbolX"), nullptr);
    EXPECT_EQ(SpecialComponentPages("xKVLineSymbol"), nullptr);
    EXPECT_EQ(SpecialComponentPages("kvlinesymbol"), nullptr);
}

TEST_F(SheetTest, RegisteredClassesAreMadeAndTheRestStandInAsPlainParameterLists)
{
    RegisterAll();
    auto root = Groups({{5, "General"}, {5, "Advanced"}, {12, "General"}, {1, "Title Font"}, {2, "Media"}});
    CComponentPropertySheet sheet;
    sheet.SetContext(&context);
    EXPECT_EQ(sheet.BuildPages(root.get(), false, &owner), 3);
    EXPECT_EQ(Classes(sheet), (std::vector<std::string>{"CChartGeneralPage", "CTextFormatPage", "CNameValuePage"}));
    CComponentPage* first = sheet.GetComponentPage(0);
    EXPECT_EQ(first->GetGroup(), root->GetAt(0)->GetSet());
    EXPECT_EQ(first->GetRootSet(), root.get());
    EXPECT_EQ(first->GetOwner(), &owner);
    EXPECT_EQ(first->GetTabTitle(), "General");
    EXPECT_EQ(sheet.GetComponentPage(1)->GetTabTitle(), "Title Font");
    EXPECT_EQ(sheet.GetTitle(), "Chart 1");

    // Without the chart classes the chart's groups are edited in plain lists.
    CPageClassRegistry none;
    context.pages = &none;
    EXPECT_EQ(sheet.BuildPages(root.get(), false, &owner), 3);
    EXPECT_EQ(Classes(sheet), (std::vector<std::string>{"plain", "plain", "plain"}));

    // A set whose only group gets no page has nothing to show.
    auto play = Groups({{12, "General"}});
    EXPECT_EQ(sheet.BuildPages(play.get(), false, &owner), 0);
}

TEST_F(SheetTest, SpecialComponentsGetTheirOwnPagesOnceThoseExist)
{
    auto root = Groups({{9, "General"}, {9, "Behavior"}});
    owner.type = "KVLineSymbol";
    CComponentPropertySheet sheet;
    sheet.SetContext(&context);
    EXPECT_EQ(sheet.BuildPages(root.get(), false, &owner), 2);
    EXPECT_EQ(Classes(sheet), (std::vector<std::string>{"plain", "plain"})); // by group until then

    RegisterAll();
    EXPECT_EQ(sheet.BuildPages(root.get(), true, &owner), 2);
    EXPECT_EQ(Classes(sheet), (std::vector<std::string>{"CLineGeneralPage", "CCommonBehaviorPage"}));
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(sheet.GetComponentPage(i)->GetGroup(), root.get());
        EXPECT_EQ(sheet.GetComponentPage(i)->GetTabTitle(), "Root");
        EXPECT_TRUE(sheet.GetComponentPage(i)->IsModalSheet());
    }
    owner.type = "KVLineSymbolX";
    EXPECT_EQ(sheet.BuildPages(root.get(), false, &owner), 2);
    EXPECT_EQ(Classes(sheet), (std::vector<std::string>{"CBackgroundGeneralPage", "CCommonBehaviorPage"}));
}

TEST_F(SheetTest, TheSheetReopensOnThePageItWasLeftOn)
{
    RegisterAll();
    auto root = Groups({{5, "General"}, {5, "Behavior"}, {5, "Appearance"}});
    CComponentPropertySheet sheet;
    sheet.SetContext(&context);
    ASSERT_EQ(sheet.BuildPages(root.get(), false, &owner), 3);
    ASSERT_TRUE(sheet.Create(&main, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0));
    EXPECT_EQ(sheet.GetWindowText(), "Chart 1 Properties");
    sheet.GetTabControl()->UserSelect(2);
    sheet.DestroyWindow();
    const std::vector<std::uint8_t>* record = owner.map.Find("Active Page");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(*record, (std::vector<std::uint8_t>{2, 0, 0, 0}));
    // The page is part of the saved document: a change marks it, without a republish.
    EXPECT_EQ(owner.marks, 1);
    EXPECT_TRUE(owner.refreshes.empty());
    EXPECT_EQ(sheet.GetComponentPageCount(), 0);

    ASSERT_EQ(sheet.BuildPages(root.get(), false, &owner), 3);
    ASSERT_TRUE(sheet.Create(&main, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0));
    EXPECT_EQ(sheet.GetActiveIndex(), 2);
    sheet.DestroyWindow();
    EXPECT_EQ(owner.marks, 1); // left on the same page: nothing to save

    // Another component without a record opens where this sheet object was left.
    RecordingOwner other;
    ASSERT_EQ(sheet.BuildPages(root.get(), false, &other), 3);
    EXPECT_EQ(sheet.GetActiveIndex(), 2);

    // A damaged record (too short, or past the pages) opens the first page.
    const std::uint8_t shortRecord[2] = {1, 0};
    other.map.SetProperty("Active Page", shortRecord, 2);
    CComponentPropertySheet fresh;
    fresh.SetContext(&context);
    ASSERT_EQ(fresh.BuildPages(root.get(), false, &other), 3);
    EXPECT_EQ(fresh.GetActiveIndex(), 0);
    const std::uint8_t farAway[4] = {9, 0, 0, 0};
    other.map.SetProperty("Active Page", farAway, 4);
    ASSERT_EQ(fresh.BuildPages(root.get(), false, &other), 3);
    EXPECT_EQ(fresh.GetActiveIndex(), 0);

    // An owner that has lost its component (an emptied selection) remembers nothing.
    other.hasComponent = false;
    ASSERT_TRUE(fresh.Create(&main, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0));
    fresh.DestroyWindow();
}

TEST_F(SheetTest, OnlyARestoredSizeLaysTheTabsAndThePageOut)
{
    RegisterAll();
    auto root = Groups({{5, "General"}, {5, "Behavior"}});
    CComponentPropertySheet sheet;
    sheet.SetContext(&context);
    ASSERT_EQ(sheet.BuildPages(root.get(), false, &owner), 2);
    ASSERT_TRUE(sheet.Create(&main, WS_POPUP | WS_CAPTION | WS_VISIBLE, 0));
    sheetSizes = 0;
    const CRect before = sheet.GetTabControl()->GetRectInParent();
    sheet.SendMessage(WM_SIZE, SIZE_MINIMIZED, MAKELPARAM(10, 10));
    sheet.SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(900, 700));
    EXPECT_EQ(sheet.GetTabControl()->GetRectInParent(), before);
    EXPECT_EQ(sheetSizes, 0);
    sheet.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 400));
    EXPECT_EQ(sheet.GetTabControl()->GetRectInParent(), CRect(0, 0, 300, 400));
    EXPECT_EQ(sheetSizes, 1);
    sheet.DestroyWindow();
}

TEST_F(SheetTest, TabTitlesAreCutOnACharacterBoundary)
{
    std::string name(126, 'a');
    name += "\xC3\xA9\xC3\xA9"; // two two-byte characters straddle the limit
    EXPECT_EQ(MakeTabTitle(name), std::string(126, 'a'));
    EXPECT_EQ(MakeTabTitle("General"), "General");
}

} // namespace
