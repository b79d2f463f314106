#include "publish/Publisher.h"

#include "tests/sheet/XlsxTestPackages.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

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

} // namespace
