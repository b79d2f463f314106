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
    return static_cast<int>(ui::CountCharacters(MenuTitleShown(text))) * ui::CharAdvance(ui::DefaultLogFont());
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

} // namespace

BEGIN_MESSAGE_MAP(CMenuBar, CControlBar)
    .OnLButtonDown(&CMenuBar::OnLButtonDown) END_MESSAGE_MAP()

        BOOL CMenuBar::Create(CWnd* pParentWnd, UINT nID)
{
    const DWORD windowStyle = TakeBarStyle(WS_CHILD | WS_VISIBLE | CBRS_TOP);
    if (!CWnd::Create("AfxMenuBar", "", windowStyle, CRect(), pParentWnd, nID)) {
        return FALSE;
    }
    SetOwner(pParentWnd);
    return TRUE;
}

void CMenuBar::SetMenu(CMenu* menu)
{
    menu_ = menu;
    open_ = -1;
    Layout();
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
    return titles_[static_cast<std::size_t>(index)];
}

int CMenuBar::HitTest(CPoint point) const
{
    for (int i = 0; i < GetTitleCount(); ++i) {
        if (titles_[static_cast<std::size_t>(i)].PtInRect(point)) {
            return i;
        }
    }
    return -1;
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
    if (menu_ == nullptr || index < 0 || index >= GetTitleCount() || open_ >= 0) {
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
    return {32767, kHeight};
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
        if (menu_ != nullptr) {
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
        dc->FillSolidRect(CRect(client.left, client.bottom - 1, client.right, client.bottom),
                          GetSysColor(COLOR_BTNSHADOW));
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
