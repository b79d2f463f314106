// The selectors' General and Behavior tabs and the play options, driven through their controls on
// the shipped parameters of real selectors.

#include "model/CellBinding.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"
#include "pages/PlayOptionsBehaviorPage.h"
#include "pages/SelectorBehaviorPage.h"
#include "pages/SelectorGeneralPage.h"
#include "platform/controls/SpinEdit.h"
#include "platform/drawing/IconTheme.h"
#include "propui/EditingDialogs.h"
#include "propui/PropertyListCtrl.h"
#include "tests/pages/PageFixture.h"

namespace {

using sheet::RangePickOutcome;

class SelectorPagesTest : public pagetest::PageTest {
protected:
    // Adds parameters written as in a default-parameter file to a set.
    static void AddParams(CParameterSet* to, const std::string& params)
    {
        ComponentDefaults extra =
            model::ReadDefaultParameters("<?xml version=\"1.0\"?><component symbol=\"X\">" + params + "</component>");
        while (extra.parameters->GetCount() > 0)
            to->Add(extra.parameters->Detach(0));
    }
    CParameterSet* Root() { return defaults.parameters.get(); }
    CParameter* Key(const char* key) { return pages::FindInComponent(Root(), key); }
    CComboBox& Combo(int id) { return *static_cast<CComboBox*>(Item(id)); }
    std::vector<std::string> Items(int id)
    {
        std::vector<std::string> items;
        for (int i = 0; i < Combo(id).GetCount(); ++i)
            items.push_back(Combo(id).GetLBText(i));
        return items;
    }
    // Types a number into a spin edit and presses Enter.
    void TypeIntoSpin(int id, const std::string& text)
    {
        CEdit* edit = static_cast<CSpinEdit*>(Item(id))->EditPart();
        edit->SetFocus();
        edit->SetSel(0, -1);
        CUserInput::PressKey(VK_DELETE);
        edit->Type(text);
        CUserInput::PressKey(VK_RETURN);
    }
    int HelpFor(int id)
    {
        Item(id)->SetFocus();
        return page->GetHelpContextId();
    }
};

// ---- General ----

TEST_F(SelectorPagesTest, TheInsertOptionDecidesWhichSourceControlsShow)
{
    using Page = CSelectorGeneralPage;
    CParameterSet* general = Load("KVComboBoxSymbol", "General");
    Open<Page>(general);
    EXPECT_EQ(Text(Page::IDC_OPTION), "position");
    EXPECT_TRUE(Enabled(Page::IDC_OPTION));
    Picture("selector-general-combo-box");

    struct Case {
        int item;
        const char* text;
        bool sourceRow, valuesButton;
    };
    const Case cases[] = {
        {1, "label", false, false}, {2, "value", true, false}, {3, "rows", true, false},
        {4, "columns", true, false}, {0, "position", false, false},
    };
    int told = 0;
    for (const Case& c : cases) {
        Choose(Page::IDC_OPTION, c.item);
        EXPECT_EQ(pages::ChoiceText(Param(general, "retInfo")), c.text);
        EXPECT_EQ(Visible(Page::IDC_SOURCE), c.sourceRow) << c.text;
        EXPECT_EQ(Visible(Page::IDC_SOURCE_LINK), c.sourceRow) << c.text;
        EXPECT_EQ(Visible(Page::IDC_SOURCE_VALUES), c.valuesButton) << c.text;
        EXPECT_EQ(Notified(), ++told) << c.text;
    }
}

TEST_F(SelectorPagesTest, ShowingTheGeneralTabWritesNothing)
{
    using Page = CSelectorGeneralPage;
    CParameterSet* general = Load("KVPlaySelectorSymbol", "General");
    // A stored text that differs in case from its item is shown by that item, and stays.
    Param(general, "playBy")->GetValueList()->GetPrototype().SetString("Row");
    Key("selectIdx")->SetInt(2);
    Open<Page>(general);
    page->OnSetActive();
    EXPECT_EQ(Text(Page::IDC_OPTION), "row");
    EXPECT_EQ(pages::ChoiceText(Param(general, "playBy")), "Row");
    EXPECT_EQ(Key("selectIdx")->GetInt(), 2);
    EXPECT_EQ(Notified(), 0);

    // Another unit of play makes the old default meaningless; the same unit keeps it.
    Choose(Page::IDC_OPTION, 1);
    EXPECT_EQ(pages::ChoiceText(Param(general, "playBy")), "column");
    EXPECT_EQ(Key("selectIdx")->GetInt(), 0);
    Key("selectIdx")->SetInt(1);
    Choose(Page::IDC_OPTION, 1);
    EXPECT_EQ(Key("selectIdx")->GetInt(), 1);
}

TEST_F(SelectorPagesTest, LinkAndHelpButtonsShowWhatTheyDo)
{
    using Page = CSelectorGeneralPage;
    Open<Page>(Load("KVComboBoxSymbol", "General"));
    auto icon = [this](int id) { return static_cast<CButton*>(Item(id))->GetIconName(); };
    // Beside a range shown read-only the button picks cells; beside a typed title, one cell.
    EXPECT_EQ(icon(Page::IDC_INSERT_IN_LINK), "vantorel-link-range-symbolic");
    EXPECT_EQ(icon(Page::IDC_TITLE_LINK), "vantorel-link-cell-symbolic");
    EXPECT_EQ(icon(Page::IDC_HELP_MOVIE), "vantorel-help-movie-symbolic");
    // The buttons that open an editing dialog keep their caption, and every button its name.
    EXPECT_EQ(icon(Page::IDC_LABELS_EDIT), "");
    EXPECT_EQ(Text(Page::IDC_LABELS_EDIT), "...");
    EXPECT_EQ(Text(Page::IDC_TITLE_LINK), "...");
}

TEST_F(SelectorPagesTest, TheButtonPicturesAreDrawnFromTheInstalledIconsAndFadeWhenDisabled)
{
    using Page = CSelectorGeneralPage;
    GetIconTheme().SetFolders({testsupport::InstallDir() / "icons"}, {});
    for (const char* name : {"vantorel-link-range-symbolic", "vantorel-link-cell-symbolic", "vantorel-help-movie-symbolic",
                             "vantorel-step-up-symbolic", "vantorel-step-down-symbolic"})
        for (int size : {8, 16, 24})
            EXPECT_NE(GetIconTheme().Find(name, size), nullptr) << name << " at " << size;
    Open<Page>(Load("KVComboBoxSymbol", "General"));
    // Dark pixels on a button's face: a picture has many, three dots a few.
    auto ink = [this](int id) {
        parent.UpdateWindow();
        PumpPaint();
        const CBitmap shot = host->Snapshot(parent);
        CRect r;
        Item(id)->GetWindowRect(&r);
        CRect origin;
        parent.GetWindowRect(&origin);
        r.OffsetRect(-origin.left, -origin.top);
        int dark = 0;
        for (int y = r.top + 2; y < r.bottom - 2; ++y)
            for (int x = r.left + 2; x < r.right - 2; ++x)
                if (const COLORREF c = shot.GetPixel(x, y); GetRValue(c) + GetGValue(c) + GetBValue(c) < 200)
                    ++dark;
        return dark;
    };
    EXPECT_GT(ink(Page::IDC_TITLE_LINK), 30);
    EXPECT_LT(ink(Page::IDC_LABELS_EDIT), 30);
    Item(Page::IDC_TITLE_LINK)->EnableWindow(FALSE);
    EXPECT_LT(ink(Page::IDC_TITLE_LINK), 10);
    Picture("selector-general-pictures");
    GetIconTheme().SetFolders({}, {});
}

TEST_F(SelectorPagesTest, APushButtonTakesExactlyTwoLabelCells)
{
    using Page = CSelectorGeneralPage;
    ImportWorkbook();
    CParameterSet* general = Load("KVPushButtonSymbol", "General");
    Open<Page>(general);
    ASSERT_NE(pages::FindLabels(general), nullptr);
    CCellBinding& labels = *pages::FindLabels(general)->GetBinding();

    for (const char* refused : {"'Inputs'!$A$1:$A$3", "'Inputs'!$A$1"}) {
        boxes->Clear();
        boxes->Answer(IDOK);
        picker->Answer(RangePickOutcome::Picked, refused);
        Click(Page::IDC_LABELS_LINK);
        ASSERT_EQ(boxes->Log().size(), 1u) << refused;
        EXPECT_EQ(boxes->Log()[0].text,
                  "Your selection is invalid.  You need to select exactly two cells for this component.");
        EXPECT_FALSE(labels.IsBound()) << refused;
    }
    EXPECT_EQ(Notified(), 0);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1:$A$2");
    Click(Page::IDC_LABELS_LINK);
    EXPECT_TRUE(labels.IsBound());
    EXPECT_EQ(Text(Page::IDC_LABELS), "'Inputs'!$A$1:$A$2");
    EXPECT_EQ(Notified(), 1);
}

TEST_F(SelectorPagesTest, FewerLabelsThanTheDefaultSelectionResetIt)
{
    using Page = CSelectorGeneralPage;
    CParameterSet* general = Load("KVListBoxSymbol", "General");
    Key("selectIdx")->SetInt(2);
    Open<Page>(general);
    CParameter& labels = Param(general, "labels")->GetBinding()->GetValue();
    // Three labels keep the third as the default; two do not.
    for (const auto& [left, index] : {std::pair{3, 2}, std::pair{2, 0}}) {
        ui::SetDialogHookByCaption("Labels", [&](CDialog& dlg) {
            EXPECT_EQ(static_cast<CArrayDlg&>(dlg).GetList()->GetRowCount(), labels.GetElementCount());
            CUserInput::Click(*dlg.GetDlgItem(CArrayDlg::kRemoveId), CPoint(3, 3));
            CUserInput::Click(*dlg.GetDlgItem(IDOK), CPoint(3, 3));
        });
        Click(Page::IDC_LABELS_EDIT);
        EXPECT_EQ(labels.GetElementCount(), left);
        EXPECT_EQ(Key("selectIdx")->GetInt(), index);
    }
    EXPECT_EQ(Notified(), 2);

    // Cancel keeps the labels as they were.
    ui::SetDialogHookByCaption("Labels", [&](CDialog& dlg) {
        CUserInput::Click(*dlg.GetDlgItem(CArrayDlg::kRemoveId), CPoint(3, 3));
        CUserInput::Click(*dlg.GetDlgItem(IDCANCEL), CPoint(3, 3));
    });
    Click(Page::IDC_LABELS_EDIT);
    EXPECT_EQ(labels.GetElementCount(), 2);
    EXPECT_EQ(Notified(), 2);
}

TEST_F(SelectorPagesTest, TheTwoStatesOfACheckBoxAreNamedForTheLabelsDialog)
{
    using Page = CSelectorGeneralPage;
    CParameterSet* general = Load("KVCheckBoxSymbol", "General");
    Open<Page>(general);
    std::vector<std::string> names;
    ui::SetDialogHookByCaption("Labels", [&](CDialog& dlg) {
        CPropertyListCtrl& rows = *static_cast<CArrayDlg&>(dlg).GetList();
        for (int i = 0; i < rows.GetRowCount(); ++i)
            names.push_back(rows.GetRowInfo(i)->name);
        CUserInput::Click(*dlg.GetDlgItem(IDOK), CPoint(3, 3));
    });
    Click(Page::IDC_LABELS_EDIT);
    EXPECT_EQ(names, (std::vector<std::string>{"Unchecked", "Checked"}));
    EXPECT_EQ(HelpFor(Page::IDC_LABELS_EDIT), 760);
}

TEST_F(SelectorPagesTest, TheTitleIsTypedAndInsertCellsWithFormulasAreQuestioned)
{
    using Page = CSelectorGeneralPage;
    ImportWorkbook();
    CParameterSet* general = Load("KVCheckBoxSymbol", "General");
    Open<Page>(general);
    // The check box's title is its label.
    EXPECT_EQ(Text(Page::IDC_TITLE_LABEL), "Label");
    EXPECT_EQ(Text(Page::IDC_TITLES_GROUP), "Label");
    TypeInto(Page::IDC_TITLE, "Include tax");
    EXPECT_EQ(Param(general, "title")->GetBinding()->GetValue().GetString(), "Include tax");
    EXPECT_EQ(Notified(), 1);

    // B5 holds a formula: No refuses the cells, Yes keeps them.
    CCellBinding& target = *Param(general, "dataValues")->GetBinding();
    boxes->Answer(IDNO);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$5");
    Click(Page::IDC_INSERT_IN_LINK);
    ASSERT_EQ(boxes->Log().size(), 1u);
    EXPECT_EQ(boxes->Log()[0].text,
              "Insert In Selections should not contain cells that have formulas\n\nDo you wish to continue?");
    EXPECT_FALSE(target.IsBound());
    boxes->Answer(IDYES);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$B$5");
    Click(Page::IDC_INSERT_IN_LINK);
    EXPECT_TRUE(target.IsBound());
    EXPECT_EQ(Text(Page::IDC_INSERT_IN), "'Inputs'!$B$5");
    EXPECT_EQ(Notified(), 2);
}

TEST_F(SelectorPagesTest, CancellingTheStatusValuesLeavesTheSourceUnlinkedAndSaysSo)
{
    using Page = CSelectorGeneralPage;
    ImportWorkbook();
    CParameterSet* general = Load("KVCheckBoxSymbol", "General");
    // An insert option that can only be "value" is fixed and keeps the values button.
    CValueList* options = Param(general, "retInfo")->GetValueList();
    options->ClearAllowed();
    options->AddAllowed("value");
    Open<Page>(general);
    EXPECT_FALSE(Enabled(Page::IDC_OPTION));
    EXPECT_TRUE(Visible(Page::IDC_SOURCE_VALUES));

    // Two status values need exactly two cells.
    boxes->Answer(IDOK);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$5:$A$7");
    Click(Page::IDC_SOURCE_LINK);
    EXPECT_EQ(boxes->Log().size(), 1u);
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$5:$A$6");
    Click(Page::IDC_SOURCE_LINK);
    CCellBinding& source = *Param(general, "values")->GetBinding();
    ASSERT_TRUE(source.IsBound());

    bool asked = false;
    ui::SetDialogHookByCaption("Source Data", [&](CDialog& dlg) {
        asked = true;
        dlg.EndDialog(IDCANCEL);
    });
    const int before = Notified();
    Click(Page::IDC_SOURCE_VALUES);
    EXPECT_TRUE(asked);
    EXPECT_FALSE(source.IsBound());
    EXPECT_EQ(Text(Page::IDC_SOURCE), "");
    EXPECT_EQ(Notified(), before + 1);
}

TEST_F(SelectorPagesTest, TheFilterCountTrimsTitlesAndResetsEveryPerFilterArray)
{
    using Page = CSelectorGeneralPage;
    CParameterSet* general = Load("KVFilterSymbol", "General");
    CParameter* titles = &Param(general, "labels")->GetBinding()->GetValue();
    titles->InsertTemplateElement(-1)->SetString("Filter 3");
    Key("selectIdx")->GetElement(1)->SetInt(4);
    Open<Page>(general);
    EXPECT_EQ(Text(Page::IDC_DISPLAY_GROUP), "Display Options");
    EXPECT_FALSE(Visible(Page::IDC_HORIZONTAL));
    Picture("selector-general-filter");

    TypeIntoSpin(Page::IDC_FILTERS, "1");
    EXPECT_EQ(Param(general, "numFilters")->GetInt(), 1);
    ASSERT_EQ(titles->GetElementCount(), 1);
    EXPECT_EQ(titles->GetElement(0)->GetString(), "Filter 1");
    EXPECT_EQ(Key("selectIdx")->GetElementCount(), 1);

    // Raising the count adds no titles; the arrays hold one template element per filter.
    TypeIntoSpin(Page::IDC_FILTERS, "3");
    EXPECT_EQ(titles->GetElementCount(), 1);
    CParameter* selected = Key("selectIdx");
    ASSERT_EQ(selected->GetElementCount(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(selected->GetElement(i)->GetName(), std::to_string(i));
        EXPECT_EQ(selected->GetElement(i)->GetInt(), 0);
    }
    EXPECT_EQ(Notified(), 2);
    EXPECT_EQ(HelpFor(Page::IDC_FILTERS), 465);

    // The titles dialog holds at most one title per filter.
    int rows = 0;
    ui::SetDialogHookByCaption("Filter Titles", [&](CDialog& dlg) {
        for (int i = 0; i < 4; ++i)
            CUserInput::Click(*dlg.GetDlgItem(CArrayDlg::kAddId), CPoint(3, 3));
        rows = static_cast<CArrayDlg&>(dlg).GetList()->GetRowCount();
        CUserInput::Click(*dlg.GetDlgItem(IDOK), CPoint(3, 3));
    });
    Click(Page::IDC_LABELS_EDIT);
    EXPECT_EQ(rows, 3);
    EXPECT_EQ(titles->GetElementCount(), 3);
}

TEST_F(SelectorPagesTest, TheDisplayOptionsBoxIsNamedByWhatItHolds)
{
    using Page = CSelectorGeneralPage;
    struct Case {
        const char* symbol;
        const char* caption;
        bool radios, display;
        int titleHelp;
    };
    const Case cases[] = {
        {"KVMenuSymbol", "Orientation", true, false, 610},
        {"KVRadioButtonSetSymbol", "Orientation", true, false, 545},
        {"KVMapUSASymbol", "Display Data", false, true, 1010},
    };
    for (const Case& c : cases) {
        page.reset();
        Open<Page>(Load(c.symbol, "General"));
        EXPECT_TRUE(Visible(Page::IDC_DISPLAY_GROUP)) << c.symbol;
        EXPECT_EQ(Text(Page::IDC_DISPLAY_GROUP), c.caption) << c.symbol;
        EXPECT_EQ(Visible(Page::IDC_VERTICAL), c.radios) << c.symbol;
        EXPECT_EQ(Visible(Page::IDC_DISPLAY_DATA), c.display) << c.symbol;
        EXPECT_EQ(HelpFor(Page::IDC_TITLE), c.titleHelp) << c.symbol;
    }
    // The map's regions may be typed or linked to cells; its source data stay linkable with
    // the shipped insert option ("label").
    EXPECT_EQ(Text(Page::IDC_LABELS_LABEL), "Regions");
    EXPECT_TRUE(Enabled(Page::IDC_LABELS_LINK));
    EXPECT_TRUE(Visible(Page::IDC_SOURCE_LINK));
    Picture("selector-general-map");

    page.reset();
    Open<Page>(Load("KVMenuSymbol", "General"));
    EXPECT_TRUE(Checked(Page::IDC_VERTICAL));
    Click(Page::IDC_HORIZONTAL);
    EXPECT_EQ(pages::ChoiceText(Key("menuOrientation")), "horizontal");
    EXPECT_EQ(Notified(), 1);
}

// ---- Behavior ----

TEST_F(SelectorPagesTest, AnExpandedMenuSwapsItsOpenControlsForTheUpdateOn)
{
    using Page = CSelectorBehaviorPage;
    CParameterSet* behavior = Load("KVMenuSymbol", "Behavior");
    // The menu ships both; switched on here.
    Param(behavior, "animation")->SetBool(true);
    ASSERT_TRUE(pages::StoreChoiceText(Param(behavior, "updateOn"), "mouse over"));
    Open<Page>(behavior, "Behavior");
    EXPECT_TRUE(Enabled(Page::IDC_DIRECTION));
    EXPECT_TRUE(Enabled(Page::IDC_OPEN_ON));
    EXPECT_FALSE(Enabled(Page::IDC_UPDATE_ON));
    EXPECT_TRUE(Checked(Page::IDC_ANIMATION));
    EXPECT_TRUE(Enabled(Page::IDC_ANIMATION));
    Picture("selector-behavior-menu");

    // The shipped directions have no "center down": expanding leaves the direction alone.
    Click(Page::IDC_EXPANDED);
    EXPECT_TRUE(Param(behavior, "menuExpanded")->GetBool());
    EXPECT_FALSE(Enabled(Page::IDC_DIRECTION));
    EXPECT_FALSE(Enabled(Page::IDC_OPEN_ON));
    EXPECT_TRUE(Enabled(Page::IDC_UPDATE_ON));
    EXPECT_FALSE(Enabled(Page::IDC_ANIMATION));
    EXPECT_EQ(pages::ChoiceText(Param(behavior, "openVMenu")), "down");

    Click(Page::IDC_EXPANDED);
    EXPECT_EQ(Text(Page::IDC_UPDATE_ON), "mouse click");
    EXPECT_EQ(pages::ChoiceText(Param(behavior, "updateOn")), "mouse over");
    EXPECT_TRUE(Enabled(Page::IDC_ANIMATION));

    // Opening upwards has no animation.
    Choose(Page::IDC_DIRECTION, 1);
    EXPECT_EQ(pages::ChoiceText(Param(behavior, "openVMenu")), "up");
    EXPECT_FALSE(Param(behavior, "animation")->GetBool());
    EXPECT_FALSE(Checked(Page::IDC_ANIMATION));
    EXPECT_FALSE(Enabled(Page::IDC_ANIMATION));
    EXPECT_EQ(Notified(), 3);
}

TEST_F(SelectorPagesTest, ExpandingAVerticalMenuOpensItFromTheCentreWhereItsListOffersThat)
{
    using Page = CSelectorBehaviorPage;
    CParameterSet* behavior = Load("KVMenuSymbol", "Behavior");
    Param(behavior, "openVMenu")->GetValueList()->AddAllowed("center down");
    Open<Page>(behavior, "Behavior");
    Click(Page::IDC_EXPANDED);
    EXPECT_EQ(pages::ChoiceText(Param(behavior, "openVMenu")), "center down");
    EXPECT_EQ(Text(Page::IDC_DIRECTION), "center down");
}

TEST_F(SelectorPagesTest, TheDefaultSelectionListsTheSelectorsItems)
{
    using Page = CSelectorBehaviorPage;
    struct Case {
        const char* symbol;
        std::vector<std::string> items;
        int help;
    };
    const Case cases[] = {
        {"KVPushButtonSymbol", {"Off", "On"}, 715},
        {"KVCheckBoxSymbol", {"Unchecked", "Checked"}, 765},
        {"KVComboBoxSymbol", {"Item 1", "Item 2", "Item 3"}, 435},
    };
    for (const Case& c : cases) {
        page.reset();
        Open<Page>(Load(c.symbol, "Behavior"), "Behavior");
        EXPECT_EQ(Text(Page::IDC_DEFAULT_LABEL), "Default Selection") << c.symbol;
        EXPECT_EQ(Items(Page::IDC_DEFAULT), c.items) << c.symbol;
        EXPECT_TRUE(Enabled(Page::IDC_DEFAULT)) << c.symbol;
        EXPECT_EQ(HelpFor(Page::IDC_DEFAULT), c.help) << c.symbol;
    }
    Choose(Page::IDC_DEFAULT, 2);
    EXPECT_EQ(Key("selectIdx")->GetInt(), 2);
    EXPECT_EQ(Notified(), 1);
}

TEST_F(SelectorPagesTest, ADefaultPastTheLabelsIsResetAndTheDocumentToldSo)
{
    using Page = CSelectorBehaviorPage;
    CParameterSet* behavior = Load("KVListBoxSymbol", "Behavior");
    Key("selectIdx")->SetInt(7);
    Open<Page>(behavior, "Behavior");
    EXPECT_EQ(Items(Page::IDC_DEFAULT).size(), 4u);
    EXPECT_EQ(Key("selectIdx")->GetInt(), 0);
    EXPECT_EQ(Text(Page::IDC_DEFAULT), "Item 1");
    EXPECT_EQ(Notified(), 1);
}

TEST_F(SelectorPagesTest, TheFiltersArrayAndTheMapsUnlinkedRegionsGiveNoDefaultList)
{
    using Page = CSelectorBehaviorPage;
    // The filter keeps one selection per filter: no single default to choose.
    Open<Page>(Load("KVFilterSymbol", "Behavior"), "Behavior");
    EXPECT_FALSE(Visible(Page::IDC_DEFAULT));
    EXPECT_FALSE(Visible(Page::IDC_DEFAULT_REGION));
    EXPECT_EQ(Key("selectIdx")->GetElementCount(), 2);

    // The map's source is not linked to cells: there are no regions to offer yet.
    page.reset();
    Open<Page>(Load("KVMapUSASymbol", "Behavior"), "Behavior");
    EXPECT_TRUE(Visible(Page::IDC_DEFAULT_REGION));
    EXPECT_FALSE(Enabled(Page::IDC_DEFAULT_REGION));
    EXPECT_FALSE(Enabled(Page::IDC_DEFAULT_LABEL));
    EXPECT_EQ(HelpFor(Page::IDC_DEFAULT_REGION), 1027);
    Picture("selector-behavior-map");
}

TEST_F(SelectorPagesTest, TheEntryEffectIsFoundWhateverItsCase)
{
    using Page = CSelectorBehaviorPage;
    CParameterSet* behavior = Load("KVComboBoxSymbol", "Behavior");
    struct Case {
        const char* stored;
        const char* shown;
        bool duration;
    };
    const Case cases[] = {{"grow", "Grow", true}, {"None", "None", false}, {"Spin", "", true}};
    for (const Case& c : cases) {
        Param(behavior, "introStyle")->SetString(c.stored);
        Open<Page>(behavior, "Behavior");
        EXPECT_EQ(Text(Page::IDC_EFFECT), c.shown) << c.stored;
        EXPECT_EQ(Enabled(Page::IDC_DURATION), c.duration) << c.stored;
        EXPECT_EQ(Enabled(Page::IDC_DURATION_LABEL), c.duration) << c.stored;
    }
    Choose(Page::IDC_EFFECT, 1);
    EXPECT_EQ(Param(behavior, "introStyle")->GetString(), "Fade-in");
    EXPECT_EQ(Notified(), 1);
}

// ---- Play options ----

TEST_F(SelectorPagesTest, PlayOptionsListTheDefaultByRowsOrColumns)
{
    using Page = CPlayOptionsBehaviorPage;
    CParameterSet* behavior = Load("KVPlaySelectorSymbol", "Behavior");
    Key("selectIdx")->SetInt(2);
    Open<Page>(behavior, "Behavior");
    const int rows = pages::ElementCount(Key("sourceCells_ary"));
    ASSERT_GE(rows, 3);
    EXPECT_EQ(Items(Page::IDC_DEFAULT).size(), static_cast<std::size_t>(rows));
    EXPECT_EQ(Items(Page::IDC_DEFAULT)[0], "row 1");
    EXPECT_EQ(Text(Page::IDC_DEFAULT), "row 3");
    EXPECT_TRUE(Enabled(Page::IDC_DEFAULT));
    Picture("play-options-behavior");

    Choose(Page::IDC_DEFAULT, 0);
    EXPECT_EQ(Key("selectIdx")->GetInt(), 0);
    EXPECT_EQ(Notified(), 1);

    // Playing by columns counts the cells of the first row; a plain text unit works alike.
    Key("playBy")->GetValueList()->GetPrototype().SetString("column");
    page->OnSetActive();
    EXPECT_EQ(Items(Page::IDC_DEFAULT), (std::vector<std::string>{"column 1", "column 2"}));
    EXPECT_EQ(Text(Page::IDC_DEFAULT), "column 1");
}

TEST_F(SelectorPagesTest, PlayOptionsCheckBoxesWriteAtOnce)
{
    using Page = CPlayOptionsBehaviorPage;
    CParameterSet* behavior = Load("KVPlaySelectorSymbol", "Behavior");
    Open<Page>(behavior, "Behavior");
    // The play selector has no sound: its box is off.
    EXPECT_FALSE(Enabled(Page::IDC_SOUND));
    EXPECT_TRUE(Checked(Page::IDC_SHOW_SLIDER));
    const std::pair<int, const char*> boxes[] = {{Page::IDC_SHOW_SLIDER, "sliderEnabled"},
                                                 {Page::IDC_AUTO_REWIND, "autoRewind"},
                                                 {Page::IDC_SHOW_PREV_NEXT, "prevNextEnabled"}};
    int told = 0;
    for (const auto& [id, key] : boxes) {
        const bool before = Param(behavior, key)->GetBool();
        Click(id);
        EXPECT_EQ(Param(behavior, key)->GetBool(), !before) << key;
        EXPECT_EQ(Notified(), ++told) << key;
    }
    EXPECT_EQ(HelpFor(Page::IDC_AUTO_REWIND), 515);
    EXPECT_EQ(HelpFor(Page::IDC_EFFECT), 510);
    EXPECT_EQ(HelpFor(Page::IDC_DEFAULT), 520);
}

TEST_F(SelectorPagesTest, ClearingThePlayersStatusLinkShowsItAlways)
{
    using Page = CPlayOptionsBehaviorPage;
    ImportWorkbook();
    CParameterSet* behavior = Load("KVPlaySelectorSymbol", "Behavior");
    Open<Page>(behavior, "Behavior");
    EXPECT_FALSE(Enabled(Page::IDC_KEY));
    picker->Answer(RangePickOutcome::Picked, "'Inputs'!$A$1");
    Click(Page::IDC_STATUS_LINK);
    EXPECT_TRUE(Enabled(Page::IDC_KEY));
    TypeInto(Page::IDC_KEY, "Rate");
    EXPECT_EQ(Param(behavior, "displayKey")->GetBinding()->GetValue().GetString(), "Rate");

    picker->Answer(RangePickOutcome::Cleared);
    Click(Page::IDC_STATUS_LINK);
    EXPECT_EQ(Param(behavior, "displayStatus")->GetBinding()->GetValue().GetValueText(), "1");
    EXPECT_EQ(Param(behavior, "displayKey")->GetBinding()->GetValue().GetValueText(), "1");
    EXPECT_EQ(Text(Page::IDC_KEY), "1");
    EXPECT_FALSE(Enabled(Page::IDC_KEY));
    EXPECT_EQ(Notified(), 3);
}

} // namespace
