// The table selector's General, Behavior and Appearance tabs, driven through their controls on
// the shipped parameters of the table, with ranges picked in the test workbook.

#include "model/CellBinding.h"
#include "model/ValueList.h"
#include "pages/TableSelectorPages.h"
#include "tests/pages/FixtureModelLink.h"
#include "tests/pages/PageFixture.h"

namespace {

using sheet::RangePickOutcome;
using General = CTableSelectorGeneralPage;
using Behavior = CTableSelectorBehaviorPage;
using Appearance = CTableSelectorAppearancePage;

class TableSelectorPagesTest : public pagetest::PageTest {
protected:
    // Imports the test workbook and lets bindings read its cells.
    void Import()
    {
        ImportWorkbook();
        link = std::make_unique<pagetest::FixtureModelLink>(cells, table);
    }
    std::unique_ptr<pagetest::FixtureModelLink> link;
    void SetUp() override
    {
        PageTest::SetUp();
        Load("KVTableNewSymbol", "");
    }
    CParameterSet* Root() { return defaults.parameters.get(); }
    CParameterSet* Group(const char* name) { return Param(Root(), name)->GetSet(); }
    CParameter& Flags() { return *Param(Root(), "disabledRows_ary"); }
    CParameter& Select() { return *Param(Root(), "selectIdx"); }
    CParameter* Data() { return Param(Group("General"), "dataValues_ary"); }
    std::vector<bool> FlagValues()
    {
        std::vector<bool> values;
        for (int i = 0; i < Flags().GetElementCount(); ++i)
            values.push_back(Flags().GetElement(i)->GetBool());
        return values;
    }
    void Pick(const char* range, int button)
    {
        picker->Answer(RangePickOutcome::Picked, range);
        Click(button);
    }
    // Links the display data to rows rows of the workbook and gives it one flag per row.
    void LinkRows(int rows)
    {
        picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$B$" + std::to_string(rows));
        ASSERT_TRUE(pages::PickCells(*page, Data(), 0, nullptr));
        ResizeRowFlags(Flags(), rows);
    }
    std::vector<std::string> Items(int id)
    {
        auto* combo = static_cast<CComboBox*>(Item(id));
        std::vector<std::string> items;
        for (int i = 0; i < combo->GetCount(); ++i)
            items.push_back(combo->GetLBText(i));
        return items;
    }
};

TEST_F(TableSelectorPagesTest, LargeRangesAndFormulaInsertCellsAskFirst)
{
    Import();
    Open<General>(Group("General"));
    EXPECT_EQ(Text(General::IDC_INSERT_OPTION), "rows");
    EXPECT_FALSE(Enabled(General::IDC_INSERT_OPTION));

    Pick("'Inputs'!$A$1:$C$100", General::IDC_DATA_LINK);
    EXPECT_TRUE(boxes->Log().empty());
    EXPECT_EQ(Text(General::IDC_DATA), "'Inputs'!$A$1:$C$100");

    boxes->Answer(IDNO);
    Pick("'Inputs'!$A$1:$A$301", General::IDC_SOURCE_LINK);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text, std::string(General::kLargeRangeTip) + CComponentPage::kContinueText);
    EXPECT_EQ(Text(General::IDC_SOURCE), "");
    boxes->Answer(IDYES);
    Pick("'Inputs'!$A$1:$A$301", General::IDC_SOURCE_LINK);
    EXPECT_EQ(Text(General::IDC_SOURCE), "'Inputs'!$A$1:$A$301");

    Pick("'Inputs'!$A$5:$A$7", General::IDC_TARGET_LINK);
    EXPECT_EQ(boxes->Log().size(), 2u);
    boxes->Answer(IDNO);
    Pick("'Inputs'!$B$5:$B$7", General::IDC_TARGET_LINK);
    ASSERT_EQ(boxes->Log().size(), 3u);
    EXPECT_EQ(boxes->Log()[2].text, std::string(General::kFormulaTip) + CComponentPage::kContinueText);
    EXPECT_EQ(Text(General::IDC_TARGET), "'Inputs'!$A$5:$A$7");
    EXPECT_EQ(Notified(), 3);
    Picture("table-selector-general");
}

TEST_F(TableSelectorPagesTest, RangesAreReadAgainOnReturnAndMissingOnesTakeTheirCaptions)
{
    Import();
    CParameterSet* general = Group("General");
    // A table without source cells hides their row; one without insert cells greys it.
    for (const char* key : {"sourceCells_ary", "targetCells_ary"})
        for (int i = 0; i < general->GetCount(); ++i)
            if (general->GetAt(i)->GetName() == key)
                general->RemoveAt(i);
    Open<General>(general);
    for (int id : {General::IDC_SOURCE, General::IDC_SOURCE_LINK, General::IDC_SOURCE_LABEL})
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_TRUE(Visible(General::IDC_TARGET_LABEL));
    EXPECT_FALSE(Enabled(General::IDC_TARGET_LABEL));
    EXPECT_FALSE(Enabled(General::IDC_TARGET_LINK));
    EXPECT_TRUE(Enabled(General::IDC_DATA_LINK));

    // The display data linked while the tab was hidden shows when it comes back.
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$B$4");
    ASSERT_TRUE(pages::PickCells(*page, Data(), 0, nullptr));
    EXPECT_EQ(Text(General::IDC_DATA), "");
    page->OnSetActive();
    EXPECT_EQ(Text(General::IDC_DATA), "'Inputs'!$A$1:$B$4");
}

TEST_F(TableSelectorPagesTest, RelinkingTheDisplayDataResizesTheRowFlagsAndResetsTheDefaultRow)
{
    Import();
    Open<General>(Group("General"));
    Pick("'Inputs'!$A$1:$B$10", General::IDC_DATA_LINK);
    ASSERT_EQ(Flags().GetElementCount(), 10);
    Flags().GetElement(1)->SetBool(true);
    Flags().GetElement(3)->SetBool(true);
    Flags().GetElement(8)->SetBool(true);
    Select().SetInt(6);

    Pick("'Inputs'!$A$1:$B$4", General::IDC_DATA_LINK);
    EXPECT_EQ(Select().GetInt(), 0);
    EXPECT_EQ(FlagValues(), (std::vector<bool>{false, true, false, true}));

    Pick("'Inputs'!$A$1:$B$6", General::IDC_DATA_LINK);
    EXPECT_EQ(FlagValues(), (std::vector<bool>{false, true, false, true, false, false}));
    EXPECT_EQ(Flags().GetElement(5)->GetName(), "5");
    EXPECT_EQ(Notified(), 3);

    // A cancelled pick still matches the flags to the rows, as a change to save only.
    ResizeRowFlags(Flags(), 2);
    const int marked = owner.marked;
    picker->Answer(RangePickOutcome::Cancelled);
    Click(General::IDC_DATA_LINK);
    EXPECT_EQ(Flags().GetElementCount(), 6);
    EXPECT_EQ(Notified(), 3);
    EXPECT_EQ(owner.marked, marked + 1);
}

TEST_F(TableSelectorPagesTest, RowFlagsWithoutATemplateGrowSelectable)
{
    CParameter flags("disabledRows_ary", model::ParamType::List);
    EXPECT_TRUE(ResizeRowFlags(flags, 3));
    ASSERT_EQ(flags.GetElementCount(), 3);
    EXPECT_FALSE(flags.GetElement(2)->GetBool());
    EXPECT_FALSE(ResizeRowFlags(flags, 3));
    EXPECT_FALSE(ResizeRowFlags(flags, -1));
}

TEST_F(TableSelectorPagesTest, TheDefaultListHoldsTheSelectableRows)
{
    Import();
    Open<Behavior>(Group("Behavior"), "Behavior");
    LinkRows(5);
    Flags().GetElement(1)->SetBool(true);
    Flags().GetElement(3)->SetBool(true);
    Select().SetInt(2);
    page->OnSetActive();
    EXPECT_EQ(Items(Behavior::IDC_DEFAULT), (std::vector<std::string>{"row 1", "row 3", "row 5"}));
    EXPECT_EQ(Text(Behavior::IDC_DEFAULT), "row 3");
    EXPECT_TRUE(Checked(Behavior::IDC_SELECTABLE));
    Picture("table-selector-behavior");

    Choose(Behavior::IDC_DEFAULT, 2);
    EXPECT_EQ(Select().GetInt(), 4);

    // Row 5, the default, becomes unselectable: the default moves to the first listed row.
    auto* spin = static_cast<CSpinEdit*>(Item(Behavior::IDC_ROW));
    spin->EditPart()->SetFocus();
    spin->EditPart()->SetSel(0, -1);
    CUserInput::PressKey(VK_DELETE);
    spin->EditPart()->Type("5");
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(static_cast<Behavior&>(*page).GetRowNumber(), 5);
    EXPECT_TRUE(Checked(Behavior::IDC_SELECTABLE));
    Click(Behavior::IDC_SELECTABLE);
    EXPECT_TRUE(Flags().GetElement(4)->GetBool());
    EXPECT_EQ(Select().GetInt(), 0);
    EXPECT_EQ(Items(Behavior::IDC_DEFAULT), (std::vector<std::string>{"row 1", "row 3"}));

    Click(Behavior::IDC_DESELECT_ALL);
    EXPECT_TRUE(Items(Behavior::IDC_DEFAULT).empty());
    EXPECT_FALSE(Enabled(Behavior::IDC_DEFAULT));
    EXPECT_EQ(Select().GetInt(), 0);
    Click(Behavior::IDC_SELECT_ALL);
    EXPECT_EQ(FlagValues(), std::vector<bool>(5, false));
    EXPECT_EQ(Items(Behavior::IDC_DEFAULT).size(), 5u);
}

TEST_F(TableSelectorPagesTest, FlagsShorterThanTheRowsCountAsSelectable)
{
    Import();
    Open<Behavior>(Group("Behavior"), "Behavior");
    LinkRows(4);
    ResizeRowFlags(Flags(), 1);
    page->OnSetActive();
    EXPECT_EQ(Items(Behavior::IDC_DEFAULT).size(), 4u);
    // With one flag the row number cannot move.
    EXPECT_FALSE(Enabled(Behavior::IDC_ROW));
    EXPECT_FALSE(Enabled(Behavior::IDC_SELECT_ALL));
    EXPECT_FALSE(Enabled(Behavior::IDC_DESELECT_ALL));
    EXPECT_TRUE(Enabled(Behavior::IDC_SELECTABLE));

    // No flags at all: nothing to switch, and nothing breaks.
    ResizeRowFlags(Flags(), 0);
    page->OnSetActive();
    Click(Behavior::IDC_SELECTABLE);
    EXPECT_EQ(Flags().GetElementCount(), 0);
}

TEST_F(TableSelectorPagesTest, UpdateOnNeedsBothInsertRangesAndTheEffectIsFoundInAnyCase)
{
    Import();
    Param(Group("Behavior"), "introStyle")->SetString("FADE-IN");
    Open<Behavior>(Group("Behavior"), "Behavior");
    EXPECT_EQ(Text(Behavior::IDC_UPDATE_ON), "mouse click");
    EXPECT_FALSE(Enabled(Behavior::IDC_UPDATE_ON));
    EXPECT_EQ(Text(Behavior::IDC_EFFECT), "Fade-in");
    EXPECT_TRUE(Enabled(Behavior::IDC_DURATION));

    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$B$1");
    ASSERT_TRUE(pages::PickCells(*page, Param(Group("General"), "sourceCells_ary"), 0, nullptr));
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$5:$B$5");
    ASSERT_TRUE(pages::PickCells(*page, Param(Group("General"), "targetCells_ary"), 0, nullptr));
    page->OnSetActive();
    EXPECT_TRUE(Enabled(Behavior::IDC_UPDATE_ON));
    Choose(Behavior::IDC_UPDATE_ON, 1);
    EXPECT_EQ(Param(Group("Behavior"), "updateOn")->GetValueList()->GetCurrentText(), "mouse over");
    Click(Behavior::IDC_SOUND);
    EXPECT_TRUE(Param(Group("Behavior"), "soundEnabled")->GetBool());
    EXPECT_EQ(Notified(), 2);
}

TEST_F(TableSelectorPagesTest, TheGridColourFollowsShowGrid)
{
    CParameterSet* group = Group("Appearance");
    Open<Appearance>(group, "Appearance");
    EXPECT_TRUE(Enabled(Appearance::IDC_GRID_COLOR));
    Click(Appearance::IDC_SHOW_GRID);
    EXPECT_FALSE(Param(group, "showGrid")->GetBool());
    EXPECT_FALSE(Enabled(Appearance::IDC_GRID_COLOR));
    EXPECT_FALSE(Enabled(Appearance::IDC_GRID_COLOR_LABEL));
    EXPECT_EQ(Param(group, "gridColor")->GetColor(), 0xDDDDDDu);
    EXPECT_EQ(Notified(), 1);
    Picture("table-selector-appearance");

    files->AnswerColour(RGB(0x11, 0x22, 0x33));
    Click(Appearance::IDC_SELECT_COLOR);
    EXPECT_EQ(Param(group, "selectColor")->GetColor(), 0x112233u);

    // Opened with the grid off, the colour is shown but cannot be chosen.
    Open<Appearance>(group, "Appearance");
    EXPECT_FALSE(Enabled(Appearance::IDC_GRID_COLOR));
    EXPECT_EQ(static_cast<CColorButton*>(Item(Appearance::IDC_GRID_COLOR))->GetColor(), RGB(0xDD, 0xDD, 0xDD));
}

TEST_F(TableSelectorPagesTest, HelpTopicsFollowTheFocus)
{
    Open<General>(Group("General"));
    for (auto [focus, topic] : {std::pair{General::IDC_DATA_LINK, 355}, std::pair{General::IDC_SOURCE_LINK, 360},
                                std::pair{General::IDC_HELP_MOVIE, 350}}) {
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
    Param(Group("Behavior"), "introStyle")->SetString("Grow");
    Open<Behavior>(Group("Behavior"), "Behavior");
    for (auto [focus, topic] : {std::pair{Behavior::IDC_STATUS_LINK, 410}, std::pair{Behavior::IDC_SOUND, 400},
                                std::pair{Behavior::IDC_EFFECT, 410}}) {
        Item(focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), topic) << focus;
    }
}

} // namespace
