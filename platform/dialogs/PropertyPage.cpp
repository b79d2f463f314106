#include "platform/dialogs/PropertyPage.h"

#include "platform/dialogs/PropertySheet.h"

BEGIN_MESSAGE_MAP(CPropertyPage, CDialog)
    // A page's own controls may carry the ids 1 and 2 (a colour button does): they are not
    // the sheet's OK and Cancel, so the page gives them no meaning of its own.
    .Command(IDOK, &CPropertyPage::OnNoDefault)
    .Command(IDCANCEL, &CPropertyPage::OnNoDefault) END_MESSAGE_MAP()

        CPropertyPage::CPropertyPage() = default;

CPropertyPage::~CPropertyPage()
{
    if (m_sheet != nullptr)
        m_sheet->ForgetPage(this);
}

CPropertyPage::CPropertyPage(UINT templateId, UINT captionId)
{
    Construct(templateId, captionId);
}

void CPropertyPage::Construct(UINT templateId, UINT)
{
    m_templateId = templateId;
    m_indirect.reset();
}

void CPropertyPage::Construct(const DialogTemplate& dialog)
{
    m_indirect = std::make_unique<DialogTemplate>(dialog);
    m_templateId = 0;
    m_psp.dwFlags |= PSP_DLGINDIRECT;
}

BOOL CPropertyPage::OnSetActive()
{
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

void CPropertyPage::SetModified(BOOL changed)
{
    m_modified = changed != FALSE;
    if (m_sheet != nullptr)
        m_sheet->PageChanged(this, m_modified);
}

std::string CPropertyPage::GetTitle() const
{
    if ((m_psp.dwFlags & PSP_USETITLE) && !m_psp.title.empty())
        return m_psp.title;
    if (!m_strCaption.empty())
        return m_strCaption;
    const DialogTemplate* t = GetTemplate();
    return t != nullptr ? t->caption : std::string();
}

BOOL CPropertyPage::CreatePage(CWnd* sheet)
{
    if (GetSafeHwnd() != nullptr)
        return TRUE;
    const DialogTemplate* t = GetTemplate();
    if (t == nullptr || sheet == nullptr)
        return FALSE;
    DialogTemplate child = *t;
    child.style = (child.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME)) |
                  WS_CHILD | DS_CONTROL;
    return CreateFromTemplate(child, sheet, true);
}
