#pragma once

// The base of every component property page: the page's parameter group, the component's whole
// set and the canvas object to tell after each change, binders that show a parameter in a
// dialog control, the range pick that binds a parameter to cells, and F1 help.
//
// Pages have no Apply step: a handler writes the parameter at once and then tells the owner
// (NotifyOwnerChanged), which republishes the component on the stage.

#include <cstdint>
#include <string>

#include "platform/dialogs/PropertyPage.h"
#include "propui/PropertyOwner.h"

class CCellBinding;
class CColorButton;
class CInPlaceEdit;
class CParameter;
class CParameterSet;

// The checks a page asks of a picked range (its first area).
struct CRangeCheck {
    enum : std::int32_t {
        kSingleLine = 0x01, // one cell, one row or one column
        kExactCells = 0x02, // exactly `limit` cells
        kMaxCells = 0x04,   // at most `limit` cells
        kNoFormulas = 0x08, // no cell holding a formula
        kMaxRows = 0x10,    // at most `limit` rows
        kMaxColumns = 0x20, // at most `limit` columns
    };
    // Set: a failed check asks whether to keep the range anyway; clear: it refuses.
    bool askToContinue = false;
    std::int32_t checks = 0;
    std::uint32_t limit = 0;
    // Replaces the built-in text of a failed check; null for the built-in one.
    const char* message = nullptr;
};

// The parameter by key when the set holds it with the given type; null otherwise.
CParameter* FindTyped(const CParameterSet* set, const char* key, int type);

class CComponentPage : public CPropertyPage {
public:
    static constexpr const char* kHelpFile = "vantorel.chm";
    // The shipped help's contents page, in the installation folder (the program's working folder).
    static constexpr const char* kOnlineHelpUrl = "help/index.html";
    static constexpr const char* kNoModelText = "Please import a model or data before selecting a range.";
    static constexpr const char* kSingleLineText =
        "The reference is not valid. Data range selection for this parameter must be a single cell, row or column.";
    static constexpr const char* kExactCellsText =
        "The reference is not valid. Data range selection for this parameter must match the number of cells.";
    static constexpr const char* kMaxCellsText =
        "The reference is not valid. Data range selection for this parameter must not exceed n number of cells.";
    static constexpr const char* kMaxRowsText = "The reference is not valid. Data range selection for this "
                                                "parameter must not exceed the maximum number of rows.";
    static constexpr const char* kMaxColumnsText = "The reference is not valid. Data range selection for this "
                                                   "parameter must not exceed the maximum number of columns.";
    // Shown for a formula cell when the page gave no text of its own.
    static constexpr const char* kNoFormulasText =
        "The reference is not valid. Data range selection for this parameter must not contain formulas.";
    static constexpr const char* kContinueText = "\n\nDo you wish to continue?";

    CComponentPage();
    ~CComponentPage() override;

    // The dialog's own Create (template, parent) stays callable beside the page's; a page class
    // that overrides Create repeats this line, or the compiler warns that it hides the other.
    using CPropertyPage::Create;

    // Stores the group, the owner, the modal flag and the root set. Every page overrides it,
    // calls this first, then builds itself from its dialog template. The title is the tab's
    // text for pages that have no caption of their own.
    virtual BOOL Create(CParameterSet* group, const std::string& title, bool modal, IPropertyOwner* owner,
                        CParameterSet* root);
    // After the sheet was resized.
    virtual void OnSheetSize() = 0;
    // Tells the owner that a parameter changed: the component is republished on the stage and
    // the document counts as changed.
    virtual void NotifyOwnerChanged();
    // Lets the user pick the cells of a binding in the workbook window (see the .cpp); true
    // when the binding changed. The range text is shown in `edit`, else in item `controlId`.
    virtual BOOL SelectRange(CCellBinding* binding, int controlId, CWnd* edit, bool multipleAreas,
                             const CRangeCheck* constraints);
    // The help topic of the focused control; -1 for the file's default topic.
    virtual int GetHelpContextId();

    // A change that needs no republish still makes the document one to save.
    void MarkDocumentChanged();

    // The services of the sheet the page is in (set before Create).
    void SetContext(const CPropertyPageContext* context) { m_context = context; }
    const CPropertyPageContext* GetContext() const { return m_context; }

    CParameterSet* GetGroup() const { return m_group; }
    CParameterSet* GetRootSet() const { return m_root; }
    IPropertyOwner* GetOwner() const { return m_owner; }
    bool IsModalSheet() const { return m_modal; }
    const std::string& GetTabTitle() const { return m_tabTitle; }

    CPropertyMap* GetOwnerPropertyMap() const;
    // Empty without owner.
    std::string GetOwnerComponentType() const;

    // Binders: each finds the parameter by key (in the page's group, or in `set`) and shows it.
    // A parameter of another type than the control shows counts as missing. True when the
    // parameter was found.
    bool BindColorButton(const char* key, int controlId, CColorButton& button, bool hide);
    bool BindColorButtonInSet(const char* key, int controlId, CColorButton& button, CParameterSet* set, bool hide);
    bool BindCheckBox(const char* key, int controlId, bool hide);
    bool BindCheckBoxInSet(const char* key, int controlId, CParameterSet* set, bool hide);
    bool BindComboBox(const char* key, int controlId, bool hide);
    bool BindComboBoxInSet(const char* key, int controlId, CParameterSet* set, bool hide);
    // Stores the combo box's selected item as the choice's current value and tells the owner.
    // Nothing happens without a selection or without the parameter.
    void CommitComboBox(const char* key, int controlId);
    void CommitComboBoxInSet(const char* key, int controlId, CParameterSet* set);

    // Runs the colour dialog on the button's colour; on OK stores it in the parameter, tells
    // the owner and repaints the page. True on OK.
    bool OnColorButtonClicked(const char* key, CColorButton& button, CParameterSet* set);
    // Puts an in-place edit (page mode) in the place of dialog item `controlId`.
    BOOL ReplaceControl(CInPlaceEdit& edit, int controlId, CFont* font);
    // Loads a movie into the player control with this id, when there is one.
    void LoadMovieInControl(int controlId, const std::string& moviePath);
    // The id of the page's control that has the focus: an in-place edit gives the id it stands
    // for, a part inside a custom control the custom control's id; 0 when no control of the
    // page has the focus.
    int GetFocusedPageControlId() const;

    BOOL OnInitDialog() override;
    // The shown page lies above the sheet's tab control, whatever order the windows were made in.
    BOOL OnSetActive() override;

protected:
    // Finds a parameter of the given type; a missing one or one of another type gives null
    // (the latter with a trace, as it means the page and the component disagree).
    CParameter* FindTyped(const char* key, CParameterSet* set, int type) const;
    LRESULT OnCommandHelp(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    CParameterSet* m_group = nullptr;
    CParameterSet* m_root = nullptr;
    IPropertyOwner* m_owner = nullptr;
    bool m_modal = false;
    std::string m_tabTitle;
    const CPropertyPageContext* m_context = nullptr;
};

// Small push buttons of a page show pictures for what they do, their captions staying their
// names: "..." right of an edit links cells (a range for a read-only range edit, one cell for a
// value typed or taken from a cell), "?" plays the help movie, "+" and "-" step up and down.
// Every component page does this as it opens.
void GiveButtonsPictures(CWnd& page);
