#include "propui/LimitsDlg.h"

#include <cstdio>
#include <string>

#include "platform/controls/SpinEdit.h"
#include "platform/dialogs/DialogTemplate.h"

namespace {

CParameter LimitParameter(const char* name)
{
    CParameter p(name, model::ParamType::Integer);
    p.SetRange(ParamRange{CLimitsDlg::kLowest, CLimitsDlg::kHighest, 1.0});
    return p;
}

} // namespace

BEGIN_MESSAGE_MAP(CLimitsDlg, CDialog)
    .Message(WM_SPINEDIT_CHANGED, &CLimitsDlg::OnSpinChanged) END_MESSAGE_MAP()

CLimitsDlg::CLimitsDlg(CWnd* parent) : m_minimum(LimitParameter("minimum")), m_maximum(LimitParameter("maximum"))
{
    m_pParentWnd = parent;
    m_minimum.SetInt(0);
    m_maximum.SetInt(100);
}

CLimitsDlg::~CLimitsDlg() = default;

void CLimitsDlg::SetValues(int minimum, int maximum, bool maximumFixed, IPropertyOwner* owner)
{
    // A document may carry limits outside what can be typed here; they are shown as they are
    // and only a change brings them into the range.
    m_minimum.SetInt(minimum);
    m_maximum.SetInt(maximum);
    m_maximumFixed = maximumFixed;
    m_owner = owner;
}

DialogTemplate CLimitsDlg::MakeTemplate()
{
    constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
    DialogTemplate t;
    t.id = static_cast<int>(kTemplateId);
    t.caption = "Control Panel Limits";
    t.cx = 164;
    t.cy = 46;
    t.Add("Static", "Minimum", 0xFFFF, 7, 9, 40, 8, kChild)
        .Add(CSpinEdit::kClassName, "", kMinimumId, 50, 7, 48, 12, kChild | WS_TABSTOP)
        .Add("Static", "Maximum", kMaximumLabelId, 7, 27, 40, 8, kChild)
        .Add(CSpinEdit::kClassName, "", kMaximumId, 50, 25, 48, 12, kChild | WS_TABSTOP)
        .Add("Button", "OK", IDOK, 107, 7, 50, 14, kChild | WS_TABSTOP | BS_DEFPUSHBUTTON)
        .Add("Button", "Cancel", IDCANCEL, 107, 25, 50, 14, kChild | WS_TABSTOP);
    return t;
}

INT_PTR CLimitsDlg::DoModal()
{
    CSpinEdit::RegisterClass();
    if (!InitModalIndirect(MakeTemplate(), m_pParentWnd))
        return -1;
    return CDialog::DoModal();
}

CSpinEdit* CLimitsDlg::MinimumEdit() const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(kMinimumId));
}

CSpinEdit* CLimitsDlg::MaximumEdit() const
{
    return dynamic_cast<CSpinEdit*>(GetDlgItem(kMaximumId));
}

BOOL CLimitsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    LOGFONT lf{};
    lf.lfHeight = -11;
    std::snprintf(lf.lfFaceName, sizeof lf.lfFaceName, "%s", "MS Shell Dlg");
    m_font.CreateFontIndirect(&lf);
    auto changed = [this] {
        if (m_owner != nullptr)
            m_owner->Refresh(0);
    };
    if (CSpinEdit* minimum = MinimumEdit())
        minimum->BindParameter(&m_minimum, changed, &m_font, false, false);
    if (CSpinEdit* maximum = MaximumEdit()) {
        maximum->BindParameter(&m_maximum, changed, &m_font, false, false);
        if (m_maximumFixed) {
            maximum->EnableControl(false);
            maximum->EnableWindow(FALSE);
            if (CWnd* label = GetDlgItem(kMaximumLabelId))
                label->EnableWindow(FALSE);
        }
    }
    return TRUE;
}

LRESULT CLimitsDlg::OnSpinChanged(WPARAM wParam, LPARAM)
{
    KeepApart(static_cast<int>(wParam));
    return 0;
}

void CLimitsDlg::KeepApart(int changedId)
{
    int minimum = m_minimum.GetInt();
    int maximum = m_maximum.GetInt();
    if (minimum < maximum)
        return;
    // The value just changed stands; the other gives way, within the range both can hold.
    if (changedId == kMaximumId) {
        if (minimum < kHighest) {
            maximum = minimum + 1;
        } else {
            maximum = kHighest;
            minimum = kHighest - 1;
        }
    } else if (changedId == kMinimumId) {
        if (maximum > kLowest || m_maximumFixed) {
            minimum = maximum - 1;
        } else {
            minimum = kLowest;
            maximum = kLowest + 1;
        }
    } else {
        return;
    }
    m_minimum.SetInt(minimum);
    m_maximum.SetInt(maximum);
    if (CSpinEdit* edit = MinimumEdit())
        edit->UpdateText();
    if (CSpinEdit* edit = MaximumEdit())
        edit->UpdateText();
}

void CLimitsDlg::OnOK()
{
    // A number still being typed counts, as leaving its field would commit it.
    for (CSpinEdit* edit : {MinimumEdit(), MaximumEdit()}) {
        if (edit == nullptr || !edit->IsWindowEnabled())
            continue;
        const CParameter& value = edit == MinimumEdit() ? m_minimum : m_maximum;
        if (edit->GetText() != std::to_string(value.GetInt()))
            edit->CommitTyped();
    }
    EndDialog(IDOK);
}
