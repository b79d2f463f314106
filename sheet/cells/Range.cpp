#include "sheet/cells/Range.h"

#include "sheet/cells/VariableTable.h"

#include <algorithm>

namespace {

bool InsideSheet(const CCellRef& cell)
{
    return cell.row >= 1 && cell.row <= kMaxSheetRow && cell.column >= 1 && cell.column <= kMaxSheetColumn;
}

} // namespace

bool CRange::AddArea(const CCellRef& start, const CCellRef& end)
{
    if (!InsideSheet(start) || !InsideSheet(end) || start.sheet != end.sheet)
        return false;
    int top = std::min(start.row, end.row);
    int left = std::min(start.column, end.column);
    areas_.push_back({CCellRef(start.sheet, top, left),
                      CCellRef(start.sheet, std::max(start.row, end.row), std::max(start.column, end.column))});
    return true;
}

CCellRef CRange::Numbered(CCellRef cell) const
{
    cell.id = table_ ? table_->FindCell(cell.sheet, cell.row, cell.column) : -1;
    return cell;
}

std::size_t CRange::GetCellCount() const
{
    std::size_t count = 0;
    for (const CRangeArea& area : areas_)
        count += static_cast<std::size_t>(area.Rows()) * static_cast<std::size_t>(area.Columns());
    return count;
}

std::optional<CCellRef> CRange::GetCell(std::size_t index) const
{
    for (const CRangeArea& area : areas_) {
        const std::size_t columns = static_cast<std::size_t>(area.Columns());
        const std::size_t size = static_cast<std::size_t>(area.Rows()) * columns;
        if (index < size)
            return Numbered(CCellRef(area.start.sheet, area.start.row + static_cast<int>(index / columns),
                                     area.start.column + static_cast<int>(index % columns)));
        index -= size;
    }
    return std::nullopt;
}

bool CRange::GetArea(std::size_t index, CCellRef& start, CCellRef& end) const
{
    if (index >= areas_.size())
        return false;
    start = areas_[index].start;
    end = areas_[index].end;
    return true;
}

bool CRange::GetAreaSize(std::size_t index, int& rows, int& columns) const
{
    if (index >= areas_.size())
        return false;
    rows = areas_[index].Rows();
    columns = areas_[index].Columns();
    return true;
}

bool CRange::GetCells(std::size_t index, int rowOffset, int columnOffset, CCellRef& cell) const
{
    if (index >= areas_.size())
        return false;
    const CRangeArea& area = areas_[index];
    if (rowOffset < 0 || columnOffset < 0 || rowOffset >= area.Rows() || columnOffset >= area.Columns())
        return false;
    cell = Numbered(CCellRef(area.start.sheet, area.start.row + rowOffset, area.start.column + columnOffset));
    return true;
}

bool CRange::GetCell(std::size_t index, CCellRef& cell) const
{
    std::optional<CCellRef> found = GetCell(index);
    if (!found)
        return false;
    cell = std::move(*found);
    return true;
}

std::string CRange::GetText() const
{
    std::string text;
    for (const CRangeArea& area : areas_) {
        if (!text.empty())
            text += ',';
        text += AreaText(area.start, area.end);
    }
    return text;
}

std::string CRange::AreaText(const CCellRef& start, const CCellRef& end)
{
    CCellRef topLeft(start.sheet, std::min(start.row, end.row), std::min(start.column, end.column));
    std::string text = topLeft.GetText();
    int bottom = std::max(start.row, end.row);
    int right = std::max(start.column, end.column);
    if (bottom != topLeft.row || right != topLeft.column)
        text += ":$" + ColumnLetters(right) + "$" + std::to_string(bottom);
    return text;
}
