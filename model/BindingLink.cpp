#include "model/BindingLink.h"

#include "swf/ActionList.h"
#include "swf/Actions.h"

CBindingLink::CBindingLink(CVariablePath path, std::int32_t cellId) : path_(std::move(path)), cellId_(cellId)
{
}

void CBindingLink::AddDependentLink(CBindingLink* link)
{
    if (link) {
        dependents_.push_back(link);
    }
}

void CBindingLink::AddSameCellLink(CBindingLink* link)
{
    if (link && link != this) {
        sameCell_.push_back(link);
    }
}

void CBindingLink::ResetValues()
{
    dependents_.clear();
    sameCell_.clear();
}

void CBindingLink::FreeValues()
{
    std::vector<CBindingLink*>().swap(dependents_);
    std::vector<CBindingLink*>().swap(sameCell_);
}

void CBindingLink::EmitActions(CActionList& actions) const
{
    if (owner_.empty() || path_.GetCount() == 0) {
        return;
    }
    CVariablePath full;
    full.AddName(owner_);
    for (const CVariablePath::Element& element : path_.GetElements()) {
        full.AddName(element.text, element.kind);
    }
    if (GetKind() == model::kLinkConstant) {
        actions.Add(std::make_unique<CActionPush>(GetModelVariableName()));
        full.EmitGet(actions, true);
        actions.Add(std::make_unique<CActionCode>(swf::ActionCode::GetMember));
        actions.Add(std::make_unique<CActionCode>(swf::ActionCode::SetVariable));
    } else {
        full.EmitGet(actions, true);
        actions.Add(std::make_unique<CActionPush>(GetModelVariableName()));
        actions.Add(std::make_unique<CActionCode>(swf::ActionCode::GetVariable));
        full.EmitSet(actions);
    }
}
