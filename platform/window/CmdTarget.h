#pragma once

// Command targets and their per-class handler tables. Every class that handles messages,
// commands or notifications keeps one static table that points at its base class's table;
// dispatch walks from the most derived table to the root, so a derived class's entry hides
// the base's entry for the same message or command.
//
// A table is written next to the class's code:
//
//     BEGIN_MESSAGE_MAP(CMyFrame, CFrameWnd)
//         .OnSize(&CMyFrame::OnSize)
//         .Command(ID_FILE_NEW, &CMyFrame::OnFileNew)
//         .UpdateCommandUI(ID_FILE_SAVE, &CMyFrame::OnUpdateFileSave)
//     END_MESSAGE_MAP()
//
// and declared in the class with DECLARE_MESSAGE_MAP().

#include <functional>
#include <vector>

#include "platform/window/Messages.h"

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
struct CREATESTRUCT;

// Passed with a WM_NOTIFY routed as a command.
struct AFX_NOTIFY {
    LRESULT* pResult = nullptr;
    NMHDR* pNMHDR = nullptr;
};

// Filled instead of calling the handler when a caller only asks whether one exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

// Packs a WM_NOTIFY code into the code argument of OnCmdMsg.
constexpr int NotifyCmdCode(UINT notifyCode)
{
    return static_cast<int>((notifyCode & 0xFFFF) | (static_cast<UINT>(WM_NOTIFY) << 16));
}

namespace ui {

enum class EntryKind {
    Message,  // any window message by number
    Command,  // WM_COMMAND from a menu, accelerator or control, by id range and code
    UpdateUI, // update request for a command id range
    Notify,   // WM_NOTIFY by id range and code
};

struct MessageMapEntry {
    EntryKind kind = EntryKind::Message;
    UINT message = 0; // Message entries
    UINT code = 0;    // Command: notification code (0 for menus and clicks); Notify: notify code
    UINT idFirst = 0;
    UINT idLast = 0;
    std::function<LRESULT(CCmdTarget&, WPARAM, LPARAM)> onMessage;
    // Returns false when the handler declines the command (so routing goes on).
    std::function<bool(CCmdTarget&, UINT)> onCommand;
    std::function<void(CCmdTarget&, CCmdUI*)> onUpdate;
    // Returns false when the handler declines the notification.
    std::function<bool(CCmdTarget&, UINT, NMHDR*, LRESULT*)> onNotify;
};

struct MessageMap {
    const MessageMap* base = nullptr;
    std::vector<MessageMapEntry> entries;
};

// Builds the table of class T. Every handler is a member function of T.
template <class T> class MessageMapBuilder {
public:
    explicit MessageMapBuilder(const MessageMap* base) { map_.base = base; }

    MessageMap Build() { return std::move(map_); }

    // Any message, raw arguments.
    MessageMapBuilder& Message(UINT msg, LRESULT (T::*fn)(WPARAM, LPARAM))
    {
        return AddMessage(msg, [fn](CCmdTarget& t, WPARAM w, LPARAM l) { return (Self(t).*fn)(w, l); });
    }
    MessageMapBuilder& Message(UINT msg, void (T::*fn)())
    {
        return AddMessage(msg, [fn](CCmdTarget& t, WPARAM, LPARAM) {
            (Self(t).*fn)();
            return LRESULT(0);
        });
    }

    // Commands (menus, accelerators, toolbar buttons, and control notifications by code).
    MessageMapBuilder& Command(UINT id, void (T::*fn)()) { return Control(0, id, fn); }
    MessageMapBuilder& CommandEx(UINT id, BOOL (T::*fn)(UINT))
    {
        return AddCommand(0, id, id, [fn](CCmdTarget& t, UINT n) { return (Self(t).*fn)(n) != FALSE; });
    }
    MessageMapBuilder& CommandExRange(UINT first, UINT last, BOOL (T::*fn)(UINT))
    {
        return AddCommand(0, first, last, [fn](CCmdTarget& t, UINT n) { return (Self(t).*fn)(n) != FALSE; });
    }
    MessageMapBuilder& CommandRange(UINT first, UINT last, void (T::*fn)(UINT))
    {
        return AddCommand(0, first, last, [fn](CCmdTarget& t, UINT n) {
            (Self(t).*fn)(n);
            return true;
        });
    }
    MessageMapBuilder& Control(UINT code, UINT id, void (T::*fn)())
    {
        return AddCommand(code, id, id, [fn](CCmdTarget& t, UINT) {
            (Self(t).*fn)();
            return true;
        });
    }
    MessageMapBuilder& ControlRange(UINT code, UINT first, UINT last, void (T::*fn)(UINT))
    {
        return AddCommand(code, first, last, [fn](CCmdTarget& t, UINT n) {
            (Self(t).*fn)(n);
            return true;
        });
    }

    MessageMapBuilder& UpdateCommandUI(UINT id, void (T::*fn)(CCmdUI*))
    {
        return UpdateCommandUIRange(id, id, fn);
    }
    MessageMapBuilder& UpdateCommandUIRange(UINT first, UINT last, void (T::*fn)(CCmdUI*))
    {
        MessageMapEntry e;
        e.kind = EntryKind::UpdateUI;
        e.idFirst = first;
        e.idLast = last;
        e.onUpdate = [fn](CCmdTarget& t, CCmdUI* ui) { (Self(t).*fn)(ui); };
        map_.entries.push_back(std::move(e));
        return *this;
    }

    MessageMapBuilder& Notify(UINT code, UINT id, void (T::*fn)(NMHDR*, LRESULT*))
    {
        return NotifyRange(code, id, id, [fn](T& t, UINT, NMHDR* h, LRESULT* r) { (t.*fn)(h, r); });
    }
    MessageMapBuilder& NotifyRange(UINT code, UINT first, UINT last, void (T::*fn)(UINT, NMHDR*, LRESULT*))
    {
        return NotifyRange(code, first, last,
                           [fn](T& t, UINT id, NMHDR* h, LRESULT* r) { (t.*fn)(id, h, r); });
    }

    // Cracked forms of the standard messages.
    MessageMapBuilder& OnCreate(int (T::*fn)(CREATESTRUCT*))
    {
        return AddMessage(WM_CREATE, [fn](CCmdTarget& t, WPARAM, LPARAM l) {
            return LRESULT((Self(t).*fn)(reinterpret_cast<CREATESTRUCT*>(l)));
        });
    }
    MessageMapBuilder& OnDestroy(void (T::*fn)()) { return Message(WM_DESTROY, fn); }
    MessageMapBuilder& OnClose(void (T::*fn)()) { return Message(WM_CLOSE, fn); }
    MessageMapBuilder& OnPaint(void (T::*fn)()) { return Message(WM_PAINT, fn); }
    MessageMapBuilder& OnSize(void (T::*fn)(UINT, int, int))
    {
        return AddMessage(WM_SIZE, [fn](CCmdTarget& t, WPARAM w, LPARAM l) {
            (Self(t).*fn)(static_cast<UINT>(w), LOWORD(static_cast<std::uintptr_t>(l)),
                          HIWORD(static_cast<std::uintptr_t>(l)));
            return LRESULT(0);
        });
    }
    MessageMapBuilder& OnMove(void (T::*fn)(int, int))
    {
        return AddMessage(WM_MOVE, [fn](CCmdTarget& t, WPARAM, LPARAM l) {
            (Self(t).*fn)(GET_X_LPARAM(l), GET_Y_LPARAM(l));
            return LRESULT(0);
        });
    }
    MessageMapBuilder& OnShowWindow(void (T::*fn)(BOOL, UINT))
    {
        return AddMessage(WM_SHOWWINDOW, [fn](CCmdTarget& t, WPARAM w, LPARAM l) {
            (Self(t).*fn)(static_cast<BOOL>(w), static_cast<UINT>(l));
            return LRESULT(0);
        });
    }
    MessageMapBuilder& OnActivateApp(void (T::*fn)(BOOL, DWORD))
    {
        return AddMessage(WM_ACTIVATEAPP, [fn](CCmdTarget& t, WPARAM w, LPARAM l) {
            (Self(t).*fn)(static_cast<BOOL>(w), static_cast<DWORD>(l));
            return LRESULT(0);
        });
    }
    MessageMapBuilder& OnTimer(void (T::*fn)(std::uintptr_t))
    {
        return AddMessage(WM_TIMER, [fn](CCmdTarget& t, WPARAM w, LPARAM) {
            (Self(t).*fn)(w);
            return LRESULT(0);
        });
    }
    MessageMapBuilder& OnEraseBkgnd(BOOL (T::*fn)(CDC*))
    {
        return AddMessage(WM_ERASEBKGND, [fn](CCmdTarget& t, WPARAM w, LPARAM) {
            return LRESULT((Self(t).*fn)(reinterpret_cast<CDC*>(w)));
        });
    }
    MessageMapBuilder& OnMouse(UINT msg, void (T::*fn)(UINT, CPoint))
    {
        return AddMessage(msg, [fn](CCmdTarget& t, WPARAM w, LPARAM l) {
            (Self(t).*fn)(static_cast<UINT>(w), LParamToPoint(l));
            return LRESULT(0);
        });
    }
    MessageMapBuilder& OnLButtonDown(void (T::*fn)(UINT, CPoint)) { return OnMouse(WM_LBUTTONDOWN, fn); }
    MessageMapBuilder& OnLButtonUp(void (T::*fn)(UINT, CPoint)) { return OnMouse(WM_LBUTTONUP, fn); }
    MessageMapBuilder& OnLButtonDblClk(void (T::*fn)(UINT, CPoint)) { return OnMouse(WM_LBUTTONDBLCLK, fn); }
    MessageMapBuilder& OnRButtonDown(void (T::*fn)(UINT, CPoint)) { return OnMouse(WM_RBUTTONDOWN, fn); }
    MessageMapBuilder& OnRButtonUp(void (T::*fn)(UINT, CPoint)) { return OnMouse(WM_RBUTTONUP, fn); }
    MessageMapBuilder& OnMouseMove(void (T::*fn)(UINT, CPoint)) { return OnMouse(WM_MOUSEMOVE, fn); }
    MessageMapBuilder& OnKey(UINT msg, void (T::*fn)(UINT, UINT, UINT))
    {
        return AddMessage(msg, [fn](CCmdTarget& t, WPARAM w, LPARAM l) {
            const auto bits = static_cast<std::uintptr_t>(l);
            (Self(t).*fn)(static_cast<UINT>(w), LOWORD(bits), HIWORD(bits));
            return LRESULT(0);
        });
    }
    MessageMapBuilder& OnKeyDown(void (T::*fn)(UINT, UINT, UINT)) { return OnKey(WM_KEYDOWN, fn); }
    MessageMapBuilder& OnKeyUp(void (T::*fn)(UINT, UINT, UINT)) { return OnKey(WM_KEYUP, fn); }
    MessageMapBuilder& OnChar(void (T::*fn)(UINT, UINT, UINT)) { return OnKey(WM_CHAR, fn); }
    MessageMapBuilder& OnFocus(UINT msg, void (T::*fn)(CWnd*));
    MessageMapBuilder& OnSetFocus(void (T::*fn)(CWnd*)) { return OnFocus(WM_SETFOCUS, fn); }
    MessageMapBuilder& OnKillFocus(void (T::*fn)(CWnd*)) { return OnFocus(WM_KILLFOCUS, fn); }
    MessageMapBuilder& OnContextMenu(void (T::*fn)(CWnd*, CPoint));
    // The handler gets the control that scrolled (a scroll bar, slider or up-down control), or
    // null for the window's own scroll bars, so that a page can tell its controls apart.
    MessageMapBuilder& OnScroll(UINT msg, void (T::*fn)(UINT, UINT, CWnd*));
    MessageMapBuilder& OnHScroll(void (T::*fn)(UINT, UINT, CWnd*)) { return OnScroll(WM_HSCROLL, fn); }
    MessageMapBuilder& OnVScroll(void (T::*fn)(UINT, UINT, CWnd*)) { return OnScroll(WM_VSCROLL, fn); }

private:
    static T& Self(CCmdTarget& t) { return static_cast<T&>(t); }

    MessageMapBuilder& AddMessage(UINT msg, std::function<LRESULT(CCmdTarget&, WPARAM, LPARAM)> fn)
    {
        MessageMapEntry e;
        e.kind = EntryKind::Message;
        e.message = msg;
        e.onMessage = std::move(fn);
        map_.entries.push_back(std::move(e));
        return *this;
    }
    MessageMapBuilder& AddCommand(UINT code, UINT first, UINT last, std::function<bool(CCmdTarget&, UINT)> fn)
    {
        MessageMapEntry e;
        e.kind = EntryKind::Command;
        e.code = code;
        e.idFirst = first;
        e.idLast = last;
        e.onCommand = std::move(fn);
        map_.entries.push_back(std::move(e));
        return *this;
    }
    template <class F> MessageMapBuilder& NotifyRange(UINT code, UINT first, UINT last, F call)
    {
        MessageMapEntry e;
        e.kind = EntryKind::Notify;
        e.code = code;
        e.idFirst = first;
        e.idLast = last;
        e.onNotify = [call](CCmdTarget& t, UINT id, NMHDR* h, LRESULT* r) {
            call(Self(t), id, h, r);
            return true;
        };
        map_.entries.push_back(std::move(e));
        return *this;
    }

    MessageMap map_;
};

} // namespace ui

// The base of everything that receives commands: windows, documents, the application.
class CCmdTarget {
public:
    CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;
    virtual ~CCmdTarget() = default;

    // Looks for a command (nCode 0 or a control notification), an update request
    // (CN_UPDATE_COMMAND_UI with the CCmdUI in pExtra) or a notification (NotifyCmdCode with
    // an AFX_NOTIFY in pExtra) in this object's tables. With pHandlerInfo it only reports
    // whether a handler exists. Derived classes extend the search to other targets.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    virtual const ui::MessageMap* GetMessageMap() const { return GetThisMessageMap(); }

    // The wait cursor while a long operation runs; calls nest.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

protected:
    static const ui::MessageMap* GetThisMessageMap();
    // Runs the handler of a plain message from this object's tables; false when none.
    bool DispatchToMap(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
};

#define DECLARE_MESSAGE_MAP()                                                                                \
protected:                                                                                                   \
    static const ::ui::MessageMap* GetThisMessageMap();                                                      \
                                                                                                             \
public:                                                                                                      \
    const ::ui::MessageMap* GetMessageMap() const override                                                   \
    {                                                                                                        \
        return GetThisMessageMap();                                                                          \
    }                                                                                                        \
                                                                                                             \
private:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                               \
    const ::ui::MessageMap* theClass::GetThisMessageMap()                                                    \
    {                                                                                                        \
        static const ::ui::MessageMap map = ::ui::MessageMapBuilder<theClass>(baseClass::GetThisMessageMap())

#define END_MESSAGE_MAP()                                                                                    \
    .Build();                                                                                                \
    return &map;                                                                                             \
    }
