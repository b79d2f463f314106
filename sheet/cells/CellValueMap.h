#pragma once

#include "sheet/cells/CellValueRecord.h"

#include <cstddef>
#include <cstdint>
#include <map>

namespace base {
class RecordReader;
} // namespace base

// Value records by cell id, in ascending id order.
class CCellValueMap {
public:
    // Stores the record unless one with its id is stored; returns the stored record either way.
    CCellValueRecord& insert(const CCellValueRecord& record);
    CCellValueRecord& insert(CCellValueRecord&& record);
    // Replaces the record of that id, or stores it when there is none.
    CCellValueRecord& Replace(const CCellValueRecord& record);
    // The record when present and marked, else none.
    CCellValueRecord* Find(int32_t id);
    // The record, marked or not; none when absent.
    CCellValueRecord* Lookup(int32_t id);
    const CCellValueRecord* Lookup(int32_t id) const;
    // The n-th record in id order; none past the end.
    const CCellValueRecord* NthIterator(std::size_t n) const;
    std::size_t GetCount() const { return records_.size(); }
    void ClearMarks();
    void Clear() { records_.clear(); }
    // Reads the record a document keeps (docs/sheet-records.md); throws ModelError on a
    // damaged record.
    void Load(base::RecordReader& in);

    auto begin() const { return records_.begin(); }
    auto end() const { return records_.end(); }

private:
    std::map<int32_t, CCellValueRecord> records_;
};
