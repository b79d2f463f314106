#pragma once

// The object that stands for a selection of several canvas objects while their properties are
// edited together: it lists the selected instances and builds a shared parameter set whose
// parameters write through to every member.

#include <memory>
#include <vector>

#include "app/canvas/ComponentObj.h"

class CParameterSet;

class CMultiSelectObj : public CComponentObj {
public:
    CMultiSelectObj();
    ~CMultiSelectObj() override;

    // More member sets than this are refused: every change writes through to each of them.
    static constexpr std::size_t kMaxEditedSets = 50;

    void AddMember(CComponentObj* member);
    // Same kind: the members' "General", "Behavior", "Alerts" and "Appearance" groups shared;
    // mixed: only the visibility settings of "Behavior".
    void BuildSharedSet(bool bSameKind);
    void EditProperties(bool bSameKind);
    void OnEditProperties() override { EditProperties(m_bSameKind); }
    void Refresh(int nFlag) override;
    void ClosePropertyPanel() override { Clear(); }
    std::string GetTypeName() const override;
    std::string GetName() const override;

    // Lets go of the members and closes the panel when it is the current one.
    void Clear();
    // Clear, and the shared set goes too.
    void Reset();

    CParameterSet* GetSharedSet() const { return m_sharedSet.get(); }
    const std::vector<CParameterSet*>& GetMemberSets() const { return m_memberSets; }
    const std::vector<CComponentObj*>& GetMembers() const { return m_members; }

    // Whether the selection is of one kind; the view sets it as the selection changes.
    bool m_bSameKind = true;

private:
    std::unique_ptr<CParameterSet> m_sharedSet;
    std::vector<CParameterSet*> m_memberSets;
    std::vector<CComponentObj*> m_members;
};
