#pragma once

// Blocks of controls that many component pages repeat, written once: a value that is typed or
// linked to cells, a read-only range with its link button, a number edited in place, and a
// text that is either typed or taken from a cell. A page owns the blocks, attaches each to its
// dialog items when it opens and forwards their events; the block writes the parameter and
// tells the owner.

#include "platform/controls/InPlaceEdit.h"
#include "propui/ColorButton.h"
#include "platform/dialogs/DialogTemplate.h"

#include <functional>
#include <string>

class CComponentPage;
class CParameter;
struct CRangeCheck;
class CParameterSet;

namespace pages {

// Styles the page templates use.
constexpr DWORD kTab = WS_VISIBLE | WS_TABSTOP;
constexpr DWORD kCheckStyle = kTab | BS_AUTOCHECKBOX;
constexpr DWORD kRadioStyle = kTab | BS_AUTORADIOBUTTON;
constexpr DWORD kEditStyle = kTab | WS_BORDER | ES_AUTOHSCROLL;
constexpr DWORD kRangeStyle = WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | ES_READONLY | WS_DISABLED;
constexpr DWORD kLinkStyle = kTab | BS_BITMAP;
constexpr DWORD kGroupStyle = WS_VISIBLE | BS_GROUPBOX;
constexpr DWORD kLabelStyle = WS_VISIBLE;
constexpr DWORD kComboStyle = kTab | CBS_DROPDOWNLIST | WS_VSCROLL;
constexpr DWORD kColorStyle = kTab | BS_OWNERDRAW;
constexpr int kPageWidth = 255;
constexpr int kPageHeight = 200;

// An empty child-page template of the standard page size, with the page's id and tab caption.
DialogTemplate PageTemplate(int id, const char* caption);

// The set a page edits. Components with hand-made pages hand every page their whole set; the
// page then edits the group of its own name within it ("General", "Behavior", "Appearance").
CParameterSet* PageGroup(const CComponentPage& page, const char* groupName);

// A parameter of the component by key: at the top of its whole set or one group down (the
// shipped components keep every value inside a group).
CParameter* FindInComponent(const CParameterSet* root, const char* key);

// Lets the user pick the cells of a cell-binding parameter and re-reads the value from them.
// True when the binding changed (picked or cleared); a cancelled pick changes nothing. The
// caller tells the owner.
bool PickCells(CComponentPage& page, CParameter* parameter, int controlId, CWnd* edit, const CRangeCheck* check = nullptr);

// A value typed into an in-place edit or linked to cells with the link button beside it.
class CLinkedValueEdit {
public:
    struct Policy {
        // What typed text becomes: a string retyped to text (the default), or a value of the
        // parameter's own type.
        bool byType = false;
        // An empty text is not stored (the edit shows the stored value again) and the link stays.
        bool refuseEmpty = false;
        // After the link was cleared the value becomes the empty string.
        bool emptyOnClear = true;
        // Republish after a typed value; otherwise the document is only marked changed.
        bool republishTyped = true;
    };

    // Puts the in-place edit over dialog item editId and shows the value. A missing parameter
    // leaves the edit and link button disabled.
    void Attach(CComponentPage& page, CParameter* parameter, int editId, int linkId, Policy policy);
    void Show();
    // The link button: pick, refresh, tell the owner.
    void OnLink();
    // WM_INPLACE_NOTIFY for item standsFor: true when it was this edit's.
    bool OnCommit(int standsFor);
    void Enable(bool enable);

    CInPlaceEdit& Edit() { return m_edit; }
    CParameter* Parameter() const { return m_parameter; }
    int EditId() const { return m_editId; }

private:
    CComponentPage* m_page = nullptr;
    CParameter* m_parameter = nullptr;
    int m_editId = 0;
    int m_linkId = 0;
    Policy m_policy;
    CInPlaceEdit m_edit;
};

// A number typed in place of a template edit, kept within the parameter's range record (or 0 to
// 100 for integers and 0 to 9.9 for numbers without one), republished when committed.
class CNumberEdit {
public:
    // False when the parameter is missing or not a number; the edit is then disabled.
    bool Attach(CComponentPage& page, CParameter* parameter, int editId);
    bool OnCommit(int standsFor);
    void Enable(bool enable);
    bool IsAttached() const { return m_attached; }
    CInPlaceEdit& Edit() { return m_edit; }
    // Runs after a committed number was stored and before the owner is told, for pages that
    // copy it on to other parameters first.
    void SetAfterStore(std::function<void()> hook) { m_afterStore = std::move(hook); }

private:
    void Show();

    CComponentPage* m_page = nullptr;
    CParameter* m_parameter = nullptr;
    int m_editId = 0;
    bool m_attached = false;
    std::function<void()> m_afterStore;
    CInPlaceEdit m_edit;
};

// A cell-binding text that is either typed into a multi-line box or linked to a cell: two
// radio buttons choose which input is usable, typing removes the link, picking empties the box.
class CTextOrCell {
public:
    struct Ids {
        int linkRadio;
        int textRadio;
        int rangeEdit;
        int linkButton;
        int textBox;
    };
    void Attach(CComponentPage& page, CParameter* binding, Ids ids);
    void OnLinkMode();
    void OnTextMode();
    void OnLink();
    void OnTextChanged();

private:
    void SetMode(bool linked);

    CComponentPage* m_page = nullptr;
    CParameter* m_binding = nullptr;
    Ids m_ids{};
    bool m_filling = false;
};

// A colour that a check box switches on ("Show Custom Color" and its swatch): the swatch is
// usable only while the box's boolean is set (and an extra condition of the page holds).
class CCheckedColour {
public:
    void Attach(CComponentPage& page, CParameterSet* set, const char* checkKey, int checkId, const char* colourKey,
                int colourId);
    // Enables the swatch by the boolean and the page's extra condition.
    void Refresh(bool extra = true);
    // The check box was clicked: store, enable, tell the owner.
    void OnCheck(bool extra = true);
    void OnColour();
    CColorButton& Button() { return m_button; }

private:
    CComponentPage* m_page = nullptr;
    CParameterSet* m_set = nullptr;
    const char* m_checkKey = nullptr;
    const char* m_colourKey = nullptr;
    int m_checkId = 0;
    CColorButton m_button;
};

// Stores a check box's state (or its opposite) into a boolean parameter of the set; false when
// it is missing.
bool StoreCheck(CComponentPage& page, int checkId, CParameterSet* set, const char* key, bool negate = false);
// The same, then tells the owner when something was stored.
void StoreCheckAndRepublish(CComponentPage& page, int checkId, CParameterSet* set, const char* key);

} // namespace pages
