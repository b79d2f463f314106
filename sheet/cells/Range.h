#pragma once

#include "model/ModelHooks.h"
#include "sheet/cells/CellRef.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// One rectangular area of a range: its top-left and bottom-right cells, of one sheet.
struct CRangeArea {
    CCellRef start;
    CCellRef end;

    int Rows() const { return end.row - start.row + 1; }
    int Columns() const { return end.column - start.column + 1; }
    bool operator==(const CRangeArea& other) const
    {
        return start.SamePlace(other.start) && end.SamePlace(other.end);
    }
};

class CVariableTable;

// A range of cells: one or more areas, each with its own sheet. Its cells are not listed: a
// range may name a million rows of which a few are used, and what covers them is the areas.
// Cells count area after area, each in reading order (row by row, left to right). A range
// stored in the variable table gives its cells the ids the table holds for them (-1 for a
// cell without a variable); any other range gives -1. The model's bindings hold ranges of the
// variable table as handles.
class CRange : public model::RangeHandle {
public:
    // Appends an area (ends given in any corner order). False (and nothing changed) when an
    // end lies outside the sheet or the ends are on different sheets.
    bool AddArea(const CCellRef& start, const CCellRef& end);

    std::size_t GetAreaCount() const { return areas_.size(); }
    // The area's two end cells; false for an index past the end.
    bool GetArea(std::size_t index, CCellRef& start, CCellRef& end) const;
    const std::vector<CRangeArea>& GetAreas() const { return areas_; }
    // Rows |row2 - row1| + 1 and columns |column2 - column1| + 1; false past the end.
    bool GetAreaSize(std::size_t index, int& rows, int& columns) const;
    // The cell of an area at the given offsets from its top-left corner; false outside.
    bool GetCells(std::size_t index, int rowOffset, int columnOffset, CCellRef& cell) const;

    // The number of cells the areas cover together, used or not.
    std::size_t GetCellCount() const;
    // The cell at that index of the areas' cells; none past the end.
    std::optional<CCellRef> GetCell(std::size_t index) const;
    bool GetCell(std::size_t index, CCellRef& cell) const;

    // The areas joined with ",", each as 'Sheet'!$A$1:$B$2 (a one-cell area as 'Sheet'!$A$1).
    std::string GetText() const;
    // The text of one area, ends given in any corner order, as GetText writes it.
    static std::string AreaText(const CCellRef& start, const CCellRef& end);

    // Equal when the areas are equal in order; the table that holds it takes no part.
    bool operator==(const CRange& other) const { return areas_ == other.areas_; }

private:
    friend class CVariableTable;
    CCellRef Numbered(CCellRef cell) const;

    std::vector<CRangeArea> areas_;
    const CVariableTable* table_ = nullptr; // the table holding it, which numbers its cells
};

// The range behind a handle the model holds: every handle it has came from the variable table.
inline const CRange* AsRange(const model::RangeHandle* handle)
{
    return static_cast<const CRange*>(handle);
}
