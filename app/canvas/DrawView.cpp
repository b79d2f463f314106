#include "app/canvas/DrawView.h"

#include <algorithm>

#include "app/canvas/ComponentObj.h"
#include "app/canvas/DrawDoc.h"
#include "app/canvas/LayoutCommands.h"
#include "app/canvas/ViewStyle.h"
#include "app/core/AppIds.h"
#include "app/core/DesignerContext.h"
#include "app/core/TempFileManager.h"
#include "app/delivery/OfficeDelivery.h"
#include "app/stage/PreviewFlashCtrl.h"
#include "app/stage/StageFlashCtrl.h"
#include "platform/controls/ShockwaveFlash.h"
#include "platform/dialogs/MessageBox.h"
#include "platform/dialogs/PrintService.h"
#include "platform/docview/Frame.h"
#include "platform/docview/Menu.h"
#include "platform/docview/WinApp.h"
#include "platform/drawing/Bitmap.h"
#include "platform/drawing/Colors.h"
#include "platform/drawing/DC.h"
#include "platform/drawing/Png.h"
#include "platform/drawing/RasterDC.h"
#include "platform/window/CmdUI.h"
#include "platform/window/Input.h"
#include "publish/ProgramContext.h"

BEGIN_MESSAGE_MAP(CDrawView, CScrollView)
    .OnLButtonDown(&CDrawView::OnLButtonDown)
    .OnLButtonUp(&CDrawView::OnLButtonUp)
    .OnLButtonDblClk(&CDrawView::OnLButtonDblClk)
    .OnMouseMove(&CDrawView::OnMouseMove)
    .OnContextMenu(&CDrawView::OnContextMenu)
    .OnKeyDown(&CDrawView::OnKeyDown)
    .OnKeyUp(&CDrawView::OnKeyUp)
    .OnShowWindow(&CDrawView::OnShowWindow)
    .OnDestroy(&CDrawView::OnViewDestroy)
    .OnSize(&CDrawView::OnViewSize)
    .Command(ID_VIEW_SWF_PREVIEW, &CDrawView::OnViewPreview)
    .UpdateCommandUI(ID_VIEW_SWF_PREVIEW, &CDrawView::OnUpdateViewPreview)
    .Command(ID_VIEW_EDIT_MODE, &CDrawView::OnViewEdit)
    .UpdateCommandUI(ID_VIEW_EDIT_MODE, &CDrawView::OnUpdateViewEdit)
    .Command(ID_EDIT_SELECT_ALL, &CDrawView::OnEditSelectAll)
    .UpdateCommandUI(ID_EDIT_SELECT_ALL, &CDrawView::OnUpdateEditSelectAll)
    .Command(ID_EDIT_UNDO, &CDrawView::OnEditUndo)
    .UpdateCommandUI(ID_EDIT_UNDO, &CDrawView::OnUpdateEditUndo)
    .Command(ID_EDIT_REDO, &CDrawView::OnEditRedo)
    .UpdateCommandUI(ID_EDIT_REDO, &CDrawView::OnUpdateEditRedo)
    .Command(ID_EDIT_CLEAR, &CDrawView::OnEditClear)
    .UpdateCommandUI(ID_EDIT_CLEAR, &CDrawView::OnUpdateEditClear)
    .UpdateCommandUI(ID_EDIT_CUT, &CDrawView::OnUpdateEditCutCopy)
    .UpdateCommandUI(ID_EDIT_COPY, &CDrawView::OnUpdateEditCutCopy)
    .UpdateCommandUI(ID_EDIT_PASTE, &CDrawView::OnUpdateEditPaste)
    .UpdateCommandUI(ID_GROUP, &CDrawView::OnUpdateNeedTwo)
    .UpdateCommandUI(ID_UNGROUP, &CDrawView::OnUpdateUngroup)
    .CommandEx(ID_EDIT_CUT, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_EDIT_COPY, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_EDIT_PASTE, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_GROUP, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_UNGROUP, &CDrawView::OnLayoutCommand)
    .CommandEx(ID_BRING_TO_FRONT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_BRING_TO_FRONT, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_SEND_TO_BACK, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SEND_TO_BACK, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_BRING_FORWARD, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_BRING_FORWARD, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_SEND_BACK, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SEND_BACK, &CDrawView::OnUpdateNeedOne)
    .CommandEx(ID_ALIGN_LEFT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_LEFT, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_RIGHT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_RIGHT, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_TOP, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_TOP, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_BOTTOM, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_BOTTOM, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_CENTER_HORZ, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_CENTER_HORZ, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_ALIGN_CENTER_VERT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_ALIGN_CENTER_VERT, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_SPACE_DOWN, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SPACE_DOWN, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_SPACE_ACROSS, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SPACE_ACROSS, &CDrawView::OnUpdateNeedTwo)
    .CommandEx(ID_SAME_WIDTH, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SAME_WIDTH, &CDrawView::OnUpdateSameSize)
    .CommandEx(ID_SAME_HEIGHT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SAME_HEIGHT, &CDrawView::OnUpdateSameSize)
    .CommandEx(ID_SAME_BOTH, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_SAME_BOTH, &CDrawView::OnUpdateSameSize)
    .CommandEx(ID_CENTER_VERT, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_CENTER_VERT, &CDrawView::OnUpdateNeedSelection)
    .CommandEx(ID_CENTER_HORZ, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_CENTER_HORZ, &CDrawView::OnUpdateNeedSelection)
    .CommandEx(ID_CENTER_BOTH, &CDrawView::OnLayoutCommand)
    .UpdateCommandUI(ID_CENTER_BOTH, &CDrawView::OnUpdateNeedSelection)
    .Command(ID_TOOL_SELECT, &CDrawView::OnToolSelect)
    .UpdateCommandUI(ID_TOOL_SELECT, &CDrawView::OnUpdateToolSelect)
    .Command(ID_TOOL_COMPONENT, &CDrawView::OnToolComponent)
    .UpdateCommandUI(ID_TOOL_COMPONENT, &CDrawView::OnUpdateToolComponent)
    .Command(ID_EDIT_PROPERTIES, &CDrawView::OnEditProperties)
    .UpdateCommandUI(ID_EDIT_PROPERTIES, &CDrawView::OnUpdateEditProperties)
    .Command(ID_HIDE_SHOW, &CDrawView::OnHideShow)
    .UpdateCommandUI(ID_HIDE_SHOW, &CDrawView::OnUpdateHideShow)
    .Command(ID_VIEW_GRID, &CDrawView::OnViewGrid)
    .UpdateCommandUI(ID_VIEW_GRID, &CDrawView::OnUpdateViewGrid)
    .Command(ID_VIEW_COMPONENTS, &CDrawView::OnViewComponents)
    .UpdateCommandUI(ID_VIEW_COMPONENTS, &CDrawView::OnUpdateViewComponents)
    .Command(ID_VIEW_OBJECT_BROWSER, &CDrawView::OnViewObjectBrowser)
    .UpdateCommandUI(ID_VIEW_OBJECT_BROWSER, &CDrawView::OnUpdateViewObjectBrowser)
    .UpdateCommandUI(ID_FILE_NEW, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_OPEN, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_NEW_FROM_TEMPLATE, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_SAMPLES, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_INCREASE_CANVAS, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_DECREASE_CANVAS, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FIT_TO_COMPONENTS, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FIT_TO_WINDOW, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_DATA_IMPORT_MODEL, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_PROPERTIES, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_HELP_WELCOME, &CDrawView::OnUpdateOutsidePreview)
    .UpdateCommandUI(ID_FILE_MRU_FILE1, &CDrawView::OnUpdateRecentFile)
    .Command(ID_LINE_COLOR, &CDrawView::OnLineColor)
    .UpdateCommandUI(ID_LINE_COLOR, &CDrawView::OnUpdateAlwaysEnabled)
    .Command(ID_FILL_COLOR, &CDrawView::OnFillColor)
    .UpdateCommandUI(ID_FILL_COLOR, &CDrawView::OnUpdateAlwaysEnabled)
    .Command(ID_FILE_PRINT, &CDrawView::OnFilePrint)
    .Command(ID_FILE_PRINT_PREVIEW, &CDrawView::OnFilePrintPreview)
    .Command(ID_EXPORT_SETTINGS, &CDrawView::OnExportSettings)
    .Command(ID_EXPORT_PREVIEW, &CDrawView::OnExportPreview)
    .UpdateCommandUI(ID_EXPORT_PREVIEW, &CDrawView::OnUpdateExportPreview)
    .Command(ID_EXPORT_SWF, &CDrawView::OnExportSwf)
    .UpdateCommandUI(ID_EXPORT_SWF, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_HTML, &CDrawView::OnExportHtml)
    .UpdateCommandUI(ID_EXPORT_HTML, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_POWERPOINT, &CDrawView::OnExportPowerPoint)
    .UpdateCommandUI(ID_EXPORT_POWERPOINT, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_OUTLOOK, &CDrawView::OnExportOutlook)
    .UpdateCommandUI(ID_EXPORT_OUTLOOK, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_EXPORT_PORTAL, &CDrawView::OnExportPortal)
    .UpdateCommandUI(ID_EXPORT_PORTAL, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_SNAPSHOT_EXCEL, &CDrawView::OnSnapshotToExcel)
    .UpdateCommandUI(ID_SNAPSHOT_EXCEL, &CDrawView::OnUpdateSnapshotToExcel)
    .Command(ID_EXPORT_SCENARIO, &CDrawView::OnExportScenario)
    .UpdateCommandUI(ID_EXPORT_SCENARIO, &CDrawView::OnUpdateExportScenario)
    .Command(ID_SNAPSHOT_SWF, &CDrawView::OnSnapshotSwf)
    .Command(ID_SNAPSHOT_HTML, &CDrawView::OnSnapshotHtml)
    .Command(ID_SNAPSHOT_POWERPOINT, &CDrawView::OnSnapshotPowerPoint)
    .Command(ID_SNAPSHOT_OUTLOOK, &CDrawView::OnSnapshotOutlook)
    .Command(ID_SEND_POWERPOINT, &CDrawView::OnSendToPowerPoint)
    .UpdateCommandUI(ID_SEND_POWERPOINT, &CDrawView::OnUpdateExportWithObjects)
    .Command(ID_SEND_TO_OUTLOOK, &CDrawView::OnSendToOutlook)
    .Command(ID_DATA_IMPORT_MODEL, &CDrawView::OnImportModel)
    .Command(ID_DATA_DIALOG, &CDrawView::OnDataDialog)
    .Command(ID_REPLACE_DATA_SELECTION, &CDrawView::OnReplaceDataSelection)
    .Command(ID_CHANGE_STYLE, &CDrawView::OnChangeStyle)
    .UpdateCommandUI(ID_CHANGE_STYLE, &CDrawView::OnUpdateOutsidePreview) END_MESSAGE_MAP()

namespace {

CComponentObj* AsComponent(CDrawObj* obj)
{
    return dynamic_cast<CComponentObj*>(obj);
}

// The keyboard messages, WM_KEYDOWN (256) to 264.
constexpr UINT kKeyFirst = 0x0100;
constexpr UINT kKeyLast = 0x0108;

} // namespace

CDrawView::CDrawView(CDesignerContext& designer)
    : m_designer(designer), m_undo(*this), m_layout(std::make_unique<CLayoutCommands>(*this, GetClipboard())),
      m_edit(*this, designer), m_windows(*this, designer), m_preview(*this, designer, m_windows)
{
}

CDrawView::~CDrawView()
{
    // The records may delete objects they alone kept; the tool windows go before the view.
    m_undo.Clear();
    m_windows.Close();
    m_multiSelect.Reset();
    // Copied objects hold components of this program's catalogue, which goes with the view.
    GetClipboard().Clear(CCanvasClip::kFormat);
    if (m_stage != nullptr && m_designer.Stage() == m_stage.get())
        m_designer.SetStage(nullptr);
}


CShockwaveFlash* CDrawView::GetPreviewPlayer() const
{
    return m_preview.ExistingPlayer();
}

CDrawDoc* CDrawView::GetDocument() const
{
    return dynamic_cast<CDrawDoc*>(m_pDocument);
}

CDrawTool* CDrawView::CurrentTool()
{
    return FindTool(m_designer, m_tool.shape);
}

// ---- coordinates ----

CCanvasGeometry CDrawView::Geometry() const
{
    CRect client;
    GetClientRect(&client);
    const CDrawDoc* doc = GetDocument();
    return CCanvasGeometry(client, doc != nullptr ? doc->GetCanvasWidth() : 0,
                           doc != nullptr ? doc->GetCanvasHeight() : 0, GetScrollPosition());
}

CPoint CDrawView::GetCanvasOffset() const
{
    return Geometry().Offset();
}

CPoint CDrawView::DocToClient(CPoint point) const
{
    return Geometry().DocToClient(point);
}

CRect CDrawView::DocToClient(const CRect& rect) const
{
    return Geometry().DocToClient(rect);
}

CPoint CDrawView::ClientToDoc(CPoint point) const
{
    return Geometry().ClientToDoc(point);
}

CRect CDrawView::ClientToDoc(const CRect& rect) const
{
    return Geometry().ClientToDoc(rect);
}

CRect CDrawView::GetCanvasClientRect() const
{
    return Geometry().CanvasClientRect();
}

void CDrawView::OnPrepareDC(CDC* pDC, CPrintInfo*)
{
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX);
    const int dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    // The context's own origin places the window in what it draws on; the canvas offset
    // comes on top of it.
    const CPoint base = pDC->GetViewportOrg();
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetViewportExt(dpiX, dpiY);
    pDC->SetWindowExt(dpiX * 20, dpiY * 20);
    pDC->SetWindowOrg(0, 0);
    if (!pDC->IsPrinting())
        pDC->SetViewportOrg(base.x + GetCanvasOffset().x, base.y + GetCanvasOffset().y);
}

// ---- drawing ----

void CDrawView::OnDraw(CDC* pDC)
{
    CDrawDoc* doc = GetDocument();
    // OnPaint prepared the context: the surround is filled in canvas units as well.
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(ClientToDoc(client), kMarginColor);
    if (doc == nullptr)
        return;
    DrawCanvas(pDC, true);
}

void CDrawView::DrawCanvas(CDC* pDC, bool bDecorate)
{
    CDrawDoc* doc = GetDocument();
    const int w = doc->GetCanvasWidth() * 20;
    const int h = doc->GetCanvasHeight() * 20;
    const CRect canvas(0, 0, w, h);
    const int saved = pDC->SaveDC();
    pDC->IntersectClipRect(canvas);
    // The stage's picture: the live components on the paper.
    if (m_stage != nullptr && m_stage->GetPlayer() != nullptr)
        m_stage->GetPlayer()->Draw(*pDC, canvas);
    else
        pDC->FillSolidRect(canvas, RGB(255, 255, 255));
    // What the stage does not show (embedded objects) draws itself.
    for (CDrawObj* obj : doc->GetObjects())
        obj->Draw(pDC);

    if (bDecorate && !IsPreview() && m_bActive && !pDC->IsPrinting()) {
        if (CDrawTool* tool = CurrentTool()) {
            tool->DrawTracking(this, pDC);
            for (CDrawObj* obj : m_selection)
                tool->DrawHandles(this, pDC, obj);
        }
    }
    if (m_bGrid && m_nGridX > 0 && m_nGridY > 0) {
        static const std::uint8_t kDots[8] = {0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55};
        CBrush pattern;
        pattern.CreatePatternBrush(kDots, m_gridColor, doc->GetPaperColor());
        CBrush* old = pDC->SelectObject(&pattern);
        pDC->SetBkColor(doc->GetPaperColor());
        for (int y = m_nGridY; y < h; y += m_nGridY)
            pDC->PatBlt(0, y, w, 25, PATCOPY);
        for (int x = m_nGridX; x < w; x += m_nGridX)
            pDC->PatBlt(x, 0, 25, h, PATCOPY);
        pDC->SelectObject(old);
    }
    pDC->RestoreDC(saved);
}

bool CDrawView::PrintToPng(const std::string& path)
{
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr)
        return false;
    CRasterDC dc(doc->GetCanvasWidth(), doc->GetCanvasHeight());
    OnPrepareDC(&dc);
    dc.SetViewportOrg(0, 0);
    DrawCanvas(&dc, false);
    const bool ok = WritePng(path, *dc.GetSurface());
    // Printing leaves the canvas fitted to the window.
    doc->FitCanvasToWindow();
    return ok;
}

void CDrawView::OnFilePrint()
{
    PrintCanvas(false);
}

void CDrawView::OnFilePrintPreview()
{
    PrintCanvas(true);
}

void CDrawView::PrintCanvas(bool preview)
{
    // The page is a picture of the canvas among the temporary files; on a screen the
    // toolkit's print dialog prints (or previews) it, headless the picture is the print.
    CTempFileManager* temp = m_designer.FindTempFiles();
    if (temp == nullptr)
        return;
    const std::string path = temp->CreateTempFile("prn", ".png", true);
    if (path.empty() || !PrintToPng(path)) {
        AfxMessageBox("The canvas could not be printed.", MB_ICONEXCLAMATION);
        return;
    }
    if (IPrintService* printer = GetPrintService()) {
        std::string error;
        const CDrawDoc* doc = GetDocument();
        if (!printer->PrintPicture(this, path, doc != nullptr ? doc->GetTitle() : std::string(), preview, error))
            AfxMessageBox("The canvas could not be printed: " + error, MB_ICONEXCLAMATION);
    }
}

// ---- selection ----

bool CDrawView::IsSelected(const CDrawObj* obj) const
{
    return m_selection.Contains(obj);
}

void CDrawView::Select(CDrawObj* obj, bool bAdd)
{
    if (!bAdd) {
        for (CDrawObj* selected : m_selection)
            InvalObj(selected);
        if (obj == nullptr) {
            for (CDrawObj* selected : m_selection) {
                if (auto* component = AsComponent(selected))
                    component->ClosePropertyPanel();
            }
            m_multiSelect.Clear();
        }
        m_selection.Clear();
    }
    if (m_selection.Add(obj))
        InvalObj(obj);
    RefreshObjectBrowser();
}

void CDrawView::Deselect(CDrawObj* obj)
{
    if (!m_selection.Contains(obj))
        return;
    InvalObj(obj);
    m_selection.Remove(obj);
    RefreshObjectBrowser();
}

void CDrawView::DeselectRemoved(CDrawObj* obj)
{
    m_selection.Remove(obj);
    m_multiSelect.Clear();
}

void CDrawView::SelectWithin(const CRect& clientRect, bool bAdd)
{
    if (!bAdd)
        Select(nullptr);
    const CRect logical = ClientToDoc(clientRect);
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    for (CDrawObj* obj : doc->GetObjects()) {
        if (obj->Intersects(logical))
            Select(obj, true);
    }
}

void CDrawView::InvalObj(CDrawObj* obj)
{
    CRect r = DocToClient(obj->m_position);
    if (m_bActive && IsSelected(obj)) {
        r.left -= 4;
        r.top -= 5;
        r.right += 5;
        r.bottom += 4;
    }
    r.InflateRect(1, 1);
    InvalidateRect(&r, FALSE);
}

void CDrawView::SortSelectionByZOrder()
{
    if (CDrawDoc* doc = GetDocument())
        m_selection.SortBy(doc->GetObjects());
}

bool CDrawView::CanEditProperties()
{
    if (m_tool.shape != CDrawToolState::SelectShape || m_selection.empty())
        return false;
    if (m_selection.size() == 1) {
        const CComponentObj* only = AsComponent(m_selection.front());
        if (only != nullptr && only->GetInstanceCount() == 1)
            return true;
    }
    const bool same = m_selection.IsOneKind();
    m_bSameKind = same;
    m_multiSelect.m_bSameKind = same;
    return true;
}

void CDrawView::OnUpdate(CView*, LPARAM lHint, void* pHint)
{
    switch (lHint) {
    case HINT_UPDATE_DRAWOBJ:
        if (pHint != nullptr) {
            InvalObj(static_cast<CDrawObj*>(pHint));
            return;
        }
        break;
    case 2: {
        const auto* list = static_cast<const std::vector<CDrawObj*>*>(pHint);
        for (CDrawObj* obj : list != nullptr ? *list : m_selection.Objects())
            InvalObj(obj);
        return;
    }
    case HINT_RESET_VIEW:
        ResetView();
        return;
    case 3:
        if (const auto* list = static_cast<const std::vector<CDrawObj*>*>(pHint)) {
            if (list != &m_selection.Objects()) {
                for (CDrawObj* obj : *list) {
                    InvalObj(obj);
                    DeselectRemoved(obj);
                }
            }
        }
        return;
    default:
        break;
    }
    // The canvas may have changed size.
    SetScrollToCanvas();
    if (m_stage != nullptr) {
        if (const CDrawDoc* doc = GetDocument()) {
            CRect r;
            m_stage->GetClientRect(&r);
            if (r.Width() != doc->GetCanvasWidth() || r.Height() != doc->GetCanvasHeight())
                m_stage->MoveWindow(0, 0, doc->GetCanvasWidth(), doc->GetCanvasHeight());
        }
    }
    m_preview.Place();
    Invalidate(FALSE);
}

void CDrawView::OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView)
{
    CScrollView::OnActivateView(bActivate, pActivateView, pDeactiveView);
    if (bool active = bActivate != FALSE; active != m_bActive) {
        m_bActive = active;
        Invalidate(FALSE);
    }
}

void CDrawView::RefreshObjectBrowser()
{
    m_windows.RefreshBrowser();
}

// ---- mouse and keys ----

void CDrawView::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    SetFocus();
    if (CDrawTool* tool = CurrentTool())
        tool->OnLButtonDown(this, nFlags, point);
}

void CDrawView::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    if (CDrawTool* tool = CurrentTool())
        tool->OnLButtonUp(this, nFlags, point);
    RefreshObjectBrowser();
}

void CDrawView::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    if (CDrawTool* tool = CurrentTool())
        tool->OnLButtonDblClk(this, nFlags, point);
}

void CDrawView::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bActive || IsPreview())
        return;
    const CRect canvas = GetCanvasClientRect();
    point.x = std::clamp(point.x, canvas.left, canvas.right);
    point.y = std::clamp(point.y, canvas.top, canvas.bottom);
    if (CDrawTool* tool = CurrentTool())
        tool->OnMouseMove(this, nFlags, point);
}

void CDrawView::OnContextMenu(CWnd*, CPoint point)
{
    if (m_tool.sizing || IsPreview())
        return;
    CPoint client = point;
    ScreenToClient(&client);
    if (CDrawDoc* doc = GetDocument()) {
        CDrawObj* obj = doc->ObjectAt(ClientToDoc(client));
        if (obj != nullptr && !IsSelected(obj)) {
            Select(obj);
            if (CDrawTool* tool = CurrentTool())
                tool->OnContextSelect(this, 0, client);
        }
    }
    UpdateWindow();
    CMenu menu;
    if (menu.LoadMenu(IDR_CONTEXT_MENU)) {
        if (CMenu* popup = menu.GetSubMenu(0))
            popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
    }
}

void CDrawView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT)
{
    if (!IsPreview() && !m_selection.empty())
        m_edit.Nudge(nChar, nRepCnt);
}

void CDrawView::OnKeyUp(UINT, UINT, UINT)
{
    m_edit.EndNudge();
}

BOOL CDrawView::PreTranslateMessage(MSG* pMsg)
{
    // In preview the keys belong to the movie, not to the accelerators.
    if (IsPreview() && pMsg->message >= kKeyFirst && pMsg->message <= kKeyLast) {
        TranslateMessage(pMsg);
        DispatchMessage(pMsg);
        return TRUE;
    }
    return CScrollView::PreTranslateMessage(pMsg);
}

void CDrawView::OnCancel()
{
    ReleaseCapture();
    if (CDrawTool* tool = CurrentTool())
        tool->OnCancel(this);
    m_tool.shape = CDrawToolState::SelectShape;
}

// ---- window ----

void CDrawView::SetScrollToCanvas()
{
    if (const CDrawDoc* doc = GetDocument())
        SetScrollSizes(MM_TEXT, CSize(doc->GetCanvasWidth(), doc->GetCanvasHeight()));
}

void CDrawView::EnsureChildren()
{
    CDrawDoc* doc = GetDocument();
    if (doc == nullptr)
        return;
    // The preview player, which the snapshot commands also ask for the values shown.
    m_preview.Player();
    if (m_stage == nullptr) {
        std::unique_ptr<CStageFlashCtrl> stage = m_stageFactory ? m_stageFactory() : MakeProgramStage(m_designer);
        if (stage != nullptr && stage->IsReady() &&
            stage->Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, doc->GetCanvasWidth(), doc->GetCanvasHeight()), this,
                          IDC_STAGE)) {
            // The stage draws through the view: its own window stays out of the way of the
            // pointer, which the tools need.
            stage->ShowWindow(SW_HIDE);
            m_stage = std::move(stage);
            doc->SetStage(m_stage.get());
            m_designer.SetStage(m_stage.get());
            m_stage->Init(true);
            m_stage->SetStageSize(doc->GetCanvasWidth(), doc->GetCanvasHeight());
        }
    }
}

void CDrawView::OnViewDestroy()
{
    // The stage goes with the view; the document must not reach it afterwards.
    if (CDrawDoc* doc = GetDocument(); doc != nullptr && doc->GetStage() == m_stage.get())
        doc->SetStage(nullptr);
    if (m_designer.Stage() == m_stage.get())
        m_designer.SetStage(nullptr);
    CView::OnDestroy();
}

void CDrawView::OnShowWindow(BOOL bShow, UINT)
{
    SetScrollToCanvas();
    if (bShow)
        EnsureChildren();
}

void CDrawView::OnViewSize(UINT nType, int cx, int cy)
{
    CScrollView::OnSize(nType, cx, cy);
    m_preview.Place();
}

void CDrawView::OnInitialUpdate()
{
    SetScrollToCanvas();
    EnsureChildren();
    // The stage's components load what they name from beside the document, as in the preview.
    if (const CDrawDoc* doc = GetDocument())
        doc->SetStageBase();
    m_windows.ShowAtStart();
    CScrollView::OnInitialUpdate();
    const bool firstUpdate = !m_bInitialised;
    m_bInitialised = true;
    // A document opened before the view's first update (from the command line) has its model
    // linked now.
    if (firstUpdate)
        if (CDrawDoc* doc = GetDocument())
            doc->ReimportModel(this);
}

void CDrawView::ResetView()
{
    m_undo.Clear();
    if (IPropertiesPanel* panel = CComponentObj::GetCurrentPanel()) {
        if (panel->IsSheetOpen())
            panel->CloseSheet();
    }
    m_multiSelect.Reset();
    Select(nullptr);
    m_edit.ForgetNudge();
    RefreshObjectBrowser();
    if (CWnd* main = AfxGetMainWnd())
        main->PostMessage(WM_IMPORT_MODEL_PROGRESS, kImportNoModel, 0);
}

bool CDrawView::QuerySaveStyle()
{
    return AskToSaveStyle(m_pStyleSaver);
}

CanvasGrid CDrawView::GetGrid() const
{
    CanvasGrid grid;
    grid.shown = m_bGrid;
    grid.snap = m_bSnapToGrid;
    grid.stepX = m_nGridX;
    grid.stepY = m_nGridY;
    return grid;
}

void CDrawView::SetGrid(const CanvasGrid& grid)
{
    m_bGrid = grid.shown;
    m_bSnapToGrid = grid.snap;
    m_nGridX = grid.stepX;
    m_nGridY = grid.stepY;
}

void CDrawView::OnGridDlgClosed()
{
    m_windows.GridClosed();
    Invalidate(FALSE);
}

// ---- preview ----

void CDrawView::OnViewPreview()
{
    m_preview.OnViewPreview();
}

void CDrawView::OnViewEdit()
{
    m_preview.OnViewEdit();
}

void CDrawView::OnUpdateViewPreview(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsPreview() ? 1 : 0);
}

void CDrawView::OnUpdateViewEdit(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsPreview() ? 0 : 1);
}


// ---- commands ----

void CDrawView::OnEditSelectAll()
{
    m_edit.SelectAll();
}

void CDrawView::OnUpdateEditSelectAll(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_edit.CanSelectAll());
}

void CDrawView::OnEditUndo()
{
    m_edit.Undo();
}

void CDrawView::OnUpdateEditUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_undo.CanUndo());
}

void CDrawView::OnEditRedo()
{
    m_edit.Redo();
}

void CDrawView::OnUpdateEditRedo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_undo.CanRedo());
}

void CDrawView::OnEditClear()
{
    m_edit.Clear();
}

void CDrawView::OnUpdateEditClear(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_selection.empty());
}

void CDrawView::OnUpdateNeedSelection(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!m_selection.empty());
}

void CDrawView::OnUpdateNeedTwo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_selection.size() >= 2);
}

void CDrawView::OnUpdateSameSize(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_edit.CanMakeSameSize());
}

void CDrawView::OnUpdateNeedOne(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_selection.size() == 1);
}

void CDrawView::OnUpdateUngroup(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_edit.HasGroup());
}

void CDrawView::OnUpdateEditCutCopy(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview() && !m_selection.empty());
}

void CDrawView::OnUpdateEditPaste(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview() && m_layout->CanPaste());
}

BOOL CDrawView::OnLayoutCommand(UINT nID)
{
    return m_layout->Execute(nID) ? TRUE : FALSE;
}

void CDrawView::OnToolSelect()
{
    m_tool.shape = CDrawToolState::SelectShape;
}

void CDrawView::OnToolComponent()
{
    m_tool.shape = CDrawToolState::ComponentShape;
}

void CDrawView::OnUpdateToolSelect(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview());
    pCmdUI->SetRadio(m_tool.shape == CDrawToolState::SelectShape);
}

void CDrawView::OnUpdateToolComponent(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview());
    pCmdUI->SetRadio(m_tool.shape == CDrawToolState::ComponentShape);
}

void CDrawView::OnEditProperties()
{
    if (CDrawTool* tool = FindTool(m_designer, CDrawToolState::SelectShape))
        tool->OnEditProperties(this);
}

void CDrawView::OnUpdateEditProperties(CCmdUI* pCmdUI)
{
    const bool can = CanEditProperties();
    pCmdUI->Enable(can);
    IPropertiesPanel* panel = CComponentObj::GetCurrentPanel();
    pCmdUI->SetCheck(can && panel != nullptr && panel->IsSheetOpen() ? 1 : 0);
}

void CDrawView::OnHideShow()
{
    m_edit.HideShow();
}

void CDrawView::OnUpdateHideShow(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_edit.CanHideShow());
}

void CDrawView::OnViewGrid()
{
    m_windows.OpenGrid();
}

void CDrawView::OnUpdateViewGrid(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_windows.IsGridOpen() ? 1 : 0);
}

void CDrawView::OnViewComponents()
{
    m_windows.ToggleComponents();
}

void CDrawView::OnUpdateViewComponents(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_windows.IsPaletteVisible() ? 1 : 0);
}

void CDrawView::OnViewObjectBrowser()
{
    m_windows.ToggleBrowser();
}

void CDrawView::OnUpdateViewObjectBrowser(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_windows.IsBrowserVisible() ? 1 : 0);
}

void CDrawView::OnUpdateOutsidePreview(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!IsPreview());
}

void CDrawView::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CDrawView::OnUpdateRecentFile(CCmdUI* pCmdUI)
{
    m_preview.UpdateRecentFile(pCmdUI);
}


void CDrawView::OnLineColor()
{
    m_edit.ChooseColor(false);
}

void CDrawView::OnFillColor()
{
    m_edit.ChooseColor(true);
}

CViewStyle& CDrawView::GetViewStyle()
{
    if (!m_viewStyle) {
        const CProgramContext* program = m_designer.Program();
        m_viewStyle = std::make_unique<CViewStyle>(program != nullptr && !program->GetInstallDir().empty()
                                                       ? program->GetInstallDir()
                                                       : m_designer.BaseFolder());
        // Closing the program asks to save a changed style, unless someone else answers that.
        if (m_pStyleSaver == nullptr)
            m_pStyleSaver = m_viewStyle.get();
    }
    return *m_viewStyle;
}

void CDrawView::OnChangeStyle()
{
    CDrawDoc* doc = GetDocument();
    CStageFlashCtrl* stage = doc != nullptr ? doc->GetStage() : nullptr;
    if (stage == nullptr)
        stage = m_stage.get();
    GetViewStyle().ChangeStyle(doc, stage, this, m_designer.Catalog(), m_windows.Palette());
}

void CDrawView::RefreshAllComponents(const CGlobalStyle& style)
{
    if (CDrawDoc* doc = GetDocument())
        CViewStyle::ApplyToDocument(*doc, style);
}

CDrawView* GetActiveDrawView()
{
    auto* frame = dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
    return frame != nullptr ? dynamic_cast<CDrawView*>(frame->GetActiveView()) : nullptr;
}
