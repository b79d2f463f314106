#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

class CCellModel;
class CModelVariable;
class CVariableTable;

// Bounds on untrusted formulas: the workbook's own limit on length, and a nesting depth far
// beyond what workbooks use but well inside the parser's stack.
inline constexpr std::size_t kMaxFormulaLength = 8192;
inline constexpr int kMaxFormulaDepth = 100;
// Defined names that stand for other names: deeper chains (or cycles) are refused.
inline constexpr int kMaxNameDepth = 16;
// Tokens one formula may read, those of the defined names it uses (again at every use)
// included. Names built of names grow exponentially with depth while the workbook stays tiny,
// so this, not the length of the text, bounds the work and the tree of one formula.
inline constexpr std::size_t kMaxFormulaTokens = 65536;
// Defined names of one area that INDIRECT is handed, so that it finds them by their text.
inline constexpr std::size_t kMaxIndirectNames = 1000;

// Why a formula could not be read; offset counts bytes from the start of the formula text.
struct FormulaError {
    std::string message;
    std::size_t offset = 0;
};

struct FormulaContext {
    // The sheet of the cell that holds the formula; references without a sheet are on it.
    std::string sheet;
    // Receives the cells and ranges the formula refers to. Without a table the formula is
    // only checked: cells get id -1 and ranges index -1.
    CVariableTable* table = nullptr;
    // Spelling of sheet names, used rows and columns for whole-column and whole-row
    // references, and defined names; optional.
    const CCellModel* model = nullptr;
    // Tokens left for all formulas of a workbook read one after another; each parse takes
    // what it reads and fails once none is left. Optional: without it only the limit of one
    // formula applies.
    std::size_t* tokenBudget = nullptr;
    // The formula's own cell (from 1; 0 when not known): a defined name's relative references
    // are written from A1 and stand that far from the cell that uses the name.
    int row = 0;
    int column = 0;
};

// Reads spreadsheet formulas into expression trees (CModelVariable):
//  - constants: numbers, "text" with "" for a quote, TRUE/FALSE, error literals (#N/A ...),
//    array constants {1,2;3,4};
//  - references: A1, $A$1, Sheet1!A1, 'My sheet'!A1, areas A1:B3, whole columns A:C and rows
//    1:3 (clipped to the used part of the sheet), unions (A1:A3,C1:C3), defined names;
//  - operators, loosest first: comparisons = <> < > <= >=, &, + -, * /, ^, %, unary - +,
//    all binary ones left-associative as in the spreadsheet (2^3^2 is 64, -2^2 is 4);
//  - function calls with any number of arguments, empty ones included.
// Operators become function nodes named by their symbol, except ^ (POWER), % (division by
// 100), unary minus (0 - x) and unary plus (dropped); error literals and array constants
// become calls of kvError and kvArray (see CallingConvention.h).
class CFormulaParser {
public:
    // The formula may start with "=". Returns none on failure, with error (when given)
    // saying why and where; never throws for any input.
    static std::unique_ptr<CModelVariable> Parse(std::string_view formula, const FormulaContext& context,
                                                 FormulaError* error = nullptr);
};
