// A workbook of the shapes dashboards use, for the benchmarks of the publishing layer: a running
// total, lookups into a small table and conditional sums over a long column.
#pragma once

#include "publish/ModelNetwork.h"
#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/cells/VariableTable.h"

#include <string>
#include <vector>

namespace benchdata {

// Where the workbook goes: its cells, the variable table that numbers its formula cells, and
// the formula cells as watched roots of the compile walk.
struct WorkbookTarget {
    CCellModel& cells;
    CVariableTable& table;
    BoundCells& bound;
    std::vector<int32_t>& roots;
};

inline void Put(WorkbookTarget& book, const std::string& column, int row, const std::string& formula,
                double value = 0)
{
    CCellData data;
    if (formula.empty()) {
        data.valueText = std::to_string(value);
        data.typeName = "number";
    } else {
        data.formula = formula;
    }
    int columnNumber = ColumnFromLetters(column);
    book.cells.SetCell("Data", row, columnNumber, std::move(data));
    if (!formula.empty()) {
        int32_t id = book.table.AddCell("Data", row, columnNumber);
        book.roots.push_back(id);
        book.bound.formulas.insert(id);
    }
}

// formulas / 20,000 of: a running total down 5,000 rows, 10,000 lookups into a 50-row table
// and 5,000 conditional sums over 5,000 rows; with the inputs and unrelated cells, five cells
// per formula.
inline void MakeDashboardWorkbook(WorkbookTarget book, int formulas)
{
    const int scale = formulas / 20;
    const int total = 5 * scale;
    const int lookups = 10 * scale;
    for (int row = 1; row <= lookups; ++row)
        Put(book, "A", row, "", row % 97);
    for (int row = 1; row <= total; ++row)
        Put(book, "E", row, "", row * 0.5);
    for (int row = 1; row <= 50; ++row) {
        Put(book, "X", row, "", row * 2);
        Put(book, "Y", row, "", row * 3);
    }
    for (int row = 1; row <= formulas * 5 - lookups - total * 4 - 100; ++row)
        Put(book, "K", row, "", row);
    const std::string last = std::to_string(total);
    for (int row = 1; row <= total; ++row) {
        std::string r = std::to_string(row);
        Put(book, "B", row, row == 1 ? "A1" : "B" + std::to_string(row - 1) + "+A" + r);
        Put(book, "D", row, "SUMIF($A$1:$A$" + last + ",\">\"&A" + r + ",$E$1:$E$" + last + ")");
    }
    for (int row = 1; row <= lookups; ++row)
        Put(book, "C", row, "VLOOKUP(A" + std::to_string(row) + ",$X$1:$Y$50,2,TRUE)");
}

} // namespace benchdata
