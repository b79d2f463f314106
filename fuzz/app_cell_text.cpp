// The workbook window's reading of number formats (taken from workbook files) and of typed
// references, on arbitrary text.
#include "app/workbook/CellText.h"
#include "app/workbook/WorkbookSelection.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < sizeof(double))
        return 0;
    double value = 0;
    std::memcpy(&value, data, sizeof value);
    // Workbooks hold format codes of at most 255 characters; longer ones never reach here.
    std::string text(reinterpret_cast<const char*>(data) + sizeof value, std::min<size_t>(size - sizeof value, 255));
    workbook::FormatNumber(value, text, (data[0] & 1) != 0);
    // The same format on a whole number, where rounding and grouping take other paths.
    if (value > -1e9 && value < 1e9)
        workbook::FormatNumber(static_cast<double>(static_cast<long long>(value)), text, false);

    sheet::xlsx::Cell cell;
    cell.type = CellType::Text;
    cell.text = "abc";
    cell.formatCode = text;
    workbook::FormatCellText(cell, false);
    // The same value in a column a few characters wide: rounded, or "#" across the column.
    cell.type = CellType::Number;
    cell.number = value;
    const std::size_t width = data[0] % 12;
    workbook::FitNumberText(cell, false, [width](const std::string& shown) { return shown.size() <= width; });

    static const sheet::xlsx::Workbook book = [] {
        sheet::xlsx::Workbook b;
        b.sheets.resize(2);
        b.sheets[0].name = "Sheet1";
        b.sheets[1].name = "It's";
        return b;
    }();
    const workbook::ParsedReference parsed = workbook::ParseReference(text, book, 0);
    if (parsed.error.empty())
        workbook::FormatReference(book.sheets[static_cast<size_t>(parsed.sheet)].name, parsed.areas);
    return 0;
}
