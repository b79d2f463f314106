#pragma once

// The application object and the user-interface thread's message loop.

#include <string>

#include "platform/CmdTarget.h"
#include "platform/Messages.h"

class CWnd;

class CWinThread : public CCmdTarget {
public:
    CWinThread() = default;

    virtual BOOL InitInstance() { return TRUE; }
    virtual int ExitInstance();
    // The message loop: runs idle work whenever the queue is empty, ends at WM_QUIT and returns
    // ExitInstance's value.
    virtual int Run();
    // Takes one message (waiting for it) and delivers it; false at WM_QUIT.
    virtual BOOL PumpMessage();
    // Frame and view get the first look at a message (accelerators, dialog keys); true when
    // they used it.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Idle work; lCount counts the calls since the last message. Returns true for more.
    virtual BOOL OnIdle(long lCount);
    virtual BOOL IsIdleMessage(MSG* pMsg);

    CWnd* m_pMainWnd = nullptr;
    int m_nExitCode = 0;
};

class CWinApp : public CWinThread {
public:
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    std::string m_pszAppName;

    DECLARE_MESSAGE_MAP()
};

// The application object (registered by its constructor) and its main window.
CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
// Runs the loop of the application's thread until the queue is empty (tests); returns the
// number of messages delivered.
int PumpPendingMessages();
