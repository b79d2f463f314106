#include "sheet/cells/RangeText.h"

#include "sheet/cells/CellModel.h"
#include "sheet/cells/CellRef.h"
#include "sheet/workbook/XlsxAddress.h"

#include <optional>

namespace sheet {

std::vector<std::string> SplitRangeAreas(const std::string& text)
{
    std::vector<std::string> areas;
    std::string current;
    bool quoted = false;
    for (char c : text) {
        if (c == '\'')
            quoted = !quoted;
        if (c == ',' && !quoted) {
            areas.push_back(current);
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty())
        areas.push_back(current);
    return areas;
}

bool ParseRangeArea(const std::string& text, const CCellModel& model, CCellRef& start, CCellRef& end)
{
    auto colon = text.rfind(':');
    auto bang = text.rfind('!');
    std::optional<xlsx::QualifiedCell> first, second;
    if (colon != std::string::npos && bang != std::string::npos && colon > bang) {
        first = xlsx::ParseQualifiedCell(text.substr(0, colon));
        second = xlsx::ParseQualifiedCell(text.substr(0, bang + 1) + text.substr(colon + 1));
    } else {
        first = second = xlsx::ParseQualifiedCell(text);
    }
    if (!first || !second)
        return false;
    auto sheet = model.FindSheet(first->sheet);
    if (!sheet)
        return false;
    start = CCellRef(*sheet, static_cast<int>(first->cell.row) + 1, static_cast<int>(first->cell.column) + 1);
    end = CCellRef(*sheet, static_cast<int>(second->cell.row) + 1, static_cast<int>(second->cell.column) + 1);
    return true;
}

} // namespace sheet
