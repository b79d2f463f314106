#include "sheet/WorkbookImport.h"

#include "sheet/CellModel.h"
#include "sheet/FormulaParser.h"
#include "sheet/ModelVariable.h"
#include "sheet/WorkbookLocale.h"
#include "sheet/XlsxAddress.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace sheet {

std::string CellValueText(const xlsx::Cell& cell)
{
    switch (cell.type) {
    case xlsx::CellType::Number: {
        char buffer[64];
        auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, cell.number);
        return ec == std::errc() ? std::string(buffer, end) : "0";
    }
    case xlsx::CellType::Boolean:
        return cell.number != 0 ? "TRUE" : "FALSE";
    case xlsx::CellType::String:
    case xlsx::CellType::Error:
        return cell.text;
    case xlsx::CellType::Empty:
        break;
    }
    return {};
}

namespace {

std::string_view TypeName(const xlsx::Cell& cell)
{
    switch (cell.type) {
    case xlsx::CellType::Number:
        return cell.isDate ? CellType::DateTime : CellType::Number;
    case xlsx::CellType::String:
        return CellType::Text;
    case xlsx::CellType::Boolean:
        return CellType::Boolean;
    case xlsx::CellType::Error:
        return CellType::Error;
    case xlsx::CellType::Empty:
        break;
    }
    return {};
}

// A cell listed only for its formatting holds nothing the model needs.
bool IsStored(const xlsx::Cell& cell)
{
    return cell.type != xlsx::CellType::Empty || cell.HasFormula();
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

// What formulas are read against later: the sheets with their used extent and the defined
// names, without the cells. Checking against it refuses what the compile would refuse (a
// name that stands for itself, a name or whole column that spans too many cells).
void MakeShape(const xlsx::Workbook& workbook, CCellModel& shape)
{
    for (const auto& sheet : workbook.sheets) {
        shape.AddSheet(sheet.name);
        int lastRow = 0;
        int lastColumn = 0;
        for (const auto& cell : sheet.cells) {
            if (!IsStored(cell))
                continue;
            lastRow = std::max(lastRow, static_cast<int>(cell.row) + 1);
            lastColumn = std::max(lastColumn, static_cast<int>(cell.column) + 1);
        }
        if (lastRow > 0)
            shape.SetCell(sheet.name, lastRow, lastColumn, CCellData{});
    }
    AddDefinedNames(workbook, shape);
}

} // namespace

std::size_t StoredCellCount(const xlsx::Workbook& workbook)
{
    std::size_t count = 0;
    for (const auto& sheet : workbook.sheets)
        count += static_cast<std::size_t>(std::count_if(sheet.cells.begin(), sheet.cells.end(), IsStored));
    return count;
}

FillResult FillCellModel(const xlsx::Workbook& workbook, CCellModel& model, const FillOptions& options)
{
    FillResult result;
    // Every formula is read once without a variable table: that checks it completely but
    // stores nothing, so a workbook with a formula we cannot read leaves the model untouched.
    CCellModel shape;
    MakeShape(workbook, shape);
    for (const auto& sheet : workbook.sheets) {
        FormulaContext check;
        check.sheet = sheet.name;
        check.model = &shape;
        for (const auto& cell : sheet.cells) {
            if (!cell.HasFormula())
                continue;
            FormulaError error;
            if (!CFormulaParser::Parse(cell.formula, check, &error)) {
                result.outcome = FillOutcome::FormulaFailed;
                result.failedItem = xlsx::FormatQualifiedCell(sheet.name, {cell.row, cell.column});
                result.failure = "The formula in " + result.failedItem + " cannot be read at character " +
                                 std::to_string(error.offset + 1) + ": " + error.message;
                return result;
            }
        }
    }

    std::size_t total = StoredCellCount(workbook);
    std::size_t step = std::max<std::size_t>(1, total / 100);
    std::size_t done = 0;
    for (const auto& sheet : workbook.sheets) {
        model.AddSheet(sheet.name);
        for (const auto& cell : sheet.cells) {
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
            data.valueText = CellValueText(cell);
            data.typeName = std::string(TypeName(cell));
            data.formula = cell.formula;
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

} // namespace sheet
