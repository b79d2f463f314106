#include "sheet/cells/VariableTable.h"

void CVariableTable::Clear()
{
    auto lock = Lock();
    cells_.clear();
    sheetIndexes_.clear();
    cellIndexes_.clear();
    ranges_.clear();
    rangeIndexes_.clear();
    rangeCells_ = 0;
    names_.Clear();
}

int CVariableTable::FindSheet(const std::string& sheet) const
{
    auto it = sheetIndexes_.find(sheet);
    return it == sheetIndexes_.end() ? -1 : it->second;
}

int32_t CVariableTable::AddCell(const std::string& sheet, int row, int column)
{
    if (row < 1 || row > kMaxSheetRow || column < 1 || column > kMaxSheetColumn)
        return -1;
    auto lock = Lock();
    int sheetIndex = FindSheet(sheet);
    if (sheetIndex < 0) {
        sheetIndex = static_cast<int>(sheetIndexes_.size());
        sheetIndexes_.emplace(sheet, sheetIndex);
    }
    auto [it, inserted] =
        cellIndexes_.emplace(CellPlaceKey(static_cast<std::size_t>(sheetIndex), row, column), 0);
    if (inserted) {
        it->second = static_cast<int32_t>(cells_.size());
        cells_.emplace_back(sheet, row, column, it->second);
    }
    return it->second;
}

int32_t CVariableTable::FindCell(const std::string& sheet, int row, int column) const
{
    if (row < 1 || row > kMaxSheetRow || column < 1 || column > kMaxSheetColumn)
        return -1;
    auto lock = Lock();
    int sheetIndex = FindSheet(sheet);
    if (sheetIndex < 0)
        return -1;
    auto it = cellIndexes_.find(CellPlaceKey(static_cast<std::size_t>(sheetIndex), row, column));
    return it == cellIndexes_.end() ? -1 : it->second;
}

std::optional<CCellRef> CVariableTable::GetCellAt(std::size_t index) const
{
    auto lock = Lock();
    if (index >= cells_.size())
        return std::nullopt;
    return cells_[index];
}

std::size_t CVariableTable::GetCellCount() const
{
    auto lock = Lock();
    return cells_.size();
}

int CVariableTable::AddRange(const CRange& range, bool* added)
{
    auto lock = Lock();
    std::string key = range.GetText();
    auto found = rangeIndexes_.find(key);
    if (found != rangeIndexes_.end()) {
        if (added)
            *added = false;
        return found->second;
    }
    if (added)
        *added = false;
    if (range.GetCellCount() > kMaxRangeCells - rangeCells_)
        return -1;
    rangeCells_ += range.GetCellCount();
    auto stored = std::make_unique<CRange>(range);
    for (CCellRef& cell : stored->MutableCellList())
        cell.id = AddCell(cell.sheet, cell.row, cell.column);
    int index = static_cast<int>(ranges_.size());
    ranges_.push_back(std::move(stored));
    rangeIndexes_.emplace(std::move(key), index);
    if (added)
        *added = true;
    return index;
}

const CRange* CVariableTable::GetRange(std::size_t index) const
{
    auto lock = Lock();
    return index < ranges_.size() ? ranges_[index].get() : nullptr;
}

int CVariableTable::FindRange(const CRange& range) const
{
    auto lock = Lock();
    auto found = rangeIndexes_.find(range.GetText());
    return found == rangeIndexes_.end() ? -1 : found->second;
}

int CVariableTable::FindRangeText(const std::string& text) const
{
    auto lock = Lock();
    auto found = rangeIndexes_.find(text);
    return found == rangeIndexes_.end() ? -1 : found->second;
}

std::size_t CVariableTable::GetRangeCount() const
{
    auto lock = Lock();
    return ranges_.size();
}

void CVariableTable::SetName(const std::string& name, const std::string& definition)
{
    auto lock = Lock();
    names_.Set(name, definition);
}

std::optional<std::string> CVariableTable::FindName(std::string_view name) const
{
    auto lock = Lock();
    return names_.Find(name);
}

std::vector<std::pair<std::string, std::string>> CVariableTable::GetNames() const
{
    auto lock = Lock();
    return names_.List();
}
