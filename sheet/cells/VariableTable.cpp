#include "sheet/cells/VariableTable.h"

#include "sheet/cells/CellModel.h"

void CVariableTable::Clear()
{
    auto lock = Lock();
    sheetIndexes_.clear();
    sheetNames_.clear();
    lastSheet_ = nullptr;
    cellKeys_.clear();
    cellIndex_.Clear();
    cellColumns_.Clear();
    ranges_.clear();
    usedNumbered_.clear();
    allNumbered_.clear();
    usedRows_.clear();
    rangeIndexes_.clear();
    rangeCells_ = 0;
    names_.Clear();
}

int CVariableTable::FindSheet(const std::string& sheet) const
{
    // Look-ups come in runs on one sheet: comparing the name is cheaper than hashing it. The
    // map's keys stay where they are while it grows.
    if (lastSheet_ && *lastSheet_ == sheet)
        return lastSheetIndex_;
    auto it = sheetIndexes_.find(sheet);
    if (it == sheetIndexes_.end())
        return -1;
    lastSheet_ = &it->first;
    lastSheetIndex_ = it->second;
    return it->second;
}

int CVariableTable::AddSheet(const std::string& sheet)
{
    int index = FindSheet(sheet);
    if (index < 0) {
        index = static_cast<int>(sheetNames_.size());
        sheetIndexes_.emplace(sheet, index);
        sheetNames_.push_back(sheet);
    }
    return index;
}

int32_t CVariableTable::AddCell(const std::string& sheet, int row, int column)
{
    if (row < 1 || row > kMaxSheetRow || column < 1 || column > kMaxSheetColumn)
        return -1;
    auto lock = Lock();
    const int sheetIndex = AddSheet(sheet);
    const std::uint64_t key = CellPlaceKey(static_cast<std::size_t>(sheetIndex), row, column);
    auto keyAt = [this](std::size_t i) { return cellKeys_[i]; };
    // Room first, so that the one search finds the cell or the slot a new one takes.
    cellIndex_.Reserve(cellKeys_.size() + 1, cellKeys_.size(), keyAt);
    std::uint32_t* slot = cellIndex_.Find(key, keyAt);
    if (*slot != 0)
        return static_cast<int32_t>(*slot - 1);
    const auto id = static_cast<int32_t>(cellKeys_.size());
    cellKeys_.push_back(key);
    *slot = static_cast<std::uint32_t>(cellKeys_.size());
    cellColumns_.Add(static_cast<std::size_t>(sheetIndex), row, column, id);
    return id;
}

int32_t CVariableTable::FindCell(const std::string& sheet, int row, int column) const
{
    if (row < 1 || row > kMaxSheetRow || column < 1 || column > kMaxSheetColumn)
        return -1;
    auto lock = Lock();
    int sheetIndex = FindSheet(sheet);
    if (sheetIndex < 0)
        return -1;
    const std::uint32_t* slot = cellIndex_.Find(CellPlaceKey(static_cast<std::size_t>(sheetIndex), row, column),
                                                [this](std::size_t i) { return cellKeys_[i]; });
    return slot && *slot != 0 ? static_cast<int32_t>(*slot - 1) : -1;
}

std::optional<CCellRef> CVariableTable::GetCellAt(std::size_t index) const
{
    auto lock = Lock();
    if (index >= cellKeys_.size())
        return std::nullopt;
    const std::uint64_t key = cellKeys_[index];
    return CCellRef(sheetNames_[CellPlaceSheet(key)], CellPlaceRow(key), CellPlaceColumn(key),
                    static_cast<int32_t>(index));
}

std::size_t CVariableTable::GetCellCount() const
{
    auto lock = Lock();
    return cellKeys_.size();
}

int CVariableTable::StoreRange(const CRange& range)
{
    auto lock = Lock();
    std::string key = range.GetText();
    if (rangeIndexes_.count(key))
        return -1;
    auto stored = std::make_unique<CRange>(range);
    stored->table_ = this;
    int index = static_cast<int>(ranges_.size());
    ranges_.push_back(std::move(stored));
    usedNumbered_.push_back(false);
    allNumbered_.push_back(false);
    rangeIndexes_.emplace(std::move(key), index);
    return index;
}

int CVariableTable::AddRange(const CRange& range, bool* added)
{
    auto lock = Lock();
    if (added)
        *added = false;
    int index = FindRange(range);
    if (index >= 0 && allNumbered_[static_cast<std::size_t>(index)])
        return index;
    // Every cell is numbered: a range a component writes needs a variable in each. A range a
    // formula stored first numbered only its used cells, and is numbered whole now.
    if (range.GetCellCount() > kMaxRangeCells - rangeCells_)
        return -1;
    if (index < 0) {
        index = StoreRange(range);
        if (added)
            *added = true;
    }
    allNumbered_[static_cast<std::size_t>(index)] = true;
    std::size_t before = cellKeys_.size();
    for (const CRangeArea& area : range.GetAreas())
        for (int row = area.start.row; row <= area.end.row; ++row)
            for (int column = area.start.column; column <= area.end.column; ++column)
                AddCell(area.start.sheet, row, column);
    rangeCells_ += cellKeys_.size() - before;
    return index;
}

int CVariableTable::AddFormulaRange(const CRange& range, const CCellModel& model, bool* added)
{
    auto lock = Lock();
    if (added)
        *added = false;
    int index = FindRange(range);
    if (index < 0) {
        index = StoreRange(range);
        if (added)
            *added = true;
    }
    if (usedNumbered_[static_cast<std::size_t>(index)])
        return index;
    usedNumbered_[static_cast<std::size_t>(index)] = true;
    // The rows of each column not numbered before; the model is asked without the table's lock
    // held, since its own lock comes first elsewhere.
    struct Gap {
        std::string sheet;
        int top, column, bottom;
    };
    std::vector<Gap> gaps;
    for (const CRangeArea& area : range.GetAreas()) {
        const int sheet = AddSheet(area.start.sheet);
        for (int column = area.start.column; column <= area.end.column; ++column) {
            std::map<int, int>& rows =
                usedRows_[(static_cast<uint64_t>(sheet) << 32) | static_cast<uint32_t>(column)];
            int top = area.start.row;
            const int bottom = area.end.row;
            // Walk the intervals that touch [top, bottom], taking the gaps between them, and
            // join them all into one.
            auto at = rows.upper_bound(top);
            if (at != rows.begin() && std::prev(at)->second >= top - 1)
                --at;
            int joinedTop = top;
            int joinedBottom = bottom;
            while (at != rows.end() && at->first <= bottom + 1) {
                if (at->first > top)
                    gaps.push_back({area.start.sheet, top, column, at->first - 1});
                top = std::max(top, at->second + 1);
                joinedTop = std::min(joinedTop, at->first);
                joinedBottom = std::max(joinedBottom, at->second);
                at = rows.erase(at);
            }
            if (top <= bottom)
                gaps.push_back({area.start.sheet, top, column, bottom});
            rows.emplace(joinedTop, joinedBottom);
        }
    }
    lock.unlock();
    for (const Gap& gap : gaps) {
        std::vector<int> used;
        model.ForEachCellIn(gap.sheet, gap.top, gap.column, gap.bottom, gap.column,
                            [&](int row, int) { used.push_back(row); });
        for (int row : used)
            AddCell(gap.sheet, row, gap.column);
    }
    return index;
}

void CVariableTable::ForEachNumberedCell(const CRange& range, const std::function<void(const CCellRef&)>& visit) const
{
    // Visited without the lock, so that a visitor may number cells itself.
    for (int32_t id : GetNumberedIds(range))
        if (std::optional<CCellRef> cell = GetCellAt(static_cast<std::size_t>(id)))
            visit(*cell);
}

std::vector<int32_t> CVariableTable::GetNumberedIds(const CRange& range) const
{
    std::vector<int32_t> ids;
    auto lock = Lock();
    for (const CRangeArea& area : range.GetAreas()) {
        const int sheet = FindSheet(area.start.sheet);
        if (sheet >= 0)
            cellColumns_.ForEachIn(static_cast<std::size_t>(sheet), area.start.row, area.start.column,
                                   area.end.row, area.end.column, [&](int, int, int32_t id) { ids.push_back(id); });
    }
    return ids;
}

std::vector<CVariableTable::NumberedPlace> CVariableTable::GetNumberedPlaces(const std::string& sheet, int top,
                                                                            int left, int bottom, int right) const
{
    std::vector<NumberedPlace> places;
    auto lock = Lock();
    const int index = FindSheet(sheet);
    if (index >= 0)
        cellColumns_.ForEachIn(static_cast<std::size_t>(index), top, left, bottom, right,
                               [&](int row, int column, int32_t id) { places.push_back({row, column, id}); });
    return places;
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
