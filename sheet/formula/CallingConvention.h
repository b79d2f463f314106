#pragma once

#include <string>
#include <string_view>

// Names through which compiled formulas reach the function library in the movie; the
// convention is described in docs/formula-calling-convention.md.
namespace callconv {

// Operator symbols as the parser writes them into expression trees, and their token kinds.
enum OperatorKind : int {
    kAdd = 1,
    kSubtract = 2,
    kMultiply = 3,
    kDivide = 4,
    kGreater = 5,
    kLess = 6,
    kEqual = 7,
    kLessEqual = 8,
    kGreaterEqual = 9,
    kNotEqual = 10,
    kConcat = 11,
    kFunction = 20,
};

// The token kind of an operator symbol ("+" 1 ... "&" 11), 0 for anything else.
int OperatorKindOf(std::string_view symbol);
// The library function that carries out an operator kind 1..11 ("kvAdd" ...); empty otherwise.
std::string_view OperatorFunction(int kind);

// Every library function, operators included, is a method of this one object (the player finds
// it in _global). A player of this format looks names up without regard to case, so a function
// reachable by its bare name would replace a built-in: DATE is the Date class, INT the int
// function, T any variable t. As members of their own object the spreadsheet names shadow
// nothing and keep their user-visible spelling.
inline constexpr std::string_view kLibraryObject = "kvLib";

// Calls the parser writes for what has no operator of its own.
inline constexpr std::string_view kErrorFunction = "kvError"; // kvError("#N/A"): an error value
inline constexpr std::string_view kArrayFunction = "kvArray"; // kvArray(rows, columns, values...)
inline constexpr std::string_view kPowerFunction = "POWER";   // a ^ b
// kvRef(sheet, view, row, column, rows, columns): an area by its place, read through the view
// of its whole sheet; what OFFSET, CELL and ":" between calls take.
inline constexpr std::string_view kReferenceFunction = "kvRef";
inline constexpr std::string_view kRangeBetweenFunction = "kvRangeTo"; // a : b between calls
inline constexpr std::string_view kIndexReferenceFunction = "kvIndexRef"; // INDEX giving the cells it picks

// Calls the compiler writes around what it compiles.
inline constexpr std::string_view kOneFunction = "kvOne";         // kvOne(v): one value of a range or array
inline constexpr std::string_view kShownFunction = "kvShown";     // kvShown(v): a formula's value, an empty cell's 0
inline constexpr std::string_view kElementFunction = "kvElem";    // kvElem(v, row, column): an array formula cell's element
inline constexpr std::string_view kKeepFunction = "kvElemKeep";   // kvElemKeep(v, id): the top-left cell's, keeping the array
inline constexpr std::string_view kElementOfFunction = "kvElemOf"; // kvElemOf(anchor, id, row, column): another cell's
inline constexpr std::string_view kLiftFunction = "kvLift";       // kvLift(name, bits, args...): a call element by element
inline constexpr std::string_view kSubtotalCellFunction = "kvSubCell"; // kvSubCell(v, name): a cell holding SUBTOTAL

// The name under which the movie calls a spreadsheet function: the player would read a
// dotted name as a path (STDEV.S as member S of STDEV), so dots become underscores.
std::string MovieFunctionName(std::string_view name);
// A function name as a formula writes it, in capitals and without the file format's prefixes
// ("_xlfn.", "_xlws.", "_xludf."): the name the formula calls and the library looks up.
std::string SpreadsheetFunctionName(std::string_view written);

// How a function takes one of its arguments; the compiler evaluates the argument accordingly
// (docs/formula-calling-convention.md, "Ranges where one value is taken" and "Arrays").
enum class ArgumentClass {
    Value,      // one value: a range there is cut to its cell in the formula's own row or column
    Reference,  // a range or an array as it is; operators inside it still take one value each
    ForceArray, // a range or an array, and everything inside it is evaluated element by element
    Through,    // handed on as the call's result (IF's branches): taken as the call itself is
};

// The class of argument index (from 0) of a spreadsheet function, named as formulas write it
// ("SUMIF", "STDEV.S"); operators and unknown functions take values.
ArgumentClass ArgumentClassOf(std::string_view function, std::size_t index);
// Whether a function's result itself may be a range or an array (INDEX with row or column 0).
bool MayGiveGrid(std::string_view function);
// Whether a function reads cells by their place when the movie runs (OFFSET, INDIRECT, the
// references above), cells that the formula's own references do not name.
bool ReadsByPlace(std::string_view function);

} // namespace callconv
