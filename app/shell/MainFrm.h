#pragma once

// The main window: four toolbars in one docked row, a status bar whose second pane shows the
// state of the model and, while a model is imported, a progress bar; the splash window shown
// while the main window is made.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/controls/ProgressCtrl.h"
#include "platform/docview/Frame.h"
#include "platform/docview/StatusBar.h"
#include "platform/docview/ToolBar.h"
#include "platform/drawing/Bitmap.h"
#include "sheet/host/ExcelHostWindow.h"

#include <atomic>

class CMainFrame;

// A toolbar that cannot be dragged off its dock or floated with the mouse.
class CFixedToolBar : public CToolBar {
public:
    void OnLButtonDown(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()
};

// The import progress bar inside the status bar; it places itself before it is drawn.
class CStatusProgressCtrl : public CProgressCtrl {
public:
    void SetFrame(CMainFrame* frame) { m_frame = frame; }
    BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    CMainFrame* m_frame = nullptr;
};

// The picture shown in the middle of the screen while the program starts. It deletes itself
// when its window goes.
class CSplashWnd : public CWnd {
public:
    BOOL Create(CWnd* parent);
    BOOL LoadBitmap(UINT id);
    void Show();
    void Hide();

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void PostNcDestroy() override { delete this; }

    const CRect& ScreenRect() const { return m_rect; }

    DECLARE_MESSAGE_MAP()

private:
    CBitmap m_bitmap;
    CRect m_rect;
    std::string m_text;
};

class CPropertyEditing;

class CMainFrame : public CFrameWnd, public sheet::IExcelHostWindow {
public:
    CMainFrame();
    ~CMainFrame() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnShowWindow(BOOL bShow, UINT nStatus);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnClose();
    LRESULT OnImportProgress(WPARAM wParam, LPARAM lParam);
    // What the desktop could not open once the program had gone on: the help's pages say where
    // they are, anything else is named.
    LRESULT OnShellOpenFailed(WPARAM wParam, LPARAM lParam);

    void DockToolBars();
    void DockControlBarLeftOf(CControlBar* pBar, CControlBar* pLeftOf);
    void PlaceProgressBar();

    // Starts a new import: messages tagged with an older import's number are dropped from
    // now on. Returns the number the import's worker tags its messages with (high word of
    // wParam); untagged messages are always taken.
    UINT BeginImport();
    // Where the text of the item an import could not read comes from (the document's link
    // to the workbook); none gives an empty text.
    void SetFailedItemSource(std::function<std::string()> source) { m_failedItem = std::move(source); }
    // Where why the item could not be read comes from; a formula that is not too long is
    // reported with that reason instead of as a length error.
    void SetFailureSource(std::function<std::string()> source) { m_failure = std::move(source); }

    // sheet::IExcelHostWindow: the import worker's reports are tagged with the current
    // import's number and queued.
    void PostImportMessage(sheet::ImportCode code, long value) override;
    void EnableMainWindow(bool enable) override { EnableWindow(enable ? TRUE : FALSE); }
    void ShowWarning(const std::string& text, const std::string& caption) override;

    CFixedToolBar& ToolBar(int index) { return m_wndToolBar[index]; }
    CStatusBar& StatusBar() { return m_wndStatusBar; }
    CStatusProgressCtrl& Progress() { return m_wndProgress; }
    int ProgressMax() const { return m_nProgressMax; }
    CSplashWnd* Splash() const { return m_pSplash; }
    // The page classes and services of the Component Properties sheets; made with the window.
    CPropertyEditing* PropertyEditing() const { return m_propertyEditing.get(); }

    DECLARE_MESSAGE_MAP()

private:
    void SetModelText(const std::string& text);

    CFixedToolBar m_wndToolBar[4];
    CStatusBar m_wndStatusBar;
    CStatusProgressCtrl m_wndProgress;
    int m_nProgressMax = 100;
    CSplashWnd* m_pSplash = nullptr;
    std::atomic<UINT> m_nImportSerial{0};
    std::function<std::string()> m_failedItem;
    std::function<std::string()> m_failure;
    std::unique_ptr<CPropertyEditing> m_propertyEditing;
};
