#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>

#include <sys/resource.h>

namespace {

CGlobalStyle Modified()
{
    CGlobalStyle style;
    style.SetBorderColor(0x010203);
    style.globalColors.transparency = 40;
    style.globalColors.titleTextFormat.SetFont("Arial");
    style.globalColors.titleTextFormat.SetBold(true);
    style.selectors.labelAlpha = 55;
    style.singleVals.ticksEnabled = false;
    style.charts.XAxis.axisWeight = 7;
    style.charts.YAxis.labelTextFormat.SetSize(22);
    style.charts.plotMargin = 33;
    style.SetLineColor(29, 0xAAAAAA);
    style.SetPaletteColor(0, 0xBBBBBB);
    style.SetPaletteColor2(1, 0xCCCCCC);
    style.customColors[15] = 0x0F0F0F;
    style.useDefaultStyle = 1;
    return style;
}

} // namespace

TEST(GlobalStyle, StyleFilesRoundTripEveryGroup)
{
    testsupport::TempDir dir;
    CGlobalStyle style = Modified();
    std::string path = (dir / "Corporate").string();
    ASSERT_TRUE(style.Save(path));
    EXPECT_TRUE(std::filesystem::exists(path + ".vgs"));

    CGlobalStyle back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back.GetName(), "Default"); // the caller names the record after the file
    back.SetName(style.GetName());
    EXPECT_EQ(back, style);
    EXPECT_NE(back, CGlobalStyle());
}

TEST(GlobalStyle, BadFilesLeaveTheRecordAsItWas)
{
    testsupport::TempDir dir;
    const std::pair<const char*, const char*> cases[] = {
        {"malformed", "<VantorelStyle><GlobalColors>"},
        {"wrong root", "<Other/>"},
        {"bad colour", "<VantorelStyle><GlobalColors><border>0xZZ</border></GlobalColors></VantorelStyle>"},
        {"bad integer",
         "<VantorelStyle><Selectors><labelAlpha>9999999999</labelAlpha></Selectors></VantorelStyle>"},
        {"bad boolean",
         "<VantorelStyle><SingleVals><ticksEnabled>maybe</ticksEnabled></SingleVals></VantorelStyle>"},
        {"series index",
         "<VantorelStyle><Charts><Series index=\"30\" line=\"0x1\"/></Charts></VantorelStyle>"},
        {"palette size",
         "<VantorelStyle><Palette><color>0</color><color>0</color><color>0</color><color>0</color><color>0</"
         "color>"
         "<color>0</color><color>0</color><color>0</color><color>0</color><color>0</color><color>0</"
         "color><color>0"
         "</color><color>0</color><color>0</color><color>0</color><color>0</color><color>0</color></Palette>"
         "</VantorelStyle>"},
    };
    for (const auto& [name, text] : cases) {
        std::ofstream(dir / (std::string(name) + ".vgs")) << text;
        CGlobalStyle style = Modified();
        std::string error;
        EXPECT_FALSE(style.Load((dir / name).string(), &error)) << name;
        EXPECT_FALSE(error.empty()) << name;
        EXPECT_EQ(style, Modified()) << name;
    }
    CGlobalStyle style;
    EXPECT_FALSE(style.Load((dir / "absent").string()));
    EXPECT_FALSE(style.Save((dir / "no-such-folder" / "x").string()));
}

TEST(GlobalStyle, MissingFieldsTakeBuiltInValues)
{
    CGlobalStyle style = Modified();
    ASSERT_TRUE(style.LoadFromText(
        "<VantorelStyle><GlobalColors><fill>#00FF00</fill></GlobalColors></VantorelStyle>"));
    EXPECT_EQ(style.GetFillColor(), 0x00FF00u);
    EXPECT_EQ(style.GetBorderColor(), CGlobalStyle().GetBorderColor());
}

TEST(GlobalStyle, DefaultsPalettesAndNames)
{
    CGlobalStyle style = Modified();
    style.SetName("Mine");
    style.modified = true;
    style.SetDefaults();
    EXPECT_EQ(style.GetName(), "Mine");
    EXPECT_FALSE(style.modified);
    style.SetName("Default");
    EXPECT_EQ(style, CGlobalStyle());
    EXPECT_EQ(CGlobalStyle().GetName(), "Default");

    style.SetPaletteColor(31, 0x111111);
    EXPECT_EQ(style.GetPaletteColor(1), 0x111111u);
    style.SetPaletteColor2(-1, 0x222222);
    EXPECT_EQ(style.GetPaletteColor2(29), 0x222222u);
    style.SetName(std::string(100, 'n'));
    EXPECT_EQ(style.GetName().size(), 63u);

    CGlobalStyle copy;
    copy.Copy(style);
    EXPECT_EQ(copy, style);
    copy.globalColors.labelTextFormat.SetItalic(true);
    EXPECT_FALSE(style.globalColors.labelTextFormat.GetItalic());
}

TEST(GlobalStyle, AppliesByThePageKindOfAppearance)
{
    auto makeComponent = [](int kind) {
        CParameterSet set;
        auto appearance = set.Add(std::make_unique<CParameter>("Appearance", model::ParamType::Group));
        appearance->GetSet()->SetPageKind(kind);
        CParameterSet& a = *appearance->GetSet();
        a.Add(std::make_unique<CParameter>("borderColor", model::ParamType::Color));
        a.Add(std::make_unique<CParameter>("labelAlpha", model::ParamType::Integer));
        a.Add(std::make_unique<CParameter>("transparency", model::ParamType::Text)); // wrong type: kept
        auto format = a.Add(std::make_unique<CParameter>("titleTextFormat", model::ParamType::Group));
        *format->GetSet() = CTextFormat("Courier", 9);
        return set;
    };
    CGlobalStyle style = Modified();

    CParameterSet selector = makeComponent(model::kPageSelector);
    selector.ApplyGlobalStyle(style);
    CParameterSet& a = *selector.FindParameter("Appearance")->GetSet();
    // The selector group's own border colour wins over the global one.
    EXPECT_EQ(a.FindParameter("borderColor")->GetColor(), style.selectors.borderColor);
    EXPECT_EQ(a.FindParameter("labelAlpha")->GetInt(), 55);
    EXPECT_EQ(a.FindParameter("titleTextFormat")->GetSet()->FindParameter("font")->GetString(), "Verdana");

    // A background draws the fill its Appearance page keeps ("backColor"): the style's fill
    // reaches it there.
    style.SetFillColor(0x33CC99);
    CParameterSet background = makeComponent(model::kPageBg);
    CParameterSet& bg = *background.FindParameter("Appearance")->GetSet();
    bg.Add(std::make_unique<CParameter>("backColor", model::ParamType::Color))->SetColor(0xF0F0F0);
    bg.Add(std::make_unique<CParameter>("fillColor", model::ParamType::Color))->SetColor(0xF0F0F0);
    background.ApplyGlobalStyle(style);
    EXPECT_EQ(bg.FindParameter("backColor")->GetColor(), 0x33CC99u);
    EXPECT_EQ(bg.FindParameter("fillColor")->GetColor(), 0x33CC99u);
    EXPECT_EQ(bg.FindParameter("borderColor")->GetColor(), 0x010203u);

    CParameterSet plain = makeComponent(model::kPageDefault);
    plain.ApplyGlobalStyle(style);
    CParameterSet& b = *plain.FindParameter("Appearance")->GetSet();
    EXPECT_EQ(b.FindParameter("borderColor")->GetColor(), 0x010203u);
    EXPECT_EQ(b.FindParameter("labelAlpha")->GetInt(), 0);
    EXPECT_EQ(b.FindParameter("transparency")->GetString(), "");
    EXPECT_EQ(b.FindParameter("titleTextFormat")->GetSet()->FindParameter("font")->GetString(), "Arial");
}

TEST(GlobalStyle, AChartsFramesAndGridlinesTakeTheChartStyleNotTheGlobalColours)
{
    CParameterSet chart;
    CParameterSet& a =
        *chart.Add(std::make_unique<CParameter>("Appearance", model::ParamType::Group))->GetSet();
    a.SetPageKind(model::kPageChartData);
    for (const char* frame : {"backgroundProps", "plotAreaProps", "chartTitleProps"}) {
        CParameterSet& set = *a.Add(std::make_unique<CParameter>(frame, model::ParamType::Group))->GetSet();
        set.Add(std::make_unique<CParameter>("showFill", model::ParamType::Boolean));
        set.Add(std::make_unique<CParameter>("fillColor", model::ParamType::Color));
        set.Add(std::make_unique<CParameter>("borderColor", model::ParamType::Color));
    }
    a.Add(std::make_unique<CParameter>("YAxisMajorColor", model::ParamType::Color));
    a.Add(std::make_unique<CParameter>("showXAxisMajor", model::ParamType::Boolean));
    CGlobalStyle style = Modified();
    style.charts.showChartFill = true;
    style.charts.chartFillColor = 0xD02090;
    style.charts.plotFillColor = 0x20C0A0;
    style.charts.titleBorderColor = 0x123456;
    style.charts.hMajGridColor = 0x0000AA;
    style.charts.showVMajGrid = true;
    chart.ApplyGlobalStyle(style);
    auto in = [&](const char* frame, const char* key) { return a.FindParameter(frame)->GetSet()->FindParameter(key); };
    EXPECT_TRUE(in("backgroundProps", "showFill")->GetBool());
    EXPECT_EQ(in("backgroundProps", "fillColor")->GetColor(), 0xD02090u);
    EXPECT_EQ(in("plotAreaProps", "fillColor")->GetColor(), 0x20C0A0u);
    EXPECT_EQ(in("chartTitleProps", "borderColor")->GetColor(), 0x123456u);
    EXPECT_EQ(a.FindParameter("YAxisMajorColor")->GetColor(), 0x0000AAu);
    EXPECT_TRUE(a.FindParameter("showXAxisMajor")->GetBool());
}

TEST(GlobalStyle, AFailedSaveKeepsTheStyleOnDisk)
{
    testsupport::TempDir dir;
    std::string path = (dir / "Corporate").string();
    ASSERT_TRUE(Modified().Save(path));

    // A disk that fills up half-way through the next save: writes past a few bytes fail.
    rlimit saved{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &tight), 0);
    bool saved_ok = CGlobalStyle().Save(path);
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);

    EXPECT_FALSE(saved_ok);
    CGlobalStyle back;
    ASSERT_TRUE(back.Load(path));
    EXPECT_EQ(back, Modified());
    EXPECT_FALSE(std::filesystem::exists(path + ".vgs.tmp"));
}
