#pragma once

// A name/value grid of parameters: the name, the value (typed in place, stepped, chosen,
// toggled or picked in a colour dialog) and a narrow column showing and changing a parameter's
// link to cells. Each row keeps the parameter it stands for, so rows the grid leaves out (a
// parameter without a value) never shift the writes of the rows after them.
//
// The grid tells its parent WM_USER+1 with wParam the row: lParam 0 after a value changed or
// an editor opened, 1 after a cell link was picked. A value reaches the parameter only when it
// changed; TakeCommitted says whether one did since the last call.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/Parameter.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/ListCtrl.h"
#include "propui/PropertyOwner.h"

class CInPlaceEdit;
class CParameterSet;

enum PropertyRowKind : int {
    kRowNone = 0,
    kRowText = 1,
    kRowInteger = 2,
    kRowLong = 3,
    kRowDouble = 4,
    kRowFont = 5,
    kRowColor = 6,
    kRowFile = 7,
    kRowChoice = 8,
    kRowBoolean = 9,
    kRowArray = 10,
    kRowExternalFile = 12,
};

enum PropertyLinkFlag : int { kLinkNone = 0, kLinked = 1, kLinkable = 2 };

struct PropertyRow {
    int kind = kRowNone;
    int editorClass = 0; // 0 none, 1 spin square, 2 button square
    std::string name;
    std::string text;
    CParameter* parameter = nullptr; // the row's parameter (a binding's own parameter)
    CParameter* value = nullptr;     // what the row shows: the parameter, or a binding's value
    std::optional<ParamRange> range;
    COLORREF colour = 0;
    bool boolean = false;
    std::vector<std::string> choices;
    int linkFlag = kLinkNone;
    bool enabled = true;
    bool held = false; // edited while writes are held, not yet written
};

// The drop-down list that stands in for a choice cell; WM_USER+1 with wParam 3001 and the row.
class CInPlaceCombo : public CComboBox {
public:
    static constexpr int kId = 3001;
    int m_row = -1;
    bool m_cancelled = false;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class CPropertyListCtrl : public CListCtrl {
public:
    static constexpr const char* kLinkHeader = "DS";
    static constexpr int kLinkWidth = 32;

    CPropertyListCtrl();
    ~CPropertyListCtrl() override;

    void SetContext(const CPropertyPageContext* context) { m_context = context; }
    void SetParameterSet(CParameterSet* set) { m_set = set; }
    CParameterSet* GetParameterSet() const { return m_set; }
    void SetEditLimit(int limit) { m_editLimit = limit; }

    // Columns: the name, the value (width less the link column) and, unless left out, the link.
    void Init(const char* nameHeader, int nameWidth, const char* valueHeader, int valueWidth, bool noLinkColumn);
    // Shares a new width between the columns as Init did: the name takes `nameShare` percent,
    // the link column keeps its width, the value the rest.
    void FitColumns(int width, int nameShare = 50);
    // Appends a row; -1 for an empty name or kind 0.
    int AddRow(PropertyRow row);
    // The row of a parameter by its type; -1 for types without a value shown here.
    int AddParameterRow(CParameter* parameter);
    int AddChoiceRow(CParameter* parameter, const std::string& name);
    const PropertyRow* GetRowInfo(int row) const;
    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    // "TRUE"/"FALSE" for booleans, else the cell text.
    std::string GetRowValueText(int row) const;
    void DeleteRow(int row);
    void DeleteAllRows();
    CRect GetCellRect(int row, int column) const;
    // The part of the value cell that steps or opens a dialog (a square as wide as the row is
    // high); empty for rows without one.
    CRect GetSquareRect(int row) const;

    // Held writes (a page of a modal sheet, written on OK): an edited value stays in its row
    // until WriteHeldRows writes the rows edited, which says whether a parameter changed. Rows
    // left alone are not written back: a row shows a number rounded, or an unset one as 0. Cell
    // links and the Array and External File dialogs still write at once.
    void SetHoldWrites(bool hold) { m_holdWrites = hold; }
    bool WriteHeldRows();

    bool TakeCommitted()
    {
        const bool committed = m_committed;
        m_committed = false;
        return committed;
    }
    CInPlaceEdit* GetInPlaceEdit() const { return m_edit.get(); }
    CInPlaceCombo* GetInPlaceCombo() const { return m_combo.get(); }

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void OnClick(int row, CPoint point);
    void OpenEdit(int row);
    void OpenCombo(int row);
    void CloseEditors();
    void CommitEdit();
    void CommitCombo();
    void Step(int row, bool up);
    void PickColour(int row);
    void PickLink(int row);
    // The Array or External File dialog of a row; the row counts as changed on OK.
    void OpenDialog(int row);
    // The file-open dialog of a file row, starting from the row's path.
    void PickFile(int row);
    void ShowRow(int row);
    // Writes the row's shown value into its parameter; true when the parameter changed.
    bool WriteRow(int row);
    // An edited row: written now, or kept for WriteHeldRows.
    void CommitRow(int row);
    void Notify(int row, int what);

    std::vector<std::unique_ptr<PropertyRow>> m_rows;
    std::unique_ptr<CInPlaceEdit> m_edit;
    std::unique_ptr<CInPlaceCombo> m_combo;
    // Editors closed from inside their own notification are deleted on the next opening.
    std::vector<std::unique_ptr<CWnd>> m_closed;
    int m_editRow = -1;
    CParameterSet* m_set = nullptr;
    const CPropertyPageContext* m_context = nullptr;
    int m_editLimit = 31;
    bool m_linkColumn = true;
    bool m_committed = false;
    bool m_holdWrites = false;
};

// A number as the grid shows it: up to 10 significant digits, C locale.
std::string FormatRowDouble(double value);
