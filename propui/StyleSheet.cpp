#include "propui/StyleSheet.h"

#include "propui/StylePreviewCtrl.h"

#include <algorithm>

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

void CStyleSheet::SetPreviewStage(IStylePreviewStage* stage, const CComponentCatalog* catalog)
{
    m_previewStage = stage;
    m_catalog = catalog;
}

void CStyleSheet::OnInitDialog()
{
    m_initialised = true;
    if (m_previewStage == nullptr)
        return;
    CRect sheet;
    GetWindowRect(&sheet);
    const int w = sheet.Width();
    m_previewLabel.Create("Preview:", WS_CHILD | WS_VISIBLE, CRect(w + 10, 75, w + 100, 100), this, 0xFFFF);
    m_previewLabel.SetFont(GetFont(), FALSE);
    // The sheet grows to hold the preview.
    const CRect area(w + 10, 105, w + 10 + CStylePreviewCtrl::kWidth, 105 + CStylePreviewCtrl::kHeight);
    CRect client;
    GetClientRect(&client);
    const int taller = std::max(0, area.bottom + 10 - client.Height());
    SetWindowPos(nullptr, 0, 0, area.right + 10 + (w - client.Width()), sheet.Height() + taller,
                 SWP_NOMOVE | SWP_NOZORDER);
    m_preview = std::make_unique<CStylePreviewCtrl>(*m_previewStage, m_catalog);
    if (!m_preview->Create("", WS_CHILD | WS_VISIBLE, area, this, CStylePreviewCtrl::kControlId)) {
        m_preview.reset();
        return;
    }
    m_preview->LoadSamples();
    m_preview->ApplyStyle(m_style);
    SetPreview([this](const CGlobalStyle& style) {
        if (m_preview)
            m_preview->ApplyStyle(style);
    });
    CenterWindow();
}

void CStyleSheet::OnDestroy()
{
    if (m_preview)
        m_preview->DeleteSamples();
}

LRESULT CStyleSheet::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The platform's sheet has no initialisation step of its own: the first showing, at the end
    // of its creation, is where the sheet's extra children are made.
    if (message == WM_SHOWWINDOW && wParam != 0 && !m_initialised)
        OnInitDialog();
    else if (message == WM_DESTROY)
        OnDestroy();
    return CPropertySheet::DefWindowProc(message, wParam, lParam);
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
                    std::function<void(const CGlobalStyle&)> apply, IStylePreviewStage* previewStage,
                    const CComponentCatalog* catalog)
{
    CStyleSheet sheet("Global Styles", view, 0, folders);
    sheet.applyToDocument = std::move(apply);
    sheet.SetPreviewStage(previewStage, catalog);
    sheet.SetStyle(viewStyle);
    if (sheet.DoModal() != IDOK)
        return false;
    sheet.GetStyle(viewStyle);
    return true;
}
