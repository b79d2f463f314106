#pragma once

// "Please wait...": a modeless dialog with a progress bar that steps every half second while
// a long operation runs on another thread. The main window is disabled and the wait cursor
// shows for the dialog's lifetime; hold it in a scope so both come back however the
// operation ends. The caller pumps messages so the ticks arrive.

#include <functional>
#include <string>

#include "platform/dialogs/Dialog.h"
#include "platform/window/Input.h"

class CProgressCtrl;

class CWaitDlg : public CDialog {
public:
    CWaitDlg(const std::string& title, CWnd* parent);
    // Runs the bar to its end (quickly, slowing down), then gives the main window back.
    ~CWaitDlg() override;

    void OnTimer(std::uintptr_t id);
    CProgressCtrl* Bar();

    static constexpr int kSteps = 20;
    static constexpr UINT kTimerId = 1;
    static constexpr UINT kTickMs = 500;

    DECLARE_MESSAGE_MAP()

private:
    HCURSOR m_previousCursor = nullptr;
    HWND m_mainWnd = nullptr;
};

// The pauses between the closing steps of a bar at `position` of 20: starting at 500 / the
// steps left, each next one 0.85 times the one before, in whole milliseconds.
std::vector<int> WaitDialogClosingDelays(int position);
