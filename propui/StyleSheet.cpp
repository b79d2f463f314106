#include "propui/StyleSheet.h"

CStyleSheet::CStyleSheet(const char* caption, CWnd* parent, UINT startPage, CStyleFolders& folders)
    : CPropertySheet(caption, parent, startPage)
{
    m_stylesPage = std::make_unique<CStylesPage>(&m_style, &folders);
    AddPage(m_stylesPage.get());
}

CStyleSheet::~CStyleSheet()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

void CStyleSheet::SetStyle(const CGlobalStyle& style)
{
    m_style.Copy(style);
    m_stylesPage->SetStyle(&m_style);
}

INT_PTR CStyleSheet::DoModal()
{
    m_psh.dwFlags &= ~PSH_HASHELP;
    return CPropertySheet::DoModal();
}

BOOL CStyleSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    BOOL handled = CPropertySheet::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == ID_APPLY_NOW && applyToDocument)
        applyToDocument(m_style);
    return handled;
}
