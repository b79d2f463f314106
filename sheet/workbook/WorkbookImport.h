#pragma once

#include "sheet/workbook/XlsxWorkbook.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class CCellModel;

namespace sheet {

enum class FillOutcome { Done, FormulaFailed, Stopped };

// A formula left out because it cannot be read (a function defined in the workbook, a link
// to another workbook, a table reference): its cell keeps the value the file stored.
struct UnreadFormula {
    std::string cell;   // "Sheet1!B7"
    std::string reason; // why, for the user
};

struct FillResult {
    FillOutcome outcome = FillOutcome::Done;
    std::string failedItem; // A1 text of the cell whose formula could not be taken
    std::string failure;    // why, for the user
    std::vector<UnreadFormula> unreadFormulas; // with keepUnreadFormulas, in workbook order
};

// The failure in words, naming the cell once: the reason names it already when it can.
inline std::string FailureText(const FillResult& result)
{
    if (result.failedItem.empty() || result.failure.find(result.failedItem) != std::string::npos)
        return result.failure;
    return result.failedItem + ": " + result.failure;
}

struct FillOptions {
    const std::atomic<bool>* stop = nullptr;
    // Called with the number of cells stored so far, about a hundred times per import.
    std::function<void(std::size_t)> progress;
    // A formula that cannot be read leaves its cell a constant of the value the file stored
    // (listed in the result) instead of refusing the workbook.
    bool keepUnreadFormulas = false;
};

// Stores the workbook's sheets, cells, defined names and the locale values in the model, and
// marks it loaded when every cell went in. Every formula is read before anything is stored,
// so a formula failure leaves the model unchanged (unless keepUnreadFormulas; a workbook whose
// formulas spend the whole reading budget is refused even then); a stopped fill leaves at most the cells
// stored before the stop.
FillResult FillCellModel(const xlsx::Workbook& workbook, CCellModel& model, const FillOptions& options = {});
// The same for a workbook the caller has no more use for: its texts and formulas are moved
// into the model rather than copied, so they are held once.
FillResult FillCellModel(xlsx::Workbook&& workbook, CCellModel& model, const FillOptions& options = {});

// The cells the fill stores (those with a value or a formula; cells listed only for their
// format are left out): the step count of an import.
std::size_t StoredCellCount(const xlsx::Workbook& workbook);
// The text a cell's value is stored as: numbers in their shortest C-locale form, booleans as
// TRUE or FALSE, errors as their literal.
std::string CellValueText(const xlsx::Cell& cell);

} // namespace sheet
