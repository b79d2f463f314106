#pragma once

#include "sheet/cells/CellType.h"

#include <cstdint>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <utility>
#include <vector>

// What the workbook reader takes out of a package: plain values, no behaviour. Rows and
// columns are 0-based here; A1 texts are 1-based.
namespace sheet::xlsx {

struct Area {
    std::uint32_t firstRow = 0;
    std::uint32_t firstColumn = 0;
    std::uint32_t lastRow = 0;
    std::uint32_t lastColumn = 0;

    bool operator==(const Area&) const = default;
};

struct Cell {
    std::uint32_t row = 0;
    std::uint32_t column = 0;
    CellType type = CellType::Empty;
    double number = 0;
    std::string text;
    // Without the leading "="; shared formulas are expanded to this cell's own text. Every
    // listed cell of an array formula's area carries its text, and arrayRange the area (the
    // cell at its top-left corner is the one the workbook gave the text).
    std::string formula;
    std::optional<Area> arrayRange;
    std::uint32_t numFmtId = 0;
    std::string formatCode; // "General" when the cell has no number format of its own
    bool isDate = false;    // the format shows a date or a time

    bool HasFormula() const { return !formula.empty(); }
};

// The allocator of a sheet's list of cells: std::allocator, except that while an Unmade lives
// on a thread, growing a list on it leaves the new places unmade, for the reader to make the
// cells of a large sheet on every processor instead of all on one before its pieces are read.
// Whoever grows a list so makes every new place (placement new) before anything else uses it.
template <class T>
struct CellListAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = CellListAllocator<U>;
    };
    CellListAllocator() = default;
    template <class U>
    CellListAllocator(const CellListAllocator<U>&) noexcept
    {
    }

    struct Unmade {
        Unmade() { unmade = true; }
        ~Unmade() { unmade = false; }
        Unmade(const Unmade&) = delete;
        Unmade& operator=(const Unmade&) = delete;
    };

    template <class U, class... Args>
    void construct(U* place, Args&&... args)
    {
        if constexpr (sizeof...(Args) == 0)
            if (unmade)
                return;
        ::new (static_cast<void*>(place)) U(std::forward<Args>(args)...);
    }

private:
    static inline thread_local bool unmade = false;
};

struct Sheet {
    std::string name;
    std::string partName; // package part that holds it, e.g. "xl/worksheets/sheet1.xml"
    bool hidden = false;
    bool isProtected = false;
    std::optional<Area> usedRange; // none for a sheet without cells
    std::vector<Cell, CellListAllocator<Cell>> cells; // row by row, left to right, each place once
    std::vector<std::uint32_t> hiddenRows{}; // ascending, each once

    const Cell* FindCell(std::uint32_t row, std::uint32_t column) const;
};

struct DefinedName {
    std::string name;
    std::string formula; // as stored, e.g. "Inputs!$B$1"
    int localSheet = -1; // index into the sheets, -1 for a workbook-wide name
    bool hidden = false;
};

struct Workbook {
    std::vector<Sheet> sheets;
    std::vector<DefinedName> names;
    bool date1904 = false;
    // The workbook's calculation is set to iterate circular references.
    bool iterate = false;
    // How often it repeats the calculation at most, and the change under which it stops.
    int iterateCount = 100;
    double iterateDelta = 0.001;

    const Sheet* FindSheet(const std::string& name) const; // case-insensitive, as the program
    std::size_t CellCount() const;
    std::size_t FormulaCount() const;
};

} // namespace sheet::xlsx
