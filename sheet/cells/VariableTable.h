#pragma once

#include "sheet/cells/CellRef.h"
#include "sheet/cells/ColumnIndex.h"
#include "sheet/cells/KeyIndex.h"
#include "sheet/cells/NameDictionary.h"
#include "sheet/cells/Range.h"

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
#include <vector>

namespace base {
class RecordReader;
} // namespace base
class CCellModel;

// The cells, ranges and defined names that formulas and bindings refer to. A cell's id is
// its index in the cell list and a range's movie array "A" + index its index in the range
// list; both lists only grow until Clear, so ids handed out stay valid. Every operation
// locks the table's own mutex (recursive, so a caller may hold Lock() around several calls).
class CVariableTable {
public:
    CVariableTable() = default;
    CVariableTable(const CVariableTable&) = delete;
    CVariableTable& operator=(const CVariableTable&) = delete;

    void Clear();
    // Reads the record a document keeps (docs/sheet-records.md) into an empty table; throws
    // ModelError on a damaged record.
    void Load(base::RecordReader& in);
    std::unique_lock<std::recursive_mutex> Lock() const { return std::unique_lock(mutex_); }

    // The id of the cell, adding it when the table does not hold it yet; -1 when the
    // place lies outside the sheet.
    int32_t AddCell(const std::string& sheet, int row, int column);
    // -1 when the table does not hold the cell.
    int32_t FindCell(const std::string& sheet, int row, int column) const;
    // A copy of the cell at that position of the cell list; none past the end.
    std::optional<CCellRef> GetCellAt(std::size_t index) const;
    std::size_t GetCellCount() const;

    // The ranges whose every cell AddRange numbers together hold at most this many cells, so
    // that no document, however many bound ranges it names, makes the table grow without bound.
    static constexpr std::size_t kMaxRangeCells = 1u << 22;

    // Stores a copy of the range unless an equal range is stored, and numbers every cell of it
    // (through AddCell): the ranges components and connections write to. Returns the stored
    // range's index and tells through added whether it was new; -1 (nothing stored) when its
    // cells would take the table past kMaxRangeCells.
    int AddRange(const CRange& range, bool* added = nullptr);
    // The same for a range a formula reads: only the cells the model holds inside its areas are
    // numbered (an empty cell reads as empty without a variable), so a range costs what it
    // covers, not its written size. No limit but memory.
    int AddFormulaRange(const CRange& range, const CCellModel& model, bool* added = nullptr);
    // Stores the range as it is, numbering nothing: a table read back from a document, whose
    // cells come with it. -1 when it is not new.
    int StoreRange(const CRange& range);
    // visit(cell) for every cell of the range that the table numbers, with its id, area after
    // area in reading order; in time of the cells found, not of the range's size.
    void ForEachNumberedCell(const CRange& range, const std::function<void(const CCellRef&)>& visit) const;
    // The ids of the same cells, in the same order.
    std::vector<int32_t> GetNumberedIds(const CRange& range) const;
    struct NumberedPlace {
        int row;
        int column;
        int32_t id;
    };
    // The cells the table numbers inside one area of the sheet, in reading order.
    std::vector<NumberedPlace> GetNumberedPlaces(const std::string& sheet, int top, int left, int bottom,
                                                 int right) const;
    // The stored range with that index; none for an index outside the list.
    const CRange* GetRange(std::size_t index) const;
    // The index of the stored range equal to the given one, -1 for none.
    int FindRange(const CRange& range) const;
    // The same by the range's text (CRange::GetText), without building the range.
    int FindRangeText(const std::string& text) const;
    std::size_t GetRangeCount() const;

    // Defined names of the workbook: a name and what it stands for, as formula text without
    // the leading "=" (usually a reference such as Sheet1!$A$1:$A$4). Names compare
    // case-insensitively, as the workbook's do.
    void SetName(const std::string& name, const std::string& definition);
    std::optional<std::string> FindName(std::string_view name) const;
    // Name (as last set) and definition, in ascending order of the upper-cased name.
    std::vector<std::pair<std::string, std::string>> GetNames() const;

private:
    int FindSheet(const std::string& sheet) const;
    // The sheet's index, given it when the table meets the sheet first.
    int AddSheet(const std::string& sheet);

    mutable std::recursive_mutex mutex_;
    // A cell is kept as its place key alone (cellKeys_): the sheet's index and the names by it.
    std::unordered_map<std::string, int> sheetIndexes_;
    std::vector<std::string> sheetNames_;
    // The sheet found last (a key of sheetIndexes_) and its index.
    mutable const std::string* lastSheet_ = nullptr;
    mutable int lastSheetIndex_ = -1;
    // The place key of each cell, by id, and the index that finds an id by key.
    std::vector<std::uint64_t> cellKeys_;
    sheet::KeyIndex cellIndex_;
    // The place of each cell by sheet index and column, for the cells of an area.
    mutable CColumnIndex<int32_t> cellColumns_;
    std::vector<std::unique_ptr<CRange>> ranges_;
    // Per range: its used cells have been numbered against the model (AddFormulaRange).
    std::vector<bool> usedNumbered_;
    // Per range: every cell has been numbered (AddRange).
    std::vector<bool> allNumbered_;
    // Rows of a column (by sheet index and column) whose used cells are numbered, as intervals
    // first row -> last row: ranges that overlap (a running total's) number each cell once.
    std::unordered_map<uint64_t, std::map<int, int>> usedRows_;
    std::unordered_map<std::string, int> rangeIndexes_;
    std::size_t rangeCells_ = 0;
    sheet::NameDictionary names_;
};
