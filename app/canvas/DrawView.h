#pragma once

// The canvas view: the canvas centred on a grey surround, the live stage picture with the
// selection handles and the grid over it, mouse and keys turned into tool calls and commands,
// the selection, the undo history, and the switch between edit mode and the movie preview.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/canvas/CanvasGeometry.h"
#include "app/canvas/CanvasPreview.h"
#include "app/canvas/CanvasToolWindows.h"
#include "app/canvas/EditCommands.h"
#include "app/canvas/CanvasView.h"
#include "app/canvas/CanvasSelection.h"
#include "app/canvas/DrawObj.h"
#include "app/canvas/DrawTool.h"
#include "app/canvas/MultiSelectObj.h"
#include "app/canvas/UndoHistory.h"
#include "platform/docview/View.h"

class CComponentPalette;
class CDesignerContext;
class CDrawDoc;
class CExportCommands;
class CGlobalStyle;
class CLayoutCommands;
class CGridDlg;
class CObjectBrowserDlg;
class CShockwaveFlash;
class CStageFlashCtrl;
class CPreviewFlashCtrl;
class CViewStyle;
class IStyleSaver;

class CDrawView : public CScrollView, public ICanvasView, public IUndoView {
public:
    // The view works in the designer's context, which outlives it.
    explicit CDrawView(CDesignerContext& designer);
    ~CDrawView() override;

    // Grid steps at start: 100 pixels.
    static constexpr int kDefaultGridStep = 2000;
    static constexpr COLORREF kMarginColor = RGB(0x96, 0x96, 0x96);

    CDrawDoc* GetDocument() const override;
    CWnd& Window() override { return *this; }
    CDesignerContext& Designer() const { return m_designer; }

    // Coordinates: where the canvas lies in the client area now; the rest answer from it.
    CCanvasGeometry Geometry() const;
    CPoint GetCanvasOffset() const;
    CPoint DocToClient(CPoint point) const override;
    CRect DocToClient(const CRect& rect) const;
    CPoint ClientToDoc(CPoint point) const override;
    CRect ClientToDoc(const CRect& rect) const override;
    // The canvas in client pixels.
    CRect GetCanvasClientRect() const override;

    void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr) override;
    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    void OnUpdate(CView* pSender, LPARAM lHint, void* pHint) override;
    void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // Whether the first update has run (a model may be re-imported only after it).
    bool IsInitialised() const override { return m_bInitialised; }

    // Selection, in the order objects were selected.
    const std::vector<CDrawObj*>& GetSelection() const override { return m_selection.Objects(); }
    bool IsSelected(const CDrawObj* obj) const override;
    void Select(CDrawObj* obj, bool bAdd = false) override;
    void Deselect(CDrawObj* obj) override;
    void SelectWithin(const CRect& clientRect, bool bAdd) override;
    void InvalObj(CDrawObj* obj) override;
    void SortSelectionByZOrder() override;
    bool CanEditProperties() override;
    bool IsSameKind() const override { return m_bSameKind; }

    // IUndoView
    CDrawDoc* GetUndoDocument() const override { return GetDocument(); }
    void SelectRestored(CDrawObj* obj) override { Select(obj, true); }
    void DeselectRemoved(CDrawObj* obj) override;
    void RefreshObjectBrowser() override;

    CUndoHistory& GetUndoHistory() override { return m_undo; }
    CDrawToolState& GetToolState() override { return m_tool; }
    CMultiSelectObj& GetMultiSelect() override { return m_multiSelect; }
    bool IsActive() const { return m_bActive; }
    bool IsPreview() const override { return m_preview.IsActive(); }

    // Grid settings (steps in twips).
    bool m_bGrid = false;
    bool m_bSnapToGrid = false;
    int m_nGridX = kDefaultGridStep;
    int m_nGridY = kDefaultGridStep;
    COLORREF m_gridColor = RGB(0, 0, 0);

    // The stage the view creates when it is shown; without a factory it makes none.
    using StageFactory = std::function<std::unique_ptr<CStageFlashCtrl>()>;
    void SetStageFactory(StageFactory factory) { m_stageFactory = std::move(factory); }
    CStageFlashCtrl* GetStage() const { return m_stage.get(); }
    void SetStyleSaver(IStyleSaver* saver) { m_pStyleSaver = saver; }
    // Builds the preview movie at the given path; false (with a reason) when it could not.
    using PreviewBuilder = std::function<bool(const std::string& path, std::string& error)>;
    void SetPreviewBuilder(PreviewBuilder builder) { m_preview.SetBuilder(std::move(builder)); }
    CShockwaveFlash* GetPreviewPlayer() const;

    // Tool windows (created on demand).
    CComponentPalette* GetPalette() const { return m_windows.Palette(); }
    CObjectBrowserDlg* GetObjectBrowser() const { return m_windows.Browser(); }
    CGridDlg* GetGridDlg() const { return m_windows.GridDlg(); }
    // IGridHost: the Grid dialog edits the view's grid; when it closes the view forgets it.
    CWnd& GridWindow() override { return *this; }
    CanvasGrid GetGrid() const override;
    void SetGrid(const CanvasGrid& grid) override;
    void OnGridDlgClosed() override;

    // New and opened documents: history, panels and selection forgotten, "no model" posted.
    void ResetView();
    // Asked before the main window closes: false keeps it open.
    bool QuerySaveStyle();

    // Commands.
    void OnViewPreview();
    void OnViewEdit();
    void OnUpdateViewPreview(CCmdUI* pCmdUI);
    void OnUpdateViewEdit(CCmdUI* pCmdUI);
    void OnEditSelectAll();
    void OnUpdateEditSelectAll(CCmdUI* pCmdUI);
    void OnEditUndo();
    void OnUpdateEditUndo(CCmdUI* pCmdUI);
    void OnEditRedo();
    void OnUpdateEditRedo(CCmdUI* pCmdUI);
    void OnEditClear() override;
    void OnUpdateEditClear(CCmdUI* pCmdUI);
    void OnUpdateNeedSelection(CCmdUI* pCmdUI);
    void OnUpdateNeedTwo(CCmdUI* pCmdUI);
    void OnUpdateSameSize(CCmdUI* pCmdUI);
    void OnUpdateNeedOne(CCmdUI* pCmdUI);
    void OnUpdateUngroup(CCmdUI* pCmdUI);
    void OnUpdateEditCutCopy(CCmdUI* pCmdUI);
    void OnUpdateEditPaste(CCmdUI* pCmdUI);
    // Align, size, space, center, z-order, group, cut, copy and paste (LayoutCommands.cpp).
    BOOL OnLayoutCommand(UINT nID);
    CLayoutCommands& GetLayoutCommands() { return *m_layout; }
    void OnToolSelect();
    void OnToolComponent();
    void OnUpdateToolSelect(CCmdUI* pCmdUI);
    void OnUpdateToolComponent(CCmdUI* pCmdUI);
    void OnEditProperties();
    void OnUpdateEditProperties(CCmdUI* pCmdUI);
    void OnHideShow();
    void OnUpdateHideShow(CCmdUI* pCmdUI);
    void OnViewGrid();
    void OnUpdateViewGrid(CCmdUI* pCmdUI);
    void OnViewComponents();
    void OnUpdateViewComponents(CCmdUI* pCmdUI);
    void OnViewObjectBrowser();
    void OnUpdateViewObjectBrowser(CCmdUI* pCmdUI);
    void OnUpdateOutsidePreview(CCmdUI* pCmdUI);
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    // The recent-file entries are the class library's; preview greys every one of them.
    void OnUpdateRecentFile(CCmdUI* pCmdUI);
    // "Change the line or text color" and "Change the fill or background color".
    void OnLineColor();
    void OnFillColor();
    void OnFilePrint();
    void OnFilePrintPreview();

    // Prints the canvas (stage picture and grid, no handles) into a picture of the canvas size.
    bool PrintToPng(const std::string& path);
    // Print and Print Preview: the canvas's picture handed to the print service.
    void PrintCanvas(bool preview);

    // Messages.
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKeyUp(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnViewDestroy();
    void OnViewSize(UINT nType, int cx, int cy);
    void OnCancel();

    // Export, snapshot and send commands, and the data commands beside them: forwards to the
    // export commands (commands/ExportCommands.*), which hold what they remember.
    CExportCommands& Export();
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
    void OnExportScenario();
    void OnUpdateExportWithObjects(CCmdUI* pCmdUI);
    void OnUpdateExportPreview(CCmdUI* pCmdUI);
    void OnUpdateSnapshotToExcel(CCmdUI* pCmdUI);
    void OnUpdateExportScenario(CCmdUI* pCmdUI);
    // The player the SWF preview runs in and the snapshot commands ask for values.
    CPreviewFlashCtrl& GetPreviewCtrl() { return m_preview.Player(); }
    // The movie the preview plays (empty outside preview mode).
    const std::string& GetPreviewMoviePath() const { return m_preview.MoviePath(); }
    void SetPreviewMoviePath(const std::string& path) { m_preview.SetMoviePath(path); }

    // Format > Change Style, and the style record placed components receive (ViewStyle.cpp).
    void OnChangeStyle();
    CViewStyle& GetViewStyle() override;
    // The Styles sheet's Apply: every component of the document takes the style.
    void RefreshAllComponents(const CGlobalStyle& style);

private:
    void DrawCanvas(CDC* pDC, bool bDecorate);
    void EnsureChildren();
    void SetScrollToCanvas();
    CDrawTool* CurrentTool();

    CDesignerContext& m_designer;
    bool m_bInitialised = false;
    bool m_bActive = true;
    CUndoHistory m_undo;
    std::unique_ptr<CLayoutCommands> m_layout;
    CDrawToolState m_tool;
    CCanvasSelection m_selection;
    CMultiSelectObj m_multiSelect;
    bool m_bSameKind = true;
    CEditCommands m_edit;

    StageFactory m_stageFactory;
    std::unique_ptr<CStageFlashCtrl> m_stage;
    IStyleSaver* m_pStyleSaver = nullptr;
    std::unique_ptr<CViewStyle> m_viewStyle;

    CCanvasToolWindows m_windows;
    CCanvasPreview m_preview;
    // Made by the export commands on first use; they are a layer above the canvas.
    struct ExportCommandsDeleter {
        void operator()(CExportCommands* commands) const;
    };
    std::unique_ptr<CExportCommands, ExportCommandsDeleter> m_export;

    DECLARE_MESSAGE_MAP()
};

// The canvas view of the main window, or null.
CDrawView* GetActiveDrawView();
