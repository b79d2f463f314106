#include "propui/FontDataCtrl.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/ControlMessages.h"
#include "platform/dialogs/UiUtilities.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/window/Input.h"
#include "platform/window/WindowClass.h"
#include "propui/PropertyOwner.h"

#include <charconv>

namespace {

void RegisterOnce(const char* name)
{
    WNDCLASS wc;
    if (GetClassInfo(name, &wc))
        return;
    wc.style = CS_HREDRAW | CS_DBLCLKS | 0x1 /* vertical redraw */;
    wc.hCursor = LoadCursorId(IDC_ARROW);
    wc.hbrBackground = COLOR_BTNFACE + 1;
    wc.lpszClassName = name;
    if (!AfxRegisterClass(&wc))
        throw CResourceException();
}

// The drop-down list's height: ten rows of the size list below the box.
constexpr int kDropRows = 10;
constexpr int kRowHeight = 16;

} // namespace

void CColorSwatch::SetColor(COLORREF colour)
{
    m_colour = colour;
    if (GetSafeHwnd())
        Invalidate();
}

void CColorSwatch::Paint(CDC& dc)
{
    CRect rc;
    GetClientRect(&rc);
    dc.FillSolidRect(rc, RGB(0x80, 0x80, 0x80));
    rc.DeflateRect(2, 2);
    dc.FillSolidRect(rc, IsWindowEnabled() ? m_colour : GetSysColor(COLOR_BTNFACE));
}

void CToggleSquare::Paint(CDC& dc)
{
    CRect rc;
    GetClientRect(&rc);
    const bool down = GetCheck() == BST_CHECKED;
    dc.FillSolidRect(rc, down ? RGB(0xA8, 0xA8, 0xA8) : GetSysColor(COLOR_BTNFACE));
    dc.Draw3dRect(rc, down ? RGB(0x60, 0x60, 0x60) : RGB(0xFF, 0xFF, 0xFF),
                  down ? RGB(0xFF, 0xFF, 0xFF) : RGB(0x60, 0x60, 0x60));
    if (CFont* font = GetFont())
        dc.SelectObject(font);
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(IsWindowEnabled() ? RGB(0, 0, 0) : RGB(0x80, 0x80, 0x80));
    dc.DrawText(GetWindowText(), rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

const char* const CFontChooserBase::kSizes[15] = {"8",  "9",  "10", "12", "14", "16", "18", "20",
                                                  "22", "24", "26", "28", "36", "48", "72"};

CFontChooserBase::CFontChooserBase()
{
    m_font.CreatePointFont(80, "MS Shell Dlg");
}

CFontChooserBase::~CFontChooserBase()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CFontChooserBase::DestroyChildren()
{
    for (CWnd* w : std::initializer_list<CWnd*>{&m_bold, &m_italic, &m_underline, &m_fontBox, &m_sizeBox, &m_color})
        if (w->GetSafeHwnd())
            w->DestroyWindow();
}

bool CFontChooserBase::Create(CParameterSet* group, IPropertyOwner* owner, bool ownedByMain, COLORREF* customColors)
{
    DestroyChildren();
    m_rcPlace = GetRectInParent();
    // The combo boxes take their drop-down height from the client height at creation, so the
    // window is made tall enough for ten rows while they are made.
    MoveWindow(CRect(m_rcPlace.left, m_rcPlace.top, m_rcPlace.right,
                     m_rcPlace.bottom + kDropRows * kRowHeight),
               FALSE);
    CRect client;
    GetClientRect(&client);
    const int W = client.Width(), unit = W / 10;
    const DWORD list = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
    m_fontBox.Create(list, CRect(0, 0, 4 * unit, client.Height()), this, IdFont);
    m_sizeBox.Create(list, CRect(4 * unit, 0, 6 * unit, client.Height()), this, IdSize);
    m_fontBox.SetFont(&m_font, FALSE);
    m_sizeBox.SetFont(&m_font, FALSE);
    CRect sizeRect;
    m_sizeBox.GetClientRect(&sizeRect);
    const int h = std::max(1, std::min(sizeRect.Height(), m_rcPlace.Height()));
    const int sizeRight = 6 * unit;
    int x = sizeRight + (W - 4 * h - sizeRight) / 2;
    const char* captions[3] = {"B", "I", "U"};
    CButton* toggles[3] = {&m_bold, &m_italic, &m_underline};
    for (int i = 0; i < 3; ++i, x += h) {
        toggles[i]->Create(captions[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, CRect(x, 0, x + h, h),
                           this, static_cast<UINT>(IdBold + i));
        toggles[i]->SetFont(&m_font, FALSE);
    }
    m_color.Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, CRect(W - h, 0, W, h), this, IdColor);
    m_color.SetColor(RGB(0xC0, 0xC0, 0xC0));

    m_pSet = group;
    m_pOwner = owner;
    if (group)
        LoadProperties();
    else
        EnableControls(false);
    MoveWindow(m_rcPlace, group != nullptr);
    m_bOwnedByMain = ownedByMain;
    m_pCustomColors = customColors;
    return true;
}

CParameter* CFontChooserBase::Find(const char* key) const
{
    return m_pSet ? m_pSet->FindParameter(key) : nullptr;
}

void CFontChooserBase::EnableControls(bool enable)
{
    if (!m_pSet) {
        for (CWnd* w :
             std::initializer_list<CWnd*>{&m_bold, &m_italic, &m_underline, &m_fontBox, &m_sizeBox, &m_color})
            w->EnableWindow(enable);
        return;
    }
    for (int id : {IdBold, IdItalic, IdUnderline})
        if (Find(ToggleKey(id)))
            Toggle(id).EnableWindow(enable);
    if (Find(SizeKey()))
        m_sizeBox.EnableWindow(enable);
    // The font is shown, not chosen.
    m_fontBox.EnableWindow(FALSE);
    m_color.EnableWindow(enable);
}

void CFontChooserBase::SetStringProperty(CComboBox& box, const char* key)
{
    CParameter* p = Find(key);
    if (!p) {
        box.EnableWindow(FALSE);
        return;
    }
    // The box holds the one current font, reset on every load so that a group loaded anew
    // (another style) shows its own font.
    box.ResetContent();
    box.AddString(p->GetString().c_str());
    box.SetCurSel(0);
    box.EnableWindow(TRUE);
}

void CFontChooserBase::SetSizeProperty(const char* key)
{
    CParameter* p = Find(key);
    if (!p) {
        m_sizeBox.EnableWindow(FALSE);
        return;
    }
    if (m_sizeBox.GetCount() == 0)
        for (const char* size : kSizes)
            m_sizeBox.AddString(size);
    std::string text = std::to_string(p->GetInt());
    int at = m_sizeBox.FindStringExact(-1, text.c_str());
    if (at < 0 && AddsMissingSize())
        at = m_sizeBox.AddString(text.c_str());
    m_sizeBox.SetCurSel(at);
    m_sizeBox.EnableWindow(TRUE);
}

void CFontChooserBase::SetToggleProperty(CButton& toggle, const char* key)
{
    CParameter* p = Find(key);
    if (!p) {
        toggle.EnableWindow(FALSE);
        return;
    }
    toggle.SetCheck(p->GetBool() ? BST_CHECKED : BST_UNCHECKED);
    toggle.EnableWindow(TRUE);
}

void CFontChooserBase::SetColorProperty(const char* key)
{
    CParameter* p = Find(key);
    if (!p) {
        m_color.EnableWindow(FALSE);
        return;
    }
    m_color.SetColor(SwapRedBlue(p->GetColor()));
    m_color.EnableWindow(TRUE);
}

void CFontChooserBase::Notify()
{
    if (m_pOwner)
        m_pOwner->Refresh(0);
    else if (CWnd* parent = GetParent())
        parent->SendMessage(kChangedMessage, static_cast<WPARAM>(GetDlgCtrlID()), 0);
}

void CFontChooserBase::OnColor()
{
    COLORREF colour = m_color.GetColor();
    if (ChooseColorWithCustomColors(colour, m_bOwnedByMain, m_pCustomColors,
                                    m_pCustomColors ? nullptr : m_documentColors) != IDOK)
        return;
    m_color.SetColor(colour);
    if (CParameter* p = Find(ColorKey()))
        p->SetColor(SwapRedBlue(colour));
    Notify();
}

LRESULT CFontChooserBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        const int id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (id >= IdBold && id <= IdUnderline && code == BN_CLICKED) {
            OnToggle(id);
            Notify();
            return 0;
        }
        if (id == IdColor && code == BN_CLICKED) {
            OnColor();
            return 0;
        }
        if (id == IdSize && code == CBN_SELCHANGE) {
            std::string text = m_sizeBox.GetLBText(m_sizeBox.GetCurSel());
            int size = 0;
            auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
            if (error == std::errc() && end == text.data() + text.size())
                if (CParameter* p = Find(SizeKey()))
                    p->SetInt(size);
            Notify();
            return 0;
        }
        if (id == IdFont && code == CBN_SELCHANGE) {
            if (CParameter* p = Find(FontKey()))
                p->SetString(m_fontBox.GetLBText(m_fontBox.GetCurSel()));
            Notify();
            return 0;
        }
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

CFontDataCtrl::CFontDataCtrl()
{
    RegisterOnce(kClassName);
}

void CFontDataCtrl::LoadProperties()
{
    SetStringProperty(m_fontBox, "font");
    SetSizeProperty("size");
    SetToggleProperty(m_bold, "bold");
    SetToggleProperty(m_italic, "italic");
    SetToggleProperty(m_underline, "underline");
    SetColorProperty("color");
}

void CFontDataCtrl::OnToggle(int id)
{
    if (CParameter* p = Find(ToggleKey(id)))
        p->SetBool(Toggle(id).GetCheck() == BST_CHECKED);
}

CFontData2Ctrl::CFontData2Ctrl()
{
    RegisterOnce(kClassName);
}

void CFontData2Ctrl::LoadProperties()
{
    SetStringProperty(m_fontBox, "FontName");
    SetSizeProperty("FontSize");
    if (CParameter* style = Find("FontStyle")) {
        const std::string& s = style->GetString();
        m_bold.SetCheck(s == "Bold" || s == "Bold Italic" ? BST_CHECKED : BST_UNCHECKED);
        m_italic.SetCheck(s == "Italic" || s == "Bold Italic" ? BST_CHECKED : BST_UNCHECKED);
        m_bold.EnableWindow(TRUE);
        m_italic.EnableWindow(TRUE);
    } else {
        m_bold.EnableWindow(FALSE);
        m_italic.EnableWindow(FALSE);
    }
    SetToggleProperty(m_underline, "FUnderline");
    SetColorProperty("FontColor");
}

void CFontData2Ctrl::OnToggle(int id)
{
    if (id == IdUnderline) {
        if (CParameter* p = Find("FUnderline"))
            p->SetBool(m_underline.GetCheck() == BST_CHECKED);
        return;
    }
    bool bold = m_bold.GetCheck() == BST_CHECKED, italic = m_italic.GetCheck() == BST_CHECKED;
    if (CParameter* p = Find("FontStyle"))
        p->SetString(bold && italic ? "Bold Italic" : (bold ? "Bold" : (italic ? "Italic" : "Regular")));
}

void CFontData2Ctrl::Notify()
{
    if (m_pOwner)
        m_pOwner->Refresh(0);
}
