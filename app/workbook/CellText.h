#pragma once

#include "sheet/workbook/XlsxWorkbook.h"

#include <functional>
#include <string>

// The text a cell shows in the workbook window: its value laid out by its number format the
// way the workbook's own program shows it in a wide enough column. Formats are read for what
// changes the text (sections, digits, thousands, percent, exponents, dates and times, quoted
// and escaped literals); colours and conditions are left out, as the window draws in black.
namespace workbook {

std::string FormatCellText(const sheet::xlsx::Cell& cell, bool date1904);
// A number in the general format: at most ten significant digits, exponent form for very
// large and very small magnitudes.
std::string FormatGeneral(double value);
// A number by one format code ("0.00", "#,##0", "0%", "d-mmm-yy", ...).
std::string FormatNumber(double value, const std::string& code, bool date1904);
// The text a number-like cell shows in a column too narrow for its FormatCellText: a number
// in the general format loses decimals, rounded, until it fits; what still does not fit, and
// a number of any other format, shows as "#" filling the column, so that no digit is lost
// from sight. `fits` answers whether a text fits the column.
std::string FitNumberText(const sheet::xlsx::Cell& cell, bool date1904,
                          const std::function<bool(const std::string&)>& fits);
// What the formula bar shows for the cell: "=" and its formula, else its value as stored.
std::string CellContentText(const sheet::xlsx::Cell& cell);

} // namespace workbook
