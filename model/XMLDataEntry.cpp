#include "model/XMLDataEntry.h"

#include "model/ModelHooks.h"

CXMLDataEntry::CXMLDataEntry() : range_("range"), nameBinding_("name")
{
}

void CXMLDataEntry::RefreshText()
{
    const model::RangeHandle* range = nameBinding_.GetRangePtr();
    if (!range) {
        return;
    }
    std::vector<model::RangeArea> areas = model::GetModelLink().ReadRange(*range);
    const model::CellValue* first = areas.empty() ? nullptr : areas.front().At(0, 0);
    name_ = first ? first->text : std::string();
}
