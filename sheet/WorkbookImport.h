#pragma once

#include "sheet/XlsxWorkbook.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>

class CCellModel;

namespace sheet {

// The longest formula a workbook may hold; a longer one is not a formula we can read.
inline constexpr std::size_t kMaxFormulaLength = 8192;

enum class FillOutcome { Done, FormulaFailed, Stopped };

struct FillResult {
    FillOutcome outcome = FillOutcome::Done;
    std::string failedItem; // A1 text of the cell whose formula could not be taken
};

struct FillOptions {
    const std::atomic<bool>* stop = nullptr;
    // Called with the number of cells stored so far, about a hundred times per import.
    std::function<void(std::size_t)> progress;
};

// Stores the workbook's sheets, cells, defined names and the locale values in the model, and
// marks it loaded when every cell went in. Formula failures are found before anything is
// stored, so a failed or stopped fill leaves at most the cells stored before the stop.
FillResult FillCellModel(const xlsx::Workbook& workbook, CCellModel& model, const FillOptions& options = {});

// The text a cell's value is stored as: numbers in their shortest C-locale form, booleans as
// TRUE or FALSE, errors as their literal.
std::string CellValueText(const xlsx::Cell& cell);

} // namespace sheet
