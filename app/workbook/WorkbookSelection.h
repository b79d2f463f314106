#pragma once

#include "sheet/workbook/XlsxWorkbook.h"

#include <optional>
#include <string>
#include <vector>

// What the user has selected in the workbook window: one or more areas of one sheet, the
// cell the selection started from (the anchor a Shift press extends from) and the cell whose
// content the formula bar shows. Rows and columns are 0-based.
namespace workbook {

using sheet::xlsx::Area;

struct CellPlace {
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    bool operator==(const CellPlace&) const = default;
};

class CWorkbookSelection {
public:
    // A single cell A1 of the first sheet.
    CWorkbookSelection() = default;

    int GetSheet() const { return sheet_; }
    const std::vector<Area>& GetAreas() const { return areas_; }
    CellPlace GetActive() const { return active_; }
    CellPlace GetAnchor() const { return anchor_; }

    // A press on a cell: a new single-cell selection; with add (Ctrl) a further area; with
    // extend (Shift) the last area stretched from the anchor to the cell.
    void Press(CellPlace cell, bool extend, bool add);
    // The pointer dragged to a cell: the last area spans the anchor and the cell.
    void DragTo(CellPlace cell);
    // The last area replaced (whole columns or rows dragged over), anchor and active cell kept.
    void SetLastArea(const Area& area);
    // Whole rows or columns from header presses, limited to the sheet's size.
    void SetAreas(int sheet, std::vector<Area> areas);
    // Another sheet shown: the selection starts again at its first cell.
    void SelectSheet(int sheet);

    bool Contains(std::uint32_t row, std::uint32_t column) const;

private:
    int sheet_ = 0;
    std::vector<Area> areas_{Area{}};
    CellPlace anchor_;
    CellPlace active_;
};

// A range text of the workbook: areas such as 'Sheet 1'!$A$1:$B$4 or Sheet1!B2 or B2 (of
// the sheet shown) joined by ",". Every area must name a sheet of the workbook and cells
// inside a sheet's bounds, and all areas one sheet.
struct ParsedReference {
    int sheet = -1;
    std::vector<Area> areas;
    std::string error; // empty when the text was read
};
ParsedReference ParseReference(const std::string& text, const sheet::xlsx::Workbook& book, int currentSheet);

// The text the range pickers hand back: each area sheet-qualified with absolute references,
// 'Sheet1'!$A$1:$B$4,'Sheet1'!$D$2.
std::string FormatReference(const std::string& sheetName, const std::vector<Area>& areas);

// "A1", "AB12": the short form the window's reference box starts from.
std::string CellName(CellPlace cell);

} // namespace workbook
