#include "propui/StyleSheet.h"

CStyleSheet::CStyleSheet(const char* caption, CWnd* parent, UINT startPage, CStyleFolders& folders)
    : CPropertySheet(caption, parent, startPage)
{
    m_stylesPage = std::make_unique<CStylesPage>(&m_style, &folders);
    m_chartsPage = std::make_unique<CChartsStylePage>(&m_style, &folders);
    m_singleValuesPage = MakeSingleValuesStylePage(&m_style, &folders);
    m_mapsPage = MakeMapsSelectorsStylePage(&m_style, &folders);
    AddPage(m_stylesPage.get());
    AddPage(m_chartsPage.get());
    AddPage(m_singleValuesPage.get());
    AddPage(m_mapsPage.get());
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
    m_chartsPage->SetStyle(&m_style);
    m_singleValuesPage->SetStyle(&m_style);
    m_mapsPage->SetStyle(&m_style);
}

INT_PTR CStyleSheet::DoModal()
{
    m_psh.dwFlags &= ~PSH_HASHELP;
    return CPropertySheet::DoModal();
}

void CStyleSheet::SetPreview(std::function<void(const CGlobalStyle&)> preview)
{
    for (CStylePage* page : {static_cast<CStylePage*>(m_stylesPage.get()),
                             static_cast<CStylePage*>(m_chartsPage.get()),
                             static_cast<CStylePage*>(m_singleValuesPage.get()),
                             static_cast<CStylePage*>(m_mapsPage.get())})
        page->preview = preview;
}

BOOL CStyleSheet::OnCommand(WPARAM wParam, LPARAM lParam)
{
    BOOL handled = CPropertySheet::OnCommand(wParam, lParam);
    if (LOWORD(wParam) == ID_APPLY_NOW && applyToDocument)
        applyToDocument(m_style);
    return handled;
}

bool RunChangeStyle(CGlobalStyle& viewStyle, CStyleFolders& folders, CWnd* view,
                    std::function<void(const CGlobalStyle&)> apply)
{
    CStyleSheet sheet("Global Styles", view, 0, folders);
    sheet.applyToDocument = std::move(apply);
    sheet.SetStyle(viewStyle);
    if (sheet.DoModal() != IDOK)
        return false;
    sheet.GetStyle(viewStyle);
    return true;
}
