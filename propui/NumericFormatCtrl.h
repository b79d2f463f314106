#pragma once

// The numeric format control: chooses how a component shows a number (General, Numeric,
// Currency, Percent, Date, Time, Text) and writes the matching number-format code into the
// "numFormat" parameter of the bound group, reading the codes it writes back into its children.
// A code of any other shape shows read-only as "From Spreadsheet".

#include "platform/controls/Button.h"
#include "platform/controls/ComboBox.h"
#include "platform/controls/Edit.h"
#include "platform/controls/SpinEdit.h"
#include "platform/controls/Static.h"
#include "platform/window/Wnd.h"
#include "propui/NumericFormatCodes.h"

#include <memory>
#include <string>

class CParameter;
class CFont;
class IPropertyOwner;

class CNumericFormatCtrl : public CWnd {
public:
    // Child ids.
    enum : int {
        IdFormatText = 0,
        IdSecondList = 1,
        IdSecondLabel = 2,
        IdDecimalsLabel = 3,
        IdDecimals = 4,
        IdPrefixEdit = 5,
        IdPrefixCheck = 6,
        IdSuffixEdit = 7,
        IdSuffixCheck = 8,
        IdSeparator = 9,
        IdKindLabel = 10,
        IdKindList = 11,
    };
    static constexpr const char* kClassName = "NumericFormat";

    CNumericFormatCtrl();
    ~CNumericFormatCtrl() override;

    // Lays the children out in the control's client area. With a format parameter (the group
    // that holds "numFormat", or a list, cell list or cell table leading to it) the control
    // loads its code and returns true; without one every child is disabled, the control hidden
    // when `hide` is set, and false returned. `source` is the value being formatted: while it is
    // text, nothing can be chosen.
    bool Create(CParameter* format, IPropertyOwner* owner, CFont* font, CParameter* source, bool hide);
    // Reads "numFormat" (of row `row` for a cell table) into the children.
    void LoadProperties(int row, bool lockDecimals);
    void EnableControls(bool enable);
    void ShowControlsForKind(int kind);
    // Kept disabled for Numeric and Currency (pie charts show no negative values).
    void SetNegativesLocked(bool locked) { m_negativesLocked = locked; }

    int GetKind() const;
    int GetDecimals() const { return m_decimals; }
    // The code the control stands for now.
    std::string CurrentCode() const;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OnKindChanged();
    void BuildFormat();
    void FillSampleList(int kind, bool reset);
    void OnAffixCheck(bool prefix);
    void OnDecimalsChanged();
    void SetDecimalsText();
    void SetGuardedText(CEdit& edit, const std::string& text);
    void WriteCode(const std::string& code);
    CParameter* FindFormatParameter() const;
    bool SourceIsText() const;
    numfmt::Settings Gather() const;

    CStatic m_kindLabel, m_secondLabel, m_decimalsLabel;
    CComboBox m_kindList, m_secondList;
    CEdit m_formatText, m_prefixEdit, m_suffixEdit;
    CSpinEdit m_decimalsSpin;
    CButton m_prefixCheck, m_suffixCheck, m_separator;

    int m_decimals = 2;
    CParameter* m_format = nullptr;
    CParameter* m_source = nullptr;
    IPropertyOwner* m_owner = nullptr;
    int m_row = 0;
    bool m_decimalsLocked = false;
    bool m_negativesLocked = false;
};
