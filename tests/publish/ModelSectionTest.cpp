#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "publish/BaseMovie.h"
#include "sheet/cells/CellValueMap.h"
#include "tests/publish/PublishTestSupport.h"

#include <gtest/gtest.h>

namespace {

using publishtest::BaseMovieFixture;
using Bytes = std::vector<unsigned char>;

struct ModelSectionTest : BaseMovieFixture, ::testing::Test {
    // A compiled model with every kind of node and an XML map bound to a cell.
    void BuildModel()
    {
        Number("A1", 1);
        Number("A2", 2);
        Formula("B1", "A1+SUM(A1:A2)");
        Formula("C1", "B1&\"x\"");
        BoundCells bound;
        bound.constants.insert(Id("A1"));
        bound.formulas.insert(Id("C1"));
        Compile({"A1", "C1"}, bound);
        movie->GetNetwork().Link(table());
        CExportRecord map;
        map.name = "prices";
        map.urlText = "http://example.com/p.xml";
        map.parameters = {{"price", 0}, {"name", 1}};
        map.refreshSeconds = 30;
        map.cellBound = true;
        map.urlCell = Id("A2");
        movie->GetExportRecords()["prices"] = std::move(map);
        movie->GetStringMap()["ns"] = "urn:x";
    }
    Bytes Save(const CBaseMovie& from)
    {
        base::RecordWriter out;
        from.SaveModel(out);
        return out.Take();
    }
    // The section up to (not including) the version byte, i.e. tables and network.
    Bytes Head()
    {
        Bytes all = Save(*movie);
        std::size_t tail = 0;
        for (const auto& [name, record] : movie->GetExportRecords()) {
            tail += 8 + record.name.size() + record.urlText.size() + 4 + 1 + 4 + 1 + 4;
            for (const auto& [parameter, value] : record.parameters)
                tail += 8 + parameter.size();
        }
        tail += 4 + 4;
        for (const auto& [key, value] : movie->GetStringMap())
            tail += 8 + key.size() + value.size();
        tail += 2;
        return Bytes(all.begin(), all.end() - static_cast<std::ptrdiff_t>(tail));
    }
    static void U8(Bytes& b, uint8_t v) { b.push_back(v); }
    static void U32(Bytes& b, uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            b.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    static void Text(Bytes& b, const std::string& text)
    {
        U32(b, static_cast<uint32_t>(text.size()));
        b.insert(b.end(), text.begin(), text.end());
    }
};

TEST_F(ModelSectionTest, ASavedModelReadsBackToTheSameSection)
{
    BuildModel();
    Bytes saved = Save(*movie);
    BaseMovieFixture other;
    base::RecordReader in(saved);
    other.movie->LoadModel(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_TRUE(other.movie->IsModelChanged()); // the map's URL cell must be compiled
    other.movie->ClearModelChanged();
    EXPECT_EQ(Save(*other.movie), saved);
    EXPECT_EQ(other.movie->GetNetwork().GetNodeCount(), 4u);
    EXPECT_EQ(other.movie->GetNetwork().GetEvaluationOrder().size(), 2u);
    EXPECT_TRUE(other.movie->GetConnectionInputs());
    const CExportRecord& map = other.movie->GetExportRecords().at("prices");
    EXPECT_EQ(map.urlCell, Id("A2"));
    EXPECT_EQ(map.parameters.at("name"), 1u);
    EXPECT_EQ(other.movie->GetStringMap().at("ns"), "urn:x");
}

TEST_F(ModelSectionTest, OlderVersionsReadTheirOwnFields)
{
    BuildModel();
    movie->GetExportRecords().clear();
    movie->GetStringMap().clear();
    Bytes head = Head();
    struct Case {
        uint8_t version;
        Bytes tail;
        bool changed;
        bool inputs;
    };
    Bytes v2 = {2, 0};
    U32(v2, 1);
    Text(v2, "m");
    Text(v2, "http://a");
    U32(v2, 0);
    Bytes v3 = {3, 1};
    U32(v3, 0);
    U32(v3, 1);
    Text(v3, "k");
    Text(v3, "v");
    Bytes v4 = {4, 0};
    U32(v4, 1);
    Text(v4, "m");
    Text(v4, "old");
    U32(v4, 0);
    U8(v4, 0);
    U32(v4, 5);
    U8(v4, 0);
    Text(v4, "http://b");
    U32(v4, 0);
    for (const Case& c : {Case{0, {0}, false, false}, Case{1, {1}, true, false}, Case{2, v2, false, true},
                          Case{3, v3, true, false}, Case{4, v4, false, true}}) {
        BaseMovieFixture other;
        other.movie->ClearModelChanged();
        Bytes section = head;
        section.insert(section.end(), c.tail.begin(), c.tail.end());
        base::RecordReader in(section);
        ASSERT_NO_THROW(other.movie->LoadModel(in)) << int(c.version);
        EXPECT_TRUE(in.AtEnd()) << int(c.version);
        EXPECT_EQ(other.movie->IsModelChanged(), c.changed) << int(c.version);
        EXPECT_EQ(other.movie->GetConnectionInputs(), c.inputs) << int(c.version);
        EXPECT_EQ(other.movie->GetNetwork().GetNodeCount(), 4u);
        if (c.version == 3) {
            EXPECT_EQ(other.movie->GetStringMap().at("k"), "v");
        }
        if (c.version == 4) {
            const CExportRecord& map = other.movie->GetExportRecords().at("m");
            EXPECT_FALSE(map.active);
            EXPECT_EQ(map.refreshSeconds, 5);
            EXPECT_EQ(map.urlText, "http://b");
        }
    }
}

TEST_F(ModelSectionTest, ADamagedSectionIsRefusedAndChangesNothing)
{
    BuildModel();
    Bytes good = Save(*movie);
    BaseMovieFixture target;
    target.Number("Z9", 9);
    target.Id("Z9");
    target.movie->GetStringMap()["keep"] = "me";
    Bytes before = Save(*target.movie);
    auto refused = [&](const Bytes& section) {
        base::RecordReader in(section);
        try {
            target.movie->LoadModel(in);
        } catch (const ModelError& error) {
            EXPECT_EQ(Save(*target.movie), before);
            return std::string(error.what());
        }
        return std::string();
    };
    // Every cut of the section ends early somewhere.
    for (std::size_t length = 0; length < good.size(); ++length)
        ASSERT_FALSE(refused(Bytes(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length))).empty())
            << "cut at " << length;

    // Indexes that name nothing: the evaluation order, a node's cell, a map's URL cell.
    Bytes head = Head();
    Bytes badOrder = head;
    badOrder.resize(badOrder.size() - 4 * 2);
    U32(badOrder, static_cast<uint32_t>(Id("A1"))); // a bound constant is a variable node
    U32(badOrder, 999);
    badOrder.push_back(0);
    EXPECT_NE(refused(badOrder).find("evaluation order"), std::string::npos);

    Bytes badMap = head;
    badMap.insert(badMap.end(), {4, 0});
    U32(badMap, 1);
    Text(badMap, "m");
    Text(badMap, "");
    U32(badMap, 0);
    U8(badMap, 1);
    U32(badMap, 0);
    U8(badMap, 1);
    U32(badMap, 4000);
    EXPECT_NE(refused(badMap).find("URL cell"), std::string::npos);

    BaseMovieFixture other;
    other.Number("A1", 1);
    other.Compile({"A1"}, {});
    Bytes orphan = Save(*other.movie);
    // The table's one cell becomes a table of none: the node's cell is gone.
    orphan[0] = 0;
    orphan.erase(orphan.begin() + 4, orphan.begin() + 4 + 4 + 1 + 8);
    EXPECT_FALSE(refused(orphan).empty());
}

} // namespace
