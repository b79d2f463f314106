#include "app/canvas/CanvasToolWindows.h"

#include "app/canvas/CanvasView.h"
#include "app/canvas/DrawTool.h"
#include "app/canvas/ObjectBrowserDlg.h"
#include "app/core/DesignerContext.h"
#include "app/panels/ComponentPalette.h"
#include "app/panels/GridDlg.h"
#include "platform/window/Screen.h"

CCanvasToolWindows::CCanvasToolWindows(ICanvasView& view, CDesignerContext& designer)
    : m_view(view), m_designer(designer)
{
}

CCanvasToolWindows::~CCanvasToolWindows()
{
    Close();
}

void CCanvasToolWindows::Close()
{
    m_gridDlg.reset();
    m_closedGridDlg.reset();
    m_browser.reset();
    m_palette.reset();
}

void CCanvasToolWindows::EnsurePalette()
{
    if (m_palette != nullptr)
        return;
    CDrawToolState& tools = m_view.GetToolState();
    m_palette = std::make_unique<CComponentPalette>([&tools](CComponentDef* def) {
        // The palette's choice makes the component tool current; no choice, the select tool.
        if (def != nullptr)
            tools.definition = def;
        tools.shape = def != nullptr ? CDrawToolState::ComponentShape : CDrawToolState::SelectShape;
    });
    if (!m_palette->Create(&m_view.Window(), m_designer.Catalog())) {
        m_palette.reset();
        return;
    }
    m_palette->SetTitle("default");
}

void CCanvasToolWindows::EnsureBrowser()
{
    if (m_browser != nullptr)
        return;
    m_browser = std::make_unique<CObjectBrowserDlg>(m_view);
    if (!m_browser->Create(&m_view.Window()))
        m_browser.reset();
}

void CCanvasToolWindows::ShowAtStart()
{
    const bool first = m_palette == nullptr;
    EnsurePalette();
    EnsureBrowser();
    if (first && m_palette != nullptr) {
        CRect r;
        m_palette->GetWindowRect(&r);
        m_palette->MoveWindow(2, 74, r.Width(), r.Height());
        m_palette->ShowWindow(SW_SHOW);
        if (m_browser != nullptr) {
            CRect b;
            m_browser->GetWindowRect(&b);
            // A tool window's rectangle is its inside: the browser's title bar goes below the
            // palette's frame, not over its last rows.
            const int frame = GetSystemMetrics(SM_CYCAPTION) + 2 * GetSystemMetrics(SM_CYBORDER);
            m_browser->MoveWindow(2, 74 + r.Height() + frame, r.Width(), b.Height());
            m_browser->ShowWindow(SW_SHOW);
        }
    }
    RefreshBrowser();
}

void CCanvasToolWindows::RefreshBrowser()
{
    if (m_browser != nullptr && m_browser->GetSafeHwnd() != nullptr)
        m_browser->FillList();
}

void CCanvasToolWindows::ToggleComponents()
{
    EnsurePalette();
    if (m_palette != nullptr)
        m_palette->ShowWindow(m_palette->IsWindowVisible() ? SW_HIDE : SW_SHOW);
}

void CCanvasToolWindows::ToggleBrowser()
{
    EnsureBrowser();
    if (m_browser == nullptr)
        return;
    if (m_browser->IsWindowVisible()) {
        m_browser->ShowWindow(SW_HIDE);
    } else {
        m_browser->FillList();
        m_browser->ShowWindow(SW_SHOW);
    }
}

void CCanvasToolWindows::OpenGrid()
{
    m_closedGridDlg.reset();
    if (m_gridDlg == nullptr) {
        m_gridDlg = std::make_unique<CGridDlg>(m_view);
        if (!m_gridDlg->Create()) {
            m_gridDlg.reset();
            return;
        }
    }
    m_gridDlg->ShowWindow(SW_SHOW);
    m_gridDlg->SetActiveWindow();
}

bool CCanvasToolWindows::IsPaletteVisible() const
{
    return m_palette != nullptr && m_palette->IsWindowVisible();
}

bool CCanvasToolWindows::IsBrowserVisible() const
{
    return m_browser != nullptr && m_browser->IsWindowVisible();
}

void CCanvasToolWindows::GridClosed()
{
    m_closedGridDlg = std::move(m_gridDlg);
}

void CCanvasToolWindows::HideForPreview()
{
    m_paletteWasVisible = IsPaletteVisible();
    m_browserWasVisible = IsBrowserVisible();
    if (m_palette != nullptr)
        m_palette->ShowWindow(SW_HIDE);
    if (m_browser != nullptr)
        m_browser->ShowWindow(SW_HIDE);
    if (m_gridDlg != nullptr)
        m_gridDlg->ShowWindow(SW_HIDE);
}

void CCanvasToolWindows::ShowAfterPreview()
{
    if (m_palette != nullptr && m_paletteWasVisible)
        m_palette->ShowWindow(SW_SHOW);
    if (m_browser != nullptr && m_browserWasVisible)
        m_browser->ShowWindow(SW_SHOW);
    if (m_gridDlg != nullptr)
        m_gridDlg->ShowWindow(SW_SHOW);
}
