#include "sheet/cells/CellValueMap.h"

#include <iterator>

CCellValueRecord& CCellValueMap::insert(const CCellValueRecord& record)
{
    return records_.try_emplace(record.GetCellId(), record).first->second;
}

CCellValueRecord& CCellValueMap::insert(CCellValueRecord&& record)
{
    const int32_t id = record.GetCellId();
    // Records mostly arrive in the order of their ids.
    return records_.try_emplace(records_.end(), id, std::move(record))->second;
}

CCellValueRecord& CCellValueMap::Replace(const CCellValueRecord& record)
{
    CCellValueRecord& stored = records_[record.GetCellId()];
    stored.Assign(record);
    return stored;
}

CCellValueRecord* CCellValueMap::Find(int32_t id)
{
    CCellValueRecord* record = Lookup(id);
    return record && record->mark ? record : nullptr;
}

CCellValueRecord* CCellValueMap::Lookup(int32_t id)
{
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : &it->second;
}

const CCellValueRecord* CCellValueMap::Lookup(int32_t id) const
{
    auto it = records_.find(id);
    return it == records_.end() ? nullptr : &it->second;
}

const CCellValueRecord* CCellValueMap::NthIterator(std::size_t n) const
{
    if (n >= records_.size())
        return nullptr;
    return &std::next(records_.begin(), static_cast<std::ptrdiff_t>(n))->second;
}

void CCellValueMap::ClearMarks()
{
    for (auto& entry : records_)
        entry.second.mark = 0;
}
