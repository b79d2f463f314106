#include "platform/docview/MenuBar.h"

#include <cctype>

#include "platform/docview/Menu.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/Font.h"

std::string MenuTitleShown(const std::string& text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) {
            ++i; // "&&" shows one '&'; "&F" shows the F, underlined where fonts allow
        }
        if (text[i] == '\t') {
            break;
        }
        shown += text[i];
    }
    return shown;
}

namespace {

int TitleWidth(const std::string& text)
{
    return ui::TextWidth(MenuTitleShown(text), ui::DefaultLogFont());
}

char Mnemonic(const std::string& text)
{
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == '&') {
            if (text[i + 1] != '&') {
                return static_cast<char>(std::tolower(static_cast<unsigned char>(text[i + 1])));
            }
            ++i;
        }
    }
    return 0;
}

MenuBarWidgetFactory& WidgetFactory()
{
    static MenuBarWidgetFactory factory;
    return factory;
}

} // namespace

void SetMenuBarWidgetFactory(MenuBarWidgetFactory factory)
{
    WidgetFactory() = std::move(factory);
}

BEGIN_MESSAGE_MAP(CMenuBar, CControlBar)
    .OnLButtonDown(&CMenuBar::OnLButtonDown) END_MESSAGE_MAP()

        BOOL CMenuBar::Create(CWnd* pParentWnd, UINT nID)
{
    const DWORD windowStyle = TakeBarStyle(WS_CHILD | WS_VISIBLE | CBRS_TOP);
    if (!CWnd::Create("AfxMenuBar", "", windowStyle, CRect(), pParentWnd, nID)) {
        return FALSE;
    }
    SetOwner(pParentWnd);
    if (WidgetFactory()) {
        widget_ = WidgetFactory()(*this);
    }
    return TRUE;
}

CMenuBar::~CMenuBar()
{
    // The widget goes first: it may still ask the bar while it is taken down.
    widget_.reset();
}

CWnd* CMenuBar::Target() const
{
    return GetOwner() != nullptr ? GetOwner() : GetParent();
}

void CMenuBar::SetMenu(CMenu* menu)
{
    menu_ = menu;
    open_ = -1;
    Layout();
    shown_ = ShownTitles();
    if (widget_) {
        widget_->TitlesChanged();
    }
    Invalidate();
}

std::vector<std::pair<std::string, UINT>> CMenuBar::ShownTitles() const
{
    std::vector<std::pair<std::string, UINT>> titles;
    if (menu_ != nullptr) {
        for (const CMenu::Item& item : menu_->Items()) {
            titles.emplace_back(item.text, item.flags);
        }
    }
    return titles;
}

void CMenuBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    std::vector<std::pair<std::string, UINT>> now = ShownTitles();
    if (now == shown_) {
        return;
    }
    shown_ = std::move(now);
    Layout();
    if (widget_) {
        widget_->TitlesChanged();
    }
    Invalidate();
}

void CMenuBar::Layout()
{
    titles_.clear();
    if (menu_ == nullptr) {
        return;
    }
    int x = 2;
    for (const CMenu::Item& item : menu_->Items()) {
        const int width = TitleWidth(item.text) + 2 * kPadding;
        titles_.emplace_back(x, 1, x + width, kHeight - 1);
        x += width;
    }
}

int CMenuBar::GetTitleCount() const
{
    return static_cast<int>(titles_.size());
}

CRect CMenuBar::GetTitleRect(int index) const
{
    if (index < 0 || index >= GetTitleCount()) {
        return CRect();
    }
    if (widget_) {
        const std::vector<CRect> shown = widget_->TitleRects();
        if (static_cast<int>(shown.size()) == GetTitleCount()) {
            return shown[static_cast<std::size_t>(index)];
        }
    }
    return titles_[static_cast<std::size_t>(index)];
}

int CMenuBar::HitTest(CPoint point) const
{
    for (int i = 0; i < GetTitleCount(); ++i) {
        if (GetTitleRect(i).PtInRect(point)) {
            return i;
        }
    }
    return -1;
}

int CMenuBar::GetOpenTitle() const
{
    return widget_ ? widget_->OpenTitle() : open_;
}

CMenu* CMenuBar::PrepareTitle(int index)
{
    if (menu_ == nullptr || index < 0 || index >= GetTitleCount()) {
        return nullptr;
    }
    CMenu* popup = menu_->GetSubMenu(index);
    CWnd* owner = Target();
    if (popup != nullptr && owner != nullptr) {
        popup->InitPopups(*owner, static_cast<UINT>(index));
    }
    return popup;
}

bool CMenuBar::Usable() const
{
    return TakesInput();
}

bool CMenuBar::Pick(UINT id)
{
    CWnd* owner = Target();
    if (menu_ == nullptr || owner == nullptr || id == 0 || id == static_cast<UINT>(-1) || !Usable()) {
        return false;
    }
    const UINT state = menu_->GetMenuState(id, MF_BYCOMMAND);
    if (state == static_cast<UINT>(-1) || (state & (MF_GRAYED | MF_DISABLED)) != 0) {
        return false;
    }
    owner->PostMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
    return true;
}

int CMenuBar::FindMnemonic(char letter) const
{
    if (menu_ == nullptr) {
        return -1;
    }
    const char wanted = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    const auto& items = menu_->Items();
    for (std::size_t i = 0; i < items.size() && i < titles_.size(); ++i) {
        if (Mnemonic(items[i].text) == wanted) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

UINT CMenuBar::OpenTitle(int index)
{
    if (menu_ == nullptr || index < 0 || index >= GetTitleCount() || GetOpenTitle() >= 0 || !Usable()) {
        return 0;
    }
    if (widget_ && menu_->GetSubMenu(index) != nullptr) {
        widget_->Open(index);
        return 0;
    }
    CMenu* popup = menu_->GetSubMenu(index);
    CWnd* owner = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (owner == nullptr) {
        return 0;
    }
    UINT picked = 0;
    if (popup == nullptr) {
        // A title without a submenu is a command of its own.
        picked = menu_->GetMenuItemID(index);
        if (picked != 0 && picked != static_cast<UINT>(-1)) {
            owner->PostMessage(WM_COMMAND, MAKEWPARAM(picked, 0), 0);
        }
        return picked;
    }
    open_ = index;
    Invalidate();
    UpdateWindow();
    CRect below = GetTitleRect(index);
    ClientToScreen(&below);
    // The popup's owner is the frame, so its update handlers set the items before it shows.
    picked = static_cast<UINT>(popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, below.left, below.bottom, owner));
    // The bar may have gone with its frame while the menu was open.
    if (::IsWindow(m_hWnd)) {
        open_ = -1;
        Invalidate();
    }
    if (picked != 0 && ::IsWindow(owner->GetSafeHwnd())) {
        owner->PostMessage(WM_COMMAND, MAKEWPARAM(picked, 0), 0);
    }
    return picked;
}

void CMenuBar::OnLButtonDown(UINT, CPoint point)
{
    const int hit = HitTest(point);
    if (hit >= 0) {
        OpenTitle(hit);
    }
}

CSize CMenuBar::CalcFixedLayout(BOOL, BOOL)
{
    const int height = widget_ ? widget_->Height() : 0;
    return {32767, height > 0 ? height : kHeight};
}

void CMenuBar::Paint()
{
    PAINTSTRUCT ps;
    CDC* dc = BeginPaint(&ps);
    if (dc != nullptr) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(client, GetSysColor(COLOR_BTNFACE));
        dc->SetBkMode(TRANSPARENT);
        // A widget lying over the bar shows the titles; the face underneath is its background.
        if (menu_ != nullptr && !widget_) {
            const auto& items = menu_->Items();
            for (std::size_t i = 0; i < items.size() && i < titles_.size(); ++i) {
                const CRect& title = titles_[i];
                const bool open = static_cast<int>(i) == open_;
                // The open title is marked as the desktop's menu bars mark it: a line in the
                // selection colour under a title of that colour.
                if (open) {
                    dc->FillSolidRect(CRect(title.left, title.bottom - 3, title.right, title.bottom),
                                      GetSysColor(COLOR_HIGHLIGHT));
                }
                const bool grayed = (items[i].flags & (MF_GRAYED | MF_DISABLED)) != 0;
                dc->SetTextColor(GetSysColor(open ? COLOR_HIGHLIGHT : grayed ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
                CRect text = title;
                dc->DrawText(MenuTitleShown(items[i].text), text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
            }
        }
        if (!widget_) {
            dc->FillSolidRect(CRect(client.left, client.bottom - 1, client.right, client.bottom),
                              GetSysColor(COLOR_BTNSHADOW));
        }
    }
    EndPaint(&ps);
}

LRESULT CMenuBar::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint();
        return 0;
    default:
        return CControlBar::DefWindowProc(message, wParam, lParam);
    }
}
