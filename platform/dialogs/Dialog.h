#pragma once

#include "platform/dialogs/DataExchange.h"
#include "platform/dialogs/DialogTemplate.h"
#include "platform/drawing/Font.h"
#include "platform/window/Wnd.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using INT_PTR = std::intptr_t;

// Dialogs made from templates, modal or modeless. A modal dialog disables its owner, runs a
// nested message loop on the user-interface queue and returns the id it was ended with; the
// owner is enabled again before the dialog window goes. Enter presses the default button
// (IDOK unless set otherwise), Escape sends IDCANCEL and Tab moves between tab stops, unless
// the control with the focus asks for the key itself.
class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modeless.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL CreateIndirect(const DialogTemplate& dialog, CWnd* parent = nullptr);
    // Modal.
    BOOL InitModalIndirect(const DialogTemplate& dialog, CWnd* parent = nullptr);
    virtual INT_PTR DoModal();
    // Ends a modal loop with this result; a modeless dialog is only hidden.
    void EndDialog(int result);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange*) {}

    void SetDefID(UINT id) { m_defId = id; }
    DWORD GetDefID() const { return m_defId; }
    void NextDlgCtrl();
    void PrevDlgCtrl();
    void GotoDlgCtrl(CWnd* control);

    // Item helpers.
    void SetDlgItemText(int id, const std::string& text);
    std::string GetDlgItemText(int id) const;
    int GetDlgItemText(int id, std::string& text) const;
    void SetDlgItemInt(int id, int value, BOOL isSigned = TRUE);
    int GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId) const;
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

    UINT GetTemplateId() const { return m_templateId; }
    const DialogTemplate* GetTemplate() const;
    CFont* GetDialogFont() { return &m_font; }
    bool IsModal() const { return m_modal; }
    bool IsEnded() const { return m_ended; }
    INT_PTR GetResult() const { return m_result; }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Makes the window and its controls from the template and runs OnInitDialog.
    BOOL CreateFromTemplate(const DialogTemplate& dialog, CWnd* parent, bool child);
    // Handles the dialog keys for a key press inside this dialog.
    bool HandleDialogKey(MSG* pMsg);
    void MoveFocus(bool backwards);

    CWnd* m_pParentWnd = nullptr;
    UINT m_templateId = 0;
    std::unique_ptr<DialogTemplate> m_indirect;

    DECLARE_MESSAGE_MAP()

private:
    void OnOkCommand() { OnOK(); }
    void OnCancelCommand() { OnCancel(); }

    CFont m_font;
    UINT m_defId = IDOK;
    bool m_modal = false;
    bool m_ended = false;
    INT_PTR m_result = -1;
};

namespace ui {

// Test and automation hooks: "when dialog N opens, do this". A hook runs once the dialog is
// initialised (inside the modal loop for a modal dialog). Without a hook, a modal dialog that
// nothing can end any more (no hook, no queued work) is ended with IDCANCEL and recorded, so
// a headless run never hangs on a prompt nobody answers.
using DialogHook = std::function<void(CDialog&)>;
void SetDialogHook(UINT templateId, DialogHook hook);
// For dialogs built from in-memory templates and for sheets: by caption.
void SetDialogHookByCaption(const std::string& caption, DialogHook hook);
void ResetDialogHooks();
// Template ids (or captions) of the dialogs opened so far, and the modal ones that stalled.
const std::vector<std::string>& OpenedDialogs();
const std::vector<std::string>& UnansweredDialogs();
// With waiting on, a modal loop blocks for input as an interactive front end needs.
void SetModalLoopWaits(bool wait);
bool ModalLoopWaits();
// Runs the hook for a dialog that has just opened; false when there is none.
bool RunDialogHook(CDialog& dialog, const std::string& key);
// The nested loop of a modal window: runs until `ended` says so.
void RunModalLoop(CWnd& modal, const std::function<bool()>& ended, const std::string& key);

// The owner of a modal window: the top-level window of its parent, else the main window. While
// the modal window is open, the top window of the owner's owners (the frame) and every window
// that one owns (its palette, browser and property panels, the owner among them) are disabled,
// as the class library's frames do, so that nothing changes the document under the modal
// window; Restore (at the latest when this goes) enables again those that were enabled before
// and have not gone meanwhile.
class ModalOwner {
public:
    explicit ModalOwner(CWnd* parent);
    ~ModalOwner() { Restore(); }
    ModalOwner(const ModalOwner&) = delete;
    ModalOwner& operator=(const ModalOwner&) = delete;
    CWnd* Window() const { return CWnd::FromHandle(m_owner); }
    void Restore();

private:
    HWND m_owner = nullptr;
    std::vector<HWND> m_disabled; // in the order this disabled them
};

// The rest of a modal window's life once it is open: its loop unless it has ended already, a
// cancel when the loop stalls, the owner given back before the window goes (so that it can
// take the focus), then the window destroyed.
void FinishModal(CWnd& modal, const bool& ended, const std::function<void()>& cancel, const std::string& key,
                 ModalOwner& owner);
// The dialog manager's keys for a top-level window of controls: Tab moves between tab stops
// (also inside nested control parents), Enter presses the default id and Escape sends
// IDCANCEL when the window has buttons, unless the focused control asks for the key.
bool HandleDialogKey(CWnd& top, MSG* pMsg, int defaultId, bool buttons);
void MoveDialogFocus(CWnd& top, bool backwards);
// Whether a message is for a top-level window of controls to pre-translate: the window is
// no child (nested dialogs leave the keys to the one at the top) and the message is for it
// or one of its descendants.
bool IsForTopLevelDialog(CWnd& top, const MSG* pMsg);
// The dialog face: the client area in the button colour.
void PaintDialogFace(CWnd& window);
// Gives a control the focus as the dialog keys do: an edit selects its whole text.
void FocusDialogControl(CWnd& control);
// Key of a dialog in the hook table and the log.
std::string DialogKey(UINT templateId, const std::string& caption);

} // namespace ui
