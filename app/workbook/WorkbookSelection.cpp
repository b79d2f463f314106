#include "app/workbook/WorkbookSelection.h"

#include "sheet/workbook/XlsxAddress.h"

#include <algorithm>

namespace workbook {
namespace {

Area Span(CellPlace a, CellPlace b)
{
    return Area{std::min(a.row, b.row), std::min(a.column, b.column), std::max(a.row, b.row),
                std::max(a.column, b.column)};
}

std::string Trim(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Splits at "," outside quoted sheet names.
std::vector<std::string> SplitAreas(const std::string& text)
{
    std::vector<std::string> parts(1);
    bool quoted = false;
    for (char c : text) {
        if (c == '\'')
            quoted = !quoted; // a doubled quote toggles twice and stays inside
        if (c == ',' && !quoted) {
            parts.emplace_back();
            continue;
        }
        parts.back() += c;
    }
    return parts;
}

} // namespace

void CWorkbookSelection::Press(CellPlace cell, bool extend, bool add)
{
    if (extend && !areas_.empty()) {
        areas_.back() = Span(anchor_, cell);
        active_ = anchor_;
        return;
    }
    if (!add)
        areas_.clear();
    areas_.push_back(Span(cell, cell));
    anchor_ = active_ = cell;
}

void CWorkbookSelection::DragTo(CellPlace cell)
{
    if (areas_.empty())
        areas_.push_back(Span(anchor_, anchor_));
    areas_.back() = Span(anchor_, cell);
}

void CWorkbookSelection::SetLastArea(const Area& area)
{
    if (areas_.empty())
        areas_.push_back(area);
    else
        areas_.back() = area;
}

void CWorkbookSelection::SetAreas(int sheet, std::vector<Area> areas)
{
    if (areas.empty())
        return;
    sheet_ = sheet;
    areas_ = std::move(areas);
    anchor_ = active_ = CellPlace{areas_.front().firstRow, areas_.front().firstColumn};
}

void CWorkbookSelection::SelectSheet(int sheet)
{
    sheet_ = sheet;
    areas_.assign(1, Area{});
    anchor_ = active_ = CellPlace{};
}

bool CWorkbookSelection::Contains(std::uint32_t row, std::uint32_t column) const
{
    for (const Area& a : areas_)
        if (row >= a.firstRow && row <= a.lastRow && column >= a.firstColumn && column <= a.lastColumn)
            return true;
    return false;
}

ParsedReference ParseReference(const std::string& text, const sheet::xlsx::Workbook& book, int currentSheet)
{
    ParsedReference result;
    if (Trim(text).empty()) {
        result.error = "Type a cell or a range, such as A1 or 'Sheet1'!$A$1:$B$4.";
        return result;
    }
    for (const std::string& raw : SplitAreas(text)) {
        const std::string part = Trim(raw);
        int sheet = currentSheet;
        std::string cells = part;
        const std::size_t bang = part.rfind('!');
        if (bang != std::string::npos) {
            std::string name = part.substr(0, bang);
            if (name.size() >= 2 && name.front() == '\'' && name.back() == '\'') {
                std::string unquoted;
                for (std::size_t i = 1; i + 1 < name.size(); ++i) {
                    unquoted += name[i];
                    if (name[i] == '\'' && i + 2 < name.size() && name[i + 1] == '\'')
                        ++i;
                }
                name = unquoted;
            }
            const sheet::xlsx::Sheet* found = book.FindSheet(name);
            if (found == nullptr) {
                result.error = "The workbook has no sheet named \"" + name + "\".";
                return result;
            }
            sheet = static_cast<int>(found - book.sheets.data());
            cells = part.substr(bang + 1);
        }
        if (sheet < 0 || sheet >= static_cast<int>(book.sheets.size())) {
            result.error = "The workbook has no sheets.";
            return result;
        }
        const auto area = sheet::xlsx::ParseArea(cells);
        if (!area) {
            result.error = "\"" + part + "\" is not a cell or a range of cells of the workbook.";
            return result;
        }
        if (result.sheet >= 0 && result.sheet != sheet) {
            result.error = "All the cells must be on one sheet.";
            return result;
        }
        result.sheet = sheet;
        result.areas.push_back(*area);
    }
    return result;
}

std::string FormatReference(const std::string& sheetName, const std::vector<Area>& areas)
{
    std::string text;
    for (const Area& a : areas) {
        if (!text.empty())
            text += ",";
        text += sheet::xlsx::FormatQualifiedCell(sheetName, {a.firstRow, a.firstColumn});
        if (a.firstRow != a.lastRow || a.firstColumn != a.lastColumn)
            text += ":$" + sheet::xlsx::ColumnLettersOf(a.lastColumn) + "$" + std::to_string(a.lastRow + 1);
    }
    return text;
}

std::string CellName(CellPlace cell)
{
    return sheet::xlsx::ColumnLettersOf(cell.column) + std::to_string(cell.row + 1);
}

} // namespace workbook
