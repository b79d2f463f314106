#include "platform/window/CmdUI.h"

#include "platform/window/CmdTarget.h"
#include "platform/docview/Menu.h"
#include "platform/window/Wnd.h"

enum : UINT { BM_SETCHECK_MESSAGE = 0x00F1 };

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
        }
    } else if (m_pOther != nullptr) {
        // A control that is losing the focus hands it on first, as a disabled one cannot hold it.
        if (!bOn && CWnd::GetFocus() == m_pOther && m_pOther->GetParent() != nullptr) {
            m_pOther->GetParent()->SetFocus();
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck ? MF_CHECKED : MF_UNCHECKED));
        }
    } else if (m_pOther != nullptr) {
        m_pOther->SendMessage(BM_SETCHECK_MESSAGE, static_cast<WPARAM>(nCheck), 0);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            m_pMenu->CheckMenuRadioItem(m_nIndex, m_nIndex, bOn ? m_nIndex : static_cast<UINT>(-1),
                                        MF_BYPOSITION);
        }
    } else {
        SetCheck(bOn ? 1 : 0);
    }
}

void CCmdUI::SetText(const std::string& text)
{
    if (m_pMenu != nullptr) {
        if (m_pSubMenu == nullptr) {
            const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
            m_pMenu->ModifyMenu(m_nIndex,
                                MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)),
                                m_nID, text.c_str());
        }
    } else if (m_pOther != nullptr) {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || pTarget == nullptr) {
        return TRUE; // separators and targetless elements have nothing to ask
    }
    m_bEnableChanged = FALSE;
    const BOOL handled = pTarget->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged) {
        AFX_CMDHANDLERINFO info;
        const BOOL hasHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(hasHandler);
    }
    return handled;
}

void CCmdUIProbe::Enable(BOOL bOn)
{
    enabled = bOn != FALSE;
    m_bEnableChanged = TRUE;
}

void CCmdUIProbe::SetCheck(int nCheck)
{
    check = nCheck;
}

void CCmdUIProbe::SetRadio(BOOL bOn)
{
    radio = bOn != FALSE;
}

void CCmdUIProbe::SetText(const std::string& value)
{
    text = value;
}

bool IsCommandEnabled(CCmdTarget& target, UINT nID)
{
    CCmdUIProbe probe;
    probe.m_nID = nID;
    target.OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &probe, nullptr);
    return probe.enabled;
}
