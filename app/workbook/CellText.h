#pragma once

#include "sheet/workbook/XlsxWorkbook.h"

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
// What the formula bar shows for the cell: "=" and its formula, else its value as stored.
std::string CellContentText(const sheet::xlsx::Cell& cell);

} // namespace workbook
