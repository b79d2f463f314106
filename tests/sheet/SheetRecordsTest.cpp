#include "base/ModelError.h"
#include "base/RecordStream.h"
#include "sheet/cells/SheetRecords.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellValueMap.h"
#include "sheet/formula/ExprNodes.h"
#include "sheet/formula/FormulaNode.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/cells/VariableTable.h"

#include "SheetTestSupport.h"
#include "tests/support/ActionText.h"

#include <cstdint>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// Every shorter prefix of a record must be refused with ModelError, never read past.
void ExpectTruncationsRefused(const std::vector<std::uint8_t>& bytes,
                              const std::function<void(base::RecordReader&)>& read)
{
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        base::RecordReader in(bytes.data(), size);
        EXPECT_THROW(read(in), ModelError) << "prefix of " << size << " bytes";
    }
}

// The record of cells, read into back; the whole record is read.
std::vector<std::uint8_t> WrittenAndReadBack(const CCellModel& cells, CCellModel& back)
{
    base::RecordWriter out;
    sheetrec::WriteCellModel(out, cells);
    base::RecordReader in(out.Bytes());
    sheetrec::ReadCellModel(in, back);
    EXPECT_TRUE(in.AtEnd());
    return std::vector<std::uint8_t>(out.Bytes().begin(), out.Bytes().end());
}

TEST(SheetRecordsTest, CellModelRoundTrip)
{
    CCellModel cells;
    cells.AddSheet("Empty");
    cells.SetCell("Data", 3, 2, CCellData{"3.5", "number", "", true});
    cells.SetCell("Data", 1, 1, CCellData{"", "", "SUM(B1:B3)", false});
    cells.SetDefinedName("Sales", "Data!$B$1:$B$3");
    cells.SetNamedValue("KVDecimalSeparator", ",");
    cells.SetLoaded(true);
    base::RecordWriter out;
    sheetrec::WriteCellModel(out, cells);

    CCellModel back;
    base::RecordReader in(out.Bytes());
    sheetrec::ReadCellModel(in, back);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_TRUE(back.IsLoaded());
    EXPECT_EQ(back.GetSheetNames(), (std::vector<std::string>{"Empty", "Data"}));
    EXPECT_EQ(back.GetCell("Data", 1, 1)->formula, "SUM(B1:B3)");
    EXPECT_TRUE(back.GetCell("Data", 3, 2)->changed);
    EXPECT_EQ(back.FindDefinedName("sales").value_or(""), "Data!$B$1:$B$3");
    EXPECT_EQ(back.GetNamedValue("KVDecimalSeparator").value_or(""), ",");
    ExpectTruncationsRefused(out.Bytes(), [](base::RecordReader& r) {
        CCellModel m;
        sheetrec::ReadCellModel(r, m);
    });
}

// A reopened document computes what it computed before saving: the cells of an array
// formula's area keep their places in it, and the area is no name a formula could use.
TEST(SheetRecordsTest, ArrayFormulasKeepTheirAreas)
{
    CCellModel cells;
    for (int row = 2; row <= 3; ++row)
        for (int column = 1; column <= 2; ++column) {
            CCellData data{"", "", "TRANSPOSE(D1:E2)", false};
            data.array = true;
            data.arrayRow = row - 2;
            data.arrayColumn = column - 1;
            cells.SetCell("My Data!", row, column, data);
        }
    cells.SetCell("My Data!", 4, 1, CCellData{"", "", "A2*2", false});
    CCellModel back;
    const std::vector<std::uint8_t> bytes = WrittenAndReadBack(cells, back);
    for (int row = 2; row <= 3; ++row)
        for (int column = 1; column <= 2; ++column)
            EXPECT_EQ(back.GetArrayPlace(CCellRef("My Data!", row, column)), std::make_pair(row - 2, column - 1))
                << row << "," << column;
    EXPECT_FALSE(back.GetArrayPlace(CCellRef("My Data!", 4, 1)));
    EXPECT_TRUE(back.GetDefinedNames().empty());
    // Written again, the record is the same.
    CCellModel again;
    EXPECT_EQ(WrittenAndReadBack(back, again), bytes);

    // A damaged area places no cell.
    CCellModel damaged;
    damaged.SetCell("S", 1, 1, CCellData{"", "", "A2", false});
    damaged.SetDefinedName("{array}S!R1C1:R99999999999C1", "S!A1");
    CCellModel read;
    WrittenAndReadBack(damaged, read);
    EXPECT_FALSE(read.GetArrayPlace(CCellRef("S", 1, 1)));
}

// The record of a model, and the model read back from it, to its end.
std::vector<std::uint8_t> Saved(const CCellModel& cells)
{
    base::RecordWriter out;
    sheetrec::WriteCellModel(out, cells);
    return out.Bytes();
}

void Reopen(const std::vector<std::uint8_t>& bytes, CCellModel& cells)
{
    base::RecordReader in(bytes);
    sheetrec::ReadCellModel(in, cells);
    EXPECT_TRUE(in.AtEnd());
}

// The rows a workbook hides are kept as joined runs, and a reopened document still has them;
// they are no names a formula could use. A run for a sheet the document lacks adds none.
TEST(SheetRecordsTest, HiddenRowsSurviveSaveAndReopen)
{
    CCellModel cells;
    cells.SetCell("Data", 1, 1, CCellData{"1", "Number", "", false});
    cells.SetHiddenRows("Data", {{7, 7}, {2, 3}, {4, 5}, {0, 0}, {9, kMaxSheetRow + 5}, {12, 10}});
    const CCellModel::RowRuns joined{{2, 5}, {7, 7}, {9, kMaxSheetRow}};
    EXPECT_EQ(cells.GetHiddenRows("Data"), joined);
    const std::vector<std::uint8_t> saved = Saved(cells);
    CCellModel back;
    Reopen(saved, back);
    EXPECT_EQ(back.GetHiddenRows("Data"), joined);
    EXPECT_TRUE(back.GetDefinedNames().empty());
    EXPECT_EQ(Saved(back), saved);

    CCellModel named;
    named.SetCell("Data", 1, 1, CCellData{"1", "Number", "", false});
    named.SetDefinedName("{hidden}Gone!R1:R4", "Gone!$A$1");
    named.SetDefinedName("{hidden}Data!R3:R2", "Data!$A$3");
    CCellModel read;
    Reopen(Saved(named), read);
    EXPECT_EQ(read.GetSheetNames(), std::vector<std::string>{"Data"});
    EXPECT_TRUE(read.GetHiddenRows("Data").empty());
    // a name of no run's form stays a name
    EXPECT_EQ(read.GetDefinedNames().size(), 1u);
}

TEST(SheetRecordsTest, VariableTableKeepsIdsAndIndexes)
{
    CVariableTable table;
    table.AddCell("S", 9, 9);
    CRange range;
    range.AddArea(CCellRef("S", 1, 1), CCellRef("S", 2, 2));
    range.AddArea(CCellRef("T", 1, 1), CCellRef("T", 1, 1));
    table.AddRange(range);
    table.SetName("Rate", "0.2");
    base::RecordWriter out;
    sheetrec::WriteVariableTable(out, table);

    CVariableTable back;
    base::RecordReader in(out.Bytes());
    sheetrec::ReadVariableTable(in, back);
    ASSERT_EQ(back.GetCellCount(), table.GetCellCount());
    for (std::size_t i = 0; i < table.GetCellCount(); ++i)
        EXPECT_EQ(back.GetCellAt(i)->GetText(), table.GetCellAt(i)->GetText());
    EXPECT_EQ(back.FindRange(range), 0);
    EXPECT_EQ(back.GetRange(0)->GetCell(4)->id, table.GetRange(0)->GetCell(4)->id);
    EXPECT_EQ(back.FindName("RATE").value_or(""), "0.2");
    ExpectTruncationsRefused(out.Bytes(), [](base::RecordReader& r) {
        CVariableTable t;
        sheetrec::ReadVariableTable(r, t);
    });
}

TEST(SheetRecordsTest, RefusesDamagedTables)
{
    struct Case {
        const char* what;
        std::function<void(base::RecordWriter&)> write;
    };
    const Case cases[] = {
        {"repeated cell",
         [](base::RecordWriter& w) {
             w.WriteU32(2);
             for (int i = 0; i < 2; ++i) {
                 w.WriteString("S");
                 w.WriteI32(1);
                 w.WriteI32(1);
             }
         }},
        {"row outside the sheet",
         [](base::RecordWriter& w) {
             w.WriteU32(1);
             w.WriteString("S");
             w.WriteI32(0);
             w.WriteI32(1);
         }},
        {"huge count", [](base::RecordWriter& w) { w.WriteU32(0xFFFFFFFF); }},
    };
    for (const Case& c : cases) {
        base::RecordWriter out;
        c.write(out);
        for (int i = 0; i < 8; ++i)
            out.WriteU32(0);
        base::RecordReader in(out.Bytes());
        CVariableTable table;
        EXPECT_THROW(sheetrec::ReadVariableTable(in, table), ModelError) << c.what;
    }
}

TEST(SheetRecordsTest, AWholeSheetRangeIsReadWithoutNumberingItsCells)
{
    // A range stands for its areas: read back, a whole sheet costs what one area does.
    base::RecordWriter out;
    out.WriteU32(0);
    out.WriteU32(1);
    out.WriteU32(1);
    out.WriteString("S");
    out.WriteI32(1);
    out.WriteI32(1);
    out.WriteI32(kMaxSheetRow);
    out.WriteI32(kMaxSheetColumn);
    for (int i = 0; i < 8; ++i)
        out.WriteU32(0);
    base::RecordReader in(out.Bytes());
    CVariableTable table;
    sheetrec::ReadVariableTable(in, table);
    ASSERT_EQ(table.GetRangeCount(), 1u);
    EXPECT_EQ(table.GetCellCount(), 0u);
    EXPECT_EQ(table.GetRange(0)->GetCellCount(), std::size_t{kMaxSheetRow} * kMaxSheetColumn);
}

TEST(SheetRecordsTest, ValueMapRoundTrip)
{
    CCellValueMap map;
    auto text = CModelVariable::CModelVariableFromText("abc");
    auto flag = CModelVariable::MakeBoolean(true);
    map.insert(CCellValueRecord(4, "V4", "'S'!$A$1", text.get())).mark = 1;
    map.insert(CCellValueRecord(2, "V2", "'S'!$A$2", flag.get())).exportFlag = 1;
    map.insert(CCellValueRecord(9, "V9", "'S'!$A$3", nullptr));
    // A name other than the cell's own, as a document may hold, is kept as it was stored.
    map.insert(CCellValueRecord(7, "Other", "'S'!$A$4", nullptr));
    base::RecordWriter out;
    sheetrec::WriteValueMap(out, map);
    CCellValueMap back;
    base::RecordReader in(out.Bytes());
    sheetrec::ReadValueMap(in, back);
    ASSERT_EQ(back.GetCount(), 4u);
    EXPECT_EQ(back.Find(4)->GetValue()->GetText(), "abc");
    EXPECT_EQ(back.Lookup(4)->GetVariableName(), "V4");
    EXPECT_EQ(back.Lookup(7)->GetVariableName(), "Other");
    CCellValueRecord copy = *back.Lookup(7);
    EXPECT_EQ(copy.GetVariableName(), "Other");
    EXPECT_EQ(back.Lookup(2)->exportFlag, 1);
    EXPECT_TRUE(back.Lookup(2)->GetValue()->GetBoolean());
    EXPECT_EQ(back.Lookup(9)->GetValue(), nullptr);
    EXPECT_EQ(back.Lookup(9)->GetA1Text(), "'S'!$A$3");
    ExpectTruncationsRefused(out.Bytes(), [](base::RecordReader& r) {
        CCellValueMap m;
        sheetrec::ReadValueMap(r, m);
    });
}

TEST(SheetRecordsTest, NodesReadBackWriteTheSameActions)
{
    CVariableTable table;
    FormulaContext context{"S", &table, nullptr};
    auto tree = CFormulaParser::Parse("IF(SUM(A1:B2)>1,\"big\",-C3%)&TRUE", context);
    ASSERT_NE(tree, nullptr);
    CFormulaCellNode node(12, CCompiledExpr::Compile(*tree));
    node.AddReferencedCell(0);
    node.AddReferencedCell(5);
    base::RecordWriter out;
    node.Save(out);

    CFormulaCellNode back;
    base::RecordReader in(out.Bytes());
    back.Load(in);
    EXPECT_TRUE(in.AtEnd());
    EXPECT_EQ(back.GetCellId(), 12);
    EXPECT_EQ(back.GetReferencedCells(), (std::vector<int32_t>{0, 5}));
    CActionList original, reread;
    node.WriteVariableAction(original);
    back.WriteVariableAction(reread);
    EXPECT_EQ(testsupport::ActionText(reread), testsupport::ActionText(original));

    CConstantCellNode empty(3, nullptr);
    base::RecordWriter constantOut;
    empty.Save(constantOut);
    CConstantCellNode emptyBack;
    base::RecordReader constantIn(constantOut.Bytes());
    emptyBack.Load(constantIn);
    EXPECT_EQ(emptyBack.GetCellId(), 3);
    EXPECT_EQ(emptyBack.GetExpression(), nullptr);

    ExpectTruncationsRefused(out.Bytes(), [](base::RecordReader& r) {
        CFormulaCellNode n;
        n.Load(r);
    });
}

} // namespace
