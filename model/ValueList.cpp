#include "model/ValueList.h"

#include <cerrno>
#include <cstdlib>

namespace {
const std::string kNone;
}

CValueList::CValueList(bool integer)
    : prototype_(std::make_unique<model::ChoicePrototype>("", integer ? model::ParamType::Integer : model::ParamType::Text))
{
}

CValueList::CValueList(const CValueList& other)
    : prototype_(other.prototype_->Clone(nullptr)), allowed_(other.allowed_)
{
}

CValueList& CValueList::operator=(const CValueList& other)
{
    if (this != &other) {
        prototype_ = other.prototype_->Clone(nullptr);
        allowed_ = other.allowed_;
    }
    return *this;
}

CValueList::~CValueList() = default;

void CValueList::SetInteger(bool integer)
{
    if (integer == IsInteger()) {
        return;
    }
    std::string current = prototype_->GetValueText();
    bool undefined = prototype_->IsUndefined();
    prototype_->SetType(integer ? model::ParamType::Integer : model::ParamType::Text);
    if (!undefined) {
        prototype_->SetString(current);
    }
}

void CValueList::SetPrototype(std::unique_ptr<CParameter> prototype)
{
    if (prototype) {
        prototype->SetOwner(nullptr);
        prototype_ = std::move(prototype);
    }
}

const std::string& CValueList::GetAllowed(int index) const
{
    if (index < 0 || index >= GetCount()) {
        return kNone;
    }
    return allowed_[static_cast<std::size_t>(index)];
}

namespace model {

std::unique_ptr<CParameter> ChoicePrototype::Clone(CParameterSet* owner) const
{
    auto copy = std::make_unique<ChoicePrototype>(*this);
    copy->SetOwner(owner);
    return copy;
}

bool StoreChoiceText(CParameter& prototype, const std::string& text, bool force)
{
    if (prototype.GetType() == ParamType::Integer && !force) {
        errno = 0;
        char* end = nullptr;
        long value = std::strtol(text.c_str(), &end, 10);
        if (text.empty() || *end != '\0' || errno == ERANGE || value < INT32_MIN || value > INT32_MAX) {
            return false;
        }
        return prototype.CParameter::SetInt(static_cast<std::int32_t>(value));
    }
    return prototype.CParameter::SetString(text, force);
}

bool ChoicePrototype::SetString(const std::string& text, bool force)
{
    return StoreChoiceText(*this, text, force);
}

} // namespace model
