#include "publish/Publisher.h"

#include "model/Component.h"
#include "model/ComponentDef.h"
#include "model/FileBytes.h"
#include "publish/BaseMovie.h"
#include "publish/DocBuilder.h"
#include "publish/DocData.h"
#include "publish/DocDescription.h"

#include "tests/sheet/XlsxTestPackages.h"
#include "tests/support/TestSupport.h"
#include "tests/support/WatchedChild.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

using Kind = publish::PublishError::Kind;

// The kind of error the call throws, or none.
template <class Call> std::optional<Kind> ErrorOf(Call call)
{
    try {
        call();
    } catch (const publish::PublishError& error) {
        return error.GetKind();
    }
    return std::nullopt;
}

TEST(PublisherTest, AllFormulasOfAWorkbookBecomeTheModelWithItsMapAndFunctions)
{
    testsupport::TempDir dir;
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(
        "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*3</f><v>6</v></c>"
        "<c r=\"C1\"><f>NOSUCHFUNCTION(B1)+SUM(A1:B1)</f><v>0</v></c></row>"));
    testsupport::WriteBytes(dir / "book.xlsx", std::vector<unsigned char>(book.begin(), book.end()));

    publish::CPublisher publisher(testsupport::InstallDir());
    publisher.OpenWorkbookFormulas(dir / "book.xlsx");
    std::vector<std::string> map = publisher.VariableMap();
    // Both formulas and the constant they read, each once, as variable, sheet and cell.
    std::sort(map.begin(), map.end());
    ASSERT_EQ(map.size(), 3u);
    for (const std::string cell : {"A1", "B1", "C1"})
        EXPECT_EQ(std::count_if(map.begin(), map.end(),
                                [&](const std::string& line) { return line.ends_with("\tS\t" + cell); }),
                  1)
            << cell;
    EXPECT_EQ(map[0].rfind("V0\t", 0), 0u);

    const publish::MovieBuildResult result = publisher.Publish(dir / "book.swf", false);
    EXPECT_EQ(result.frameCount, 1);
    EXPECT_EQ(fs::file_size(dir / "book.swf"), result.byteCount);
    const std::vector<std::string> used = publisher.UsedFunctions();
    EXPECT_NE(std::find(used.begin(), used.end(), "SUM"), used.end());
    EXPECT_EQ(publisher.UnsupportedFunctions(), std::vector<std::string>{"NOSUCHFUNCTION"});
    EXPECT_EQ(publish::UnsupportedFunctionsMessage({"AAA", "BBB"}),
              "AAA\nBBB\nGenerated Model May Not Display Properly");
    EXPECT_EQ(publish::UnsupportedFunctionsMessage({}), "");
}

// The map is one line per variable and three fields a line: a sheet's name holding a tab or a
// line break is escaped rather than forging a field or a line.
TEST(PublisherTest, ASheetsNameCannotForgeLinesOfTheMap)
{
    testsupport::TempDir dir;
    const std::string sheet = "<row r=\"1\"><c r=\"A1\"><v>2</v></c><c r=\"B1\"><f>A1*3</f><v>6</v></c></row>";
    const std::vector<std::uint8_t> book =
        xlsxtest::Zip({{"_rels/.rels", xlsxtest::kRootRels},
                       {"xl/workbook.xml", xlsxtest::WorkbookXml({"V9&#9;x&#10;V8\\y"})},
                       {"xl/_rels/workbook.xml.rels", xlsxtest::WorkbookRels(1)},
                       {"xl/worksheets/sheet1.xml", xlsxtest::SheetXml(sheet)}});
    testsupport::WriteBytes(dir / "book.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    publish::CPublisher publisher(testsupport::InstallDir());
    publisher.OpenWorkbookFormulas(dir / "book.xlsx");
    std::vector<std::string> map = publisher.VariableMap();
    std::sort(map.begin(), map.end());
    ASSERT_EQ(map.size(), 2u);
    for (const std::string& line : map) {
        ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), 2) << line;
        const std::size_t first = line.find('\t') + 1;
        EXPECT_EQ(line.substr(first, line.rfind('\t') - first), "V9\\tx\\nV8\\\\y") << line;
    }
}

TEST(PublisherTest, EachFailureNamesItsKindAndWritesNoMovie)
{
    testsupport::TempDir dir;
    testsupport::WriteBytes(dir / "damaged.vtd", {'n', 'o', 't', ' ', 'a', ' ', 'd', 'o', 'c'});
    testsupport::WriteBytes(dir / "damaged.xlsx", {'P', 'K', 3, 4, 0, 0});
    EXPECT_EQ(ErrorOf([&] { publish::CPublisher publisher(dir.path()); }), Kind::Installation);

    publish::CPublisher publisher(testsupport::InstallDir());
    EXPECT_EQ(ErrorOf([&] { publisher.OpenDocument(dir / "absent.vtd"); }), Kind::MissingFile);
    EXPECT_EQ(ErrorOf([&] { publisher.OpenDocument(dir / "damaged.vtd"); }), Kind::DamagedDocument);
    EXPECT_EQ(ErrorOf([&] { publisher.OpenWorkbookFormulas(dir / "damaged.xlsx"); }), Kind::UnreadableWorkbook);

    publisher.OpenDocument(testsupport::InstallDir() / "samples" / "Dashboards" / "regional-sales.vtd");
    EXPECT_EQ(ErrorOf([&] { publisher.Publish(dir / "no-folder" / "movie.swf", false); }), Kind::Output);
    EXPECT_FALSE(fs::exists(dir / "no-folder"));
    EXPECT_FALSE(ErrorOf([&] { publisher.Publish(dir / "movie.swf", true); }));
}

// Every file a document or description names is opened without waiting: a FIFO (which no
// writer ever opens) or a device is refused at once instead of holding the program forever.
TEST(PublisherTest, AFifoOrDeviceNamedAnywhereIsRefusedWithoutWaiting)
{
    testsupport::TempDir dir;
    mkfifo((dir / "fifo.vtd").c_str(), 0600);
    mkfifo((dir / "fifo.xlsx").c_str(), 0600);
    mkfifo((dir / "fifo.json").c_str(), 0600);
    std::ofstream(dir / "names-fifo.json") << R"({"workbook": "fifo.xlsx", "canvas": {"width": 80, "height": 60}})";
    std::ofstream(dir / "plain.json") << R"({"canvas": {"width": 80, "height": 60}})";
    const std::function<void(publish::CPublisher&)> opens[] = {
        [&](publish::CPublisher& p) { p.OpenDocument(dir / "fifo.vtd"); },
        [&](publish::CPublisher& p) { p.OpenDocument("/dev/zero"); },
        [&](publish::CPublisher& p) { p.OpenDescription(dir / "fifo.json"); },
        [&](publish::CPublisher& p) { p.OpenDescription(dir / "names-fifo.json"); },
        [&](publish::CPublisher& p) { p.OpenDescription(dir / "plain.json", dir / "fifo.xlsx"); },
        [&](publish::CPublisher& p) { p.OpenWorkbookFormulas(dir / "fifo.xlsx"); },
    };
    for (std::size_t i = 0; i < std::size(opens); ++i) {
        const testsupport::Outcome outcome = testsupport::RunWatched([&] {
            publish::CPublisher publisher(testsupport::InstallDir());
            try {
                opens[i](publisher);
            } catch (const publish::PublishError& error) {
                return std::to_string(static_cast<int>(error.GetKind())) + " " + error.what();
            }
            return std::string("opened");
        });
        EXPECT_FALSE(outcome.tooSlow) << i;
        // There, so not missing: refused as the document or workbook it should have been.
        const Kind kind = i < 2 ? Kind::DamagedDocument : Kind::UnreadableWorkbook;
        EXPECT_EQ(outcome.report.rfind(std::to_string(static_cast<int>(kind)) + " ", 0), 0u)
            << i << ": " << outcome.report;
        EXPECT_NE(outcome.report.find("not a regular file"), std::string::npos) << i << ": " << outcome.report;
    }
}

// A 200 by 100 document of labels with these names, over the publisher's empty model.
std::vector<unsigned char> LabelsDocument(publish::CPublisher& publisher, std::initializer_list<const char*> names)
{
    publish::DocDescription description;
    description.width = 200;
    description.height = 100;
    for (const char* name : names) {
        publish::ComponentDescription& c = description.components.emplace_back();
        c.symbol = "KVLabelCompSymbol";
        c.name = name;
        c.rect = {0, 0, 400, 200};
    }
    publisher.GetBaseMovie().ResetModel();
    return publish::BuildDocument(description, publisher.GetBaseMovie());
}

// A movie fed by a web service gets a sample data file named from the movie's name. That name
// may be an input's (a description's workbook named ".xml") or another output's (the map): the
// publication is refused and the file left as it was, never written over.
TEST(PublisherTest, TheSampleDataFileNeverLandsOnAnInputOrAnotherOutput)
{
    testsupport::TempDir dir;
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml("<row r=\"1\"><c r=\"A1\"><v>2</v></c></row>"));
    testsupport::WriteBytes(dir / "m6.xml", std::vector<unsigned char>(book.begin(), book.end()));
    std::ofstream(dir / "m6.json") << R"({"workbook": "m6.xml", "canvas": {"width": 80, "height": 60},
        "exportSettings": {"mode": "webService", "url": "http://example.invalid/", "sampleQuery": true}})";
    {
        publish::CPublisher publisher(testsupport::InstallDir());
        publisher.OpenDescription(dir / "m6.json");
        EXPECT_THROW(publisher.Publish(dir / "m6.swf", false), std::exception);
    }
    EXPECT_EQ(testsupport::ReadBytes(dir / "m6.xml"), std::vector<unsigned char>(book.begin(), book.end()));
    EXPECT_FALSE(fs::exists(dir / "m6.swf")) << "nothing of the publication is written";

    // Another output of the same publication under the sample's name (the command's map).
    fs::copy_file(dir / "m6.xml", dir / "book.xlsx");
    std::ofstream(dir / "m5.json") << R"({"workbook": "book.xlsx", "canvas": {"width": 80, "height": 60},
        "exportSettings": {"mode": "webService", "url": "http://example.invalid/", "sampleQuery": true}})";
    publish::CPublisher publisher(testsupport::InstallDir());
    publisher.OpenDescription(dir / "m5.json");
    model::CFileBatch outputs;
    const std::uint8_t map[] = {'m', 'a', 'p'};
    std::string reason;
    ASSERT_TRUE(outputs.Stage(dir / "m5.xml", map, sizeof map, reason)) << reason;
    EXPECT_THROW(publisher.Publish(dir / "m5.swf", false, &outputs), std::exception);
    outputs.Discard();
    EXPECT_FALSE(fs::exists(dir / "m5.xml"));
    EXPECT_FALSE(fs::exists(dir / "m5.swf"));
}

// A document written before names were checked, or by hand, keeps names the movie cannot
// reach; opening it renames them, says so, and the movie is published.
TEST(PublisherTest, ADocumentsUnusableComponentNamesAreRenamedAndReported)
{
    testsupport::TempDir dir;
    publish::CPublisher publisher(testsupport::InstallDir());
    testsupport::WriteBytes(dir / "names.vtd",
                            LabelsDocument(publisher, {"Sales.Total", "Total", "TOTAL", "kvCalc", "V1", "KVLabelCompSymbol_1"}));

    publisher.OpenDocument(dir / "names.vtd");
    std::vector<std::string> names;
    for (const CComponent* component : publisher.GetDocument().GetInstances())
        names.push_back(component->GetName());
    EXPECT_EQ(names, (std::vector<std::string>{"KVLabelCompSymbol_2", "Total", "KVLabelCompSymbol_3",
                                               "KVLabelCompSymbol_4", "KVLabelCompSymbol_5", "KVLabelCompSymbol_1"}));
    EXPECT_EQ(publisher.Notes().size(), 4u);
    EXPECT_EQ(publisher.Notes()[0], "component \"Sales.Total\" is now KVLabelCompSymbol_2");
    publisher.Publish(dir / "names.swf", false);
    EXPECT_TRUE(fs::exists(dir / "names.swf"));
}

// What a newer version appends after the last section is left unread with a note; the
// document opens with everything this version knows of it and is published.
TEST(PublisherTest, BytesAfterTheLastSectionAreANoteNotDamage)
{
    testsupport::TempDir dir;
    publish::CPublisher publisher(testsupport::InstallDir());
    std::vector<unsigned char> bytes = LabelsDocument(publisher, {"Title"});
    bytes.insert(bytes.end(), {'N', 'E', 'W', 1, 0, 0, 0});
    testsupport::WriteBytes(dir / "newer.vtd", bytes);

    publisher.OpenDocument(dir / "newer.vtd");
    ASSERT_EQ(publisher.GetDocument().GetInstances().size(), 1u);
    EXPECT_EQ(publisher.GetDocument().GetInstances()[0]->GetName(), "Title");
    std::int32_t width = 0, height = 0;
    publisher.GetDocument().GetStageSize(width, height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 100);
    ASSERT_EQ(publisher.Notes().size(), 1u);
    EXPECT_NE(publisher.Notes()[0].find("newer.vtd: 7 bytes after the last section were not read"), std::string::npos)
        << publisher.Notes()[0];
    publisher.Publish(dir / "newer.swf", false);
    EXPECT_TRUE(fs::exists(dir / "newer.swf"));

    // Opening a document that ends where it should leaves no note behind.
    bytes.resize(bytes.size() - 7);
    testsupport::WriteBytes(dir / "exact.vtd", bytes);
    publisher.OpenDocument(dir / "exact.vtd");
    EXPECT_TRUE(publisher.Notes().empty());
}

// Functions the movie lacks are named as the spreadsheet names them, with the cells calling
// them: the first few, then how many more.
TEST(PublisherTest, UnsupportedFunctionsAreListedBySpreadsheetNamesWithTheirCells)
{
    testsupport::TempDir dir;
    std::string row = "<row r=\"1\">";
    for (const char* column : {"A", "B", "C", "D", "E"})
        row += std::string("<c r=\"") + column + "1\"><f>_xlfn.NO.SUCH(1)+_xlfn.NO.SUCH(2)</f><v>0</v></c>";
    row += "<c r=\"F1\"><f>_xlfngnumeric.nosuchxor(1,\"x(\")</f><v>0</v></c>"
           "<c r=\"G1\"><f>LEN(\"NO.SUCH(\")</f><v>8</v></c></row>";
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(row));
    testsupport::WriteBytes(dir / "book.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    publish::CPublisher publisher(testsupport::InstallDir());
    publisher.OpenWorkbookFormulas(dir / "book.xlsx");
    EXPECT_EQ(publish::UnsupportedCallLines(publisher.UnsupportedFunctionCalls()),
              (std::vector<std::string>{"NO.SUCH in S!A1, S!B1, S!C1 and 2 more cells", "NOSUCHXOR in S!F1"}));
}

// Formulas the reader cannot take (a function the workbook defines, a link to another
// workbook, a table reference) leave the rest of the workbook to be published: their cells
// keep the stored values and are listed, each once, with the reason.
TEST(PublisherTest, FormulasThatCannotBeReadKeepTheirStoredValues)
{
    testsupport::TempDir dir;
    const std::string row = "<row r=\"1\"><c r=\"A1\"><v>2</v></c>"
                            "<c r=\"B1\"><f>_xlfn.LAMBDA(_xlpm.x,_xlpm.x+1)(A1)</f><v>3</v></c>"
                            "<c r=\"C1\"><f>[1]Other!A1</f><v>4</v></c>"
                            "<c r=\"D1\"><f>SUM(Sales[Amount])</f><v>5</v></c>"
                            "<c r=\"E1\"><f>A1+B1+C1+D1</f><v>14</v></c></row>";
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(row));
    testsupport::WriteBytes(dir / "book.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    publish::CPublisher publisher(testsupport::InstallDir());
    publisher.OpenWorkbookFormulas(dir / "book.xlsx");
    const std::vector<sheet::UnreadFormula>& unread = publisher.UnreadFormulas();
    ASSERT_EQ(unread.size(), 3u);
    EXPECT_EQ(unread[0].cell, "'S'!$B$1");
    EXPECT_EQ(unread[1].cell, "'S'!$C$1");
    EXPECT_EQ(unread[2].cell, "'S'!$D$1");
    EXPECT_TRUE(publisher.UncompiledFormulas().empty());
    publisher.Publish(dir / "book.swf", false);
    EXPECT_TRUE(fs::exists(dir / "book.swf"));
    // Opening another workbook forgets them.
    const std::vector<std::uint8_t> plain = xlsxtest::OneSheet(xlsxtest::SheetXml("<row r=\"1\"><c r=\"A1\"><f>1+1</f><v>2</v></c></row>"));
    testsupport::WriteBytes(dir / "plain.xlsx", std::vector<unsigned char>(plain.begin(), plain.end()));
    publisher.OpenWorkbookFormulas(dir / "plain.xlsx");
    EXPECT_TRUE(publisher.UnreadFormulas().empty());
}

// Models and components the movie format cannot hold in one function: a list box bound to
// thousands of cells is published (its script split into functions that fit), and a formula too
// large for any function names its cell, not only the variable the movie gives it.
TEST(PublisherTest, LargeBindingsPublishAndAFormulaTooLargeNamesItsCell)
{
    testsupport::TempDir dir;
    std::string rows;
    for (int row = 1; row <= 2000; ++row)
        rows += "<row r=\"" + std::to_string(row) + "\"><c r=\"A" + std::to_string(row) + "\"><v>" +
                std::to_string(row) + "</v></c></row>";
    const std::vector<std::uint8_t> book = xlsxtest::OneSheet(xlsxtest::SheetXml(rows));
    testsupport::WriteBytes(dir / "list.xlsx", std::vector<unsigned char>(book.begin(), book.end()));
    std::ofstream(dir / "list.json") << R"({"workbook": "list.xlsx", "canvas": {"width": 400, "height": 300},
        "components": [{"symbol": "KVListBoxSymbol", "name": "Box", "x": 10, "y": 10, "width": 200, "height": 200,
        "parameters": {"General": {"labels": "S!A1:A2000", "values": "S!A1:A2000"}}}]})";
    {
        publish::CPublisher publisher(testsupport::InstallDir());
        publisher.OpenDescription(dir / "list.json");
        publisher.Publish(dir / "list.swf", false);
        EXPECT_TRUE(fs::exists(dir / "list.swf"));
    }

    std::string formula = "A1";
    while (formula.size() < 8000)
        formula += "+A1";
    const std::vector<std::uint8_t> longBook = xlsxtest::OneSheet(xlsxtest::SheetXml(
        "<row r=\"1\"><c r=\"A1\"><v>1</v></c></row><row r=\"7\"><c r=\"C7\"><f>" + formula + "</f><v>0</v></c></row>"));
    testsupport::WriteBytes(dir / "long.xlsx", std::vector<unsigned char>(longBook.begin(), longBook.end()));
    publish::CPublisher publisher(testsupport::InstallDir());
    publisher.OpenWorkbookFormulas(dir / "long.xlsx");
    try {
        publisher.Publish(dir / "long.swf", false);
        ADD_FAILURE() << "a formula of " << formula.size() << " characters fits one function";
    } catch (const std::exception& error) {
        EXPECT_NE(std::string(error.what()).find("The formula in S!C7 ("), std::string::npos) << error.what();
    }
    EXPECT_FALSE(fs::exists(dir / "long.swf"));
}

// A component definition of the installation that cannot be read is the installation's fault:
// a document using it fails as the installation does (not as a damaged document) and names the
// file; a document that does not use it opens with a note.
TEST(PublisherTest, ADamagedComponentDefinitionIsTheInstallationsFault)
{
    testsupport::TempDir dir;
    const fs::path install = dir / "install";
    // The installation as links to this build's files, one of which is then replaced.
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(testsupport::InstallDir())) {
        const fs::path to = install / fs::relative(entry.path(), testsupport::InstallDir());
        if (entry.is_directory())
            fs::create_directories(to);
        else
            fs::create_symlink(entry.path(), to);
    }
    const fs::path sample = testsupport::InstallDir() / "samples" / "Dashboards" / "regional-sales.vtd";
    std::string symbol;
    {
        publish::CPublisher publisher(testsupport::InstallDir());
        publisher.OpenDocument(sample);
        symbol = publisher.GetDocument().GetComponent(0)->components[0]->GetDefinition()->GetName();
    }
    const fs::path definition = install / "component" / "default" / (symbol + ".xml");
    ASSERT_TRUE(fs::is_symlink(definition)) << definition;
    fs::remove(definition);
    std::ofstream(definition) << "<component><damaged";

    publish::CPublisher publisher(install);
    try {
        publisher.OpenDocument(sample);
        ADD_FAILURE() << "opened with a damaged definition of " << symbol;
    } catch (const publish::PublishError& error) {
        EXPECT_EQ(error.GetKind(), Kind::Installation) << error.what();
        EXPECT_NE(std::string(error.what()).find(definition.string()), std::string::npos) << error.what();
    }
    ASSERT_NE(symbol, "KVLabelCompSymbol");
    testsupport::WriteBytes(dir / "labels.vtd", LabelsDocument(publisher, {"Title"}));
    publisher.OpenDocument(dir / "labels.vtd");
    ASSERT_FALSE(publisher.Notes().empty());
    EXPECT_NE(publisher.Notes().back().find(definition.string() + ": damaged, component " + symbol),
              std::string::npos)
        << publisher.Notes().back();
}

} // namespace
