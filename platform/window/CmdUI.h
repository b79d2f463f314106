#pragma once

// Update requests for commands: before a menu opens and while the program is idle, every
// command's user-interface element (menu item, toolbar button, status pane, dialog control)
// asks the command targets whether it is enabled, checked, or what its text is.

#include <optional>
#include <string>

#include "platform/window/Messages.h"

class CCmdTarget;
class CMenu;
class CWnd;

class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate.
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(const std::string& text);
    // Lets a handler pass the request on to the next target in the route.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Routes the request through `pTarget`; with `bDisableIfNoHndler` an element whose command
    // nobody handles is disabled.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;
    UINT m_nIndexMax = 0;
    CMenu* m_pMenu = nullptr;    // the menu whose item is updated, or null
    CMenu* m_pSubMenu = nullptr; // set when the item opens a submenu
    CWnd* m_pOther = nullptr;    // the window (bar, control) whose element is updated, or null
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
};

// Records the answers instead of applying them: used to ask whether a command is enabled
// before running it, and by tests.
class CCmdUIProbe : public CCmdUI {
public:
    void Enable(BOOL bOn = TRUE) override;
    void SetCheck(int nCheck = 1) override;
    void SetRadio(BOOL bOn = TRUE) override;
    void SetText(const std::string& text) override;

    bool enabled = true;
    std::optional<int> check;
    std::optional<bool> radio;
    std::optional<std::string> text;
};

// True when the command id, routed through `target`, is handled and not disabled.
bool IsCommandEnabled(CCmdTarget& target, UINT nID);
