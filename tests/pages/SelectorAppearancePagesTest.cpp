// The Appearance tabs of the selectors and the maps, on the shipped parameters and on groups
// that carry the keys the richer selectors have.

#include "model/CellBinding.h"
#include "pages/MapAppearancePage.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "pages/SelectorAppearancePage.h"
#include "platform/controls/SpinEdit.h"
#include "tests/pages/PageFixture.h"

namespace {

class SelectorAppearancePagesTest : public pagetest::PageTest {
protected:
    static void AddParams(CParameterSet* to, const std::string& params)
    {
        ComponentDefaults extra =
            model::ReadDefaultParameters("<?xml version=\"1.0\"?><component symbol=\"X\">" + params + "</component>");
        while (extra.parameters->GetCount() > 0)
            to->Add(extra.parameters->Detach(0));
    }
    CParameter* Key(const char* key) { return pages::FindInComponent(defaults.parameters.get(), key); }
    std::string SpinText(int id) { return static_cast<CSpinEdit*>(Item(id))->GetText(); }
    void TypeSpin(int id, const std::string& text)
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
    template <class Page> Page& OpenAppearance(CParameterSet* group, std::unique_ptr<Page> made)
    {
        return Show(std::move(made), group, "Appearance", defaults.parameters.get());
    }
};

using Selector = CSelectorAppearancePage;
using Map = CMapAppearancePage;

constexpr const char* kMarkers = R"(<param name="useDefaultArt" type="2" value="false"/>
    <param name="thumbColor" type="4" value="0x666666"/>
    <param name="defaultColor" type="4" value="0x111111"/><param name="selectColor" type="4" value="0x222222"/>
    <param name="arrowDefaultColor" type="4" value="0x333333"/><param name="arrowSelectColor" type="4" value="0x444444"/>)";

TEST_F(SelectorAppearancePagesTest, MarkerColoursFollowTheSelectorKind)
{
    struct Case {
        const char* symbol;
        const char* defaultCaption;
        const char* defaultKey;
        const char* otherKey;
    };
    const Case cases[] = {
        {"KVPushButtonSymbol", "Off Fill", "defaultColor", "arrowDefaultColor"},
        {"KVComboBoxSymbol", "Default Fill", "arrowDefaultColor", "defaultColor"},
        {"KVFilterSymbol", "Default Fill", "arrowDefaultColor", "defaultColor"},
        {"KVListBoxSymbol", "Default Fill", "defaultColor", "arrowDefaultColor"},
    };
    for (const Case& c : cases) {
        page.reset();
        CParameterSet* group = Load(c.symbol, "Appearance");
        AddParams(group, kMarkers);
        OpenAppearance(group, std::make_unique<Selector>());
        EXPECT_EQ(Text(Selector::IDC_MARKER_DEFAULT_LABEL), c.defaultCaption) << c.symbol;
        files->AnswerColour(RGB(0x12, 0x34, 0x56));
        Click(Selector::IDC_MARKER_DEFAULT);
        EXPECT_EQ(group->FindParameter(c.defaultKey)->GetColor(), 0x123456u) << c.symbol;
        EXPECT_NE(group->FindParameter(c.otherKey)->GetColor(), 0x123456u) << c.symbol;
    }
    // Marker art draws the markers: their colours are then not used.
    Click(Selector::IDC_USE_MARKER_ART);
    EXPECT_FALSE(Enabled(Selector::IDC_MARKER_DEFAULT));
    EXPECT_FALSE(Enabled(Selector::IDC_THUMB));
}

TEST_F(SelectorAppearancePagesTest, APushButtonHasNoLabelBackgroundAndItsTitleOnlyWhenItHasOne)
{
    CParameterSet* group = Load("KVPushButtonSymbol", "Appearance");
    AddParams(group, R"(<group name="labelColors" subtype="default">
        <param name="overTextColor" type="4" value="0x000000"/><param name="selectTextColor" type="4" value="0x000000"/>
        <param name="dftBgColor" type="4" value="0xEEEEEE"/><param name="overBgColor" type="4" value="0xDDDDDD"/>
        <param name="selectBgColor" type="4" value="0xCCCCCC"/></group>)");
    auto& shown = OpenAppearance(group, std::make_unique<Selector>());
    EXPECT_EQ(shown.TypeIndex(), 0);
    EXPECT_FALSE(Visible(Selector::IDC_TITLE_GROUP));
    EXPECT_FALSE(Visible(Selector::IDC_BACKGROUND_GROUP));
    EXPECT_FALSE(Visible(Selector::IDC_OVER_TEXT));
    EXPECT_TRUE(Visible(Selector::IDC_SELECTED_TEXT));
    // The shipped label font is edited under its shipped name.
    EXPECT_TRUE(Visible(Selector::IDC_LABEL_FONT));
    EXPECT_EQ(HelpFor(Selector::IDC_SELECTED_TEXT), 728);
    Picture("selector-appearance-push-button");
}

TEST_F(SelectorAppearancePagesTest, TheShippedListsEditTheirTitleLabelsAndOwnColours)
{
    CParameterSet* group = Load("KVListBoxSymbol", "Appearance");
    OpenAppearance(group, std::make_unique<Selector>());
    EXPECT_TRUE(Checked(Selector::IDC_SHOW_TITLE));
    EXPECT_TRUE(Enabled(Selector::IDC_TITLE_Y));
    EXPECT_TRUE(Checked(Selector::IDC_SHOW_LABELS));
    // The list's own colours stand in for the label colour group it does not have.
    for (const auto& [id, key] : {std::pair{Selector::IDC_SELECTED_TEXT, "selectedColor"},
                                  std::pair{Selector::IDC_DEFAULT_BG, "defaultFillColor"},
                                  std::pair{Selector::IDC_SELECTED_BG, "selectedFillColor"},
                                  std::pair{Selector::IDC_BORDER_COLOR, "borderColor"}}) {
        SCOPED_TRACE(key);
        EXPECT_TRUE(Visible(id));
        ASSERT_TRUE(Enabled(id));
        files->AnswerColour(RGB(0xCC, 0x00, 0x11));
        Click(id);
        EXPECT_EQ(group->FindParameter(key)->GetColor(), 0xCC0011u);
    }
    EXPECT_FALSE(Visible(Selector::IDC_OVER_TEXT));
    EXPECT_FALSE(Visible(Selector::IDC_OVER_BG));
    // It always draws its border: the switch shows so and cannot be changed; it has no fill.
    EXPECT_TRUE(Checked(Selector::IDC_SHOW_BORDER));
    EXPECT_FALSE(Enabled(Selector::IDC_SHOW_BORDER));
    EXPECT_FALSE(Visible(Selector::IDC_FILL_COLOR));
    EXPECT_FALSE(Visible(Selector::IDC_USE_BACKGROUND_ART));
    EXPECT_EQ(Notified(), 4);
    Picture("selector-appearance-shipped-list-box");

    Click(Selector::IDC_SHOW_TITLE);
    EXPECT_FALSE(group->FindParameter("showTitle")->GetBool());
    EXPECT_FALSE(Enabled(Selector::IDC_TITLE_Y));
    Click(Selector::IDC_SHOW_LABELS);
    EXPECT_FALSE(group->FindParameter("showLabels")->GetBool());
}

TEST_F(SelectorAppearancePagesTest, ACheckBoxKeepsItsMarkColoursOffTheLabelRows)
{
    // Its "selectedColor" draws the check mark, not a chosen label: no label rows edit it.
    CParameterSet* group = Load("KVCheckBoxSymbol", "Appearance");
    OpenAppearance(group, std::make_unique<Selector>());
    EXPECT_FALSE(Visible(Selector::IDC_SELECTED_TEXT));
    EXPECT_FALSE(Visible(Selector::IDC_DEFAULT_BG));
    EXPECT_TRUE(Enabled(Selector::IDC_FILL_COLOR));
    files->AnswerColour(RGB(0x00, 0x44, 0x88));
    Click(Selector::IDC_FILL_COLOR);
    EXPECT_EQ(group->FindParameter("fillColor")->GetColor(), 0x004488u);
    TypeSpin(Selector::IDC_TITLE_Y, "-6");
    EXPECT_EQ(group->FindParameter("titleYshift")->GetInt(), 6);
}

TEST_F(SelectorAppearancePagesTest, TheShippedArtSwitchesTakeTheirPlainColoursAway)
{
    // The list keeps its row fills under its own names: label art disables them, and back.
    CParameterSet* list = Load("KVListBoxSymbol", "Appearance");
    OpenAppearance(list, std::make_unique<Selector>());
    ASSERT_TRUE(Visible(Selector::IDC_USE_LABEL_ART));
    EXPECT_TRUE(Enabled(Selector::IDC_DEFAULT_BG));
    Click(Selector::IDC_USE_LABEL_ART);
    EXPECT_TRUE(list->FindParameter("useLabelArt")->GetBool());
    EXPECT_FALSE(Enabled(Selector::IDC_DEFAULT_BG));
    EXPECT_FALSE(Enabled(Selector::IDC_SELECTED_BG));
    Click(Selector::IDC_USE_LABEL_ART);
    EXPECT_TRUE(Enabled(Selector::IDC_SELECTED_BG));
    TypeSpin(Selector::IDC_SEPARATION, "4");
    EXPECT_EQ(list->FindParameter("itemSeparation")->GetInt(), 4);

    // The radio buttons' markers: plain colours only while their art is off.
    CParameterSet* radio = Load("KVRadioButtonSetSymbol", "Appearance");
    OpenAppearance(radio, std::make_unique<Selector>());
    EXPECT_TRUE(Visible(Selector::IDC_BACKGROUND_GROUP)); // shown again for its transparency
    EXPECT_TRUE(Enabled(Selector::IDC_MARKER_SELECTED));
    Click(Selector::IDC_USE_MARKER_ART);
    EXPECT_TRUE(radio->FindParameter("useDefaultArt")->GetBool());
    EXPECT_FALSE(Enabled(Selector::IDC_MARKER_SELECTED));
    EXPECT_FALSE(Enabled(Selector::IDC_MARKER_DEFAULT));
}

TEST_F(SelectorAppearancePagesTest, AComboBoxOpensNoMoreRowsThanItHasLabels)
{
    struct Case {
        const char* symbol;
        int labels;
        int rowsAfter;
        bool spinEnabled;
    };
    const Case cases[] = {{"KVComboBoxSymbol", 3, 3, true}, {"KVComboBoxSymbol", 1, 1, false}, {"KVListBoxSymbol", 3, 5, true}};
    for (const Case& c : cases) {
        page.reset();
        owner.refreshes.clear();
        CParameterSet* group = Load(c.symbol, "Appearance");
        AddParams(group, R"(<param name="rowCnt" type="3" value="5" min="1" max="20"/>)");
        CParameter* labels = &Key("labels")->GetBinding()->GetValue();
        while (labels->GetElementCount() > c.labels)
            labels->RemoveElementAt(labels->GetElementCount() - 1);
        OpenAppearance(group, std::make_unique<Selector>());
        EXPECT_EQ(group->FindParameter("rowCnt")->GetInt(), c.rowsAfter) << c.symbol << c.labels;
        EXPECT_EQ(SpinText(Selector::IDC_ROWS), std::to_string(c.rowsAfter)) << c.symbol << c.labels;
        EXPECT_EQ(Enabled(Selector::IDC_ROWS), c.spinEnabled) << c.symbol << c.labels;
        EXPECT_EQ(Notified(), c.rowsAfter != 5 ? 1 : 0) << c.symbol << c.labels;
    }
}

TEST_F(SelectorAppearancePagesTest, BackgroundArtAndTheDrawnBorderOrFillExcludeEachOther)
{
    CParameterSet* group = Load("KVListBoxSymbol", "Appearance");
    AddParams(group, R"(<param name="useBackgroundArt" type="2" value="false"/>
        <param name="backgroundTrans" type="3" value="0" min="0" max="100"/>
        <group name="backgroundProps" subtype="default">
          <param name="showBorder" type="2" value="true"/><param name="showFill" type="2" value="true"/>
          <param name="borderColor" type="4" value="0x666666"/><param name="fillColor" type="4" value="0xFFFFFF"/>
          <param name="borderWeight" type="3" value="1" min="0" max="10"/>
          <param name="xMargin" type="3" value="2"/><param name="yMargin" type="3" value="2"/></group>)");
    CParameterSet* background = group->FindParameter("backgroundProps")->GetSet();
    OpenAppearance(group, std::make_unique<Selector>());
    EXPECT_TRUE(Enabled(Selector::IDC_BORDER_COLOR));
    EXPECT_TRUE(Enabled(Selector::IDC_BACK_TRANS));
    Picture("selector-appearance-list-box");

    Click(Selector::IDC_USE_BACKGROUND_ART);
    EXPECT_TRUE(group->FindParameter("useBackgroundArt")->GetBool());
    EXPECT_FALSE(background->FindParameter("showBorder")->GetBool());
    EXPECT_FALSE(background->FindParameter("showFill")->GetBool());
    EXPECT_FALSE(Checked(Selector::IDC_SHOW_BORDER));
    EXPECT_FALSE(Enabled(Selector::IDC_BORDER_COLOR));
    EXPECT_FALSE(Enabled(Selector::IDC_FILL_COLOR));
    EXPECT_TRUE(Enabled(Selector::IDC_BACK_TRANS));

    Click(Selector::IDC_SHOW_FILL);
    EXPECT_TRUE(background->FindParameter("showFill")->GetBool());
    EXPECT_FALSE(group->FindParameter("useBackgroundArt")->GetBool());
    EXPECT_FALSE(Checked(Selector::IDC_USE_BACKGROUND_ART));
    EXPECT_TRUE(Enabled(Selector::IDC_FILL_COLOR));
    EXPECT_FALSE(Enabled(Selector::IDC_BORDER_COLOR));

    Click(Selector::IDC_SHOW_FILL);
    EXPECT_FALSE(Enabled(Selector::IDC_BACK_TRANS));
    EXPECT_EQ(Notified(), 3);
}

TEST_F(SelectorAppearancePagesTest, ALabelNumberFormatMakesRoomAndFollowsShowLabels)
{
    CParameterSet* group = Load("KVListBoxSymbol", "Appearance");
    group->FindParameter("showLabels")->SetBool(false);
    AddParams(group, R"(<group name="labelFormat" subtype="default"><param name="numFormat" value="#,##0.00"/></group>
        <param name="useBackgroundArt" type="2" value="false"/>
        <group name="backgroundProps" subtype="default"><param name="showBorder" type="2" value="true"/></group>)");
    // Labels that are numbers can be formatted; text labels cannot.
    CParameter& labels = Key("labels")->GetBinding()->GetValue();
    for (int i = 0; i < labels.GetElementCount(); ++i)
        labels.GetElement(i)->SetDouble(1000.0 * (i + 1), true);
    OpenAppearance(group, std::make_unique<Selector>());
    ASSERT_TRUE(Visible(Selector::IDC_FORMAT));
    CWnd* kinds = Item(Selector::IDC_FORMAT)->GetDlgItem(CNumericFormatCtrl::IdKindList);
    ASSERT_NE(kinds, nullptr);
    EXPECT_FALSE(kinds->IsWindowEnabled());
    // The border group moved below the format rather than under it.
    EXPECT_GE(Item(Selector::IDC_BORDER_GROUP)->GetRectInParent().top,
              Item(Selector::IDC_FORMAT)->GetRectInParent().bottom);
    Click(Selector::IDC_SHOW_LABELS);
    EXPECT_TRUE(group->FindParameter("showLabels")->GetBool());
    EXPECT_TRUE(kinds->IsWindowEnabled());
    EXPECT_EQ(HelpFor(Selector::IDC_FORMAT), 682);
    Picture("selector-appearance-label-format");
}

TEST_F(SelectorAppearancePagesTest, MouseOverUpdatesDisableTheMouseOverColoursExactly)
{
    for (const auto& [mode, enabled] : {std::pair{"mouse over", false}, std::pair{"Mouse Over", true}}) {
        page.reset();
        CParameterSet* group = Load("KVMenuSymbol", "Appearance");
        AddParams(group, R"(<param name="useLabelArt" type="2" value="false"/><group name="labelColors" subtype="default">
            <param name="overTextColor" type="4" value="0x000000"/><param name="selectTextColor" type="4" value="0x000000"/>
            <param name="dftBgColor" type="4" value="0xEEEEEE"/><param name="overBgColor" type="4" value="0xDDDDDD"/>
            <param name="selectBgColor" type="4" value="0xCCCCCC"/></group>)");
        // The menu ships its "updateOn" as a choice; a text of another letter case stands in it here.
        CParameterSet* behavior = Key("menuExpanded")->GetOwner();
        for (int i = 0; i < behavior->GetCount(); ++i)
            if (behavior->GetAt(i)->GetName() == "updateOn")
                behavior->RemoveAt(i);
        AddParams(behavior, std::string(R"(<param name="updateOn" value=")") + mode + "\"/>");
        OpenAppearance(group, std::make_unique<Selector>());
        EXPECT_EQ(Enabled(Selector::IDC_OVER_TEXT), enabled) << mode;
        EXPECT_EQ(Enabled(Selector::IDC_OVER_BG), enabled) << mode;
        EXPECT_TRUE(Enabled(Selector::IDC_DEFAULT_BG)) << mode;
    }
    Click(Selector::IDC_USE_LABEL_ART);
    EXPECT_FALSE(Enabled(Selector::IDC_DEFAULT_BG));
    EXPECT_FALSE(Enabled(Selector::IDC_SELECTED_BG));
}

TEST_F(SelectorAppearancePagesTest, AnAlwaysExpandedMenuShowsNoTitle)
{
    CParameterSet* group = Load("KVMenuSymbol", "Appearance");
    // The shipped menu shows its title, unmoved.
    ASSERT_TRUE(group->FindParameter("showTitle")->GetBool());
    group->FindParameter("titleYshift")->SetInt(10);
    Key("menuExpanded")->SetBool(true);
    OpenAppearance(group, std::make_unique<Selector>());
    EXPECT_FALSE(Enabled(Selector::IDC_SHOW_TITLE));
    EXPECT_FALSE(Enabled(Selector::IDC_TITLE_Y));
    // A shift down shows as a negative number.
    EXPECT_EQ(SpinText(Selector::IDC_TITLE_Y), "-10");

    page.reset();
    Key("menuExpanded")->SetBool(false);
    OpenAppearance(group, std::make_unique<Selector>());
    EXPECT_TRUE(Enabled(Selector::IDC_SHOW_TITLE));
    EXPECT_TRUE(Enabled(Selector::IDC_TITLE_Y));
    Click(Selector::IDC_SHOW_TITLE);
    EXPECT_FALSE(group->FindParameter("showTitle")->GetBool());
    EXPECT_FALSE(Enabled(Selector::IDC_TITLE_Y));
    // Topics are given for the first seven selectors only.
    EXPECT_EQ(HelpFor(Selector::IDC_SHOW_TITLE), 641);
}

// ---- Map ----

TEST_F(SelectorAppearancePagesTest, TheMapsTitleSwitchAndRegionColours)
{
    CParameterSet* group = Load("KVMapUSASymbol", "Appearance");
    OpenAppearance(group, std::make_unique<Map>(0));
    EXPECT_TRUE(Checked(Map::IDC_SHOW_TITLE));
    EXPECT_TRUE(Enabled(Map::IDC_TITLE_FONT_LABEL));
    // The shipped map carries every switch of the page; its alerts colour the regions, so the
    // selectable colour waits until they are off.
    EXPECT_TRUE(Visible(Map::IDC_SHOW_ART));
    EXPECT_TRUE(Visible(Map::IDC_SHOW_ON_OFF));
    EXPECT_TRUE(Visible(Map::IDC_USE_CUSTOM));
    EXPECT_TRUE(Visible(Map::IDC_SHOW_LABELS));
    EXPECT_TRUE(Visible(Map::IDC_SELECTABLE_COLOR));
    EXPECT_FALSE(Enabled(Map::IDC_SELECTABLE_COLOR));
    EXPECT_TRUE(Enabled(Map::IDC_YSHIFT));
    EXPECT_TRUE(Visible(Map::IDC_MOUSE_FONT));
    EXPECT_EQ(SpinText(Map::IDC_TRANSPARENCY), "0");
    Picture("map-appearance");

    Click(Map::IDC_SHOW_TITLE);
    EXPECT_FALSE(group->FindParameter("titleEnabled")->GetBool());
    EXPECT_FALSE(Enabled(Map::IDC_TITLE_FONT_LABEL));
    EXPECT_FALSE(Enabled(Map::IDC_POSITION_LABEL));

    files->AnswerColour(RGB(0xCC, 0x33, 0x00));
    Click(Map::IDC_DEFAULT_COLOR);
    EXPECT_EQ(group->FindParameter("regionDftColor")->GetColor(), 0xCC3300u);
    files->AnswerColour(std::nullopt);
    Click(Map::IDC_SELECTED_COLOR);
    EXPECT_EQ(group->FindParameter("regionSelectionColor")->GetColor(), 0x3366CCu);
    EXPECT_EQ(Notified(), 2);
    EXPECT_EQ(HelpFor(Map::IDC_DEFAULT_COLOR), 1032);
    EXPECT_EQ(HelpFor(Map::IDC_SHOW_VALUES), 1031);
}

TEST_F(SelectorAppearancePagesTest, SelectableAndCustomColoursFollowTheirSwitches)
{
    CParameterSet* group = Load("KVMapUSASymbol", "Appearance");
    group->FindParameter("selectableColor")->SetColor(0x00FF00);
    group->FindParameter("useCustomColor")->SetBool(false);
    // The alerts colour the regions: no selectable colour of their own.
    OpenAppearance(group, std::make_unique<Map>(0));
    EXPECT_TRUE(Visible(Map::IDC_SELECTABLE_COLOR));
    EXPECT_FALSE(Enabled(Map::IDC_SELECTABLE_COLOR));
    EXPECT_TRUE(Visible(Map::IDC_SHOW_ART));
    EXPECT_TRUE(Visible(Map::IDC_USE_CUSTOM));
    EXPECT_FALSE(Enabled(Map::IDC_DEFAULT_COLOR));
    Click(Map::IDC_USE_CUSTOM);
    EXPECT_TRUE(group->FindParameter("useCustomColor")->GetBool());
    EXPECT_TRUE(Enabled(Map::IDC_DEFAULT_COLOR));

    // The alert icons' layout never shows the art switch; their topics are their own. They have
    // no selected colour, whose place their default colour takes.
    page.reset();
    for (int i = 0; i < group->GetCount(); ++i)
        if (group->GetAt(i)->GetName() == "regionSelectionColor")
            group->RemoveAt(i);
    Key("alertsEnabled")->SetBool(false);
    owner.type = "KVAlertIconSymbol";
    OpenAppearance(group, std::make_unique<Map>(1));
    EXPECT_FALSE(Visible(Map::IDC_SHOW_ART));
    EXPECT_TRUE(Enabled(Map::IDC_SELECTABLE_COLOR));
    EXPECT_EQ(Text(Map::IDC_SHOW_MOUSE_OVER), "Show Labels");
    EXPECT_EQ(HelpFor(Map::IDC_SELECTABLE_COLOR), 985);
    EXPECT_EQ(HelpFor(Map::IDC_DEFAULT_COLOR), 980);
    Picture("map-appearance-alert-icon");
}

} // namespace
