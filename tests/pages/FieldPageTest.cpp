// Pages written as rows: a row binds, stores, re-reads and switches its controls without code
// of the page's own, and the rows of a component's pages tell which of its keys they edit.

#include "pages/FieldPage.h"
#include "pages/BackgroundGeneralPage.h"
#include "pages/FillBorderAppearancePage.h"
#include "pages/InputTextGeneralPages.h"
#include "pages/LabelAppearancePage.h"
#include "pages/LabelGeneralPage.h"
#include "pages/PageGroups.h"
#include "pages/PageKit.h"
#include "propui/FontDataCtrl.h"
#include "publish/TempFiles.h"
#include "tests/pages/PageFixture.h"

#include <gtest/gtest.h>

namespace {

using namespace pages;

enum : int {
    IDC_SHOW = 3000,
    IDC_LEFT = 3001,
    IDC_RIGHT = 3002,
    IDC_SIDE_GROUP = 3003,
    IDC_COUNT = 3004,
    IDC_COUNT_LABEL = 3005,
    IDC_OWN = 3006,
    IDC_ACT = 3007,
};

DialogTemplate TestTemplate()
{
    DialogTemplate t = PageTemplate(901, "General");
    t.Add("Button", "Show", IDC_SHOW, 7, 7, 80, 10, kCheckStyle)
        .Add("Button", "Left", IDC_LEFT, 7, 22, 60, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Right", IDC_RIGHT, 70, 22, 60, 10, kRadioStyle)
        .Add("Button", "Side", IDC_SIDE_GROUP, 2, 18, 200, 20, kGroupStyle)
        .Add("Static", "Count", IDC_COUNT_LABEL, 7, 44, 40, 8, kLabelStyle)
        .Add("SpinEdit", "", IDC_COUNT, 50, 42, 40, 12, kTab)
        .Add("Edit", "", IDC_OWN, 7, 60, 80, 13, kEditStyle)
        .Add("Button", "Act", IDC_ACT, 100, 60, 30, 13, kTab);
    return t;
}

class FieldPageTest : public pagetest::PageTest {
protected:
    int HelpFor(int id)
    {
        Item(id)->SetFocus();
        return page->GetHelpContextId();
    }
    // The page's group with the switch, the side, the count and a value owned by the page.
    CParameterSet* MakeGroup()
    {
        defaults = model::ReadDefaultParameters(
            "<?xml version=\"1.0\"?><component symbol=\"X\">"
            "<param name=\"General\" type=\"7\">"
            "<param name=\"shown\" type=\"2\" value=\"true\"/>"
            "<param name=\"side\" type=\"0\" value=\"Left\"/>"
            "<param name=\"count\" type=\"3\" value=\"3\"/>"
            "<param name=\"own\" type=\"0\" value=\"x\"/>"
            "</param>"
            "<param name=\"Other\" type=\"7\"><param name=\"far\" type=\"2\" value=\"false\"/></param>"
            "</component>");
        return Param(defaults.parameters.get(), "General")->GetSet();
    }
    std::unique_ptr<CFieldPage> MakePage(int* acted)
    {
        ParamField side = RadioRow({IDC_LEFT, IDC_RIGHT, IDC_SIDE_GROUP}, "side", {"Left", "Right"});
        side.enabledWhen = [](const CFieldPage& p) {
            return p.FieldSet()->FindParameter("shown")->GetBool();
        };
        side.help = Topic(77);
        // Two rows whose boxes the template lacks: one over a key found only elsewhere.
        ParamField far = CheckRow(3100, "far");
        far.scope = FieldScope::Component;
        std::vector<ParamField> rows = {
            CheckRow(IDC_SHOW, "shown"),
            side,
            SpinRow(IDC_COUNT, "count", {IDC_COUNT_LABEL}),
            OwnRow({IDC_OWN}, {"own", "missing"}),
            CommandRow(IDC_ACT, [acted](CFieldPage&) { ++*acted; }),
            CheckRow(3101, "absent"),
            far,
        };
        return std::make_unique<CFieldPage>(
            "General", [](const CFieldPage&) { return TestTemplate(); }, std::move(rows), Topic(5));
    }
};

TEST_F(FieldPageTest, RowsStoreAtOnceSwitchTheirControlsAndGiveTheirTopics)
{
    CParameterSet* group = MakeGroup();
    int acted = 0;
    Show(MakePage(&acted), group, "General", defaults.parameters.get());
    EXPECT_TRUE(Checked(IDC_SHOW));
    EXPECT_TRUE(Checked(IDC_LEFT));
    EXPECT_FALSE(Checked(IDC_RIGHT));
    EXPECT_TRUE(Enabled(IDC_RIGHT));
    EXPECT_TRUE(Enabled(IDC_COUNT_LABEL));

    Click(IDC_RIGHT);
    EXPECT_EQ(Param(group, "side")->GetString(), "Right");
    EXPECT_EQ(Notified(), 1);

    // Switching the box off greys the side at once and writes only the box.
    Click(IDC_SHOW);
    EXPECT_FALSE(Param(group, "shown")->GetBool());
    EXPECT_EQ(Notified(), 2);
    EXPECT_FALSE(Enabled(IDC_LEFT));
    EXPECT_FALSE(Enabled(IDC_SIDE_GROUP));
    EXPECT_EQ(Param(group, "side")->GetString(), "Right");

    // A change made elsewhere shows when the page is active again.
    Param(group, "shown")->SetBool(true);
    Param(group, "side")->SetString("Left");
    page->OnSetActive();
    EXPECT_TRUE(Checked(IDC_SHOW));
    EXPECT_TRUE(Checked(IDC_LEFT));
    EXPECT_FALSE(Checked(IDC_RIGHT));
    EXPECT_TRUE(Enabled(IDC_LEFT));

    // The page's own value and action are left to it.
    Click(IDC_ACT);
    EXPECT_EQ(acted, 1);
    EXPECT_EQ(Param(group, "own")->GetString(), "x");

    EXPECT_EQ(HelpFor(IDC_RIGHT), 77);
    EXPECT_EQ(HelpFor(IDC_SHOW), 5);
}

// The blocks that carry their own state: scroll radios, a switched colour gated by the page, a
// colour the page switches, a limit behind its switch, and a text format with its caption.
TEST_F(FieldPageTest, BlockRowsFollowThePageRuleAndStayOffWithoutTheirParameters)
{
    enum : int {
        IDC_ON = 3200,
        IDC_OFF,
        IDC_AUTO,
        IDC_SCROLL_GROUP,
        IDC_USE,
        IDC_SWATCH,
        IDC_THUMB,
        IDC_LIMIT,
        IDC_FONT,
        IDC_FONT_LABEL,
        IDC_SHOWN
    };
    defaults = model::ReadDefaultParameters("<?xml version=\"1.0\"?><component symbol=\"X\">"
                                            "<param name=\"General\" type=\"7\">"
                                            "<param name=\"shown\" type=\"2\" value=\"true\"/>"
                                            "<param name=\"scroll\" type=\"0\" value=\"disabled\"/>"
                                            "<param name=\"useColour\" type=\"2\" value=\"true\"/>"
                                            "<param name=\"colour\" type=\"4\" value=\"255\"/>"
                                            "<param name=\"limit\" type=\"3\" value=\"4\"/>"
                                            "</param></component>");
    CParameterSet* group = Param(defaults.parameters.get(), "General")->GetSet();
    DialogTemplate t = PageTemplate(902, "General");
    t.Add("Button", "Shown", IDC_SHOWN, 7, 4, 60, 10, kCheckStyle)
        .Add("Button", "Enable", IDC_ON, 7, 16, 60, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "Disable", IDC_OFF, 7, 28, 60, 10, kRadioStyle)
        .Add("Button", "Auto Hide", IDC_AUTO, 7, 40, 60, 10, kRadioStyle)
        .Add("Button", "Scroll", IDC_SCROLL_GROUP, 2, 12, 90, 42, kGroupStyle | WS_GROUP)
        .Add("Button", "Use", IDC_USE, 7, 58, 60, 10, kCheckStyle)
        .Add("Button", "", IDC_SWATCH, 70, 56, 24, 13, kColorStyle)
        .Add("Button", "", IDC_THUMB, 100, 56, 24, 13, kColorStyle)
        .Add("Edit", "", IDC_LIMIT, 7, 74, 40, 13, kEditStyle)
        .Add(CFontDataCtrl::kClassName, "", IDC_FONT, 7, 92, 200, 14, WS_VISIBLE | WS_TABSTOP)
        .Add("Static", "Font", IDC_FONT_LABEL, 7, 108, 40, 8, kLabelStyle);
    auto shown = [](const CFieldPage& p) { return BoolOf(p.FieldSet(), "shown"); };
    std::vector<ParamField> rows = {
        CheckRow(IDC_SHOWN, "shown"),
        EnabledWhen(ScrollRow({IDC_ON, IDC_OFF, IDC_AUTO, IDC_SCROLL_GROUP}, "scroll"), shown),
        EnabledWhen(WithHelp(CheckedColourRow(IDC_USE, "useColour", IDC_SWATCH, "colour"), 40, {IDC_SWATCH}),
                    shown),
        EnabledWhen(ColourRow(IDC_THUMB, "thumb"), shown),
        EnabledWhen(NumberRow(IDC_LIMIT, "limit"), shown),
        FontRow(IDC_FONT, {"format"}, {IDC_FONT_LABEL}),
    };
    Show(std::make_unique<CFieldPage>(
             "General", [t](const CFieldPage&) { return t; }, std::move(rows), Topic(5)),
         group, "General", defaults.parameters.get());
    EXPECT_TRUE(Checked(IDC_OFF));
    EXPECT_TRUE(Enabled(IDC_SWATCH));
    EXPECT_TRUE(Enabled(IDC_LIMIT));
    // Neither the missing colour nor the missing format can be edited, whatever the rule says.
    EXPECT_FALSE(Enabled(IDC_THUMB));
    EXPECT_FALSE(Enabled(IDC_FONT_LABEL));

    Click(IDC_AUTO);
    EXPECT_EQ(Param(group, "scroll")->GetString(), "autoHide");
    EXPECT_EQ(Notified(), 1);

    // The page's rule turns the blocks off; lifting it brings back only what their own state allows.
    Click(IDC_SHOWN);
    for (int id : {IDC_ON, IDC_SCROLL_GROUP, IDC_USE, IDC_SWATCH, IDC_LIMIT})
        EXPECT_FALSE(Enabled(id)) << id;
    Param(group, "useColour")->SetBool(false);
    Click(IDC_SHOWN);
    EXPECT_TRUE(Enabled(IDC_ON));
    EXPECT_TRUE(Enabled(IDC_USE));
    EXPECT_FALSE(Enabled(IDC_SWATCH));
    EXPECT_FALSE(Enabled(IDC_THUMB));

    // The switched colour's topic is for its swatch only.
    EXPECT_EQ(HelpFor(IDC_USE), 5);
}

// The page's rule once switched back on what the binders had left off: a box the component
// switched off, radios without their value, and link buttons of values without cells.
TEST_F(FieldPageTest, ARuleThatHoldsLeavesOffWhatTheComponentCannotEdit)
{
    enum : int {
        IDC_SHOWN = 3300,
        IDC_FIXED,
        IDC_A,
        IDC_B,
        IDC_NAME,
        IDC_NAME_LINK,
        IDC_CELL,
        IDC_CELL_LINK
    };
    defaults = model::ReadDefaultParameters("<?xml version=\"1.0\"?><component symbol=\"X\">"
                                            "<param name=\"General\" type=\"7\">"
                                            "<param name=\"shown\" type=\"2\" value=\"true\"/>"
                                            "<param name=\"fixed\" type=\"2\" value=\"true\" flags=\"0\"/>"
                                            "<param name=\"name\" type=\"0\" value=\"Sales\"/>"
                                            "<param name=\"cell\" type=\"0\" value=\"\"/>"
                                            "</param></component>");
    CParameterSet* group = Param(defaults.parameters.get(), "General")->GetSet();
    DialogTemplate t = PageTemplate(903, "General");
    t.Add("Button", "Shown", IDC_SHOWN, 7, 4, 60, 10, kCheckStyle)
        .Add("Button", "Fixed", IDC_FIXED, 7, 16, 60, 10, kCheckStyle)
        .Add("Button", "A", IDC_A, 7, 28, 30, 10, kRadioStyle | WS_GROUP)
        .Add("Button", "B", IDC_B, 40, 28, 30, 10, kRadioStyle)
        .Add("Edit", "", IDC_NAME, 7, 42, 80, 13, kEditStyle)
        .Add("Button", "...", IDC_NAME_LINK, 90, 42, 16, 13, kTab)
        .Add("Edit", "", IDC_CELL, 7, 58, 80, 13, kEditStyle)
        .Add("Button", "...", IDC_CELL_LINK, 90, 58, 16, 13, kTab);
    auto shown = [](const CFieldPage& p) { return BoolOf(p.FieldSet(), "shown"); };
    std::vector<ParamField> rows = {
        CheckRow(IDC_SHOWN, "shown"),
        EnabledWhen(CheckRow(IDC_FIXED, "fixed"), shown),
        EnabledWhen(RadioRow({IDC_A, IDC_B}, "side", {"A", "B"}), shown),
        EnabledWhen(LinkedRow(IDC_NAME, IDC_NAME_LINK, "name"), shown),
        EnabledWhen(CellLinkRow(IDC_CELL, IDC_CELL_LINK, {"cell"}), shown),
    };
    Show(std::make_unique<CFieldPage>(
             "General", [t](const CFieldPage&) { return t; }, std::move(rows), Topic(5)),
         group, "General", defaults.parameters.get());
    auto expectOff = [this] {
        for (int id : {IDC_FIXED, IDC_A, IDC_B, IDC_NAME_LINK, IDC_CELL_LINK})
            EXPECT_FALSE(Enabled(id)) << id;
        EXPECT_TRUE(Enabled(IDC_NAME));
    };
    expectOff();
    // Off and on again through the rule.
    Click(IDC_SHOWN);
    Click(IDC_SHOWN);
    ASSERT_TRUE(Param(group, "shown")->GetBool());
    expectOff();
    Click(IDC_FIXED);
    EXPECT_TRUE(Param(group, "fixed")->GetBool());
}

TEST_F(FieldPageTest, APageEditsTheKeysOfItsRowsThatTheComponentHolds)
{
    CParameterSet* group = MakeGroup();
    int acted = 0;
    std::unique_ptr<CFieldPage> made = MakePage(&acted);
    made->Create(group, "General", false, &owner, defaults.parameters.get());
    // The page-owned value counts by the key it has; absent keys do not; a component-wide row
    // finds its key in another group.
    EXPECT_EQ(made->EditedKeys(), (std::set<std::string>{"shown", "side", "count", "own", "far"}));
}

TEST_F(FieldPageTest, TheKeysOfAComponentComeFromThePagesItsSheetWouldOpen)
{
    CPageClassRegistry registry;
    RegisterSingleValuePages(registry);
    RegisterSelectorPages(registry);

    Load("KVGaugeSymbol", "");
    const std::set<std::string> gauge = KeysEditedBy(registry, "KVGaugeSymbol", defaults.parameters.get());
    EXPECT_TRUE(gauge.count("title"));
    EXPECT_TRUE(gauge.count("mv"));
    // The gauge has no orientation, so its page does not edit one.
    EXPECT_FALSE(gauge.count("orientation"));
    // Its Behavior and Appearance pages keep their rules as code but still name their keys.
    for (const char* key :
         {"minValue", "maxValue", "displayStatus", "introStyle", "ticksEnabled", "tickColor"})
        EXPECT_TRUE(gauge.count(key)) << key;

    Load("KVSliderHSymbol", "");
    EXPECT_TRUE(KeysEditedBy(registry, "KVSliderHSymbol", defaults.parameters.get()).count("orientation"));

    Load("KVPlaySelectorSymbol", "");
    const std::set<std::string> player =
        KeysEditedBy(registry, "KVPlaySelectorSymbol", defaults.parameters.get());
    for (const char* key : {"sliderEnabled", "autoRewind", "displayStatus", "introStyle", "playTime"})
        EXPECT_TRUE(player.count(key)) << key;
    // It keeps no sound switch.
    EXPECT_FALSE(player.count("soundEnabled"));

    EXPECT_TRUE(KeysEditedBy(registry, "KVGaugeSymbol", nullptr).empty());
}

TEST_F(FieldPageTest, TheTextComponentsPagesNameTheirBlocksKeys)
{
    CPageClassRegistry registry;
    RegisterTextPages(registry);
    RegisterPlain<CLabelGeneralPage>(registry, "CLabelGeneralPage");
    RegisterPlain<CTextAreaGeneralPage>(registry, "CTextAreaGeneralPage");
    Load("KVLabelCompSymbol", "");
    const std::set<std::string> label =
        KeysEditedBy(registry, "KVLabelCompSymbol", defaults.parameters.get());
    for (const char* key : {"labelValue", "hScrollBarBehavior", "vScrollBarBehavior", "displayStatus"})
        EXPECT_TRUE(label.count(key)) << key;

    Load("KVTextAreaInputSymbol", "");
    const std::set<std::string> area =
        KeysEditedBy(registry, "KVTextAreaInputSymbol", defaults.parameters.get());
    for (const char* key : {"defaultText", "insertInto", "insertLoad", "maxChars", "labelTextFormat"})
        EXPECT_TRUE(area.count(key)) << key;
}

TEST_F(FieldPageTest, AChartsGeneralPageNamesOnlyWhatItsKindOfChartHolds)
{
    CPageClassRegistry registry;
    RegisterChartPages(registry);

    Load("KVColumnChartSymbol", "");
    const std::set<std::string> column =
        KeysEditedBy(registry, "KVColumnChartSymbol", defaults.parameters.get());
    for (const char* key :
         {"chartTitle", "XAxisTitle", "dataValues", "seriesNames", "categoryLabels", "showFocus"})
        EXPECT_TRUE(column.count(key)) << key;
    // The Appearance page edits what its sub-pages edit, a box's keys named within the box.
    for (const char* key :
         {"showTitles", "chartTitleProps/showBorder", "legendProps/fillColor", "chartTitleAlign",
          "plotAreaProps/showFill", "backgroundProps/borderColor", "showYAxisMajor", "XAxisMinorColor"})
        EXPECT_TRUE(column.count(key)) << key;
    EXPECT_FALSE(column.count("showBorder"));
    // Each axis sub-page edits its own axis's keys.
    for (const char* key : {"showXAxis", "YAxisColor", "showYAxisLabels"})
        EXPECT_TRUE(column.count(key)) << key;

    // A pie holds axis titles in its file, but its page shows them read-only and never edits
    // them; it has no series names of its own.
    Load("KVPieChartSymbol", "");
    const std::set<std::string> pie = KeysEditedBy(registry, "KVPieChartSymbol", defaults.parameters.get());
    for (const char* key : {"chartTitle", "chartSubTitle", "dataValues", "categoryLabels"})
        EXPECT_TRUE(pie.count(key)) << key;
    // Nor can a person reach its axis sub-pages, though its file keeps an axis colour.
    for (const char* key : {"XAxisTitle", "YAxisTitle", "seriesNames", "YAxisColor"})
        EXPECT_FALSE(pie.count(key)) << key;

    Load("KVXYChartSymbol", "");
    EXPECT_FALSE(
        KeysEditedBy(registry, "KVXYChartSymbol", defaults.parameters.get()).count("categoryLabels"));
}

TEST_F(FieldPageTest, TheXmlConnectionsGeneralPageNamesItsValuesAndItsLists)
{
    CPageClassRegistry registry;
    RegisterXmlDataPages(registry);
    Load("KVXMLDataSymbol", "");
    const std::set<std::string> xml = KeysEditedBy(registry, "KVXMLDataSymbol", defaults.parameters.get());
    for (const char* key : {"label", "url", "transferType", "sendNames_ary", "loadRanges_ary"})
        EXPECT_TRUE(xml.count(key)) << key;
}

TEST_F(FieldPageTest, TheAppearancePagesNameTheKeysOfTheirBlocks)
{
    CPageClassRegistry registry;
    RegisterSelectorPages(registry);
    Load("KVComboBoxSymbol", "");
    const std::set<std::string> combo = KeysEditedBy(registry, "KVComboBoxSymbol", defaults.parameters.get());
    for (const char* key : {"showTitle", "titleXshift", "titleTextFormat", "showLabels", "borderColor"})
        EXPECT_TRUE(combo.count(key)) << key;

    // The border and fill of a plain panel, and the play layout's one transparency.
    CParameterSet* group = Load("KVBackgroundSymbol", "Appearance");
    CFillBorderAppearancePage panel;
    panel.Create(group, "Appearance", false, &owner, defaults.parameters.get());
    for (const char* key :
         {"borderEnabled", "borderColor", "borderThickness", "showFill", "backColor", "backTrans"})
        EXPECT_TRUE(panel.EditedKeys().count(key)) << key;
    group->Add(std::make_unique<CParameter>("transparency", model::ParamType::Integer));
    CFillBorderAppearancePage play(true);
    play.Create(group, "Appearance", false, &owner, defaults.parameters.get());
    EXPECT_TRUE(play.EditedKeys().count("transparency"));
    EXPECT_FALSE(play.EditedKeys().count("borderTrans"));
}

TEST_F(FieldPageTest, RowsInAGroupOfThePageNameTheirKeysByPath)
{
    publish::CDefaultTempFiles temporaries;
    SwfImportTip tip;
    CParameterSet* general = Load("KVBackground2Symbol", "General");
    CBackgroundGeneralPage background(temporaries, tip);
    background.Create(general, "General", false, &owner, defaults.parameters.get());
    const std::set<std::string> file = background.EditedKeys();
    for (const char* key : {"externalFile/embed", "externalFile/bgBG", "blockMouseEvents", "useExternalFile"})
        EXPECT_TRUE(file.count(key)) << key;
    EXPECT_FALSE(file.count("embed"));

    CParameterSet* appearance = Load("KVLabelCompSymbol", "Appearance");
    CLabelAppearancePage label;
    label.Create(appearance, "Appearance", false, &owner, defaults.parameters.get());
    const std::set<std::string> format = label.EditedKeys();
    for (const char* key : {"formatValue/HAlign", "formatValue/AWrapText", "formatValue/InteriorColor",
                            "useCustomScrollBarColor", "customScrollBarColor"})
        EXPECT_TRUE(format.count(key)) << key;
}

} // namespace
