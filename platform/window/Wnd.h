#pragma once

// Windows of the headless user interface. A window is a tree node with an id, a text, a
// rectangle and state (visible, enabled, focus, capture, z-order); it receives messages
// synchronously (SendMessage) or through the queue (PostMessage) and handles them through its
// class's handler table. Nothing is drawn unless a window host supplies device contexts.
//
// Coordinates: a top-level window's rectangle is in screen coordinates, a child's in its
// parent's client coordinates; windows have no frame, so the client area is the whole window.
// Children are kept in z-order, topmost first; a new child goes to the bottom.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window/CmdTarget.h"
#include "platform/window/Input.h"
#include "platform/window/MessageQueue.h"
#include "platform/window/Messages.h"

class CMenu;
class CDC;
class CFont;
struct CCreateContext;

struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    CWnd* pParent = nullptr;
    UINT id = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    DWORD style = 0;
    DWORD dwExStyle = 0;
    std::string name;
    std::string className;
};
using LPCREATESTRUCT = CREATESTRUCT*;

struct PAINTSTRUCT {
    CDC* hdc = nullptr;
    CRect rcPaint;
    BOOL fErase = FALSE;
};

// GetWindow relations.
enum : UINT {
    GW_HWNDFIRST = 0,
    GW_HWNDLAST = 1,
    GW_HWNDNEXT = 2,
    GW_HWNDPREV = 3,
    GW_OWNER = 4,
    GW_CHILD = 5
};

// Window show states beyond visible/hidden.
enum class ShowState { Normal, Minimized, Maximized };

// Z-order places for SetWindowPos.
extern const CWnd wndTop;
extern const CWnd wndBottom;

class CWnd : public CCmdTarget {
public:
    CWnd();
    // Destroys the window when it still exists (the handlers of derived classes no longer run
    // by then; destroy windows explicitly when their WM_DESTROY handling matters).
    ~CWnd() override;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The live window of a handle, or null for a destroyed or unknown one.
    static CWnd* FromHandle(HWND hwnd);
    static CWnd* FromHandlePermanent(HWND hwnd) { return FromHandle(hwnd); }

    // --- creation and destruction ---------------------------------------------------------
    // Not virtual: each window kind offers the creation arguments that suit it.
    BOOL Create(const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle, const CRect& rect,
                CWnd* pParentWnd, UINT nID, CCreateContext* pContext = nullptr);
    BOOL CreateEx(DWORD dwExStyle, const char* lpszClassName, const char* lpszWindowName, DWORD dwStyle,
                  const CRect& rect, CWnd* pParentWnd, UINT nID, void* lpParam = nullptr);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // WM_DESTROY reaches this window before its children; owned windows go first.
    virtual BOOL DestroyWindow();
    // Last call after destruction; a window that deletes itself does so here.
    virtual void PostNcDestroy() {}

    // --- tree -----------------------------------------------------------------------------
    CWnd* GetParent() const;
    CWnd* SetParent(CWnd* pNewParent);
    CWnd* GetOwner() const;
    void SetOwner(CWnd* pOwner);
    CWnd* GetTopLevelParent() const;
    BOOL IsChild(const CWnd* pWnd) const;
    // Children in z-order, topmost first.
    std::vector<CWnd*> GetChildren() const;
    CWnd* GetWindow(UINT nCmd) const;
    CWnd* GetTopWindow() const { return GetWindow(GW_CHILD); }
    CWnd* GetNextWindow(UINT nFlag = GW_HWNDNEXT) const { return GetWindow(nFlag); }
    CWnd* GetDlgItem(int nID) const;
    CWnd* GetDescendantWindow(int nID, BOOL bOnlyPerm = FALSE) const;
    int GetDlgCtrlID() const { return static_cast<int>(id_); }
    int SetDlgCtrlID(int nID);
    // The deepest visible child whose rectangle holds the point (client coordinates) and
    // that takes the pointer there, or this window.
    CWnd* ChildFromPoint(CPoint clientPoint);
    // False where the pointer passes through the window to what lies under it (a group box's
    // inside, the list area of a closed drop-down): client coordinates.
    virtual BOOL TakesPointerAt(CPoint /*clientPoint*/) const { return TRUE; }

    // --- text, class, style ---------------------------------------------------------------
    void SetWindowText(const std::string& text);
    std::string GetWindowText() const;
    void GetWindowText(std::string& text) const { text = GetWindowText(); }
    int GetWindowTextLength() const;
    std::string GetClassName() const { return className_; }
    DWORD GetStyle() const { return style_; }
    DWORD GetExStyle() const { return exStyle_; }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);

    // --- geometry -------------------------------------------------------------------------
    void GetWindowRect(CRect* rect) const;
    void GetClientRect(CRect* rect) const;
    CRect GetRectInParent() const { return rect_; }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE);
    void MoveWindow(const CRect& rect, BOOL bRepaint = TRUE);
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags);
    void ClientToScreen(CPoint* point) const;
    void ClientToScreen(CRect* rect) const;
    void ScreenToClient(CPoint* point) const;
    void ScreenToClient(CRect* rect) const;
    void MapWindowPoints(const CWnd* pTo, CRect* rect) const;
    void CenterWindow(CWnd* pAlternateOwner = nullptr);
    void BringWindowToTop();

    // --- state ----------------------------------------------------------------------------
    BOOL ShowWindow(int nCmdShow);
    // Visible means this window and every ancestor are shown.
    BOOL IsWindowVisible() const;
    ShowState GetShowState() const { return showState_; }
    BOOL IsZoomed() const { return showState_ == ShowState::Maximized; }
    BOOL IsIconic() const { return showState_ == ShowState::Minimized; }
    // Returns whether the window was disabled before.
    BOOL EnableWindow(BOOL bEnable = TRUE);
    BOOL IsWindowEnabled() const { return (style_ & WS_DISABLED) == 0; }
    // Whether input reaches the window: it and every window it lies in are enabled (a window
    // behind a modal dialog lies in a disabled one).
    bool TakesInput() const;
    CWnd* SetFocus();
    static CWnd* GetFocus();
    CWnd* SetCapture();
    static CWnd* GetCapture();
    CWnd* SetActiveWindow();
    static CWnd* GetActiveWindow();
    void DragAcceptFiles(BOOL bAccept = TRUE) { acceptFiles_ = bAccept != FALSE; }
    bool AcceptsFiles() const { return acceptFiles_; }

    // --- messages -------------------------------------------------------------------------
    // User-interface thread only; other threads post.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL bDeep = TRUE);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // WM_COMMAND: the child that sent it may take it back (OnChildNotify), then the tables.
    // Menu and accelerator commands whose update handler disables them are ignored.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A control's chance to handle the notification it sent to its parent.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    // --- modal loops ----------------------------------------------------------------------
    // Delivers messages (with idle work in between) until EndModalLoop is called for this
    // window, the window is destroyed, or the program quits (the quit request is then left
    // for the outer loop). Returns the result given to EndModalLoop (-1 otherwise).
    int RunModalLoop();
    void EndModalLoop(int nResult);
    BOOL ContinueModal() const { return m_hWnd != nullptr && modalLoops_ > 0 && !modalEnded_; }
    int ModalLevel() const { return modalLoops_; }

    // --- timers ---------------------------------------------------------------------------
    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, void* lpfnTimer = nullptr);
    BOOL KillTimer(UINT_PTR nIDEvent);

    // --- painting -------------------------------------------------------------------------
    void Invalidate(BOOL bErase = TRUE);
    void InvalidateRect(const CRect* rect, BOOL bErase = TRUE);
    void ValidateRect(const CRect* rect);
    BOOL GetUpdateRect(CRect* rect, BOOL bErase = FALSE) const;
    // Paints now when the window has an invalid area.
    void UpdateWindow();
    BOOL RedrawWindow(const CRect* rect = nullptr, UINT flags = 0);
    CDC* BeginPaint(PAINTSTRUCT* ps);
    void EndPaint(PAINTSTRUCT* ps);
    CDC* GetDC();
    int ReleaseDC(CDC* pDC);
    // How many times the window received WM_PAINT (a cheap way for tests to see repaints).
    int PaintCount() const { return paintCount_; }
    // Turned off by WM_SETREDRAW FALSE; invalidation is then ignored.
    bool RedrawEnabled() const { return redraw_; }

    // --- menus and message boxes ----------------------------------------------------------
    CMenu* GetMenu() const { return menu_; }
    BOOL SetMenu(CMenu* pMenu);
    void DrawMenuBar();
    int DrawMenuBarCount() const { return drawMenuBarCount_; }
    int MessageBox(const std::string& text, const char* caption = nullptr, UINT type = MB_OK);

    // --- fonts and dialog items (the dialog layer) -----------------------------------------
    // WM_SETFONT / WM_GETFONT; a plain window keeps the font it was given (borrowed).
    void SetFont(CFont* pFont, BOOL bRedraw = TRUE);
    CFont* GetFont() const;
    // Takes the place of the parent's item with this id (see the dialog layer).
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);

protected:
    // Default handling of WM_PAINT: paints nothing but validates.
    void OnPaint();

private:
    friend class WindowRegistry;
    friend void DestroyTree(CWnd&);

    void DetachFromParent();
    void InvalidateAll();

    UINT id_ = 0;
    std::string text_;
    std::string className_;
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    CRect rect_; // in parent client coordinates (screen for top-level)
    CWnd* parent_ = nullptr;
    CWnd* owner_ = nullptr;
    std::vector<CWnd*> children_; // topmost first
    ShowState showState_ = ShowState::Normal;
    bool acceptFiles_ = false;
    bool redraw_ = true;
    bool destroying_ = false;
    bool everCreated_ = false;
    CRect update_; // invalid area in client coordinates, empty when valid
    bool erase_ = false;
    int paintCount_ = 0;
    CMenu* menu_ = nullptr;
    int drawMenuBarCount_ = 0;
    CFont* font_ = nullptr;
    std::uint64_t serial_ = 0; // creation order, used to paint parents before children
    int modalLoops_ = 0;
    bool modalEnded_ = false;
    int modalResult_ = -1;
};

// Free functions on handles (any thread for PostMessage / IsWindow).
LRESULT SendMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
BOOL PostMessage(HWND hwnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// A message of the person's input (a key, a button, the pointer), posted with the modifier
// keys held now (see HeldKeys in Input.h).
BOOL PostInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int nExitCode);
// The queue as message loops written against the system read it: a window and a message range
// narrow what is taken (null and 0, 0 take everything); GetMessage waits and returns FALSE for
// the quit request.
BOOL GetMessage(MSG* pMsg, HWND hwnd, UINT first, UINT last);
BOOL PeekMessage(MSG* pMsg, HWND hwnd, UINT first, UINT last, UINT removeFlags);
BOOL ReleaseCapture();
BOOL IsWindow(HWND hwnd);
// Delivers a message taken from the queue to its window; WM_PAINT is always followed by
// validation so a handler that forgets to paint cannot make the queue spin.
LRESULT DispatchMessage(const MSG* pMsg);
// Adds WM_CHAR for a WM_KEYDOWN of a key that types a character.
BOOL TranslateMessage(const MSG* pMsg);

// The live windows, for tests and for the reset between tests.
std::size_t LiveWindowCount();
std::vector<CWnd*> TopLevelWindows();
// Destroys every remaining window and forgets focus, capture and activation.
void ResetWindows();

// Cracked handler forms that need CWnd to be complete.
template <class T> ui::MessageMapBuilder<T>& ui::MessageMapBuilder<T>::OnFocus(UINT msg, void (T::*fn)(CWnd*))
{
    return AddMessage(msg, [fn](CCmdTarget& t, WPARAM w, LPARAM) {
        (Self(t).*fn)(CWnd::FromHandle(reinterpret_cast<HWND>(w)));
        return LRESULT(0);
    });
}

template <class T>
ui::MessageMapBuilder<T>& ui::MessageMapBuilder<T>::OnContextMenu(void (T::*fn)(CWnd*, CPoint))
{
    return AddMessage(WM_CONTEXTMENU, [fn](CCmdTarget& t, WPARAM w, LPARAM l) {
        (Self(t).*fn)(CWnd::FromHandle(reinterpret_cast<HWND>(w)), LParamToPoint(l));
        return LRESULT(0);
    });
}

template <class T>
ui::MessageMapBuilder<T>& ui::MessageMapBuilder<T>::OnScroll(UINT msg, void (T::*fn)(UINT, UINT, CWnd*))
{
    return AddMessage(msg, [fn](CCmdTarget& t, WPARAM w, LPARAM l) {
        (Self(t).*fn)(LOWORD(w), HIWORD(w), CWnd::FromHandle(reinterpret_cast<HWND>(l)));
        return LRESULT(0);
    });
}
