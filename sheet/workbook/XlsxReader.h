#pragma once

#include "sheet/workbook/XlsxPackage.h"
#include "sheet/workbook/XlsxWorkbook.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

// Reads an Office Open XML workbook (.xlsx, .xlsm) into plain data. Every failure is a
// WorkbookError whose text says which part and which cell; nothing is returned half-read.
namespace sheet::xlsx {

// Longest texts the workbook format allows: a cell's value and a number format code.
inline constexpr std::size_t kMaxCellTextChars = 32767;
inline constexpr std::size_t kMaxFormatCodeChars = 255;

struct ReadOptions {
    PackageLimits limits;
    // What the read may hold at once: the cells, shared strings and number formats kept, and
    // the XML tree of the part being parsed (estimated before it is parsed). Reading fails
    // as soon as the next part or cell would go beyond it.
    std::uint64_t maxMemoryBytes = 512ull << 20;
    // Set from another thread to give up early; the reader then throws ReadCancelled.
    const std::atomic<bool>* cancel = nullptr;
    // Threads a sheet of many rows is read on (0: one per processor this process may use).
    unsigned threads = 0;
};

class ReadCancelled : public std::exception {
public:
    const char* what() const noexcept override { return "workbook reading cancelled"; }
};

// Options whose bounds follow a memory budget, in bytes, rather than their defaults: a larger
// budget reads a larger workbook, a smaller one refuses a workbook sooner.
ReadOptions ReadOptionsWithin(std::uint64_t budgetBytes);

Workbook ReadWorkbook(std::vector<std::uint8_t> bytes, const ReadOptions& options = {});
Workbook ReadWorkbookFile(const std::string& path, const ReadOptions& options = {});

// Where each sheet lives in a package, for code that edits parts in place.
struct SheetLocation {
    std::string name;
    std::string partName;
};
std::string FindWorkbookPart(Package& package);
std::vector<SheetLocation> LocateSheets(Package& package);

} // namespace sheet::xlsx
