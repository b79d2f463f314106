#pragma once

// The canvas view: for now it shows the document's name and canvas size on the canvas.

#include <functional>
#include <memory>
#include <string>

#include "app/DrawObj.h"
#include "app/OfficeInfo.h"
#include "platform/docview/View.h"

class CDrawDoc;
class CPreviewFlashCtrl;
class IMailProgram;

class CDrawView : public CView, public ICanvasMapping {
public:
    // The canvas stands at kCanvasMargin pixels from the client's top left corner, at full size:
    // twenty twips to the pixel.
    static constexpr int kCanvasMargin = 10;
    CPoint DocToClient(CPoint point) const override;
    CRect ClientToDoc(const CRect& rect) const override;

    CDrawDoc* GetDocument() const;
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    // Whether the first update has run (a model may be re-imported only after it).
    bool IsInitialised() const { return m_bInitialised; }

    COfficeInfo m_officeInfo;

    // Export, snapshot and send commands, and the data commands beside them (ViewExport.cpp).
    void OnExportSettings();
    void OnExportPreview();
    void OnExportSwf();
    void OnExportHtml();
    void OnExportPowerPoint();
    void OnExportOutlook();
    void OnExportPortal();
    void OnSnapshotToExcel();
    void OnSnapshotSwf();
    void OnSnapshotHtml();
    void OnSnapshotPowerPoint();
    void OnSnapshotOutlook();
    void OnSendToPowerPoint();
    void OnSendToOutlook();
    void OnImportModel();
    void OnDataDialog();
    void OnReplaceDataSelection();
    // The player the SWF preview runs in and the snapshot commands ask for values.
    CPreviewFlashCtrl& GetPreviewCtrl();
    // The movie the preview plays (empty outside preview mode).
    const std::string& GetPreviewMoviePath() const { return m_strPreviewMovie; }
    void SetPreviewMoviePath(const std::string& path) { m_strPreviewMovie = path; }
    // Where the mail commands hand a mail to; the desktop's mail program unless replaced.
    void SetMailProgram(std::unique_ptr<IMailProgram> program);
    IMailProgram* GetMailProgram();
    // The model dialogs of the workbook window, run modally over the view (until the workbook
    // window supplies them, the commands say they are missing).
    std::function<void(CDrawView&)> m_runImportModel;
    std::function<void(CDrawView&)> m_runReplaceData;
    // How long a snapshot waits for the preview movie's values.
    unsigned m_nQueryTimeoutMs;

    CDrawView();
    ~CDrawView() override;

private:
    bool m_bInitialised = false;
    std::unique_ptr<CPreviewFlashCtrl> m_pPreview;
    std::unique_ptr<IMailProgram> m_pMailProgram;
    std::string m_strLastSwfName;
    std::string m_strLastHtmlName;
    std::string m_strPreviewMovie;

    DECLARE_MESSAGE_MAP()
};

// The canvas view of the main window, or null.
CDrawView* GetActiveDrawView();
