#pragma once

// The canvas view's tool windows: the Components palette and the Object Browser, made when the
// view first shows and placed at the left of the main window, and the Grid dialog, made when
// asked for. Preview hides them and brings back those that were shown.

#include <memory>

class CComponentPalette;
class CDesignerContext;
class CGridDlg;
class CObjectBrowserDlg;
class ICanvasView;

class CCanvasToolWindows {
public:
    // Both outlive the windows.
    CCanvasToolWindows(ICanvasView& view, CDesignerContext& designer);
    ~CCanvasToolWindows();
    CCanvasToolWindows(const CCanvasToolWindows&) = delete;
    CCanvasToolWindows& operator=(const CCanvasToolWindows&) = delete;

    CComponentPalette* Palette() const { return m_palette.get(); }
    CObjectBrowserDlg* Browser() const { return m_browser.get(); }
    CGridDlg* GridDlg() const { return m_gridDlg.get(); }

    // The view's first update: palette and browser exist and, the first time, stand at the
    // left of the main window, the browser below the palette; the browser lists the objects.
    void ShowAtStart();
    // The browser's rows follow the document and the selection.
    void RefreshBrowser();
    // View > Components, View > Object Browser and View > Grid.
    void ToggleComponents();
    void ToggleBrowser();
    void OpenGrid();
    bool IsPaletteVisible() const;
    bool IsBrowserVisible() const;
    bool IsGridOpen() const { return m_gridDlg != nullptr; }
    // The Grid dialog closed: it is forgotten now and deleted once its own handler has returned.
    void GridClosed();
    // Preview hides every tool window; leaving it shows again those that were shown.
    void HideForPreview();
    void ShowAfterPreview();
    // Destroys the windows (the view goes).
    void Close();

private:
    void EnsurePalette();
    void EnsureBrowser();

    ICanvasView& m_view;
    CDesignerContext& m_designer;
    std::unique_ptr<CComponentPalette> m_palette;
    std::unique_ptr<CObjectBrowserDlg> m_browser;
    std::unique_ptr<CGridDlg> m_gridDlg;
    // A closed Grid dialog, kept until its own handler has returned.
    std::unique_ptr<CGridDlg> m_closedGridDlg;
    bool m_paletteWasVisible = false;
    bool m_browserWasVisible = false;
};
