#include "model/CellBinding.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentClipParameters.h"
#include "model/ComponentDef.h"
#include "model/GlobalStyle.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"

#include "swf/ActionList.h"
#include "swf/SwfTrace.h"

#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

namespace fs = std::filesystem;
using namespace model;

namespace {

std::uint32_t U32At(const std::vector<std::uint8_t>& bytes, std::size_t at)
{
    std::uint32_t v = 0;
    std::memcpy(&v, bytes.data() + at, 4);
    return v;
}

bool Contains(const std::vector<std::uint8_t>& bytes, const std::string& text)
{
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

} // namespace

// The clip receives its parameters under their own names, the names cell bindings write to, in
// one initialisation record the player runs before the clip's class constructor.
TEST(ComponentClipParameters, GroupsFlattenIntoOneInitialisationRecord)
{
    CParameterSet set;
    CParameterSet& general = *set.Add(std::make_unique<CParameter>("General", ParamType::Group))->GetSet();
    general.Add(std::make_unique<CParameter>("title", ParamType::Text))->SetString("Sales");
    general.Add(std::make_unique<CParameter>("", ParamType::Text))->SetString("nameless");
    general.Add(std::make_unique<CParameter>("spacer", ParamType::NoValue));
    CParameterSet& format =
        *general.Add(std::make_unique<CParameter>("titleTextFormat", ParamType::Group))->GetSet();
    format.Add(std::make_unique<CParameter>("font", ParamType::Text))->SetString("Arial");

    CActionList actions;
    EmitClipParameters(set, actions);
    std::vector<std::uint8_t> code = actions.ToBytes(true);
    EXPECT_TRUE(Contains(code, "title"));
    EXPECT_TRUE(Contains(code, "titleTextFormat"));
    EXPECT_TRUE(Contains(code, "Arial"));
    EXPECT_FALSE(Contains(code, "General")) << "top-level groups are not members of the clip";
    EXPECT_FALSE(Contains(code, "nameless"));
    EXPECT_FALSE(Contains(code, "spacer"));

    std::vector<std::uint8_t> block = BuildParameterClipActions(set);
    ASSERT_EQ(block.size(), 2 + 4 + 4 + 4 + code.size() + 4);
    EXPECT_EQ(block[0] | block[1], 0);
    EXPECT_EQ(U32At(block, 2), 0x200u) << "the initialise event";
    EXPECT_EQ(U32At(block, 6), 0x200u);
    EXPECT_EQ(U32At(block, 10), code.size());
    EXPECT_EQ(U32At(block, block.size() - 4), 0u);

    EXPECT_TRUE(BuildParameterClipActions(CParameterSet()).empty());
}

// A value nested deeper than any component needs (only damaged documents hold one) is left out
// instead of growing the player's stack without bound.
TEST(ComponentClipParameters, DeepNestingIsCut)
{
    CParameterSet set;
    CParameter* level = set.Add(std::make_unique<CParameter>("deep", ParamType::Group));
    for (int i = 0; i < 200; ++i)
        level = level->GetSet()->Add(std::make_unique<CParameter>("n", ParamType::Group));
    level->GetSet()->Add(std::make_unique<CParameter>("leaf", ParamType::Text))->SetString("bottom");
    CActionList actions;
    EmitClipParameters(set, actions);
    EXPECT_FALSE(Contains(actions.ToBytes(true), "bottom"));
}

// Every component movie of the built installation comes with its default parameters: the
// catalogue loads all of them.
TEST(InstalledComponents, CatalogueLoadsEveryComponentWithItsDefaults)
{
    std::string traces;
    swf::SetTraceSink([&](std::string_view line) { traces += std::string(line) + "\n"; });
    CComponentCatalog catalog;
    std::string error;
    ASSERT_TRUE(catalog.Load(testsupport::InstallDir(), &error)) << error;
    swf::ResetTraceSink();
    EXPECT_EQ(traces, "") << "nothing is skipped";

    std::set<std::string> defaults;
    for (const auto& entry : fs::directory_iterator(testsupport::InstallDir() / "component" / "default"))
        defaults.insert(entry.path().stem().string());
    std::set<std::string> symbols;
    for (int i = 0; i < catalog.GetTotalCount(); ++i)
        symbols.insert(catalog.GetDefinition(i)->GetName());
    EXPECT_EQ(symbols, defaults) << "a default file without its movie, or the reverse";
    for (const char* required : {"FScrollBoxSymbol", "FScrollEditSymbol", "KVValueDisplaySymbol", "KVSliderHSymbol"})
        EXPECT_TRUE(symbols.count(required)) << required;

    std::unique_ptr<CComponent> slider = catalog.FindByTypeName("KVSliderHSymbol")->CreateInstance();
    CParameter* general = slider->GetParameters()->FindParameter("General");
    ASSERT_NE(general, nullptr);
    CParameter* mv = general->GetSet()->FindParameter("mv");
    ASSERT_NE(mv, nullptr);
    EXPECT_EQ(mv->GetType(), ParamType::CellBinding);

    // What the designer treats specially comes from the default files, not from symbol names.
    std::map<std::string, std::vector<std::string>> traits;
    for (int i = 0; i < catalog.GetTotalCount(); ++i)
        for (const char* trait : {"line", "table", "stageValueLists"})
            if (catalog.GetDefinition(i)->HasTrait(trait))
                traits[trait].push_back(catalog.GetDefinition(i)->GetName());
    for (auto& [trait, symbols] : traits)
        std::sort(symbols.begin(), symbols.end());
    EXPECT_EQ(traits["line"], (std::vector<std::string>{"KVLineSymbol", "KVLineSymbolV"}));
    EXPECT_EQ(traits["table"], (std::vector<std::string>{"KVTableNewSymbol"}));
    // Both maps colour their regions on the canvas from their value lists.
    EXPECT_EQ(traits["stageValueLists"], (std::vector<std::string>{"KVCheckBoxSymbol", "KVFilterSymbol", "KVMapEuropeSymbol",
                                                                   "KVMapUSASymbol", "KVPushButtonSymbol"}));
}

// The shipped "Default" style file is the built-in style: a user who starts a style from it
// starts from what the program shows, and the charts get the same 30 series colours.
TEST(InstalledComponents, ShippedDefaultStyleIsTheBuiltInOne)
{
    CGlobalStyle shipped;
    std::string error;
    ASSERT_TRUE(shipped.Load((testsupport::InstallDir() / "styles" / "Default").string(), &error)) << error;
    shipped.name = "Default";
    EXPECT_TRUE(shipped == CGlobalStyle());
    std::set<std::uint32_t> colours;
    for (int i = 0; i < kSeriesColorCount; ++i)
        colours.insert(shipped.GetPaletteColor(i));
    EXPECT_EQ(colours.size(), static_cast<std::size_t>(kSeriesColorCount)) << "series told apart by colour";
}
