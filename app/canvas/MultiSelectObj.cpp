#include "app/canvas/MultiSelectObj.h"

#include "model/ComponentDef.h"
#include "model/CompoundParameter.h"
#include "model/ParameterSet.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/docview/WinApp.h"
#include "platform/window/Input.h"

namespace {

const char* const kSharedGroups[] = {"General", "Behavior", "Alerts", "Appearance"};
const char* const kVisibility[] = {"displayStatus", "introTime", "displayKey", "introStyle"};
const char kDynamicVisibility[] = "Dynamic Visibility";

CParameterSet* GroupSet(const CParameterSet& set, const std::string& name)
{
    CParameter* group = set.FindParameter(name);
    return group != nullptr ? group->GetSet() : nullptr;
}

} // namespace

CMultiSelectObj::CMultiSelectObj()
{
    // The members own their instances; this object only lists them.
    m_bOwnsInstances = false;
}

CMultiSelectObj::~CMultiSelectObj()
{
    Reset();
}

void CMultiSelectObj::AddMember(CComponentObj* member)
{
    if (!m_sharedSet)
        m_sharedSet = std::make_unique<CParameterSet>();
    if (m_instances.empty())
        m_bounds = member->m_position;
    else
        m_bounds.UnionRect(m_bounds, member->m_position);
    for (CComponent* instance : member->GetInstances()) {
        m_instances.push_back(instance);
        m_memberSets.push_back(instance->GetParameters());
    }
    m_members.push_back(member);
}

void CMultiSelectObj::BuildSharedSet(bool bSameKind)
{
    m_sharedSet = std::make_unique<CParameterSet>();
    if (m_memberSets.empty() || m_memberSets[0] == nullptr)
        return;
    const CParameterSet& model = *m_memberSets[0];
    if (bSameKind) {
        for (const char* groupName : kSharedGroups) {
            CParameter* modelGroup = model.FindParameter(groupName);
            if (modelGroup == nullptr || modelGroup->GetSet() == nullptr)
                continue;
            // The copy holds compound copies of every member; each member's group of the same
            // name is attached member by member (members it lacks are left out). The first
            // member, whose values the copy starts from, is attached too: a change must reach
            // every selected component, not all but the first.
            std::unique_ptr<CCompoundParameter> shared = CCompoundParameter::MakeCopy(*modelGroup);
            for (std::size_t i = 0; i < m_memberSets.size(); ++i) {
                if (m_memberSets[i] == nullptr)
                    continue;
                if (CParameter* same = m_memberSets[i]->FindParameter(groupName))
                    shared->AddChild(same);
            }
            m_sharedSet->Add(std::move(shared));
        }
        return;
    }
    // A mixed selection shares only what every component has: its visibility settings.
    auto behaviour = std::make_unique<CParameter>("Behavior", model::ParamType::Group);
    behaviour->GetSet()->SetName("Behavior");
    behaviour->GetSet()->SetPageKind(model::kPageBg);
    const CParameterSet* modelBehaviour = GroupSet(model, "Behavior");
    for (const char* name : kVisibility) {
        CParameter* source = modelBehaviour != nullptr ? modelBehaviour->FindParameter(name) : nullptr;
        if (source == nullptr)
            continue;
        std::unique_ptr<CCompoundParameter> shared = CCompoundParameter::MakeCopy(*source);
        for (std::size_t i = 0; i < m_memberSets.size(); ++i) {
            const CParameterSet* other = m_memberSets[i] != nullptr ? GroupSet(*m_memberSets[i], "Behavior") : nullptr;
            if (other == nullptr)
                continue;
            if (CParameter* same = other->FindParameter(name))
                shared->AddChild(same);
        }
        behaviour->GetSet()->Add(std::move(shared));
    }
    m_sharedSet->Add(std::move(behaviour));
}

void CMultiSelectObj::EditProperties(bool bSameKind)
{
    SetDocumentModified();
    if (m_memberSets.size() <= 1)
        return;
    if (!OpenPanelSwitch())
        return;
    if (m_memberSets.size() > kMaxEditedSets) {
        ShowMessageBox(AfxGetMainWnd(),
                       "Editing properties on more than fifty components is restricted for performance reasons.",
                       "Warning", MB_ICONERROR);
        return;
    }
    BuildSharedSet(bSameKind);
    m_panel->ShowProperties(m_sharedSet.get(), PageOwner());
}

void CMultiSelectObj::Refresh(int nFlag)
{
    CWaitCursor wait;
    for (CComponentObj* member : m_members)
        member->Refresh(nFlag);
}

std::string CMultiSelectObj::GetTypeName() const
{
    if (!m_bSameKind)
        return kDynamicVisibility;
    return CComponentObj::GetTypeName();
}

std::string CMultiSelectObj::GetName() const
{
    if (!m_bSameKind)
        return kDynamicVisibility;
    if (m_members.empty() || m_members[0]->GetInstanceCount() == 0)
        return {};
    const CComponentDef* def = m_members[0]->GetInstance(0)->GetDefinition();
    return def != nullptr ? def->GetDisplayName() : std::string();
}

void CMultiSelectObj::Clear()
{
    CComponentObj::ClosePropertyPanel();
    m_instances.clear();
    m_members.clear();
    m_memberSets.clear();
}

void CMultiSelectObj::Reset()
{
    Clear();
    m_sharedSet.reset();
}
