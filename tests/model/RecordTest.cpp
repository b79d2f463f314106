#include "FakeModelLink.h"
#include "tests/support/WatchedChild.h"

#include "base/ModelError.h"
#include "model/CellBinding.h"
#include "model/ParameterRecords.h"
#include "model/ParameterSet.h"
#include "model/PropertyMap.h"
#include "model/ValueList.h"

#include "tests/support/TestSupport.h"

#include <cstdint>
#include <gtest/gtest.h>

using namespace model;
using base::RecordReader;
using base::RecordWriter;

namespace {

// One parameter of every type, nested where the type nests, with the optional parts set.
std::unique_ptr<CParameterSet> MakeEverything(FakeModelLink& link)
{
    auto set = std::make_unique<CParameterSet>();
    set->SetName("root");
    auto general = set->Add(std::make_unique<CParameter>("General", ParamType::Group));
    general->GetSet()->SetPageKind(kPageChartData);
    CParameterSet& g = *general->GetSet();
    g.Add(std::make_unique<CParameter>("s", ParamType::Text))->SetString("text");
    auto d = g.Add(std::make_unique<CParameter>("d", ParamType::Number));
    d->SetDouble(-1.25);
    d->SetRange(ParamRange{0, 100, 0.5});
    d->SetFormat(std::string("#.##"));
    d->SetEnabledText(std::string("when"));
    d->SetLabel("Label");
    d->SetStyle(3);
    g.Add(std::make_unique<CParameter>("b", ParamType::Boolean))->SetBool(true);
    auto i = g.Add(std::make_unique<CParameter>("i", ParamType::Integer));
    i->SetInt(-7);
    i->SetEnabled(false);
    g.Add(std::make_unique<CParameter>("c", ParamType::Color))->SetColor(0x123456);
    auto choice = g.Add(std::make_unique<CParameter>("choice", ParamType::Choice));
    choice->GetValueList()->AddAllowed("a");
    choice->GetValueList()->AddAllowed("b");
    choice->GetValueList()->GetPrototype().SetString("b");
    auto bound = g.Add(std::make_unique<CParameter>("bound", ParamType::CellBinding));
    bound->GetBinding()->SetDirection(kDirectionInput);
    bound->GetBinding()->SetOption(1);
    bound->GetBinding()->GetTexts().workbookText = "book.xls";
    bound->GetBinding()->GetRecordedRanges() = {0, -1, 2};
    bound->RefreshFromCells(link.Add(0, 0, 1, 1), false);
    bound->GetBinding()->SetRange(link.Add(0, 0, 1, 1));
    g.Add(std::make_unique<CParameter>("none9", ParamType::NoValue));
    g.Add(std::make_unique<CParameter>("s11", ParamType::OtherText))->SetString("second");
    for (ParamType type : {ParamType::List, ParamType::CellList, ParamType::CellTable}) {
        auto list = g.Add(std::make_unique<CParameter>("list" + std::to_string(static_cast<int>(type)), type));
        CParameter element("0", ParamType::Text);
        element.SetString("e");
        list->InsertElementCopy(element, -1);
        list->GetSet()->GetElementTemplate();
    }
    auto undefinedValue = g.Add(std::make_unique<CParameter>("u", ParamType::Integer));
    undefinedValue->SetUndefined();
    return set;
}

std::vector<std::uint8_t> Bytes(const CParameterSet& set)
{
    RecordWriter out;
    WriteParameterSet(out, set);
    return out.Take();
}

} // namespace

TEST(Records, ParameterSetOfEveryTypeRoundTrips)
{
    FakeModelLink link;
    link.SetNumber(0, 0, 5);
    auto set = MakeEverything(link);
    std::vector<std::uint8_t> bytes = Bytes(*set);

    RecordReader in(bytes);
    std::unique_ptr<CParameterSet> back = ReadParameterSet(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(Bytes(*back), bytes);

    const CParameterSet& g = *back->FindParameter("General")->GetSet();
    EXPECT_EQ(g.GetPageKind(), kPageChartData);
    EXPECT_EQ(g.FindParameter("d")->GetRange(), (ParamRange{0, 100, 0.5}));
    EXPECT_FALSE(g.FindParameter("i")->IsEnabled());
    EXPECT_TRUE(g.FindParameter("u")->IsUndefined());
    EXPECT_EQ(g.FindParameter("choice")->GetValueText(), "b");
    const CCellBinding& binding = *g.FindParameter("bound")->GetBinding();
    EXPECT_TRUE(binding.IsBound()); // found again in the variable table
    EXPECT_EQ(binding.GetLinkCount(), 1);
    EXPECT_EQ(binding.GetValue().GetDouble(), 5);
    EXPECT_EQ(binding.GetRecordedRanges(), (std::vector<std::int32_t>{0, -1, 2}));
    EXPECT_NE(g.FindParameter("list5")->GetSet()->PeekElementTemplate(), nullptr);
}

// A set whose parameter "v" is bound to the second range of its table.
static std::vector<std::uint8_t> BoundToSecondRange()
{
    FakeModelLink link;
    link.Add(0, 0, 1, 1);
    CParameterSet set;
    auto p = set.Add(std::make_unique<CParameter>("v", ParamType::CellBinding));
    p->RefreshFromCells(link.Add(3, 3, 1, 1), false);
    return Bytes(set);
}

// Reads a set in a watched child against a table whose second range has grown to rows by
// columns cells; the report is the reader's error, or "read".
static testsupport::Outcome ReadWithSecondRangeWidened(const std::vector<std::uint8_t>& bytes, int rows, int columns)
{
    return testsupport::RunWatched([&] {
        FakeModelLink widened;
        widened.Add(0, 0, 1, 1);
        widened.Add(0, 0, rows, columns);
        RecordReader in(bytes);
        try {
            ReadParameterSet(in);
        } catch (const ModelError& error) {
            return std::string(error.what());
        }
        return std::string("read");
    });
}

TEST(Records, BindingToARangeTheTableLacksReadsUnbound)
{
    const std::vector<std::uint8_t> bytes = BoundToSecondRange();
    FakeModelLink emptyTable;
    RecordReader in(bytes);
    auto back = ReadParameterSet(in);
    EXPECT_FALSE(back->FindParameter("v")->GetBinding()->IsBound());
}

// A binding's range is restored from the table when its parameter is read; a small file whose
// binding names a range of the whole sheet is refused before any cell of it is read.
TEST(Records, ABindingToAHugeRangeIsRefusedBeforeItsCellsAreRead)
{
    const std::vector<std::uint8_t> bytes = BoundToSecondRange();
    const testsupport::Outcome outcome = ReadWithSecondRangeWidened(bytes, 1048576, 16384);
    ASSERT_FALSE(outcome.tooSlow);
    ASSERT_FALSE(outcome.tooLarge);
    EXPECT_NE(outcome.report.find("would take the cells bound past 524288"), std::string::npos) << outcome.report;
}

// Bindings each within the bound still build an element and a link for every cell they bind:
// a small file binding one large range again and again is refused once the cells bound
// together pass the bound, before it has taken all the memory there is.
TEST(Records, BindingsToOneLargeRangeAreBoundedTogether)
{
    std::vector<std::uint8_t> bytes;
    {
        FakeModelLink link;
        link.Add(0, 0, 1, 1);
        CParameterSet set;
        for (int i = 0; i < 8; ++i) {
            auto p = set.Add(std::make_unique<CParameter>("v" + std::to_string(i), ParamType::CellBinding));
            p->GetBinding()->SetValue(std::make_unique<CParameter>(p->GetName(), ParamType::List));
            p->RefreshFromCells(link.Add(3, 3, 1, 1), false);
        }
        bytes = Bytes(set);
    }
    const testsupport::Outcome outcome = ReadWithSecondRangeWidened(bytes, 512, 256);
    ASSERT_FALSE(outcome.tooSlow);
    ASSERT_FALSE(outcome.tooLarge);
    EXPECT_NE(outcome.report.find("range 1 would take the cells bound past 524288"), std::string::npos) << outcome.report;
}

TEST(Records, EveryTruncationFailsCleanly)
{
    FakeModelLink link;
    auto set = MakeEverything(link);
    std::vector<std::uint8_t> bytes = Bytes(*set);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        RecordReader in(bytes.data(), n);
        EXPECT_THROW(ReadParameterSet(in), ModelError) << n;
    }
}

TEST(Records, HostileFieldsAreRefused)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    auto u32 = [](std::uint32_t v) {
        return std::vector<std::uint8_t>{static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8),
                                          static_cast<std::uint8_t>(v >> 16),
                                          static_cast<std::uint8_t>(v >> 24)};
    };
    auto join = [](std::initializer_list<std::vector<std::uint8_t>> parts) {
        std::vector<std::uint8_t> out;
        for (const auto& p : parts) {
            out.insert(out.end(), p.begin(), p.end());
        }
        return out;
    };
    const Case cases[] = {
        {"huge name length", join({u32(0xFFFFFFF0), {}})},
        {"huge parameter count", join({u32(0), {0, 0}, u32(0x40000000)})},
        {"unknown page kind", join({u32(0), {99, 0}, u32(0)})},
        {"bad template flag", join({u32(0), {0, 7}, u32(0)})},
        {"unknown type", join({u32(0), {0, 0}, u32(1), u32(0), {42}})},
    };
    for (const Case& c : cases) {
        RecordReader in(c.bytes);
        EXPECT_THROW(ReadParameterSet(in), ModelError) << c.name;
    }

    // Nesting without end is cut off by the depth guard, not by the stack.
    std::vector<std::uint8_t> deep;
    for (int i = 0; i < 1000; ++i) {
        auto level = join({u32(0),
                           {0, 0},
                           u32(1),
                           u32(0),
                           {static_cast<std::uint8_t>(ParamType::Group)},
                           u32(4),
                           {0},
                           u32(0),
                           u32(0),
                           {0, 0},
                           u32(0xFFFFFFFF)});
        deep.insert(deep.end(), level.begin(), level.end());
    }
    RecordReader in(deep);
    try {
        ReadParameterSet(in);
        FAIL() << "deep nesting accepted";
    } catch (const ModelError& e) {
        EXPECT_NE(std::string(e.what()).find("nested too deeply"), std::string::npos);
    }
}

TEST(PropertyMap, CopiesNeverMoreThanEitherSide)
{
    CPropertyMap map;
    const std::uint8_t four[4] = {1, 2, 3, 4};
    map.SetProperty("ours", four, sizeof four);
    std::uint8_t one = 0xEE;
    EXPECT_TRUE(map.GetProperty("ours", &one, 1)); // stored longer than asked: only one byte
    EXPECT_EQ(one, 1);
    std::uint8_t eight[8];
    std::fill(std::begin(eight), std::end(eight), 0xAA);
    EXPECT_TRUE(map.GetProperty("ours", eight, sizeof eight)); // stored shorter: the rest stays
    EXPECT_EQ(eight[3], 4);
    EXPECT_EQ(eight[4], 0xAA);
    EXPECT_FALSE(map.GetProperty("missing", eight, sizeof eight));
    map.SetProperty("ours", four, 2);
    EXPECT_EQ(map.Find("ours")->size(), 2u);
}

TEST(PropertyMap, FileFormRoundTripsAndDamagedInputChangesNothing)
{
    CPropertyMap map;
    std::int32_t page = 3;
    map.SetProperty("Active Page", &page, sizeof page);
    map.SetProperty("empty", nullptr, 0);
    base::RecordWriter out;
    map.Save(out);
    std::vector<std::uint8_t> bytes = out.Take();
    // u32 count, then value length, value, name length with NUL, name.
    ASSERT_EQ(bytes.size(), 4u + (4 + 4 + 4 + 12) + (4 + 0 + 4 + 6));
    EXPECT_EQ(bytes[0], 2);

    CPropertyMap back;
    base::RecordReader in(bytes);
    back.Load(in);
    EXPECT_EQ(back, map);

    CPropertyMap atEnd; // the end of the input reads as no records
    base::RecordReader empty(nullptr, 0);
    atEnd.Load(empty);
    EXPECT_EQ(atEnd.GetCount(), 0u);

    for (std::size_t n = 1; n < bytes.size(); ++n) {
        CPropertyMap kept = map;
        base::RecordReader cut(bytes.data(), n);
        EXPECT_THROW(kept.Load(cut), ModelError) << n;
        EXPECT_EQ(kept, map);
    }

    testsupport::TempDir dir;
    std::string path = (dir / "app.dat").string();
    ASSERT_TRUE(map.SaveFile(path));
    CPropertyMap fromFile;
    ASSERT_TRUE(fromFile.LoadFile(path));
    EXPECT_EQ(fromFile, map);
    std::string error;
    EXPECT_FALSE(fromFile.LoadFile((dir / "missing.dat").string(), &error));
    EXPECT_FALSE(error.empty());
}
