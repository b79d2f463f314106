#include "platform/window/CmdTarget.h"

#include "platform/window/CmdUI.h"
#include "platform/window/Input.h"

const ui::MessageMap* CCmdTarget::GetThisMessageMap()
{
    static const ui::MessageMap root;
    return &root;
}

namespace {

bool InRange(const ui::MessageMapEntry& e, UINT id)
{
    return id >= e.idFirst && id <= e.idLast;
}

} // namespace

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    const bool isUpdate = nCode == CN_UPDATE_COMMAND_UI;
    const bool isNotify = !isUpdate && (static_cast<UINT>(nCode) >> 16) == WM_NOTIFY;
    const UINT code = isNotify ? (static_cast<UINT>(nCode) & 0xFFFF) : static_cast<UINT>(nCode);

    for (const ui::MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const ui::MessageMapEntry& e : map->entries) {
            if (!InRange(e, nID)) {
                continue;
            }
            if (isUpdate && e.kind == ui::EntryKind::UpdateUI) {
                if (pHandlerInfo != nullptr) {
                    pHandlerInfo->pTarget = this;
                    return TRUE;
                }
                auto* cmdUI = static_cast<CCmdUI*>(pExtra);
                cmdUI->m_bContinueRouting = FALSE;
                e.onUpdate(*this, cmdUI);
                return cmdUI->m_bContinueRouting ? FALSE : TRUE;
            }
            if (isNotify && e.kind == ui::EntryKind::Notify && (e.code & 0xFFFF) == code) {
                if (pHandlerInfo != nullptr) {
                    pHandlerInfo->pTarget = this;
                    return TRUE;
                }
                auto* notify = static_cast<AFX_NOTIFY*>(pExtra);
                if (e.onNotify(*this, nID, notify->pNMHDR, notify->pResult)) {
                    return TRUE;
                }
                continue;
            }
            if (!isUpdate && !isNotify && e.kind == ui::EntryKind::Command && e.code == code) {
                if (pHandlerInfo != nullptr) {
                    pHandlerInfo->pTarget = this;
                    return TRUE;
                }
                if (e.onCommand(*this, nID)) {
                    return TRUE;
                }
            }
        }
    }
    return FALSE;
}

bool CCmdTarget::DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    for (const ui::MessageMap* map = GetMessageMap(); map != nullptr; map = map->base) {
        for (const ui::MessageMapEntry& e : map->entries) {
            if (e.kind == ui::EntryKind::Message && e.message == message) {
                result = e.onMessage(*this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}

void CCmdTarget::BeginWaitCursor()
{
    GetInputState().BeginWait();
}

void CCmdTarget::EndWaitCursor()
{
    GetInputState().EndWait();
}

void CCmdTarget::RestoreWaitCursor()
{
    GetInputState().RestoreWait();
}
