#include "pages/TextFormatPage.h"

#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "model/ValueList.h"
#include "pages/PageKit.h"
#include "platform/controls/ComboBox.h"
#include "platform/dialogs/UiUtilities.h"

#include <algorithm>

using namespace pages;
using model::ParamType;

BEGIN_MESSAGE_MAP(CTextFormatPage, CComponentPage)
    .Control(CBN_SELCHANGE, IDC_ALIGN, &CTextFormatPage::OnAlignChanged)
    .Command(IDC_UNDERLINE, &CTextFormatPage::OnUnderline)
    .Control(EN_CHANGE, IDC_FONT, &CTextFormatPage::OnFontChanged)
    .Command(IDC_COLOR, &CTextFormatPage::OnColor)
    .OnVScroll(&CTextFormatPage::OnVScroll)
    .Message(WM_INPLACE_NOTIFY, &CTextFormatPage::OnInPlaceEditCommit) END_MESSAGE_MAP()

DialogTemplate CTextFormatPage::MakeTemplate()
{
    DialogTemplate t = PageTemplate(IDD, "Property");
    t.Add("Static", "Font", IDC_FONT_LABEL, 14, 14, 40, 8, kLabelStyle)
        .Add("Edit", "", IDC_FONT, 60, 12, 120, 13, kEditStyle)
        .Add("Static", "Size", IDC_SIZE_LABEL, 14, 34, 40, 8, kLabelStyle)
        .Add("Edit", "", IDC_SIZE, 60, 32, 30, 13, kEditStyle)
        .Add("msctls_updown32", "", IDC_SIZE_ARROWS, 90, 32, 10, 13, WS_VISIBLE)
        .Add("Static", "Color", IDC_COLOR_LABEL, 14, 54, 40, 8, kLabelStyle)
        .Add("Button", "", IDC_COLOR, 60, 51, 40, 14, kColorStyle)
        .Add("Static", "Align", IDC_ALIGN_LABEL, 14, 74, 40, 8, kLabelStyle)
        .Add("ComboBox", "", IDC_ALIGN, 60, 72, 80, 60, kComboStyle | CBS_SORT)
        .Add("Button", "Underline", IDC_UNDERLINE, 60, 94, 80, 10, kCheckStyle);
    return t;
}

BOOL CTextFormatPage::Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                             CParameterSet* root)
{
    CComponentPage::Create(group, title, modal, owner, root);
    m_caption = title;
    Construct(MakeTemplate());
    m_psp.title = title;
    m_psp.dwFlags |= PSP_USETITLE;
    return TRUE;
}

BOOL CTextFormatPage::OnInitDialog()
{
    CComponentPage::OnInitDialog();
    ReplaceControl(m_size, IDC_SIZE, GetDialogFont());
    m_size.SetNumericFilter(true);
    auto* arrows = static_cast<CSpinButtonCtrl*>(GetDlgItem(IDC_SIZE_ARROWS));
    arrows->SetBuddy(&m_size);
    arrows->SetRange(1, 100);

    // Putting the values into the controls is no typing: the font edit's change notices wait.
    m_filling = true;
    m_present = 0;
    CParameterSet* group = GetGroup();
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_ALIGN));
    for (int i = 0; i < group->GetCount(); ++i) {
        const CParameter* p = group->GetAt(i);
        const std::string& name = p->GetName();
        if (name == "font" && p->GetType() == ParamType::Text) {
            SetDlgItemText(IDC_FONT, p->GetString());
            m_present |= kFont;
        } else if (name == "size" && p->GetType() == ParamType::Integer) {
            m_size.SetWindowText(std::to_string(p->GetInt()));
            m_size.SetBaseline(std::to_string(p->GetInt()));
            arrows->SetPos(std::clamp(p->GetInt(), 1, 100));
            m_present |= kSize;
        } else if (name == "underline" && p->GetType() == ParamType::Boolean) {
            CheckDlgButton(IDC_UNDERLINE, p->GetBool() ? BST_CHECKED : BST_UNCHECKED);
            m_present |= kUnderline;
        } else if (name == "color" && p->GetType() == ParamType::Color) {
            m_color = SwapRedBlue(p->GetColor());
            m_present |= kColor;
        } else if (name == "align" && p->GetType() == ParamType::Choice && p->GetValueList() != nullptr) {
            const CValueList& list = *p->GetValueList();
            combo->AddString(list.GetCurrentText().c_str());
            for (int k = 1; k < list.GetCount(); ++k)
                combo->AddString(list.GetAllowed(k).c_str());
            SelectExact(*combo, list.GetCurrentText());
            m_present |= kAlign;
        }
    }
    m_filling = false;
    EnableItems(*this, {IDC_FONT}, (m_present & kFont) != 0);
    EnableItems(*this, {IDC_ALIGN}, (m_present & kAlign) != 0);
    EnableItems(*this, {IDC_SIZE_ARROWS}, (m_present & kSize) != 0);
    m_size.EnableWindow((m_present & kSize) != 0);
    EnableItems(*this, {IDC_UNDERLINE}, (m_present & kUnderline) != 0);
    m_colorButton.SubclassDlgItem(IDC_COLOR, this, m_color, 0x010101, 0x808080, 2);
    m_colorButton.EnableWindow((m_present & kColor) != 0);
    return TRUE;
}

BOOL CTextFormatPage::OnSetActive()
{
    if (m_colorButton.GetSafeHwnd() != nullptr)
        m_colorButton.SetColor(m_color);
    return CComponentPage::OnSetActive();
}

void CTextFormatPage::WriteNamed(const char* key, const std::function<bool(CParameter&)>& store)
{
    if (GetSafeHwnd() == nullptr)
        return;
    CParameterSet* group = GetGroup();
    for (int i = 0; i < group->GetCount(); ++i) {
        CParameter* p = group->GetAt(i);
        if (p->GetName() == key && store(*p))
            NotifyOwnerChanged();
    }
}

void CTextFormatPage::Write(const char* key, int value)
{
    WriteNamed(key, [value](CParameter& p) {
        if (p.GetType() == ParamType::Integer)
            p.SetInt(value);
        else if (p.GetType() == ParamType::Boolean)
            p.SetBool(value == 1);
        else if (p.GetType() == ParamType::Color)
            p.SetColor(static_cast<std::uint32_t>(value));
        else
            return false;
        return true;
    });
}

void CTextFormatPage::Write(const char* key, const std::string& text)
{
    WriteNamed(key, [&text](CParameter& p) {
        if (model::IsStringType(p.GetType()))
            p.SetString(text);
        else if (p.GetType() == ParamType::Choice && p.GetValueList() != nullptr)
            p.GetValueList()->GetPrototype().SetString(text);
        else
            return false;
        return true;
    });
}

void CTextFormatPage::OnAlignChanged()
{
    auto* combo = static_cast<CComboBox*>(GetDlgItem(IDC_ALIGN));
    if (combo->GetCurSel() >= 0)
        Write("align", combo->GetLBText(combo->GetCurSel()));
}

void CTextFormatPage::OnUnderline()
{
    Write("underline", IsDlgButtonChecked(IDC_UNDERLINE) == BST_CHECKED ? 1 : 0);
}

void CTextFormatPage::OnFontChanged()
{
    if (!m_filling)
        Write("font", GetDlgItemText(IDC_FONT));
}

void CTextFormatPage::OnColor()
{
    if ((m_present & kColor) == 0)
        return;
    COLORREF colour = m_color;
    COLORREF* table = GetContext() != nullptr ? GetContext()->customColors : nullptr;
    if (ChooseColorWithCustomColors(colour, true, nullptr, table) != IDOK)
        return;
    m_color = colour;
    m_colorButton.SetColor(colour);
    Write("color", static_cast<int>(SwapRedBlue(colour)));
}

void CTextFormatPage::OnVScroll(UINT code, UINT, CWnd* bar)
{
    if (code == SB_ENDSCROLL && bar != nullptr && bar->GetDlgCtrlID() == IDC_SIZE_ARROWS) {
        m_size.SetBaseline(m_size.GetWindowText());
        Write("size", ParseInt(m_size.GetWindowText()));
    }
}

LRESULT CTextFormatPage::OnInPlaceEditCommit(WPARAM, LPARAM lParam)
{
    if (static_cast<int>(lParam) != IDC_SIZE)
        return 0;
    const int size = std::clamp(ParseInt(m_size.GetWindowText()), 1, 100);
    m_size.SetWindowText(std::to_string(size));
    m_size.SetBaseline(std::to_string(size));
    Write("size", size);
    return 1;
}
