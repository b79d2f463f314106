// The Appearance tab of the single-value components, driven through its controls on the
// shipped parameters of the sliders, the dial and the progress bar; keys that only some
// components keep (positions, shifts, spacings) are added to those sets.

#include "model/ValueList.h"
#include "pages/SingleValueAppearancePage.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CSingleValueAppearancePage;
using model::ParamType;

CParameter* Add(CParameterSet* set, const char* key, ParamType type)
{
    return set->Add(std::make_unique<CParameter>(key, type));
}

class SingleValueAppearancePageTest : public pagetest::PageTest {
protected:
    // The page of the last set goes before the set it edits.
    CParameterSet* Group(const std::string& symbol)
    {
        page.reset();
        return Load(symbol, "Appearance");
    }
    // The page is taller than most: the sheet takes the size of its tallest page.
    Page& Show(CParameterSet* group)
    {
        Page& shown = Open<Page>(group, "Appearance");
        parent.SetWindowPos(nullptr, 0, 0, 420, 470, SWP_NOMOVE | SWP_NOZORDER);
        shown.SetWindowPos(nullptr, 8, 8, 400, 450, SWP_NOZORDER);
        return shown;
    }
    CParameterSet* Other(const char* name) { return Param(defaults.parameters.get(), name)->GetSet(); }
    CComboBox& Combo(int id) { return *static_cast<CComboBox*>(Item(id)); }
    std::vector<std::string> Items(int id)
    {
        std::vector<std::string> items;
        for (int i = 0; i < Combo(id).GetCount(); ++i)
            items.push_back(Combo(id).GetLBText(i));
        return items;
    }
    CSpinEdit& SpinOf(int id) { return *static_cast<Page&>(*page).Spin(id); }
};

TEST_F(SingleValueAppearancePageTest, PositionListsFollowTheOrientationAndKeepTheChoiceMade)
{
    struct Case {
        const char* symbol;
        const char* stored; // the value position stored before the page opens
        const char* first;
        const char* shownValue;
    };
    const Case cases[] = {
        {"KVSliderHSymbol", "bottom c", "top left", "bottom center"},
        {"KVSliderHSymbol", "nowhere", "top left", "top right"},
        {"KVSliderVSymbol", "LEFT B", "top", "left bottom"},
        {"KVSliderVSymbol", "top right", "top", "bottom"},
    };
    for (const Case& c : cases) {
        CParameterSet* group = Group(c.symbol);
        CParameter* value = Add(group, "valuePosition", ParamType::Text);
        value->SetString(c.stored);
        Add(group, "titlePosition", ParamType::Text)->SetString("top");
        Show(group);
        EXPECT_EQ(Items(Page::IDC_VALUE_POSITION).size(), 8u);
        EXPECT_EQ(Items(Page::IDC_TITLE_POSITION)[0], c.first) << c.symbol;
        EXPECT_EQ(Text(Page::IDC_VALUE_POSITION), c.shownValue) << c.stored;
        // The key the list reads is the key it writes, so the stored text is what is shown.
        EXPECT_EQ(value->GetString(), c.shownValue);
    }

    Choose(Page::IDC_VALUE_POSITION, 3);
    EXPECT_EQ(Param(page->GetGroup(), "valuePosition")->GetString(), "left bottom");
    page->OnSetActive();
    EXPECT_EQ(Text(Page::IDC_VALUE_POSITION), "left bottom");
}

TEST_F(SingleValueAppearancePageTest, ShiftsInYAreShownTheOtherWayRound)
{
    CParameterSet* group = Group("KVSliderHSymbol");
    Add(group, "valueXShift", ParamType::Integer)->SetInt(4);
    Add(group, "valueYShift", ParamType::Integer)->SetInt(5);
    Show(group);
    EXPECT_EQ(SpinOf(Page::IDC_VALUE_Y).GetText(), "-5");
    EXPECT_EQ(SpinOf(Page::IDC_VALUE_X).GetText(), "4");
    CEdit* edit = SpinOf(Page::IDC_VALUE_Y).EditPart();
    edit->SetFocus();
    edit->SetSel(0, -1);
    CUserInput::PressKey(VK_DELETE);
    edit->Type("3");
    CUserInput::PressKey(VK_RETURN);
    EXPECT_EQ(Param(group, "valueYShift")->GetInt(), -3);
    EXPECT_GE(Notified(), 1);
    // The title keeps no shifts: their spins and labels are gone.
    for (int id : {Page::IDC_TITLE_X, Page::IDC_TITLE_Y, Page::IDC_TITLE_X_LABEL, Page::IDC_TITLE_Y_LABEL})
        EXPECT_FALSE(Visible(id)) << id;
}

TEST_F(SingleValueAppearancePageTest, ADialShowsItsTicksAndItsLimitsFollowTheirBehaviours)
{
    CParameterSet* group = Group("KVDialSymbol");
    CParameter* limits = Add(group, "minMaxEnabled", ParamType::Boolean);
    limits->SetBool(true);
    CParameterSet* behavior = Other("Behavior");
    for (const char* key : {"minBehavior", "maxBehavior"}) {
        CParameter* choice = Add(behavior, key, ParamType::Choice);
        choice->GetValueList()->AddAllowed("fixed");
        choice->GetValueList()->AddAllowed("open");
        choice->GetValueList()->GetPrototype().SetString("open");
    }
    Show(group);
    EXPECT_EQ(Text(Page::IDC_SUBTICKS_LABEL), "# of  Subticks");
    EXPECT_EQ(SpinOf(Page::IDC_TICKS).GetText(), "5");
    EXPECT_FALSE(Enabled(Page::IDC_SHOW_LIMITS));
    EXPECT_FALSE(Enabled(Page::IDC_MIN_ANGLE));
    EXPECT_FALSE(Enabled(Page::IDC_MAX_ANGLE_LABEL));

    Param(behavior, "minBehavior")->GetValueList()->GetPrototype().SetString("fixed");
    page->OnSetActive();
    EXPECT_TRUE(Enabled(Page::IDC_SHOW_LIMITS));
    EXPECT_TRUE(Enabled(Page::IDC_MIN_ANGLE));
    EXPECT_FALSE(Enabled(Page::IDC_MAX_ANGLE));
    Picture("single-value-appearance-dial");

    Click(Page::IDC_SHOW_TICKS);
    EXPECT_FALSE(Param(group, "ticksEnabled")->GetBool());
    EXPECT_FALSE(Enabled(Page::IDC_TICK_COLOR));
    EXPECT_FALSE(Enabled(Page::IDC_TICKS));
    files->AnswerColour(RGB(0x12, 0x34, 0x56));
    Click(Page::IDC_SHOW_TICKS);
    Click(Page::IDC_TICK_COLOR);
    EXPECT_EQ(Param(group, "tickColor")->GetColor(), 0x123456u);
    EXPECT_EQ(Notified(), 3);
}

TEST_F(SingleValueAppearancePageTest, AProgressBarsFillColourTakesTheLimitsPlaceAndYieldsToObjectAlerts)
{
    CParameterSet* group = Group("KVProgressBarHSymbol");
    Show(group);
    EXPECT_TRUE(Visible(Page::IDC_SHOW_FILL));
    EXPECT_TRUE(Visible(Page::IDC_FILL_COLOR));
    EXPECT_TRUE(Visible(Page::IDC_LIMITS_GROUP));
    EXPECT_EQ(Text(Page::IDC_LIMITS_GROUP), "Display");
    EXPECT_EQ(Item(Page::IDC_SHOW_FILL)->GetRectInParent(), Item(Page::IDC_SHOW_LIMITS)->GetRectInParent());
    EXPECT_EQ(Item(Page::IDC_FILL_COLOR_LABEL)->GetRectInParent().TopLeft(),
              Item(Page::IDC_LIMIT_FONT)->GetRectInParent().TopLeft());
    EXPECT_FALSE(Enabled(Page::IDC_FILL_COLOR)); // "useCustomColor" is off
    Click(Page::IDC_SHOW_FILL);
    EXPECT_TRUE(Param(group, "useCustomColor")->GetBool());
    EXPECT_TRUE(Enabled(Page::IDC_FILL_COLOR));
    Picture("single-value-appearance-progress");

    // Object alerts colour the bar themselves.
    Param(Other("Alerts"), "alertsEnabled")->SetBool(true);
    page->OnSetActive();
    EXPECT_FALSE(Enabled(Page::IDC_SHOW_FILL));
    EXPECT_FALSE(Enabled(Page::IDC_FILL_COLOR));
}

TEST_F(SingleValueAppearancePageTest, SpacingsStandInForTicksAndAngles)
{
    CParameterSet* group = Group("KVProgressBarVSymbol");
    Add(group, "vSpacing", ParamType::Integer)->SetInt(7);
    Add(group, "hSpacing", ParamType::Integer)->SetInt(3);
    Show(group);
    EXPECT_TRUE(Visible(Page::IDC_VSPACING_LABEL));
    EXPECT_FALSE(Visible(Page::IDC_TICKS_LABEL));
    EXPECT_EQ(SpinOf(Page::IDC_TICKS).GetText(), "7");
    EXPECT_EQ(Text(Page::IDC_MIN_ANGLE_LABEL), "Horizontal Spacing");
    EXPECT_EQ(SpinOf(Page::IDC_MIN_ANGLE).GetText(), "3");
    EXPECT_FALSE(Visible(Page::IDC_MAX_ANGLE_LABEL));
}

TEST_F(SingleValueAppearancePageTest, ShowTitleGatesTheTitleControlsAndABackgroundSwitchIsStoredReversed)
{
    CParameterSet* group = Group("KVGaugeSymbol");
    Add(group, "hideBackground", ParamType::Boolean)->SetBool(true);
    Show(group);
    Click(Page::IDC_SHOW_TITLE);
    EXPECT_FALSE(Param(group, "titleEnabled")->GetBool());
    EXPECT_FALSE(Enabled(Page::IDC_TITLE_FONT_LABEL));
    EXPECT_FALSE(static_cast<Page&>(*page).TitleFont().FontBox().IsWindowEnabled());

    EXPECT_TRUE(Visible(Page::IDC_SHOW_BACKGROUND));
    EXPECT_FALSE(Checked(Page::IDC_SHOW_BACKGROUND));
    Click(Page::IDC_SHOW_BACKGROUND);
    EXPECT_FALSE(Param(group, "hideBackground")->GetBool());
    EXPECT_EQ(Notified(), 2);
}

TEST_F(SingleValueAppearancePageTest, HelpTopicsFollowTheFocusAndTheSymbol)
{
    struct Case {
        const char* symbol;
        int focus;
        int topic;
    };
    const Case cases[] = {
        {"KVSliderHSymbol", Page::IDC_SHOW_TITLE, 1095},  {"KVProgressBarHSymbol", Page::IDC_SHOW_TITLE, 1150},
        {"KVDialSymbol", Page::IDC_TICKS, 1220},          {"KVGaugeSymbol", Page::IDC_TICK_COLOR, 1285},
        {"KVValueDisplaySymbol", Page::IDC_SHOW_TITLE, 1340}, {"KVSliderHSymbol", Page::IDC_VALUE_POSITION, 1105},
        {"KVGridSymbol", Page::IDC_SHOW_TITLE, -1},
    };
    for (const Case& c : cases) {
        Show(Group(c.symbol));
        Item(c.focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), c.topic) << c.symbol << " " << c.focus;
    }
}

} // namespace
