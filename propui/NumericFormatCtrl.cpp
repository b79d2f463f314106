#include "propui/NumericFormatCtrl.h"

#include "model/CellBinding.h"
#include "model/Parameter.h"
#include "model/ParameterSet.h"
#include "platform/controls/ControlMessages.h"
#include "platform/drawing/Colors.h"
#include "platform/window/Input.h"
#include "platform/window/WindowClass.h"
#include "propui/PropertyOwner.h"

#include <algorithm>
#include <cstdlib>

using model::ParamType;
using namespace numfmt;

namespace {

// Set while a control creates its children or writes an affix edit itself, so the edits'
// change notifications of those writes are not taken for the user's typing.
bool g_guard = false;

struct Guard {
    bool old = g_guard;
    Guard() { g_guard = true; }
    ~Guard() { g_guard = old; }
};

void RegisterClassOnce()
{
    static bool registered = false;
    if (registered)
        return;
    WNDCLASS wc;
    wc.style = CS_HREDRAW | CS_DBLCLKS | 0x1 /* vertical redraw */;
    wc.hCursor = LoadCursorId(IDC_ARROW);
    wc.hbrBackground = COLOR_BTNFACE + 1;
    wc.lpszClassName = CNumericFormatCtrl::kClassName;
    registered = AfxRegisterClass(&wc) != FALSE;
}

CParameterSet* SetOf(CParameter* p)
{
    return p ? p->GetSet() : nullptr;
}

CParameter* FirstElement(CParameter* p)
{
    return p && p->GetElementCount() > 0 ? p->GetElement(0) : nullptr;
}

} // namespace

CNumericFormatCtrl::CNumericFormatCtrl()
{
    RegisterClassOnce();
}

CNumericFormatCtrl::~CNumericFormatCtrl()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

bool CNumericFormatCtrl::Create(CParameter* format, IPropertyOwner* owner, CFont* font, CParameter* source,
                                bool hide)
{
    m_owner = owner;
    CRect client;
    GetClientRect(&client);
    const int W = client.Width(), H = client.Height();
    auto at = [&](double l, double r, double t, int height) {
        int top = static_cast<int>(t * H);
        return CRect(static_cast<int>(l * W), top, static_cast<int>(r * W), top + height);
    };
    const DWORD child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    {
        Guard guard;
        m_kindLabel.Create("Numeric Format:", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(0, 0, W * 45 / 100, 16), this,
                           IdKindLabel);
        m_kindList.Create(child | CBS_DROPDOWNLIST | WS_VSCROLL, at(0, 0.52, 0.18, 80), this, IdKindList);
        m_secondLabel.Create("Negative Values:", WS_CHILD | WS_VISIBLE | SS_LEFT,
                             CRect(static_cast<int>(0.55 * W), 0, W, 16), this, IdSecondLabel);
        m_secondList.Create(child | CBS_DROPDOWNLIST | WS_VSCROLL, at(0.55, 1, 0.18, 80), this, IdSecondList);
        m_formatText.Create(WS_CHILD | WS_BORDER | ES_READONLY | ES_AUTOHSCROLL, at(0.55, 1, 0.18, 24), this,
                            IdFormatText);
        m_decimalsLabel.Create("Decimal Places:", WS_CHILD | WS_VISIBLE | SS_LEFT, at(0, 0.35, 0.51, 18), this,
                               IdDecimalsLabel);
        m_decimalsSpin.Create(child, at(0.36, 0.52, 0.472, 24), this, IdDecimals);
        m_prefixCheck.Create("Prefix", child | BS_AUTOCHECKBOX, at(0.55, 0.85, 0.51, 20), this, IdPrefixCheck);
        m_prefixEdit.Create(child | WS_BORDER | ES_AUTOHSCROLL, at(0.87, 1, 0.472, 24), this, IdPrefixEdit);
        m_prefixEdit.LimitText(static_cast<int>(kMaxAffix));
        m_prefixEdit.SetWindowText("$");
        m_suffixCheck.Create("Suffix", child | BS_AUTOCHECKBOX, at(0.55, 0.85, 0.781, 20), this, IdSuffixCheck);
        m_suffixEdit.Create(child | WS_BORDER | ES_AUTOHSCROLL, at(0.87, 1, 0.745, 24), this, IdSuffixEdit);
        m_suffixEdit.LimitText(static_cast<int>(kMaxAffix));
        m_separator.Create("Use 1000 Separator", child | BS_AUTOCHECKBOX, at(0, 0.52, 0.781, 20), this,
                           IdSeparator);
    }
    if (font)
        for (CWnd* w : std::initializer_list<CWnd*>{
                 &m_kindLabel, &m_kindList, &m_secondLabel, &m_secondList, &m_formatText, &m_decimalsLabel,
                 &m_prefixCheck, &m_prefixEdit, &m_suffixCheck, &m_suffixEdit, &m_separator})
            w->SetFont(font, FALSE);
    // The spin writes what is typed when it is finished (Enter, leaving the field) and each
    // arrow step, never a half-typed number.
    m_decimalsSpin.BindInt(&m_decimals, font, 0, kMaxDecimals, 1, false);
    m_decimalsSpin.LimitText(2);
    for (int i = 0; i < FromSpreadsheet; ++i)
        m_kindList.AddString(kKindNames[i]);
    m_kindList.SetCurSel(0);

    m_format = format;
    if (format) {
        m_source = source;
        LoadProperties(0, false);
        return true;
    }
    m_source = nullptr;
    EnableControls(false);
    for (int id = IdFormatText; id <= IdKindList; ++id)
        GetDlgItem(id)->EnableWindow(FALSE);
    if (hide)
        ShowWindow(SW_HIDE);
    return false;
}

// The group that holds "numFormat": the format parameter's own set, or the set of its first
// element (lists), its first element's first element (cell lists), or the row's item of a cell
// table's first element.
CParameter* CNumericFormatCtrl::FindFormatParameter() const
{
    if (!m_format)
        return nullptr;
    CParameter* holder = nullptr;
    switch (m_format->GetType()) {
    case ParamType::Group:
        holder = m_format;
        break;
    case ParamType::List:
        holder = FirstElement(m_format);
        break;
    case ParamType::CellList:
        holder = FirstElement(FirstElement(m_format));
        break;
    case ParamType::CellTable: {
        CParameter* column = FirstElement(m_format);
        CParameter* item = column && m_row >= 0 && m_row < column->GetElementCount() ? column->GetElement(m_row)
                                                                                    : nullptr;
        holder = FirstElement(item);
        break;
    }
    default:
        break;
    }
    CParameterSet* set = SetOf(holder);
    return set ? set->FindParameter("numFormat") : nullptr;
}

bool CNumericFormatCtrl::SourceIsText() const
{
    CParameter* p = m_source;
    if (!p)
        return false;
    if (p->GetType() == ParamType::CellBinding && p->GetBinding())
        p = &p->GetBinding()->GetValue();
    switch (p->GetType()) {
    case ParamType::List:
        p = FirstElement(p);
        break;
    case ParamType::CellList:
        p = FirstElement(FirstElement(p));
        break;
    case ParamType::CellTable:
        p = FirstElement(FirstElement(FirstElement(p)));
        break;
    default:
        break;
    }
    return p && model::IsStringType(p->GetType());
}

void CNumericFormatCtrl::LoadProperties(int row, bool lockDecimals)
{
    m_row = row;
    CParameter* numFormat = FindFormatParameter();
    if (!numFormat)
        return;
    const std::string& f = numFormat->GetString();
    Settings start;
    start.decimals = m_decimals;
    start.prefix = m_prefixEdit.GetWindowText();
    start.suffix = m_suffixEdit.GetWindowText();
    Settings s = ReadCode(f, start);

    int fromSheet = m_kindList.FindStringExact(-1, kKindNames[FromSpreadsheet]);
    if (s.kind == FromSpreadsheet && fromSheet < 0)
        m_kindList.AddString(kKindNames[FromSpreadsheet]);
    else if (s.kind != FromSpreadsheet && fromSheet >= 0)
        m_kindList.DeleteString(static_cast<UINT>(fromSheet));
    m_kindList.SetCurSel(s.kind);

    if (s.kind == Numeric || s.kind == Currency || s.kind == Percent) {
        m_decimals = s.decimals;
        SetDecimalsText();
    }
    if (s.kind == Numeric || s.kind == Currency) {
        m_separator.SetCheck(s.separator ? BST_CHECKED : BST_UNCHECKED);
        m_prefixCheck.SetCheck(s.prefixOn ? BST_CHECKED : BST_UNCHECKED);
        m_prefixEdit.EnableWindow(s.prefixOn);
        if (s.prefixOn)
            SetGuardedText(m_prefixEdit, s.prefix);
        m_suffixCheck.SetCheck(s.suffixOn ? BST_CHECKED : BST_UNCHECKED);
        m_suffixEdit.EnableWindow(s.suffixOn);
        if (s.suffixOn)
            SetGuardedText(m_suffixEdit, s.suffix);
    }
    ShowControlsForKind(s.kind);
    if (s.kind == FromSpreadsheet) {
        m_formatText.SetWindowText(f);
        m_formatText.EnableWindow(FALSE);
    }
    if (s.kind == Numeric || s.kind == Currency || s.kind == Date || s.kind == Time)
        m_secondList.SetCurSel(s.choice);
    m_decimalsLocked = lockDecimals;
    EnableControls(true);
}

void CNumericFormatCtrl::EnableControls(bool enable)
{
    bool e = enable && !SourceIsText();
    m_kindList.EnableWindow(e);
    m_prefixCheck.EnableWindow(e);
    m_suffixCheck.EnableWindow(e);
    if (e) {
        m_prefixEdit.EnableWindow(m_prefixCheck.GetCheck() == BST_CHECKED);
        m_suffixEdit.EnableWindow(m_suffixCheck.GetCheck() == BST_CHECKED);
        if (GetKind() != Currency)
            m_separator.EnableWindow(TRUE);
    } else {
        m_prefixEdit.EnableWindow(FALSE);
        m_suffixEdit.EnableWindow(FALSE);
        m_separator.EnableWindow(FALSE);
    }
    m_decimalsSpin.EnableWindow(!m_decimalsLocked && e);
    m_decimalsLabel.EnableWindow(!m_decimalsLocked && e);
    m_kindLabel.EnableWindow(e);
    int kind = GetKind();
    bool lockNegatives = m_negativesLocked && (kind == Numeric || kind == Currency);
    m_secondLabel.EnableWindow(!lockNegatives && e);
    m_secondList.EnableWindow(!lockNegatives && e);
}

void CNumericFormatCtrl::ShowControlsForKind(int kind)
{
    bool number = kind == Numeric || kind == Currency;
    bool dated = kind == Date || kind == Time;
    auto show = [](CWnd& w, bool on) { w.ShowWindow(on ? SW_SHOW : SW_HIDE); };
    show(m_secondList, number || dated);
    show(m_decimalsLabel, number || kind == Percent);
    show(m_decimalsSpin, number || kind == Percent);
    show(m_separator, number);
    show(m_prefixCheck, kind == Currency);
    show(m_prefixEdit, kind == Currency);
    show(m_suffixCheck, kind == Currency);
    show(m_suffixEdit, kind == Currency);
    show(m_formatText, kind == FromSpreadsheet);
    show(m_secondLabel, number || dated || kind == FromSpreadsheet);
    if (number)
        m_secondLabel.SetWindowText("Negative Values");
    else if (dated)
        m_secondLabel.SetWindowText("Type");
    else if (kind == FromSpreadsheet)
        m_secondLabel.SetWindowText("Format String:");
    FillSampleList(kind, true);
    Invalidate();
}

void CNumericFormatCtrl::FillSampleList(int kind, bool reset)
{
    int keep = m_secondList.GetCurSel();
    std::string prefix = m_prefixCheck.GetCheck() == BST_CHECKED ? m_prefixEdit.GetWindowText() : "";
    std::string suffix = m_suffixCheck.GetCheck() == BST_CHECKED ? m_suffixEdit.GetWindowText() : "";
    m_secondList.ResetContent();
    for (const std::string& entry :
         SampleList(kind, m_decimals, m_separator.GetCheck() == BST_CHECKED, prefix, suffix))
        m_secondList.AddString(entry.c_str());
    if (m_secondList.GetCount() > 0)
        m_secondList.SetCurSel(reset || keep < 0 || keep >= m_secondList.GetCount() ? 0 : keep);
}

int CNumericFormatCtrl::GetKind() const
{
    int sel = m_kindList.GetCurSel();
    return sel < 0 ? General : sel;
}

Settings CNumericFormatCtrl::Gather() const
{
    Settings s;
    s.kind = GetKind();
    s.decimals = m_decimals;
    s.separator = m_separator.GetCheck() == BST_CHECKED;
    s.prefixOn = m_prefixCheck.GetCheck() == BST_CHECKED;
    s.suffixOn = m_suffixCheck.GetCheck() == BST_CHECKED;
    s.prefix = m_prefixEdit.GetWindowText();
    s.suffix = m_suffixEdit.GetWindowText();
    s.choice = std::max(0, m_secondList.GetCurSel());
    return s;
}

std::string CNumericFormatCtrl::CurrentCode() const
{
    return BuildCode(Gather());
}

void CNumericFormatCtrl::BuildFormat()
{
    Settings s = Gather();
    if (s.kind == FromSpreadsheet)
        return; // a foreign code is shown, never rewritten
    if (s.kind == Currency) {
        m_prefixEdit.EnableWindow(s.prefixOn);
        m_suffixEdit.EnableWindow(s.suffixOn);
    }
    WriteCode(BuildCode(s));
}

void CNumericFormatCtrl::WriteCode(const std::string& code)
{
    if (!m_format)
        return;
    if (m_format->GetType() == ParamType::CellTable) {
        for (int i = 0; i < m_format->GetElementCount(); ++i) {
            CParameter* column = m_format->GetElement(i);
            if (!column || m_row < 0 || m_row >= column->GetElementCount())
                continue;
            CParameter* item = column->GetElement(m_row);
            for (int j = 0; item && j < item->GetElementCount(); ++j)
                if (CParameterSet* set = SetOf(item->GetElement(j)))
                    if (CParameter* p = set->FindParameter("numFormat"))
                        p->SetString(code);
        }
    } else {
        // Every group under the format parameter gets the code in its own set (not deeper).
        auto walk = [&](auto& self, CParameter* p) -> void {
            if (p->GetType() == ParamType::Group) {
                if (CParameter* target = SetOf(p) ? SetOf(p)->FindParameter("numFormat") : nullptr)
                    target->SetString(code);
                return;
            }
            for (int i = 0; i < p->GetElementCount(); ++i)
                if (CParameter* e = p->GetElement(i))
                    self(self, e);
        };
        walk(walk, m_format);
    }
    if (m_owner)
        m_owner->Refresh(0);
}

void CNumericFormatCtrl::OnKindChanged()
{
    int kind = GetKind();
    ShowControlsForKind(kind);
    if (kind == FromSpreadsheet) {
        CParameter* numFormat = FindFormatParameter();
        m_formatText.SetWindowText(numFormat ? numFormat->GetString() : "");
        m_formatText.EnableWindow(FALSE);
    } else {
        int fromSheet = m_kindList.FindStringExact(-1, kKindNames[FromSpreadsheet]);
        if (fromSheet >= 0) {
            m_kindList.DeleteString(static_cast<UINT>(fromSheet));
            m_kindList.SetCurSel(kind);
        }
        BuildFormat();
    }
    bool lockNegatives = m_negativesLocked && (kind == Numeric || kind == Currency);
    m_secondLabel.EnableWindow(!lockNegatives);
    m_secondList.EnableWindow(!lockNegatives);
}

void CNumericFormatCtrl::OnAffixCheck(bool prefix)
{
    CButton& box = prefix ? m_prefixCheck : m_suffixCheck;
    CButton& other = prefix ? m_suffixCheck : m_prefixCheck;
    CEdit& edit = prefix ? m_prefixEdit : m_suffixEdit;
    CEdit& otherEdit = prefix ? m_suffixEdit : m_prefixEdit;
    if (box.GetCheck() == BST_CHECKED) {
        edit.EnableWindow(TRUE);
        otherEdit.EnableWindow(FALSE);
        other.SetCheck(BST_UNCHECKED);
    } else {
        edit.EnableWindow(FALSE);
    }
    FillSampleList(Currency, false);
    BuildFormat();
}

void CNumericFormatCtrl::SetDecimalsText()
{
    m_decimalsSpin.UpdateText();
}

void CNumericFormatCtrl::OnDecimalsChanged()
{
    FillSampleList(GetKind(), false);
    BuildFormat();
}

void CNumericFormatCtrl::SetGuardedText(CEdit& edit, const std::string& text)
{
    Guard guard;
    edit.SetWindowText(text.substr(0, kMaxAffix));
}

LRESULT CNumericFormatCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND) {
        int id = LOWORD(wParam);
        UINT code = HIWORD(wParam);
        switch (id) {
        case IdKindList:
            if (code == CBN_SELCHANGE)
                OnKindChanged();
            return 0;
        case IdSecondList:
            if (code == CBN_SELCHANGE)
                BuildFormat();
            return 0;
        case IdSeparator:
            if (code == BN_CLICKED) {
                FillSampleList(GetKind(), false);
                BuildFormat();
            }
            return 0;
        case IdPrefixCheck:
        case IdSuffixCheck:
            if (code == BN_CLICKED)
                OnAffixCheck(id == IdPrefixCheck);
            return 0;
        case IdPrefixEdit:
        case IdSuffixEdit:
            if (code == EN_CHANGE && !g_guard) {
                FillSampleList(Currency, false);
                BuildFormat();
            }
            return 0;
        default:
            break;
        }
    }
    if (message == WM_SPINEDIT_CHANGED && static_cast<int>(wParam) == IdDecimals) {
        OnDecimalsChanged();
        return 0x10001;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
