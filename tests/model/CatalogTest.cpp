#include "base/ModelError.h"
#include "model/Component.h"
#include "model/ComponentCatalog.h"
#include "model/ComponentDef.h"
#include "model/DefaultParameters.h"
#include "swf/SwfTrace.h"

#include "swf/SwfMovie.h"
#include "swf/SwfPlaceObject2.h"
#include "swf/SwfSprite.h"
#include "swf/SwfTags.h"
#include "swf/SwfWriter.h"

#include "tests/support/TestSupport.h"

#include <cstdint>
#include <gtest/gtest.h>

#include <fstream>

namespace fs = std::filesystem;
using namespace model;
using base::RecordReader;
using base::RecordWriter;

namespace {

// An enciphered asset exporting one small sprite per symbol.
void WriteAsset(const fs::path& file, const std::vector<std::string>& symbols)
{
    swf::IdCounter ids;
    CSwfMovie movie;
    for (const std::string& symbol : symbols) {
        auto sprite = std::make_unique<CSwfSprite>(ids);
        sprite->AddTag(std::make_unique<CSwfShowFrame>());
        std::uint16_t id = sprite->GetCharacterId();
        movie.AddTag(std::move(sprite));
        auto exported = std::make_unique<CSwfExportedSymbol>(id);
        exported->SetName(symbol);
        movie.AddTag(std::move(exported));
    }
    movie.AddTag(std::make_unique<CSwfShowFrame>());
    movie.WriteFile(file, 2000, 1000, 30, false, true);
}

void WriteDefaults(const fs::path& folder, const std::string& symbol, const std::string& label,
                   const std::string& category)
{
    ComponentDefaults d;
    d.symbol = symbol;
    d.label = label;
    d.category = category;
    d.bounds = std::array<double, 4>{-100, 1900, 0, 1000};
    auto general = d.parameters->Add(std::make_unique<CParameter>("General", ParamType::Group));
    general->GetSet()->Add(std::make_unique<CParameter>("title", ParamType::Text))->SetString(label);
    std::ofstream(folder / (symbol + ".xml")) << WriteDefaultParameters(d);
}

class CatalogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        swf::SetTraceSink([this](std::string_view line) { traces += std::string(line) + "\n"; });
        fs::path component = dir.path() / "component";
        fs::create_directories(component / "default");
        fs::create_directories(component / "basic");
        fs::create_directories(component / "dark");
        WriteAsset(component / "basic" / "a.dat", {"KVBarChartSymbol", "KVOrphanSymbol", "KVBadSymbol"});
        WriteAsset(component / "basic" / "b.dat", {"KVGaugeSymbol"});
        std::ofstream(component / "basic" / "broken.dat") << "not an asset at all, just text";
        WriteAsset(component / "dark" / "a.dat", {"KVBarChartSymbol"});
        WriteDefaults(component / "default", "KVBarChartSymbol", "Bar Chart", "Charts");
        WriteDefaults(component / "default", "KVGaugeSymbol", "Gauge", "Single Value");
        std::ofstream(component / "default" / "KVBadSymbol.xml") << "<component symbol=";
        ResetInstanceCounter();
    }
    void TearDown() override
    {
        swf::ResetTraceSink();
        ResetComponentCatalog();
    }

    testsupport::TempDir dir;
    std::string traces;
};

TEST_F(CatalogTest, HelperComponentsComeAfterEveryOtherCategory)
{
    // The palette opens on the first category: not on the helpers, though their asset comes first.
    fs::path component = dir.path() / "component";
    WriteAsset(component / "basic" / "0.dat", {"FScrollBoxSymbol"});
    WriteDefaults(component / "default", "FScrollBoxSymbol", "Scroll Box", "Hidden");
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path()));
    ASSERT_EQ(catalog.GetCategoryCount(), 3);
    EXPECT_EQ(catalog.GetCategory(0)->GetName(), "Charts");
    EXPECT_EQ(catalog.GetCategory(1)->GetName(), "Single Value");
    EXPECT_EQ(catalog.GetCategory(2)->GetName(), "Hidden");
    EXPECT_EQ(catalog.GetCategory(2)->GetItem(0), catalog.FindByTypeName("FScrollBoxSymbol"));
    // The palette offers the other two only.
    EXPECT_EQ(catalog.GetPaletteCategoryCount(), 2);
}

std::vector<std::uint8_t> Written(CComponentCatalog& catalog)
{
    swf::Writer out;
    catalog.Write(out);
    return out.Take();
}

bool Contains(const std::vector<std::uint8_t>& bytes, const std::string& text)
{
    return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

} // namespace

TEST_F(CatalogTest, LoadsEveryReadableComponentAndSkipsTheRest)
{
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path()));
    EXPECT_EQ(catalog.GetTotalCount(), 2);
    EXPECT_EQ(catalog.GetFolderCount(), 2);
    EXPECT_EQ(catalog.GetFolderName(0), "basic");
    EXPECT_EQ(catalog.GetFolderName(1), "dark");
    EXPECT_EQ(catalog.GetFolderName(2), "");
    for (const char* skipped : {"KVOrphanSymbol", "KVBadSymbol", "broken.dat"}) {
        EXPECT_NE(traces.find(skipped), std::string::npos) << skipped;
    }

    // A build numbers its own characters past every id the assets took.
    for (int i = 0; i < catalog.GetTotalCount(); ++i) {
        EXPECT_LT(catalog.GetDefinition(i)->GetCurrentSymbol().characterId, catalog.GetAssetIds().Peek());
    }

    ASSERT_EQ(catalog.GetCategoryCount(), 2);
    EXPECT_EQ(catalog.GetCategory(0)->GetName(), "Charts");
    EXPECT_EQ(catalog.GetCategory(1)->GetItem(0), catalog.FindByTypeName("KVGaugeSymbol"));
    EXPECT_EQ(catalog.GetCategory(1)->GetGroupItem(1), nullptr);
    EXPECT_EQ(catalog.GetCategory(2), nullptr);

    CComponentDef* bar = catalog.FindDefinition("KVBarChartSymbol");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->GetDisplayName(), "Bar Chart");
    EXPECT_EQ(bar->GetPrototype()->GetName(), "KVBarChartSymbol");
    EXPECT_EQ(catalog.FindDefinition("kvbarchartsymbol"), nullptr);

    // The second variant has its own character for the bar chart, the gauge falls back.
    CComponentDef* gauge = catalog.FindDefinition("KVGaugeSymbol");
    auto barBasic = bar->GetCurrentSymbol();
    auto gaugeBasic = gauge->GetCurrentSymbol();
    catalog.SelectVariant(1);
    EXPECT_NE(bar->GetCurrentSymbol().movie, barBasic.movie);
    EXPECT_EQ(gauge->GetCurrentSymbol().movie, gaugeBasic.movie);
}

// The published clip lies where the canvas rectangle says, the symbol's own bounds (-100..1900 by
// 0..1000 twips, registration point inside) stretched over it, as the stage shows it.
TEST_F(CatalogTest, ClipsArePlacedOverTheirRectangles)
{
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path()));
    struct Case {
        ComponentRect rect;
        bool scaled;
        std::int32_t scaleX, scaleY, x, y;
    };
    const Case cases[] = {
        {{1000, 500, 5000, 2500}, true, 0x20000, 0x20000, 1200, 500}, // twice the symbol's size
        {{1000, 500, 3000, 1500}, false, 0x10000, 0x10000, 1100, 500}, // its own size
        {{1000, 500, 1000, 500}, false, 0x10000, 0x10000, 1100, 500},  // empty: its own size at the corner
    };
    for (const Case& c : cases) {
        std::unique_ptr<CComponent> instance = catalog.FindByTypeName("KVBarChartSymbol")->CreateInstance();
        instance->SetRect(c.rect);
        CSwfMovie out;
        swf::IdCounter depths;
        instance->PlaceInMovie(out, depths);
        ASSERT_EQ(out.GetTagCount(), 1u);
        const CSwfMatrix& m = static_cast<const CSwfPlaceObject2*>(out.GetTag(0))->GetMatrix();
        SCOPED_TRACE(c.rect.right);
        EXPECT_EQ(m.hasScale, c.scaled);
        EXPECT_EQ(m.scaleX, c.scaleX);
        EXPECT_EQ(m.scaleY, c.scaleY);
        EXPECT_EQ(m.translateX, c.x);
        EXPECT_EQ(m.translateY, c.y);
    }
}

TEST_F(CatalogTest, NoComponentFolderIsAnError)
{
    testsupport::TempDir empty;
    CComponentCatalog catalog;
    std::string error;
    EXPECT_FALSE(catalog.Load(empty.path(), &error));
    EXPECT_NE(error.find("component"), std::string::npos);
}

TEST_F(CatalogTest, InstancesAreNamedCopiedAndPlaced)
{
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path()));
    CSwfComponent* prototype = catalog.FindByTypeName("KVBarChartSymbol");
    std::unique_ptr<CComponent> first = prototype->CreateInstance();
    std::unique_ptr<CComponent> second = prototype->CreateInstance();
    EXPECT_EQ(first->GetName(), "KVBarChartSymbol_1");
    EXPECT_EQ(second->GetName(), "KVBarChartSymbol_2");
    first->GetParameters()->FindParameter("General")->GetSet()->FindParameter("title")->SetString("mine");
    EXPECT_EQ(
        prototype->GetParameters()->FindParameter("General")->GetSet()->FindParameter("title")->GetString(),
        "Bar Chart");

    EXPECT_EQ(first->MakeDisplayName(), "Bar Chart 1");
    EXPECT_EQ(second->MakeDisplayName(), "Bar Chart 2");
    EXPECT_EQ(first->GetScalingMode(), 3);

    // Twice the definition's size: the registration offset scales with it.
    first->SetBounds(1000, 500, 5000, 2500);
    EXPECT_EQ(first->GetOriginX(), 200);
    EXPECT_EQ(first->GetOriginY(), 0);
    int w = 0, h = 0;
    first->GetSize(w, h);
    EXPECT_EQ(w, 4000);
    EXPECT_EQ(h, 2000);

    CSwfMovie out;
    swf::IdCounter depths;
    first->PlaceInMovie(out, depths);
    ASSERT_EQ(out.GetTagCount(), 1u);
    EXPECT_EQ(out.GetTag(0)->GetTagCode(), swf::TagCode::PlaceObject2);

    EXPECT_EQ(MakeInstanceName(std::string(80, 'S'), 12345).size(), 63u);
    EXPECT_EQ(MakeInstanceName(std::string(80, 'S'), 12345).substr(57), "_12345");

    CComponentDef longLabel("KVLongSymbol", std::string(80, 'L'));
    longLabel.SetCounter(41);
    CSwfComponent named(&longLabel);
    std::string display = named.MakeDisplayName();
    EXPECT_EQ(display.size(), 63u);
    EXPECT_EQ(display.substr(60), " 42");
}

TEST_F(CatalogTest, WritesOnlyTheSymbolsInUse)
{
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path()));
    EXPECT_TRUE(Written(catalog).empty());
    std::unique_ptr<CComponent> bar = catalog.FindByTypeName("KVBarChartSymbol")->CreateInstance();
    bar->MarkUsed();
    std::vector<std::uint8_t> bytes = Written(catalog);
    EXPECT_TRUE(Contains(bytes, "KVBarChartSymbol"));
    EXPECT_FALSE(Contains(bytes, "KVGaugeSymbol"));
    bar->ReleaseUse();
    EXPECT_TRUE(Written(catalog).empty());

    catalog.FindByTypeName("KVGaugeSymbol")->ApplyVariant();
    EXPECT_TRUE(Contains(Written(catalog), "KVGaugeSymbol"));
    catalog.FindByTypeName("KVGaugeSymbol")->ApplyVariant2();
}

TEST_F(CatalogTest, CounterOfASymbolFillingTheWholeNameFieldRoundTrips)
{
    const std::string symbol = "KV" + std::string(56, 'x') + "Symbol";
    ASSERT_EQ(symbol.size(), 64u);
    fs::path component = dir.path() / "component";
    WriteAsset(component / "basic" / "long.dat", {symbol});
    WriteDefaults(component / "default", symbol, "Long", "Other");
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path()));
    ASSERT_NE(catalog.FindDefinition(symbol), nullptr);
    catalog.FindDefinition(symbol)->SetCounter(7);
    RecordWriter out;
    catalog.SaveCounters(out);
    catalog.ResetCounters();
    RecordReader in(out.Bytes());
    catalog.LoadCounters(in);
    EXPECT_EQ(catalog.FindDefinition(symbol)->GetCounter(), 7);
}

TEST_F(CatalogTest, CountersRoundTripAndDamageChangesNothing)
{
    CComponentCatalog catalog;
    ASSERT_TRUE(catalog.Load(dir.path()));
    catalog.FindDefinition("KVBarChartSymbol")->SetCounter(4);
    catalog.FindDefinition("KVGaugeSymbol")->SetCounter(9);
    RecordWriter out;
    catalog.SaveCounters(out);
    std::vector<std::uint8_t> bytes = out.Take();
    ASSERT_EQ(bytes.size(), 4u + 2 * 68);

    catalog.ResetCounters();
    EXPECT_EQ(catalog.FindDefinition("KVGaugeSymbol")->GetCounter(), 0);
    RecordReader in(bytes);
    catalog.LoadCounters(in);
    EXPECT_EQ(catalog.FindDefinition("KVBarChartSymbol")->GetCounter(), 4);
    EXPECT_EQ(catalog.FindDefinition("KVGaugeSymbol")->GetCounter(), 9);

    catalog.ResetCounters();
    RecordReader cut(bytes.data(), bytes.size() - 1);
    EXPECT_THROW(catalog.LoadCounters(cut), ModelError);
    EXPECT_EQ(catalog.FindDefinition("KVBarChartSymbol")->GetCounter(), 0);

    // A name that fills all 64 bytes without a NUL, and an unknown one, are skipped.
    std::vector<std::uint8_t> odd = {2, 0, 0, 0, 1, 0, 0, 0};
    odd.insert(odd.end(), 64, 'Z');
    odd.insert(odd.end(), {2, 0, 0, 0});
    std::string name = "KVGaugeSymbol";
    odd.insert(odd.end(), name.begin(), name.end());
    odd.insert(odd.end(), 64 - name.size(), 0);
    RecordReader oddIn(odd);
    catalog.LoadCounters(oddIn);
    EXPECT_EQ(catalog.FindDefinition("KVGaugeSymbol")->GetCounter(), 2);
}

TEST_F(CatalogTest, ComponentRecordsRoundTripThroughTheCatalogue)
{
    auto owned = std::make_unique<CComponentCatalog>();
    ASSERT_TRUE(owned->Load(dir.path()));
    SetComponentCatalog(owned.get());
    std::unique_ptr<CComponent> bar =
        GetComponentCatalog()->FindByTypeName("KVBarChartSymbol")->CreateInstance();
    bar->SetRect({10, 20, 300, 400});
    bar->SetBounds(1.5, 2.5, 3.5, 4.5);
    std::int32_t page = 2;
    bar->GetPropertyMap().SetProperty("Active Page", &page, sizeof page);

    RecordWriter out;
    WriteInstanceCounter(out);
    WriteComponentToFile(out, *bar);
    std::vector<std::uint8_t> bytes = out.Take();

    ResetInstanceCounter();
    RecordReader in(bytes);
    ReadInstanceCounter(in);
    EXPECT_EQ(InstanceCounter(), 1u);
    std::unique_ptr<CComponent> back = ReadComponentFromFile(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back->GetName(), bar->GetName());
    EXPECT_EQ(back->GetRect(), bar->GetRect());
    EXPECT_EQ(back->GetBounds(), bar->GetBounds());
    EXPECT_EQ(back->GetDefinition(), bar->GetDefinition());
    EXPECT_EQ(back->GetPropertyMap(), bar->GetPropertyMap());
    RecordWriter again;
    back->Save(again);
    RecordWriter original;
    bar->Save(original);
    EXPECT_EQ(again.Bytes(), original.Bytes());

    // The property map ends the record, and an input that ends right before it reads as an
    // empty map, as the end of a settings file does.
    RecordWriter map;
    bar->GetPropertyMap().Save(map);
    const std::size_t mapStart = bytes.size() - map.Bytes().size();
    for (std::size_t n = 4; n < bytes.size(); ++n) {
        RecordReader cut(bytes.data() + 4, n - 4);
        if (n == mapStart) {
            EXPECT_EQ(ReadComponentFromFile(cut)->GetPropertyMap().GetCount(), 0u);
        } else {
            EXPECT_THROW(ReadComponentFromFile(cut), ModelError) << n;
        }
    }
    RecordWriter unknown;
    unknown.WriteU32(0);
    unknown.WriteString("KVNoSuchSymbol");
    RecordReader unknownIn(unknown.Bytes());
    EXPECT_THROW(ReadComponentFromFile(unknownIn), ModelError);
}

// The palette previews the chosen component with asset/<symbol><look>.swf of the installation:
// the build ships one for every component of every category, in every look the catalogue has.
TEST(ShippedCatalogTest, EveryPaletteComponentHasItsPreviewInEveryLook)
{
    CComponentCatalog catalog;
    std::string error;
    ASSERT_TRUE(catalog.Load(testsupport::InstallDir(), &error)) << error;
    ASSERT_GT(catalog.GetFolderCount(), 0);
    int components = 0;
    for (int c = 0; c < catalog.GetCategoryCount(); ++c) {
        const CComponentCategory* category = catalog.GetCategory(c);
        for (int i = 0; i < category->GetGroupSize(); ++i, ++components) {
            const std::string symbol = category->GetGroupItem(i)->GetName();
            for (int look = 0; look < catalog.GetFolderCount(); ++look) {
                const fs::path movie = testsupport::InstallDir() / "asset" / (symbol + std::to_string(look) + ".swf");
                if (!fs::is_regular_file(movie)) {
                    ADD_FAILURE() << movie << " is missing";
                    continue;
                }
                EXPECT_GT(fs::file_size(movie), 20u) << movie << " is empty";
            }
        }
    }
    EXPECT_GT(components, 40);
}
