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

// A range of cells: one or more areas, each with its own sheet, and the expanded list of
// their cells (area after area, each in reading order: row by row, left to right). The model's
// bindings hold ranges of the variable table as handles.
class CRange : public model::RangeHandle {
public:
    // The most cells one range may expand to: each becomes a variable of the published movie,
    // which could not carry more anyway. Whole columns and rows are clipped to the used part
    // of the sheet before they get here, so only a damaged or hostile workbook reaches this.
    static constexpr std::size_t kMaxCells = 1u << 18;

    // Appends an area (ends given in any corner order) and its cells. False (and nothing changed) when an end
    // lies outside the sheet, the ends are on different sheets, or the range would grow past kMaxCells.
    bool AddArea(const CCellRef& start, const CCellRef& end);

    std::size_t GetAreaCount() const { return areas_.size(); }
    // The area's two end cells; false for an index past the end.
    bool GetArea(std::size_t index, CCellRef& start, CCellRef& end) const;
    const std::vector<CRangeArea>& GetAreas() const { return areas_; }
    // Rows |row2 - row1| + 1 and columns |column2 - column1| + 1; false past the end.
    bool GetAreaSize(std::size_t index, int& rows, int& columns) const;
    // The cell of an area at the given offsets from its top-left corner; false outside.
    bool GetCells(std::size_t index, int rowOffset, int columnOffset, CCellRef& cell) const;

    std::size_t GetCellCount() const { return cells_.size(); }
    // The cell at that index of the expanded list; none past the end.
    const CCellRef* GetCell(std::size_t index) const
    {
        return index < cells_.size() ? &cells_[index] : nullptr;
    }
    bool GetCell(std::size_t index, CCellRef& cell) const;
    const std::vector<CCellRef>& GetCellList() const { return cells_; }
    std::vector<CCellRef>& MutableCellList() { return cells_; }

    // The areas joined with ",", each as 'Sheet'!$A$1:$B$2 (a one-cell area as 'Sheet'!$A$1).
    std::string GetText() const;
    // The text of one area, ends given in any corner order, as GetText writes it.
    static std::string AreaText(const CCellRef& start, const CCellRef& end);

    // Equal when the areas are equal in order; cell ids take no part.
    bool operator==(const CRange& other) const { return areas_ == other.areas_; }

private:
    std::vector<CRangeArea> areas_;
    std::vector<CCellRef> cells_;
};

// The range behind a handle the model holds: every handle it has came from the variable table.
inline const CRange* AsRange(const model::RangeHandle* handle)
{
    return static_cast<const CRange*>(handle);
}
