#include "app/dialogs/WaitDlg.h"

#include "app/core/AppIds.h"
#include "platform/controls/ProgressCtrl.h"
#include "platform/docview/WinApp.h"
#include "base/Clock.h"

BEGIN_MESSAGE_MAP(CWaitDlg, CDialog)
    .OnTimer(&CWaitDlg::OnTimer) END_MESSAGE_MAP()

std::vector<int> WaitDialogClosingDelays(int position)
{
    std::vector<int> delays;
    const int remaining = CWaitDlg::kSteps - position;
    if (remaining <= 0) {
        return delays;
    }
    int delay = 500 / remaining;
    for (int i = 0; i < remaining; ++i) {
        delays.push_back(delay);
        delay = static_cast<int>(delay * 0.85);
    }
    return delays;
}

CWaitDlg::CWaitDlg(const std::string& title, CWnd* parent)
{
    m_previousCursor = GetCursor();
    SetCursor(LoadCursorId(IDC_WAIT));
    Create(IDD_WAIT, parent);
    SetWindowText(title);
    SetTimer(kTimerId, kTickMs);
    if (CProgressCtrl* bar = Bar()) {
        bar->SetRange32(0, kSteps);
        bar->SetPos(0);
        bar->SetStep(1);
    }
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr) {
        m_mainWnd = main->GetSafeHwnd();
        CRect client, own;
        main->GetClientRect(&client);
        main->ClientToScreen(&client);
        GetWindowRect(&own);
        const int x = client.left + client.Width() / 2 - own.Width() / 2;
        const int y = client.top + client.Height() / 2 - own.Height() / 2;
        SetWindowPos(nullptr, x, y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE);
        main->EnableWindow(FALSE);
    }
    ShowWindow(SW_SHOW);
}

CWaitDlg::~CWaitDlg()
{
    if (CProgressCtrl* bar = Bar()) {
        for (int delay : WaitDialogClosingDelays(bar->GetPos())) {
            bar->StepIt();
            Sleep(static_cast<std::uint64_t>(delay));
        }
    }
    SetCursor(m_previousCursor);
    if (CWnd* main = CWnd::FromHandle(m_mainWnd)) {
        main->EnableWindow(TRUE);
    }
    if (GetSafeHwnd() != nullptr) {
        KillTimer(kTimerId);
        DestroyWindow();
    }
}

CProgressCtrl* CWaitDlg::Bar()
{
    return dynamic_cast<CProgressCtrl*>(GetDlgItem(IDC_WAIT_PROGRESS));
}

void CWaitDlg::OnTimer(std::uintptr_t id)
{
    if (id == kTimerId) {
        if (CProgressCtrl* bar = Bar()) {
            bar->StepIt();
        }
    }
}
