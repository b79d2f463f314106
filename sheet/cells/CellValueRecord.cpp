#include "sheet/cells/CellValueRecord.h"

#include "sheet/cells/CellRef.h"

CCellValueRecord::CCellValueRecord(int32_t cellId, std::string variableName, std::string a1Text,
                                   const CModelVariable* constant)
{
    Init(cellId, std::move(variableName), std::move(a1Text), constant);
}

void CCellValueRecord::Init(int32_t cellId, std::string variableName, std::string a1Text,
                            const CModelVariable* constant)
{
    cellId_ = cellId;
    otherName_ = variableName == CellVariableName(cellId) ? nullptr
                                                         : std::make_unique<std::string>(std::move(variableName));
    a1Text_ = std::move(a1Text);
    value_ = constant ? constant->Clone() : nullptr;
}

void CCellValueRecord::Assign(const CCellValueRecord& other)
{
    if (this == &other)
        return;
    mark = other.mark;
    exportFlag = other.exportFlag;
    Init(other.cellId_, other.GetVariableName(), other.a1Text_, other.value_.get());
}

std::string CCellValueRecord::GetVariableName() const
{
    return otherName_ ? *otherName_ : CellVariableName(cellId_);
}
