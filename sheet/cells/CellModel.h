#pragma once

#include "sheet/cells/CellRef.h"
#include "sheet/cells/CellStore.h"
#include "sheet/cells/CellType.h"
#include "sheet/cells/ColumnIndex.h"
#include "sheet/cells/NameDictionary.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class CModelVariable;
namespace base {
class RecordReader;
} // namespace base
class CVariableTable;
struct FormulaError;

// What the import stores for one cell. valueText holds numbers in C-locale form ("3.5"),
// booleans as "TRUE"/"FALSE", errors as their literal ("#N/A"); formula is without "=".
struct CCellData {
    std::string valueText;
    std::string typeName;
    std::string formula;
    bool changed = false;
    // A cell of an array formula's area (each holds the formula): its offsets from the area's
    // top-left cell, the element of the result it takes.
    bool array = false;
    int arrayRow = 0;
    int arrayColumn = 0;
};

// The imported cells keyed by sheet, row and column, the workbook's sheets and defined
// names, and the named locale values ("KVDecimalSeparator", "KVSDAYNAME1", ...). The import
// worker fills it while the user-interface thread may read it: every operation takes the
// model's recursive mutex, and Lock() lets a caller keep it across several operations.
class CCellModel {
public:
    CCellModel();
    ~CCellModel();
    CCellModel(const CCellModel&) = delete;
    CCellModel& operator=(const CCellModel&) = delete;

    std::unique_lock<std::recursive_mutex> Lock() const { return std::unique_lock(mutex_); }

    // Sheets in workbook order; cells of a sheet not added yet add it at the end.
    void AddSheet(const std::string& name);
    std::vector<std::string> GetSheetNames() const;
    // The stored spelling of a sheet name given in any letter case; none when unknown.
    std::optional<std::string> FindSheet(std::string_view name) const;
    // The last row and column holding a cell (0 when the sheet is empty or unknown).
    int GetLastRow(const std::string& sheet) const;
    // The rows the workbook hides, which SUBTOTAL's forms 101 to 111 leave out, as runs of
    // rows (first, last; 1-based): kept apart, ascending and joined where they touch, so a
    // sheet hidden whole costs one run. Setting them adds the sheet; rows outside it drop.
    using RowRuns = std::vector<std::pair<int, int>>;
    void SetHiddenRows(const std::string& sheet, RowRuns runs);
    RowRuns GetHiddenRows(const std::string& sheet) const;
    int GetLastColumn(const std::string& sheet) const;

    // False (nothing stored) for a place outside the sheet.
    bool SetCell(const std::string& sheet, int row, int column, CCellData data);
    std::optional<CCellData> GetCell(const std::string& sheet, int row, int column) const;
    std::optional<CCellData> GetCell(const CCellRef& cell) const
    {
        return GetCell(cell.sheet, cell.row, cell.column);
    }
    std::size_t GetCellCount() const;
    // Makes room for this many cells in all, for an import that knows how many it brings.
    void ReserveCells(std::size_t count);
    // Every cell in order of sheet name, row and column, under the lock.
    void ForEachCell(const std::function<void(const CCellRef&, const CCellData&)>& visit) const;

    // visit(row, column) for every cell the model holds inside the area of the sheet, in reading
    // order; in time of the cells found, not of the area's size.
    void ForEachCellIn(const std::string& sheet, int top, int left, int bottom, int right,
                       const std::function<void(int, int)>& visit) const;

    bool HasFormula(const CCellRef& cell) const;
    // For a cell of an array formula's area, its offsets from the area's top-left cell.
    std::optional<std::pair<int, int>> GetArrayPlace(const CCellRef& cell) const;
    // The cell's formula as an expression tree whose cells and ranges are entered into the
    // table. None when the cell is missing or has no formula, or when the formula cannot be
    // parsed (then error, when given, says why).
    std::unique_ptr<CModelVariable> ParseCellFormula(const CCellRef& cell, CVariableTable& table,
                                                     FormulaError* error = nullptr) const;
    // The cell's value as a constant: string, boolean or number by its stored type; none when
    // the cell is missing or holds no value. An error value becomes its text.
    std::unique_ptr<CModelVariable> MakeConstantNode(const CCellRef& cell) const;
    void ClearChangedFlags();

    // Defined names of the workbook (name to reference or formula text, without "=").
    void SetDefinedName(const std::string& name, const std::string& definition);
    std::optional<std::string> FindDefinedName(std::string_view name) const;
    // Name (as first given) and definition, in ascending order of the upper-cased name.
    std::vector<std::pair<std::string, std::string>> GetDefinedNames() const;

    void SetNamedValue(const std::string& name, const std::string& value);
    std::optional<std::string> GetNamedValue(const std::string& name) const;
    // In ascending order of name.
    std::map<std::string, std::string> GetNamedValues() const;

    // Reads the record a document keeps (docs/sheet-records.md) into an empty model; throws
    // ModelError on a damaged record.
    void Load(base::RecordReader& in);

    // False until an import has finished.
    bool IsLoaded() const;
    void SetLoaded(bool loaded);

private:
    struct SheetInfo {
        std::string name;
        int lastRow = 0;
        int lastColumn = 0;
        RowRuns hiddenRows{};
    };
    // Hashes a name given as any kind of string without copying it.
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
    };
    std::optional<sheet::StoredCell> FindCell(std::string_view sheet, int row, int column) const;
    std::optional<std::size_t> FindSheetIndex(std::string_view name) const;
    SheetInfo* FindSheetInfo(std::string_view name);
    const SheetInfo* FindSheetInfo(std::string_view name) const;
    SheetInfo& AddSheetInfo(const std::string& name);

    mutable std::recursive_mutex mutex_;
    // Hashed rather than ordered: publishing looks every cell up several times, and only a
    // walk over all cells needs their order, which is the order stored when the cells came in
    // row by row, and is sorted otherwise. Packed: a large workbook is mostly this.
    sheet::CellStore cells_;
    std::vector<SheetInfo> sheets_;
    // Position in sheets_ by upper-cased name: workbooks may hold tens of thousands of sheets.
    std::unordered_map<std::string, std::size_t> sheetIndex_;
    // The same by the stored spelling, which is how callers almost always name a sheet.
    std::unordered_map<std::string, std::size_t, NameHash, std::equal_to<>> exactSheetIndex_;
    // The places of cells_ by column, made at the first area lookup after a change.
    mutable CColumnIndex<char> columns_;
    mutable bool columnsStale_ = true;
    // The sheet the last lookup by stored spelling found (written under the lock).
    mutable std::size_t lastSheet_ = SIZE_MAX;
    sheet::NameDictionary definedNames_;
    std::map<std::string, std::string> namedValues_;
    bool loaded_ = false;
};
