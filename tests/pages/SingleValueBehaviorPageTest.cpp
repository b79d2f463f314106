// The Behavior tab of the single-value components, driven through its controls on the shipped
// parameters of the slider, dial, gauge, play control and grid; the limit behaviours and play
// switches that only some components keep are added to those sets.

#include "model/CellBinding.h"
#include "model/ValueList.h"
#include "pages/PageBlocks.h"
#include "pages/SingleValueBehaviorPage.h"
#include "platform/controls/SliderCtrl.h"
#include "tests/pages/FixtureModelLink.h"
#include "tests/pages/PageFixture.h"

namespace {

using Page = CSingleValueBehaviorPage;
using model::ParamType;

CParameter* AddChoice(CParameterSet* set, const char* key, std::initializer_list<const char*> allowed,
                      const char* value)
{
    auto made = std::make_unique<CParameter>(key, ParamType::Choice);
    for (const char* item : allowed)
        made->GetValueList()->AddAllowed(item);
    made->GetValueList()->GetPrototype().SetString(value);
    return set->Add(std::move(made));
}

CParameter* AddBool(CParameterSet* set, const char* key, bool value)
{
    auto made = std::make_unique<CParameter>(key, ParamType::Boolean);
    made->SetBool(value);
    return set->Add(std::move(made));
}

class SingleValueBehaviorPageTest : public pagetest::PageTest {
protected:
    // Imports the test workbook and lets bindings read its cells.
    void Import()
    {
        ImportWorkbook();
        link = std::make_unique<pagetest::FixtureModelLink>(cells, table);
    }
    std::unique_ptr<pagetest::FixtureModelLink> link;
    // The page of the last set goes before the set it edits.
    CParameterSet* Group(const std::string& symbol)
    {
        page.reset();
        return Load(symbol, "Behavior");
    }
    CParameterSet* Other(const char* name) { return Param(defaults.parameters.get(), name)->GetSet(); }
    // The page is taller than most: the sheet takes the size of its tallest page.
    Page& Show(CParameterSet* group)
    {
        Page& shown = Open<Page>(group, "Behavior");
        parent.SetWindowPos(nullptr, 0, 0, 420, 470, SWP_NOMOVE | SWP_NOZORDER);
        shown.SetWindowPos(nullptr, 8, 8, 400, 450, SWP_NOZORDER);
        return shown;
    }
    CSpinEdit& SpinOf(int id) { return *static_cast<Page&>(*page).Spin(id); }
    void TypeIntoSpin(int id, const std::string& text)
    {
        CEdit* edit = SpinOf(id).EditPart();
        edit->SetFocus();
        edit->SetSel(0, -1);
        CUserInput::PressKey(VK_DELETE);
        edit->Type(text);
        CUserInput::PressKey(VK_RETURN);
    }
    std::string ChoiceOf(CParameterSet* set, const char* key)
    {
        return Param(set, key)->GetValueList()->GetCurrentText();
    }
    CComboBox& Combo(int id) { return *static_cast<CComboBox*>(Item(id)); }
};

TEST_F(SingleValueBehaviorPageTest, TheLimitsNeverCrossByOneStepOfTheirType)
{
    struct Case {
        bool integer;
        double startMin, startMax;
        int spin;
        const char* typed;
        double minimum, maximum;
    };
    const Case cases[] = {
        {false, 0, 100, Page::IDC_MAX, "0", 0, 0.1},   {false, 0, 100, Page::IDC_MIN, "150", 99.9, 100},
        {true, 0, 100, Page::IDC_MAX, "0", 0, 1},      {true, 0, 10, Page::IDC_MIN, "12", 9, 10},
        {true, 0, 100, Page::IDC_MIN, "5", 5, 100},
    };
    for (const Case& c : cases) {
        CParameterSet* group = Group("KVSliderHSymbol");
        if (c.integer) {
            Param(group, "minValue")->SetInt(static_cast<int>(c.startMin), true);
            Param(group, "maxValue")->SetInt(static_cast<int>(c.startMax), true);
        }
        Show(group);
        TypeIntoSpin(c.spin, c.typed);
        const auto value = [&](const char* key) {
            return c.integer ? Param(group, key)->GetInt() : Param(group, key)->GetDouble();
        };
        EXPECT_NEAR(value("minValue"), c.minimum, 1e-9) << c.typed;
        EXPECT_NEAR(value("maxValue"), c.maximum, 1e-9) << c.typed;
        EXPECT_GE(Notified(), 1);
    }
    Picture("single-value-behavior-slider");
}

TEST_F(SingleValueBehaviorPageTest, AlertBasedLimitsComeAndGoWithTheAlerts)
{
    CParameterSet* group = Group("KVSliderHSymbol");
    CParameter* alerts = Param(Other("Alerts"), "alertsEnabled");
    alerts->SetBool(true);
    Show(group);
    ASSERT_EQ(Combo(Page::IDC_INITIAL).GetCount(), 3);
    Choose(Page::IDC_INITIAL, 2);
    EXPECT_EQ(ChoiceOf(group, "initialMinMax"), "alertBased");
    EXPECT_FALSE(Enabled(Page::IDC_MIN));
    EXPECT_FALSE(Enabled(Page::IDC_MAX_LABEL));

    alerts->SetBool(false);
    const int before = Notified();
    page->OnSetActive();
    EXPECT_EQ(Combo(Page::IDC_INITIAL).GetCount(), 2);
    EXPECT_EQ(Combo(Page::IDC_INITIAL).FindStringExact(-1, "alertBased"), CB_ERR);
    EXPECT_EQ(ChoiceOf(group, "initialMinMax"), "manual");
    EXPECT_EQ(Notified(), before + 1);
    EXPECT_TRUE(Enabled(Page::IDC_MIN));
}

TEST_F(SingleValueBehaviorPageTest, OpenLimitsHideTheirValueAndSwitchOffTheLimitsAndAlertDisplay)
{
    CParameterSet* group = Group("KVSliderHSymbol");
    AddChoice(group, "minBehavior", {"fixed", "open", "adjustable"}, "fixed");
    AddChoice(group, "maxBehavior", {"fixed", "open", "adjustable"}, "fixed");
    AddBool(group, "playButtonEnabled", true);
    AddBool(group, "autoRewind", false);
    AddBool(group, "autoReplay", false);
    CParameter* limits = AddBool(Other("Appearance"), "minMaxEnabled", true);
    // The slider ships the alert display; switched on here.
    CParameter* display = Other("Alerts")->FindParameter("alertDisplayEnabled");
    ASSERT_NE(display, nullptr);
    display->SetBool(true);
    Show(group);
    EXPECT_TRUE(Enabled(Page::IDC_AUTO_REWIND));

    Choose(Page::IDC_MIN_BEHAVIOR, 1);
    EXPECT_EQ(ChoiceOf(group, "minBehavior"), "open");
    EXPECT_FALSE(Visible(Page::IDC_MIN));
    EXPECT_FALSE(Visible(Page::IDC_MIN_LABEL));
    EXPECT_FALSE(Enabled(Page::IDC_AUTO_REWIND));
    EXPECT_FALSE(display->GetBool());
    EXPECT_FALSE(display->IsEnabled());
    EXPECT_TRUE(limits->GetBool());

    Choose(Page::IDC_MAX_BEHAVIOR, 1);
    EXPECT_FALSE(limits->GetBool());
    EXPECT_FALSE(Visible(Page::IDC_MAX));

    Choose(Page::IDC_MIN_BEHAVIOR, 2);
    EXPECT_TRUE(limits->GetBool());
    EXPECT_TRUE(Visible(Page::IDC_MIN));
    // The upper limit is still open: no alert display, no rewinding.
    EXPECT_FALSE(display->IsEnabled());
    EXPECT_FALSE(Enabled(Page::IDC_AUTO_REWIND));

    Choose(Page::IDC_MAX_BEHAVIOR, 0);
    EXPECT_TRUE(display->IsEnabled());
    EXPECT_TRUE(Enabled(Page::IDC_AUTO_REWIND));
    Choose(Page::IDC_MIN_BEHAVIOR, 0);
    EXPECT_FALSE(limits->GetBool()); // both fixed: nothing to show
    EXPECT_EQ(Notified(), 5);
}

TEST_F(SingleValueBehaviorPageTest, AValueLinkedToAFormulaCannotBePlayed)
{
    Import();
    CParameterSet* group = Group("KVSliderHSymbol");
    CParameter* play = AddBool(group, "playButtonEnabled", true);
    Show(group);
    EXPECT_TRUE(Checked(Page::IDC_PLAY_BUTTON));

    picker->Answer(sheet::RangePickOutcome::Picked, "'Inputs'!$B$5");
    ASSERT_TRUE(pages::PickCells(*page, Param(Other("General"), "mv"), 0, nullptr));
    page->OnSetActive();
    EXPECT_FALSE(Checked(Page::IDC_PLAY_BUTTON));
    EXPECT_FALSE(Enabled(Page::IDC_PLAY_BUTTON));
    EXPECT_FALSE(play->GetBool());
    EXPECT_EQ(Notified(), 1);
}

// A slider's value is one cell: a range of four is refused with the page's message, and the
// link stays as it was.
TEST_F(SingleValueBehaviorPageTest, ASingleValueLinkRefusesARangeOfSeveralCells)
{
    Import();
    Show(Group("KVSliderHSymbol"));
    CParameter* value = Param(Other("General"), "mv");
    picker->Answer(sheet::RangePickOutcome::Picked, "'Inputs'!$B$5");
    ASSERT_TRUE(pages::PickCells(*page, value, 0, nullptr));
    boxes->Answer(IDOK);
    picker->Answer(sheet::RangePickOutcome::Picked, "'Inputs'!$B$2:$C$3");
    EXPECT_FALSE(pages::PickCells(*page, value, 0, nullptr));
    ASSERT_FALSE(boxes->Log().empty());
    EXPECT_EQ(boxes->Log().back().text, CComponentPage::kExactCellsText);
    EXPECT_EQ(value->GetBinding()->GetTexts().rangeText, "'Inputs'!$B$5");
}

TEST_F(SingleValueBehaviorPageTest, InteractionControlsFollowWhatTheComponentKeeps)
{
    // A dial tracks the mouse and has a sensitivity; sliders end their drag before storing.
    CParameterSet* dial = Group("KVDialSymbol");
    Show(dial);
    EXPECT_TRUE(Checked(Page::IDC_RADIAL));
    auto* sensitivity = static_cast<CSliderCtrl*>(Item(Page::IDC_SENSITIVITY));
    EXPECT_EQ(sensitivity->GetPos(), 5);
    sensitivity->UserDrag({6, 7, 8});
    EXPECT_EQ(Param(dial, "sensitivity")->GetInt(), 8);
    EXPECT_EQ(Notified(), 0);
    EXPECT_EQ(owner.marked, 1);
    Click(Page::IDC_VERTICAL);
    EXPECT_EQ(ChoiceOf(dial, "mouseTracking"), "vertical");
    EXPECT_FALSE(Visible(Page::IDC_AUTORESIZE));
    EXPECT_FALSE(Visible(Page::IDC_ELASTICITY));
    Picture("single-value-behavior-dial");

    // A gauge keeps none of them: the whole group goes.
    Show(Group("KVGaugeSymbol"));
    for (int id : {Page::IDC_INTERACTION_GROUP, Page::IDC_VERTICAL, Page::IDC_SENSITIVITY, Page::IDC_TRACKING_LABEL})
        EXPECT_FALSE(Visible(id)) << id;

    // A scrolling component relabels the tracking choice.
    CParameterSet* gauge = Group("KVGaugeSymbol");
    auto scroll = std::make_unique<CParameter>("scrollBehavior", ParamType::Text);
    scroll->SetString("auto");
    gauge->Add(std::move(scroll));
    Show(gauge);
    EXPECT_EQ(Text(Page::IDC_TRACKING_LABEL), "Scroll Behavior:");
    EXPECT_EQ(Text(Page::IDC_VERTICAL), "Manual");
    EXPECT_TRUE(Checked(Page::IDC_RADIAL));
    Click(Page::IDC_VERTICAL);
    EXPECT_EQ(Param(gauge, "scrollBehavior")->GetString(), "manual");

    // The grid shows its interaction controls even when they cannot be used.
    Show(Group("KVGridSymbol"));
    EXPECT_TRUE(Visible(Page::IDC_VERTICAL));
    EXPECT_FALSE(Enabled(Page::IDC_VERTICAL));
    EXPECT_EQ(page->GetTemplate()->id, static_cast<int>(Page::IDD_GRID));
}

TEST_F(SingleValueBehaviorPageTest, ThePlayControlShowsItsPlayOptions)
{
    CParameterSet* group = Group("KVPlayNormalSymbol");
    Show(group);
    // It always has a play button, so its options are usable.
    EXPECT_TRUE(Checked(Page::IDC_PLAY_BUTTON));
    EXPECT_FALSE(Enabled(Page::IDC_PLAY_BUTTON));
    for (int id : {Page::IDC_AUTO_REWIND, Page::IDC_PLAY_TIME, Page::IDC_FFW_REW, Page::IDC_SHOW_SLIDER})
        EXPECT_TRUE(Enabled(id)) << id;
    EXPECT_FALSE(Visible(Page::IDC_LOG));
    Click(Page::IDC_AUTO_REPLAY);
    EXPECT_TRUE(Param(group, "autoReplay")->GetBool());
    Click(Page::IDC_PREV_NEXT);
    EXPECT_FALSE(Param(group, "prevNextEnabled")->GetBool());
    EXPECT_EQ(Notified(), 2);
    Picture("single-value-behavior-play");
}

TEST_F(SingleValueBehaviorPageTest, TheEntryEffectIsFoundInAnyCaseAndGatesItsDuration)
{
    CParameterSet* group = Group("KVValueDisplaySymbol");
    Param(group, "introStyle")->SetString("fade-in");
    Show(group);
    EXPECT_EQ(Text(Page::IDC_EFFECT), "Fade-in");
    EXPECT_TRUE(Enabled(Page::IDC_DURATION));
    Choose(Page::IDC_EFFECT, 0);
    EXPECT_EQ(Param(group, "introStyle")->GetString(), "None");
    EXPECT_FALSE(Enabled(Page::IDC_DURATION));
    EXPECT_EQ(Notified(), 1);
}

TEST_F(SingleValueBehaviorPageTest, HelpTopicsFollowTheFocusAndTheSymbol)
{
    struct Case {
        const char* symbol;
        int focus;
        int topic;
    };
    const Case cases[] = {
        {"KVSliderHSymbol", Page::IDC_MIN, 1080},     {"KVDialSymbol", Page::IDC_SENSITIVITY, 1210},
        {"KVPlayNormalSymbol", Page::IDC_FFW_REW, 1380}, {"KVGaugeSymbol", Page::IDC_STATUS_LINK, 1260},
        {"KVValueDisplaySymbol", Page::IDC_KEY, 1305}, {"KVGridSymbol", Page::IDC_INC, -1},
    };
    for (const Case& c : cases) {
        CParameterSet* group = Group(c.symbol);
        Param(group, "introStyle")->SetString("Grow");
        Show(group);
        Item(c.focus)->SetFocus();
        EXPECT_EQ(page->GetHelpContextId(), c.topic) << c.symbol << " " << c.focus;
    }
}

} // namespace
