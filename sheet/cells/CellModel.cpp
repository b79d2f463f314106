#include "sheet/cells/CellModel.h"

#include "sheet/AsciiCase.h"
#include "sheet/formula/CallingConvention.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/formula/FormulaScanner.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/cells/VariableTable.h"

#include <algorithm>
#include <charconv>

CCellModel::CCellModel() = default;
CCellModel::~CCellModel() = default;

std::optional<std::size_t> CCellModel::FindSheetIndex(std::string_view name) const
{
    // Lookups come in runs on one sheet: comparing the name is cheaper than hashing it.
    if (lastSheet_ < sheets_.size() && sheets_[lastSheet_].name == name)
        return lastSheet_;
    auto exact = exactSheetIndex_.find(name);
    if (exact != exactSheetIndex_.end()) {
        lastSheet_ = exact->second;
        return exact->second;
    }
    // No two sheets differ only in case, so the folded name finds the one sheet.
    auto it = sheetIndex_.find(sheet::UpperAscii(name));
    if (it == sheetIndex_.end())
        return std::nullopt;
    return it->second;
}

CCellModel::SheetInfo* CCellModel::FindSheetInfo(std::string_view name)
{
    std::optional<std::size_t> index = FindSheetIndex(name);
    return index ? &sheets_[*index] : nullptr;
}

CCellModel::SheetInfo& CCellModel::AddSheetInfo(const std::string& name)
{
    sheetIndex_.emplace(sheet::UpperAscii(name), sheets_.size());
    exactSheetIndex_.emplace(name, sheets_.size());
    sheets_.push_back(SheetInfo{name});
    return sheets_.back();
}

const CCellModel::SheetInfo* CCellModel::FindSheetInfo(std::string_view name) const
{
    return const_cast<CCellModel*>(this)->FindSheetInfo(name);
}

std::optional<sheet::StoredCell> CCellModel::FindCell(std::string_view sheet, int row, int column) const
{
    // The workbook ignores the case of sheet names; cells are kept under the stored spelling.
    std::optional<std::size_t> index = FindSheetIndex(sheet);
    if (!index || row < 1 || row > kMaxSheetRow || column < 1 || column > kMaxSheetColumn)
        return std::nullopt;
    return cells_.Find(CellPlaceKey(*index, row, column));
}

void CCellModel::AddSheet(const std::string& name)
{
    auto lock = Lock();
    if (!FindSheetInfo(name))
        AddSheetInfo(name);
}

std::vector<std::string> CCellModel::GetSheetNames() const
{
    auto lock = Lock();
    std::vector<std::string> names;
    for (const SheetInfo& info : sheets_)
        names.push_back(info.name);
    return names;
}

std::optional<std::string> CCellModel::FindSheet(std::string_view name) const
{
    auto lock = Lock();
    const SheetInfo* info = FindSheetInfo(name);
    if (!info)
        return std::nullopt;
    return info->name;
}

int CCellModel::GetLastRow(const std::string& sheet) const
{
    auto lock = Lock();
    const SheetInfo* info = FindSheetInfo(sheet);
    return info ? info->lastRow : 0;
}

void CCellModel::SetHiddenRows(const std::string& sheet, RowRuns runs)
{
    std::erase_if(runs, [](const std::pair<int, int>& run) { return run.second < 1 || run.first > run.second; });
    std::sort(runs.begin(), runs.end());
    RowRuns joined;
    for (auto [first, last] : runs) {
        first = std::max(first, 1);
        if (first > kMaxSheetRow)
            break;
        last = std::min(last, kMaxSheetRow);
        if (!joined.empty() && first <= joined.back().second + 1)
            joined.back().second = std::max(joined.back().second, last);
        else
            joined.emplace_back(first, last);
    }
    joined.shrink_to_fit();
    auto lock = Lock();
    SheetInfo* info = FindSheetInfo(sheet);
    if (!info)
        info = &AddSheetInfo(sheet);
    info->hiddenRows = std::move(joined);
}

CCellModel::RowRuns CCellModel::GetHiddenRows(const std::string& sheet) const
{
    auto lock = Lock();
    const SheetInfo* info = FindSheetInfo(sheet);
    return info ? info->hiddenRows : RowRuns{};
}

int CCellModel::GetLastColumn(const std::string& sheet) const
{
    auto lock = Lock();
    const SheetInfo* info = FindSheetInfo(sheet);
    return info ? info->lastColumn : 0;
}

bool CCellModel::SetCell(const std::string& sheet, int row, int column, CCellData data)
{
    if (row < 1 || row > kMaxSheetRow || column < 1 || column > kMaxSheetColumn)
        return false;
    auto lock = Lock();
    SheetInfo* info = FindSheetInfo(sheet);
    if (!info)
        info = &AddSheetInfo(sheet);
    info->lastRow = std::max(info->lastRow, row);
    info->lastColumn = std::max(info->lastColumn, column);
    const std::size_t before = cells_.Size();
    cells_.Set(CellPlaceKey(static_cast<std::size_t>(info - sheets_.data()), row, column), data);
    columnsStale_ = columnsStale_ || cells_.Size() != before;
    return true;
}

std::optional<CCellData> CCellModel::GetCell(const std::string& sheet, int row, int column) const
{
    auto lock = Lock();
    const std::optional<sheet::StoredCell> stored = FindCell(sheet, row, column);
    if (!stored)
        return std::nullopt;
    CCellData data;
    stored->CopyTo(data);
    return data;
}

void CCellModel::ForEachCellIn(const std::string& sheet, int top, int left, int bottom, int right,
                               const std::function<void(int, int)>& visit) const
{
    auto lock = Lock();
    std::optional<std::size_t> index = FindSheetIndex(sheet);
    if (!index)
        return;
    if (columnsStale_) {
        columns_.Clear();
        for (std::size_t i = 0; i < cells_.Size(); ++i) {
            const std::uint64_t key = cells_.KeyAt(i);
            columns_.Add(CellPlaceSheet(key), CellPlaceRow(key), CellPlaceColumn(key), 0);
        }
        columnsStale_ = false;
    }
    columns_.ForEachIn(*index, top, left, bottom, right, [&](int row, int column, char) { visit(row, column); });
}

std::optional<std::pair<int, int>> CCellModel::GetArrayPlace(const CCellRef& cell) const
{
    auto lock = Lock();
    const std::optional<sheet::StoredCell> data = FindCell(cell.sheet, cell.row, cell.column);
    if (!data || !data->array)
        return std::nullopt;
    return std::make_pair(data->arrayRow, data->arrayColumn);
}

std::size_t CCellModel::GetCellCount() const
{
    auto lock = Lock();
    return cells_.Size();
}

void CCellModel::ReserveCells(std::size_t count)
{
    auto lock = Lock();
    cells_.Reserve(count);
}

void CCellModel::ForEachCell(const std::function<void(const CCellRef&, const CCellData&)>& visit) const
{
    auto lock = Lock();
    // Sheets by name, then rows and columns: keys in which the sheet's place in name order
    // stands for the sheet sort the cells into that order.
    std::vector<std::size_t> byName(sheets_.size());
    for (std::size_t i = 0; i < byName.size(); ++i)
        byName[i] = i;
    std::sort(byName.begin(), byName.end(),
              [this](std::size_t a, std::size_t b) { return sheets_[a].name < sheets_[b].name; });
    std::vector<std::size_t> rank(sheets_.size());
    for (std::size_t i = 0; i < byName.size(); ++i)
        rank[byName[i]] = i;
    // Sheets added in name order with cells stored in order: the store's order is the one.
    bool storeOrder = cells_.InKeyOrder();
    for (std::size_t i = 0; i < rank.size(); ++i)
        storeOrder = storeOrder && rank[i] == i;
    CCellData data;
    if (storeOrder) {
        for (std::size_t i = 0; i < cells_.Size(); ++i) {
            const std::uint64_t key = cells_.KeyAt(i);
            cells_.CellAt(i).CopyTo(data);
            visit(CCellRef(sheets_[CellPlaceSheet(key)].name, CellPlaceRow(key), CellPlaceColumn(key)), data);
        }
        return;
    }
    std::vector<std::pair<std::uint64_t, std::size_t>> ordered;
    ordered.reserve(cells_.Size());
    for (std::size_t i = 0; i < cells_.Size(); ++i) {
        const std::uint64_t key = cells_.KeyAt(i);
        ordered.emplace_back(CellPlaceKey(rank[CellPlaceSheet(key)], CellPlaceRow(key), CellPlaceColumn(key)), i);
    }
    std::sort(ordered.begin(), ordered.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [key, i] : ordered) {
        cells_.CellAt(i).CopyTo(data);
        visit(CCellRef(sheets_[byName[CellPlaceSheet(key)]].name, CellPlaceRow(key), CellPlaceColumn(key)), data);
    }
}

bool CCellModel::HasFormula(const CCellRef& cell) const
{
    auto lock = Lock();
    const std::optional<sheet::StoredCell> data = FindCell(cell.sheet, cell.row, cell.column);
    return data && !data->formula.empty();
}

std::unique_ptr<CModelVariable> CCellModel::ParseCellFormula(const CCellRef& cell, CVariableTable& table,
                                                             FormulaError* error) const
{
    std::string formula;
    {
        auto lock = Lock();
        const std::optional<sheet::StoredCell> data = FindCell(cell.sheet, cell.row, cell.column);
        if (!data || data->formula.empty()) {
            if (error)
                *error = FormulaError{"the cell holds no formula", 0};
            return nullptr;
        }
        formula.assign(data->formula);
    }
    FormulaContext context;
    context.sheet = cell.sheet;
    context.table = &table;
    context.model = this;
    context.row = cell.row;
    context.column = cell.column;
    return CFormulaParser::Parse(formula, context, error);
}

std::unique_ptr<CModelVariable> CCellModel::MakeConstantNode(const CCellRef& cell) const
{
    auto lock = Lock();
    const std::optional<sheet::StoredCell> data = FindCell(cell.sheet, cell.row, cell.column);
    if (!data || (data->valueText.empty() && data->typeName != CellTypeName(CellType::Text)))
        return nullptr;
    if (data->typeName == CellTypeName(CellType::Number) || data->typeName == CellTypeName(CellType::DateTime)) {
        double value = 0;
        const char* first = data->valueText.data();
        const char* last = first + data->valueText.size();
        auto result = std::from_chars(first, last, value);
        if (result.ec == std::errc() && result.ptr == last)
            return CModelVariable::MakeNumber(value);
    } else if (data->typeName == CellTypeName(CellType::Error)) {
        // An error typed into a cell spreads through the formulas that read it, as the
        // error value itself; its text would stop IFERROR and ISNA from seeing it.
        if (IsErrorLiteral(data->valueText)) {
            auto error = CModelVariable::MakeFunction(std::string(callconv::kErrorFunction));
            error->AddChild(CModelVariable::CModelVariableFromText(std::string(data->valueText)));
            return error;
        }
    } else if (data->typeName == CellTypeName(CellType::Boolean)) {
        if (sheet::EqualNoCaseAscii(data->valueText, "TRUE") || data->valueText == "1")
            return CModelVariable::MakeBoolean(true);
        if (sheet::EqualNoCaseAscii(data->valueText, "FALSE") || data->valueText == "0")
            return CModelVariable::MakeBoolean(false);
    }
    return CModelVariable::CModelVariableFromText(std::string(data->valueText));
}

void CCellModel::ClearChangedFlags()
{
    auto lock = Lock();
    cells_.ClearChangedFlags();
}

void CCellModel::SetDefinedName(const std::string& name, const std::string& definition)
{
    auto lock = Lock();
    definedNames_.Set(name, definition);
}

std::optional<std::string> CCellModel::FindDefinedName(std::string_view name) const
{
    auto lock = Lock();
    return definedNames_.Find(name);
}

std::vector<std::pair<std::string, std::string>> CCellModel::GetDefinedNames() const
{
    auto lock = Lock();
    return definedNames_.List();
}

void CCellModel::SetNamedValue(const std::string& name, const std::string& value)
{
    auto lock = Lock();
    namedValues_[name] = value;
}

std::optional<std::string> CCellModel::GetNamedValue(const std::string& name) const
{
    auto lock = Lock();
    auto it = namedValues_.find(name);
    if (it == namedValues_.end())
        return std::nullopt;
    return it->second;
}

std::map<std::string, std::string> CCellModel::GetNamedValues() const
{
    auto lock = Lock();
    return namedValues_;
}

bool CCellModel::IsLoaded() const
{
    auto lock = Lock();
    return loaded_;
}

void CCellModel::SetLoaded(bool loaded)
{
    auto lock = Lock();
    loaded_ = loaded;
}
