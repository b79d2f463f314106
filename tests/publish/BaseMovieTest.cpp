#include "publish/BaseMovie.h"
#include "model/BindingLink.h"
#include "publish/CompileModel.h"
#include "publish/ExportSettings.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/cells/Range.h"
#include "sheet/workbook/WorkbookError.h"
#include "swf/Actions.h"
#include "swf/SwfDoAction.h"
#include "swf/SwfRawTag.h"
#include "swf/SwfReader.h"
#include "swf/SwfWriter.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/sheet/XlsxTestPackages.h"
#include "tests/support/ActionText.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

using publishtest::BaseMovieFixture;

using publishtest::ReadTags;
using publishtest::WrittenTag;

uint16_t U16At(const std::vector<uint8_t>& body, std::size_t offset)
{
    return static_cast<uint16_t>(body[offset] | body[offset + 1] << 8);
}

// A whole movie file holding only the base movie.
std::vector<uint8_t> WriteFile(CBaseMovie& movie)
{
    CSwfOutputMovie output;
    output.AddTag(&movie);
    std::vector<uint8_t> file = output.WriteBytes(2000, 2000, 30, false);
    output.RemoveAllTags();
    return file;
}

struct BaseMovieTest : BaseMovieFixture, ::testing::Test {
    std::vector<WrittenTag> WriteTags() { return publishtest::WrittenTags(*movie); }
    void BuildScripts()
    {
        CActionList frame;
        frame.Add(std::make_unique<CActionCode>(swf::ActionCode::Stop));
        movie->SetFrameScript(std::make_unique<CSwfDoAction>(std::move(frame)));
        auto init = std::make_unique<CInitCodeTag>();
        init->GetActions().Add(std::make_unique<CActionPush>("V1"));
        init->GetActions().Add(CActionPush::CActionPushInt(7));
        init->GetActions().Add(std::make_unique<CActionCode>(swf::ActionCode::SetVariable));
        movie->SetInitCode(std::move(init));
    }
};

TEST_F(BaseMovieTest, WritesTheManagerClipTheScriptsAndItsPlacement)
{
    BuildScripts();
    std::vector<WrittenTag> tags = WriteTags();
    using T = swf::TagCode;
    auto code = [](T c) { return static_cast<uint16_t>(c); };
    // The manager and the clip it places; the other exported clip of the asset stays out.
    ASSERT_EQ(publishtest::TagCodes(tags),
              (std::vector<uint16_t>{code(T::DefineSprite), code(T::DefineSprite), code(T::ExportAssets),
                                     code(T::DoAction), code(T::DefineSprite), code(T::ExportAssets),
                                     code(T::DoInitAction), code(T::PlaceObject2)}));
    EXPECT_EQ(U16At(tags[0].body, 0), 3);
    EXPECT_EQ(U16At(tags[1].body, 0), 1);
    std::string exportsOfAsset(tags[2].body.begin(), tags[2].body.end());
    EXPECT_EQ(exportsOfAsset.find("kvOther"), std::string::npos);

    // The "initCode" sprite takes the next id; its export and init code name it.
    EXPECT_EQ(U16At(tags[4].body, 0), 100);
    EXPECT_EQ(U16At(tags[4].body, 2), 1);
    EXPECT_EQ(U16At(tags[5].body, 0), 1);
    EXPECT_EQ(U16At(tags[5].body, 2), 100);
    EXPECT_EQ(std::string(tags[5].body.begin() + 4, tags[5].body.end() - 1), "initCode");
    EXPECT_EQ(U16At(tags[6].body, 0), 100);
    CActionList init = swf::ParseActions(std::span(tags[6].body).subspan(2));
    ASSERT_EQ(init.size(), 3u);
    EXPECT_EQ(init[2].GetCode(), static_cast<uint8_t>(swf::ActionCode::SetVariable));

    // PlaceObject2: flags (name, character, matrix), depth 1, the manager's id, identity, "mgr".
    const std::vector<uint8_t>& place = tags[7].body;
    EXPECT_EQ(place[0], 0x26);
    EXPECT_EQ(U16At(place, 1), 1);
    EXPECT_EQ(U16At(place, 3), 1);
    EXPECT_EQ(std::string(place.end() - 4, place.end() - 1), "mgr");

    // The scripts belong to one build: a second write finds none and places at the next depth.
    std::vector<WrittenTag> again = WriteTags();
    ASSERT_EQ(publishtest::TagCodes(again), (std::vector<uint16_t>{code(T::DefineSprite), code(T::DefineSprite),
                                                   code(T::ExportAssets), code(T::PlaceObject2)}));
    EXPECT_EQ(U16At(again[3].body, 1), 2);
}

TEST_F(BaseMovieTest, ACompiledModelWritesItsAssignmentsInOrderAndReadsBack)
{
    Number("A1", 2);
    Formula("B1", "A1*3");
    Formula("C1", "B1-A1");
    BoundCells bound;
    bound.constants.insert(Id("A1"));
    bound.formulas.insert(Id("C1"));
    Compile({"A1", "C1"}, bound);
    movie->GetNetwork().Link(table());
    auto init = std::make_unique<CInitCodeTag>();
    for (const auto& [id, node] : movie->GetNetwork().BoundConstants())
        node->WriteVariableAction(init->GetActions());
    for (const CFormulaNode* node : movie->GetNetwork().GetEvaluationOrder())
        node->WriteVariableAction(init->GetActions());
    movie->SetInitCode(std::move(init));

    CSwfMovie read;
    read.LoadBytes(WriteFile(*movie), {.keepTopLevel = true});
    ASSERT_EQ(read.GetClipEntries().size(), 2u);
    EXPECT_EQ(read.GetClipEntries()[1].GetName(), "initCode");
    ASSERT_NE(read.GetClipEntries()[1].GetInitActions(), nullptr);
    std::string actions = testsupport::ActionText(swf::ParseActions(read.GetClipEntries()[1].GetInitActions()->GetBytes()));
    // A1 (V0) is assigned its value, then B1 (V2) and C1 (V1), each after what it reads; the
    // arguments of a library call go on the stack last first.
    EXPECT_EQ(actions, "push 'V0'; push 2; setvar; "
                       "push 'V2'; push 3; push 'V0'; getvar; push 2; push 'kvLib'; getvar; push 'kvMul'; callmethod; "
                       "setvar; push 'V1'; push 'V0'; getvar; push 'V2'; getvar; push 2; push 'kvLib'; getvar; "
                       "push 'kvSub'; callmethod; setvar");
}

TEST_F(BaseMovieTest, TheCurrentContextHoldsTheBaseMovie)
{
    EXPECT_EQ(GetBaseMovie(), movie.get());
    {
        // Making a base movie changes nothing; a context that takes it, while current, does.
        CBaseMovie newer(publishtest::BaseAsset(), {}, ids, depths);
        EXPECT_EQ(GetBaseMovie(), movie.get());
        CProgramContext other;
        CProgramContext::Scope use(other);
        EXPECT_EQ(GetBaseMovie(), nullptr);
        other.UseBaseMovie(&newer);
        EXPECT_EQ(GetBaseMovie(), &newer);
    }
    EXPECT_EQ(GetBaseMovie(), movie.get());

    auto empty = std::make_unique<CSwfMovie>();
    EXPECT_THROW(CBaseMovie(std::move(empty), {}, ids, depths), BaseMovieError);
    testsupport::TempDir folder;
    try {
        CBaseMovie::Create(folder.path(), ids, depths);
        FAIL() << "no asset, no base movie";
    } catch (const BaseMovieError& error) {
        EXPECT_NE(std::string(error.what()).find("kvbase.dat"), std::string::npos);
    }
}

TEST_F(BaseMovieTest, LinksRelateConstantsToTheFormulaLinksTheyDriveAndLinkingTwiceIsStable)
{
    Number("A1", 1);
    Formula("B1", "A1*2");
    Formula("C1", "B1+1");
    Formula("D1", "5+1");
    CBindingLink slider(CVariablePath(), Id("A1"));
    CBindingLink dial(CVariablePath(), Id("A1"));
    CBindingLink gauge(CVariablePath(), Id("C1"));
    CBindingLink label(CVariablePath(), Id("D1"));
    for (CBindingLink* link : {&slider, &dial})
        movie->AddKind1DataRecord(link);
    for (CBindingLink* link : {&gauge, &label})
        movie->AddDataRecord(link);
    BoundCells bound;
    bound.constants.insert(Id("A1"));
    bound.formulas = {Id("C1"), Id("D1")};
    Compile({"A1", "C1", "D1"}, bound);
    for (int pass = 0; pass < 2; ++pass) {
        movie->BuildExportMaps();
        EXPECT_EQ(slider.GetDependentLinks(), std::vector<CBindingLink*>{&gauge});
        EXPECT_EQ(dial.GetDependentLinks(), std::vector<CBindingLink*>{&gauge});
        EXPECT_EQ(slider.GetSameCellLinks(), std::vector<CBindingLink*>{&dial});
        EXPECT_EQ(dial.GetSameCellLinks(), std::vector<CBindingLink*>{&slider});
        EXPECT_TRUE(gauge.GetDependentLinks().empty());
    }
}

TEST_F(BaseMovieTest, TheWalkCompilesTheUrlCellsOfActiveCellBoundMapsOnly)
{
    Number("A1", 1);
    Formula("B1", "A1&\"/data.xml\"");
    Number("C1", 3);
    Number("D1", 4);
    auto map = [&](const char* name, const char* cell, bool active, bool cellBound) {
        CExportRecord& record = movie->GetExportRecords()[name];
        record.name = name;
        record.active = active;
        record.cellBound = cellBound;
        record.urlCell = Id(cell);
    };
    map("live", "B1", true, true);
    map("fixed", "C1", true, false);
    map("off", "D1", false, true);
    // The export settings' data-source URL, taken from a cell.
    Formula("E1", "\"http://host/\"&A1");
    movie->GetExportSettings().SetUrlCell(*table().GetCellAt(static_cast<std::size_t>(Id("E1"))));

    movie->ClearModelChanged();
    CompileModel(*movie, {});
    EXPECT_TRUE(movie->GetNetwork().empty()) << "nothing changed, nothing compiled";

    movie->SetModelChanged();
    CompileModel(*movie, {});
    EXPECT_FALSE(movie->IsModelChanged());
    EXPECT_EQ(movie->GetNetwork().WatchedFormulas().count(Id("B1")), 1u);
    EXPECT_EQ(movie->GetNetwork().WatchedFormulas().count(Id("E1")), 1u);
    EXPECT_EQ(movie->GetNetwork().PlainConstants().count(Id("A1")), 1u);
    EXPECT_EQ(movie->GetNetwork().GetNodeCount(), 3u);
    ASSERT_EQ(movie->GetFormulaLinks().size(), 2u);
    EXPECT_EQ(movie->GetFormulaLinks()[1], movie->GetExportSettings().GetUrlLink());
    ASSERT_EQ(movie->GetNetwork().GetEvaluationOrder().size(), 2u);
    EXPECT_EQ(movie->GetValueMap().GetCount(), 1u);
}

TEST_F(BaseMovieTest, ExternalValuesFillTheCellsOfPublishedRangesOnly)
{
    Number("A1", 1);
    Number("A2", 2);
    Number("B1", 3);
    Compile({"A1", "A2", "B1"}, {});
    CRange range;
    ASSERT_TRUE(range.AddArea(CCellRef("S", 1, 1), CCellRef("S", 2, 1)));
    int index = table().AddRange(range);
    movie->GetRangeEntries() = {{index, "prices", "'S'!$A$1:$A$2"}, {57, "gone", ""}, {-1, "none", ""}};
    testsupport::TempDir folder;
    testsupport::WriteBytes(folder / "other.xlsx", xlsxtest::OneSheet(xlsxtest::SheetXml(
                                                       R"(<row r="1"><c r="A1"><v>10</v></c>)"
                                                       R"(<c r="B1"><v>30</v></c></row>)"
                                                       R"(<row r="2"><c r="A2" t="b"><v>1</v></c></row>)")));
    movie->GetExportSettings().excelFile = (folder / "other.xlsx").string();
    movie->LoadExternalValues();

    const CCellValueRecord* a1 = movie->GetValueMap().Lookup(Id("A1"));
    const CCellValueRecord* a2 = movie->GetValueMap().Lookup(Id("A2"));
    const CCellValueRecord* b1 = movie->GetValueMap().Lookup(Id("B1"));
    EXPECT_EQ(a1->mark, 1);
    EXPECT_EQ(a1->GetValue()->GetNumber(), 10);
    EXPECT_EQ(a2->GetValue()->GetKind(), ModelKind::Boolean);
    EXPECT_EQ(b1->mark, 0);
    EXPECT_EQ(b1->GetValue()->GetNumber(), 3);

    movie->GetExportSettings().excelFile = (folder / "missing.xlsx").string();
    EXPECT_THROW(movie->LoadExternalValues(), sheet::WorkbookError);
}

TEST(ShippedBaseMovie, TheInstalledManagerIsWrittenAndPlacedAsMgr)
{
    swf::IdCounter ids(4000);
    swf::IdCounter depths(1);
    std::unique_ptr<CBaseMovie> movie = CBaseMovie::Create(testsupport::InstallDir(), ids, depths);
    movie->SetInitCode(std::make_unique<CInitCodeTag>());
    std::vector<uint8_t> file = WriteFile(*movie);
    CSwfMovie read;
    read.LoadBytes(file, {.keepTopLevel = true});
    ASSERT_FALSE(read.GetClipEntries().empty());
    EXPECT_EQ(read.GetClipEntries().back().GetName(), "initCode");

    // Header: 8 bytes, a 16-bit frame rectangle of 9 bytes, rate and count.
    std::vector<WrittenTag> tags = ReadTags(std::span(file).subspan(21));
    auto place = std::find_if(tags.rbegin(), tags.rend(), [](const WrittenTag& tag) {
        return tag.code == static_cast<uint16_t>(swf::TagCode::PlaceObject2);
    });
    ASSERT_NE(place, tags.rend());
    EXPECT_EQ(U16At(place->body, 3), movie->GetBaseClipId());
    EXPECT_EQ(std::string(place->body.end() - 4, place->body.end() - 1), "mgr");
}

} // namespace
