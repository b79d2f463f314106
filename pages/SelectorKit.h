#pragma once

// What the selector, play-options and map pages share: which selector a symbol is, the text of
// a choice or string written back, the list's own prefix selection, region names compared
// without blanks, the labels a selector shows, and the dynamic-visibility and entry-effect
// controls of their Behavior tabs.

#include "pages/PageBlocks.h"

#include <string>
#include <vector>

class CComboBox;
class CComponentPage;
class CParameter;
class CParameterSet;
class CSpinEdit;

namespace pages {

// The selector a symbol names, by the order the help tables and default lists use: push button
// 0, check box 1, menu 2, combo box 3, filter 4, list box 5, radio buttons 6, alert button 7,
// play selector 8, the maps 9; -1 for any other symbol.
enum SelectorType : int {
    kNoSelector = -1,
    kPushButton = 0,
    kCheckBox = 1,
    kMenu = 2,
    kComboBox = 3,
    kFilter = 4,
    kListBox = 5,
    kRadioButtons = 6,
    kAlertButton = 7,
    kPlaySelector = 8,
    kMap = 9,
};
int SelectorTypeOf(const std::string& symbol);

// Writes text as the current value: into a choice's prototype, or into a plain string. The
// type never changes. False when the parameter takes neither.
bool StoreChoiceText(CParameter* parameter, const std::string& text);

// Selects the first item that begins with the text, whatever the case (the drop list's own
// search); an empty text or no match leaves the list without selection. Returns the index or -1.
int SelectPrefix(CComboBox& combo, const std::string& text);

// A region name as it is stored and compared: every blank removed ("New York" is "NewYork").
std::string WithoutBlanks(const std::string& text);

// The number of elements a list parameter holds, or a cell binding's value holds; 0 for
// anything else.
int ElementCount(const CParameter* parameter);
// The value parameter of a cell binding, or the parameter itself.
CParameter* ValueOf(CParameter* parameter);
// True for a list-like value whose elements can be counted (a list, group, cell list or table).
bool IsElementList(const CParameter* parameter);

// Enables or disables a spin edit as a whole: its window and its parts.
void EnableSpin(CSpinEdit& spin, bool enable);
// The number a numeric parameter holds, whether integer or not; 0 for other types.
double NumberOf(const CParameter* parameter);

// The labels a selector shows: "labels", else "labels_ary", else "regionNames".
CParameter* FindLabels(const CParameterSet* set);

// The "selectIdx" of a component when it is a single index; the filter keeps one per filter in
// an array, which is no default selection and so counts as missing here.
CParameter* FindSelectIndex(const CParameterSet* root);

// The entries a map visits to find regions in its source: the first cell of each row when the
// insert option is "rows", else each cell of the first row (or each value of a plain list).
std::vector<const CParameter*> SourceEntries(const CParameter* values, bool byRows);

// The label a region element shows: its label, or its key when it has none.
std::string RegionLabel(const CParameter& region);

// The dynamic-visibility block of the Behavior tabs: the display-status range with its link,
// the key typed or linked, and the entry effect with its duration spin. Clearing the status
// link makes the component always shown: both values become 1.
class CVisibilityBlock {
public:
    struct Ids {
        int statusRange, statusLink, statusLabel;
        int keyEdit, keyLink, keyLabel;
        int effectCombo, effectLabel;
        int durationSpin, durationLabel;
    };
    // Binds the status and key controls (on opening). False without "displayStatus": then the
    // status link and its caption are disabled and the key controls too.
    bool Attach(CComponentPage& page, CParameterSet* group, Ids ids);
    // Re-reads the entry effect and binds the duration spin (each activation). A missing or
    // non-text "introStyle" disables the effect and duration controls.
    void ShowEffect();
    void OnEffectChosen();
    void OnStatusLink();
    void OnKeyLink() { m_key.OnLink(); }
    bool OnCommit(int standsFor) { return m_key.OnCommit(standsFor); }
    static void FillEffects(CComboBox& combo);

private:
    void EnableKey(bool enable);
    void EnableDuration(bool enable);
    CSpinEdit* Spin() const;

    CComponentPage* m_page = nullptr;
    CParameterSet* m_group = nullptr;
    Ids m_ids{};
    CLinkedValueEdit m_key;
};

} // namespace pages
