#include "sheet/cells/CellValueRecord.h"

CCellValueRecord::CCellValueRecord(int32_t cellId, std::string variableName, std::string a1Text,
                                   const CModelVariable* constant)
{
    Init(cellId, std::move(variableName), std::move(a1Text), constant);
}

void CCellValueRecord::Init(int32_t cellId, std::string variableName, std::string a1Text,
                            const CModelVariable* constant)
{
    cellId_ = cellId;
    variableName_ = std::move(variableName);
    a1Text_ = std::move(a1Text);
    value_ = constant ? constant->Clone() : nullptr;
}

void CCellValueRecord::Assign(const CCellValueRecord& other)
{
    if (this == &other)
        return;
    mark = other.mark;
    exportFlag = other.exportFlag;
    Init(other.cellId_, other.variableName_, other.a1Text_, other.value_.get());
}
