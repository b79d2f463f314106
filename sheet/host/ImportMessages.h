#pragma once

// The import protocol: the one message by which the import worker reports to the main
// window, and the codes it carries in its first parameter.
namespace sheet {

inline constexpr unsigned kImportMessage = 0x80C8;

enum class ImportCode : int {
    Start = 0,         // value: the number of steps, never 0
    Done = 1,          // the model is complete and loaded
    Progress = 2,      // value: steps done so far
    FormulaFailed = 3, // the current host holds the text of the failing cell
    NoModel = 4,       // nothing was imported; value 1: the workbook failed, the host holds why
};

} // namespace sheet
