#include "pages/ScrollBehavior.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "pages/PageBlocks.h"
#include "pages/PageKit.h"
#include "propui/ComponentPage.h"

namespace pages {

void CScrollRadios::Attach(CComponentPage& page, CParameter* behaviour, Ids ids)
{
    m_page = &page;
    m_behaviour = behaviour;
    m_ids = ids;
    if (behaviour == nullptr)
        Enable(false);
    else
        Load();
}

void CScrollRadios::Load()
{
    if (m_behaviour == nullptr)
        return;
    const std::string value = ChoiceText(m_behaviour);
    const int checked = value == kScrollEnabled    ? m_ids.enable
                        : value == kScrollDisabled ? m_ids.disable
                                                   : m_ids.autoHide;
    for (int id : {m_ids.enable, m_ids.disable, m_ids.autoHide})
        m_page->CheckDlgButton(id, id == checked ? BST_CHECKED : BST_UNCHECKED);
}

void CScrollRadios::Enable(bool enable)
{
    EnableItems(*m_page, {m_ids.enable, m_ids.disable, m_ids.autoHide, m_ids.group},
                enable && m_behaviour != nullptr);
}

bool CScrollRadios::OnClicked(int id)
{
    if (!Owns(id))
        return false;
    const char* value = id == m_ids.enable    ? kScrollEnabled
                        : id == m_ids.disable ? kScrollDisabled
                                              : kScrollAutoHide;
    // A click on the checked button stores the same text again; the stage shows the same.
    if (SetChoiceText(m_behaviour, value))
        m_page->NotifyOwnerChanged();
    return true;
}

void DisableHorizontalScroll(CParameterSet* root)
{
    SetChoiceText(FindInComponent(root, "hScrollBarBehavior"), kScrollDisabled);
}

std::optional<bool> ScrollBarsCanShow(const CParameterSet* root)
{
    const CParameter* horizontal = FindInComponent(root, "hScrollBarBehavior");
    if (horizontal == nullptr)
        return std::nullopt;
    const CParameter* vertical = FindInComponent(root, "vScrollBarBehavior");
    const bool verticalShows = vertical != nullptr && ChoiceText(vertical) != kScrollDisabled;
    return ChoiceText(horizontal) != kScrollDisabled || verticalShows;
}

} // namespace pages
