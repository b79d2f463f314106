#include "sheet/cells/Range.h"

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
    CRangeArea area{CCellRef(start.sheet, top, left),
                    CCellRef(start.sheet, std::max(start.row, end.row), std::max(start.column, end.column))};
    std::size_t count = static_cast<std::size_t>(area.Rows()) * static_cast<std::size_t>(area.Columns());
    if (count > kMaxCells || cells_.size() + count > kMaxCells)
        return false;
    cells_.reserve(cells_.size() + count);
    for (int r = 0; r < area.Rows(); ++r)
        for (int c = 0; c < area.Columns(); ++c)
            cells_.emplace_back(start.sheet, top + r, left + c);
    areas_.push_back(std::move(area));
    return true;
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
    std::size_t first = 0;
    for (std::size_t i = 0; i < index; ++i)
        first += static_cast<std::size_t>(areas_[i].Rows()) * static_cast<std::size_t>(areas_[i].Columns());
    std::size_t at = first + static_cast<std::size_t>(rowOffset) * static_cast<std::size_t>(area.Columns()) +
                     static_cast<std::size_t>(columnOffset);
    if (at >= cells_.size())
        return false;
    cell = cells_[at];
    return true;
}

bool CRange::GetCell(std::size_t index, CCellRef& cell) const
{
    if (index >= cells_.size())
        return false;
    cell = cells_[index];
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
