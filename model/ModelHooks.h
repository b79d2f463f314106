#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The cell model and the variable table live in a higher layer. Bindings reach them only
// through this interface, which that layer installs at start-up.

namespace model {

// A range of the variable table as the model holds it. The model only keeps, compares and hands
// back these handles; the layer that owns the table derives its ranges from this class, and only
// its link looks inside them. A handle dies with its table (see GetTableGeneration).
class RangeHandle {
protected:
    RangeHandle() = default;
    RangeHandle(const RangeHandle&) = default;
    RangeHandle& operator=(const RangeHandle&) = default;
    ~RangeHandle() = default;
};

struct CellValue {
    enum Kind : std::uint8_t { kEmpty, kNumber, kText, kBoolean, kDateTime };
    std::int32_t id = -1; // the cell's variable id, -1 when the cell is not in the table
    Kind kind = kEmpty;
    std::string text;     // the value text as the model shows it
    double number = 0;    // for kNumber and kDateTime
    bool boolean = false; // for kBoolean
};

// One rectangular area of a range, cells row by row.
struct RangeArea {
    int rows = 0;
    int columns = 0;
    std::vector<CellValue> cells;
    const CellValue* At(int row, int column) const
    {
        if (row < 0 || column < 0 || row >= rows || column >= columns) {
            return nullptr;
        }
        std::size_t i = static_cast<std::size_t>(row) * columns + column;
        return i < cells.size() ? &cells[i] : nullptr;
    }
};

// A binding gives every cell of its range an element and a link, some 600 bytes and a few
// microseconds a cell: the bindings of a document bind at most this many cells together, a
// chart of eight series of 65,536 rows.
inline constexpr std::size_t kMaxBindingCells = std::size_t(1) << 19;

class IModelLink {
public:
    virtual ~IModelLink() = default;
    // The number of cells of the range, every area counted; 0 when the link cannot tell.
    virtual std::size_t CountCells(const RangeHandle& range)
    {
        (void)range;
        return 0;
    }
    // The A1 text of a range ('Sheet1'!$A$1:$B$3, areas joined by ",").
    virtual std::string GetRangeText(const RangeHandle& range) = 0;
    // The current values of the range's cells, one entry per area.
    virtual std::vector<RangeArea> ReadRange(const RangeHandle& range) = 0;
    // True when the cell holds a formula in the current cell model.
    virtual bool HasFormula(std::int32_t cellId) = 0;
    // Position of an equal range in the variable table, or -1.
    virtual int FindRange(const RangeHandle& range) = 0;
    // The table's range at index, or null for an index that is not in the table.
    virtual const RangeHandle* GetRange(int index) = 0;
    // A rectangle of one area of range as a range of the table (added when new), or null when
    // the rectangle is empty or outside the area.
    virtual const RangeHandle* MakeSubRange(const RangeHandle& range, int area, int row, int column, int rows,
                                       int columns) = 0;
    // A range of the table whose areas are those of the given ranges, in their order (added
    // when new); null when none is given or the link cannot make one.
    virtual const RangeHandle* MakeUnionRange(const std::vector<const RangeHandle*>& ranges)
    {
        (void)ranges;
        return nullptr;
    }
    // Every change of what is bound to the model invalidates the compiled links.
    virtual void ModelLinksChanged() = 0;
    // Ranges belong to the variable table and die with it. This number must change whenever
    // the table is cleared or replaced (and never return to an earlier value), so that a
    // binding can tell that the range it remembers is gone and stop using it.
    virtual std::uint64_t GetTableGeneration() = 0;
};

// The installed link, or a stand-in that knows no cells and no ranges.
IModelLink& GetModelLink();
// Borrowed; the installer keeps it alive until it resets the link.
void SetModelLink(IModelLink* link);
void ResetModelLink();

} // namespace model
