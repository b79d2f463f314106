#include "base/PlatformServices.h"
#include "publish/DocData.h"
#include "model/CellBinding.h"
#include "model/ComponentCatalog.h"
#include "model/ParameterSet.h"
#include "publish/BaseMovie.h"
#include "publish/CompileModel.h"
#include "publish/CustomColors.h"
#include "publish/DocBuilder.h"
#include "publish/DocFile.h"
#include "publish/DocWriter.h"
#include "publish/ExportSettings.h"
#include "publish/ModelLink.h"
#include "publish/TempFiles.h"
#include "sheet/cells/VariableTable.h"

#include "tests/publish/PublishTestSupport.h"
#include "tests/support/ComponentFixture.h"
#include "tests/support/TestSupport.h"

#include "tests/support/WatchedChild.h"
#include "sheet/cells/Range.h"
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <optional>

namespace fs = std::filesystem;

namespace {

class DocFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteComponentFixture(dir.path(), {"KVTestGaugeSymbol", "KVTestLabelSymbol"});
        auto catalog = std::make_unique<CComponentCatalog>();
        ASSERT_TRUE(catalog->Load(dir.path()));
        base.context.SetCatalog(std::move(catalog));
        fs::create_directories(temp);
        GetPlatformServices().SetTempFolder(temp);
        InitCustomColorTable(colors);
        testsupport::WriteBytes(dir / "logo.png", {1, 2, 3, 4, 5});
        testsupport::WriteBytes(dir / "notes.txt", std::vector<unsigned char>(5000, 'n'));
        fs::copy_file(testsupport::SourceDir() / "tests/data/workbooks/model.xlsx", dir / "model.xlsx");
    }

    void TearDown() override
    {
        base.context.RemoveTempFiles();
        ResetPlatformServices();
    }

    // A document is built on a model root of its own, as the tool makes one per document.
    void NewBaseMovie()
    {
        base.movie = base.Lent(std::make_unique<CBaseMovie>(publishtest::BaseAsset(), fs::path(), base.ids, base.depths));
    }

    std::vector<unsigned char> Build(const std::string& description)
    {
        NewBaseMovie();
        json::Error error;
        auto root = json::Parse(description, &error);
        EXPECT_TRUE(root) << error.ToString();
        return publish::BuildDocument(publish::ReadDocDescription(*root, dir.path()), *base.movie);
    }

    // Everything a failed read must leave as it was.
    struct State {
        std::vector<unsigned char> model;
        std::size_t rangeEntries;
        std::string url;
        publish::CustomColorTable colors;
        int variant;
        std::uint32_t instances;
        bool operator==(const State&) const = default;
    };
    State Snapshot()
    {
        base::RecordWriter out;
        base.movie->SaveModel(out);
        return {out.Take(), base.movie->GetRangeEntries().size(),       base.movie->GetExportSettings().url,
                colors,     GetComponentCatalog()->GetCurrentVariant(), model::InstanceCounter()};
    }

    bool TempFolderEmpty() const { return fs::is_empty(temp); }

    testsupport::TempDir dir;
    // Every load of a document unpacks its files here, and a check below loads thousands.
    testsupport::TempDir scratch{testsupport::MemoryFolder()};
    fs::path temp = scratch / "tmp";
    publishtest::BaseMovieFixture base;
    publish::CustomColorTable& colors = base.context.GetCustomColors();
};

const char* kFullDescription = R"({
    "workbook": "model.xlsx", "modelSource": "C:\\books\\model.xlsx",
    "canvas": {"width": 640, "height": 480, "paper": "#F0E0D0"},
    "description": "Every section",
    "components": [
        {"symbol": "KVTestGaugeSymbol", "name": "Gauge", "x": 10, "y": 20, "width": 100, "height": 50,
         "parameters": {
             "General": {"title": "Rate", "value": 2.5, "count": 7, "show": true, "color": "#336699",
                         "mode": "slow", "items": ["a", "b"],
                         "data": {"range": "Inputs!B2", "direction": "both"},
                         "labels": "'Calc Sheet'!A1:A3"},
             "Media": {"fileName": "logo.png"}}},
        {"symbol": "KVTestLabelSymbol", "x": 0, "y": 0, "width": 30, "height": 30, "enabled": false,
         "parameters": {"Media": {"fileName": "elsewhere.png"}}},
        {"symbol": "KVTestLabelSymbol", "x": 200, "y": 100, "width": 30, "height": 30}],
    "groups": [[1, 2]],
    "rangeEntries": [{"name": "Inputs", "range": "Inputs!A5:C7"}, {"name": "Nothing"}],
    "exportSettings": {"mode": "webService", "url": "http://example.org/data", "refreshSeconds": 5},
    "files": [{"name": "logo.png", "path": "logo.png"}, {"name": "notes.txt", "path": "notes.txt"}],
    "customColors": ["#FF0000", "#00FF00"]
})";

TEST_F(DocFileTest, EverySectionRoundTrips)
{
    const std::vector<unsigned char> bytes = Build(kFullDescription);
    const State written = Snapshot();
    ASSERT_EQ(written.rangeEntries, 2u);

    // Opening starts from another model, other settings and colours.
    base.movie->ResetModel();
    base.movie->ClearModelChanged();
    base.movie->GetRangeEntries().clear();
    base.movie->GetExportSettings().url = "other";
    ResetCustomColors(colors);
    model::ResetInstanceCounter();

    CDocData doc;
    std::string version = kDocumentVersion;
    ASSERT_TRUE(doc.Load(bytes, version)) << doc.GetLoadError();
    EXPECT_EQ(version, "1.0.9.7");
    // The opened model is compiled again with the components read, to the same network.
    EXPECT_TRUE(base.movie->IsModelChanged());
    CompileModel(*base.movie, doc.GetInstances());
    const State read = Snapshot();
    EXPECT_EQ(read.model, written.model);
    EXPECT_EQ(read.rangeEntries, written.rangeEntries);
    EXPECT_EQ(read.url, written.url);
    EXPECT_EQ(read.variant, written.variant);
    EXPECT_EQ(read.instances, written.instances);
    EXPECT_EQ(doc.GetBaseMovie(), base.movie.get());
    EXPECT_EQ(colors[0], 0x0000FFu);
    EXPECT_EQ(colors[2], publish::kUnusedCustomColor);
    EXPECT_EQ(base.movie->GetExportSettings().mode, DataSourceMode::WebService);
    EXPECT_EQ(base.movie->GetRangeEntries()[0].rangeText, "'Inputs'!$A$5:$C$7");
    EXPECT_EQ(base.movie->GetRangeEntries()[1].rangeIndex, -1);

    std::int32_t width = 0, height = 0;
    doc.GetStageSize(width, height);
    EXPECT_EQ(width, 640);
    EXPECT_EQ(height, 480);
    EXPECT_EQ(doc.GetPaperColor(), (std::array<std::uint8_t, 3>{0xF0, 0xE0, 0xD0}));
    EXPECT_EQ(doc.GetDescription(), "Every section");
    EXPECT_EQ(doc.GetFileName(), "C:\\books\\model.xlsx");
    EXPECT_EQ(testsupport::ReadBytes(doc.GetPathName()), testsupport::ReadBytes(dir / "model.xlsx"));

    // The group is one canvas object over its two members' rectangles.
    ASSERT_EQ(doc.GetInstanceCount(), 3u);
    ASSERT_EQ(doc.GetComponentCount(), 2u);
    const CObjectRecord& group = *doc.GetComponent(1);
    EXPECT_EQ(group.indexes, (std::vector<std::uint32_t>{1, 2}));
    EXPECT_EQ(group.components[1], doc.GetInstance(2));
    EXPECT_EQ(group.rect, (ComponentRect{0, 0, 4600, 2600}));
    EXPECT_EQ(group.enabled, 0);
    EXPECT_EQ(group.names, (std::vector<std::string>{"KVTestLabelSymbol_2", "KVTestLabelSymbol_3"}));

    CComponent& gauge = *doc.GetInstance(0);
    EXPECT_EQ(gauge.GetName(), "Gauge");
    EXPECT_EQ(gauge.GetRect(), (ComponentRect{200, 400, 2200, 1400}));
    CParameterSet& general = *gauge.GetParameters()->FindParameter("General")->GetSet();
    EXPECT_EQ(general.FindParameter("title")->GetString(), "Rate");
    EXPECT_EQ(general.FindParameter("count")->GetInt(), 7);
    EXPECT_EQ(general.FindParameter("color")->GetColor(), 0x336699u);
    EXPECT_EQ(general.FindParameter("mode")->GetValueText(), "slow");
    EXPECT_EQ(general.FindParameter("items")->GetElementCount(), 2);
    // Bindings find their ranges again in the model read, with their directions and values.
    const CCellBinding& data = *general.FindParameter("data")->GetBinding();
    EXPECT_TRUE(data.IsBound());
    EXPECT_EQ(data.GetDirection(), model::kDirectionBoth);
    EXPECT_EQ(data.GetTexts().rangeText, "'Inputs'!$B$2");
    const CCellBinding& labels = *general.FindParameter("labels")->GetBinding();
    EXPECT_TRUE(labels.IsBound());
    EXPECT_EQ(labels.GetDirection(), model::kDirectionOutput);
    EXPECT_EQ(labels.GetValue().GetElementCount(), 3);
    EXPECT_FALSE(base.movie->GetNetwork().BoundConstants().empty());
    EXPECT_FALSE(base.movie->GetNetwork().WatchedFormulas().empty());

    // Both embedded files are restored; only the matching "fileName" points at its copy.
    ASSERT_EQ(doc.GetRestoredFiles().size(), 2u);
    const RestoredFile& logo = doc.GetRestoredFiles()[0];
    EXPECT_EQ(testsupport::ReadBytes(logo.path), (std::vector<unsigned char>{1, 2, 3, 4, 5}));
    EXPECT_EQ(testsupport::ReadBytes(doc.GetRestoredFiles()[1].path).size(), 5000u);
    EXPECT_EQ(gauge.GetParameters()->FindParameter("Media")->GetSet()->FindParameter("fileName")->GetString(),
              logo.path.string());
    EXPECT_EQ(doc.GetInstance(1)
                  ->GetParameters()
                  ->FindParameter("Media")
                  ->GetSet()
                  ->FindParameter("fileName")
                  ->GetString(),
              "elsewhere.png");
}

TEST_F(DocFileTest, VersionMatrix)
{
    std::vector<unsigned char> bytes = Build(R"({"canvas": {"width": 10, "height": 10}})");
    auto withHeader = [&](const char* header) {
        std::vector<unsigned char> copy = bytes;
        std::fill_n(copy.begin(), 8, 0);
        std::copy_n(header, std::strlen(header), copy.begin());
        return copy;
    };
    struct Case {
        const char* header;
        const char* expected;
        bool opens;
    } cases[] = {
        {"1.0.9.7", "1.0.9.7", true},   {"1.0.9.6", "1.0.9.7", true},  {"1.0.9.6", "1.0.9.6", true},
        {"1.0.9.7", "1.0.9.6", false},  {"1.0.9.5", "1.0.9.7", false}, {"2.0.0.0", "1.0.9.7", false},
        {"1.0.9.77", "1.0.9.7", false},
    };
    for (const Case& c : cases) {
        CDocData doc;
        std::string version = c.expected;
        EXPECT_EQ(doc.Load(withHeader(c.header), version), c.opens) << c.header << " for " << c.expected;
        EXPECT_EQ(version, c.header);
    }
    CDocData doc;
    std::string version = kDocumentVersion;
    EXPECT_FALSE(doc.Load((dir / "missing.vtd").string(), version));
    EXPECT_EQ(version, "x");
    version = kDocumentVersion;
    EXPECT_FALSE(doc.Load(std::vector<unsigned char>{'1', '.', '0'}, version));
    EXPECT_EQ(version, "1.0");
}

TEST_F(DocFileTest, DocumentEndingAfterItsEmbeddedFilesKeepsSettingsAndColours)
{
    Build(kFullDescription);
    // The same document as an older program wrote it: nothing after the embedded files.
    CDocData source;
    source.SetStageSize(10, 10);
    publish::DocFileContent content;
    content.doc = &source;
    content.base = base.movie.get();
    content.workbook = {'w', 'b'};
    content.optionalSections = false;
    const std::vector<unsigned char> bytes = publish::WriteDocumentFile(content);

    colors[3] = 0x123456;
    base.movie->GetExportSettings().url = "kept";
    CDocData doc;
    std::string version = kDocumentVersion;
    ASSERT_TRUE(doc.Load(bytes, version)) << doc.GetLoadError();
    EXPECT_FALSE(doc.GetPathName().empty());
    EXPECT_EQ(doc.GetFileName(), doc.GetPathName());
    EXPECT_TRUE(base.movie->GetRangeEntries().empty());
    EXPECT_EQ(base.movie->GetExportSettings().url, "kept");
    EXPECT_EQ(colors[3], 0x123456u);
}

// Each canvas object owns its instances: a file whose objects share one is damaged, for the
// command line's publication as for the designer, and leaves nothing behind.
TEST_F(DocFileTest, ObjectsSharingAComponentAreADamagedDocument)
{
    Build(R"({"canvas": {"width": 10, "height": 10},
              "components": [{"symbol": "KVTestGaugeSymbol", "x": 0, "y": 0, "width": 5, "height": 5}]})");
    auto gauge = GetComponentCatalog()->FindByTypeName("KVTestGaugeSymbol")->CreateInstance();
    CDocData source;
    source.SetStageSize(10, 10);
    for (int i = 0; i < 2; ++i) {
        auto record = std::make_unique<CObjectRecord>();
        record->components = {gauge.get()};
        source.AddComponent(std::move(record));
    }
    // Both records name the first instance; the second instance belongs to no record.
    source.GetComponent(1)->indexes = {0};
    publish::DocFileContent content;
    content.doc = &source;
    content.base = base.movie.get();
    const std::vector<unsigned char> bytes = publish::WriteDocumentFile(content);

    CDocData doc;
    std::string version = kDocumentVersion;
    EXPECT_FALSE(doc.Load(bytes, version));
    EXPECT_EQ(doc.GetLoadFailure(), CDocData::LoadFailure::Damaged);
    EXPECT_NE(doc.GetLoadError().find("component 0 belongs to more than one canvas object"), std::string::npos)
        << doc.GetLoadError();
    EXPECT_EQ(doc.GetComponentCount(), 0u);
    EXPECT_TRUE(TempFolderEmpty());
}

// The ranges a document's range entries and bindings write to give every cell a variable: a
// small document whose range names the whole sheet is refused, as a description naming it is,
// instead of taking all the memory there is.
TEST_F(DocFileTest, RangesWrittenToAreBoundedAsADescriptionsAre)
{
    Build(R"({"canvas": {"width": 10, "height": 10}})");
    CRange sheet;
    ASSERT_TRUE(sheet.AddArea(CCellRef("S", 1, 1), CCellRef("S", 1048576, 16384)));
    const int index = base.movie->GetVariableTable().StoreRange(sheet);
    ASSERT_GE(index, 0);
    base.movie->GetRangeEntries().push_back({index, "everything", sheet.GetText()});
    CDocData source;
    source.SetStageSize(10, 10);
    publish::DocFileContent content;
    content.doc = &source;
    content.base = base.movie.get();
    const std::vector<unsigned char> bytes = publish::WriteDocumentFile(content);

    const testsupport::Outcome outcome = testsupport::RunWatched([&] {
        CDocData doc;
        std::string version = kDocumentVersion;
        return doc.Load(bytes, version) ? std::string("opened") : doc.GetLoadError();
    });
    ASSERT_FALSE(outcome.tooSlow);
    ASSERT_FALSE(outcome.tooLarge);
    EXPECT_NE(outcome.report.find("more than 4194304 cells"), std::string::npos) << outcome.report;
}

// Every embedded file becomes a temporary file: a document embedding more than a dashboard ever
// does is refused before any is made.
TEST_F(DocFileTest, EmbeddedFilesAreBounded)
{
    Build(R"({"canvas": {"width": 10, "height": 10}})");
    CDocData source;
    source.SetStageSize(10, 10);
    publish::DocFileContent content;
    content.doc = &source;
    content.base = base.movie.get();
    content.files.resize(docfile::kMaxEmbeddedFiles + 1, {"f", {'x'}});
    std::vector<unsigned char> bytes = publish::WriteDocumentFile(content);
    CDocData doc;
    std::string version = kDocumentVersion;
    EXPECT_FALSE(doc.Load(bytes, version));
    EXPECT_NE(doc.GetLoadError().find("more than 4096 a document may embed"), std::string::npos) << doc.GetLoadError();
    EXPECT_TRUE(TempFolderEmpty());

    content.files.resize(docfile::kMaxEmbeddedFiles);
    bytes = publish::WriteDocumentFile(content);
    CDocData most;
    EXPECT_TRUE(most.Load(bytes, version)) << most.GetLoadError();
}

// Temporary files that cannot be made or written make the document unreadable, and the ones
// made before are removed.
TEST_F(DocFileTest, TemporaryFilesThatFailRefuseTheDocument)
{
    const std::vector<unsigned char> bytes =
        Build(R"({"workbook": "model.xlsx", "canvas": {"width": 9, "height": 9},
        "files": [{"name": "logo.png", "path": "logo.png"}]})");
    const State before = Snapshot();

    GetPlatformServices().SetTempFolder(dir / "missing");
    CDocData doc;
    std::string version = kDocumentVersion;
    EXPECT_FALSE(doc.Load(bytes, version));
    EXPECT_NE(doc.GetLoadError().find("no temporary file"), std::string::npos) << doc.GetLoadError();
    // The machine is at fault, not the document, and the message says why.
    EXPECT_EQ(doc.GetLoadFailure(), CDocData::LoadFailure::TemporaryFiles);
    EXPECT_NE(doc.GetLoadError().find("No such file or directory"), std::string::npos) << doc.GetLoadError();

    // The workbook's copy is made, the file's copy cannot be written.
    struct FailingSecond : publish::ITempFileMaker {
        fs::path Create(const std::string& prefix, const std::string& extension) override
        {
            made.push_back(++count == 1 ? folder / (prefix + "1" + extension) : folder / "missing" / prefix);
            return made.back();
        }
        void Discard(const fs::path& file) override { discarded.push_back(file); }
        fs::path folder;
        int count = 0;
        std::vector<fs::path> made, discarded;
    } maker;
    maker.folder = temp;
    base.context.SetTempFileMaker(&maker);
    EXPECT_FALSE(doc.Load(bytes, version));
    EXPECT_NE(doc.GetLoadError().find("cannot be written"), std::string::npos) << doc.GetLoadError();
    EXPECT_EQ(doc.GetLoadFailure(), CDocData::LoadFailure::TemporaryFiles);
    EXPECT_EQ(maker.discarded, maker.made);
    EXPECT_EQ(Snapshot(), before);
    base.context.SetTempFileMaker(nullptr);
}

// Every cut of a small document, and every byte of it inverted, is refused cleanly or read:
// never a crash, and a refusal leaves the model, settings, colours, catalogue and counters as
// they were and no temporary file behind.
TEST_F(DocFileTest, TruncatedAndCorruptedDocumentsChangeNothing)
{
    const std::vector<unsigned char> bytes = Build(R"({
        "workbook": "model.xlsx", "canvas": {"width": 10, "height": 10},
        "components": [{"symbol": "KVTestGaugeSymbol", "x": 0, "y": 0, "width": 5, "height": 5,
                        "parameters": {"Media": {"fileName": "logo.png"}}}],
        "rangeEntries": [{"name": "R", "range": "Inputs!A5:A7"}],
        "files": [{"name": "logo.png", "path": "logo.png"}], "customColors": ["#010203"]})");
    base.movie->GetExportSettings().url = "before";
    colors[5] = 0x555555;

    // The embedded workbook is opaque to the reader: a cut inside it is one short copy, and
    // damage inside it changes only the copy. Its first and last bytes stand for the rest.
    const std::vector<unsigned char> workbook = testsupport::ReadBytes(dir / "model.xlsx");
    const std::size_t workbookAt =
        std::search(bytes.begin(), bytes.end(), workbook.begin(), workbook.end()) - bytes.begin();
    ASSERT_LT(workbookAt, bytes.size());

    std::size_t opened = 0;
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        if (n == workbookAt + 1) {
            n += workbook.size() - 2;
        }
        CDocData doc;
        std::string version = kDocumentVersion;
        const State start = Snapshot();
        if (doc.Load(std::vector<unsigned char>(bytes.begin(), bytes.begin() + n), version)) {
            // Only cuts between the optional sections at the end open.
            ++opened;
            base.context.RemoveTempFiles();
            continue;
        }
        ASSERT_EQ(Snapshot(), start) << "cut at " << n;
        ASSERT_TRUE(TempFolderEmpty()) << "cut at " << n;
        ASSERT_FALSE(doc.GetLoadError().empty());
    }
    EXPECT_EQ(opened, 4u); // before the source name, the range entries, the settings, the colours

    for (std::size_t i = 8; i < bytes.size(); ++i) {
        if (i == workbookAt) {
            i += workbook.size();
        }
        std::vector<unsigned char> damaged = bytes;
        damaged[i] ^= 0xFF;
        CDocData doc;
        std::string version = kDocumentVersion;
        const State start = Snapshot();
        if (!doc.Load(damaged, version)) {
            ASSERT_EQ(Snapshot(), start) << "byte " << i;
            ASSERT_TRUE(TempFolderEmpty()) << "byte " << i;
        }
        base.context.RemoveTempFiles();
    }
}

// Links that bind more cells together than the reader takes are refused when the document is
// written, rather than written into a file that would then not open.
TEST_F(DocFileTest, LinksToMoreCellsThanAReaderTakesAreRefusedWhenWritten)
{
    const auto description = [](int components) {
        std::string list;
        for (int i = 0; i < components; ++i)
            list += std::string(i > 0 ? "," : "") +
                    R"({"symbol": "KVTestGaugeSymbol", "x": 0, "y": 0, "width": 5, "height": 5,
                        "parameters": {"General": {"data": "Inputs!A1:B150000"}}})";
        return R"({"workbook": "model.xlsx", "canvas": {"width": 10, "height": 10}, "components": [)" + list + "]}";
    };
    const std::vector<unsigned char> within = Build(description(1));
    CDocData doc;
    std::string version = kDocumentVersion;
    EXPECT_TRUE(doc.Load(within, version)) << doc.GetLoadError();
    base.context.RemoveTempFiles();
    try {
        Build(description(2));
        ADD_FAILURE() << "written";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("linked to 600000 cells together"), std::string::npos) << error.what();
    }
}

TEST_F(DocFileTest, WhatTheCatalogueOrWorkbookCannotTakeIsNamedByItsPlace)
{
    const std::pair<const char*, const char*> cases[] = {
        {R"("symbol": "KVNoSuchSymbol")", "description.components[0].symbol: no component"},
        {R"("symbol": "KVTestGaugeSymbol", "parameters": {"General": {"titel": "x"}})",
         "description.components[0].parameters.General: no parameter \"titel\""},
        {R"("symbol": "KVTestGaugeSymbol", "parameters": {"General": {"count": 1.5}})",
         "description.components[0].parameters.General.count: expected a whole number"},
        {R"("symbol": "KVTestGaugeSymbol", "parameters": {"General": {"show": "yes"}})",
         "description.components[0].parameters.General.show: expected a boolean"},
        {R"("symbol": "KVTestGaugeSymbol", "parameters": {"General": {"mode": "medium"}})",
         "description.components[0].parameters.General.mode: \"medium\" is not one of the choices"},
        {R"("symbol": "KVTestGaugeSymbol", "parameters": {"General": {"data": "Nowhere!A1"}})",
         "description.components[0].parameters.General.data: \"Nowhere!A1\" is not a range of the workbook"},
        {R"("symbol": "KVTestGaugeSymbol", "parameters": {"General": {"data": {"range": "Inputs!A1", "direction": "up"}}})",
         "description.components[0].parameters.General.data.direction: expected"},
        {R"("symbol": "KVTestGaugeSymbol", "parameters": {"General": {"items": [1]}})",
         "description.components[0].parameters.General.items[0]: expected a string"},
    };
    for (const auto& [component, message] : cases) {
        const std::string description =
            std::string(R"({"workbook": "model.xlsx", "canvas": {"width": 9, "height": 9},
            "components": [{"x": 0, "y": 0, "width": 5, "height": 5, )") +
            component + "}]}";
        try {
            Build(description);
            ADD_FAILURE() << "accepted " << component;
        } catch (const publish::DescriptionError& error) {
            EXPECT_EQ(std::string(error.what()).rfind(message, 0), 0u) << error.what();
        }
    }
    // A second document on the same model root would carry the first one's cells.
    const std::string withWorkbook = R"({"workbook": "model.xlsx", "canvas": {"width": 9, "height": 9}})";
    Build(withWorkbook);
    json::Value root = *json::Parse(withWorkbook);
    EXPECT_THROW(publish::BuildDocument(publish::ReadDocDescription(root, dir.path()), *base.movie),
                 publish::DescriptionError);
}

// A description sets a value only within the limits the component's property page allows: a
// slice line of 40 where the page stops at 10 hid the slices.
TEST_F(DocFileTest, AValuePastTheLimitsOfItsSettingIsNamedWithThem)
{
    auto shipped = std::make_unique<CComponentCatalog>();
    ASSERT_TRUE(shipped->Load(testsupport::InstallDir()));
    base.context.SetCatalog(std::move(shipped));
    const auto describe = [](const std::string& weight) {
        return R"({"canvas": {"width": 400, "height": 400}, "components": [{"symbol": "KVPieChartSymbol",
                   "x": 0, "y": 0, "width": 300, "height": 300, "parameters": {"Appearance": {"markerSize": )" +
               weight + "}}}]}";
    };
    for (const char* weight : {"40", "-1"}) {
        try {
            Build(describe(weight));
            ADD_FAILURE() << "accepted " << weight;
        } catch (const publish::DescriptionError& error) {
            EXPECT_EQ(std::string(error.what()), "description.components[0].parameters.Appearance.markerSize: " +
                                                     std::string(weight) +
                                                     " is past the limits of this setting (0 to 10)");
        }
    }
    EXPECT_NO_THROW(Build(describe("10")));
}

// The templates and samples the installation ships are written from the descriptions in
// assets/ and must open with everything they were written with.
TEST_F(DocFileTest, ShippedDocumentsRoundTrip)
{
    // The shipped documents place the installed components.
    auto shipped = std::make_unique<CComponentCatalog>();
    ASSERT_TRUE(shipped->Load(testsupport::InstallDir()));
    base.context.SetCatalog(std::move(shipped));
    std::size_t checked = 0;
    for (const char* folder : {"assets/template", "assets/samples"}) {
        for (const auto& entry : fs::directory_iterator(testsupport::SourceDir() / folder)) {
            if (entry.path().extension() != ".json") {
                continue;
            }
            SCOPED_TRACE(entry.path().string());
            const publish::DocDescription description = publish::ReadDocDescriptionFile(entry.path());
            NewBaseMovie();
            const std::vector<unsigned char> bytes = publish::BuildDocument(description, *base.movie);
            const State written = Snapshot();
            const std::vector<CRangeEntry> entries = base.movie->GetRangeEntries();
            base.movie->ResetModel();
            base.movie->ClearModelChanged();
            base.movie->GetRangeEntries().clear();

            CDocData doc;
            std::string version = kDocumentVersion;
            ASSERT_TRUE(doc.Load(bytes, version)) << doc.GetLoadError();
            CompileModel(*base.movie, doc.GetInstances());
            EXPECT_EQ(Snapshot().model, written.model);
            ASSERT_EQ(base.movie->GetRangeEntries().size(), entries.size());
            for (std::size_t i = 0; i < entries.size(); ++i) {
                EXPECT_EQ(base.movie->GetRangeEntries()[i].rangeText, entries[i].rangeText);
                EXPECT_GE(base.movie->GetRangeEntries()[i].rangeIndex, 0);
            }
            std::int32_t width = 0, height = 0;
            doc.GetStageSize(width, height);
            EXPECT_EQ(width, description.width);
            EXPECT_EQ(height, description.height);
            EXPECT_EQ(doc.GetDescription(), description.description);
            EXPECT_EQ(doc.GetInstanceCount(), description.components.size());
            if (!description.workbook.empty()) {
                EXPECT_EQ(testsupport::ReadBytes(doc.GetPathName()),
                          testsupport::ReadBytes(description.workbook));
            }
            ++checked;
        }
    }
    EXPECT_GE(checked, 2u);
}

// The canvas a document claims is checked against what the designer offers before anything
// multiplies it into twips.
TEST_F(DocFileTest, ACanvasTheDesignerCannotMakeIsADamagedDocument)
{
    const std::vector<unsigned char> bytes = Build(R"({"canvas": {"width": 777, "height": 555}})");
    const std::vector<unsigned char> canvas = {0x09, 0x03, 0, 0, 0x2B, 0x02, 0, 0};
    const auto at = std::search(bytes.begin(), bytes.end(), canvas.begin(), canvas.end());
    ASSERT_NE(at, bytes.end());
    ASSERT_EQ(std::search(at + 1, bytes.end(), canvas.begin(), canvas.end()), bytes.end());
    const std::size_t offset = static_cast<std::size_t>(at - bytes.begin());
    const std::pair<std::int32_t, std::int32_t> sizes[] = {
        {INT32_MAX, 10}, {10, INT32_MAX}, {INT32_MIN, 0}, {0, 10}, {-5, 10}, {1631, 10}, {10, 1631}};
    for (const auto& [width, height] : sizes) {
        std::vector<unsigned char> patched = bytes;
        for (int i = 0; i < 4; ++i) {
            patched[offset + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(width) >> (8 * i));
            patched[offset + 4 + i] = static_cast<unsigned char>(static_cast<std::uint32_t>(height) >> (8 * i));
        }
        CDocData doc;
        std::string version = kDocumentVersion;
        EXPECT_FALSE(doc.Load(patched, version)) << width << " by " << height;
        EXPECT_EQ(doc.GetLoadFailure(), CDocData::LoadFailure::Damaged);
        EXPECT_NE(doc.GetLoadError().find("is not a canvas"), std::string::npos) << doc.GetLoadError();
    }
    CDocData largest;
    std::vector<unsigned char> patched = bytes;
    patched[offset] = 0x5E; // 1630
    patched[offset + 1] = 0x06;
    std::string version = kDocumentVersion;
    EXPECT_TRUE(largest.Load(patched, version)) << largest.GetLoadError();
}

} // namespace
