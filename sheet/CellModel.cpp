#include "sheet/CellModel.h"

#include "sheet/AsciiCase.h"
#include "sheet/FormulaParser.h"
#include "sheet/ModelVariable.h"
#include "sheet/VariableTable.h"

#include <algorithm>
#include <charconv>

CCellModel::CCellModel() = default;
CCellModel::~CCellModel() = default;

bool CCellModel::Key::operator<(const Key& other) const
{
    if (sheet != other.sheet)
        return sheet < other.sheet;
    if (row != other.row)
        return row < other.row;
    return column < other.column;
}

CCellModel::SheetInfo* CCellModel::FindSheetInfo(std::string_view name)
{
    // No two sheets differ only in case, so the folded name finds the one sheet.
    auto it = sheetIndex_.find(sheet::UpperAscii(name));
    return it == sheetIndex_.end() ? nullptr : &sheets_[it->second];
}

CCellModel::SheetInfo& CCellModel::AddSheetInfo(const std::string& name)
{
    sheetIndex_.emplace(sheet::UpperAscii(name), sheets_.size());
    sheets_.push_back(SheetInfo{name});
    return sheets_.back();
}

const CCellModel::SheetInfo* CCellModel::FindSheetInfo(std::string_view name) const
{
    return const_cast<CCellModel*>(this)->FindSheetInfo(name);
}

std::map<CCellModel::Key, CCellData>::const_iterator CCellModel::FindCell(const std::string& sheet, int row,
                                                                          int column) const
{
    auto it = cells_.find(Key{sheet, row, column});
    if (it != cells_.end())
        return it;
    // The workbook ignores the case of sheet names; cells are kept under the stored spelling.
    const SheetInfo* info = FindSheetInfo(sheet);
    if (!info || info->name == sheet)
        return cells_.end();
    return cells_.find(Key{info->name, row, column});
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
    cells_[Key{info->name, row, column}] = std::move(data);
    return true;
}

std::optional<CCellData> CCellModel::GetCell(const std::string& sheet, int row, int column) const
{
    auto lock = Lock();
    auto it = FindCell(sheet, row, column);
    if (it == cells_.end())
        return std::nullopt;
    return it->second;
}

std::size_t CCellModel::GetCellCount() const
{
    auto lock = Lock();
    return cells_.size();
}

void CCellModel::ForEachCell(const std::function<void(const CCellRef&, const CCellData&)>& visit) const
{
    auto lock = Lock();
    for (const auto& [key, data] : cells_)
        visit(CCellRef(key.sheet, key.row, key.column), data);
}

bool CCellModel::HasFormula(const CCellRef& cell) const
{
    auto lock = Lock();
    auto it = FindCell(cell.sheet, cell.row, cell.column);
    return it != cells_.end() && !it->second.formula.empty();
}

std::unique_ptr<CModelVariable> CCellModel::ParseCellFormula(const CCellRef& cell, CVariableTable& table,
                                                             FormulaError* error) const
{
    std::string formula;
    {
        auto lock = Lock();
        auto it = FindCell(cell.sheet, cell.row, cell.column);
        if (it == cells_.end() || it->second.formula.empty()) {
            if (error)
                *error = FormulaError{"the cell holds no formula", 0};
            return nullptr;
        }
        formula = it->second.formula;
    }
    FormulaContext context;
    context.sheet = cell.sheet;
    context.table = &table;
    context.model = this;
    return CFormulaParser::Parse(formula, context, error);
}

std::unique_ptr<CModelVariable> CCellModel::MakeConstantNode(const CCellRef& cell) const
{
    std::optional<CCellData> data = GetCell(cell);
    if (!data || (data->valueText.empty() && data->typeName != CellType::Text))
        return nullptr;
    if (data->typeName == CellType::Number || data->typeName == CellType::DateTime) {
        double value = 0;
        const char* first = data->valueText.data();
        const char* last = first + data->valueText.size();
        auto result = std::from_chars(first, last, value);
        if (result.ec == std::errc() && result.ptr == last)
            return CModelVariable::MakeNumber(value);
    } else if (data->typeName == CellType::Boolean) {
        if (sheet::EqualNoCaseAscii(data->valueText, "TRUE") || data->valueText == "1")
            return CModelVariable::MakeBoolean(true);
        if (sheet::EqualNoCaseAscii(data->valueText, "FALSE") || data->valueText == "0")
            return CModelVariable::MakeBoolean(false);
    }
    return CModelVariable::CModelVariableFromText(data->valueText);
}

void CCellModel::ClearChangedFlags()
{
    auto lock = Lock();
    for (auto& entry : cells_)
        entry.second.changed = false;
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
