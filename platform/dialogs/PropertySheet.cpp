#include "platform/dialogs/PropertySheet.h"

#include "platform/controls/Button.h"
#include "platform/controls/ControlWnd.h"
#include "platform/drawing/DC.h"
#include "platform/window/Screen.h"

#include <algorithm>

namespace {

constexpr int kMargin = 7;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;
constexpr int kTabId = 0x3020;

} // namespace

CPropertySheet::CPropertySheet() = default;

CPropertySheet::CPropertySheet(const char* caption, CWnd* parent, UINT selectPage)
{
    Construct(caption, parent, selectPage);
}

CPropertySheet::~CPropertySheet()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
    for (CPropertyPage* p : m_pages)
        p->m_sheet = nullptr;
}

void CPropertySheet::Construct(const char* caption, CWnd* parent, UINT selectPage)
{
    m_title = caption != nullptr ? caption : "";
    m_parent = parent;
    m_psh.nStartPage = selectPage;
}

void CPropertySheet::AddPage(CPropertyPage* page)
{
    if (page == nullptr)
        return;
    m_pages.push_back(page);
    page->m_sheet = this;
    if (m_tab) {
        m_tab->InsertItem(GetPageCount() - 1, page->GetTitle().c_str());
        if (m_active < 0)
            Activate(0, false);
    }
}

void CPropertySheet::RemovePage(int index)
{
    CPropertyPage* page = GetPage(index);
    if (page == nullptr)
        return;
    const bool wasActive = m_hWnd != nullptr && index == m_active;
    if (page->GetSafeHwnd() != nullptr)
        page->DestroyWindow();
    page->m_sheet = nullptr;
    m_pages.erase(m_pages.begin() + index);
    if (m_tab)
        m_tab->DeleteItem(index);
    if (m_hWnd == nullptr) {
        if (static_cast<int>(m_psh.nStartPage) >= GetPageCount())
            m_psh.nStartPage = 0;
        return;
    }
    if (wasActive) {
        m_active = -1;
        if (!m_pages.empty())
            Activate(std::min(index, GetPageCount() - 1), false);
    } else if (m_active > index) {
        --m_active;
    }
}

void CPropertySheet::RemovePage(CPropertyPage* page)
{
    RemovePage(GetPageIndex(page));
}

void CPropertySheet::ForgetPage(CPropertyPage* page)
{
    const int index = GetPageIndex(page);
    if (index < 0)
        return;
    m_pages.erase(m_pages.begin() + index);
    if (index == m_active)
        m_active = -1;
    else if (index < m_active)
        --m_active;
}

CPropertyPage* CPropertySheet::GetPage(int index) const
{
    return index >= 0 && index < GetPageCount() ? m_pages[static_cast<std::size_t>(index)] : nullptr;
}

int CPropertySheet::GetPageIndex(const CPropertyPage* page) const
{
    for (int i = 0; i < GetPageCount(); ++i)
        if (m_pages[static_cast<std::size_t>(i)] == page)
            return i;
    return -1;
}

BOOL CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount())
        return FALSE;
    if (m_hWnd == nullptr) {
        m_psh.nStartPage = static_cast<UINT>(index);
        return TRUE;
    }
    return Activate(index, true) ? TRUE : FALSE;
}

void CPropertySheet::SetTitle(const std::string& title, UINT style)
{
    m_title = title;
    if (style & PSH_PROPTITLE)
        m_psh.dwFlags |= PSH_PROPTITLE;
    else
        m_psh.dwFlags &= ~PSH_PROPTITLE;
    if (m_hWnd != nullptr)
        SetWindowText((m_psh.dwFlags & PSH_PROPTITLE) ? m_title + " Properties" : m_title);
}

CTabCtrl* CPropertySheet::GetTabControl() const
{
    return m_tab.get();
}

CRect CPropertySheet::PageArea() const
{
    CRect area;
    if (!m_tab)
        return area;
    area = m_tab->GetRectInParent();
    CRect inner(0, 0, area.Width(), area.Height());
    m_tab->AdjustRect(FALSE, &inner);
    inner.OffsetRect(area.left, area.top);
    return inner;
}

bool CPropertySheet::Activate(int index, bool askCurrent)
{
    CPropertyPage* next = GetPage(index);
    if (next == nullptr)
        return false;
    HWND self = m_hWnd;
    CPropertyPage* current = GetPage(m_active);
    if (current != nullptr && current != next && askCurrent && current->GetSafeHwnd() != nullptr &&
        !current->OnKillActive())
        return false;
    if (!IsWindow(self))
        return false;
    if (!next->CreatePage(this))
        return false;
    CRect area = PageArea();
    next->MoveWindow(area, FALSE);
    // The page lies over the tab control's display area: above it in the z-order, so that it
    // paints after the tabs.
    next->BringWindowToTop();
    if (current != nullptr && current != next && current->GetSafeHwnd() != nullptr)
        current->ShowWindow(SW_HIDE);
    m_active = index;
    if (m_tab)
        m_tab->SetCurSel(index);
    next->OnSetActive();
    if (next->GetSafeHwnd() != nullptr)
        next->ShowWindow(SW_SHOW);
    return true;
}

void CPropertySheet::Layout()
{
    // The sheet is as large as its largest page.
    CSize page(0, 0);
    for (CPropertyPage* p : m_pages) {
        if (const DialogTemplate* t = p->GetTemplate()) {
            LOGFONT lf = ui::TemplateFont(*t);
            CRect r = ui::DialogUnitsToPixels(0, 0, t->cx, t->cy, lf);
            page.cx = std::max(page.cx, r.Width());
            page.cy = std::max(page.cy, r.Height());
        }
    }
    const bool child = (GetStyle() & WS_CHILD) != 0;
    const int margin = child ? 0 : kMargin;
    CRect tabRect(0, 0, page.cx, page.cy);
    m_tab->AdjustRect(TRUE, &tabRect);
    tabRect.OffsetRect(margin - tabRect.left, margin - tabRect.top);
    m_tab->MoveWindow(tabRect, FALSE);
    int width = tabRect.right + margin;
    int height = tabRect.bottom + margin;
    if (m_buttons) {
        int y = tabRect.bottom + kMargin;
        int x = tabRect.right;
        std::vector<CWnd*> row;
        for (auto& b : m_buttonWnds)
            row.push_back(b.get());
        for (auto it = row.rbegin(); it != row.rend(); ++it) {
            x -= kButtonWidth;
            (*it)->MoveWindow(x, y, kButtonWidth, kButtonHeight, FALSE);
            x -= 6;
        }
        height = y + kButtonHeight + kMargin;
    }
    CRect r = GetRectInParent();
    MoveWindow(r.left, r.top, width, height, FALSE);
}

BOOL CPropertySheet::CreateSheet(CWnd* parent, DWORD style, DWORD exStyle, bool buttons)
{
    if (m_hWnd != nullptr || m_pages.empty())
        return FALSE;
    m_font.CreatePointFont(80, "MS Shell Dlg", GetScreenMetrics().dpiY);
    m_buttons = buttons;
    m_ended = false;
    m_result = -1;
    const bool child = (style & WS_CHILD) != 0;
    std::string caption = (m_psh.dwFlags & PSH_PROPTITLE) ? m_title + " Properties" : m_title;
    if (!CreateEx(exStyle | (child ? WS_EX_CONTROLPARENT : 0), "#32770", caption.c_str(), style & ~WS_VISIBLE,
                  CRect(0, 0, 100, 100), parent, 0))
        return FALSE;
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(&m_font));
    m_tab = std::make_unique<CTabCtrl>();
    m_tab->Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(), this, kTabId);
    m_tab->SetFont(&m_font, FALSE);
    for (int i = 0; i < GetPageCount(); ++i)
        m_tab->InsertItem(i, GetPage(i)->GetTitle().c_str());
    m_buttonWnds.clear();
    if (buttons) {
        struct Spec {
            int id;
            const char* text;
            bool shown;
        };
        const Spec specs[] = {{IDOK, "OK", true},
                              {IDCANCEL, "Cancel", true},
                              {ID_APPLY_NOW, "&Apply", (m_psh.dwFlags & PSH_NOAPPLYNOW) == 0},
                              {IDHELP, "Help", (m_psh.dwFlags & PSH_HASHELP) != 0}};
        for (const Spec& s : specs) {
            if (!s.shown)
                continue;
            auto b = std::make_unique<CButton>();
            b->Create(s.text,
                      WS_CHILD | WS_VISIBLE | WS_TABSTOP | (s.id == IDOK ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON),
                      CRect(), this, static_cast<UINT>(s.id));
            b->SetFont(&m_font, FALSE);
            if (s.id == ID_APPLY_NOW)
                b->EnableWindow(FALSE);
            m_buttonWnds.push_back(std::move(b));
        }
    }
    Layout();
    if (!parent || !child) {
        CRect r = GetRectInParent();
        if (parent != nullptr) {
            CRect owner;
            parent->GetWindowRect(&owner);
            MoveWindow(owner.left + (owner.Width() - r.Width()) / 2,
                       owner.top + (owner.Height() - r.Height()) / 2, r.Width(), r.Height(), FALSE);
        }
    }
    HWND self = m_hWnd;
    int start = static_cast<int>(m_psh.nStartPage);
    if (start < 0 || start >= GetPageCount())
        start = 0;
    m_active = -1;
    Activate(start, false);
    if (!IsWindow(self))
        return FALSE;
    if (style & WS_VISIBLE)
        ShowWindow(SW_SHOW);
    return TRUE;
}

BOOL CPropertySheet::Create(CWnd* parent, DWORD style, DWORD exStyle)
{
    if (style == static_cast<DWORD>(-1))
        style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE;
    m_modal = false;
    m_parent = parent;
    if (!CreateSheet(parent, style, exStyle, false))
        return FALSE;
    if (CPropertyPage* page = GetActivePage())
        ui::RunDialogHook(*page, GetWindowText());
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    ui::ModalOwner owner(m_parent);
    m_modal = true;
    if (!CreateSheet(owner.Window(), WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE, 0,
                     true)) {
        m_modal = false;
        return -1;
    }
    const std::string key = GetWindowText();
    if (CPropertyPage* page = GetActivePage(); page != nullptr && !m_ended)
        ui::RunDialogHook(*page, key);
    ui::FinishModal(
        *this, m_ended, [this] { End(IDCANCEL); }, key, owner);
    m_modal = false;
    return m_result;
}

void CPropertySheet::End(int result)
{
    m_result = result;
    m_ended = true;
    if (!m_modal && m_hWnd != nullptr)
        DestroyWindow();
}

bool CPropertySheet::IsApplyEnabled() const
{
    CWnd* apply = GetDlgItem(ID_APPLY_NOW);
    return apply != nullptr && apply->IsWindowEnabled();
}

void CPropertySheet::PageChanged(CPropertyPage*, bool)
{
    bool any = false;
    for (CPropertyPage* p : m_pages)
        any = any || p->IsModified();
    if (CWnd* apply = GetDlgItem(ID_APPLY_NOW))
        apply->EnableWindow(any ? TRUE : FALSE);
}

bool CPropertySheet::Apply()
{
    CPropertyPage* current = GetActivePage();
    if (current != nullptr && current->GetSafeHwnd() != nullptr && !current->OnKillActive())
        return false;
    for (CPropertyPage* p : std::vector<CPropertyPage*>(m_pages))
        if (p->GetSafeHwnd() != nullptr && !p->OnApply()) {
            SetActivePage(p);
            return false;
        }
    for (CPropertyPage* p : m_pages)
        p->m_modified = false;
    PageChanged(nullptr, false);
    return true;
}

void CPropertySheet::OnOkButton()
{
    if (Apply())
        End(IDOK);
}

void CPropertySheet::OnCancelButton()
{
    for (CPropertyPage* p : m_pages)
        if (p->GetSafeHwnd() != nullptr && !p->OnQueryCancel())
            return;
    for (CPropertyPage* p : std::vector<CPropertyPage*>(m_pages))
        if (p->GetSafeHwnd() != nullptr)
            p->OnReset();
    End(IDCANCEL);
}

void CPropertySheet::OnHelpButton()
{
    if (CPropertyPage* page = GetActivePage(); page != nullptr && page->GetSafeHwnd() != nullptr)
        page->SendMessage(WM_COMMANDHELP);
}

BOOL CPropertySheet::PressButton(int button)
{
    switch (button) {
    case PSBTN_OK:
        OnOkButton();
        return TRUE;
    case PSBTN_CANCEL:
        OnCancelButton();
        return TRUE;
    case PSBTN_APPLYNOW:
        return Apply() ? TRUE : FALSE;
    case PSBTN_HELP:
        OnHelpButton();
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPropertySheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (code == BN_CLICKED && lParam != 0 && CWnd::FromHandle(reinterpret_cast<HWND>(lParam)) != nullptr &&
        CWnd::FromHandle(reinterpret_cast<HWND>(lParam))->GetParent() == this) {
        switch (id) {
        case IDOK:
            OnOkButton();
            return TRUE;
        case IDCANCEL:
            OnCancelButton();
            return TRUE;
        case ID_APPLY_NOW:
            Apply();
            return TRUE;
        case IDHELP:
            OnHelpButton();
            return TRUE;
        default:
            break;
        }
    }
    // The dialog keys of a sheet without buttons have nothing to press.
    if (code == BN_CLICKED && lParam == 0 && m_buttons && (id == IDOK || id == IDCANCEL)) {
        id == IDOK ? OnOkButton() : OnCancelButton();
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}

BOOL CPropertySheet::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* h = reinterpret_cast<NMHDR*>(lParam);
    if (m_tab && h != nullptr && h->hwndFrom == m_tab->GetSafeHwnd()) {
        if (h->code == TCN_SELCHANGING) {
            CPropertyPage* current = GetActivePage();
            bool keep = current != nullptr && current->GetSafeHwnd() != nullptr && !current->OnKillActive();
            *pResult = keep ? TRUE : FALSE;
            return TRUE;
        }
        if (h->code == TCN_SELCHANGE) {
            Activate(m_tab->GetCurSel(), false);
            *pResult = 0;
            return TRUE;
        }
    }
    return CWnd::OnNotify(wParam, lParam, pResult);
}

LRESULT CPropertySheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case PSM_GETTABCONTROL:
        return reinterpret_cast<LRESULT>(m_tab ? m_tab->GetSafeHwnd() : nullptr);
    case PSM_SETCURSEL:
        if (lParam != 0) {
            for (int i = 0; i < GetPageCount(); ++i)
                if (GetPage(i)->GetSafeHwnd() == reinterpret_cast<HWND>(lParam))
                    return SetActivePage(i);
        }
        return SetActivePage(static_cast<int>(wParam));
    case PSM_CHANGED:
    case PSM_UNCHANGED:
        for (CPropertyPage* p : m_pages)
            if (p->GetSafeHwnd() == reinterpret_cast<HWND>(wParam))
                p->SetModified(message == PSM_CHANGED);
        return 0;
    case WM_SETFONT:
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(&m_font);
    case WM_CLOSE:
        if (m_modal)
            OnCancelButton();
        else
            DestroyWindow();
        return 0;
    case WM_DESTROY:
        m_active = -1;
        return 0;
    case WM_NCDESTROY:
        m_buttonWnds.clear();
        m_tab.reset();
        return CWnd::DefWindowProc(message, wParam, lParam);
    case WM_PAINT:
        ui::PaintDialogFace(*this);
        return 0;
    default:
        return CWnd::DefWindowProc(message, wParam, lParam);
    }
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (!ui::IsForTopLevelDialog(*this, pMsg))
        return FALSE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F1) {
        OnHelpButton();
        return TRUE;
    }
    return ui::HandleDialogKey(*this, pMsg, IDOK, m_buttons) ? TRUE : FALSE;
}
