#include "platform/WinApp.h"

#include "platform/MessageQueue.h"
#include "platform/Wnd.h"

namespace {
CWinApp*& AppSlot()
{
    static CWinApp* app = nullptr;
    return app;
}
} // namespace

CWinApp* AfxGetApp()
{
    return AppSlot();
}

CWnd* AfxGetMainWnd()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->m_pMainWnd : nullptr;
}

int CWinThread::ExitInstance()
{
    return m_nExitCode;
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    // Mouse moves and paints alone do not restart idle work, or it would run constantly.
    return pMsg->message != WM_MOUSEMOVE && pMsg->message != WM_PAINT && pMsg->message != WM_TIMER;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    // From the target up to the main window, each window may take the message.
    CWnd* main = m_pMainWnd;
    for (CWnd* w = CWnd::FromHandle(pMsg->hwnd); w != nullptr; w = w->GetParent()) {
        if (w->PreTranslateMessage(pMsg)) {
            return TRUE;
        }
        if (w == main) {
            return FALSE;
        }
    }
    if (main != nullptr && main->m_hWnd != nullptr && CWnd::FromHandle(pMsg->hwnd) == nullptr) {
        return main->PreTranslateMessage(pMsg);
    }
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    MSG msg;
    if (!GetMessageQueue().Get(msg)) {
        m_nExitCode = static_cast<int>(msg.wParam);
        return FALSE;
    }
    if (!PreTranslateMessage(&msg)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
    return TRUE;
}

BOOL CWinThread::OnIdle(long)
{
    return FALSE;
}

int CWinThread::Run()
{
    long idleCount = 0;
    bool idle = true;
    for (;;) {
        while (idle && !GetMessageQueue().HasWork()) {
            if (!OnIdle(idleCount++)) {
                idle = false;
            }
        }
        MSG peeked;
        if (GetMessageQueue().Peek(peeked, PM_NOREMOVE)) {
            if (peeked.message == WM_QUIT) {
                // Leave the quit request for PumpMessage to take.
            } else if (IsIdleMessage(&peeked)) {
                idle = true;
                idleCount = 0;
            }
        }
        if (!PumpMessage()) {
            return ExitInstance();
        }
    }
}

CWinApp::CWinApp(const char* lpszAppName)
{
    m_pszAppName = lpszAppName != nullptr ? lpszAppName : "";
    AppSlot() = this;
}

CWinApp::~CWinApp()
{
    if (AppSlot() == this) {
        AppSlot() = nullptr;
    }
}

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

int PumpPendingMessages()
{
    int delivered = 0;
    MSG msg;
    CWinApp* app = AfxGetApp();
    while (GetMessageQueue().Peek(msg, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT) {
            break;
        }
        GetMessageQueue().Peek(msg, PM_REMOVE);
        if (app == nullptr || !app->PreTranslateMessage(&msg)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
        ++delivered;
    }
    return delivered;
}
