#pragma once

#include "sheet/formula/ModelVariable.h"

#include <cstdint>
#include <memory>
#include <string>

// The value record of one compiled cell: the current value that data files, snapshots and
// the write-back to the workbook take. The mark selects records for a snapshot or a fetch,
// the export flag those written back to the workbook.
class CCellValueRecord {
public:
    CCellValueRecord() = default;
    // Keeps a copy of the constant (none for a record without value yet).
    CCellValueRecord(int32_t cellId, std::string variableName, std::string a1Text,
                     const CModelVariable* constant);
    CCellValueRecord(const CCellValueRecord& other) { Assign(other); }
    CCellValueRecord& operator=(const CCellValueRecord& other)
    {
        Assign(other);
        return *this;
    }
    CCellValueRecord(CCellValueRecord&&) noexcept = default;
    CCellValueRecord& operator=(CCellValueRecord&&) noexcept = default;

    void Init(int32_t cellId, std::string variableName, std::string a1Text, const CModelVariable* constant);
    void Assign(const CCellValueRecord& other);

    int32_t GetCellId() const { return cellId_; }
    // The movie variable of the cell: "V" + id, as every record the system makes has it; a
    // record read from a document keeps the name stored there.
    std::string GetVariableName() const;
    const std::string& GetA1Text() const { return a1Text_; }
    const CModelVariable* GetValue() const { return value_.get(); }
    void SetValue(std::unique_ptr<CModelVariable> value) { value_ = std::move(value); }

    uint8_t mark = 0;
    uint8_t exportFlag = 0;

private:
    int32_t cellId_ = -1;
    // None when the name is the cell's own "V" + id: a large model's many records need not
    // each hold it.
    std::unique_ptr<std::string> otherName_;
    std::string a1Text_;
    std::unique_ptr<CModelVariable> value_;
};
