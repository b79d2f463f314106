#pragma once

// The Styles sheet: edits a copy of the document's style record on its pages; OK hands the
// copy back, Apply re-styles the document's components with it without handing it back.

#include "model/GlobalStyle.h"
#include "platform/controls/Static.h"
#include "platform/dialogs/PropertySheet.h"
#include "propui/ChartsStylePage.h"
#include "propui/FieldStylePages.h"
#include "propui/StylesPage.h"

#include <functional>
#include <memory>

class CComponentCatalog;
class CStylePreviewCtrl;
class IStylePreviewStage;

class CStyleSheet : public CPropertySheet {
public:
    CStyleSheet(const char* caption, CWnd* parent, UINT startPage, CStyleFolders& folders);
    ~CStyleSheet() override;

    // Copies the record in and points every page at the sheet's copy.
    void SetStyle(const CGlobalStyle& style);
    void GetStyle(CGlobalStyle& out) const { out.Copy(m_style); }
    const CGlobalStyle& Style() const { return m_style; }

    INT_PTR DoModal() override;

    CStylesPage& GetStylesPage() { return *m_stylesPage; }
    CChartsStylePage& GetChartsPage() { return *m_chartsPage; }
    CFieldStylePage& GetSingleValuesPage() { return *m_singleValuesPage; }
    CFieldStylePage& GetMapsSelectorsPage() { return *m_mapsPage; }

    // What re-styles the preview after every change on a page.
    void SetPreview(std::function<void(const CGlobalStyle&)> preview);
    // Before the sheet opens: the stage whose movie the preview plays and the catalogue its
    // samples come from. The sheet then grows to the right to show the preview beside its pages
    // and every change on a page re-styles the samples; without a stage there is no preview.
    void SetPreviewStage(IStylePreviewStage* stage, const CComponentCatalog* catalog);
    CStylePreviewCtrl* GetPreviewCtrl() const { return m_preview.get(); }

    // Apply: the canvas view re-styles every component of the document with the record.
    std::function<void(const CGlobalStyle&)> applyToDocument;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Once the sheet's window and pages stand, before it is first shown.
    void OnInitDialog();
    void OnDestroy();

    IStylePreviewStage* m_previewStage = nullptr;
    const CComponentCatalog* m_catalog = nullptr;
    std::unique_ptr<CStylePreviewCtrl> m_preview;
    CStatic m_previewLabel;
    bool m_initialised = false;
    CGlobalStyle m_style;
    std::unique_ptr<CStylesPage> m_stylesPage;
    std::unique_ptr<CChartsStylePage> m_chartsPage;
    std::unique_ptr<CFieldStylePage> m_singleValuesPage;
    std::unique_ptr<CFieldStylePage> m_mapsPage;
};

// The canvas view's Change Style command: the sheet, captioned "Global Styles", edits a copy of
// the view's record; OK hands the copy back (true), Cancel leaves the record as it was. `apply`
// re-styles the document's components (the sheet's Apply button).
bool RunChangeStyle(CGlobalStyle& viewStyle, CStyleFolders& folders, CWnd* view,
                    std::function<void(const CGlobalStyle&)> apply, IStylePreviewStage* previewStage = nullptr,
                    const CComponentCatalog* catalog = nullptr);
