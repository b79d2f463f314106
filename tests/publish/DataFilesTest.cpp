#include "publish/DataFiles.h"

#include "publish/ModelScriptBuilder.h"
#include "sheet/cells/CellModel.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/cells/Range.h"
#include "tests/publish/PublishTestSupport.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <map>

namespace {

// What the player's variable loading makes of the text form: pairs split at "&" and the first
// "=", "+" read as a space, %XX as the byte.
std::map<std::string, std::string> DecodeVariables(const std::string& text)
{
    auto decode = [](std::string_view part) {
        std::string out;
        for (std::size_t i = 0; i < part.size(); ++i) {
            if (part[i] == '+') {
                out += ' ';
            } else if (part[i] == '%' && i + 2 < part.size()) {
                out += static_cast<char>(std::stoi(std::string(part.substr(i + 1, 2)), nullptr, 16));
                i += 2;
            } else {
                out += part[i];
            }
        }
        return out;
    };
    std::map<std::string, std::string> variables;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('&', start);
        std::string_view pair =
            std::string_view(text).substr(start, end == std::string::npos ? end : end - start);
        std::size_t equals = pair.find('=');
        variables[decode(pair.substr(0, equals))] = decode(pair.substr(equals + 1));
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return variables;
}

TEST(DataFilesTest, TextFormListsConstantsAsLoadableVariables)
{
    auto number = CValueNode::MakeNumber(1.5);
    auto text = CValueNode::MakeText("two words");
    auto yes = CValueNode::MakeBoolean(true);
    EXPECT_EQ(FormatTextData({}), "");
    std::vector<TextDataValue> simple = {{3, number.get()}, {7, text.get()}, {9, yes.get()}};
    EXPECT_EQ(FormatTextData(simple), "V3=1.5&V7=two words&V9=1");

    auto tenth = CValueNode::MakeNumber(0.1);
    auto huge = CValueNode::MakeNumber(-1e300);
    auto whole = CValueNode::MakeInteger(-42);
    auto no = CValueNode::MakeBoolean(false);
    auto none = CValueNode::MakeNoValue();
    auto awkward = CValueNode::MakeText("R&D = 50% + x\r\nZ\xC3\xBCrich");
    std::vector<TextDataValue> all = {{1, tenth.get()}, {2, huge.get()},    {4, whole.get()}, {5, no.get()},
                                      {6, none.get()},  {8, awkward.get()}, {10, nullptr}};
    std::string line = FormatTextData(all);
    EXPECT_EQ(line, "V1=0.10000000000000001&V2=-1.0000000000000001e%2B300&V4=-42&V5=0&V6=undefined"
                    "&V8=R%26D %3D 50%25 %2B x%0D%0AZ\xC3\xBCrich&V10=undefined");
    std::map<std::string, std::string> expected = {{"V1", "0.10000000000000001"},
                                                   {"V2", "-1.0000000000000001e+300"},
                                                   {"V4", "-42"},
                                                   {"V5", "0"},
                                                   {"V6", "undefined"},
                                                   {"V8", "R&D = 50% + x\r\nZ\xC3\xBCrich"},
                                                   {"V10", "undefined"}};
    EXPECT_EQ(DecodeVariables(line), expected);
}

TEST(DataFilesTest, XmlFormIsByteExactAndReadsBack)
{
    EXPECT_EQ(FormatXmlData({}), "<data>\r\n</data>");

    std::vector<XmlDataVariable> variables = {
        {"Sales & <Costs> &amp; \"net\"", {{"1.5", "M\xC3\xBCnchen"}, {"", "a<b & c>d \"q\""}}},
        {"empty", {}},
    };
    std::string xml = FormatXmlData(variables);
    EXPECT_EQ(xml, "<data>\r\n"
                   " <variable name=\"Sales &amp; &lt;Costs&gt; &amp;amp; &quot;net&quot;\">\r\n"
                   "  <row>\r\n"
                   "   <column>1.5</column>\r\n"
                   "   <column>M\xC3\xBCnchen</column>\r\n"
                   "  </row>\r\n"
                   "  <row>\r\n"
                   "   <column></column>\r\n"
                   "   <column>a&lt;b &amp; c&gt;d \"q\"</column>\r\n"
                   "  </row>\r\n"
                   " </variable>\r\n"
                   " <variable name=\"empty\">\r\n"
                   " </variable>\r\n"
                   "</data>");

    pugi::xml_document document;
    ASSERT_TRUE(document.load_buffer(xml.data(), xml.size()));
    std::vector<XmlDataVariable> back;
    for (pugi::xml_node variable : document.child("data").children("variable")) {
        XmlDataVariable& read = back.emplace_back();
        read.name = variable.attribute("name").value();
        for (pugi::xml_node row : variable.children("row")) {
            auto& cells = read.rows.emplace_back();
            for (pugi::xml_node column : row.children("column"))
                cells.emplace_back(column.text().get());
        }
    }
    ASSERT_EQ(back.size(), variables.size());
    for (std::size_t i = 0; i < back.size(); ++i) {
        EXPECT_EQ(back[i].name, variables[i].name);
        EXPECT_EQ(back[i].rows, variables[i].rows);
    }
}

TEST(DataFilesTest, RangeRowsTakeEachAreasOwnCells)
{
    CCellModel model;
    auto set = [&model](int row, int column, CellType type, const char* value) {
        model.SetCell("S", row, column, CCellData{value, std::string(CellTypeName(type)), "", false});
    };
    set(1, 1, CellType::Number, "0.1");
    set(1, 2, CellType::Boolean, "TRUE");
    set(2, 1, CellType::Text, "x&y");
    // B2 holds nothing.
    set(5, 4, CellType::Boolean, "FALSE");
    set(6, 4, CellType::Number, "12");
    CRange range;
    ASSERT_TRUE(range.AddArea(CCellRef("S", 1, 1), CCellRef("S", 2, 2)));
    ASSERT_TRUE(range.AddArea(CCellRef("S", 5, 4), CCellRef("S", 6, 4)));
    std::vector<std::vector<std::string>> expected = {
        {"0.10000000000000001", "1"}, {"x&y", ""}, {"0"}, {"12"}};
    EXPECT_EQ(ReadRangeRows(range, model), expected);
}

TEST(DataFilesTest, FilesKeepTheirBytesAndAnUnwritablePathWritesNothing)
{
    testsupport::TempDir dir;
    std::string xml = FormatXmlData({});
    ASSERT_TRUE(WriteDataFile(dir / "out.xml", "old contents, longer than the new"));
    ASSERT_TRUE(WriteDataFile(dir / "out.xml", xml));
    std::vector<unsigned char> bytes = testsupport::ReadBytes(dir / "out.xml");
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "<data>\r\n</data>");

    EXPECT_FALSE(WriteDataFile(dir / "missing" / "out.txt", "V1=1"));
    EXPECT_FALSE(std::filesystem::exists(dir / "missing"));
}

TEST(DataFilesTest, BaseMovieWritesItsConstantsAndRangeEntries)
{
    publishtest::BaseMovieFixture base;
    testsupport::TempDir dir;
    auto read = [&dir](const char* name) {
        std::vector<unsigned char> bytes = testsupport::ReadBytes(dir / name);
        return std::string(bytes.begin(), bytes.end());
    };
    ASSERT_TRUE(CModelScriptBuilder(*base.movie).WriteTextData(dir / "empty.txt"));
    EXPECT_EQ(read("empty.txt"), "");
    ASSERT_TRUE(CModelScriptBuilder(*base.movie).WriteXmlData(dir / "empty.xml"));
    EXPECT_EQ(read("empty.xml"), "<data>\r\n</data>");

    // Z1 and Y1 are bound (Y1 has the larger id), X1 only read by a formula.
    base.Number("Z1", 1.5);
    base.cells().SetCell("S", 1, 25, CCellData{"two words", std::string(CellTypeName(CellType::Text)), "", false});
    base.cells().SetCell("S", 1, 24, CCellData{"TRUE", std::string(CellTypeName(CellType::Boolean)), "", false});
    base.Formula("W1", "IF(X1,1,0)");
    BoundCells bound;
    bound.constants = {base.Id("Z1"), base.Id("Y1")};
    base.Compile({"Z1", "Y1", "W1"}, bound);
    ASSERT_TRUE(CModelScriptBuilder(*base.movie).WriteTextData(dir / "data.txt"));
    EXPECT_EQ(read("data.txt"), "V" + std::to_string(base.Id("Z1")) + "=1.5&V" +
                                    std::to_string(base.Id("Y1")) + "=two words&V" +
                                    std::to_string(base.Id("X1")) + "=1");

    CRange range;
    ASSERT_TRUE(range.AddArea(CCellRef("S", 1, 24), CCellRef("S", 1, 26)));
    int index = base.table().AddRange(range);
    base.movie->GetRangeEntries() = {{-1, "unset", ""}, {index, "row<1>", ""}, {99, "gone", ""}};
    ASSERT_TRUE(CModelScriptBuilder(*base.movie).WriteXmlData(dir / "data.xml"));
    EXPECT_EQ(read("data.xml"), "<data>\r\n"
                                " <variable name=\"row&lt;1&gt;\">\r\n"
                                "  <row>\r\n"
                                "   <column>1</column>\r\n"
                                "   <column>two words</column>\r\n"
                                "   <column>1.5</column>\r\n"
                                "  </row>\r\n"
                                " </variable>\r\n"
                                " <variable name=\"gone\">\r\n"
                                " </variable>\r\n"
                                "</data>");
}

} // namespace
