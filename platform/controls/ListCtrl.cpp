#include "platform/controls/ListCtrl.h"

#include "platform/drawing/DC.h"
#include "platform/controls/Edit.h"
#include "platform/drawing/Font.h"
#include "platform/drawing/Look.h"
#include "platform/controls/ImageList.h"

#include <algorithm>

// The edit of a label: Enter keeps the text, Escape drops it, losing the focus keeps it.
class CListCtrl::LabelEdit : public CEdit {
public:
    explicit LabelEdit(CListCtrl& list) : m_list(list) {}
    bool m_ending = false;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_GETDLGCODE)
            return DLGC_WANTALLKEYS | CEdit::DefWindowProc(message, wParam, lParam);
        if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) {
            m_list.EndLabelEdit(wParam == VK_ESCAPE);
            return 0;
        }
        if (message == WM_CHAR && (wParam == '\r' || wParam == 0x1B))
            return 0;
        LRESULT r = CEdit::DefWindowProc(message, wParam, lParam);
        if (message == WM_KILLFOCUS && !m_ending)
            m_list.EndLabelEdit(false);
        return r;
    }

private:
    CListCtrl& m_list;
};

CListCtrl::CListCtrl() = default;

CListCtrl::~CListCtrl()
{
    if (m_edit && m_edit->GetSafeHwnd() != nullptr) {
        m_edit->m_ending = true;
        m_edit->DestroyWindow();
    }
}

BOOL CListCtrl::Create(DWORD style, const CRect& rect, CWnd* parent, UINT id)
{
    return CWnd::Create("SysListView32", "", style, rect, parent, id);
}

int CListCtrl::InsertColumn(int index, const char* heading, int format, int width, int)
{
    index = std::clamp(index, 0, GetColumnCount());
    Column c;
    c.text = heading != nullptr ? heading : "";
    c.format = format;
    c.width = width >= 0 ? width : ui::TextWidth(c.text, FontRecord()) + 12;
    m_columns.insert(m_columns.begin() + index, c);
    for (Item& item : m_items)
        if (index > 0 && static_cast<std::size_t>(index) <= item.texts.size())
            item.texts.insert(item.texts.begin() + index, std::string());
    Invalidate();
    return index;
}

BOOL CListCtrl::DeleteColumn(int index)
{
    if (index < 0 || index >= GetColumnCount())
        return FALSE;
    m_columns.erase(m_columns.begin() + index);
    for (Item& item : m_items)
        if (static_cast<std::size_t>(index) < item.texts.size())
            item.texts.erase(item.texts.begin() + index);
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= GetColumnCount())
        return FALSE;
    m_columns[static_cast<std::size_t>(column)].width = std::max(0, width);
    Invalidate();
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[static_cast<std::size_t>(column)].width : 0;
}

std::string CListCtrl::GetColumnText(int column) const
{
    return column >= 0 && column < GetColumnCount() ? m_columns[static_cast<std::size_t>(column)].text : "";
}

LRESULT CListCtrl::NotifyItem(UINT code, int index, int subItem, UINT oldState, UINT newState, UINT changed,
                              CPoint pt)
{
    NMLISTVIEW nm;
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.uOldState = oldState;
    nm.uNewState = newState;
    nm.uChanged = changed;
    nm.ptAction = pt;
    nm.lParam = Valid(index) ? static_cast<LPARAM>(m_items[static_cast<std::size_t>(index)].data) : 0;
    return SendNotify(nm.hdr, code);
}

bool CListCtrl::ChangeState(int index, UINT state, UINT mask)
{
    if (!Valid(index))
        return false;
    HWND self = m_hWnd;
    // One selected item in a single-selection list, and one focused item in any list.
    UINT exclusive =
        mask & state & (LVIS_FOCUSED | ((GetStyle() & LVS_SINGLESEL) ? UINT(LVIS_SELECTED) : 0u));
    // When another item keeps its selection or focus, this one cannot take it.
    if (exclusive != 0)
        for (int i = 0; i < GetItemCount(); ++i)
            if (i != index && (m_items[static_cast<std::size_t>(i)].state & exclusive) &&
                !ChangeState(i, 0, exclusive))
                return false;
    if (CWnd::FromHandle(self) != this || !Valid(index))
        return false;
    UINT old = m_items[static_cast<std::size_t>(index)].state;
    UINT now = (old & ~mask) | (state & mask);
    if (now == old)
        return true;
    if (NotifyItem(LVN_ITEMCHANGING, index, 0, old, now, LVIF_STATE, CPoint()) != 0)
        return false;
    if (CWnd::FromHandle(self) != this || !Valid(index))
        return false;
    m_items[static_cast<std::size_t>(index)].state = now;
    Invalidate();
    NotifyItem(LVN_ITEMCHANGED, index, 0, old, now, LVIF_STATE, CPoint());
    return true;
}

int CListCtrl::InsertItem(int index, const char* text, int image)
{
    LVITEM item;
    item.mask = LVIF_TEXT | (image >= 0 ? UINT(LVIF_IMAGE) : 0u);
    item.iItem = index;
    item.pszText = text;
    item.iImage = image;
    return InsertItem(&item);
}

int CListCtrl::InsertItem(const LVITEM* lvi)
{
    if (lvi == nullptr || lvi->iSubItem != 0)
        return -1;
    int index = std::clamp(lvi->iItem, 0, GetItemCount());
    Item item;
    item.texts.assign(std::max<std::size_t>(1, m_columns.size()), std::string());
    if ((lvi->mask & LVIF_TEXT) && lvi->pszText != nullptr)
        item.texts[0] = lvi->pszText;
    if (lvi->mask & LVIF_IMAGE)
        item.image = lvi->iImage;
    if (lvi->mask & LVIF_PARAM)
        item.data = static_cast<std::uintptr_t>(lvi->lParam);
    UINT state = (lvi->mask & LVIF_STATE) ? (lvi->state & lvi->stateMask) : 0;
    item.state = state & ~UINT(LVIS_SELECTED | LVIS_FOCUSED);
    m_items.insert(m_items.begin() + index, std::move(item));
    if (m_editItem >= index)
        ++m_editItem;
    HWND self = m_hWnd;
    NotifyItem(LVN_INSERTITEM, index, 0, 0, 0, 0, CPoint());
    // The parent may have emptied or destroyed the list meanwhile.
    if (CWnd::FromHandle(self) != this || !Valid(index))
        return index;
    if ((m_exStyle & LVS_EX_CHECKBOXES) &&
        (m_items[static_cast<std::size_t>(index)].state & LVIS_STATEIMAGEMASK) == 0)
        ChangeState(index, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    if (state & (LVIS_SELECTED | LVIS_FOCUSED))
        ChangeState(index, state, LVIS_SELECTED | LVIS_FOCUSED);
    Invalidate();
    return index;
}

BOOL CListCtrl::DeleteItem(int index)
{
    if (!Valid(index))
        return FALSE;
    if (index == m_editItem)
        EndLabelEdit(true);
    HWND self = m_hWnd;
    NotifyItem(LVN_DELETEITEM, index, 0, 0, 0, 0, CPoint());
    if (CWnd::FromHandle(self) != this || !Valid(index))
        return FALSE;
    m_items.erase(m_items.begin() + index);
    if (m_editItem > index)
        --m_editItem;
    ClampTop();
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    if (m_editItem >= 0)
        EndLabelEdit(true);
    HWND self = m_hWnd;
    if (!m_items.empty()) {
        // The parent may answer TRUE to skip the per-item notifications.
        bool perItem = NotifyItem(LVN_DELETEALLITEMS, -1, 0, 0, 0, 0, CPoint()) == 0;
        for (int i = 0; perItem && i < GetItemCount() && CWnd::FromHandle(self) == this; ++i)
            NotifyItem(LVN_DELETEITEM, i, 0, 0, 0, 0, CPoint());
    }
    if (CWnd::FromHandle(self) != this)
        return FALSE;
    m_items.clear();
    m_top = 0;
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::SetItemText(int index, int subItem, const char* text)
{
    if (!Valid(index) || subItem < 0 || (subItem > 0 && subItem >= GetColumnCount()))
        return FALSE;
    Item& item = m_items[static_cast<std::size_t>(index)];
    if (item.texts.size() <= static_cast<std::size_t>(subItem))
        item.texts.resize(static_cast<std::size_t>(subItem) + 1);
    item.texts[static_cast<std::size_t>(subItem)] = text != nullptr ? text : "";
    Invalidate();
    return TRUE;
}

std::string CListCtrl::GetItemText(int index, int subItem) const
{
    if (!Valid(index) || subItem < 0)
        return {};
    const Item& item = m_items[static_cast<std::size_t>(index)];
    return static_cast<std::size_t>(subItem) < item.texts.size()
               ? item.texts[static_cast<std::size_t>(subItem)]
               : "";
}

BOOL CListCtrl::SetItemData(int index, std::uintptr_t data)
{
    if (!Valid(index))
        return FALSE;
    m_items[static_cast<std::size_t>(index)].data = data;
    return TRUE;
}

BOOL CListCtrl::SetItemToolTip(int index, const std::string& tip)
{
    if (!Valid(index))
        return FALSE;
    m_items[static_cast<std::size_t>(index)].tip = tip;
    return TRUE;
}

std::string CListCtrl::ToolTipAt(CPoint point, CRect* item) const
{
    const int hit = HitTest(point);
    if (!Valid(hit))
        return {};
    if (item != nullptr)
        GetItemRect(hit, item, LVIR_BOUNDS);
    return m_items[static_cast<std::size_t>(hit)].tip;
}

std::uintptr_t CListCtrl::GetItemData(int index) const
{
    return Valid(index) ? m_items[static_cast<std::size_t>(index)].data : 0;
}

BOOL CListCtrl::SetItemState(int index, UINT state, UINT mask)
{
    if (index == -1) {
        bool ok = true;
        for (int i = 0; i < GetItemCount(); ++i)
            ok = ChangeState(i, state, mask) && ok;
        return ok;
    }
    return ChangeState(index, state, mask);
}

UINT CListCtrl::GetItemState(int index, UINT mask) const
{
    return Valid(index) ? (m_items[static_cast<std::size_t>(index)].state & mask) : 0;
}

BOOL CListCtrl::SetItem(const LVITEM* lvi)
{
    if (lvi == nullptr || !Valid(lvi->iItem))
        return FALSE;
    if (lvi->mask & LVIF_TEXT)
        SetItemText(lvi->iItem, lvi->iSubItem, lvi->pszText);
    if (lvi->mask & LVIF_IMAGE)
        m_items[static_cast<std::size_t>(lvi->iItem)].image = lvi->iImage;
    if (lvi->mask & LVIF_PARAM)
        m_items[static_cast<std::size_t>(lvi->iItem)].data = static_cast<std::uintptr_t>(lvi->lParam);
    if (lvi->mask & LVIF_STATE)
        ChangeState(lvi->iItem, lvi->state, lvi->stateMask);
    return TRUE;
}

int CListCtrl::GetItemImage(int index) const
{
    return Valid(index) ? m_items[static_cast<std::size_t>(index)].image : -1;
}

BOOL CListCtrl::SetCheck(int index, BOOL check)
{
    return SetItemState(index, INDEXTOSTATEIMAGEMASK(check ? 2 : 1), LVIS_STATEIMAGEMASK);
}

BOOL CListCtrl::GetCheck(int index) const
{
    return ((GetItemState(index, LVIS_STATEIMAGEMASK) >> 12) == 2) ? TRUE : FALSE;
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    UINT want =
        (flags & LVNI_SELECTED ? UINT(LVIS_SELECTED) : 0u) | (flags & LVNI_FOCUSED ? UINT(LVIS_FOCUSED) : 0u);
    for (int i = std::max(0, start + 1); i < GetItemCount(); ++i)
        if ((m_items[static_cast<std::size_t>(i)].state & want) == want)
            return i;
    return -1;
}

UINT CListCtrl::GetSelectedCount() const
{
    return static_cast<UINT>(std::count_if(m_items.begin(), m_items.end(),
                                           [](const Item& i) { return (i.state & LVIS_SELECTED) != 0; }));
}

DWORD CListCtrl::SetExtendedStyle(DWORD exStyle)
{
    DWORD old = m_exStyle;
    m_exStyle = exStyle;
    if ((exStyle & LVS_EX_CHECKBOXES) && !(old & LVS_EX_CHECKBOXES))
        for (int i = 0; i < GetItemCount(); ++i)
            if ((m_items[static_cast<std::size_t>(i)].state & LVIS_STATEIMAGEMASK) == 0)
                ChangeState(i, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    Invalidate();
    return old;
}

CImageList* CListCtrl::SetImageList(CImageList* list, int kind)
{
    if (kind < 0 || kind > 2)
        return nullptr;
    CImageList* old = m_images[kind];
    m_images[kind] = list;
    Invalidate();
    return old;
}

CImageList* CListCtrl::GetImageList(int kind) const
{
    return kind >= 0 && kind <= 2 ? m_images[kind] : nullptr;
}

CSize CListCtrl::SetIconSpacing(int cx, int cy)
{
    CSize old = m_iconSpacing;
    m_iconSpacing = {std::max(1, cx), std::max(1, cy)};
    Invalidate();
    return old;
}

int CListCtrl::GetHeaderHeight() const
{
    if (!Report() || (GetStyle() & LVS_NOCOLUMNHEADER))
        return 0;
    return ui::MetricsFor(FontRecord()).tmHeight + 6;
}

int CListCtrl::GetRowHeight() const
{
    if (m_rowHeight > 0)
        return m_rowHeight;
    int height = ui::MetricsFor(FontRecord()).tmHeight + 4;
    if (GetStyle() & LVS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT mis;
        mis.CtlType = ODT_LISTVIEW;
        mis.CtlID = static_cast<UINT>(GetDlgCtrlID());
        mis.itemHeight = static_cast<UINT>(height);
        auto* self = const_cast<CListCtrl*>(this);
        CWnd* parent = GetParent();
        if (parent == nullptr ||
            parent->SendMessage(WM_MEASUREITEM, mis.CtlID, reinterpret_cast<LPARAM>(&mis)) == 0)
            self->MeasureItem(&mis);
        height = std::max(1, static_cast<int>(mis.itemHeight));
    }
    m_rowHeight = height;
    return height;
}

int CListCtrl::TotalWidth() const
{
    int w = 0;
    for (const Column& c : m_columns)
        w += c.width;
    return w;
}

int CListCtrl::GetCountPerPage() const
{
    CRect client;
    GetClientRect(&client);
    if (!Report()) {
        int perRow = std::max(1, client.Width() / m_iconSpacing.cx);
        return perRow * std::max(1, client.Height() / m_iconSpacing.cy);
    }
    return std::max(0, (client.Height() - GetHeaderHeight()) / GetRowHeight());
}

BOOL CListCtrl::GetItemRect(int index, CRect* rect, UINT code) const
{
    if (!Valid(index) || rect == nullptr)
        return FALSE;
    if (!Report()) {
        CRect client;
        GetClientRect(&client);
        int perRow = std::max(1, client.Width() / m_iconSpacing.cx);
        int row = index / perRow - m_top;
        int x = (index % perRow) * m_iconSpacing.cx;
        int y = row * m_iconSpacing.cy;
        *rect = CRect(x, y, x + m_iconSpacing.cx, y + m_iconSpacing.cy);
        return TRUE;
    }
    int y = GetHeaderHeight() + (index - m_top) * GetRowHeight();
    int right = code == LVIR_BOUNDS ? TotalWidth() : GetColumnWidth(0);
    *rect = CRect(0, y, right, y + GetRowHeight());
    return TRUE;
}

BOOL CListCtrl::GetSubItemRect(int index, int subItem, int code, CRect& rect) const
{
    if (!Valid(index) || subItem < 0 || subItem >= std::max(1, GetColumnCount()))
        return FALSE;
    CRect row;
    GetItemRect(index, &row, LVIR_BOUNDS);
    // Sub-item 0 with LVIR_BOUNDS is the whole row, as the platform reports it.
    if (subItem == 0 && code == LVIR_BOUNDS) {
        rect = row;
        return TRUE;
    }
    int x = 0;
    for (int c = 0; c < subItem; ++c)
        x += GetColumnWidth(c);
    rect = CRect(x, row.top, x + GetColumnWidth(subItem), row.bottom);
    return TRUE;
}

int CListCtrl::SubItemHitTest(LVHITTESTINFO* info) const
{
    if (info == nullptr)
        return -1;
    info->iItem = -1;
    info->iSubItem = 0;
    info->flags = LVHT_NOWHERE;
    for (int i = m_top; i < GetItemCount(); ++i) {
        CRect row;
        GetItemRect(i, &row, LVIR_BOUNDS);
        if (info->pt.y < row.top || info->pt.y >= row.bottom || info->pt.x < row.left ||
            info->pt.x >= row.right)
            continue;
        info->iItem = i;
        info->flags = LVHT_ONITEMLABEL;
        if (Report()) {
            int x = 0;
            for (int c = 0; c < GetColumnCount(); ++c) {
                if (info->pt.x >= x && info->pt.x < x + GetColumnWidth(c))
                    info->iSubItem = c;
                x += GetColumnWidth(c);
            }
        }
        return i;
    }
    return -1;
}

int CListCtrl::HitTest(CPoint point, UINT* flags) const
{
    LVHITTESTINFO info;
    info.pt = point;
    int i = SubItemHitTest(&info);
    if (flags != nullptr)
        *flags = info.flags;
    return i;
}

void CListCtrl::ClampTop()
{
    int perPage = std::max(1, GetCountPerPage());
    int rows = GetItemCount();
    if (!Report()) {
        CRect client;
        GetClientRect(&client);
        int perRow = std::max(1, client.Width() / m_iconSpacing.cx);
        rows = (GetItemCount() + perRow - 1) / perRow;
        perPage = std::max(1, client.Height() / m_iconSpacing.cy);
    }
    m_top = std::clamp(m_top, 0, std::max(0, rows - perPage));
}

BOOL CListCtrl::EnsureVisible(int index, BOOL)
{
    if (!Valid(index))
        return FALSE;
    int perPage = std::max(1, GetCountPerPage());
    if (Report()) {
        if (index < m_top)
            m_top = index;
        else if (index >= m_top + perPage)
            m_top = index - perPage + 1;
    } else {
        CRect client;
        GetClientRect(&client);
        int perRow = std::max(1, client.Width() / m_iconSpacing.cx);
        int rowsPerPage = std::max(1, client.Height() / m_iconSpacing.cy);
        int row = index / perRow;
        if (row < m_top)
            m_top = row;
        else if (row >= m_top + rowsPerPage)
            m_top = row - rowsPerPage + 1;
    }
    ClampTop();
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::Scroll(CSize size)
{
    int step = Report() ? GetRowHeight() : m_iconSpacing.cy;
    m_top += size.cy / std::max(1, step);
    ClampTop();
    Invalidate();
    return TRUE;
}

BOOL CListCtrl::Arrange(UINT)
{
    m_top = 0;
    Invalidate();
    return TRUE;
}

CEdit* CListCtrl::EditLabel(int index)
{
    if (!Valid(index))
        return nullptr;
    if (m_editItem >= 0)
        EndLabelEdit(false);
    NMLVDISPINFO info;
    info.item.iItem = index;
    info.item.mask = LVIF_TEXT;
    std::string text = GetItemText(index, 0);
    info.item.pszText = text.c_str();
    HWND self = m_hWnd;
    if (SendNotify(info.hdr, LVN_BEGINLABELEDIT) != 0 || CWnd::FromHandle(self) != this)
        return nullptr;
    SetFocus();
    EnsureVisible(index, FALSE);
    CRect r;
    GetSubItemRect(index, 0, LVIR_LABEL, r);
    m_edit = std::make_unique<LabelEdit>(*this);
    if (!m_edit->Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, r, this, 1)) {
        m_edit.reset();
        return nullptr;
    }
    m_editItem = index;
    m_edit->SetFont(GetFont(), FALSE);
    m_edit->SetWindowText(text);
    m_edit->SetSel(0, -1);
    m_edit->SetFocus();
    return m_edit.get();
}

CEdit* CListCtrl::GetEditControl() const
{
    return m_editItem >= 0 ? m_edit.get() : nullptr;
}

void CListCtrl::EndLabelEdit(bool cancel)
{
    if (m_editItem < 0 || !m_edit)
        return;
    int index = m_editItem;
    m_editItem = -1;
    m_edit->m_ending = true;
    std::string text = m_edit->GetWindowText();
    NMLVDISPINFO info;
    info.item.iItem = index;
    info.item.mask = LVIF_TEXT;
    info.item.pszText = cancel ? nullptr : text.c_str();
    HWND self = m_hWnd;
    LRESULT accept = SendNotify(info.hdr, LVN_ENDLABELEDIT);
    if (CWnd::FromHandle(self) != this)
        return;
    if (!cancel && accept != 0)
        SetItemText(index, 0, text.c_str());
    // The edit's window goes now; its object stays until the next edit, since this may run
    // inside one of its own handlers.
    bool hadFocus = CWnd::GetFocus() == m_edit.get();
    m_edit->DestroyWindow();
    if (hadFocus && CWnd::FromHandle(self) == this)
        SetFocus();
}

void CListCtrl::Click(int index, int subItem, CPoint pt)
{
    HWND self = m_hWnd;
    auto alive = [&] { return CWnd::FromHandle(self) == this; };
    SetFocus();
    if (!alive())
        return;
    for (int i = 0; i < GetItemCount() && alive(); ++i)
        if (i != index)
            ChangeState(i, 0, LVIS_SELECTED);
    if (!alive())
        return;
    if (Valid(index))
        ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    if (!alive())
        return;
    NMITEMACTIVATE nm;
    nm.iItem = index;
    nm.iSubItem = subItem;
    nm.ptAction = pt;
    SendNotify(nm.hdr, NM_CLICK);
    if (alive() && Valid(index) && (m_exStyle & LVS_EX_ONECLICKACTIVATE)) {
        NMITEMACTIVATE act = nm;
        SendNotify(act.hdr, LVN_ITEMACTIVATE);
    }
}

void CListCtrl::UserClick(int index, int subItem)
{
    CRect r;
    CPoint pt;
    if (GetSubItemRect(index, subItem, LVIR_LABEL, r))
        pt = r.CenterPoint();
    Click(index, subItem, pt);
}

void CListCtrl::UserClickAt(CPoint point)
{
    LVHITTESTINFO info;
    info.pt = point;
    SubItemHitTest(&info);
    Click(info.iItem, info.iSubItem, point);
}

void CListCtrl::UserDoubleClick(int index)
{
    HWND self = m_hWnd;
    UserClick(index, 0);
    if (CWnd::FromHandle(self) != this)
        return;
    NMITEMACTIVATE nm;
    nm.iItem = index;
    SendNotify(nm.hdr, NM_DBLCLK);
    if (CWnd::FromHandle(self) == this && Valid(index) && !(m_exStyle & LVS_EX_ONECLICKACTIVATE)) {
        NMITEMACTIVATE act;
        act.iItem = index;
        SendNotify(act.hdr, LVN_ITEMACTIVATE);
    }
}

void CListCtrl::UserToggleCheck(int index)
{
    if (!Valid(index) || !(m_exStyle & LVS_EX_CHECKBOXES))
        return;
    SetCheck(index, !GetCheck(index));
}

LRESULT CListCtrl::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT:
        m_rowHeight = 0;
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    case WM_VSCROLL: {
        int perPage = std::max(1, GetCountPerPage());
        switch (LOWORD(wParam)) {
        case SB_LINEUP:
            --m_top;
            break;
        case SB_LINEDOWN:
            ++m_top;
            break;
        case SB_PAGEUP:
            m_top -= perPage;
            break;
        case SB_PAGEDOWN:
            m_top += perPage;
            break;
        case SB_THUMBPOSITION:
        case SB_THUMBTRACK:
            m_top = HIWORD(wParam);
            break;
        case SB_TOP:
            m_top = 0;
            break;
        case SB_BOTTOM:
            m_top = GetItemCount();
            break;
        default:
            return 0;
        }
        ClampTop();
        Invalidate();
        return 0;
    }
    case WM_MOUSEWHEEL: {
        // A notch is a row of icons, or three rows of a report.
        const int notches = static_cast<short>(HIWORD(wParam)) / 120;
        m_top -= Report() ? notches * 3 : notches;
        ClampTop();
        Invalidate();
        return 0;
    }
    case WM_LBUTTONDOWN:
        UserClickAt(LParamToPoint(lParam));
        return 0;
    case WM_LBUTTONDBLCLK: {
        LVHITTESTINFO info;
        info.pt = LParamToPoint(lParam);
        SubItemHitTest(&info);
        if (Valid(info.iItem))
            UserDoubleClick(info.iItem);
        return 0;
    }
    case WM_KEYDOWN: {
        if (wParam == VK_F2 && (GetStyle() & LVS_EDITLABELS)) {
            int focused = GetNextItem(-1, LVNI_FOCUSED);
            if (focused >= 0)
                EditLabel(focused);
            return 0;
        }
        // The arrow keys, Home and End move the focused item, selecting it as a click would.
        const int count = GetItemCount();
        if (count == 0)
            return 0;
        const int focused = GetNextItem(-1, LVNI_FOCUSED);
        int next = focused;
        switch (wParam) {
        case VK_UP:
        case VK_LEFT: next = focused < 0 ? 0 : focused - 1; break;
        case VK_DOWN:
        case VK_RIGHT: next = focused < 0 ? 0 : focused + 1; break;
        case VK_HOME: next = 0; break;
        case VK_END: next = count - 1; break;
        default: return 0;
        }
        next = std::clamp(next, 0, count - 1);
        if (next != focused || GetItemState(next, LVIS_SELECTED) == 0) {
            HWND self = m_hWnd;
            UserClick(next, 0);
            if (CWnd::FromHandle(self) == this)
                EnsureVisible(next, FALSE);
        }
        return 0;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        // The focused item shows its focus only while the list holds it: repaint either way, or
        // a list that lost the focus keeps showing a second focus beside the new one.
        Invalidate();
        NMHDR h;
        SendNotify(h, message == WM_SETFOCUS ? NM_SETFOCUS : NM_KILLFOCUS);
        return 0;
    }
    case WM_GETDLGCODE:
        return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
        return ControlWnd::DefWindowProc(message, wParam, lParam);
    }
}

void CListCtrl::Paint(CDC& dc)
{
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(client, GetSysColor(COLOR_WINDOW));
    dc.SelectObject(GetFont());
    dc.SetBkMode(TRANSPARENT);
    if (!Report()) {
        CImageList* icons = m_images[LVSIL_NORMAL];
        for (int i = 0; i < GetItemCount(); ++i) {
            CRect cell;
            GetItemRect(i, &cell, LVIR_BOUNDS);
            if (cell.bottom <= 0 || cell.top >= client.bottom)
                continue;
            const Item& item = m_items[static_cast<std::size_t>(i)];
            int textTop = cell.top + 4;
            if (icons != nullptr && item.image >= 0) {
                CSize s = icons->GetImageSize();
                icons->Draw(&dc, item.image, CPoint(cell.left + (cell.Width() - s.cx) / 2, cell.top + 2),
                            ILD_TRANSPARENT);
                textTop = cell.top + 4 + s.cy;
            }
            bool selected = (item.state & LVIS_SELECTED) != 0;
            CRect label(cell.left + 1, textTop, cell.right - 1, cell.bottom);
            if (selected)
                dc.FillSolidRect(label, GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
            dc.DrawText(item.texts[0], &label, DT_CENTER | DT_WORDBREAK | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        return;
    }
    const int header = GetHeaderHeight();
    if (header > 0) {
        int x = 0;
        for (const Column& c : m_columns) {
            CRect cell(x, 0, x + c.width, header);
            // Flat, as the toolkit's list headers: a line below and one between columns.
            dc.FillSolidRect(cell, GetSysColor(COLOR_WINDOW));
            dc.FillSolidRect(CRect(cell.left, cell.bottom - 1, cell.right, cell.bottom), ui::GetLookColours().border);
            dc.FillSolidRect(CRect(cell.right - 1, cell.top + 4, cell.right, cell.bottom - 4), ui::GetLookColours().border);
            cell.DeflateRect(4, 0);
            dc.SetTextColor(GetSysColor(COLOR_BTNTEXT));
            dc.DrawText(c.text, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
            x += c.width;
        }
    }
    const int h = GetRowHeight();
    for (int i = m_top; i < GetItemCount(); ++i) {
        CRect row;
        GetItemRect(i, &row, LVIR_BOUNDS);
        if (row.top >= client.bottom)
            break;
        const Item& item = m_items[static_cast<std::size_t>(i)];
        bool selected = (item.state & LVIS_SELECTED) != 0;
        if (GetStyle() & LVS_OWNERDRAWFIXED) {
            DRAWITEMSTRUCT dis;
            dis.CtlType = ODT_LISTVIEW;
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(i);
            dis.itemAction = ODA_DRAWENTIRE;
            dis.itemState = (selected ? UINT(ODS_SELECTED) : 0u) |
                            ((item.state & LVIS_FOCUSED) && CWnd::GetFocus() == this ? UINT(ODS_FOCUS) : 0u) |
                            (IsWindowEnabled() ? 0u : UINT(ODS_DISABLED));
            dis.hwndItem = m_hWnd;
            dis.hDC = &dc;
            dis.rcItem = row;
            dis.itemData = item.data;
            CWnd* parent = GetParent();
            if (parent == nullptr ||
                parent->SendMessage(WM_DRAWITEM, dis.CtlID, reinterpret_cast<LPARAM>(&dis)) == 0)
                DrawItem(&dis);
        } else {
            if (selected)
                dc.FillSolidRect(row, GetSysColor(COLOR_HIGHLIGHT));
            dc.SetTextColor(selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : GetSysColor(COLOR_WINDOWTEXT));
            int x = 0;
            for (int c = 0; c < GetColumnCount(); ++c) {
                CRect cell(x + 4, row.top, x + GetColumnWidth(c) - 2, row.bottom);
                if (c == 0 && (m_exStyle & LVS_EX_CHECKBOXES)) {
                    // The same box as the check buttons beside the list.
                    const CRect box(cell.left, row.top + (h - 13) / 2, cell.left + 13, row.top + (h - 13) / 2 + 13);
                    ui::DrawCheckMark(dc, box, GetCheck(i) ? 1 : 0, false, !IsWindowEnabled());
                    cell.left += 17;
                }
                dc.DrawText(GetItemText(i, c), &cell,
                            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
                x += GetColumnWidth(c);
            }
        }
        if (m_exStyle & LVS_EX_GRIDLINES)
            dc.FillSolidRect(CRect(row.left, row.bottom - 1, row.right, row.bottom),
                             GetSysColor(COLOR_3DLIGHT));
    }
    if (m_exStyle & LVS_EX_GRIDLINES) {
        int x = 0;
        for (int c = 0; c < GetColumnCount(); ++c) {
            x += GetColumnWidth(c);
            dc.FillSolidRect(CRect(x - 1, header, x, client.bottom), GetSysColor(COLOR_3DLIGHT));
        }
    }
}
