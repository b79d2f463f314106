#include "pages/XmlDataFile.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/XMLDataEntry.h"
#include "publish/DataFiles.h"

namespace pages {

namespace {

using model::IsIndexedList;

std::string CellText(const CParameter& cell)
{
    return cell.IsUndefined() ? std::string() : cell.GetValueText();
}

// The rows of one element of the ranges array; a row that is a single value is one column.
std::vector<std::vector<std::string>> RowsOf(const CParameter& element)
{
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < element.GetElementCount(); ++r) {
        const CParameter* row = element.GetElement(r);
        std::vector<std::string>& columns = rows.emplace_back();
        if (!IsIndexedList(row->GetType())) {
            columns.push_back(CellText(*row));
            continue;
        }
        for (int c = 0; c < row->GetElementCount(); ++c)
            columns.push_back(CellText(*row->GetElement(c)));
    }
    return rows;
}

} // namespace

std::string XMLDataFileText(const CParameter* names, const CParameter* ranges,
                            const std::vector<std::unique_ptr<CXMLDataEntry>>& entries)
{
    // Which entries carry values is decided before anything is written.
    std::vector<bool> bound;
    for (const auto& entry : entries)
        bound.push_back(entry->GetRangeBinding().IsBound());

    const CParameter* values = nullptr;
    if (ranges != nullptr)
        values = ranges->GetBinding() != nullptr ? &ranges->GetBinding()->GetValue() : ranges;
    const bool usable = values != nullptr && IsIndexedList(values->GetType()) && values->GetElementCount() > 0;

    std::vector<XmlDataVariable> variables;
    int next = 0;
    const int count = names != nullptr && IsIndexedList(names->GetType()) ? names->GetElementCount() : 0;
    for (int i = 0; i < count; ++i) {
        XmlDataVariable& variable = variables.emplace_back();
        variable.name = names->GetElement(i)->GetString();
        // A names array longer than the list (a damaged document) gives its extra names no values.
        const bool flagged = static_cast<std::size_t>(i) < bound.size() && bound[static_cast<std::size_t>(i)];
        if (!flagged)
            continue;
        const CParameter* element = usable ? values->GetElement(next) : nullptr;
        if (element != nullptr && IsIndexedList(element->GetType()))
            variable.rows = RowsOf(*element);
        ++next;
    }
    return FormatXmlData(variables);
}

bool WriteXMLDataFile(const std::filesystem::path& path, const CParameter* names, const CParameter* ranges,
                      const std::vector<std::unique_ptr<CXMLDataEntry>>& entries)
{
    return WriteDataFile(path, XMLDataFileText(names, ranges, entries));
}

} // namespace pages
