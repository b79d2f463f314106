#include "app/canvas/ObjectBrowserDlg.h"

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/CanvasView.h"
#include "app/core/AppIds.h"
#include "app/stage/StageFlashCtrl.h"
#include "platform/controls/ControlMessages.h"
#include "platform/controls/ListCtrl.h"

BEGIN_MESSAGE_MAP(CObjectBrowserDlg, CDialog)
    .Notify(LVN_ITEMCHANGED, IDC_BROWSER_LIST, &CObjectBrowserDlg::OnItemChanged)
    .Notify(LVN_ENDLABELEDIT, IDC_BROWSER_LIST, &CObjectBrowserDlg::OnEndLabelEdit)
    .OnSize(&CObjectBrowserDlg::OnBrowserSize) END_MESSAGE_MAP()

namespace {

constexpr UINT kChecked = INDEXTOSTATEIMAGEMASK(2);

CComponentObj* AsComponent(CDrawObj* obj)
{
    return dynamic_cast<CComponentObj*>(obj);
}

bool IsShown(CDrawObj* obj)
{
    const CComponentObj* component = AsComponent(obj);
    return component == nullptr || component->m_bShown;
}

void CloseOpenSheet()
{
    IPropertiesPanel* panel = CComponentObj::GetCurrentPanel();
    if (panel != nullptr && panel->IsSheetOpen())
        panel->CloseSheet();
}

// Hides (disabled on the stage) or shows an object.
void SetShown(CDrawDoc* doc, CDrawObj* obj, bool shown)
{
    CComponentObj* component = AsComponent(obj);
    if (component == nullptr)
        return;
    if (CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr) {
        if (shown)
            stage->EnableComponent(*component);
        else
            stage->DisableComponent(*component);
    }
    component->m_bShown = shown;
}

} // namespace

DialogTemplate CObjectBrowserDlg::MakeTemplate()
{
    DialogTemplate t;
    t.id = IDD_OBJECT_BROWSER;
    t.caption = "Object Browser";
    t.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | DS_SETFONT;
    t.exStyle = kToolWindow; // kept above the main window by the desktop
    t.cx = 150;
    t.cy = 120;
    t.Add("SysListView32", "", IDC_BROWSER_LIST, 0, 0, 150, 120,
          WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS);
    return t;
}

CObjectBrowserDlg::CObjectBrowserDlg(ICanvasView& view) : m_view(view) {}

CObjectBrowserDlg::~CObjectBrowserDlg()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CObjectBrowserDlg::Create(CWnd* parent)
{
    return CreateIndirect(MakeTemplate(), parent);
}

CListCtrl& CObjectBrowserDlg::List() const
{
    return *dynamic_cast<CListCtrl*>(GetDlgItem(IDC_BROWSER_LIST));
}

BOOL CObjectBrowserDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CListCtrl& list = List();
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    CRect r;
    list.GetClientRect(&r);
    list.InsertColumn(0, "Check to Hide Component", LVCFMT_LEFT, r.Width() - 5);
    GotoDlgCtrl(&list);
    return FALSE;
}

void CObjectBrowserDlg::OnCancel()
{
    // Closing only hides the window; the view shows it again with its rows.
    ShowWindow(SW_HIDE);
}

void CObjectBrowserDlg::OnBrowserSize(UINT nType, int cx, int cy)
{
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    if (CWnd* list = GetDlgItem(IDC_BROWSER_LIST)) {
        list->MoveWindow(0, 0, cx, cy);
        List().SetColumnWidth(0, cx - 5);
    }
}

CDrawObj* CObjectBrowserDlg::RowObject(int row) const
{
    CDrawObj* obj = reinterpret_cast<CDrawObj*>(List().GetItemData(row));
    const CDrawDoc* doc = m_view.GetDocument();
    return doc != nullptr && doc->Contains(obj) ? obj : nullptr;
}

void CObjectBrowserDlg::FillList()
{
    if (GetSafeHwnd() == nullptr)
        return;
    m_bFilling = true;
    CListCtrl& list = List();
    list.DeleteAllItems();
    if (const CDrawDoc* doc = m_view.GetDocument()) {
        int row = 0;
        for (CDrawObj* obj : doc->GetObjects()) {
            const CComponentObj* component = AsComponent(obj);
            list.InsertItem(row, component != nullptr ? component->GetName().c_str() : "");
            list.SetItemData(row, reinterpret_cast<std::uintptr_t>(obj));
            if (m_view.IsSelected(obj)) {
                list.SetItemState(row, LVIS_SELECTED, LVIS_SELECTED);
                list.EnsureVisible(row, FALSE);
            }
            list.SetCheck(row, !IsShown(obj));
            ++row;
        }
    }
    m_bFilling = false;
}

void CObjectBrowserDlg::OnItemChanged(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (m_bFilling)
        return;
    const auto* change = reinterpret_cast<NMLISTVIEW*>(pNMHDR);
    CDrawObj* obj = change->iItem >= 0 ? RowObject(change->iItem) : nullptr;
    if (obj == nullptr)
        return;
    CDrawDoc* doc = m_view.GetDocument();
    CListCtrl& list = List();
    const UINT oldCheck = change->uOldState & LVIS_STATEIMAGEMASK;
    const UINT newCheck = change->uNewState & LVIS_STATEIMAGEMASK;
    const bool wasSelected = (change->uOldState & LVIS_SELECTED) != 0;
    const bool nowSelected = (change->uNewState & LVIS_SELECTED) != 0;

    if (oldCheck != newCheck && oldCheck != 0) {
        const bool checked = newCheck == kChecked;
        m_bFilling = true;
        if (m_view.IsSelected(obj)) {
            if (checked)
                CloseOpenSheet();
            bool lastShown = true;
            for (CDrawObj* selected : m_view.GetSelection()) {
                m_view.InvalObj(selected);
                SetShown(doc, selected, !checked);
                lastShown = !checked;
            }
            for (int row = 0; row < list.GetItemCount(); ++row) {
                if ((list.GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) == 0)
                    continue;
                list.SetItemState(row, 0, LVIS_SELECTED);
                list.SetCheck(row, !lastShown);
            }
            m_view.Select(nullptr);
        } else {
            m_view.InvalObj(obj);
            SetShown(doc, obj, !checked);
            if (checked)
                list.SetItemState(change->iItem, 0, LVIS_SELECTED);
        }
        m_bFilling = false;
        m_view.Window().Invalidate(FALSE);
        return;
    }
    if (nowSelected && !wasSelected && !m_view.IsSelected(obj)) {
        if (!IsShown(obj)) {
            // A hidden object cannot be selected: the row goes back.
            m_bFilling = true;
            list.SetItemState(change->iItem, 0, LVIS_SELECTED);
            m_bFilling = false;
            return;
        }
        m_view.InvalObj(obj);
        m_bFilling = true;
        m_view.Select(obj, true);
        m_bFilling = false;
        const auto& selection = m_view.GetSelection();
        const CComponentObj* only = selection.size() == 1 ? AsComponent(selection.front()) : nullptr;
        if (only != nullptr && only->GetInstanceCount() == 1)
            selection.front()->FollowPropertyPanel();
        else
            CloseOpenSheet();
        return;
    }
    if (!nowSelected && wasSelected && m_view.IsSelected(obj)) {
        m_view.InvalObj(obj);
        m_bFilling = true;
        m_view.Deselect(obj);
        m_bFilling = false;
    }
}

void CObjectBrowserDlg::OnEndLabelEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* info = reinterpret_cast<NMLVDISPINFO*>(pNMHDR);
    *pResult = FALSE;
    // A cancelled edit and an empty name are refused: every object keeps a name to be found by.
    if (info->item.pszText == nullptr || info->item.pszText[0] == '\0')
        return;
    if (CComponentObj* component = AsComponent(RowObject(info->item.iItem))) {
        component->SetName(info->item.pszText);
        *pResult = TRUE;
    }
}
