#include "sheet/workbook/WorkbookImport.h"

#include "base/Processors.h"
#include "sheet/cells/CellModel.h"
#include "sheet/formula/FormulaParser.h"
#include "sheet/MessageText.h"
#include "sheet/formula/ModelVariable.h"
#include "sheet/workbook/WorkbookLocale.h"
#include "sheet/workbook/XlsxAddress.h"

#include <algorithm>
#include <unordered_set>
#include <charconv>
#include <span>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

namespace sheet {

std::string CellValueText(const xlsx::Cell& cell)
{
    switch (cell.type) {
    case CellType::Number: {
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, cell.number);
        return ec == std::errc() ? std::string(buffer, end) : "0";
    }
    case CellType::Boolean:
        return cell.number != 0 ? "TRUE" : "FALSE";
    case CellType::Text:
    case CellType::Error:
        return cell.text;
    case CellType::Empty:
    case CellType::DateTime:
        break;
    }
    return {};
}

namespace {

// A failure that explains nested defined names runs longer than a quoted value.
constexpr std::size_t kFailureChars = 400;
constexpr std::size_t kWorkbookTokensFlat = 4u << 20;
constexpr std::size_t kWorkbookTokensPerCharacter = 16;
// Fewer formulas than this are checked on one thread: a thread costs more than it saves. Each
// thread may spend the workbook's whole token budget, so their number stays small.
constexpr std::size_t kFormulasPerThread = 2000;
constexpr std::size_t kMaxCheckThreads = 8;

std::string_view TypeName(const xlsx::Cell& cell)
{
    return CellTypeName(cell.type == CellType::Number && cell.isDate ? CellType::DateTime : cell.type);
}

// A cell listed only for its formatting holds nothing the model needs.
bool IsStored(const xlsx::Cell& cell)
{
    return cell.type != CellType::Empty || cell.HasFormula();
}

void AddDefinedNames(const xlsx::Workbook& workbook, CCellModel& model)
{
    for (const auto& name : workbook.names) {
        // Names private to a sheet are the program's own (print areas, titles) or shadow a
        // workbook name; the model keeps one name space, so the workbook's own names win.
        if (name.localSheet >= 0 && (name.name.rfind("_xlnm.", 0) == 0 || model.FindDefinedName(name.name)))
            continue;
        model.SetDefinedName(name.name, name.formula);
    }
}

// A cell with a formula and the sheet it is on.
struct FormulaCell {
    const std::string* sheet;
    const xlsx::Cell* cell;
};

// What one pass over the cells finds out before anything is stored.
struct CellTotals {
    std::size_t stored = 0;
    std::size_t formulaCharacters = 0;
    std::vector<FormulaCell> formulas; // in workbook order
};

// What formulas are read against later: the sheets with their used extent and the defined
// names, without the cells. Checking against it refuses what the compile would refuse (a
// name that stands for itself, a name or whole column that spans too many cells).
CellTotals MakeShape(const xlsx::Workbook& workbook, CCellModel& shape)
{
    CellTotals totals;
    for (const auto& sheet : workbook.sheets) {
        shape.AddSheet(sheet.name);
        int lastRow = 0;
        int lastColumn = 0;
        for (const auto& cell : sheet.cells) {
            totals.formulaCharacters += cell.formula.size();
            if (cell.HasFormula())
                totals.formulas.push_back({&sheet.name, &cell});
            if (!IsStored(cell))
                continue;
            ++totals.stored;
            lastRow = std::max(lastRow, static_cast<int>(cell.row) + 1);
            lastColumn = std::max(lastColumn, static_cast<int>(cell.column) + 1);
        }
        if (lastRow > 0)
            shape.SetCell(sheet.name, lastRow, lastColumn, CCellData{});
    }
    AddDefinedNames(workbook, shape);
    return totals;
}

// Tokens all formula checks of a workbook may read together. Proportional to the formula
// text the file really holds, with room for defined names used many times, so the import
// stays linear in the file however its names refer to each other.
std::size_t WorkbookTokenBudget(const CellTotals& totals)
{
    return kWorkbookTokensFlat + kWorkbookTokensPerCharacter * totals.formulaCharacters;
}

// Reads the formulas against the shape, in order, taking their tokens from budget; the first
// formula that cannot be read, or a stop, ends the reading.
FillResult CheckFormulas(std::span<const FormulaCell> formulas, const CCellModel& shape, std::size_t& budget,
                         const FillOptions& options)
{
    FillResult result;
    FormulaContext check;
    check.model = &shape;
    check.tokenBudget = &budget;
    const std::string* sheet = nullptr;
    for (const FormulaCell& formula : formulas) {
        // Reading every formula can take a while too; a stop must not wait for it.
        if (options.stop && options.stop->load(std::memory_order_relaxed)) {
            result.outcome = FillOutcome::Stopped;
            return result;
        }
        if (formula.sheet != sheet) {
            sheet = formula.sheet;
            check.sheet = *sheet;
        }
        const xlsx::Cell& cell = *formula.cell;
        FormulaError error;
        if (!CFormulaParser::Parse(cell.formula, check, &error)) {
            const std::string item = xlsx::FormatQualifiedCell(*sheet, {cell.row, cell.column});
            const std::string why = "cannot be read at character " + std::to_string(error.offset + 1) + ": " +
                                    PrintableText(error.message, kFailureChars);
            // A spent budget would refuse every formula after this one: the workbook as a whole
            // is beyond reading then.
            if (options.keepUnreadFormulas && budget > 0) {
                result.unreadFormulas.push_back({item, why});
                continue;
            }
            result.outcome = FillOutcome::FormulaFailed;
            result.failedItem = item;
            result.failure = "The formula in " + PrintableText(item) + " " + why;
            return result;
        }
    }
    return result;
}

// The same on several threads for a workbook of many formulas, with the result of reading
// them in order: each part may take the whole budget and the parts together must stay within
// it; anything else is read again in order, so the failure reported is the one an in-order
// reading meets first.
FillResult CheckAllFormulas(std::span<const FormulaCell> formulas, const CCellModel& shape,
                            std::size_t& budget, const FillOptions& options)
{
    const std::size_t threads = std::min({std::size_t(base::UsableProcessors()),
                                          kMaxCheckThreads, formulas.size() / kFormulasPerThread});
    if (threads < 2)
        return CheckFormulas(formulas, shape, budget, options);
    std::vector<FillResult> results(threads);
    std::vector<std::size_t> left(threads, budget);
    const std::size_t part = (formulas.size() + threads - 1) / threads;
    auto check = [&](std::size_t t) {
        const std::size_t first = std::min(formulas.size(), t * part);
        results[t] = CheckFormulas(formulas.subspan(first, std::min(part, formulas.size() - first)), shape,
                                   left[t], options);
    };
    try {
        std::vector<std::jthread> helpers;
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(check, t);
        check(0);
    } catch (const std::system_error&) {
        return CheckFormulas(formulas, shape, budget, options); // no thread to be had
    }
    std::size_t used = 0;
    bool read = true;
    FillResult all;
    for (std::size_t t = 0; t < threads; ++t) {
        if (results[t].outcome == FillOutcome::Stopped)
            return results[t];
        read = read && results[t].outcome == FillOutcome::Done && left[t] > 0;
        used += budget - left[t];
        for (UnreadFormula& unread : results[t].unreadFormulas)
            all.unreadFormulas.push_back(std::move(unread));
    }
    if (!read || used > budget)
        return CheckFormulas(formulas, shape, budget, options);
    budget -= used;
    return all;
}

} // namespace

std::size_t StoredCellCount(const xlsx::Workbook& workbook)
{
    std::size_t count = 0;
    for (const auto& sheet : workbook.sheets)
        count += static_cast<std::size_t>(std::count_if(sheet.cells.begin(), sheet.cells.end(), IsStored));
    return count;
}

namespace {

// Fills the model; with movable (the same workbook, which the caller gives up) the texts are
// moved into the model instead of copied, so a workbook of long texts is held once.
FillResult Fill(const xlsx::Workbook& workbook, CCellModel& model, const FillOptions& options,
                xlsx::Workbook* movable)
{
    // Every formula is read once without a variable table: that checks it completely but
    // stores nothing, so a workbook with a formula we cannot read leaves the model untouched.
    CCellModel shape;
    const CellTotals totals = MakeShape(workbook, shape);
    std::size_t tokenBudget = WorkbookTokenBudget(totals);
    FillResult result = CheckAllFormulas(totals.formulas, shape, tokenBudget, options);
    if (result.outcome != FillOutcome::Done)
        return result;
    // The cells whose formulas are left out, by where they lie in the workbook.
    std::unordered_set<const xlsx::Cell*> unread;
    if (!result.unreadFormulas.empty()) {
        std::size_t next = 0;
        for (const FormulaCell& formula : totals.formulas) {
            if (next == result.unreadFormulas.size())
                break;
            const std::string item = xlsx::FormatQualifiedCell(*formula.sheet, {formula.cell->row, formula.cell->column});
            if (item == result.unreadFormulas[next].cell) {
                unread.insert(formula.cell);
                ++next;
            }
        }
    }

    const std::size_t total = totals.stored;
    model.ReserveCells(model.GetCellCount() + total);
    std::size_t step = std::max<std::size_t>(1, total / 100);
    std::size_t done = 0;
    for (std::size_t s = 0; s < workbook.sheets.size(); ++s) {
        const xlsx::Sheet& sheet = workbook.sheets[s];
        model.AddSheet(sheet.name);
        if (!sheet.hiddenRows.empty()) {
            CCellModel::RowRuns hidden; // 1-based in the model
            for (std::uint32_t row : sheet.hiddenRows)
                hidden.emplace_back(static_cast<int>(row) + 1, static_cast<int>(row) + 1);
            model.SetHiddenRows(sheet.name, std::move(hidden));
        }
        for (std::size_t i = 0; i < sheet.cells.size(); ++i) {
            const xlsx::Cell& cell = sheet.cells[i];
            if (options.stop && options.stop->load(std::memory_order_relaxed)) {
                result.outcome = FillOutcome::Stopped;
                return result;
            }
            if (!IsStored(cell))
                continue;
            ++done;
            if (options.progress && done % step == 0)
                options.progress(done);
            CCellData data;
            data.typeName = std::string(TypeName(cell));
            const bool keptValue = !unread.empty() && unread.count(&cell);
            if (movable) {
                xlsx::Cell& owned = movable->sheets[s].cells[i];
                bool isText = cell.type == CellType::Text || cell.type == CellType::Error;
                data.valueText = isText ? std::move(owned.text) : CellValueText(cell);
                if (!keptValue)
                    data.formula = std::move(owned.formula);
            } else {
                data.valueText = CellValueText(cell);
                if (!keptValue)
                    data.formula = cell.formula;
            }
            if (cell.arrayRange && !data.formula.empty()) {
                data.array = true;
                data.arrayRow = static_cast<int>(cell.row - cell.arrayRange->firstRow);
                data.arrayColumn = static_cast<int>(cell.column - cell.arrayRange->firstColumn);
            }
            model.SetCell(sheet.name, static_cast<int>(cell.row) + 1, static_cast<int>(cell.column) + 1,
                          std::move(data));
        }
    }
    AddDefinedNames(workbook, model);
    for (const auto& [name, value] : WorkbookLocaleValues())
        model.SetNamedValue(name, value);
    model.SetLoaded(true);
    return result;
}

} // namespace

FillResult FillCellModel(const xlsx::Workbook& workbook, CCellModel& model, const FillOptions& options)
{
    return Fill(workbook, model, options, nullptr);
}

FillResult FillCellModel(xlsx::Workbook&& workbook, CCellModel& model, const FillOptions& options)
{
    return Fill(workbook, model, options, &workbook);
}

} // namespace sheet
