#pragma once

#include "platform/dialogs/Dialog.h"

#include <functional>
#include <string>
#include <vector>

class CCellModel;
class CVariableTable;
struct CRangeEntry;

// What the Replace Data Selection dialog works on: the base movie's list of replaceable
// ranges and the model their cells are picked from.
struct ReplaceDataDocument {
    std::vector<CRangeEntry>* entries = nullptr;
    const CCellModel* model = nullptr;
    CVariableTable* table = nullptr;
    // Offers the Import Model dialog when no model is loaded; true when an import started.
    std::function<bool()> importModel;
    // Reads the model and table again after an import started from the dialog (the import
    // replaces both); without it the dialog keeps the ones it was given.
    std::function<void(ReplaceDataDocument&)> reload;
};

// The "Replace Data Selection" dialog: the named cell ranges an export may fill from an
// external data source. Every change goes straight into the list; OK only closes.
class CReplaceDataDlg : public CDialog {
public:
    enum { IDD = 548 };
    enum : int {
        IDC_RANGE_LIST = 179,
        IDC_ADD = 548,
        IDC_REMOVE = 321,
        IDC_RANGE_NAME = 551,
        IDC_RANGE_SELECTION = 549,
        IDC_PICK_RANGE = 550,
        IDC_CLOSE = 567,
    };
    static constexpr int kPickIcon = 156;
    static constexpr const char* kCaption = "Replace Data Selection";
    static constexpr const char* kNoModelText = "Please import a model or data before selecting a range.";
    static constexpr const char* kDuplicateText = " is already in the list";
    static constexpr const char* kEmptyNameText = "A range needs a name.";

    CReplaceDataDlg(CWnd* parent, ReplaceDataDocument document);

    static DialogTemplate MakeTemplate();

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    void OnAdd();
    void OnRemove();
    void OnPickRange();
    void OnNameKillFocus();
    void RefreshFields();
    void UpdateExtent();

protected:
    DECLARE_MESSAGE_MAP()

private:
    CRangeEntry* Selected();
    // Takes the name back to the entry's own after a refused rename.
    void RestoreName(const std::string& name);

    ReplaceDataDocument m_document;
    int m_selected = -1;
    int m_minExtent = 0;
};
