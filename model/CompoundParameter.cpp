#include "model/CompoundParameter.h"

#include "model/CellBinding.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"

using namespace model;

std::unique_ptr<CCompoundParameter> CCompoundParameter::MakeCopy(const CParameter& source)
{
    auto copy = std::make_unique<CCompoundParameter>(source.GetName(), source.GetType());
    copy->SetLabel(source.GetLabel());
    copy->SetRange(source.GetRange());
    copy->SetStyle(source.GetStyle());
    copy->SetFormat(source.GetFormat());
    copy->SetEnabledText(source.GetEnabledText());
    switch (source.GetType()) {
    case ParamType::Text:
    case ParamType::OtherText:
        copy->CParameter::SetString(source.GetString());
        break;
    case ParamType::Number:
        copy->CParameter::SetDouble(source.GetDouble());
        break;
    case ParamType::Boolean:
        copy->CParameter::SetBool(source.GetBool());
        break;
    case ParamType::Integer:
        copy->CParameter::SetInt(source.GetInt());
        break;
    case ParamType::Color:
        copy->CParameter::SetColor(source.GetColor());
        break;
    default:
        if (source.GetSet()) {
            CParameterSet& set = *copy->GetSet();
            set.SetName(source.GetSet()->GetName());
            set.SetPageKind(source.GetSet()->GetPageKind());
            for (int i = 0; i < source.GetSet()->GetCount(); ++i) {
                set.Add(MakeCopy(*source.GetSet()->GetAt(i)));
            }
        } else if (source.GetValueList()) {
            *copy->GetValueList() = *source.GetValueList();
            auto current = MakeCopy(source.GetValueList()->GetPrototype());
            current->choiceValue_ = true;
            copy->GetValueList()->SetPrototype(std::move(current));
        } else if (source.GetBinding()) {
            *copy->GetBinding() = *source.GetBinding();
            copy->GetBinding()->SetValue(MakeCopy(source.GetBinding()->GetValue()));
        }
        break;
    }
    copy->SetFlags(source.GetFlags());
    return copy;
}

std::unique_ptr<CParameter> CCompoundParameter::Clone(CParameterSet* owner) const
{
    auto copy = std::make_unique<CCompoundParameter>(*this);
    copy->SetOwner(owner);
    return copy;
}

void CCompoundParameter::AddChild(CParameter* child)
{
    if (!child || child == this) {
        return;
    }
    children_.push_back(child);
    // Pages write a choice through its current value and a linked edit into the bound value,
    // so those must reach the children too.
    if (GetValueList() && child->GetValueList()) {
        if (auto* mine = dynamic_cast<CCompoundParameter*>(&GetValueList()->GetPrototype())) {
            mine->AddChild(&child->GetValueList()->GetPrototype());
        }
    }
    if (GetBinding() && child->GetBinding()) {
        if (auto* mine = dynamic_cast<CCompoundParameter*>(&GetBinding()->GetValue())) {
            mine->AddChild(&child->GetBinding()->GetValue());
        }
    }
    if (!GetSet() || !child->GetSet()) {
        return;
    }
    for (int i = 0; i < child->GetSet()->GetCount(); ++i) {
        CParameter* member = child->GetSet()->GetAt(i);
        if (auto* mine = dynamic_cast<CCompoundParameter*>(GetSet()->FindParameter(member->GetName()))) {
            mine->AddChild(member);
        }
    }
}

bool CCompoundParameter::SetString(const std::string& text, bool force)
{
    bool stored = choiceValue_ ? StoreChoiceText(*this, text, force) : CParameter::SetString(text, force);
    for (CParameter* child : children_) {
        child->SetString(text, force);
    }
    return stored;
}

bool CCompoundParameter::SetDouble(double value, bool force)
{
    bool stored = CParameter::SetDouble(value, force);
    for (CParameter* child : children_) {
        child->SetDouble(value, force);
    }
    return stored;
}

bool CCompoundParameter::SetBool(bool value, bool force)
{
    bool stored = CParameter::SetBool(value, force);
    for (CParameter* child : children_) {
        child->SetBool(value, force);
    }
    return stored;
}

bool CCompoundParameter::SetInt(std::int32_t value, bool force)
{
    bool stored = CParameter::SetInt(value, force);
    for (CParameter* child : children_) {
        child->SetInt(value, force);
    }
    return stored;
}

bool CCompoundParameter::SetColor(std::uint32_t value, bool force)
{
    bool stored = CParameter::SetColor(value, force);
    for (CParameter* child : children_) {
        child->SetColor(value, force);
    }
    return stored;
}

void CParameterValueList::Add(CParameter* target, std::unique_ptr<CParameter> saved)
{
    if (target && saved) {
        entries_.emplace_back(target, std::move(saved));
    }
}

void CParameterValueList::Apply()
{
    for (auto& [target, saved] : entries_) {
        switch (target->GetType()) {
        case ParamType::Text:
        case ParamType::OtherText:
            target->SetString(saved->GetString());
            break;
        case ParamType::Number:
            target->SetDouble(saved->GetDouble());
            break;
        case ParamType::Boolean:
            target->SetBool(saved->GetBool());
            break;
        case ParamType::Integer:
            target->SetInt(saved->GetInt());
            break;
        default:
            continue;
        }
        target->SetUndefined(saved->IsUndefined());
    }
    entries_.clear();
}
