#include "model/Parameter.h"

#include "model/CellBinding.h"
#include "model/ParameterSet.h"
#include "model/TextUtil.h"
#include "model/ValueList.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <utility>

using namespace model;

namespace {
const std::string kEmpty;

void CopyText(const std::string& text, char* buffer, std::size_t size)
{
    if (size == 0) {
        return;
    }
    std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
}
} // namespace

CParameter::CParameter() = default;

CParameter::CParameter(std::string name, ParamType type) : name_(std::move(name))
{
    SetType(type);
}

CParameter::CParameter(const CParameter& other)
{
    CopyFrom(other);
}

CParameter& CParameter::operator=(const CParameter& other)
{
    if (this != &other) {
        CopyFrom(other);
    }
    return *this;
}

CParameter::~CParameter() = default;

void CParameter::CopyFrom(const CParameter& other)
{
    // other may live inside this parameter's own value (a member copied over its group), so
    // everything is copied out of it before the old value is released.
    auto set = other.set_ ? std::make_unique<CParameterSet>(*other.set_) : nullptr;
    auto valueList = other.valueList_ ? std::make_unique<CValueList>(*other.valueList_) : nullptr;
    auto binding = other.binding_ ? std::make_unique<CCellBinding>(*other.binding_) : nullptr;
    name_ = other.name_;
    label_ = other.label_;
    type_ = other.type_;
    flags_ = other.flags_;
    style_ = other.style_;
    range_ = other.range_;
    format_ = other.format_;
    enabledText_ = other.enabledText_;
    variableId_ = other.variableId_;
    text_ = other.text_;
    number_ = other.number_;
    boolean_ = other.boolean_;
    integer_ = other.integer_;
    color_ = other.color_;
    set_ = std::move(set);
    valueList_ = std::move(valueList);
    binding_ = std::move(binding);
}

std::unique_ptr<CParameter> CParameter::Clone(CParameterSet* owner) const
{
    auto copy = std::make_unique<CParameter>(*this);
    copy->owner_ = owner;
    return copy;
}

void CParameter::ResetValue()
{
    text_.clear();
    number_ = 0;
    boolean_ = false;
    integer_ = 0;
    color_ = 0;
    set_.reset();
    valueList_.reset();
    binding_.reset();
    if (HasNestedSet(type_)) {
        set_ = std::make_unique<CParameterSet>();
        set_->SetName(name_);
    } else if (type_ == ParamType::Choice) {
        valueList_ = std::make_unique<CValueList>();
    } else if (type_ == ParamType::CellBinding) {
        binding_ = std::make_unique<CCellBinding>(name_);
    }
}

void CParameter::SetType(ParamType type)
{
    type_ = type;
    ResetValue();
}

void CParameter::SetName(const std::string& name)
{
    name_ = name;
    if (binding_) {
        binding_->Rename(name);
    }
}

void CParameter::SetEnabled(bool enabled)
{
    flags_ = enabled ? (flags_ | kFlagEnabled) : (flags_ & ~static_cast<std::uint32_t>(kFlagEnabled));
}

void CParameter::SetUndefined(bool undefined)
{
    flags_ = undefined ? (flags_ | kFlagUndefined) : (flags_ & ~static_cast<std::uint32_t>(kFlagUndefined));
}

bool CParameter::Retype(ParamType type, bool force)
{
    bool matches = type_ == type || (type == ParamType::Text && IsStringType(type_));
    if (matches) {
        return true;
    }
    if (!force) {
        return false;
    }
    SetType(type);
    return true;
}

template <class T> bool CParameter::Store(ParamType type, T& field, T value, bool force)
{
    if (!Retype(type, force)) {
        return false;
    }
    field = std::move(value);
    SetUndefined(false);
    return true;
}

bool CParameter::SetString(const std::string& text, bool force)
{
    return Store(ParamType::Text, text_, text, force);
}

bool CParameter::SetDouble(double value, bool force)
{
    return Store(ParamType::Number, number_, value, force);
}

bool CParameter::SetBool(bool value, bool force)
{
    return Store(ParamType::Boolean, boolean_, value, force);
}

bool CParameter::SetInt(std::int32_t value, bool force)
{
    return Store(ParamType::Integer, integer_, value, force);
}

bool CParameter::SetColor(std::uint32_t value, bool force)
{
    return Store(ParamType::Color, color_, value & 0xFFFFFF, force);
}

const std::string& CParameter::GetString() const
{
    return IsStringType(type_) ? text_ : kEmpty;
}

double CParameter::GetDouble() const
{
    return type_ == ParamType::Number ? number_ : 0.0;
}

bool CParameter::GetBool() const
{
    return type_ == ParamType::Boolean && boolean_;
}

std::int32_t CParameter::GetInt() const
{
    return type_ == ParamType::Integer ? integer_ : 0;
}

std::uint32_t CParameter::GetColor() const
{
    return type_ == ParamType::Color ? color_ : 0;
}

std::string CParameter::GetValueText() const
{
    if (IsUndefined()) {
        return "undefined";
    }
    switch (type_) {
    case ParamType::Text:
    case ParamType::OtherText:
        return text_;
    case ParamType::Number:
        return FormatDouble(number_, 15);
    case ParamType::Boolean:
        return boolean_ ? "true" : "false";
    case ParamType::Integer:
        return std::to_string(integer_);
    case ParamType::Color: {
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "0x%06X", static_cast<unsigned>(color_ & 0xFFFFFF));
        return buffer;
    }
    case ParamType::Choice:
        return valueList_ ? valueList_->GetCurrentText() : std::string();
    case ParamType::CellBinding:
        return binding_ ? binding_->GetValue().GetValueText() : std::string();
    default:
        return std::string();
    }
}

char* CParameter::GetValueText(char* buffer, std::size_t size) const
{
    CopyText(GetValueText(), buffer, size);
    return buffer;
}

std::string CParameter::GetTypeCode() const
{
    if (IsUndefined()) {
        return "u";
    }
    switch (type_) {
    case ParamType::Text:
    case ParamType::OtherText:
        return "s";
    case ParamType::Number:
        return "f";
    case ParamType::Boolean:
        return "b";
    case ParamType::Integer:
        return "i";
    default:
        return std::string();
    }
}

char* CParameter::GetTypeCode(char* buffer, std::size_t size) const
{
    CopyText(GetTypeCode(), buffer, size);
    return buffer;
}

void CParameter::RenumberElements(int from)
{
    if (!set_ || !IsIndexedList(type_)) {
        return;
    }
    for (int i = std::max(from, 0); i < set_->GetCount(); ++i) {
        set_->GetAt(i)->SetName(std::to_string(i));
    }
}

CParameter* CParameter::InsertElementCopy(const CParameter& element, int index)
{
    if (!set_) {
        return nullptr;
    }
    if (index < 0 || index > set_->GetCount()) {
        index = set_->GetCount();
    }
    CParameter* inserted = set_->Insert(element.Clone(set_.get()), index);
    inserted->SetName(std::to_string(index));
    // Only the elements from the new one on move; appending renames the new one alone.
    RenumberElements(index);
    return inserted;
}

CParameter* CParameter::InsertTemplateElement(int index)
{
    if (!set_) {
        return nullptr;
    }
    const CParameter* element = set_->GetElementTemplate();
    if (!element) {
        return nullptr;
    }
    // The template lives inside the set; inserting may grow the set, so insert a copy.
    CParameter copy(*element);
    return InsertElementCopy(copy, index);
}

bool CParameter::RemoveElementAt(int index)
{
    if (!set_ || !set_->RemoveAt(index)) {
        return false;
    }
    RenumberElements(index);
    return true;
}

void CParameter::AppendCopiesFrom(const CParameter& other)
{
    if (!set_ || !other.set_ || &other == this) {
        return;
    }
    for (int i = 0; i < other.set_->GetCount(); ++i) {
        CParameter* added = set_->Add(other.set_->GetAt(i)->Clone(set_.get()));
        if (IsIndexedList(type_)) {
            added->SetName(std::to_string(set_->GetCount() - 1));
        }
    }
}

void CParameter::ClearElements()
{
    if (set_) {
        set_->RemoveAll();
    }
}

int CParameter::GetElementCount() const
{
    return set_ ? set_->GetCount() : 0;
}

CParameter* CParameter::GetElement(int index) const
{
    return set_ ? set_->GetAt(index) : nullptr;
}

const CParameter* CParameter::GetGroupTemplate() const
{
    if (!set_ || !IsIndexedList(type_)) {
        return nullptr;
    }
    return set_->GetElementTemplate();
}

bool CParameter::RefreshFromCells(const model::RangeHandle* range, bool flag)
{
    if (type_ != ParamType::CellBinding || !binding_) {
        return false;
    }
    binding_->RefreshParameter(range, flag);
    return true;
}
