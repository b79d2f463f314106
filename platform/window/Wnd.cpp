#include "platform/window/Wnd.h"

#include <algorithm>
#include <cstring>
#include <mutex>
#include <unordered_map>

#include "platform/window/CmdUI.h"
#include "platform/window/Screen.h"
#include "platform/window/WindowHost.h"

const CWnd wndTop;
const CWnd wndBottom;

// Live windows by handle, and the focus, capture and active window. Handles are plain
// counters, never reused, so a stale handle can only miss.
class WindowRegistry {
public:
    WindowRegistry()
    {
        GetMessageQueue().SetPaintSource([this](MSG& msg) { return NextPaint(msg); });
    }

    HWND Register(CWnd* wnd)
    {
        std::lock_guard<std::mutex> guard(mutex_);
        HWND h = reinterpret_cast<HWND>(nextHandle_++);
        windows_[h] = wnd;
        wnd->serial_ = nextSerial_++;
        return h;
    }

    void Unregister(HWND h)
    {
        std::lock_guard<std::mutex> guard(mutex_);
        windows_.erase(h);
    }

    CWnd* Find(HWND h)
    {
        if (h == nullptr) {
            return nullptr;
        }
        std::lock_guard<std::mutex> guard(mutex_);
        auto it = windows_.find(h);
        return it == windows_.end() ? nullptr : it->second;
    }

    std::vector<CWnd*> All()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        std::vector<CWnd*> all;
        all.reserve(windows_.size());
        for (auto& entry : windows_) {
            all.push_back(entry.second);
        }
        std::sort(all.begin(), all.end(), [](CWnd* a, CWnd* b) { return a->serial_ < b->serial_; });
        return all;
    }

    std::size_t Count()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return windows_.size();
    }

    bool NextPaint(MSG& msg)
    {
        for (CWnd* w : All()) {
            if (!w->update_.IsRectEmpty() && w->IsWindowVisible()) {
                msg = MSG{};
                msg.hwnd = w->m_hWnd;
                msg.message = WM_PAINT;
                return true;
            }
        }
        return false;
    }

    CWnd* focus = nullptr;
    CWnd* capture = nullptr;
    CWnd* active = nullptr;

private:
    std::mutex mutex_;
    std::unordered_map<HWND, CWnd*> windows_;
    std::uintptr_t nextHandle_ = 0x10000;
    std::uint64_t nextSerial_ = 1;
};

namespace {

// Never destroyed: windows of static objects (the application's main window) still go away
// at process exit, after function-local statics would have been destroyed.
WindowRegistry& Registry()
{
    static WindowRegistry* registry = new WindowRegistry;
    return *registry;
}

bool InSubtree(const CWnd* root, const CWnd* w)
{
    for (; w != nullptr; w = w->GetParent()) {
        if (w == root) {
            return true;
        }
    }
    return false;
}

void SendDestroyTree(CWnd& w)
{
    w.SendMessage(WM_DESTROY);
    std::vector<HWND> kids;
    for (CWnd* c : w.GetChildren()) {
        kids.push_back(c->m_hWnd);
    }
    for (HWND h : kids) {
        if (CWnd* c = CWnd::FromHandle(h)) {
            SendDestroyTree(*c);
        }
    }
}

} // namespace

// WM_NCDESTROY reaches children before their parent; after it the window is gone and its
// object may delete itself.
void DestroyTree(CWnd& w)
{
    std::vector<HWND> kids;
    for (CWnd* c : w.children_) {
        kids.push_back(c->m_hWnd);
    }
    for (HWND h : kids) {
        if (CWnd* c = CWnd::FromHandle(h)) {
            DestroyTree(*c);
        }
    }
    w.SendMessage(WM_NCDESTROY);
    HWND h = w.m_hWnd;
    Registry().Unregister(h);
    GetMessageQueue().RemoveWindow(h);
    w.DetachFromParent();
    GetWindowHost().WindowDestroyed(w);
    w.m_hWnd = nullptr;
    w.destroying_ = false;
    w.update_.SetRectEmpty();
    w.PostNcDestroy();
}

CWnd::CWnd() = default;

CWnd::~CWnd()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    // Windows that only borrowed this one as owner keep no dangling pointer. (A window object
    // that never had a window, like the z-order markers, owns nothing and skips the search.)
    if (m_hWnd == nullptr && everCreated_) {
        for (CWnd* w : Registry().All()) {
            if (w->owner_ == this) {
                w->owner_ = nullptr;
            }
        }
    }
}

CWnd* CWnd::FromHandle(HWND hwnd)
{
    return Registry().Find(hwnd);
}

BOOL CWnd::Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const CRect& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle, rect, pParentWnd, nID, pContext);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCT&)
{
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                    const CRect& rect, CWnd* pParentWnd, UINT nID, void* lpParam)
{
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    CREATESTRUCT cs;
    cs.lpCreateParams = lpParam;
    cs.pParent = pParentWnd;
    cs.id = nID;
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.Width();
    cs.cy = rect.Height();
    cs.style = dwStyle;
    cs.dwExStyle = dwExStyle;
    cs.name = lpszWindowName != nullptr ? lpszWindowName : "";
    cs.className = lpszClassName != nullptr ? lpszClassName : "";
    if (!PreCreateWindow(cs)) {
        return FALSE;
    }
    const bool child = (cs.style & WS_CHILD) != 0;
    if (child && (cs.pParent == nullptr || cs.pParent->m_hWnd == nullptr)) {
        return FALSE;
    }
    const DWORD wantVisible = cs.style & WS_VISIBLE;
    style_ = cs.style & ~WS_VISIBLE;
    exStyle_ = cs.dwExStyle;
    className_ = cs.className;
    text_ = cs.name;
    id_ = child ? cs.id : 0;
    rect_ = CRect(cs.x, cs.y, cs.x + std::max(cs.cx, 0), cs.y + std::max(cs.cy, 0));
    showState_ = ShowState::Normal;
    if (child) {
        parent_ = cs.pParent;
        owner_ = nullptr;
        parent_->children_.push_back(this);
    } else {
        parent_ = nullptr;
        owner_ = cs.pParent;
    }
    m_hWnd = Registry().Register(this);
    everCreated_ = true;
    HWND self = m_hWnd;
    GetWindowHost().WindowCreated(*this);

    if (SendMessage(WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs)) == FALSE ||
        SendMessage(WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        if (FromHandle(self) == this) {
            DestroyWindow();
        }
        return FALSE;
    }
    if (FromHandle(self) != this) {
        return FALSE;
    }
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect_.Width(), rect_.Height()));
    SendMessage(WM_MOVE, 0, MAKELPARAM(rect_.left, rect_.top));
    if (wantVisible != 0 && FromHandle(self) == this) {
        ShowWindow((cs.style & WS_MAXIMIZE) != 0 ? SW_SHOWMAXIMIZED : SW_SHOW);
    }
    return FromHandle(self) == this ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr || destroying_) {
        return FALSE;
    }
    HWND self = m_hWnd;
    // Owned top-level windows go first, as their owner disappears. Destroying one may delete
    // others (a dialog deleting the tool windows it opened), so each is found again by handle.
    std::vector<HWND> owned;
    for (CWnd* w : Registry().All()) {
        if (w->owner_ == this && w->parent_ == nullptr && w != this) {
            owned.push_back(w->m_hWnd);
        }
    }
    for (HWND h : owned) {
        if (CWnd* w = FromHandle(h)) {
            w->DestroyWindow();
        }
    }
    if (FromHandle(self) != this) {
        return TRUE;
    }
    std::vector<CWnd*> subtree{this};
    for (std::size_t i = 0; i < subtree.size(); ++i) {
        subtree[i]->destroying_ = true;
        for (CWnd* c : subtree[i]->children_) {
            subtree.push_back(c);
        }
    }
    WindowRegistry& reg = Registry();
    if (InSubtree(this, reg.focus)) {
        CWnd* lost = reg.focus;
        reg.focus = nullptr;
        lost->SendMessage(WM_KILLFOCUS, 0, 0);
    }
    if (InSubtree(this, reg.capture)) {
        CWnd* lost = reg.capture;
        reg.capture = nullptr;
        lost->SendMessage(WM_CAPTURECHANGED, 0, 0);
    }
    if (InSubtree(this, reg.active)) {
        reg.active = nullptr;
    }
    if (parent_ != nullptr && (style_ & WS_VISIBLE) != 0) {
        CRect area = rect_;
        parent_->InvalidateRect(&area, TRUE);
    }
    SendDestroyTree(*this);
    if (FromHandle(self) == this) {
        DestroyTree(*this);
    }
    return TRUE;
}

void CWnd::DetachFromParent()
{
    if (parent_ != nullptr) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
        parent_ = nullptr;
    }
}

CWnd* CWnd::GetParent() const
{
    return parent_;
}

CWnd* CWnd::SetParent(CWnd* pNewParent)
{
    CWnd* old = parent_;
    if (pNewParent == this || InSubtree(this, pNewParent)) {
        return nullptr; // a window cannot become its own descendant
    }
    DetachFromParent();
    if (pNewParent != nullptr) {
        parent_ = pNewParent;
        pNewParent->children_.insert(pNewParent->children_.begin(), this);
    }
    if (old != pNewParent && m_hWnd != nullptr) {
        // A window that stops or starts being top-level changes what a screen shows of it.
        GetWindowHost().WindowChanged(*this);
    }
    return old;
}

CWnd* CWnd::GetOwner() const
{
    return owner_ != nullptr ? owner_ : parent_;
}

void CWnd::SetOwner(CWnd* pOwner)
{
    owner_ = pOwner;
}

CWnd* CWnd::GetTopLevelParent() const
{
    const CWnd* w = this;
    while (w->parent_ != nullptr) {
        w = w->parent_;
    }
    return const_cast<CWnd*>(w);
}

BOOL CWnd::IsChild(const CWnd* pWnd) const
{
    return pWnd != nullptr && pWnd != this && InSubtree(this, pWnd);
}

std::vector<CWnd*> CWnd::GetChildren() const
{
    return children_;
}

CWnd* CWnd::GetWindow(UINT nCmd) const
{
    switch (nCmd) {
    case GW_CHILD:
        return children_.empty() ? nullptr : children_.front();
    case GW_OWNER:
        return owner_;
    default:
        break;
    }
    if (parent_ == nullptr) {
        return nullptr;
    }
    const auto& sib = parent_->children_;
    auto it = std::find(sib.begin(), sib.end(), this);
    switch (nCmd) {
    case GW_HWNDFIRST:
        return sib.front();
    case GW_HWNDLAST:
        return sib.back();
    case GW_HWNDNEXT:
        return (it == sib.end() || it + 1 == sib.end()) ? nullptr : *(it + 1);
    case GW_HWNDPREV:
        return (it == sib.begin() || it == sib.end()) ? nullptr : *(it - 1);
    default:
        return nullptr;
    }
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    for (CWnd* c : children_) {
        if (static_cast<int>(c->id_) == nID) {
            return c;
        }
    }
    return nullptr;
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL) const
{
    for (CWnd* c : children_) {
        if (static_cast<int>(c->id_) == nID) {
            return c;
        }
    }
    for (CWnd* c : children_) {
        if (CWnd* found = c->GetDescendantWindow(nID)) {
            return found;
        }
    }
    return nullptr;
}

int CWnd::SetDlgCtrlID(int nID)
{
    const int old = static_cast<int>(id_);
    id_ = static_cast<UINT>(nID);
    return old;
}

CWnd* CWnd::ChildFromPoint(CPoint clientPoint)
{
    for (CWnd* c : children_) {
        const CPoint inChild = clientPoint - CSize(c->rect_.left, c->rect_.top);
        if ((c->style_ & WS_VISIBLE) != 0 && c->rect_.PtInRect(clientPoint) && c->TakesPointerAt(inChild)) {
            return c->ChildFromPoint(inChild);
        }
    }
    return this;
}

void CWnd::SetWindowText(const std::string& text)
{
    SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string CWnd::GetWindowText() const
{
    auto* self = const_cast<CWnd*>(this);
    const LRESULT length = self->SendMessage(WM_GETTEXTLENGTH);
    if (length <= 0) {
        return {};
    }
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    const LRESULT copied =
        self->SendMessage(WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<std::size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return buffer;
}

int CWnd::GetWindowTextLength() const
{
    return static_cast<int>(const_cast<CWnd*>(this)->SendMessage(WM_GETTEXTLENGTH));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT)
{
    const DWORD before = style_;
    style_ = (style_ & ~dwRemove) | dwAdd;
    return before != style_;
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT)
{
    const DWORD before = exStyle_;
    exStyle_ = (exStyle_ & ~dwRemove) | dwAdd;
    return before != exStyle_;
}

void CWnd::GetWindowRect(CRect* rect) const
{
    if (rect == nullptr) {
        return;
    }
    CRect r(0, 0, rect_.Width(), rect_.Height());
    ClientToScreen(&r);
    *rect = r;
}

void CWnd::GetClientRect(CRect* rect) const
{
    if (rect != nullptr) {
        *rect = CRect(0, 0, rect_.Width(), rect_.Height());
    }
}

void CWnd::MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint)
{
    SetWindowPos(nullptr, x, y, nWidth, nHeight, SWP_NOZORDER | (bRepaint ? 0u : UINT(SWP_NOREDRAW)));
}

void CWnd::MoveWindow(const CRect& rect, BOOL bRepaint)
{
    MoveWindow(rect.left, rect.top, rect.Width(), rect.Height(), bRepaint);
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags)
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    HWND self = m_hWnd;
    if ((nFlags & SWP_NOZORDER) == 0 && parent_ != nullptr && pWndInsertAfter != nullptr) {
        auto& sib = parent_->children_;
        sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
        if (pWndInsertAfter == &wndBottom) {
            sib.push_back(this);
        } else if (pWndInsertAfter == &wndTop) {
            sib.insert(sib.begin(), this);
        } else {
            auto it = std::find(sib.begin(), sib.end(), pWndInsertAfter);
            sib.insert(it == sib.end() ? sib.begin() : it + 1, this);
        }
    }
    const CRect old = rect_;
    CRect next = rect_;
    if ((nFlags & SWP_NOMOVE) == 0) {
        next.MoveToXY(x, y);
    }
    if ((nFlags & SWP_NOSIZE) == 0) {
        next.right = next.left + std::max(cx, 0);
        next.bottom = next.top + std::max(cy, 0);
    }
    rect_ = next;
    if (old != next) {
        GetWindowHost().WindowChanged(*this);
        if ((nFlags & SWP_NOREDRAW) == 0) {
            if (parent_ != nullptr && (style_ & WS_VISIBLE) != 0) {
                parent_->InvalidateRect(&old, TRUE);
            }
            InvalidateAll();
        }
    }
    if (old.TopLeft() != next.TopLeft()) {
        SendMessage(WM_MOVE, 0, MAKELPARAM(next.left, next.top));
    }
    if (FromHandle(self) == this && old.Size() != next.Size()) {
        const UINT type = showState_ == ShowState::Maximized ? SIZE_MAXIMIZED : SIZE_RESTORED;
        SendMessage(WM_SIZE, type, MAKELPARAM(next.Width(), next.Height()));
    }
    if (FromHandle(self) == this && (nFlags & SWP_SHOWWINDOW) != 0) {
        ShowWindow(SW_SHOW);
    }
    if (FromHandle(self) == this && (nFlags & SWP_HIDEWINDOW) != 0) {
        ShowWindow(SW_HIDE);
    }
    return TRUE;
}

void CWnd::ClientToScreen(CPoint* point) const
{
    if (point == nullptr) {
        return;
    }
    for (const CWnd* w = this; w != nullptr; w = w->parent_) {
        point->Offset(w->rect_.left, w->rect_.top);
    }
}

void CWnd::ClientToScreen(CRect* rect) const
{
    if (rect == nullptr) {
        return;
    }
    CPoint origin;
    ClientToScreen(&origin);
    rect->OffsetRect(origin.x, origin.y);
}

void CWnd::ScreenToClient(CPoint* point) const
{
    if (point == nullptr) {
        return;
    }
    CPoint origin;
    ClientToScreen(&origin);
    point->Offset(-origin.x, -origin.y);
}

void CWnd::ScreenToClient(CRect* rect) const
{
    if (rect == nullptr) {
        return;
    }
    CPoint origin;
    ClientToScreen(&origin);
    rect->OffsetRect(-origin.x, -origin.y);
}

void CWnd::MapWindowPoints(const CWnd* pTo, CRect* rect) const
{
    ClientToScreen(rect);
    if (pTo != nullptr) {
        pTo->ScreenToClient(rect);
    }
}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    CRect area;
    CWnd* over = pAlternateOwner != nullptr ? pAlternateOwner : GetOwner();
    if (over != nullptr && over->m_hWnd != nullptr) {
        over->GetWindowRect(&area);
    } else {
        area = GetScreenMetrics().workArea;
    }
    if (parent_ != nullptr) {
        parent_->ScreenToClient(&area);
    }
    const CPoint centre = area.CenterPoint();
    SetWindowPos(nullptr, centre.x - rect_.Width() / 2, centre.y - rect_.Height() / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
}

void CWnd::BringWindowToTop()
{
    if (parent_ != nullptr) {
        SetWindowPos(&wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    } else {
        SetActiveWindow();
    }
}

BOOL CWnd::ShowWindow(int nCmdShow)
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    HWND self = m_hWnd;
    const BOOL wasVisible = (style_ & WS_VISIBLE) != 0;
    WindowRegistry& reg = Registry();
    if (nCmdShow == SW_HIDE) {
        if (!wasVisible) {
            return FALSE;
        }
        SendMessage(WM_SHOWWINDOW, FALSE, 0);
        if (FromHandle(self) != this) {
            return TRUE;
        }
        style_ &= ~WS_VISIBLE;
        if (InSubtree(this, reg.focus)) {
            CWnd* lost = reg.focus;
            reg.focus = nullptr;
            lost->SendMessage(WM_KILLFOCUS, 0, 0);
        }
        if (parent_ != nullptr) {
            CRect area = rect_;
            parent_->InvalidateRect(&area, TRUE);
        }
        GetWindowHost().WindowChanged(*this);
        return TRUE;
    }

    ShowState wanted = showState_;
    if (nCmdShow == SW_SHOWMAXIMIZED) {
        wanted = ShowState::Maximized;
    } else if (nCmdShow == SW_SHOWMINIMIZED || nCmdShow == SW_MINIMIZE) {
        wanted = ShowState::Minimized;
    } else if (nCmdShow == SW_RESTORE || nCmdShow == SW_SHOWNORMAL) {
        wanted = ShowState::Normal;
    }
    if (!wasVisible) {
        SendMessage(WM_SHOWWINDOW, TRUE, 0);
        if (FromHandle(self) != this) {
            return FALSE;
        }
        style_ |= WS_VISIBLE;
        GetWindowHost().WindowChanged(*this);
        InvalidateAll();
    }
    if (wanted != showState_) {
        const ShowState before = showState_;
        showState_ = wanted;
        static_cast<void>(before);
        if (wanted == ShowState::Maximized) {
            CRect area = parent_ != nullptr ? CRect(0, 0, parent_->rect_.Width(), parent_->rect_.Height())
                                            : GetScreenMetrics().workArea;
            const CRect old = rect_;
            rect_ = area;
            if (old.TopLeft() != area.TopLeft()) {
                SendMessage(WM_MOVE, 0, MAKELPARAM(area.left, area.top));
            }
            SendMessage(WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(area.Width(), area.Height()));
        } else if (wanted == ShowState::Minimized) {
            SendMessage(WM_SIZE, SIZE_MINIMIZED, 0);
        } else {
            SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rect_.Width(), rect_.Height()));
        }
        InvalidateAll();
    }
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    for (const CWnd* w = this; w != nullptr; w = w->parent_) {
        if ((w->style_ & WS_VISIBLE) == 0) {
            return FALSE;
        }
    }
    return m_hWnd != nullptr;
}

bool CWnd::TakesInput() const
{
    for (const CWnd* w = this; w != nullptr; w = w->GetParent()) {
        if (!w->IsWindowEnabled()) {
            return false;
        }
    }
    return true;
}

BOOL CWnd::EnableWindow(BOOL bEnable)
{
    const BOOL wasDisabled = (style_ & WS_DISABLED) != 0;
    if (m_hWnd == nullptr || (bEnable != FALSE) == !wasDisabled) {
        return wasDisabled;
    }
    WindowRegistry& reg = Registry();
    if (bEnable) {
        style_ &= ~WS_DISABLED;
    } else {
        style_ |= WS_DISABLED;
        // A disabled window gives up the keyboard and the mouse.
        if (InSubtree(this, reg.focus)) {
            CWnd* lost = reg.focus;
            reg.focus = nullptr;
            lost->SendMessage(WM_KILLFOCUS, 0, 0);
        }
        if (InSubtree(this, reg.capture)) {
            ReleaseCapture();
        }
    }
    GetWindowHost().WindowChanged(*this);
    SendMessage(WM_ENABLE, bEnable ? TRUE : FALSE, 0);
    InvalidateAll();
    return wasDisabled;
}

CWnd* CWnd::SetFocus()
{
    WindowRegistry& reg = Registry();
    CWnd* old = reg.focus;
    if (m_hWnd == nullptr || old == this) {
        return old;
    }
    if (old != nullptr) {
        reg.focus = nullptr;
        old->SendMessage(WM_KILLFOCUS, reinterpret_cast<WPARAM>(m_hWnd), 0);
        // The losing window may have moved the focus itself (a field that refuses its value).
        if (reg.focus != nullptr || m_hWnd == nullptr) {
            return old;
        }
    }
    reg.focus = this;
    SendMessage(WM_SETFOCUS, reinterpret_cast<WPARAM>(old != nullptr ? old->m_hWnd : nullptr), 0);
    return old;
}

CWnd* CWnd::GetFocus()
{
    return Registry().focus;
}

CWnd* CWnd::SetCapture()
{
    WindowRegistry& reg = Registry();
    CWnd* old = reg.capture;
    if (m_hWnd == nullptr) {
        return old;
    }
    reg.capture = this;
    if (old != nullptr && old != this) {
        old->SendMessage(WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(m_hWnd));
    }
    return old;
}

CWnd* CWnd::GetCapture()
{
    return Registry().capture;
}

BOOL ReleaseCapture()
{
    WindowRegistry& reg = Registry();
    CWnd* old = reg.capture;
    if (old == nullptr) {
        return FALSE;
    }
    reg.capture = nullptr;
    old->SendMessage(WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

CWnd* CWnd::SetActiveWindow()
{
    WindowRegistry& reg = Registry();
    CWnd* top = GetTopLevelParent();
    CWnd* old = reg.active;
    if (old == top || top->m_hWnd == nullptr) {
        return old;
    }
    reg.active = top;
    if (old != nullptr) {
        old->SendMessage(WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(top->m_hWnd));
    }
    top->SendMessage(WM_ACTIVATE, WA_ACTIVE,
                     reinterpret_cast<LPARAM>(old != nullptr ? old->m_hWnd : nullptr));
    return old;
}

CWnd* CWnd::GetActiveWindow()
{
    return Registry().active;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == nullptr) {
        return 0;
    }
    return WindowProc(message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_hWnd == nullptr) {
        return FALSE;
    }
    GetMessageQueue().Post(m_hWnd, message, wParam, lParam);
    return TRUE;
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep)
{
    std::vector<HWND> kids;
    for (CWnd* c : children_) {
        kids.push_back(c->m_hWnd);
    }
    for (HWND h : kids) {
        if (CWnd* c = FromHandle(h)) {
            c->SendMessage(message, wParam, lParam);
            if (bDeep) {
                if (CWnd* again = FromHandle(h)) {
                    again->SendMessageToDescendants(message, wParam, lParam, TRUE);
                }
            }
        }
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        ++paintCount_;
    }
    if (message == WM_COMMAND) {
        if (OnCommand(wParam, lParam)) {
            return 1;
        }
        return DefWindowProc(message, wParam, lParam);
    }
    if (message == WM_NOTIFY) {
        LRESULT result = 0;
        if (OnNotify(wParam, lParam, &result)) {
            return result;
        }
        return DefWindowProc(message, wParam, lParam);
    }
    LRESULT result = 0;
    if (DispatchToMap(message, wParam, lParam, result)) {
        return result;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_NCCREATE:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow();
        return 0;
    case WM_SETTEXT:
        text_ = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
        GetWindowHost().WindowChanged(*this);
        return TRUE;
    case WM_GETTEXT: {
        if (wParam == 0 || lParam == 0) {
            return 0;
        }
        const std::size_t n = std::min<std::size_t>(wParam - 1, text_.size());
        auto* out = reinterpret_cast<char*>(lParam);
        std::memcpy(out, text_.data(), n);
        out[n] = '\0';
        return static_cast<LRESULT>(n);
    }
    case WM_SETFONT:
        font_ = reinterpret_cast<CFont*>(wParam);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_GETTEXTLENGTH:
        return static_cast<LRESULT>(text_.size());
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_SETREDRAW:
        redraw_ = wParam != 0;
        return 0;
    case WM_MOUSEWHEEL:
        // A child that does not scroll passes the wheel to the window it lies in.
        if (parent_ != nullptr && (GetStyle() & WS_CHILD) != 0) {
            return parent_->SendMessage(WM_MOUSEWHEEL, wParam, lParam);
        }
        return 0;
    case WM_CONTEXTMENU:
        if (parent_ != nullptr) {
            return parent_->SendMessage(WM_CONTEXTMENU, wParam, lParam);
        }
        return 0;
    case WM_SETCURSOR:
        if (parent_ != nullptr && parent_->SendMessage(WM_SETCURSOR, wParam, lParam) != 0) {
            return TRUE;
        }
        ::SetCursor(LoadCursorId(GetInputState().WaitCount() > 0 ? IDC_WAIT : IDC_ARROW));
        return TRUE;
    case WM_MOUSEACTIVATE:
        return 1;
    default:
        return 0;
    }
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    int code = HIWORD(wParam);
    auto* control = reinterpret_cast<HWND>(lParam);
    if (control == nullptr) {
        // From a menu or an accelerator: a command its update handler disables does not run.
        code = CN_COMMAND;
        if (!IsCommandEnabled(*this, id)) {
            return TRUE;
        }
    } else if (CWnd* child = FromHandle(control)) {
        if (child->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr)) {
            return TRUE;
        }
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr) {
        return FALSE;
    }
    if (CWnd* child = FromHandle(header->hwndFrom)) {
        if (child->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult)) {
            return TRUE;
        }
    }
    AFX_NOTIFY notify{pResult, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), NotifyCmdCode(header->code), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

int CWnd::RunModalLoop()
{
    HWND self = m_hWnd;
    if (self == nullptr) {
        return -1;
    }
    ++modalLoops_;
    modalEnded_ = false;
    modalResult_ = -1;
    IMessageLoopHooks* app = GetMessageLoopHooks();
    long idleCount = 0;
    MSG msg;
    for (;;) {
        if (FromHandle(self) != this || modalEnded_) {
            break;
        }
        if (!GetMessageQueue().HasWork() && app != nullptr && app->OnIdle(idleCount)) {
            ++idleCount;
            continue;
        }
        if (!GetMessageQueue().Get(msg)) {
            GetMessageQueue().PostQuit(static_cast<int>(msg.wParam)); // for the outer loop
            break;
        }
        if (app == nullptr || !app->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        if (msg.message != WM_PAINT && msg.message != WM_TIMER && msg.message != WM_MOUSEMOVE) {
            idleCount = 0;
        }
    }
    const int result = modalResult_;
    if (FromHandle(self) == this) {
        --modalLoops_;
        modalEnded_ = false;
    }
    return result;
}

void CWnd::EndModalLoop(int nResult)
{
    modalResult_ = nResult;
    modalEnded_ = true;
    // Wakes a loop that waits for messages, with a message for no window: WM_NULL to a window
    // may mean something to it.
    GetMessageQueue().Post(nullptr, WM_NULL, 0, 0);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse, void*)
{
    if (m_hWnd == nullptr) {
        return 0;
    }
    return GetMessageQueue().SetTimer(m_hWnd, nIDEvent, nElapse);
}

BOOL CWnd::KillTimer(UINT_PTR nIDEvent)
{
    return m_hWnd != nullptr && GetMessageQueue().KillTimer(m_hWnd, nIDEvent);
}

void CWnd::InvalidateAll()
{
    CRect client;
    GetClientRect(&client);
    InvalidateRect(&client, TRUE);
}

void CWnd::Invalidate(BOOL bErase)
{
    InvalidateRect(nullptr, bErase);
}

void CWnd::InvalidateRect(const CRect* rect, BOOL bErase)
{
    if (m_hWnd == nullptr || !redraw_) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    CRect area = client;
    if (rect != nullptr && !area.IntersectRect(client, *rect)) {
        return;
    }
    update_.UnionRect(update_, area);
    erase_ = erase_ || bErase != FALSE;
}

void CWnd::ValidateRect(const CRect* rect)
{
    if (rect == nullptr) {
        update_.SetRectEmpty();
        erase_ = false;
        return;
    }
    // The update area is one rectangle; validating a part only removes it when it covers all.
    CRect covered;
    if (covered.IntersectRect(update_, *rect) && covered == update_) {
        update_.SetRectEmpty();
        erase_ = false;
    }
}

BOOL CWnd::GetUpdateRect(CRect* rect, BOOL) const
{
    if (rect != nullptr) {
        *rect = update_;
    }
    return !update_.IsRectEmpty();
}

void CWnd::UpdateWindow()
{
    if (m_hWnd != nullptr && !update_.IsRectEmpty() && IsWindowVisible()) {
        HWND self = m_hWnd;
        SendMessage(WM_PAINT);
        if (FromHandle(self) == this) {
            ValidateRect(nullptr);
        }
    }
}

BOOL CWnd::RedrawWindow(const CRect* rect, UINT)
{
    InvalidateRect(rect, TRUE);
    UpdateWindow();
    return TRUE;
}

CDC* CWnd::BeginPaint(PAINTSTRUCT* ps)
{
    if (ps == nullptr) {
        return nullptr;
    }
    CRect client;
    GetClientRect(&client);
    ps->rcPaint = update_.IsRectEmpty() ? client : update_;
    ps->fErase = erase_ ? TRUE : FALSE;
    update_.SetRectEmpty();
    erase_ = false;
    ps->hdc = GetWindowHost().AcquireDC(*this, &ps->rcPaint);
    if (ps->fErase) {
        ps->fErase = SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc)) != 0 ? FALSE : TRUE;
    }
    return ps->hdc;
}

void CWnd::EndPaint(PAINTSTRUCT* ps)
{
    if (ps != nullptr && ps->hdc != nullptr) {
        GetWindowHost().ReleaseDC(*this, ps->hdc);
        ps->hdc = nullptr;
    }
}

CDC* CWnd::GetDC()
{
    return GetWindowHost().AcquireDC(*this, nullptr);
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == nullptr) {
        return 0;
    }
    GetWindowHost().ReleaseDC(*this, pDC);
    return 1;
}

void CWnd::OnPaint()
{
    PAINTSTRUCT ps;
    BeginPaint(&ps);
    EndPaint(&ps);
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    menu_ = pMenu;
    ++drawMenuBarCount_;
    return TRUE;
}

void CWnd::DrawMenuBar()
{
    ++drawMenuBarCount_;
}

// ----- free functions ----------------------------------------------------------------------

LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* w = CWnd::FromHandle(hwnd);
    return w != nullptr ? w->SendMessage(message, wParam, lParam) : 0;
}

BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        return FALSE;
    }
    GetMessageQueue().Post(hwnd, message, wParam, lParam);
    return TRUE;
}

BOOL PostInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (hwnd != nullptr && !IsWindow(hwnd)) {
        return FALSE;
    }
    GetMessageQueue().Post(hwnd, message, wParam, lParam, HeldKeys());
    return TRUE;
}

void PostQuitMessage(int nExitCode)
{
    GetMessageQueue().PostQuit(nExitCode);
}

BOOL GetMessage(MSG* pMsg, HWND hwnd, UINT first, UINT last)
{
    MSG local;
    const bool got =
        GetMessageQueue().Get(pMsg != nullptr ? *pMsg : local, CMessageQueue::Filter{hwnd, first, last});
    return got ? TRUE : FALSE;
}

BOOL PeekMessage(MSG* pMsg, HWND hwnd, UINT first, UINT last, UINT removeFlags)
{
    MSG local;
    return GetMessageQueue().Peek(pMsg != nullptr ? *pMsg : local, removeFlags,
                                  CMessageQueue::Filter{hwnd, first, last})
               ? TRUE
               : FALSE;
}

BOOL IsWindow(HWND hwnd)
{
    return CWnd::FromHandle(hwnd) != nullptr ? TRUE : FALSE;
}

LRESULT DispatchMessage(const MSG* pMsg)
{
    if (pMsg == nullptr) {
        return 0;
    }
    CWnd* w = CWnd::FromHandle(pMsg->hwnd);
    if (w == nullptr) {
        return 0;
    }
    // A press queued before its window, or one it lies in, was disabled (a modal window opened
    // meanwhile on a busy machine) is not taken, as no input reaches a disabled window: the
    // control would take the pointer and its release, dropped, would never give it back.
    const UINT m = pMsg->message;
    if ((m == WM_LBUTTONDOWN || m == WM_LBUTTONDBLCLK || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN) &&
        !w->TakesInput()) {
        return 0;
    }
    const LRESULT result = w->SendMessage(pMsg->message, pMsg->wParam, pMsg->lParam);
    if (pMsg->message == WM_PAINT) {
        if (CWnd* again = CWnd::FromHandle(pMsg->hwnd)) {
            again->ValidateRect(nullptr);
        }
    }
    return result;
}

BOOL TranslateMessage(const MSG* pMsg)
{
    if (pMsg == nullptr || pMsg->message != WM_KEYDOWN) {
        return FALSE;
    }
    const std::string typed = TypedByKey(*pMsg);
    // A character beyond ASCII arrives as its UTF-8 bytes, one WM_CHAR each, as typed text does.
    for (unsigned char c : typed) {
        GetMessageQueue().Post(pMsg->hwnd, WM_CHAR, c, pMsg->lParam);
    }
    return typed.empty() ? FALSE : TRUE;
}

std::size_t LiveWindowCount()
{
    return Registry().Count();
}

std::vector<CWnd*> TopLevelWindows()
{
    std::vector<CWnd*> tops;
    for (CWnd* w : Registry().All()) {
        if (w->GetParent() == nullptr) {
            tops.push_back(w);
        }
    }
    return tops;
}

void ResetWindows()
{
    for (;;) {
        std::vector<CWnd*> tops = TopLevelWindows();
        if (tops.empty()) {
            break;
        }
        tops.back()->DestroyWindow();
    }
    WindowRegistry& reg = Registry();
    reg.focus = nullptr;
    reg.capture = nullptr;
    reg.active = nullptr;
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pFont), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return reinterpret_cast<CFont*>(const_cast<CWnd*>(this)->SendMessage(WM_GETFONT));
}
